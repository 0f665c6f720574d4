// Times the window on the offscreen platform: start-up to the first painted window with a save,
// and the selections a user makes most (city tab player and city, the graph's statistic and its
// check-list, the statistics language), each followed by the event processing and the painting
// it causes. Without arguments it writes a large game (26 major players, 1,500 turns of history
// in every series, 390 cities) and runs it and the shared real saves. Every start-up is a real
// one, in a fresh process: the first load alone and the start-up to the first painted window are
// each timed in several processes, and the start-up beyond the load is the difference of their
// medians (one process alone varies by tens of milliseconds); one more process times the changes.
//
//   vek5_window_bench            all saves
//   vek5_window_bench SAVE       one save
//   vek5_window_bench --write-large OUT   writes the large game (for a profiler's run)
// VEK5_WINDOW_REPEATS sets how often each change is timed (default 30).
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QSettings>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/save5_analyse.h"
#include "container/image_memory.h"
#include "container/save_image.h"
#include "model/game_state.h"
#include "model/reference_tables.h"
#include "shell/main_window.h"
#include "support/city_writer.h"
#include "support/save_builder.h"
#include "support/world_writer.h"
#include "views/window_texts.h"

namespace {

using namespace vek5;

int Repeats() {
  const char* repeats = getenv("VEK5_WINDOW_REPEATS");
  return repeats ? std::max(std::atoi(repeats), 1) : 30;
}
constexpr double kFrameMs = 16.0;
constexpr double kFirstDrawMs = 50.0;
constexpr int kTurns = 1500;
constexpr int kMajors = 26;
constexpr int kCitiesPerMajor = 15;
constexpr const char* kSharedSaves[] = {"base-turn95.Vek5Save", "zeph-hotseat-turn164.Vek5Save",
                                        "zeph-turn238.Vek5Save"};

int64_t ClockNs(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

int64_t MonotonicNs() {
  return ClockNs(CLOCK_MONOTONIC);
}

double Ms(int64_t ns) {
  return static_cast<double>(ns) / 1e6;
}

// ---- The large game ----

constexpr int32_t kBarbarianLeader = 3;

// The i-th major player: its civilization and every leader but the barbarians' in turn.
testing::SlotDescription Major(int i, int32_t civ) {
  const int32_t leader = i < kBarbarianLeader ? i : i + 1;
  return {civ, i == 0 ? testing::kStatusHuman : testing::kStatusComputer, leader, 0, 0, "", "", ""};
}

// Every major civilization type but the city-states' and the barbarians'.
std::vector<int32_t> MajorCivTypes() {
  std::vector<int32_t> types;
  for (int32_t civ = 0; static_cast<int>(types.size()) < kMajors; ++civ) {
    if (civ != kCivMinor && civ != kCivBarbarian) types.push_back(civ);
  }
  return types;
}

std::vector<testing::HistoryPairs> HistoryOfPlayer(int player) {
  std::vector<testing::HistoryPairs> series(kHistorySeries);
  for (int s = 0; s < kHistorySeries; ++s) {
    series[s].reserve(kTurns);
    for (int t = 0; t < kTurns; ++t) {
      // Growing lines with some jitter, as the game's statistics mostly are; no two alike.
      const int value = t * (player + 5) / 4 + s * 11 + (t * 7919 + player * 104729) % 41;
      series[s].push_back({t, value});
    }
  }
  return series;
}

std::vector<testing::CityDescription> CitiesOfPlayer(int player) {
  static const char* const kBuildings[] = {"BUILDING_MONUMENT", "BUILDING_GRANARY",
                                           "BUILDING_LIBRARY",  "BUILDING_BARRACKS",
                                           "BUILDING_MARKET",   "BUILDING_WALLS"};
  std::vector<testing::CityDescription> cities;
  for (int c = 0; c < kCitiesPerMajor; ++c) {
    testing::CityDescription city;
    city.Name = "City " + std::to_string(player) + "-" + std::to_string(c);
    city.Owner = player;
    city.OriginalOwner = player;
    city.Population = 3 + (c * 5 + player) % 20;
    city.X = c;
    city.Y = player;
    city.FoundedTurn = c * 40;
    city.Strength = 1500 + c * 10;
    city.OverflowProduction = 100 * c;
    for (int b = 0; b < 6; ++b) {
      city.Buildings.push_back({kBuildings[b], 0, 10 * b, 0, 0, c * 40 + b, 1, 0});
    }
    city.Units = {{"UNIT_WARRIOR", 0, 20, 0}, {"UNIT_SETTLER", 0, 35, 0}};
    city.Queue = {{0, 3, 40, 0, 0}, {1, 7, 60, 0, 0}};
    cities.push_back(city);
  }
  return cities;
}

testing::GameDescription LargeGame() {
  testing::GameDescription game;
  game.GameSpeedKey = "GAMESPEED_MARATHON";
  game.Slots.assign(testing::kSlotListLength, testing::SlotDescription{});
  const std::vector<int32_t> civs = MajorCivTypes();
  for (int i = 0; i < kMajors; ++i) {
    game.Slots[i] = Major(i, civs[i]);
  }
  for (int i = 0; i < 8; ++i) {
    game.Slots[kMajors + i] = {kCivMinor, testing::kStatusComputer, 0, i, 1, "", "", ""};
  }
  game.Slots[63] = {kCivBarbarian, testing::kStatusComputer, 3, 0, 0, "", "", ""};
  game.TurnsPlayed = kTurns;
  game.MaxTurns = kTurns;
  // Every slot's record, each listed slot's followed by its history, as the game writes them.
  const testing::WorldFormat world{testing::Rules::kBase, true, true};
  int player = 0;
  for (const testing::SlotDescription& slot : game.Slots) {
    std::optional<std::vector<testing::HistoryPairs>> history;
    if (slot.CivType >= 0) history = HistoryOfPlayer(player++);
    game.BodySections.push_back(testing::WritePlayerRecord(world, {}, history));
  }
  std::vector<testing::CityDescription> cities;
  for (int player = 0; player < kMajors; ++player) {
    for (testing::CityDescription& city : CitiesOfPlayer(player)) cities.push_back(std::move(city));
  }
  game.BodySections.push_back(testing::WriteCityRecords(testing::CityRecordForm::Base, cities));
  return game;
}

// ---- Timing ----

int64_t ThreadCpuNs() {
  return ClockNs(CLOCK_THREAD_CPUTIME_ID);
}

// One timed change: the handler's part, the event processing with the painting of what
// changed, and a forced paint of the whole window; the processor time of the whole, which the
// other programs on a busy machine do not inflate.
struct Sample {
  double Handler = 0;
  double Events = 0;
  double FullPaint = 0;
  double Cpu = 0;
  double Total() const { return Handler + Events + FullPaint; }
};

struct Figure {
  std::string Name;
  std::vector<Sample> Samples;
  double Budget = kFrameMs;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

template <typename Part>
double MedianOf(const Figure& figure, Part part) {
  std::vector<double> values;
  for (const Sample& sample : figure.Samples) values.push_back(part(sample));
  return Median(values);
}

void PrintHeading() {
  std::printf("  %-44s %7s %7s %7s %7s %7s %7s %7s %7s\n", "(ms; medians unless named)", "cpu",
              "wall", "best", "worst", "handler", "events", "repaint", "budget");
}

// The verdict takes the median processor time of the window's thread, which is the wall-clock
// time on an idle machine; the wall-clock columns show what the other programs of a shared
// machine added.
void PrintFigure(const Figure& figure) {
  if (figure.Samples.empty()) return;
  const auto total = [](const Sample& s) { return s.Total(); };
  double best = figure.Samples.front().Total();
  double worst = best;
  for (const Sample& sample : figure.Samples) {
    best = std::min(best, sample.Total());
    worst = std::max(worst, sample.Total());
  }
  const double cpu = MedianOf(figure, [](const Sample& s) { return s.Cpu; });
  std::printf("  %-44s %7.2f %7.2f %7.2f %7.2f %7.2f %7.2f %7.2f %7.0f  %s\n", figure.Name.c_str(),
              cpu, MedianOf(figure, total), best, worst,
              MedianOf(figure, [](const Sample& s) { return s.Handler; }),
              MedianOf(figure, [](const Sample& s) { return s.Events; }),
              MedianOf(figure, [](const Sample& s) { return s.FullPaint; }), figure.Budget,
              cpu <= figure.Budget ? "ok" : "OVER");
}

// A figure of the start-up, timed once; without a budget, none is shown.
void PrintOnceFigure(const std::string& name, double cpu, double wall, double budget) {
  std::printf("  %-44s %7.2f %7.2f %7s %7s %7s %7s %7s", name.c_str(), cpu, wall, "", "", "", "",
              "");
  if (budget > 0) std::printf(" %7.0f  %s", budget, cpu <= budget ? "ok" : "OVER");
  std::printf("\n");
}

// Lets the window do what the last change asked for: layouts, deferred updates and the painting
// of what changed (twice, for the events that the first pass posts).
void ProcessEvents() {
  QApplication::processEvents();
  QApplication::processEvents();
}

Sample Timed(QWidget& window, const std::function<void()>& change) {
  Sample sample;
  const int64_t cpu = ThreadCpuNs();
  QElapsedTimer timer;
  timer.start();
  change();
  sample.Handler = Ms(timer.nsecsElapsed());
  ProcessEvents();
  sample.Events = Ms(timer.nsecsElapsed()) - sample.Handler;
  // The worst case of what the screen then shows: the whole window painted at once.
  window.repaint();
  sample.FullPaint = Ms(timer.nsecsElapsed()) - sample.Handler - sample.Events;
  sample.Cpu = Ms(ThreadCpuNs() - cpu);
  return sample;
}

// Times a change repeatedly; step(i) makes the i-th change. VEK5_WINDOW_ONLY limits the run
// to the changes whose names hold its text (for a profiler's run).
Figure Repeat(QWidget& window, const std::string& name, const std::function<void(int)>& step,
              double budget = kFrameMs) {
  Figure figure{name, {}, budget};
  const char* only = getenv("VEK5_WINDOW_ONLY");
  if (only && name.find(only) == std::string::npos) return figure;
  for (int i = 0; i < Repeats(); ++i) figure.Samples.push_back(Timed(window, [&] { step(i); }));
  return figure;
}

template <typename Widget>
Widget* Find(QWidget& root, const char* name) {
  auto* widget = root.findChild<Widget*>(name);
  if (!widget) {
    std::fprintf(stderr, "no control named %s\n", name);
    std::exit(1);
  }
  return widget;
}

// Index i of a cycle through the items of a selector (never the current one, when it has two).
int Cycled(const QComboBox* selector, int i) {
  const int count = std::max(selector->count(), 1);
  return (selector->currentIndex() + 1 + i % std::max(count - 1, 1)) % count;
}

int64_t ProcessCpuNs() {
  return ClockNs(CLOCK_PROCESS_CPUTIME_ID);
}

// LoadSave and Save5Analyse alone, as the window calls them, the first time in a process.
struct LoadFigure {
  double Wall = 0;
  double Cpu = 0;  // of the process since it started, as for the start-up
  double ImageMb = 0;
};

LoadFigure LoadOnce(const std::string& file) {
  const int64_t start = MonotonicNs();
  const SaveImage image = LoadSaveForAnalysis(file);
  const auto state = Save5Analyse(image);
  return {Ms(MonotonicNs() - start), Ms(ProcessCpuNs()), image.DataLength / 1e6};
}

// One save in this process: the start-up first (as main() does it: the window shown, the load
// posted to the event loop, then the first paint), then the selections.
int RunOne(const std::string& file, int64_t start_ns, const LoadFigure& load_only, bool start_only,
           int argc, char** argv) {
  const std::string runtime = testing::TempPath("runtime");
  std::filesystem::create_directories(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);

  const int64_t main_ns = MonotonicNs();
  QApplication app(argc, argv);
  QApplication::setApplicationName(kProgramName);
  // A first start every time: nothing the user's window remembers changes what is measured.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString(testing::TempPath("settings")));
  QSettings().clear();
  const int64_t app_ns = MonotonicNs();
  MainWindow form;
  const int64_t form_ns = MonotonicNs();
  form.ShowError = [](const QString& message) {
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
  };
  form.show();
  bool loaded = false;
  int64_t painted_ns = 0;
  int64_t painted_cpu_ns = 0;
  // A loop of its own: the application's quit() would close the window.
  QEventLoop loop;
  int64_t load_start_ns = 0;
  int64_t loaded_ns = 0;
  QTimer::singleShot(0, &form, [&] {
    load_start_ns = MonotonicNs();
    loaded = form.LoadFile(QFile::decodeName(QByteArray::fromStdString(file)));
    loaded_ns = MonotonicNs();
    ProcessEvents();
    form.repaint();
    painted_ns = MonotonicNs();
    painted_cpu_ns = ProcessCpuNs();
    loop.quit();
  });
  loop.exec();
  if (!loaded) return 1;
  const double startup = Ms(painted_ns - start_ns);
  const double startup_cpu = Ms(painted_cpu_ns);
  if (start_only) {
    std::printf("%.3f,%.3f", startup_cpu, startup);
    return 0;
  }

  const GameState& state = form.State();
  size_t cities = 0;
  for (const auto& records : state.Cities) cities += records.size();
  std::printf("%s: %d players, %zu cities, %d turns played, image %.1f MB\n",
              std::filesystem::path(file).filename().c_str(), state.PlayerCount, cities,
              state.TurnsPlayed, load_only.ImageMb);
  std::printf(
      "  start-up parts (ms): process %.1f, application %.1f, window built %.1f, "
      "shown %.1f, LoadFile %.1f, painted %.1f\n",
      Ms(main_ns - start_ns), Ms(app_ns - main_ns), Ms(form_ns - app_ns),
      Ms(load_start_ns - form_ns), Ms(loaded_ns - load_start_ns), Ms(painted_ns - loaded_ns));
  PrintHeading();
  PrintOnceFigure("start-up to first painted window", startup_cpu, startup, 0);
  PrintOnceFigure("  LoadSave + Save5Analyse alone (own process)", load_only.Cpu, load_only.Wall,
                  0);
  PrintOnceFigure("  start-up beyond the load", startup_cpu - load_only.Cpu,
                  startup - load_only.Wall, 0);
  std::vector<Figure> figures;

  auto* pages = Find<QTabWidget>(form, "PageControls");
  auto* graph_tab = Find<QWidget>(form, "GraphTab");
  auto* graph_select = Find<QComboBox>(form, "GraphSelect");
  auto* check_list = Find<QListWidget>(form, "GraphPlayerList");
  figures.push_back({"graph: first draw (tab shown after the load)",
                     {Timed(form, [&] { pages->setCurrentWidget(graph_tab); })},
                     kFirstDrawMs});
  figures.push_back(Repeat(form, "graph: redraw, statistic changed",
                           [&](int i) { graph_select->setCurrentIndex(Cycled(graph_select, i)); }));
  figures.push_back(Repeat(form, "graph: redraw, one player (un)checked", [&](int) {
    QListWidgetItem* item = check_list->item(0);
    if (item) item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }));

  pages->setCurrentWidget(Find<QWidget>(form, "CityTab"));
  ProcessEvents();
  auto* city_player = Find<QComboBox>(form, "PlayerCitySelect");
  auto* city_box = Find<QComboBox>(form, "CityBox");
  figures.push_back(Repeat(form, "cities: player changed",
                           [&](int i) { city_player->setCurrentIndex(Cycled(city_player, i)); }));
  // Cities are switched for the player with the most.
  int most_cities = 0;
  for (int entry = 0, most = -1; entry < city_player->count(); ++entry) {
    city_player->setCurrentIndex(entry);
    if (city_box->count() > most) most = city_box->count(), most_cities = entry;
  }
  city_player->setCurrentIndex(most_cities);
  ProcessEvents();
  figures.push_back(Repeat(form, "cities: city changed",
                           [&](int i) { city_box->setCurrentIndex(Cycled(city_box, i)); }));

  pages->setCurrentWidget(Find<QWidget>(form, "StatsTab"));
  ProcessEvents();
  auto* language = Find<QComboBox>(form, "StatsLangSelect");
  figures.push_back(Repeat(form, "stats: language switched",
                           [&](int) { language->setCurrentIndex(1 - language->currentIndex()); }));
  auto* stats_player = Find<QComboBox>(form, "PlayerStatsSelect");
  figures.push_back(Repeat(form, "stats: player changed",
                           [&](int i) { stats_player->setCurrentIndex(Cycled(stats_player, i)); }));

  for (const Figure& figure : figures) PrintFigure(figure);
  std::fflush(stdout);
  return 0;
}

// Runs this program with the arguments in a child process, its output read into `output`.
int RunChild(const std::vector<std::string>& args, std::string* output = nullptr) {
  std::vector<std::string> arguments = args;
  std::vector<char*> argv;
  for (std::string& arg : arguments) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int pipe_ends[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output) {
    if (pipe(pipe_ends) != 0) return 1;
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
  }
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (output) {
    close(pipe_ends[1]);
    char buffer[256];
    ssize_t got = 0;
    while (spawned == 0 && (got = read(pipe_ends[0], buffer, sizeof buffer)) > 0) {
      output->append(buffer, static_cast<size_t>(got));
    }
    close(pipe_ends[0]);
  }
  if (spawned != 0) return 1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

constexpr int kStartUps = 5;

// One save: its first load alone and the start-up each in kStartUps fresh processes, then the
// window with the changes in one more. Start-ups are timed from just before the process starts.
int RunSave(const std::string& file) {
  std::vector<double> load_cpu, load_wall, start_cpu, start_wall;
  std::string load;
  for (int i = 0; i < kStartUps; ++i) {
    load.clear();
    if (RunChild({"vek5_window_bench", "--load-only", file}, &load) != 0) return 1;
    LoadFigure figure;
    if (std::sscanf(load.c_str(), "%lf,%lf", &figure.Wall, &figure.Cpu) != 2) return 1;
    load_wall.push_back(figure.Wall);
    load_cpu.push_back(figure.Cpu);
    std::string start;
    if (RunChild({"vek5_window_bench", "--start-ns", std::to_string(MonotonicNs()), load, file,
                  "--start-only"},
                 &start) != 0) {
      return 1;
    }
    double cpu = 0, wall = 0;
    if (std::sscanf(start.c_str(), "%lf,%lf", &cpu, &wall) != 2) return 1;
    start_cpu.push_back(cpu);
    start_wall.push_back(wall);
  }
  std::fflush(stdout);
  if (RunChild({"vek5_window_bench", "--start-ns", std::to_string(MonotonicNs()), load, file}) !=
      0) {
    return 1;
  }
  std::printf("  medians of %d start-ups and %d first loads, each in its own process:\n", kStartUps,
              kStartUps);
  PrintOnceFigure("start-up to first painted window", Median(start_cpu), Median(start_wall), 0);
  PrintOnceFigure("  LoadSave + Save5Analyse alone", Median(load_cpu), Median(load_wall), 0);
  PrintOnceFigure("  start-up beyond the load", Median(start_cpu) - Median(load_cpu),
                  Median(start_wall) - Median(load_wall), kFirstDrawMs);
  std::fflush(stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  PrepareProcessHeap();  // as the window does
  if (argc == 3 && std::strcmp(argv[1], "--load-only") == 0) {
    const LoadFigure load = LoadOnce(argv[2]);
    std::printf("%.3f,%.3f,%.3f", load.Wall, load.Cpu, load.ImageMb);
    return 0;
  }
  if ((argc == 5 || argc == 6) && std::strcmp(argv[1], "--start-ns") == 0) {
    LoadFigure load;
    if (std::sscanf(argv[3], "%lf,%lf,%lf", &load.Wall, &load.Cpu, &load.ImageMb) != 3) return 1;
    const bool start_only = argc == 6 && std::strcmp(argv[5], "--start-only") == 0;
    return RunOne(argv[4], std::stoll(argv[2]), load, start_only, 1, argv);
  }
  if (argc == 3 && std::strcmp(argv[1], "--write-large") == 0) {
    testing::WriteFile(argv[2], testing::WriteSaveFile(LargeGame()));
    return 0;
  }
  if (argc == 2) return RunSave(argv[1]);

  std::vector<std::string> files;
  const std::string large = testing::TempPath("large-1500-turns.Vek5Save");
  testing::WriteFile(large, testing::WriteSaveFile(LargeGame()));
  files.push_back(large);
  for (const char* name : kSharedSaves) {
    const std::string path = testing::SharedSave(name);
    if (!path.empty()) files.push_back(path);
  }
  int failures = 0;
  for (const std::string& file : files) failures += RunSave(file) != 0;
  return failures == 0 ? 0 : 1;
}
