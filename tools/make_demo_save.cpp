// Writes a plausible save of the game for trying the analyser without a real save at hand:
// six civilizations, city-states and barbarians on the second expansion's rules, a few game
// options, downloadable content and a replay with several play sessions.
#include <cstdio>
#include <exception>

#include "support/save_builder.h"

namespace {

using vek5::testing::GameDescription;
using vek5::testing::kStatusComputer;
using vek5::testing::kStatusHuman;
using vek5::testing::SlotDescription;

SlotDescription Major(int32_t civ, int32_t status, const char* civ_key, const char* leader_key) {
  return {civ, status, 0, 0, 0, civ_key, leader_key, ""};
}

SlotDescription CityState(const char* key) {
  return {18, kStatusComputer, 0, 0, 1, "CIVILIZATION_MINOR", "", key};
}

GameDescription DemoGame() {
  GameDescription game;
  game.SaveVersion = 8;
  game.GameVersion = "1.0.3.279 (403694)";
  game.BuildText = "403694";
  game.CivKey = "CIVILIZATION_GREECE";
  game.HandicapKey = "HANDICAP_KING";
  game.StartEraKey = "ERA_ANCIENT";
  game.CurrentEraKey = "ERA_MEDIEVAL";
  game.GameSpeedKey = "GAMESPEED_STANDARD";
  game.WorldSizeKey = "WORLDSIZE_SMALL";
  game.MapScript = "Assets\\Maps\\Pangaea.lua";
  game.Content = {{691805923, {"Mongolia"}},
                  {-1232742946, {"Spain and Inca"}},
                  {-319306235, {"Polynesia"}},
                  {288105138, {"Korea"}},
                  {1952037426, {"Babylon"}},
                  {238506401, {"Expansion - First Rule Set"}},
                  {1839232566, {"Expansion - Second Rule Set"}}};
  game.SlotKeys = true;
  game.UserName = "Demo Player";
  game.FinalPatchSlotList = true;
  game.Slots.assign(vek5::testing::kSlotListLength, SlotDescription{});
  game.Slots[0] = Major(8, kStatusHuman, "CIVILIZATION_GREECE", "LEADER_ALEXANDER");
  game.Slots[1] = Major(4, kStatusComputer, "CIVILIZATION_EGYPT", "LEADER_RAMESSES");
  game.Slots[2] = Major(20, kStatusComputer, "CIVILIZATION_MONGOL", "LEADER_GENGHIS_KHAN");
  game.Slots[3] = Major(22, kStatusComputer, "CIVILIZATION_SPAIN", "LEADER_ISABELLA");
  game.Slots[4] = Major(13, kStatusComputer, "CIVILIZATION_PERSIA", "LEADER_DARIUS");
  game.Slots[5] = Major(24, kStatusComputer, "CIVILIZATION_KOREA", "LEADER_SEJONG");
  const char* city_states[] = {"MINOR_CIV_GENEVA",       "MINOR_CIV_CAHOKIA",  "MINOR_CIV_KYZYL",
                               "MINOR_CIV_ZANZIBAR",     "MINOR_CIV_SIDON",    "MINOR_CIV_MONACO",
                               "MINOR_CIV_BUENOS_AIRES", "MINOR_CIV_SINGAPORE"};
  for (int i = 0; i < 8; ++i) game.Slots[22 + i] = CityState(city_states[i]);
  game.Slots[63] = Major(19, kStatusComputer, "CIVILIZATION_BARBARIAN", "LEADER_BARBARIAN");

  game.Victories = {1, 1, 1, 1, 0};
  game.GameOptions = {{"GAMEOPTION_QUICK_COMBAT", 1},       {"GAMEOPTION_QUICK_MOVEMENT", 1},
                      {"GAMEOPTION_RAGING_BARBARIANS", 0},  {"GAMEOPTION_RANDOM_PERSONALITIES", 1},
                      {"GAMEOPTION_SIMULTANEOUS_TURNS", 0}, {"GAMEOPTION_NO_TUTORIAL", 1}};

  game.TurnsPlayed = 152;
  game.StartTurn = 0;
  game.MaxTurns = 500;
  game.PlayTime = 312467;
  game.HandicapIndex = 4;
  game.Score = 642;
  game.ReplayMessages = {{0, "Session 1 starts"},
                         {0, "Athens is founded."},
                         {0, "Thebes is founded."},
                         {0, "Karakorum is founded."},
                         {9, "[COLOR_POSITIVE_TEXT]Alexander[ENDCOLOR] meets Genghis Khan."},
                         {23, "Sparta is founded."},
                         {31, "Session 2 starts"},
                         {47, "Alexander completes the Great Library!"},
                         {58, "Corinth is founded."},
                         {74, "A golden age begins for the Greek civilization."},
                         {88, "Session 3 starts"},
                         {96, "Genghis Khan declares war on Isabella!"},
                         {112, "Isabella captures Xanadu."},
                         {125, "Session 4 starts"},
                         {131, "Alexander completes Notre Dame!"},
                         {150, "Darius I adopts Rationalism."},
                         {152, "Session 5 starts"}};
  game.SessionCounter = 6;
  return game;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.Vek5Save\n", argv[0]);
    return 2;
  }
  try {
    vek5::testing::WriteFile(argv[1], vek5::testing::WriteSaveFile(DemoGame()));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
