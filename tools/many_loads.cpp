// Loads saves one after another many times in one process, each as the window and the batch
// load a save (read, assemble, analyse; the batch's summary and past taken from the model), and
// prints the peak resident memory after the first 10 loads and after all of them. A process
// that keeps nothing of earlier saves stays at the peak its largest save set.
//
// usage: many_loads [COUNT [SAVE...]]  (1000 loads of every save of the shared folder by default)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "series/save_summary.h"
#include "support/process_memory.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDefaultLoads = 1000;
constexpr int kFirstReport = 10;

std::vector<std::string> SharedSaves() {
  std::vector<std::string> saves;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(VEK5_SHARED_SAVES, error)) {
    if (entry.path().extension() == ".Vek5Save") saves.push_back(entry.path().string());
  }
  std::sort(saves.begin(), saves.end());
  return saves;
}

void Report(int loads) {
  std::printf("after %5d loads: peak resident %8lld KiB, resident now %8lld KiB\n", loads,
              static_cast<long long>(vek5::testing::PeakResidentKiB()),
              static_cast<long long>(vek5::testing::ResidentKiB()));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const int loads = argc > 1 ? std::atoi(argv[1]) : kDefaultLoads;
  const std::vector<std::string> saves =
      argc > 2 ? std::vector<std::string>(argv + 2, argv + argc) : SharedSaves();
  if (loads < 1 || saves.empty()) {
    std::fprintf(stderr, "usage: %s [COUNT [SAVE...]] (no saves found in %s)\n", argv[0],
                 VEK5_SHARED_SAVES);
    return 2;
  }
  Report(0);
  for (int i = 0; i < loads; ++i) {
    const vek5::SaveRecord record =
        vek5::SummariseSave(saves[static_cast<size_t>(i) % saves.size()]);
    if (!record.Loaded()) {
      std::fprintf(stderr, "%s: %s\n", record.Path.c_str(), record.Error.c_str());
      return 1;
    }
    if (i + 1 == kFirstReport || i + 1 == loads) Report(i + 1);
  }
  return 0;
}
