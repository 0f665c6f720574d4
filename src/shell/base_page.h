// The Base tab: the game's settings, turn, time, score, status, allowed victories, options and
// DLC; before the first load, a hint that says how to open a save.
#pragma once

#include "shell/page.h"

namespace vek5 {

class BasePage : public Page {
 public:
  BasePage(SaveOnScreen& save, WindowServices& window);

  void ShowSave(AllTabs& built) override;

 private:
  void CreateControls();
};

}  // namespace vek5
