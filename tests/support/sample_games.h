// Small whole games of every layout the analysis tells apart, made with the save builder: each
// rule set and save layout row, and the shapes later readers added (teams sharing technology
// tables, history blocks placed by their slot's record, the final patch's city fields, a body
// compressed as the game compresses it). The fuzz seeds and the damaged-save sweeps start from
// them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "support/save_builder.h"

namespace vek5::testing {

struct SampleGame {
  std::string Name;  // usable in a file name and a test name
  GameDescription Game;
};

std::vector<SampleGame> SampleGames();

// Test output names a sample by its name.
inline void PrintTo(const SampleGame& sample, std::ostream* out) {
  *out << sample.Name;
}

// The slots of the sample games (two majors, a city-state, the barbarians), with or without
// their per-slot text keys.
std::vector<SlotDescription> SampleSlots(bool slot_keys);

}  // namespace vek5::testing
