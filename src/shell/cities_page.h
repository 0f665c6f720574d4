// The Cities tab: a player's cities, and the chosen city's figures, great-person points,
// yields, buildings, build queue, production and religions.
#pragma once

#include "shell/page.h"

class QComboBox;
class QTableWidget;

namespace vek5 {

class CitiesPage : public Page {
 public:
  CitiesPage(SaveOnScreen& save, WindowServices& window);

  void KeepSelection() override;
  void ShowSave(AllTabs& built) override;
  void RestoreSelection(LoadMode mode) override;

 private:
  void CreateControls();
  // Handlers.
  void ShowPlayerCities();
  void ShowCity();
  void KeepQueueAtTop();

  QString kept_city_;

  QComboBox* PlayerCitySelect = nullptr;
  QComboBox* CityBox = nullptr;
  QComboBox* BuildingQueue = nullptr;
  QTableWidget* ProductionGrid = nullptr;
  QTableWidget* ReligionGrid = nullptr;
};

}  // namespace vek5
