// The Player Log tab: the notifications the game kept for the chosen player, by turn.
#pragma once

#include "shell/page.h"

class QCheckBox;
class QComboBox;

namespace vek5 {

class PlayerLogPage : public Page {
 public:
  PlayerLogPage(SaveOnScreen& save, WindowServices& window);

  void ShowSave(AllTabs& built) override;

 private:
  void CreateControls();
  // Handler: shows the chosen player's log.
  void ShowLog();

  QComboBox* PlayerLogSelect = nullptr;
  QCheckBox* ShowCombatsCheckBox = nullptr;
  QCheckBox* ShowCityEventsCheckBox = nullptr;
};

}  // namespace vek5
