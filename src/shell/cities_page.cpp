#include "shell/cities_page.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/apply_content.h"
#include "shell/widgets.h"
#include "views/city_view.h"

namespace vek5 {

CitiesPage::CitiesPage(SaveOnScreen& save, WindowServices& window)
    : Page("CityTab", "Cities", save, window) {
  CreateControls();
  SetPlayerSelector(PlayerCitySelect);
  SetGridHeader(ProductionGrid, {"№", "Production", "Hammers", "Delay"}, {20, 150, 80, 35});
  SetGridHeader(ReligionGrid, {"Religion", "Followers", "Points", "Percent", "Holy"},
                {100, 50, 50, 50, 35});
  connect(PlayerCitySelect, &QComboBox::currentIndexChanged, this, &CitiesPage::ShowPlayerCities);
  connect(CityBox, &QComboBox::currentIndexChanged, this, &CitiesPage::ShowCity);
  connect(BuildingQueue, &QComboBox::currentIndexChanged, this, &CitiesPage::KeepQueueAtTop);
}

void CitiesPage::CreateControls() {
  PlayerCitySelect = NewSelector(this, "PlayerCitySelect", 20);
  CityBox = NewSelector(this, "CityBox", 20);
  auto* selectors = new QHBoxLayout;
  selectors->addWidget(CaptionOf(this, "PlayerCitySelect", "Player Select"));
  selectors->addWidget(PlayerCitySelect);
  selectors->addSpacing(12);
  selectors->addWidget(CaptionOf(this, "CityBox", "City Select"));
  selectors->addWidget(CityBox);
  selectors->addStretch();

  auto* fields = new QGridLayout;
  const char* const rows[][2] = {{"CityFoundE", "Founded"},
                                 {"CityStatusE", "Status"},
                                 {"PopE", "Population (Max)"},
                                 {"CityXYE", "X,Y"},
                                 {"CityStrengthE", "Strength"},
                                 {"FoodE", "Food"},
                                 {"CultureE", "Culture"},
                                 {"PreviousOwnerE", "Previous Owner"},
                                 {"OriginalOwnerE", "Original Owner"},
                                 {"LastCapturedE", "Captured"},
                                 {"WLTKDE", "WLTKD turns"},
                                 {"DisorderE", "Disorder turns"},
                                 {"CityOverflowE", "Overflow Production"},
                                 {"SpecialistsE", "Specialists"}};
  int row = 0;
  for (const auto& r : rows) AddFieldRow(fields, this, row++, r[0], r[1]);
  fields->setColumnMinimumWidth(1, 180);
  fields->setVerticalSpacing(2);  // fourteen rows fit the smallest window

  // Great-person points and rates in the game's order of the kinds (writer and musician are
  // Zeph's), then the yields per turn.
  auto* great = new QGridLayout;
  const char* const kinds[][3] = {
      {"GWPointsE", "GWRateE", "Writer"},     {"GAPointsE", "GARateE", "Artist"},
      {"GMuPointsE", "GMuRateE", "Musician"}, {"GSPointsE", "GSRateE", "Scientist"},
      {"GMPointsE", "GMRateE", "Merchant"},   {"GEPointsE", "GERateE", "Engineer"}};
  row = 0;
  for (const auto& k : kinds) {
    great->addWidget(CaptionOf(this, k[0], k[2]), row, 0);
    great->addWidget(NewEdit(this, k[0]), row, 1);
    great->addWidget(CaptionOf(this, k[1], "+"), row, 2);
    great->addWidget(NewEdit(this, k[1]), row, 3);
    ++row;
  }
  great->addWidget(CaptionOf(this, "GPLimitE", "Needed"), row, 0);
  great->addWidget(NewEdit(this, "GPLimitE"), row++, 1);
  great->addWidget(NewLabel(this, "PerTurnLabel", "Per turn"), row++, 1);
  const char* const yields[][2] = {{"OutCultureE", "Culture"}, {"OutFaithE", "Faith"},
                                   {"OutFoodE", "Food"},       {"OutProdE", "Product"},
                                   {"OutGoldE", "Gold"},       {"OutScienceE", "Science"}};
  for (const auto& y : yields) {
    great->addWidget(CaptionOf(this, y[0], y[1]), row, 0);
    great->addWidget(NewEdit(this, y[0]), row++, 1);
  }
  for (QLineEdit* edit : this->findChildren<QLineEdit*>()) {
    if (edit->objectName().endsWith("PointsE") || edit->objectName().endsWith("RateE") ||
        edit->objectName().startsWith("Out") || edit->objectName() == "GPLimitE") {
      edit->setFixedWidth(80);
    }
  }
  great->setRowStretch(row, 1);
  great->setVerticalSpacing(2);

  auto* buildings = new QVBoxLayout;
  auto* building_captions = new QHBoxLayout;
  const int char_width = QFontMetrics(FixedPitchFont()).horizontalAdvance('0');
  QLabel* buildings_caption = CaptionOf(this, "BuildingsList", "Buildings");
  buildings_caption->setFixedWidth(24 * char_width + 4);
  building_captions->addWidget(buildings_caption);
  QLabel* date_caption = NewLabel(this, "BuildingsDateLabel", "Date");
  date_caption->setFixedWidth(8 * char_width);  // " 4000BC"
  date_caption->setAlignment(Qt::AlignRight);
  building_captions->addWidget(date_caption);
  QLabel* turn_caption = NewLabel(this, "BuildingsTurnLabel", "Turn");
  turn_caption->setFixedWidth(6 * char_width);
  turn_caption->setAlignment(Qt::AlignRight);
  building_captions->addWidget(turn_caption);
  building_captions->addStretch();
  buildings->addLayout(building_captions);
  buildings->addWidget(NewRichText(this, "BuildingsList", false, true), 1);
  buildings->addWidget(
      Legend(this, "BuildingsLegend", Qt::blue, "Blue: free buildings (given, not built)."));

  auto* upper = new QHBoxLayout;
  upper->addLayout(fields);
  upper->addSpacing(8);
  upper->addLayout(great);
  upper->addSpacing(8);
  upper->addLayout(buildings, 1);

  BuildingQueue = NewSelector(this, "BuildingQueue", kQueueCapacity);
  ProductionGrid = NewGrid(this, "ProductionGrid",
                           {.Columns = kProductionGridColumns, .Rows = kProductionGridRows});
  ReligionGrid =
      NewGrid(this, "ReligionGrid", {.Columns = kReligionGridColumns, .Rows = kReligionGridRows});
  auto* queue = new QVBoxLayout;
  queue->addWidget(CaptionOf(this, "BuildingQueue", "Building Queue"));
  queue->addWidget(BuildingQueue);
  queue->addStretch();
  auto* religions = new QVBoxLayout;
  religions->addWidget(CaptionOf(this, "ReligionGrid", "Religions"));
  religions->addWidget(ReligionGrid, 1);
  auto* lower = new QHBoxLayout;
  lower->addLayout(queue);
  lower->addSpacing(8);
  lower->addWidget(ProductionGrid, 1);
  lower->addSpacing(8);
  lower->addLayout(religions, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(selectors);
  layout->addLayout(upper, 3);
  layout->addLayout(lower, 2);
}

void CitiesPage::KeepSelection() {
  Page::KeepSelection();
  kept_city_ = CityBox->currentText();
}

void CitiesPage::ShowSave(AllTabs& built) {
  FillPlayerSelector();
  ApplyBuilt(built);
}

void CitiesPage::RestoreSelection(LoadMode mode) {
  Page::RestoreSelection(mode);
  const int city = CityBox->findText(kept_city_);
  if (city >= 0) CityBox->setCurrentIndex(city);
}

void CitiesPage::ShowPlayerCities() {
  Apply(PlayerCityChoose(State(), View(), SelectedPlayer()));
}

void CitiesPage::ShowCity() {
  Apply(ChooseCity(State(), View(), SelectedPlayer(), std::max(CityBox->currentIndex(), 0)));
}

void CitiesPage::KeepQueueAtTop() {
  // The queue list only shows the queue: its first entry stays in view.
  if (BuildingQueue->currentIndex() > 0) BuildingQueue->setCurrentIndex(0);
}

}  // namespace vek5
