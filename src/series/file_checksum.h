// The SHA-256 checksum of a file, for reports that must show which file was analysed.
#pragma once

#include <string>

namespace vek5 {

// Lower-case hexadecimal digits; empty when the file cannot be read.
std::string FileSha256(const std::string& path);

}  // namespace vek5
