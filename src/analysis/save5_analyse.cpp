#include "analysis/save5_analyse.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

#include "analysis/city_layout.h"
#include "analysis/searched_markers.h"
#include "analysis/sections.h"

namespace vek5 {
namespace {

// The occurrences of the searched markers on the image for the time of one analysis, so that the
// sections' searches answer from them: those the load recorded, or else recorded now and
// dropped at the end. The image's bytes do not change meanwhile.
class IndexedMarkers {
 public:
  explicit IndexedMarkers(const SaveImage& save) : save_(save) {
    const int64_t size = std::min<int64_t>(save.DataLength, save.SaveBuffer.size());
    if (save.Markers.Covers(save.SaveBuffer.data(), size)) return;
    save_.Markers = MarkerIndex(save.SaveBuffer.data(), size, markers::SearchedPatterns());
    made_here_ = true;
  }
  ~IndexedMarkers() {
    if (made_here_) save_.Markers = MarkerIndex();
  }
  IndexedMarkers(const IndexedMarkers&) = delete;
  IndexedMarkers& operator=(const IndexedMarkers&) = delete;

 private:
  const SaveImage& save_;
  bool made_here_ = false;
};

// Threads the body's sections are read on at most, this one included.
constexpr unsigned kMaxAnalysisThreads = 4;

unsigned ThreadCount(AnalysisThreads threads) {
  if (threads == AnalysisThreads::kOne) return 1;
  return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxAnalysisThreads);
}

// Helper threads that wait for one list of tasks and run it together with the thread that hands
// it over. They start before the tasks are known, so that their start overlaps other work.
class TaskCrew {
 public:
  explicit TaskCrew(unsigned threads) {
    for (unsigned h = 1; h < threads; ++h) {
      try {
        helpers_.emplace_back([this] {
          {
            std::unique_lock<std::mutex> lock(wait_lock_);
            wake_.wait(lock, [this] { return handed_over_; });
          }
          Work();
        });
      } catch (const std::system_error&) {
        break;  // no more threads to be had: fewer do the work
      }
    }
  }
  // Helpers never handed tasks (an error came first) stop with none.
  ~TaskCrew() { Join(); }
  TaskCrew(const TaskCrew&) = delete;
  TaskCrew& operator=(const TaskCrew&) = delete;

  unsigned Size() const { return static_cast<unsigned>(helpers_.size()) + 1; }

  // Runs every task once, each thread taking the next task no thread has taken (so that one
  // thread alone runs them in order); returns when all have run. The first exception a task
  // throws is thrown here once every thread has stopped. Called once.
  void Run(std::span<const std::function<void()>> tasks) {
    tasks_ = tasks;
    HandOver();
    Work();
    Join();
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  void Work() {
    for (size_t i = next_++; i < tasks_.size(); i = next_++) {
      try {
        tasks_[i]();
      } catch (...) {
        const std::lock_guard<std::mutex> lock(failure_lock_);
        if (!failure_) failure_ = std::current_exception();
      }
    }
  }
  void HandOver() {
    {
      const std::lock_guard<std::mutex> lock(wait_lock_);
      handed_over_ = true;
    }
    wake_.notify_all();
  }
  void Join() {
    HandOver();
    for (std::thread& helper : helpers_) {
      if (helper.joinable()) helper.join();
    }
  }

  std::span<const std::function<void()>> tasks_;
  std::mutex wait_lock_;
  bool handed_over_ = false;  // the tasks are set (or none will come); under wait_lock_
  std::condition_variable wake_;
  std::atomic<size_t> next_{0};
  std::mutex failure_lock_;
  std::exception_ptr failure_;
  std::vector<std::thread> helpers_;
};

// The sections from the players' records on read apart from each other, so they run side by
// side; the cities, the largest, are read entry by entry once their records are walked.
void ReadBodySections(const SaveImage& save, GameState& s, TaskCrew& crew, int32_t replay_end) {
  const std::vector<int32_t> map_teams = TeamsWithLivingPlayer(s);
  FoundCities cities;
  std::vector<int32_t> entries;  // those with cities, the most first, for an even share
  std::atomic<size_t> next_entry{0};
  std::atomic<bool> walk_over{false};
  const auto walk = [&] {
    struct Over {
      std::atomic<bool>& Flag;
      ~Over() { Flag.store(true, std::memory_order_release); }
    } over{walk_over};
    cities = WalkCities(save, s);
    for (int32_t p = 0; p < kMaxSlots; ++p) {
      if (!cities.OfEntry[p].empty()) entries.push_back(p);
    }
    std::stable_sort(entries.begin(), entries.end(), [&](int32_t a, int32_t b) {
      return cities.OfEntry[a].size() > cities.OfEntry[b].size();
    });
  };
  const auto read_entries = [&] {
    while (!walk_over.load(std::memory_order_acquire)) std::this_thread::yield();
    if (!cities.Layout) return;  // the walk failed; its error is thrown
    CityListNames names = NewCityListNames();
    for (size_t k = next_entry++; k < entries.size(); k = next_entry++) {
      ReadEntryCities(save, s, cities, entries[k], names);
    }
  };
  std::vector<std::function<void()>> tasks = {
      walk,
      [&] {
        // The players' records tell which slot each history block belongs to.
        const std::vector<PlayerRecord> records = FindPlayerRecords(save, s);
        ReadHistory(save, s, records);
        ReadEconomy(save, s, records);
        ReadAliveFlags(save, s, records);
      },
      [&] { ReadNotificationLogs(save, s); },
      [&] { s.Map = ReadWorldMap(save, replay_end, map_teams); },
      [&] {
        ReadInfluence(save, s);
        ReadPolicies(save, s);
        ReadTechnologies(save, s);
      },
  };
  tasks.insert(tasks.end(), crew.Size(), read_entries);
  crew.Run(tasks);
  FinishCities(s, cities);
}

}  // namespace

SaveImage LoadSaveForAnalysis(const std::string& file_name) {
  return LoadSave(file_name, markers::SearchedPatterns());
}

std::unique_ptr<GameState> Save5Analyse(const SaveImage& save, AnalysisThreads threads) {
  TaskCrew crew(ThreadCount(threads));  // ready by the time the header is read
  // ReadHistory makes one history set per Leaders entry, not all kMaxSlots up front.
  const IndexedMarkers indexed(save);
  auto state = std::make_unique<GameState>();
  GameState& s = *state;
  int32_t pos = 4;  // the first four bytes of a save are never read
  s.BodyEndsEarly = save.EndsEarly ? kTrue : kFalse;
  s.BodyLength = save.BodyLength;
  s.BodyShareRead = save.BodyShareRead;

  ReadSettings(save, s, pos);
  ReadSlotLists(save, s, pos);
  ReadTurnTimer(save, s, pos);
  BuildPlayerList(s);
  ReadGameOptions(save, s, pos);

  ReadBodyHeader(save, s);
  ReadReplayList(save, s, pos);
  const int32_t replay_end = pos;

  ReadLeagueProjects(save, s, pos);
  ReadReligions(save, s, pos);
  ReadBodySections(save, s, crew, replay_end);
  ComputeDerivedValues(s);
  CountLoads(s);
  return state;
}

std::unique_ptr<GameState> AnalyseSaveFile(const std::string& file_name) {
  return Save5Analyse(LoadSaveForAnalysis(file_name), AnalysisThreads::kOne);
}

}  // namespace vek5
