#include "analysis/save5_analyse.h"

#include <algorithm>
#include <atomic>
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

// Runs every task once on up to `threads` threads, this one among them, each thread taking the
// next task no thread has taken, so that one thread runs them in order; returns when all have
// run. The first exception a task throws is thrown here once every thread has stopped.
void RunTasks(std::span<const std::function<void()>> tasks, unsigned threads) {
  std::atomic<size_t> next{0};
  std::mutex failure_lock;
  std::exception_ptr failure;
  const auto work = [&] {
    for (size_t i = next++; i < tasks.size(); i = next++) {
      try {
        tasks[i]();
      } catch (...) {
        const std::lock_guard<std::mutex> lock(failure_lock);
        if (!failure) failure = std::current_exception();
      }
    }
  };
  std::vector<std::thread> helpers;
  for (unsigned h = 1; h < threads && h < tasks.size(); ++h) {
    try {
      helpers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // no more threads to be had: fewer do the work
    }
  }
  work();
  for (std::thread& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
}

// The sections from the players' records on read apart from each other, so they run side by
// side; the cities, the largest, are read entry by entry once their records are walked.
void ReadBodySections(const SaveImage& save, GameState& s, unsigned threads) {
  // The players' records tell which slot each history block belongs to.
  const std::vector<PlayerRecord> records = FindPlayerRecords(save, s);
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
      [&] { ReadHistory(save, s, records); },
      [&] { ReadNotificationLogs(save, s); },
      [&] {
        ReadInfluence(save, s);
        ReadPolicies(save, s);
        ReadTechnologies(save, s);
        ReadEconomy(save, s, records);
      },
  };
  tasks.insert(tasks.end(), threads, read_entries);
  RunTasks(tasks, threads);
  FinishCities(s, cities);
}

}  // namespace

SaveImage LoadSaveForAnalysis(const std::string& file_name) {
  return LoadSave(file_name, markers::SearchedPatterns());
}

std::unique_ptr<GameState> Save5Analyse(const SaveImage& save, AnalysisThreads threads) {
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

  ReadLeagueProjects(save, s, pos);
  ReadReligions(save, s, pos);
  ReadBodySections(save, s, ThreadCount(threads));
  ComputeDerivedValues(s);
  return state;
}

}  // namespace vek5
