#include "views/report.h"

#include <gtest/gtest.h>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
#include "support/save_builder.h"
#include "views/all_tabs.h"

namespace vek5 {
namespace {

TEST(Report, FieldsTakeTheirCaptionsJoinedValuesAndChoiceGroups) {
  TabContent base;
  // Filled out of the window's order: the report follows the window.
  base.SetField("GameStatus", "Incomplete");
  base.SetField("CurrentTurn", " 437/500");
  base.SetField("CurrentDate", " 2017AD ");
  base.SetField("GameScore", "  1141");
  base.SetField("ProjectedScore", "");  // an empty joined value adds nothing
  base.SetField("UserNameE", "");       // an empty value gives no line
  base.SetCheck("TimeVictory", true);
  base.SetCheck("ScienceVictory", true);
  base.SetCheck("DominationVictory", false);
  base.List("GameOptionBox").Lines = {{"Quick Combat", kBlack}, {"Quick Movement", kBlack}};
  EXPECT_EQ(RenderReport("Base", base),
            "== Base ==\n"
            "Current turn: 437/500 (2017AD)\n"
            "Game score: 1141\n"
            "Game status: Incomplete\n"
            "Allowed victories: Time, Science\n"
            "Game options:\n"
            "  Quick Combat\n"
            "  Quick Movement\n"
            "\n");

  TabContent none;
  for (const char* check : {"TimeVictory", "ScienceVictory"}) none.SetCheck(check, false);
  EXPECT_NE(RenderReport("Base", none).find("Allowed victories: none\n"), std::string::npos);
}

TEST(Report, HiddenControlsAreLeftOutUncaptionedOnesKeepTheirNames) {
  TabContent player;
  player.SetField("RawValue1", "    7");
  player.SetField("FaithPerTurnE", "     48", "40,8");
  player.SetField("NewThingE", " 5 ");
  player.List("NewList").Lines = {{"a", kBlack}};
  EXPECT_EQ(RenderReport("Player", player),
            "== Player ==\n"
            "Faith per turn: 48 [40,8]\n"
            "NewThingE: 5\n"
            "NewList:\n"
            "  a\n"
            "\n");
}

TEST(Report, GridsAreAlignedTablesWithoutEmptyRowsAndColumns) {
  TabContent tab;
  GridContent& grid = tab.Grid("TechGrid", 5, 6);
  grid.Cells[0] = {"№", "Tech", "", "Cost", "Known", ""};
  grid.Cells[1] = {" 1", "Agriculture", " ", "     20", "Yes", ""};
  grid.Cells[2] = {" 2", "", "", "", "", ""};  // nothing beyond its number
  grid.Cells[3] = {" 3", "Pottery", "", "   1035", "No", ""};
  grid.Cells[4] = {"", "", "", "", "", ""};
  EXPECT_EQ(RenderReport("Player", tab),
            "== Player ==\n"
            "Technologies:\n"
            "  №  Tech         Cost  Known\n"
            "  1  Agriculture    20  Yes\n"
            "  3  Pottery      1035  No\n"
            "\n");

  TabContent empty;
  empty.Grid("ReligionGrid", 3, 2).Cells[0] = {"Religion", "Followers"};
  EXPECT_EQ(RenderReport("Cities", empty), "== Cities ==\nReligions: none\n\n");
}

TEST(Report, ListsMarkTheSelectedItemAndColoursThatMeanSomething) {
  TabContent city;
  LinesContent& box = city.List("CityBox");
  box.Lines = {{"ATHENS", kBlack}, {"SPARTA", kBlack}};
  box.Selected = 0;
  city.List("BuildingsList").Lines = {{"Palace    -4000     0  ", kBlack}, {"Monument", kBlue}};
  city.List("ReligionGrid");  // an empty list prints nothing
  EXPECT_EQ(RenderReport("Cities", city),
            "== Cities ==\n"
            "Cities:\n"
            "  ATHENS (selected)\n"
            "  SPARTA\n"
            "Buildings (name, year, turn):\n"
            "  Palace    -4000     0\n"
            "  Monument (free)\n"
            "\n");
}

// Every control the content builders fill has a caption row, so no control name reaches a reader.
void ExpectEveryControlCaptioned(const GameState& state, const std::string& what) {
  ViewState view = FreshViewState(state);
  const AllTabs all = BuildAllTabs(state, view, TabSelection{});
  for (const auto& [title, content] : all.Tabs) {
    std::vector<std::string> controls;
    for (const auto& f : content.Fields) controls.push_back(f.Control);
    for (const auto& c : content.Checks) controls.push_back(c.Control);
    for (const auto& l : content.Lists) controls.push_back(l.Control);
    for (const auto& g : content.Grids) controls.push_back(g.Control);
    for (const std::string& control : controls) {
      EXPECT_NE(FindReportCaption(title, control), nullptr)
          << what << ": " << title << " " << control;
    }
  }
}

TEST(Report, EveryTabAndControlOfAnAnalysisIsCaptionedInTheWindowsOrder) {
  const std::string file = testing::TempPath("report.Vek5Save");
  testing::WriteFile(file, testing::WriteSaveFile(testing::GameDescription{}));
  std::vector<std::pair<std::string, std::string>> saves = {{"built", file}};
  for (const char* name :
       {"base-turn95.Vek5Save", "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (!path.empty()) saves.emplace_back(name, path);
  }
  for (const auto& [what, path] : saves) {
    const std::unique_ptr<GameState> state = Save5Analyse(LoadSave(path));
    ExpectEveryControlCaptioned(*state, what);
    const std::string report = BuildReport(*state);
    size_t at = 0;
    for (const ReportTab& tab : ReportTabs()) {
      const size_t next = report.find("== " + std::string(tab.Title) + " ==\n");
      ASSERT_NE(next, std::string::npos) << what << " " << tab.Title;
      EXPECT_GE(next, at) << what << " " << tab.Title;
      at = next;
    }
  }
}

TEST(Report, NamesThePlayerOfEachPlayerTab) {
  const std::string path = testing::SharedSave("zeph-turn238.Vek5Save");
  if (path.empty()) GTEST_SKIP() << "real saves not present";
  const std::string report = BuildReport(*Save5Analyse(LoadSave(path)));
  for (const char* tab : {"Player Log", "Cities", "Policy", "Player", "Stats"}) {
    EXPECT_NE(report.find("== " + std::string(tab) + " ==\nPlayer: Alexander\n"), std::string::npos)
        << tab;
  }
  EXPECT_NE(report.find("Current turn: 238/500 (1640AD)\n"), std::string::npos);
  EXPECT_NE(report.find("Allowed victories: Time, Science, Domination, Cultural, Diplomatic\n"),
            std::string::npos);
  EXPECT_EQ(report.find("Edit"), std::string::npos);
  EXPECT_EQ(report.find("|  |"), std::string::npos);
}

}  // namespace
}  // namespace vek5
