// The Player tab: the chosen player's technologies and his running totals of science, golden
// age, gold, faith and great generals.
#pragma once

#include "shell/page.h"

class QComboBox;
class QTableWidget;

namespace vek5 {

class PlayerPage : public Page {
 public:
  PlayerPage(SaveOnScreen& save, WindowServices& window);

  void ShowSave(AllTabs& built) override;

 private:
  void CreateControls();
  // Handler: shows the chosen player's technologies and totals.
  void ShowPlayerTechs();

  QComboBox* PlayerTechSelect = nullptr;
  QTableWidget* TechGrid = nullptr;
};

}  // namespace vek5
