// The sections of the analysis, in the order the save holds them. Each lives in its own source
// file named after what it reads. Header sections continue from the main read position; body
// sections from the player history on restart their own search at the start of the body.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "container/save_image.h"
#include "model/game_state.h"

namespace vek5 {

// Header.
void ReadSettings(const SaveImage& save, GameState& state, int32_t& pos);
void ReadSlotLists(const SaveImage& save, GameState& state, int32_t& pos);
void ReadTurnTimer(const SaveImage& save, GameState& state, int32_t& pos);
void BuildPlayerList(GameState& state);
void ReadGameOptions(const SaveImage& save, GameState& state, int32_t& pos);

// Start of the body.
void ReadBodyHeader(const SaveImage& save, GameState& state);
void ReadReplayList(const SaveImage& save, GameState& state, int32_t& pos);
// The world map, searched from the end of the replay list, with the memory of the given teams.
WorldMap ReadWorldMap(const SaveImage& save, int32_t replay_end, std::span<const int32_t> teams);
// The teams that have a living player, in team order.
std::vector<int32_t> TeamsWithLivingPlayer(const GameState& state);

// A player's record in the body, found by the marker of its economy block. Every slot has one,
// in slot order: the k-th record accepted is slot k's. The slot's history block follows it.
struct PlayerRecord {
  int32_t Slot = 0;
  int32_t Marker = 0;  // offset of the economy block's marker
};
// The records in file order, at most one per slot.
std::vector<PlayerRecord> FindPlayerRecords(const SaveImage& save, const GameState& state);

// World sections.
void ReadLeagueProjects(const SaveImage& save, GameState& state, int32_t& pos);
void ReadReligions(const SaveImage& save, GameState& state, int32_t& pos);
void ReadHistory(const SaveImage& save, GameState& state, std::span<const PlayerRecord> records);
void ReadInfluence(const SaveImage& save, GameState& state);
void ReadPolicies(const SaveImage& save, GameState& state);
void ReadTechnologies(const SaveImage& save, GameState& state);
void ReadEconomy(const SaveImage& save, GameState& state, std::span<const PlayerRecord> records);
// The alive flags of each record that names its own slot (the player list set them from the
// slot status).
void ReadAliveFlags(const SaveImage& save, GameState& state, std::span<const PlayerRecord> records);
void ReadNotificationLogs(const SaveImage& save, GameState& state);

// Cities and what is derived from everything read.
void ReadCities(const SaveImage& save, GameState& state);
void ComputeDerivedValues(GameState& state);
// The loads the save counts against those its game needed, from the players, their history and
// the session starts.
void CountLoads(GameState& state);

}  // namespace vek5
