// Lean fuzz target: any bytes -> save image -> analysis, without building any view. With small
// inputs it runs thousands of times a second, so the readers of every section get far more
// executions than the full target (save_fuzzer.cpp) can give them. One thread: a helper thread's
// start would cost more than the analysis of such an input (the full target reads on all cores).
#include <cstddef>
#include <cstdint>

#include "analysis/save5_analyse.h"
#include "block_recycler.h"
#include "fuzz_image.h"

namespace {

// The lean seeds are cuts of a few KiB around one section each; longer inputs only slow the run.
constexpr size_t kMaxInput = 32 * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  vek5::fuzz::RecycleFreedBlocks();
  const vek5::SaveImage image = vek5::fuzz::ImageOf(data, size);
  try {
    vek5::Save5Analyse(image, vek5::AnalysisThreads::kOne);
  } catch (const vek5::AnalysisError&) {
  }
  return 0;
}
