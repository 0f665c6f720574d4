// Which saves belong to one game, and each game's saves in order with their verdicts.
//
// Saves of one game share what is fixed when the game is set up and cannot change by playing
// or by reloading: the rule set, the game's settings (speed, world size, map script, starting
// era, turn limit, start turn, allowed victories) and the player list (every listed slot with
// its civilization and leader, or its city-state), written into the game key; and the history
// record of the start turn, written before any move is made. A save that has not yet finished
// its start turn has no such record: it joins the one game of its key that has one, or, when
// there are several or none, a game of its own key's saves without a record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/game_state.h"
#include "series/continuity.h"
#include "series/save_summary.h"

namespace vek5 {

struct Game {
  int32_t Id = 0;  // 1, 2, ... in the order of each game's first save in the batch
  // Batch indexes in turn order. Saves of one turn go in the order of what they hold when each
  // holds the beginning of the next; else file date, then path, break ties.
  std::vector<size_t> Saves;
  std::vector<Verdict> Verdicts;  // Verdicts[i]: Saves[i] against Saves[i + 1]
};

// The settings and the player list, as one text; equal texts for every save of one game.
std::string GameKeyOf(const GameState& state);
// Every set's every series at the start turn; empty when the save holds no finished turn.
std::vector<int32_t> StartRecordOf(const SavePast& past);

// Groups the analysed saves of a batch (failed ones belong to no game) and judges each save
// against the one before it in its game. Depends only on the records, never on their timing.
std::vector<Game> GroupGames(const std::vector<SaveRecord>& saves);

// The game of each save (its Id), 0 for a save in none; indexed like saves.
std::vector<int32_t> GameOfEachSave(const std::vector<Game>& games, size_t save_count);
// The verdict against the previous save of its game, null for a game's first save.
const Verdict* VerdictOfSave(const std::vector<Game>& games, size_t save);

}  // namespace vek5
