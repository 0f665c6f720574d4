#include "views/reloads_view.h"

#include <gtest/gtest.h>

#include "view_test_helpers.h"

namespace vek5 {
namespace {

using testing::FieldText;

TEST(CheckValues, PlaySessionsAndAverageFromThePreSessionsText) {
  struct Case {
    int32_t SessionCounter;
    int32_t PlayTimeSeconds;
    const char* PreSessions;
    int32_t PlaySessions;
    const char* PlaySessionsText;
    const char* AverageText;
  };
  const Case cases[] = {
      {12, 32400, "  3", 9, "     9", "     1:00:00"},
      {12, 32400, "3", 9, "     9", "     1:00:00"},
      {12, 32400, "+3", 9, "     9", "     1:00:00"},
      {3, 3661, "  0", 3, "     3", "     0:20:20"},
      {12, 32400, " 20", 0, "     0", "     0:00:00"},
      {0, 500, "  0", 0, "     0", "     0:00:00"},
      {1, 400000, "  0", 1, "     1", "   111:06:40"},
      // A negative count cannot overflow the difference.
      {12, 100, "-2147483648", INT32_MAX, "2147483647", "     0:00:00"},
  };
  for (const Case& c : cases) {
    auto state = NewGameState();
    state->SessionCounter = c.SessionCounter;
    state->PlayTimeSeconds = c.PlayTimeSeconds;
    ViewState view = FreshViewState(*state);
    const CheckValuesResult result = CheckValues(*state, view, c.PreSessions);
    ASSERT_FALSE(result.Error.has_value()) << c.PreSessions;
    EXPECT_EQ(view.PlaySessions, c.PlaySessions) << c.PreSessions;
    EXPECT_EQ(FieldText(result.Content, "PlaySessions"), c.PlaySessionsText) << c.PreSessions;
    EXPECT_EQ(FieldText(result.Content, "AverageSessionTime"), c.AverageText) << c.PreSessions;
  }
}

TEST(CheckValues, ATextThatIsNoWholeNumberGivesTheErrorAndChangesNothing) {
  auto state = NewGameState();
  state->SessionCounter = 12;
  state->PlayTimeSeconds = 32400;
  ViewState view = FreshViewState(*state);
  ASSERT_FALSE(CheckValues(*state, view, "  3").Error.has_value());

  for (const char* text : {"a", "", "   ", "3a", " 3 ", "1.5", "+-3", "99999999999"}) {
    const CheckValuesResult result = CheckValues(*state, view, text);
    ASSERT_TRUE(result.Error.has_value()) << text;
    EXPECT_EQ(*result.Error, std::string("'") + text + "' is not a valid integer value");
    EXPECT_TRUE(result.Content.Fields.empty()) << text;
    EXPECT_EQ(view.ReloadsAtStartTurn, 3) << text;
    EXPECT_EQ(view.PlaySessions, 9) << text;
    EXPECT_EQ(view.AverageSessionSeconds, 3600) << text;
  }
}

TEST(ReloadsContent, ShowsTheSessionsTheProposalAndTheSessionList) {
  auto state = NewGameState();
  state->SessionCounter = 12;
  state->ReloadsAtStartTurn = 2;
  state->PlayTimeSeconds = 36000;
  state->SpeedIndex = 3;
  state->SessionTurns = {0, 0, 75};
  ViewState view = FreshViewState(*state);
  const TabContent content = BuildReloadsContent(*state, view);
  EXPECT_EQ(FieldText(content, "SessionCount"), "    12");
  EXPECT_EQ(FieldText(content, "PreSessions"), "  2");
  EXPECT_EQ(FieldText(content, "PlaySessions"), "    10");
  EXPECT_EQ(FieldText(content, "AverageSessionTime"), "     1:00:00");
  EXPECT_EQ(testing::ListTexts(content, "SessionListBox"),
            (std::vector<std::string>{"  1     0 4000BC", "  2     0 4000BC", "  3    75   1AD"}));
  EXPECT_EQ(view.PlaySessions, 10);
  EXPECT_EQ(view.AverageSessionSeconds, 3600);
}

}  // namespace
}  // namespace vek5
