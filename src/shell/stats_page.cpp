#include "shell/stats_page.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QVBoxLayout>

#include "shell/recent_files.h"
#include "shell/widgets.h"
#include "views/stats_view.h"

namespace vek5 {

StatsPage::StatsPage(SaveOnScreen& save, WindowServices& window)
    : Page("StatsTab", "Stats", save, window) {
  CreateControls();
  SetPlayerSelector(PlayerStatsSelect);
  connect(PlayerStatsSelect, &QComboBox::currentIndexChanged, this, &StatsPage::ShowPlayerStats);
  connect(StatsLangSelect, &QComboBox::currentIndexChanged, this, &StatsPage::ShowPlayerStats);
  connect(StatsLangSelect, &QComboBox::currentIndexChanged, this,
          [](int language) { QSettings().setValue(settings_key::kStatsLanguage, language); });
  // A first start, with nothing remembered, shows English.
  const int language = QSettings().value(settings_key::kStatsLanguage, -1).toInt();
  if (language >= 0 && language < StatsLangSelect->count()) {
    StatsLangSelect->setCurrentIndex(language);
  }
}

void StatsPage::CreateControls() {
  PlayerStatsSelect = NewSelector(this, "PlayerStatsSelect", 20);
  StatsLangSelect = NewSelector(this, "StatsLangSelect", 2);
  StatsLangSelect->setMinimumContentsLength(10);
  StatsLangSelect->addItems({"English", "Русский"});
  StatsLangSelect->setCurrentIndex(0);
  auto* selectors = new QHBoxLayout;
  selectors->addWidget(CaptionOf(this, "PlayerStatsSelect", "Player Select"));
  selectors->addWidget(PlayerStatsSelect);
  selectors->addSpacing(12);
  selectors->addWidget(CaptionOf(this, "StatsLangSelect", "Language"));
  selectors->addWidget(StatsLangSelect);
  selectors->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(selectors);
  const struct {
    const char* Name;
    const char* Caption;
    int Stretch;
  } boxes[] = {{"CitiesStats",
                "Cities: the number of own cities (the population of each), then + the number of "
                "puppets (the population of each)",
                1},
               {"WondersStats", "Wonders", 2},
               {"PoliciesStats", "Policies", 2},
               {"BeliefStats", "Beliefs", 1}};
  for (const auto& box : boxes) {
    layout->addWidget(CaptionOf(this, box.Name, box.Caption));
    layout->addWidget(NewRichText(this, box.Name, true, false), box.Stretch);
  }
}

// The texts of the tabs built together are English: this page builds its own, in its language,
// for the first player.
void StatsPage::ShowSave(AllTabs&) {
  FillPlayerSelector();
  Apply(PlayerStats(State(), 0, StatsLangSelect->currentIndex()));
}

// With no player selected (before any load) the builder gives four empty boxes.
void StatsPage::ShowPlayerStats() {
  Apply(PlayerStats(State(), PlayerStatsSelect->currentIndex(), StatsLangSelect->currentIndex()));
}

}  // namespace vek5
