// Wiring of the Map page: a shown save fills the map, its selector and legend; the switches, the
// selector, the wheel, the keys and the buttons reach the picture; the hover names the plot; a
// save of the same game keeps the view; "Save Image..." writes the file. What the picture holds
// is the map picture builder's part.
#include "shell/map_page.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QWheelEvent>
#include <filesystem>

#include "support/map_state.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::string runtime = testing::TempPath("map-runtime");
  std::filesystem::create_directories(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  static int argc = 1;
  static char name[] = "window_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // kept to the end of the program, as the window's tests do
}

class MapPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    services_.ChooseImageFile = [this] { return image_file_; };
    services_.ShowError = [this](const QString& message) { errors_ << message; };
    services_.ShowStatus = [](const QString&) {};
    page_ = std::make_unique<MapPage>(save_, services_);
    page_->resize(1000, 700);
    page_->show();
    Show(World("Continents"));
  }

  static std::unique_ptr<GameState> World(const std::string& script) {
    auto state = NewGameState();
    testing::LaySampleWorld(*state, 40, 24, 3);
    state->MapScriptName = script;
    return state;
  }

  void Show(std::unique_ptr<GameState> state) {
    save_.State = std::move(state);
    AllTabs built;
    page_->ShowSave(built);
    QApplication::processEvents();
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = page_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  MapCanvas& Canvas() { return page_->Canvas(); }

  SaveOnScreen save_;
  WindowServices services_;
  std::unique_ptr<MapPage> page_;
  QString image_file_;
  QStringList errors_;
};

TEST_F(MapPageTest, AShownSaveFillsTheMapTheSeenBySelectorAndTheLegend) {
  EXPECT_EQ(Canvas().Picture().Hexagons.size(), 40u * 24u);
  QComboBox* seen_by = Find<QComboBox>("MapSeenBy");
  ASSERT_EQ(seen_by->count(), 2);
  EXPECT_EQ(seen_by->itemText(0), "Everything");
  EXPECT_EQ(seen_by->itemText(1), "Team 0: Civ 0");
  EXPECT_GT(Find<QListWidget>("MapLegend")->count(), 10);
  // Fitted: the whole map in view.
  EXPECT_LE(Canvas().Picture().Width, Canvas().width());
  EXPECT_LE(Canvas().Picture().Height, Canvas().height());
  EXPECT_GE(Canvas().Offset().x(), 0);
}

TEST_F(MapPageTest, SwitchesAndTheSelectorReachThePicture) {
  const struct {
    const char* Name;
    bool MapSelection::*Layer;
  } switches[] = {{"MapTerritory", &MapSelection::Territory},
                  {"MapCities", &MapSelection::Cities},
                  {"MapRiversRoutes", &MapSelection::RiversAndRoutes},
                  {"MapResources", &MapSelection::Resources},
                  {"MapImprovements", &MapSelection::Improvements}};
  for (const auto& s : switches) {
    Find<QCheckBox>(s.Name)->setChecked(false);
    EXPECT_FALSE(Canvas().Selection().*s.Layer) << s.Name;
    Find<QCheckBox>(s.Name)->setChecked(true);
    EXPECT_TRUE(Canvas().Selection().*s.Layer) << s.Name;
  }
  const int legend = Find<QListWidget>("MapLegend")->count();
  Find<QComboBox>("MapSeenBy")->setCurrentIndex(1);
  EXPECT_EQ(Canvas().Selection().SeenByTeam, 0);
  EXPECT_GT(Find<QListWidget>("MapLegend")->count(), legend);  // never seen, remembered
}

TEST_F(MapPageTest, WheelKeysAndButtonsZoomPanAndFit) {
  const double fitted = Canvas().TileWidth();
  const QPointF middle(Canvas().width() / 2.0, Canvas().height() / 2.0);
  QWheelEvent wheel(middle, Canvas().mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&Canvas(), &wheel);
  EXPECT_NEAR(Canvas().TileWidth(), fitted * 1.25, 1e-6);
  Find<QPushButton>("MapZoomIn")->click();
  EXPECT_NEAR(Canvas().TileWidth(), fitted * 1.25 * 1.25, 1e-6);
  const auto key = [this](int code) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
    QApplication::sendEvent(&Canvas(), &press);
  };
  key(Qt::Key_Minus);
  EXPECT_NEAR(Canvas().TileWidth(), fitted * 1.25, 1e-6);
  const QPointF before = Canvas().Offset();
  key(Qt::Key_Right);
  EXPECT_LT(Canvas().Offset().x(), before.x());
  key(Qt::Key_Up);
  EXPECT_GT(Canvas().Offset().y(), before.y());
  Find<QPushButton>("MapFit")->click();
  EXPECT_NEAR(Canvas().TileWidth(), fitted, 1e-6);
  Find<QPushButton>("MapZoomOut")->click();
  key(Qt::Key_Home);
  EXPECT_NEAR(Canvas().TileWidth(), fitted, 1e-6);
}

TEST_F(MapPageTest, HoveringAPlotNamesIt) {
  const int32_t plot = save_.State->Map.PlotIndex(7, 4);
  const MapPoint centre = MapPlotCentre(Canvas().Picture(), plot);
  Canvas().HoverAt(Canvas().Offset() + QPointF(centre.X, centre.Y));
  EXPECT_EQ(Canvas().HoveredPlot(), plot);
  EXPECT_TRUE(Canvas().HoverText().startsWith("Plot (7, 4)\nTerrain: "))
      << Canvas().HoverText().toStdString();
  Canvas().HoverAt(QPointF(-5, -5));
  EXPECT_EQ(Canvas().HoveredPlot(), -1);
  EXPECT_TRUE(Canvas().HoverText().isEmpty());
}

TEST_F(MapPageTest, ASaveOfTheSameGameKeepsTheViewAnotherGameIsFitted) {
  Find<QCheckBox>("MapResources")->setChecked(false);
  Find<QComboBox>("MapSeenBy")->setCurrentIndex(1);
  Find<QPushButton>("MapZoomIn")->click();
  Canvas().PanBy(QPointF(-30, 20));
  const double tile = Canvas().TileWidth();
  const QPointF offset = Canvas().Offset();
  Show(World("Continents"));
  EXPECT_EQ(Canvas().TileWidth(), tile);
  EXPECT_EQ(Canvas().Offset(), offset);
  EXPECT_EQ(Canvas().Selection().SeenByTeam, 0);
  EXPECT_EQ(Find<QComboBox>("MapSeenBy")->currentIndex(), 1);
  EXPECT_FALSE(Canvas().Selection().Resources);

  Show(World("Pangaea"));  // another map script: another game
  EXPECT_LT(Canvas().TileWidth(), tile);
  EXPECT_EQ(Canvas().Selection().SeenByTeam, -1);
  EXPECT_FALSE(Canvas().Selection().Resources);  // the switches are the user's, whatever the game
}

TEST_F(MapPageTest, SaveImageWritesPngAndSvg) {
  for (const char* name : {"map-page.png", "map-page.svg"}) {
    image_file_ = QString::fromStdString(testing::TempPath(name));
    Find<QPushButton>("MapSaveImage")->click();
    EXPECT_TRUE(errors_.isEmpty()) << name;
    EXPECT_GT(std::filesystem::file_size(image_file_.toStdString()), 1000u) << name;
  }
  image_file_ = QString::fromStdString(testing::TempPath("no-such-folder/map.png"));
  Find<QPushButton>("MapSaveImage")->click();
  EXPECT_EQ(errors_.size(), 1);
}

}  // namespace
}  // namespace vek5
