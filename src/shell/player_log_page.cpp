#include "shell/player_log_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/widgets.h"
#include "views/player_log_view.h"

namespace vek5 {

PlayerLogPage::PlayerLogPage(SaveOnScreen& save, WindowServices& window)
    : Page("PlayerLogTab", "Player Log", save, window) {
  CreateControls();
  SetPlayerSelector(PlayerLogSelect);
  PlayerLogSelect->setCurrentIndex(-1);
  connect(PlayerLogSelect, &QComboBox::currentIndexChanged, this, &PlayerLogPage::ShowLog);
  connect(ShowCombatsCheckBox, &QCheckBox::toggled, this, &PlayerLogPage::ShowLog);
  connect(ShowCityEventsCheckBox, &QCheckBox::toggled, this, &PlayerLogPage::ShowLog);
}

void PlayerLogPage::CreateControls() {
  PlayerLogSelect = NewSelector(this, "PlayerLogSelect", 19);
  ShowCombatsCheckBox = NewCheck(this, "ShowCombatsCheckBox", "Show Combats");
  ShowCityEventsCheckBox = NewCheck(this, "ShowCityEventsCheckBox", "Show City Events");
  ShowCombatsCheckBox->hide();
  ShowCityEventsCheckBox->hide();
  auto* top = new QHBoxLayout;
  top->addWidget(PlayerLogSelect);
  top->addWidget(ShowCombatsCheckBox);
  top->addWidget(ShowCityEventsCheckBox);
  top->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(EventCaptions(this, "PlayerLog"));
  layout->addWidget(NewRichText(this, "PlayerLog", false, true), 1);
}

void PlayerLogPage::ShowSave(AllTabs& built) {
  FillPlayerSelector();
  ApplyBuilt(built);
}

void PlayerLogPage::ShowLog() {
  Apply(DrawPlayerLog(State(), View(), PlayerLogSelect->currentIndex()));
}

}  // namespace vek5
