// Times the Map page's painting on the offscreen platform: the whole 128x80 map (read from a
// builder-made save), or a save's, painted in a 1366x768 window at every zoom from "fit" to the
// largest, everything shown and as one team has seen it; and a zoom step in (the picture rebuilt,
// then painted). Prints the median and the slowest of each.
//
//   vek5_map_paint_bench [SAVE] [--shots DIR]   DIR: also writes the page at each zoom as PNG
// VEK5_WINDOW_REPEATS sets how often each paint is timed (default 30). Times are the painting
// thread's processor time in milliseconds.
#include <time.h>
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
#include "model/reference_tables.h"
#include "shell/map_page.h"
#include "support/map_state.h"
#include "support/map_writer.h"

namespace {

using namespace vek5;

constexpr int kPageWidth = 1366;
constexpr int kPageHeight = 700;  // the page below the window's load bar and tabs
constexpr int32_t kWorldWidth = 128;
constexpr int32_t kWorldHeight = 80;
constexpr int32_t kWorldPlayers = 22;
constexpr double kZooms[] = {0, 8, 16, 32, 64, 128};  // 0: fitted to the window

// The sample world as the test save builder describes a map, with what team 0 has seen.
testing::MapDescription DescribeWorld(const GameState& world) {
  const WorldMap& map = world.Map;
  testing::MapDescription description;
  description.RuleSet = testing::Rules::kZeph;
  description.Width = map.Width;
  description.Height = map.Height;
  description.ResourceKeys.clear();
  for (const TMapResourceRec& row : MapResourcesZeph)
    description.ResourceKeys.emplace_back(row.Key);
  const MapTeamView* team = map.TeamView(0);
  for (int32_t i = 0; i < map.PlotCount(); ++i) {
    const MapPlot& plot = map.Plots[static_cast<size_t>(i)];
    testing::PlotDescription out;
    out.PlotType = plot.PlotType;
    out.Terrain = plot.Terrain;
    if (plot.Feature >= 0) out.FeatureKey = MapFeaturesZeph[static_cast<size_t>(plot.Feature)].Key;
    if (plot.Resource >= 0) {
      out.ResourceKey = MapResourcesZeph[static_cast<size_t>(plot.Resource)].Key;
      out.ResourceQuantity = plot.ResourceQuantity;
    }
    const auto improvement = [](int8_t row) {
      return row >= 0 ? std::string(MapImprovementsZeph[static_cast<size_t>(row)].Key) : "";
    };
    out.ImprovementKey = improvement(plot.Improvement);
    out.ImprovementPillaged = (plot.Flags & kPlotImprovementPillaged) != 0;
    out.Route = plot.Route;
    out.Owner = plot.Owner;
    out.CityOwner = plot.CityOwner;
    out.CityId = plot.CityId;
    out.RiverSouthWest = (plot.Rivers & kRiverSouthWest) != 0;
    out.RiverEast = (plot.Rivers & kRiverEast) != 0;
    out.RiverSouthEast = (plot.Rivers & kRiverSouthEast) != 0;
    out.Yields = plot.Yields;
    for (uint8_t u = 0; u < plot.UnitCount; ++u) out.Units.push_back({plot.UnitOwner, u + 1});
    const MapTeamPlot& memory = team->Plots[static_cast<size_t>(i)];
    if ((memory.Flags & kTeamSeen) != 0) {
      out.Teams.push_back({0, true, (memory.Flags & kTeamSeesNow) != 0, memory.Owner,
                           improvement(memory.Improvement), memory.Route});
    }
    description.Plots.push_back(std::move(out));
  }
  return description;
}

// A save written by the test save builder with the sample world's map, analysed; the world's
// city records are laid in beside it, for the names and populations of its cities.
std::unique_ptr<GameState> BuilderMadeWorld() {
  auto world = NewGameState();
  testing::LaySampleWorld(*world, kWorldWidth, kWorldHeight, kWorldPlayers);
  const std::string path = "/tmp/vek5-map-paint-bench.Vek5Save";
  testing::WriteFile(path, testing::WriteSaveFile(testing::GameWithMap(DescribeWorld(*world))));
  auto state = Save5Analyse(LoadSave(path));
  std::remove(path.c_str());
  if (!state->Map.Readable()) {
    std::fprintf(stderr, "the builder-made map was not read: %s\n", state->Map.Problem.c_str());
    std::exit(1);
  }
  const int32_t players = std::min(state->PlayerCount, kWorldPlayers);
  for (int32_t p = 0; p < players; ++p) {
    const int32_t slot = state->Leaders[static_cast<size_t>(p)].Slot;
    if (slot >= 0 && slot < kWorldPlayers)
      state->Cities[static_cast<size_t>(p)] = world->Cities[static_cast<size_t>(slot)];
  }
  return state;
}

int Repeats() {
  const char* repeats = std::getenv("VEK5_WINDOW_REPEATS");
  return repeats ? std::max(std::atoi(repeats), 1) : 30;
}

struct Timing {
  double Median = 0;
  double Slowest = 0;
};

// The thread's processor time: on a shared machine the wall clock also counts the time other
// processes held the processor.
double ThreadMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Times work, with undo run after each timing.
template <typename Work, typename Undo>
Timing Time(Work work, Undo undo) {
  std::vector<double> ms;
  for (int i = 0; i < Repeats(); ++i) {
    const double start = ThreadMs();
    work();
    ms.push_back(ThreadMs() - start);
    undo();
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.back()};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::string file;
  std::string shots;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--shots" && i + 1 < argc) {
      shots = argv[++i];
    } else {
      file = arg;
    }
  }
  std::unique_ptr<GameState> state;
  if (file.empty()) {
    state = BuilderMadeWorld();
  } else {
    state = Save5Analyse(LoadSave(file));
  }
  SaveOnScreen save;
  save.State = std::move(state);
  const GameState* shown = save.State.get();
  WindowServices services;
  MapPage page(save, services);
  page.resize(kPageWidth, kPageHeight);
  page.show();
  QApplication::processEvents();
  AllTabs built;
  page.ShowSave(built);
  QApplication::processEvents();
  MapCanvas& canvas = page.Canvas();
  QImage target(canvas.size(), QImage::Format_RGB32);
  std::printf("%s: %dx%d map, canvas %dx%d\n", file.empty() ? "builder-made" : file.c_str(),
              shown->Map.Width, shown->Map.Height, canvas.width(), canvas.height());
  std::printf("%-8s %-10s %8s %8s %8s %8s %9s\n", "tile", "seen by", "plots", "paint", "slowest",
              "zoom", "slowest");
  const int32_t team = shown->Map.Teams.empty() ? -1 : shown->Map.Teams.front().Team;
  for (const int32_t seen_by : {-1, team}) {
    if (seen_by < 0 && team >= 0 && seen_by != -1) continue;
    MapSelection selection = canvas.Selection();
    selection.SeenByTeam = seen_by;
    canvas.Select(selection);
    for (const double zoom : kZooms) {
      canvas.FitToWindow();
      if (zoom > 0) canvas.ZoomBy(zoom / canvas.TileWidth());
      const auto paint_all = [&] {
        QPainter painter(&target);
        canvas.render(&painter);
      };
      const Timing paint = Time(paint_all, [] {});
      const double tile = canvas.TileWidth();
      const Timing step = Time(
          [&] {
            canvas.ZoomBy(1.25);
            paint_all();
          },
          [&] { canvas.ZoomBy(1 / 1.25); });
      std::printf("%-8.1f %-10s %8zu %8.2f %8.2f %8.2f %9.2f\n", tile,
                  seen_by < 0 ? "all" : ("team " + std::to_string(seen_by)).c_str(),
                  canvas.Picture().Hexagons.size(), paint.Median, paint.Slowest, step.Median,
                  step.Slowest);
      if (!shots.empty()) {
        canvas.HoverAt(QPointF(canvas.width() / 2.0, canvas.height() / 2.0));
        page.grab().save(QString::fromStdString(shots + "/map-" + std::to_string(int(tile)) +
                                                (seen_by < 0 ? "" : "-seen") + ".png"));
      }
    }
    if (team < 0) break;
  }
  return 0;
}
