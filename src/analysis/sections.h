// The sections of the analysis, in the order the save holds them. Each lives in its own source
// file named after what it reads. Header sections continue from the main read position; body
// sections from the player history on restart their own search at the start of the body.
#pragma once

#include <cstdint>

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

// World sections.
void ReadLeagueProjects(const SaveImage& save, GameState& state, int32_t& pos);
void ReadReligions(const SaveImage& save, GameState& state, int32_t& pos);
void ReadHistory(const SaveImage& save, GameState& state);
void ReadInfluence(const SaveImage& save, GameState& state);
void ReadPolicies(const SaveImage& save, GameState& state);
void ReadTechnologies(const SaveImage& save, GameState& state);
void ReadEconomy(const SaveImage& save, GameState& state);
void ReadNotificationLogs(const SaveImage& save, GameState& state);

// Cities and what is derived from everything read.
void ReadCities(const SaveImage& save, GameState& state);
void ComputeDerivedValues(GameState& state);

}  // namespace vek5
