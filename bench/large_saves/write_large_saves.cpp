// Writes the benchmarks' large builder-made saves into a folder, so that whole processes (the
// command-line tool, the window, a profiler) can be run on them.
// Usage: vek5_write_large_saves FOLDER (prints the paths written).
#include <cstdio>
#include <filesystem>
#include <string>

#include "large_save.h"
#include "support/save_builder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  for (const vek5::bench::LargeCase& large : vek5::bench::kLargeSaves) {
    const std::string path = (folder / (std::string(large.Name) + ".Vek5Save")).string();
    vek5::testing::WriteFile(path, vek5::bench::WriteLargeSave(large.Format));
    std::printf("%s\n", path.c_str());
  }
  return 0;
}
