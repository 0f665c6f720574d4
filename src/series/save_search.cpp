#include "series/save_search.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vek5 {
namespace {

namespace fs = std::filesystem;

// A file the search takes: a regular file, or a link that leads nowhere (missing target, a loop
// of links), whose load then says why it fails. Folders, pipes and devices are passed by: a pipe
// would block the read.
bool IsSaveCandidate(const fs::directory_entry& entry) {
  if (!HasSaveExtension(entry.path().filename().string())) return false;
  std::error_code error;
  if (entry.is_regular_file(error)) return true;
  if (!entry.is_symlink(error)) return false;
  const fs::file_status target = fs::status(entry.path(), error);
  return error || target.type() == fs::file_type::not_found;
}

std::vector<std::string> SavesBelow(const fs::path& folder) {
  std::vector<std::string> found;
  std::error_code error;
  // Linked folders are not followed, so a link back up the tree cannot loop the search.
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (IsSaveCandidate(*it)) found.push_back(it->path().string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace

bool HasSaveExtension(std::string_view file_name) {
  if (file_name.size() < kSaveExtension.size()) return false;
  const std::string_view tail = file_name.substr(file_name.size() - kSaveExtension.size());
  return std::equal(tail.begin(), tail.end(), kSaveExtension.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

std::vector<std::string> FindSaveFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
      const std::vector<std::string> below = SavesBelow(path);
      files.insert(files.end(), below.begin(), below.end());
    } else {
      files.push_back(path);
    }
  }
  return files;
}

}  // namespace vek5
