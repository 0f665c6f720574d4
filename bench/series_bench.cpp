// A folder of 200 saves summarised: on all cores against one core (the sum of the single-save
// analyses), with the memory the batch keeps and the process's peak. The folder holds copies
// of the shared real saves when present (their bodies are 17 to 38 MB), else builder-made
// saves; copies of one save are distinct files, so each is read and analysed on its own.
//
// The CPU column is the whole process's CPU time. Run each benchmark in its own process for its
// own peak:
//   vek5_bench --benchmark_filter=BM_SeriesAllCores
//   vek5_bench --benchmark_filter=BM_SeriesOneCore
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "series/series_fixture.h"
#include "series/series_result.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

constexpr int kFolderSaves = 200;
constexpr const char* kSharedSaves[] = {"base-turn50.Vek5Save", "base-turn95.Vek5Save",
                                        "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"};

// The folder, written once per process and removed at its end (it holds some 200 MB).
struct BenchFolder {
  std::string Path;
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
};

const std::string& Folder() {
  static const BenchFolder folder{[] {
    const std::string path = testing::SeriesFolder("series-bench");
    std::vector<std::vector<uint8_t>> sources;
    for (const char* name : kSharedSaves) {
      const std::string shared = testing::SharedSave(name);
      if (!shared.empty()) sources.push_back(testing::ReadFile(shared));
    }
    if (sources.empty()) {
      for (const int32_t turn : {50, 100, 150, 200}) {
        sources.push_back(testing::WriteSaveFile(testing::SeriesGame(turn)));
      }
    }
    for (int i = 0; i < kFolderSaves; ++i) {
      testing::WriteFile(path + "/save" + std::to_string(1000 + i) + ".Vek5Save",
                         sources[static_cast<size_t>(i) % sources.size()]);
    }
    return path;
  }()};
  return folder.Path;
}

double PeakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// What the batch keeps of its saves: history values and replay texts.
double KeptMiB(const SeriesResult& result) {
  size_t bytes = 0;
  for (const SaveRecord& save : result.Saves) {
    bytes += save.Past.Values.capacity() * sizeof(int32_t) + save.StartRecord.capacity() * 4;
    for (const TReplayMsgRec& message : save.Past.Replay) {
      bytes += sizeof(message) + message.Text.capacity();
    }
  }
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void RunSeries(benchmark::State& state, unsigned threads) {
  const std::string& folder = Folder();
  SeriesResult result;
  for (auto _ : state) {
    BatchOptions options;
    options.Threads = threads;
    result = SummarisePaths({folder}, options);
    benchmark::DoNotOptimize(result.Games.data());
  }
  state.counters["saves"] = static_cast<double>(result.Saves.size());
  state.counters["games"] = static_cast<double>(result.Games.size());
  state.counters["workers"] = WorkerCount(threads, result.Saves.size());
  state.counters["kept_mib"] = KeptMiB(result);
  state.counters["peak_mib"] = PeakMiB();
}

void BM_SeriesAllCores(benchmark::State& state) {
  RunSeries(state, 0);
}
void BM_SeriesOneCore(benchmark::State& state) {
  RunSeries(state, 1);
}

BENCHMARK(BM_SeriesAllCores)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_SeriesOneCore)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace vek5
