#include "views/league_view.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "model/format.h"
#include "model/naming.h"
#include "views/percent.h"

namespace vek5 {
namespace {

constexpr int kCostRow = 1;
constexpr int kCompleteRow = 2;
constexpr int kFirstPlayerRow = 3;
// The last entry gets no row name: its row would be the 67th of a 66-row grid.
constexpr int kNamedEntries = kMaxSlots - 1;

// One project: the league record types that name it, its grid column, its cost per major player
// and where its cost is kept.
struct LeagueProjectRow {
  std::array<int32_t, 2> Types;
  int Column;
  int32_t CostPerPlayer;
  int CostIndex;
  std::string_view Header;
};
constexpr std::array<LeagueProjectRow, kLeagueProjectCount> kLeagueProjects = {{
    {{1, 1}, 1, 350, kWorldsFairCost, "World's Fair"},
    {{2, 2}, 2, 720, kWorldsGamesCost, "World's Games"},
    {{0, 3}, 3, 850, kSpaceStationCost, "International Space Station"},
}};

const LeagueProjectRow* ProjectOfType(int32_t type) {
  for (const LeagueProjectRow& project : kLeagueProjects) {
    if (std::find(project.Types.begin(), project.Types.end(), type) != project.Types.end()) {
      return &project;
    }
  }
  return nullptr;
}

GridContent& ClearedLeagueGrid(TabContent& tab) {
  GridContent& grid = tab.Grid("LeagueProjectGrid", kLeagueGridRows, kLeagueGridColumns);
  for (const LeagueProjectRow& project : kLeagueProjects) {
    grid.Cells[0][static_cast<size_t>(project.Column)] = project.Header;
  }
  grid.Cells[kCostRow][0] = "                   COST";
  grid.Cells[kCompleteRow][0] = "               COMPLETE";
  return grid;
}

void FillProject(const GameState& state, const TLeagueProjectRec& record,
                 const LeagueProjectRow& project, int32_t cost, GridContent& grid) {
  const size_t column = static_cast<size_t>(project.Column);
  int row = kFirstPlayerRow;
  for (int32_t slot = 0; slot < kMaxSlots && row < kLeagueGridRows; ++slot) {
    if (!IsPlayer(state, slot)) continue;
    grid.Cells[static_cast<size_t>(row++)][column] =
        Format("%9.2f", record.Contribution[static_cast<size_t>(slot)] / 100.0);
  }
  const double completion = cost > 0 ? static_cast<double>(record.Total) / cost : 0.0;
  grid.Cells[kCompleteRow][column] = Format("%9.2f%%", completion);
}

}  // namespace

void ComputeLeagueCosts(const GameState& state, ViewState& view) {
  for (const LeagueProjectRow& project : kLeagueProjects) {
    const int64_t base = int64_t{state.RealPlayerCount} * project.CostPerPlayer;
    int32_t cost = static_cast<int32_t>(std::clamp<int64_t>(base, INT32_MIN, INT32_MAX));
    cost = ApplyPercent(cost, state.SpeedPercent);
    view.LeagueCosts[static_cast<size_t>(project.CostIndex)] = ApplyPercent(cost, state.EraMod3);
  }
}

TabContent LeagueContent(const GameState& state, const ViewState& view) {
  TabContent tab;
  GridContent& grid = ClearedLeagueGrid(tab);
  if (!state.ZephPresent) return tab;

  int row = kFirstPlayerRow;
  const int32_t entries = std::clamp(state.PlayerCount, 0, kNamedEntries);
  for (int32_t entry = 0; entry < entries; ++entry) {
    const TLeaderInfoRec& leader = state.Leaders[static_cast<size_t>(entry)];
    if (!IsPlayer(state, leader.Slot)) continue;
    grid.Cells[static_cast<size_t>(row++)][0] = leader.LeaderName;
  }
  // A later record of the same project overwrites an earlier one.
  for (const TLeagueProjectRec& record : state.LeagueProjects) {
    const LeagueProjectRow* project = ProjectOfType(record.Type);
    if (project == nullptr) continue;
    FillProject(state, record, *project, view.LeagueCosts[static_cast<size_t>(project->CostIndex)],
                grid);
  }
  for (const LeagueProjectRow& project : kLeagueProjects) {
    grid.Cells[kCostRow][static_cast<size_t>(project.Column)] =
        Format("%6d", view.LeagueCosts[static_cast<size_t>(project.CostIndex)]);
  }
  return tab;
}

}  // namespace vek5
