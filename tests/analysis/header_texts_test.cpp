// The kind of game, whose turn it is, and the texts of the slot section that single-player saves
// leave empty: set, they must be read as texts, or the rest of the header derails.
#include <gtest/gtest.h>

#include <functional>

#include "analysis/header_fixture.h"

namespace vek5 {
namespace {

using testing::Analyse;
using testing::GameDescription;

void ExpectHeaderIntact(const GameState& state) {
  ASSERT_EQ(state.PlayerCount, 5);
  EXPECT_EQ(state.Leaders[0].LeaderName, "Alexander");
  EXPECT_EQ(state.Leaders[2].LeaderName, "Warsaw");
  EXPECT_EQ(state.Leaders[4].Slot, 63);
  EXPECT_EQ(state.UserName, "Tester");
  EXPECT_EQ(state.VictoryAllowed, (std::array<int32_t, 5>{1, 0, 1, 1, 0}));
  EXPECT_EQ(state.GameOptionNames[0], "Quick Combat");
}

TEST(HeaderTexts, EveryTextOfTheSlotSectionIsReadAsAText) {
  struct Case {
    const char* Name;
    std::function<void(GameDescription&)> Set;
  };
  const Case cases[] = {
      {"admin password", [](GameDescription& g) { g.AdminPassword = "secret-admin"; }},
      {"calendar texts",
       [](GameDescription& g) {
         g.CalendarTexts = {
             "CALENDAR_DEFAULT", "Default", "TXT_KEY_CALENDAR_DEFAULT", "", "", "", "", "Calendar"};
       }},
      {"hotseat passwords",
       [](GameDescription& g) {
         g.HotseatPasswords = {"pw-one", "", "pw"};
       }},
      {"climate texts",
       [](GameDescription& g) {
         g.ClimateTexts = {
             "Arid climate",         "Arid", "help", "strategy", "pedia", "CLIMATE_ARID",
             "TXT_KEY_CLIMATE_ARID", "Arid"};
       }},
      {"e-mail addresses",
       [](GameDescription& g) {
         g.EmailAddresses = std::vector<std::string>(64, "");
         g.EmailAddresses[0] = "first@example.net";
         g.EmailAddresses[1] = "second@example.net";
       }},
      {"flag decals",
       [](GameDescription& g) {
         g.FlagDecals = std::vector<std::string>(64, "");
         g.FlagDecals[1] = "Art\\Flags\\Decal01.dds";
       }},
  };
  for (const bool keys : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.Name) + (keys ? " with slot keys" : ""));
      GameDescription game;
      game.SlotKeys = keys;
      game.Victories = {1, 0, 1, 1, 0};
      c.Set(game);
      ExpectHeaderIntact(*Analyse(game));
    }
  }
}

TEST(HeaderTexts, TheKindOfGameAndWhoseTurnItIs) {
  struct Case {
    uint8_t GameType;
    std::optional<int32_t> SlotGameType;
    int32_t ActivePlayer;
  };
  const Case cases[] = {{kGameSinglePlayer, std::nullopt, 0},
                        {kGameNetwork, std::nullopt, 0},
                        {kGameHotseat, std::nullopt, 1},
                        {kGameEmail, std::nullopt, 3},
                        {kGameHotseat, kGameNetwork, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "type " << int{c.GameType} << " player " << c.ActivePlayer);
    GameDescription game;
    game.GameType = c.GameType;
    game.SlotGameType = c.SlotGameType;
    game.ActivePlayer = c.ActivePlayer;
    game.AdminPassword = "admin";
    game.HotseatPasswords = {"one", "two"};
    game.Victories = {1, 0, 1, 1, 0};
    const auto state = Analyse(game);
    EXPECT_EQ(state->GameType, c.GameType);
    EXPECT_EQ(state->SlotGameType, c.SlotGameType.value_or(c.GameType));
    EXPECT_EQ(state->ActivePlayer, c.ActivePlayer);
    ExpectHeaderIntact(*state);
  }
}

}  // namespace
}  // namespace vek5
