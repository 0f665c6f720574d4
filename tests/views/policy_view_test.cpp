#include "views/policy_view.h"

#include <gtest/gtest.h>

namespace vek5 {
namespace {

std::unique_ptr<GameState> PolicyGame(bool zeph) {
  auto state = NewGameState();
  state->Exp1Present = zeph ? kTrue : kFalse;
  state->ZephPresent = zeph ? kTrue : kFalse;
  state->PlayerCount = 2;
  return state;
}

void Adopt(GameState& state, int32_t entry, std::string_view key) {
  const std::span<const TPolicyInfoRec> table = PolicyEditionOf(state).Policies;
  for (size_t row = 0; row < table.size(); ++row) {
    if (table[row].Key == key) {
      state.PolicyAdopted[entry][row] = kTrue;
      return;
    }
  }
  ADD_FAILURE() << key;
}

std::vector<std::string> Box(const TabContent& tab, std::string_view box) {
  std::vector<std::string> lines;
  for (const ColoredLine& line : tab.FindList(box)->Lines) lines.push_back(line.Text);
  return lines;
}

TEST(PolicyBoxes, NoPolicyLeavesAllThirteenBoxesEmpty) {
  for (bool zeph : {false, true}) {
    auto state = PolicyGame(zeph);
    Adopt(*state, 0, "POLICY_LIBERTY");  // another player's
    const TabContent tab = PlayerPolicyChoose(*state, 1);
    ASSERT_EQ(tab.Lists.size(), 13u);
    for (std::string_view box : kPolicyBoxes) {
      ASSERT_NE(tab.FindList(box), nullptr) << box;
      EXPECT_TRUE(tab.FindList(box)->Lines.empty()) << box;
    }
  }
}

TEST(PolicyBoxes, FinisherComesAfterTheBranchsPoliciesInTableOrder) {
  auto state = PolicyGame(false);
  Adopt(*state, 0, "POLICY_TRADITION_FINISHER");
  Adopt(*state, 0, "POLICY_LEGALISM");
  Adopt(*state, 0, "POLICY_TRADITION");
  const TabContent tab = PlayerPolicyChoose(*state, 0);
  EXPECT_EQ(Box(tab, "TraditionBranch"),
            (std::vector<std::string>{"Tradition", "Legalism", "Tradition Finisher"}));
}

TEST(PolicyBoxes, BranchNumbersChooseBoxesByRuleSet) {
  const std::vector<std::string_view> base = {
      "TraditionBranch", "LibertyBranch",     "HonorBranch",   "PietyBranch",     "PatronageBranch",
      "CommerceBranch",  "RationalismBranch", "FreedomBranch", "AutocracyBranch", "OrderBranch"};
  const std::vector<std::string_view> zeph = {
      "TraditionBranch", "LibertyBranch",     "HonorBranch",     "PietyBranch",
      "PatronageBranch", "RationalismBranch", "AutocracyBranch", "CommerceBranch",
      "FreedomBranch",   "FreedomIdeology",   "OrderIdeology",   "AutocracyIdeology"};
  for (bool is_zeph : {false, true}) {
    const std::vector<std::string_view>& boxes = is_zeph ? zeph : base;
    for (size_t branch = 0; branch < boxes.size(); ++branch) {
      auto state = PolicyGame(is_zeph);
      const std::span<const TPolicyInfoRec> table = PolicyEditionOf(*state).Policies;
      size_t adopted = 0;
      for (size_t row = 0; row < table.size(); ++row) {
        if (table[row].Branch != static_cast<int32_t>(branch)) continue;
        state->PolicyAdopted[0][row] = kTrue;
        ++adopted;
      }
      const TabContent tab = PlayerPolicyChoose(*state, 0);
      for (std::string_view box : kPolicyBoxes) {
        EXPECT_EQ(tab.FindList(box)->Lines.size(), box == boxes[branch] ? adopted : 0u)
            << (is_zeph ? "zeph " : "base ") << branch << " " << box;
      }
    }
  }
}

// Each box is titled by the branch whose policies it shows: the table's opening policy of a
// branch carries the branch's name (Zeph's ideologies have none and say that they are one).
TEST(PolicyBoxes, EachBoxIsTitledByTheBranchItHolds) {
  for (bool is_zeph : {false, true}) {
    auto state = PolicyGame(is_zeph);
    const std::span<const TPolicyInfoRec> table = PolicyEditionOf(*state).Policies;
    for (size_t row = 0; row < table.size(); ++row) state->PolicyAdopted[0][row] = kTrue;
    const TabContent tab = PlayerPolicyChoose(*state, 0);
    for (std::string_view box : kPolicyBoxes) {
      const LinesContent& list = *tab.FindList(box);
      SCOPED_TRACE(std::string(box) + (is_zeph ? " zeph" : " base"));
      if (list.Lines.empty()) {
        EXPECT_EQ(list.Title, "(not in this rule set)");
      } else if (list.Title.find("(ideology)") == std::string::npos) {
        EXPECT_EQ(list.Lines.front().Text, list.Title);
      } else {
        EXPECT_TRUE(box.ends_with("Ideology"));
      }
    }
  }
}

TEST(PolicyBoxes, ZephIdeologyTenet) {
  auto state = PolicyGame(true);
  Adopt(*state, 0, "POLICY_UNIVERSAL_HEALTHCARE_O");
  Adopt(*state, 0, "POLICY_HERO_OF_THE_PEOPLE");
  const TabContent tab = PlayerPolicyChoose(*state, 0);
  EXPECT_EQ(Box(tab, "OrderIdeology"),
            (std::vector<std::string>{"Hero Of The People", "Universal Healthcare O"}));
  EXPECT_TRUE(Box(tab, "OrderBranch").empty());
}

TEST(PolicyCulture, FieldsByRuleSet) {
  for (bool zeph : {false, true}) {
    auto state = PolicyGame(zeph);
    TLeaderInfoRec& l = state->Leaders[1];
    l.PolicyCulture = 340;
    l.PolicyCultureNeeded = 610;
    l.TotalCulture = 2500;
    l.PolicyCount = 7;
    l.CultureBase = 20;
    l.CultureFromHappiness = 3;
    l.CultureFromCS = 6;
    l.CultureGoldenAgeBonus = 4;
    l.CulturePerTurn = 33;
    const TabContent tab = PlayerPolicyChoose(*state, 1);
    EXPECT_EQ(tab.FindField("PolicyCultureE")->Text, "   340/610");
    EXPECT_EQ(tab.FindField("TotalCultureE")->Text, "   2500");
    EXPECT_EQ(tab.FindField("PolicyNumE")->Text, "  7");
    if (zeph) {
      // Without a history nothing holds them; the boxes say so instead of staying blank.
      EXPECT_EQ(tab.FindField("CulturePerTurnE")->Text, "not in this save");
      EXPECT_EQ(tab.FindField("CSCultureE")->Text, "not in this save");
    } else {
      EXPECT_EQ(tab.FindField("CulturePerTurnE")->Text, "     33");
      EXPECT_EQ(tab.FindField("CulturePerTurnE")->Hint, "20,3,6,4");
      EXPECT_EQ(tab.FindField("CSCultureE")->Text, "    6");
    }
  }
}

// Zeph saves keep the culture per turn in the history only: the last stored turn's value.
TEST(PolicyCulture, ZephCulturePerTurnComesFromTheHistory) {
  auto state = PolicyGame(true);
  SizeHistory(*state, 2);
  constexpr size_t kCulturePerTurn = 8;
  for (const auto& [turn, value] : {std::pair{40, 12}, std::pair{41, 15}}) {
    state->HistoryData[1][kCulturePerTurn].Set(turn, value);
    state->HistoryStored[1].Turns[kCulturePerTurn].set(turn);
  }
  state->HistoryData[1][kCulturePerTurn].Set(42, 99);  // not stored: not shown
  const TabContent tab = PlayerPolicyChoose(*state, 1);
  EXPECT_EQ(tab.FindField("CulturePerTurnE")->Text, "     15");
  EXPECT_EQ(tab.FindField("CulturePerTurnE")->Hint, "From the history (Culture Per Turn), turn 41");
}

TEST(PolicyCulture, EntryOutsideThePlayersShowsNothing) {
  auto state = PolicyGame(false);
  state->PolicyAdopted[5][0] = kTrue;
  state->Leaders[5].TotalCulture = 77;
  for (int32_t entry : {5, -1, 64}) {
    const TabContent tab = PlayerPolicyChoose(*state, entry);
    for (std::string_view box : kPolicyBoxes) EXPECT_TRUE(Box(tab, box).empty()) << entry;
    EXPECT_EQ(tab.FindField("TotalCultureE")->Text, "") << entry;
  }
}

}  // namespace
}  // namespace vek5
