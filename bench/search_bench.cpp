// Marker searches over a 20 MB body against the scan that compares the whole marker at every
// offset, which is what the searches must agree with.
#include <benchmark/benchmark.h>

#include <random>

#include "container/readers.h"

namespace vek5 {
namespace {

constexpr int32_t kBodySize = 20'000'000;

const SaveImage& Body() {
  static const SaveImage image = [] {
    SaveImage save;
    save.SaveBuffer.resize(kBodySize);
    std::mt19937 random(7);
    for (auto& b : save.SaveBuffer) b = static_cast<uint8_t>(random() % 64 + 32);
    save.DataLength = kBodySize;
    return save;
  }();
  return image;
}

// The comparison at every offset: all bytes of the marker compared, no early exit.
int32_t ScanEveryOffset(const SaveImage& save, std::string_view text, int32_t start) {
  const auto m = static_cast<int32_t>(text.size());
  for (int32_t p = start; p < save.DataLength; ++p) {
    int32_t equal = 0;
    for (int32_t j = 0; j < m; ++j)
      equal += ByteAt(save, int64_t{p} + j) == static_cast<uint8_t>(text[j]);
    if (equal == m) return p;
  }
  return 0;
}

constexpr std::string_view kMarker = "TXT_KEY_TURNTIMER_";  // absent: the whole body is searched

void BM_FindStr(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FindStr(Body(), kMarker, 0));
  state.SetBytesProcessed(state.iterations() * kBodySize);
}
BENCHMARK(BM_FindStr)->Unit(benchmark::kMillisecond);

void BM_FindInt(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(FindInt(Body(), static_cast<int32_t>(0xF5010319), 0));
  state.SetBytesProcessed(state.iterations() * kBodySize);
}
BENCHMARK(BM_FindInt)->Unit(benchmark::kMillisecond);

void BM_ScanEveryOffset(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ScanEveryOffset(Body(), kMarker, 0));
  state.SetBytesProcessed(state.iterations() * kBodySize);
}
BENCHMARK(BM_ScanEveryOffset)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vek5
