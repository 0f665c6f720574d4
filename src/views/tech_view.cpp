#include "views/tech_view.h"

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>

#include "container/key_text.h"
#include "model/format.h"
#include "views/history_values.h"
#include "views/percent.h"

namespace vek5 {
namespace {

// Every rule set's table fits the model's per-player technology arrays and the grid.
static_assert(kTechRows <= kMaxTechRows && kTechExp1Rows <= kMaxTechRows &&
              kTechZephRows <= kMaxTechRows && kTechZephRows < kTechGridRows);

constexpr int32_t kStatusNoDifficulty = 1;
constexpr int32_t kCityResearchPercent = 5;

constexpr std::array<std::string_view, kTechGridColumns> kTechHeaders = {"№", "Tech", "Era", "Cost",
                                                                         "Known"};
// Every field of the tab, so that a refill leaves nothing of an earlier player.
constexpr std::string_view kTechFields[] = {
    "ResearchE",    "ResearchQueueE", "AccScienceE",   "OverflowResearchE", "SciencePerTurnE",
    "GATurnsE",     "GGPointsE",      "TGGPointsE",    "AccHappinessE",     "HappinessE",
    "AccFaithE",    "TotalFaithE",    "FaithPerTurnE", "AccGoldE",          "DiploGoldE",
    "GoldPerTurnE", "RawValue1",      "RawValue2",     "RawValue3",         "RawValue4"};

std::string TechName(const TTechInfoRec& tech) {
  return CutTextKey(tech.Key, "TECH_");
}

std::string EraName(const TechEdition& edition, int32_t era) {
  if (era < 0 || era >= static_cast<int32_t>(edition.Eras.size())) return {};
  return CutTextKey(edition.Eras[static_cast<size_t>(era)].Key, "ERA_");
}

std::string KnownText(const TLeaderInfoRec& leader, size_t row) {
  if (leader.TechKnown[row] != 0) return "Yes";
  if (leader.TechProgress[row] != 0) return Format("%8.2f", leader.TechProgress[row] / 100.0);
  return "No";
}

// The technologies queued after the one researched now, in order.
std::string QueuedAfterCurrent(const TechEdition& edition, const TLeaderInfoRec& leader) {
  std::string text;
  const int32_t length = std::min(leader.ResearchQueueLength, kMaxResearchQueue);
  for (int32_t k = 1; k < length; ++k) {
    const int32_t row = leader.ResearchQueue[static_cast<size_t>(k)];
    if (row < 0 || row >= static_cast<int32_t>(edition.Techs.size())) continue;
    if (!text.empty()) text += ", ";
    text += TechName(edition.Techs[static_cast<size_t>(row)]);
  }
  return text;
}

GridContent& ClearedTechGrid(TabContent& tab) {
  GridContent& grid = tab.Grid("TechGrid", kTechGridRows, kTechGridColumns);
  for (size_t c = 0; c < kTechHeaders.size(); ++c) grid.Cells[0][c] = kTechHeaders[c];
  for (int row = 1; row < kTechGridRows; ++row) grid.Cells[row][0] = Format("%2d", row);
  return grid;
}

void FillTotals(const TLeaderInfoRec& leader, bool zeph, TabContent& tab) {
  tab.SetField("OverflowResearchE", Format("%9.2f", leader.ResearchOverflow / 100.0));
  tab.SetField("GATurnsE", Format("%4d", leader.GoldenAgeTurns));
  tab.SetField("GGPointsE",
               Format("%6d/%d", leader.GreatGeneralPoints, leader.GreatGeneralThreshold));
  tab.SetField("TGGPointsE", Format("%6d", leader.GreatGeneralTotal));
  tab.SetField("AccHappinessE",
               Format("%6d/%d", leader.GoldenAgeProgress, leader.GoldenAgeThreshold));
  if (!zeph) tab.SetField("HappinessE", Format("%4d", leader.Happiness));
  tab.SetField("AccFaithE", Format("%6d", leader.Faith));
  tab.SetField("TotalFaithE", Format("%7d", leader.TotalFaith));
  tab.SetField("FaithPerTurnE", Format("%7d", leader.FaithPerTurn),
               Format("%d,%d", leader.FaithFromCities, leader.FaithFromCS));
  tab.SetField("AccGoldE", Format("%11.2f", leader.Gold / 100.0));
  tab.SetField("DiploGoldE", Format("%7d", leader.DiploGold));
  tab.SetField("RawValue1", Format("%5d", leader.Int1));
  tab.SetField("RawValue2", Format("%5d", leader.Int2));
  tab.SetField("RawValue3", Format("%5d", leader.Int3));
  tab.SetField("RawValue4", Format("%5d", leader.Int4));
}

// The per-turn values the player's record does not hold, from the history's last stored turn.
void FillFromHistory(const GameState& state, int32_t entry, TabContent& tab) {
  const auto set = [&](std::string_view box, std::string_view statistic) {
    BoxText text = HistoryBox(state, entry, statistic, "%7d");
    tab.SetField(box, std::move(text.Text), std::move(text.Hint));
  };
  set("SciencePerTurnE", "Science Per Turn");
  set("GoldPerTurnE", "Gold Per Turn");
  // Zeph saves keep the happiness only in the history.
  if (state.ZephPresent != 0) set("HappinessE", "Excess Happiness");
}

}  // namespace

TechEdition TechEditionOf(const GameState& state) {
  if (state.ZephPresent) return {TechInfoZeph, EraInfoExp};
  if (state.Exp1Present) return {TechInfoExp1, EraInfoExp};
  return {TechInfo, EraInfo};
}

int32_t TechCost(const GameState& state, const TLeaderInfoRec& leader, int32_t base_cost) {
  int32_t cost = ApplyPercent(base_cost, state.WorldSizePercent);
  cost = ApplyPercent(cost, state.SpeedPercent);
  if (leader.SlotStatus != kStatusNoDifficulty) cost = ApplyPercent(cost, state.LevelMod1);
  return ApplyPercent(cost, state.EraMod4);
}

int32_t ResearchNeeded(const GameState& state, const TLeaderInfoRec& leader, int32_t cost) {
  if (!state.ZephPresent) return cost;
  const int64_t scaled = int64_t{cost} * (100 + int64_t{kCityResearchPercent} * leader.CityCount);
  int64_t needed = scaled / 100;
  if (needed * 100 < scaled) ++needed;
  return static_cast<int32_t>(std::clamp<int64_t>(needed, INT32_MIN, INT32_MAX));
}

TabContent PlayerTechChoose(const GameState& state, int32_t entry) {
  TabContent tab;
  GridContent& grid = ClearedTechGrid(tab);
  for (std::string_view field : kTechFields) tab.SetField(field, {});
  if (entry < 0 || entry >= std::min(state.PlayerCount, kMaxSlots)) return tab;

  const TLeaderInfoRec& leader = state.Leaders[static_cast<size_t>(entry)];
  const TechEdition edition = TechEditionOf(state);
  const int32_t rows = static_cast<int32_t>(edition.Techs.size());
  // Row 0 is never shown as being researched; an index outside the table counts as row 0.
  const int32_t researching =
      leader.ResearchingTech > 0 && leader.ResearchingTech < rows ? leader.ResearchingTech : 0;
  int32_t needed = 0;
  int32_t progress = 0;
  for (int32_t i = 0; i < rows; ++i) {
    const size_t row = static_cast<size_t>(i);
    const TTechInfoRec& tech = edition.Techs[row];
    const int32_t cost = TechCost(state, leader, tech.Cost);
    std::vector<std::string>& cells = grid.Cells[row + 1];
    cells[1] = TechName(tech);
    cells[2] = EraName(edition, tech.Era);
    cells[3] = Format("%7d", cost);
    cells[4] = KnownText(leader, row);
    if (i == researching) {
      needed = ResearchNeeded(state, leader, cost);
      progress = leader.TechProgress[row];
    }
  }

  if (leader.Alive == kFalse) {
    // Out of the game: what the record still holds of his research is not going on.
    tab.SetField("ResearchE", "None (eliminated)", "The player is out of the game");
  } else if (leader.ResearchQueueLength == 0) {
    tab.SetField("ResearchE", "Nothing");
  } else if (researching == 0) {
    tab.SetField("ResearchE", "Unknown");
  } else {
    tab.SetField("ResearchE", TechName(edition.Techs[static_cast<size_t>(researching)]));
    tab.SetField("AccScienceE", Format("%16.2f/%d", progress / 100.0, needed));
  }
  if (leader.Alive != kFalse) tab.SetField("ResearchQueueE", QueuedAfterCurrent(edition, leader));
  FillTotals(leader, state.ZephPresent != 0, tab);
  FillFromHistory(state, entry, tab);
  return tab;
}

}  // namespace vek5
