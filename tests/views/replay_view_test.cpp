#include "views/replay_view.h"

#include <gtest/gtest.h>

#include "view_test_helpers.h"

namespace vek5 {
namespace {

std::unique_ptr<GameState> GameWithMessages(int32_t speed_index,
                                            std::vector<TReplayMsgRec> messages) {
  auto state = NewGameState();
  state->SpeedIndex = speed_index;
  state->ReplayMessageCount = static_cast<int32_t>(messages.size());
  state->ReplayMessages = std::move(messages);
  return state;
}

TEST(ReplayContent, DatesEachMessageWithTheWideYearZeroLiteral) {
  auto state = GameWithMessages(3, {{75, "Year zero"}, {1, "Founded Kyoto"}});
  ViewState view = FreshViewState(*state);
  const TabContent content = BuildReplayContent(*state, view);
  EXPECT_EQ(testing::ListTexts(content, "ReplayList"),
            (std::vector<std::string>{"  75    1AD  Year zero", "   1 3940BC  Founded Kyoto"}));

  auto late = GameWithMessages(2, {{441, "Late"}});
  EXPECT_EQ(testing::ListTexts(BuildReplayContent(*late, view), "ReplayList"),
            (std::vector<std::string>{" 441 2020AD Jul Late"}));
}

TEST(ReplayContent, SessionStartsArePurple) {
  struct Case {
    const char* Text;
    uint32_t Color;
  };
  const Case cases[] = {
      {"Session 3 started", kPurple},
      {"Lancement de la session", kPurple},
      {"\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x8F \xD1\x81\xD0\xB5\xD1\x81\xD1\x81\xD0\xB8\xD1\x8F",
       kPurple},
      {"session", kBlack},
      {"SESSION", kBlack},
      {"Rome was founded", kBlack},
  };
  for (const Case& c : cases) {
    auto state = GameWithMessages(2, {{10, c.Text}});
    ViewState view = FreshViewState(*state);
    const TabContent tab = BuildReplayContent(*state, view);
    const LinesContent* list = tab.FindList("ReplayList");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Lines.size(), 1u) << c.Text;
    EXPECT_EQ(list->Lines[0].Color, c.Color) << c.Text;
  }
}

TEST(ReplayContent, SkipsEmptyTextsAndStaysInsideTheMessages) {
  auto state = GameWithMessages(2, {{1, ""}, {2, "Two"}});
  state->ReplayMessageCount = 70000;
  ViewState view = FreshViewState(*state);
  EXPECT_EQ(testing::ListTexts(BuildReplayContent(*state, view), "ReplayList"),
            (std::vector<std::string>{"   2 3920BC  Two"}));
  state->ReplayMessageCount = -3;
  EXPECT_TRUE(testing::ListTexts(BuildReplayContent(*state, view), "ReplayList").empty());
}

TEST(ReplayContent, DatesMoveTheViewsTurnsPlayed) {
  auto state = GameWithMessages(2, {{600, "Beyond the calendar"}});
  state->TurnsPlayed = 95;
  ViewState view = FreshViewState(*state);
  BuildReplayContent(*state, view);
  EXPECT_EQ(view.TurnsPlayed, 500);
  auto early = GameWithMessages(2, {{-1, "Before the start"}});
  BuildReplayContent(*early, view);
  EXPECT_EQ(view.TurnsPlayed, 0);
}

// The "@" the game's icons leave behind, as found in real replay and log texts.
TEST(ReplayContent, IconMarksAreRemovedCleanly) {
  const struct {
    const char* Text;
    const char* Shown;
  } cases[] = {
      {"@@@RIGHT-CLICK@ to dismiss", "RIGHT-CLICK to dismiss"},
      {"City-States:@@Byblos@Hanoi", "City-States: Byblos Hanoi"},
      {"(+1 @ Culture from Pastures)", "(+1 Culture from Pastures)"},
      {"provides +1 to these yields: @ , @ , @, @, @)", "provides +1 to these yields:)"},
      {"city @ Ranged Combat @.", "city Ranged Combat."},
      {"A plain text, with 3.5 and 12:30...", "A plain text, with 3.5 and 12:30..."},
      {"@", ""},
      {"(ties are allowed):@@Brazil@@@RIGHT-CLICK@ to dismiss.",
       "(ties are allowed): Brazil. RIGHT-CLICK to dismiss."},
      {"per turn lost)@@As such", "per turn lost) As such"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextWithoutIcons(c.Text), c.Shown) << c.Text;

  auto state = GameWithMessages(3, {{1, "Babylon @ completes"}});
  ViewState view = FreshViewState(*state);
  EXPECT_EQ(testing::ListTexts(BuildReplayContent(*state, view), "ReplayList"),
            (std::vector<std::string>{"   1 3940BC  Babylon completes"}));
}

}  // namespace
}  // namespace vek5
