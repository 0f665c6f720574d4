// A large late-game save written with the test save builder: 12 major players, city-states and
// the barbarians, 400 cities, 500 turns of history, full notification logs and a map-like filler
// that brings the body past 20 MB. It stands in for the biggest saves users open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/city_writer.h"
#include "support/world_writer.h"

namespace vek5::bench {

struct LargeSaveFormat {
  testing::Rules RuleSet;
  testing::CityRecordForm CityForm;
  // Bytes of a huge map early in a game, mostly unexplored, ahead of the other sections: it
  // makes the body inflate far more than usual (about 70-fold with 75 MB of it).
  size_t EarlyMapBytes = 0;
};

// The whole save file, ready to be written to disk.
std::vector<uint8_t> WriteLargeSave(const LargeSaveFormat& format);

// The large saves every benchmark uses, one of them inflating about 70-fold.
struct LargeCase {
  const char* Name;
  LargeSaveFormat Format;
};
inline constexpr LargeCase kLargeSaves[] = {
    {"large-zeph", {testing::Rules::kZeph, testing::CityRecordForm::ZephFinal}},
    {"large-exp1", {testing::Rules::kExp1, testing::CityRecordForm::Exp1Late}},
    {"large-early-huge-map",
     {testing::Rules::kZeph, testing::CityRecordForm::ZephFinal, 75'000'000}},
};

}  // namespace vek5::bench
