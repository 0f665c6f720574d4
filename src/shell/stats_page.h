// The Stats tab: the chosen player's cities, wonders, policies and beliefs as text, in English
// or Russian (the language is remembered between starts).
#pragma once

#include "shell/page.h"

class QComboBox;

namespace vek5 {

class StatsPage : public Page {
 public:
  StatsPage(SaveOnScreen& save, WindowServices& window);

  void ShowSave(AllTabs& built) override;

 private:
  void CreateControls();
  // Handler: shows the chosen player's statistics in the chosen language.
  void ShowPlayerStats();

  QComboBox* PlayerStatsSelect = nullptr;
  QComboBox* StatsLangSelect = nullptr;
};

}  // namespace vek5
