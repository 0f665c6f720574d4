// The world map's picture: building it for a 128x80 map (laid into the model) at several zooms,
// and the command-line tool's cairo painting of it to a PNG file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "cli/map_image.h"
#include "support/map_state.h"
#include "views/map_picture.h"

namespace vek5 {
namespace {

constexpr int32_t kHugeWidth = 128;
constexpr int32_t kHugeHeight = 80;
constexpr int32_t kHugePlayers = 22;

const GameState& HugeWorld() {
  static const std::unique_ptr<GameState> state = [] {
    auto s = NewGameState();
    testing::LaySampleWorld(*s, kHugeWidth, kHugeHeight, kHugePlayers);
    return s;
  }();
  return *state;
}

MapSelection AtTile(int64_t tile, bool seen_by = false) {
  MapSelection selection;
  selection.TileWidth = static_cast<double>(tile);
  if (seen_by) selection.SeenByTeam = 0;
  return selection;
}

void BM_MapPicture(benchmark::State& bench) {
  const GameState& state = HugeWorld();
  const MapSelection selection = AtTile(bench.range(0), bench.range(1) != 0);
  for (auto _ : bench) {
    MapPicture picture = BuildMapPicture(state, selection);
    benchmark::DoNotOptimize(picture.Hexagons.data());
  }
}
BENCHMARK(BM_MapPicture)
    ->ArgsProduct({{4, 10, 16, 32, 64, 128}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_MapPng(benchmark::State& bench) {
  const GameState& state = HugeWorld();
  const MapPicture picture = BuildMapPicture(state, AtTile(bench.range(0)));
  const std::string path = "/tmp/vek5-map-bench.png";
  for (auto _ : bench) cli::WriteMapImage(picture, path, cli::ImageFormat::kPng);
  std::remove(path.c_str());
}
BENCHMARK(BM_MapPng)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vek5
