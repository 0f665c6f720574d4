#include <gtest/gtest.h>

#include "analysis/header_fixture.h"
#include "container/readers.h"

namespace vek5 {
namespace {

using testing::Analyse;
using testing::BuildImage;
using testing::GameDescription;
using testing::ReplayMessage;

TEST(ReadBodyHeader, TurnLimitChoosesTheCalendar) {
  struct Case {
    int32_t max_turns;
    int32_t speed_index;
    int32_t speed_percent;
  };
  for (const Case& c : {Case{1500, 0, 300}, Case{750, 1, 150}, Case{500, 2, 100}, Case{600, 2, 100},
                        Case{330, 3, 67}}) {
    SCOPED_TRACE(c.max_turns);
    GameDescription game;
    game.MaxTurns = c.max_turns;
    const auto state = Analyse(game);
    EXPECT_EQ(state->MaxTurns, c.max_turns);
    EXPECT_EQ(state->SpeedIndex, c.speed_index);
    EXPECT_EQ(state->SpeedPercent, c.speed_percent);
  }
}

TEST(ReadBodyHeader, CurrentTurnAndDate) {
  GameDescription game;
  game.StartTurn = 40;
  game.TurnsPlayed = 401;
  const auto state = Analyse(game);
  EXPECT_EQ(state->CurrentTurn, 441);
  EXPECT_EQ(state->CurrentYear, 2020);
  EXPECT_EQ(state->CurrentDateText, "Jul");
}

TEST(ReadBodyHeader, PlayingTimeRoundsUpFromTwoTenths) {
  for (const auto& [tenths, seconds] : {std::pair{12345, 1235}, {12341, 1234}, {12340, 1234}}) {
    GameDescription game;
    game.PlayTime = tenths;
    EXPECT_EQ(Analyse(game)->PlayTimeSeconds, seconds) << tenths;
  }
}

TEST(ReadBodyHeader, DifficultyOutsideTheTableIsPrince) {
  struct Case {
    int32_t stored;
    int32_t index;
    int32_t mod2;
  };
  for (const Case& c : {Case{7, 7, 60}, Case{0, 0, 160}, Case{9, 3, 100}, Case{-1, 3, 100}}) {
    GameDescription game;
    game.HandicapIndex = c.stored;
    const auto state = Analyse(game);
    EXPECT_EQ(state->HandicapIndex, c.index) << c.stored;
    EXPECT_EQ(state->LevelMod2, c.mod2) << c.stored;
  }
}

TEST(ReadBodyHeader, SecondBlockFollowsTheKeyTextsInSavesWithSlotKeys) {
  for (const bool keys : {false, true}) {
    for (const std::vector<std::string>& texts :
         {std::vector<std::string>{}, {"FIRST_TURN_BUILD_CITY", "A", "LONGER_KEY_TEXT"}}) {
      SCOPED_TRACE(::testing::Message() << "keys " << keys << " texts " << texts.size());
      GameDescription game;
      game.SlotKeys = keys;
      game.BodyKeyTexts = texts;
      game.HandicapIndex = 5;
      game.VictoryType = 2;
      game.GameOver = 1;
      game.Score = 4321;
      const auto state = Analyse(game);
      EXPECT_EQ(state->HandicapIndex, 5);
      EXPECT_EQ(state->VictoryType, 2);
      EXPECT_EQ(state->GameOver, 1);
      EXPECT_EQ(state->Score, 4321);
    }
  }
}

TEST(ReadBodyHeader, WorldSizeAndEraModifiers) {
  GameDescription game;
  game.WorldSizeKey = "WORLDSIZE_HUGE";
  game.StartEraKey = "ERA_MEDIEVAL";
  auto state = Analyse(game);
  EXPECT_EQ(state->WorldSizeIndex, 5);
  EXPECT_EQ(state->WorldSizePercent, 130);
  EXPECT_EQ(state->EraMod1, 100);
  EXPECT_EQ(state->EraMod3, 75);
  EXPECT_EQ(state->EraMod4, 50);
  game.WorldSizeKey = "WORLDSIZE_ENORMOUS";
  state = Analyse(game);
  EXPECT_EQ(state->WorldSizeIndex, 3);
  EXPECT_EQ(state->WorldSizePercent, 110);
}

TEST(ReadReplayList, PatternNeedsAFourthValueAboveNineThousandNineHundredNinetyNine) {
  for (const auto& [fourth, found] :
       {std::pair{9999, false}, {-9999, false}, {10000, true}, {-10000, true}, {INT32_MIN, true}}) {
    SCOPED_TRACE(fourth);
    GameDescription game;
    game.ReplayPatternValue = fourth;
    const auto state = Analyse(game);
    EXPECT_EQ(state->ReplayMessageCount, found ? 6 : 0);
    EXPECT_EQ(state->SessionCounter, found ? 3 : 0);
  }
}

TEST(ReadReplayList, CandidatesWithSmallFourthValuesArePassedOver) {
  GameDescription game;
  game.ReplayDecoyValues = {9999, 0, -1, -9999};
  for (const int32_t version : {6, 8}) {
    game.SaveVersion = version;
    const auto state = Analyse(game);
    EXPECT_EQ(state->ReplayMessageCount, 6) << version;
    EXPECT_EQ(state->ReplayMessages[4].Text, "Sparta is founded.") << version;
  }
}

TEST(ReadReplayList, MessagesOfEveryVersionAndTheirMarkup) {
  const std::string marked = "[COLOR_POSITIVE_TEXT]Alexander[ENDCOLOR] meets Ramesses II.";
  for (int32_t version = 4; version <= 8; ++version) {
    SCOPED_TRACE(version);
    GameDescription game;
    game.SaveVersion = version;
    game.ReplayMessages = {{7, marked}, {9, "x"}, {11, "\xC0\xC1 broken"}, {13, "Берлин"}};
    game.SessionCounter = 77;
    const auto state = Analyse(game);
    ASSERT_EQ(state->ReplayMessageCount, 4);
    EXPECT_EQ(state->ReplayMessages[0].Turn, 7);
    EXPECT_EQ(state->ReplayMessages[0].Text,
              version > 6 ? "@Alexander@ meets Ramesses II." : marked);
    EXPECT_EQ(state->ReplayMessages[1].Text, "x");
    EXPECT_EQ(state->ReplayMessages[2].Text, "");  // not UTF-8
    EXPECT_EQ(state->ReplayMessages[3].Text, "Берлин");
    EXPECT_EQ(state->SessionCounter, 77);
  }
}

TEST(ReadReplayList, SessionStartsGiveTheSessionListAndReloadsAtTheStartTurn) {
  GameDescription game;
  game.StartTurn = 0;
  game.ReplayMessages = {{0, "Session 1 starts"},       {0, "Athens is founded."},
                         {0, "Начинается сессия 2"},    {50, "Session 3 starts"},
                         {60, "session in lower case"}, {441, "Session 4 starts"}};
  const auto state = Analyse(game);
  EXPECT_EQ(state->ReloadsAtStartTurn, 2);
  EXPECT_EQ(state->SessionTurns, (std::vector<int32_t>{0, 0, 50, 441}));
  EXPECT_EQ(state->SessionListLines,
            (std::vector<std::string>{"  1    0 -4000  | ", "  2    0 -4000  | ",
                                      "  3   50 -2000  | ", "  4  441  2020 Jul | "}));
}

TEST(ReadReplayList, ANegativeCountReadsNoMessages) {
  GameDescription game;
  game.StoredReplayCount = -1;
  game.ReplayMessages.clear();
  const auto state = Analyse(game);
  EXPECT_EQ(state->ReplayMessageCount, 0);
  EXPECT_EQ(state->SessionCounter, 3);  // the int32 right after the count
}

TEST(ReadReplayList, AnImpossibleCountStopsAtTheEndOfTheImage) {
  for (const int32_t stored : {INT32_MAX, 70000}) {
    SCOPED_TRACE(stored);
    GameDescription game;
    game.StoredReplayCount = stored;
    const auto state = Analyse(game);
    // Six real messages, then at most a few made of the last bytes of the image.
    ASSERT_GE(state->ReplayMessageCount, 6);
    EXPECT_LE(state->ReplayMessageCount, 8);
    EXPECT_EQ(state->ReplayMessages[5].Text, "Session 2 starts");
  }
}

TEST(ReadReplayList, OnlyTheFirst65536MessagesAreRead) {
  GameDescription game;
  game.ReplayMessages.assign(kMaxReplayMessages + 1, ReplayMessage{5, ""});
  game.ReplayMessages.back() = {6, "the last one"};
  game.SessionCounter = 99;
  const auto state = Analyse(game);
  EXPECT_EQ(state->ReplayMessageCount, kMaxReplayMessages);
  EXPECT_EQ(state->ReplayMessages.back().Turn, 5);
  // The session counter is then read inside the remaining message: its turn.
  EXPECT_EQ(state->SessionCounter, 6);
}

TEST(ReadReplayList, TheBodySectionsFollowTheInt32AfterTheList) {
  GameDescription game;
  game.BodySections = {{'N', 'E', 'X', 'T'}, {'L', 'A', 'S', 'T'}};
  const SaveImage image = BuildImage(game);
  auto state = NewGameState();
  const int32_t pos = testing::AnalyseHeaderHalf(image, *state);
  EXPECT_EQ(pos, FindStr(image, "NEXT", image.BodyOffset));
  EXPECT_EQ(pos + 4, FindStr(image, "LAST", image.BodyOffset));
}

TEST(ReadReplayList, WithoutThePatternThereAreNoMessagesAndTheBodyIsSearchedFromItsStart) {
  GameDescription game;
  game.WriteReplayPattern = false;
  const SaveImage image = BuildImage(game);
  auto state = NewGameState();
  const int32_t pos = testing::AnalyseHeaderHalf(image, *state);
  EXPECT_EQ(state->ReplayMessageCount, 0);
  EXPECT_TRUE(state->SessionListLines.empty());
  EXPECT_EQ(pos, image.BodyOffset);
}

}  // namespace
}  // namespace vek5
