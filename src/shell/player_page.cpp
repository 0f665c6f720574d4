#include "shell/player_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <iterator>

#include "shell/widgets.h"
#include "views/tech_view.h"

namespace vek5 {

PlayerPage::PlayerPage(SaveOnScreen& save, WindowServices& window)
    : Page("PlayerTab", "Player", save, window) {
  CreateControls();
  SetPlayerSelector(PlayerTechSelect);
  // The technology grid's headers and row numbers are those of its view with no player.
  Apply(PlayerTechChoose(State(), -1));
  SetGridHeader(TechGrid, {}, {kTechGridColumnWidths.begin(), kTechGridColumnWidths.end()});
  connect(PlayerTechSelect, &QComboBox::currentIndexChanged, this, &PlayerPage::ShowPlayerTechs);
}

void PlayerPage::CreateControls() {
  PlayerTechSelect = NewSelector(this, "PlayerTechSelect", 20);
  TechGrid =
      NewGrid(this, "TechGrid",
              {.Columns = kTechGridColumns, .Rows = kTechGridRows, .DefaultColumnWidth = 100});
  auto* left = new QVBoxLayout;
  auto* selector = new QHBoxLayout;
  selector->addWidget(CaptionOf(this, "PlayerTechSelect", "Player Select"));
  selector->addWidget(PlayerTechSelect);
  selector->addStretch();
  left->addLayout(selector);
  left->addWidget(TechGrid, 1);

  // The player's running totals, in titled groups.
  const char* const titles[] = {"Science", "Golden age", "Gold", "Faith", "Great generals"};
  const char* const groups[][5][2] = {
      {{"ResearchE", "Researching"},
       {"ResearchQueueE", "Then"},
       {"OverflowResearchE", "Overflow"},
       {"AccScienceE", "Accumulated"},
       {"SciencePerTurnE", "Per Turn"}},
      {{"AccHappinessE", "Accumulated"}, {"HappinessE", "Happiness"}, {"GATurnsE", "GA Turns"}},
      {{"AccGoldE", "Gold"}, {"DiploGoldE", "Diplo"}, {"GoldPerTurnE", "Per Turn"}},
      {{"AccFaithE", "Faith"}, {"TotalFaithE", "Total Faith"}, {"FaithPerTurnE", "Per Turn"}},
      {{"GGPointsE", "GG Points"}, {"TGGPointsE", "Total"}},
  };
  auto* totals = new QVBoxLayout;
  for (size_t g = 0; g < std::size(groups); ++g) {
    const auto& group = groups[g];
    auto* frame = new QGroupBox(titles[g], this);
    auto* fields = new QGridLayout(frame);
    int column = 0;
    for (const auto& field : group) {
      if (!field[0]) break;
      fields->addLayout(CaptionAbove(frame, field[0], field[1]), 0, column++);
    }
    totals->addWidget(frame);
  }
  auto* hidden = new QHBoxLayout;
  for (int i = 1; i <= 4; ++i) {
    const QByteArray name = QString("RawValue%1").arg(i).toLatin1();
    QLineEdit* edit = nullptr;
    hidden->addLayout(CaptionAbove(this, name.constData(), QString("Raw value %1").arg(i), &edit));
    edit->hide();
    findChild<QLabel*>(QString(name) + "Label")->hide();
  }
  totals->addLayout(hidden);
  totals->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 2);
  layout->addSpacing(8);
  layout->addLayout(totals, 3);
}

void PlayerPage::ShowSave(AllTabs& built) {
  FillPlayerSelector();
  ApplyBuilt(built);
}

void PlayerPage::ShowPlayerTechs() {
  Apply(PlayerTechChoose(State(), SelectedPlayer()));
}

}  // namespace vek5
