// The files a list of paths names: a folder stands for every save below it, searched
// recursively; a file named explicitly is taken whatever its extension.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vek5 {

inline constexpr std::string_view kSaveExtension = ".Vek5Save";

// Whether a file name ends in the save extension, in any letter case.
bool HasSaveExtension(std::string_view file_name);

// The files in the order of the paths; a folder's saves sorted by path. A path that does not
// exist is kept as given, so that its load fails and shows why; so is a link named as a save
// that leads nowhere. Unreadable sub-folders, linked folders, and entries that are neither files
// nor links (pipes, devices) are passed by.
std::vector<std::string> FindSaveFiles(const std::vector<std::string>& paths);

}  // namespace vek5
