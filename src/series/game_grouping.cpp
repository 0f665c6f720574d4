#include "series/game_grouping.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "model/naming.h"

namespace vek5 {
namespace {

// A part of the key, length-prefixed so that no text can run into the next one.
void AddPart(std::string& key, std::string_view part) {
  key += std::to_string(part.size());
  key += ':';
  key += part;
}

struct Cluster {
  std::string Key;
  std::vector<int32_t> StartRecord;
  std::vector<size_t> Saves;
};

// Clusters by key and start record; saves without a record join the key's only cluster
// that has one.
std::vector<Cluster> ClusterSaves(const std::vector<SaveRecord>& saves) {
  std::vector<Cluster> clusters;
  std::map<std::pair<std::string, std::vector<int32_t>>, size_t> index;
  for (size_t i = 0; i < saves.size(); ++i) {
    if (!saves[i].Loaded()) continue;
    const auto id = std::make_pair(saves[i].GameKey, saves[i].StartRecord);
    auto [at, added] = index.try_emplace(id, clusters.size());
    if (added) clusters.push_back({saves[i].GameKey, saves[i].StartRecord, {}});
    clusters[at->second].Saves.push_back(i);
  }
  std::vector<Cluster> merged;
  for (Cluster& cluster : clusters) {
    if (cluster.StartRecord.empty()) {
      const auto with_record = [&](const Cluster& c) {
        return c.Key == cluster.Key && !c.StartRecord.empty();
      };
      if (std::count_if(clusters.begin(), clusters.end(), with_record) == 1) {
        auto target = std::find_if(clusters.begin(), clusters.end(), with_record);
        target->Saves.insert(target->Saves.end(), cluster.Saves.begin(), cluster.Saves.end());
        cluster.Saves.clear();
      }
    }
  }
  for (Cluster& cluster : clusters) {
    if (cluster.Saves.empty()) continue;
    std::sort(cluster.Saves.begin(), cluster.Saves.end());
    merged.push_back(std::move(cluster));
  }
  // Games are numbered in the order of their first save in the batch.
  std::sort(merged.begin(), merged.end(),
            [](const Cluster& a, const Cluster& b) { return a.Saves.front() < b.Saves.front(); });
  return merged;
}

// Saves of one turn in the order of what they hold, when each begins the next (a game loaded
// again at that turn and saved once more); else, left in the order of their files.
void OrderSavesOfOneTurn(const std::vector<SaveRecord>& saves, std::vector<size_t>::iterator first,
                         std::vector<size_t>::iterator last) {
  std::vector<size_t> by_content(first, last);
  std::stable_sort(by_content.begin(), by_content.end(), [&](size_t a, size_t b) {
    return std::make_pair(saves[a].Past.Replay.size(), saves[a].Summary.SessionCounter) <
           std::make_pair(saves[b].Past.Replay.size(), saves[b].Summary.SessionCounter);
  });
  for (size_t i = 1; i < by_content.size(); ++i) {
    if (!BeginsWith(saves[by_content[i - 1]], saves[by_content[i]])) return;
  }
  std::copy(by_content.begin(), by_content.end(), first);
}

// A game's saves in turn order; saves of one turn by what they hold, else by file date and path.
void OrderSaves(const std::vector<SaveRecord>& saves, std::vector<size_t>& order) {
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const SaveRecord& x = saves[a];
    const SaveRecord& y = saves[b];
    return std::tie(x.Summary.CurrentTurn, x.Summary.FileDate, x.Path) <
           std::tie(y.Summary.CurrentTurn, y.Summary.FileDate, y.Path);
  });
  for (auto first = order.begin(); first != order.end();) {
    const int32_t turn = saves[*first].Summary.CurrentTurn;
    const auto last = std::find_if(first, order.end(),
                                   [&](size_t s) { return saves[s].Summary.CurrentTurn != turn; });
    if (last - first > 1) OrderSavesOfOneTurn(saves, first, last);
    first = last;
  }
}

}  // namespace

std::string GameKeyOf(const GameState& state) {
  std::string key;
  AddPart(key, std::to_string(state.Exp1Present != 0) + std::to_string(state.ZephPresent != 0));
  for (const std::string* text :
       {&state.GameSpeedName, &state.WorldSizeName, &state.MapScriptName, &state.StartEraName}) {
    AddPart(key, *text);
  }
  AddPart(key, std::to_string(state.MaxTurns) + "/" + std::to_string(state.StartTurn));
  for (const int32_t allowed : state.VictoryAllowed) AddPart(key, allowed != 0 ? "1" : "0");
  const int32_t entries = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int32_t e = 0; e < entries; ++e) {
    const TLeaderInfoRec& entry = state.Leaders[static_cast<size_t>(e)];
    AddPart(key, std::to_string(entry.Slot));
    AddPart(key, entry.CivName);
    AddPart(key, entry.LeaderName);
  }
  return key;
}

std::vector<int32_t> StartRecordOf(const SavePast& past) {
  std::vector<int32_t> record;
  if (past.Turns <= 0) return record;
  for (int32_t d = 0; d < past.Sets; ++d) {
    for (int32_t s = 0; s < past.Series; ++s) record.push_back(past.Value(d, s, past.FirstTurn));
  }
  return record;
}

std::vector<Game> GroupGames(const std::vector<SaveRecord>& saves) {
  std::vector<Game> games;
  for (Cluster& cluster : ClusterSaves(saves)) {
    Game game;
    game.Id = static_cast<int32_t>(games.size()) + 1;
    game.Saves = std::move(cluster.Saves);
    OrderSaves(saves, game.Saves);
    for (size_t i = 1; i < game.Saves.size(); ++i) {
      game.Verdicts.push_back(CompareSaves(saves[game.Saves[i - 1]], saves[game.Saves[i]]));
    }
    games.push_back(std::move(game));
  }
  return games;
}

std::vector<int32_t> GameOfEachSave(const std::vector<Game>& games, size_t save_count) {
  std::vector<int32_t> ids(save_count, 0);
  for (const Game& game : games) {
    for (const size_t save : game.Saves) {
      if (save < save_count) ids[save] = game.Id;
    }
  }
  return ids;
}

const Verdict* VerdictOfSave(const std::vector<Game>& games, size_t save) {
  for (const Game& game : games) {
    for (size_t i = 1; i < game.Saves.size(); ++i) {
      if (game.Saves[i] == save) return &game.Verdicts[i - 1];
    }
  }
  return nullptr;
}

}  // namespace vek5
