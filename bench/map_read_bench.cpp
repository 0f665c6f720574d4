// The map section's share of an analysis: reading the world map alone (from the end of the replay
// list, with the memory of every living team) against loading and analysing the whole save, on
// the shared real saves. Budget: map_share = map / (load + analysis) at most 0.10 on the largest.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "analysis/save5_analyse.h"
#include "analysis/sections.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

constexpr const char* kMapSaves[] = {"base-turn50.Vek5Save", "base-turn95.Vek5Save",
                                     "zeph-hotseat-turn164.Vek5Save",
                                     "zeph-latestart-turn179.Vek5Save", "zeph-turn238.Vek5Save"};

// The read position after the replay list, as the analysis reaches it.
int32_t ReplayEnd(const SaveImage& save, GameState& state) {
  int32_t pos = 4;
  ReadSettings(save, state, pos);
  ReadSlotLists(save, state, pos);
  ReadTurnTimer(save, state, pos);
  BuildPlayerList(state);
  ReadGameOptions(save, state, pos);
  ReadBodyHeader(save, state);
  ReadReplayList(save, state, pos);
  return pos;
}

void BM_MapShare(benchmark::State& st, std::string path) {
  using Clock = std::chrono::steady_clock;
  double best_map = 1e99;
  double best_whole = 1e99;
  const SaveImage image = LoadSaveForAnalysis(path);
  GameState header;
  const int32_t replay_end = ReplayEnd(image, header);
  const std::vector<int32_t> teams = TeamsWithLivingPlayer(header);
  for (auto _ : st) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(ReadWorldMap(image, replay_end, teams));
    const auto t1 = Clock::now();
    const SaveImage loaded = LoadSaveForAnalysis(path);
    benchmark::DoNotOptimize(Save5Analyse(loaded));
    const auto t2 = Clock::now();
    best_map = std::min(best_map, std::chrono::duration<double, std::milli>(t1 - t0).count());
    best_whole = std::min(best_whole, std::chrono::duration<double, std::milli>(t2 - t1).count());
  }
  st.counters["map_ms"] = best_map;
  st.counters["load_analyse_ms"] = best_whole;
  st.counters["map_share"] = best_map / best_whole;
}

int RegisterMapShare() {
  for (const char* name : kMapSaves) {
    const std::string path = testing::SharedSave(name);
    if (path.empty()) continue;
    benchmark::RegisterBenchmark((std::string("BM_MapShare/") + name).c_str(), BM_MapShare, path)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
  }
  return 0;
}

const int kRegistered = RegisterMapShare();

}  // namespace
}  // namespace vek5
