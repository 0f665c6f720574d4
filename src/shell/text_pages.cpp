#include "shell/text_pages.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "shell/apply_content.h"
#include "shell/widgets.h"
#include "views/leaders_view.h"
#include "views/league_view.h"

namespace vek5 {
namespace {

void LayOutLeaders(QWidget* page) {
  QTableWidget* grid = NewGrid(
      page, "LeadersGrid", {.Columns = kLeadersGridColumns, .Rows = 1, .DefaultColumnWidth = 50});
  SetGridHeader(grid, {"№", "Civilization", "Leader", "Trait", "Alive", "Cities (Nat/Occ/Pup)"},
                {20, 115, 115, 70, 70, 110});
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(grid);
}

void LayOutReplay(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(EventCaptions(page, "Replay"));
  layout->addWidget(NewRichText(page, "ReplayList", false, true), 1);
  layout->addWidget(Legend(page, "ReplayLegend", Qt::darkMagenta,
                           "Purple: a play session starts (the game was started or loaded)."));
}

void LayOutCityStates(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(NewGrid(
      page, "CSGrid",
      {.Columns = kCSGridSize, .Rows = kCSGridSize, .FixedColumns = 1, .DefaultColumnWidth = 81}));
}

void LayOutTest(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(NewRichText(page, "TestRE", true, false));
}

void LayOutLeague(QWidget* page) {
  QTableWidget* grid = NewGrid(page, "LeagueProjectGrid",
                               {.Columns = kLeagueGridColumns,
                                .Rows = kLeagueGridRows,
                                .FixedColumns = 1,
                                .FixedPitch = true});
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  for (int c = 0; c < kLeagueGridColumns; ++c) {
    SetGridColumnWidth(grid, c, kLeagueGridColumnWidths[static_cast<size_t>(c)]);
  }
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(grid);
}

struct TextPageRow {
  TextPageKind Kind;
  const char* Name;
  const char* Caption;
  void (*LayOut)(QWidget* page);
};

constexpr TextPageRow kTextPages[] = {
    {TextPageKind::kLeaders, "LeadersTab", "Leaders", LayOutLeaders},
    {TextPageKind::kReplay, "ReplayTab", "Replay", LayOutReplay},
    {TextPageKind::kCityStates, "CSTab", "CS Points", LayOutCityStates},
    {TextPageKind::kTest, "TestTab", "TestTab", LayOutTest},
    {TextPageKind::kLeague, "LeagueTab", "League", LayOutLeague},
};

class TextPage : public Page {
 public:
  TextPage(const TextPageRow& row, SaveOnScreen& save, WindowServices& window)
      : Page(row.Name, row.Caption, save, window) {
    row.LayOut(this);
  }
  void ShowSave(AllTabs& built) override { ApplyBuilt(built); }
};

}  // namespace

Page* NewTextPage(TextPageKind kind, SaveOnScreen& save, WindowServices& window) {
  for (const TextPageRow& row : kTextPages) {
    if (row.Kind == kind) return new TextPage(row, save, window);
  }
  return nullptr;
}

}  // namespace vek5
