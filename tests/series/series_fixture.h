// Builder-made saves of one game at several turns, for the series tests: every save holds the
// history of its turns (value 1000 * set + 10 * series + turn) and the replay messages up to
// its turn, so that saves of one game agree on their past unless a test changes it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/save_builder.h"
#include "support/world_writer.h"

namespace vek5::testing {

inline constexpr int kSeriesSets = 5;  // one per entry of the default slots
inline constexpr int kSeriesPerSet = 4;

inline int32_t SeriesValue(int set, int series, int32_t turn) {
  return 1000 * set + 10 * series + turn;
}

// The game at a turn; its history blocks are the last body sections, one per set.
inline GameDescription SeriesGame(int32_t turn) {
  GameDescription game;
  game.TurnsPlayed = turn;
  game.ReplayMessages = {{0, "Session 1 starts"}};
  for (int32_t t = 1; t <= turn; t += 3) {
    game.ReplayMessages.push_back({t, "Event of turn " + std::to_string(t)});
  }
  for (int d = 0; d < kSeriesSets; ++d) {
    std::vector<HistoryPairs> series(kSeriesPerSet);
    for (int s = 0; s < kSeriesPerSet; ++s) {
      for (int32_t t = 0; t <= turn; ++t) series[s].push_back({t, SeriesValue(d, s, t)});
    }
    game.BodySections.push_back(WriteHistoryBlock(series));
  }
  return game;
}

// Changes one history value of a game made by SeriesGame.
inline void ChangeHistory(GameDescription& game, int set, int series, int32_t turn, int32_t value) {
  std::vector<HistoryPairs> all(kSeriesPerSet);
  for (int s = 0; s < kSeriesPerSet; ++s) {
    for (int32_t t = 0; t <= game.TurnsPlayed; ++t) {
      all[s].push_back({t, s == series && t == turn ? value : SeriesValue(set, s, t)});
    }
  }
  game.BodySections[game.BodySections.size() - kSeriesSets + set] = WriteHistoryBlock(all);
}

// A fresh folder for one test.
inline std::string SeriesFolder(const std::string& name) {
  const std::string folder = TempPath(name);
  std::filesystem::create_directories(folder);
  return folder;
}

inline std::string WriteGameSave(const std::string& folder, const std::string& name,
                                 const GameDescription& game) {
  const std::string path = folder + "/" + name;
  WriteFile(path, WriteSaveFile(game));
  return path;
}

}  // namespace vek5::testing
