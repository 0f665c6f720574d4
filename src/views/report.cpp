#include "views/report.h"

#include <algorithm>

#include "model/format.h"
#include "model/game_state.h"

namespace vek5 {
namespace {

// The game-wide facts straight from the model, until the Base tab has a content builder.
TabContent GameFacts(const GameState& s) {
  TabContent c;
  c.SetField("SaveVersion", Format("%d", s.SaveVersion));
  c.SetField("GameVersion", s.GameVersion);
  c.SetField("BuildNumber", Format("%d", s.BuildNumber));
  c.SetField("Exp1Present", s.Exp1Present ? "yes" : "no");
  c.SetField("ZephPresent", s.ZephPresent ? "yes" : "no");
  c.SetField("PlayerCivName", s.PlayerCivName);
  c.SetField("HandicapName", s.HandicapName);
  c.SetField("StartEraName", s.StartEraName);
  c.SetField("CurrentEraName", s.CurrentEraName);
  c.SetField("GameSpeedName", s.GameSpeedName);
  c.SetField("WorldSizeName", s.WorldSizeName);
  c.SetField("MapScriptName", s.MapScriptName);
  c.SetField("UserName", s.UserName);
  c.SetField("CurrentTurn", Format("%d/%d", s.CurrentTurn, s.MaxTurns));
  c.SetField("Score", Format("%d", s.Score));
  return c;
}

TabContent PlayerFacts(const GameState& s) {
  TabContent c;
  const int entries = std::clamp(s.PlayerCount, 0, kMaxSlots);
  GridContent& grid = c.Grid("Players", entries + 1, 5);
  grid.Cells[0] = {"Entry", "Slot", "Leader", "Civilization", "Trait"};
  for (int e = 0; e < entries; ++e) {
    const TLeaderInfoRec& p = s.Leaders[e];
    grid.Cells[e + 1] = {Format("%2d", e), Format("%2d", p.Slot), p.LeaderName, p.CivName,
                         p.TraitName};
  }
  return c;
}

}  // namespace

std::vector<ReportSection> ReportSections(const GameState& state) {
  std::vector<ReportSection> sections;
  sections.push_back({"Game", GameFacts(state)});
  sections.push_back({"Players", PlayerFacts(state)});
  return sections;
}

std::string BuildReport(const GameState& state) {
  std::string out;
  for (const ReportSection& section : ReportSections(state)) {
    out += RenderReport(section.Title, section.Content);
  }
  return out;
}

}  // namespace vek5
