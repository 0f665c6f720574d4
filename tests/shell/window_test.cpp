// Wiring of the main window: pages and controls exist as named, loads are transactions, and the
// generic content application reaches the controls. Formatting is the content builders' part.
#include "shell/main_window.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QUrl>
#include <filesystem>
#include <memory>

#include "shell/apply_content.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

// One application for the whole test program, on the offscreen platform with a private
// runtime folder.
void EnsureApplication() {
  static std::unique_ptr<QApplication> app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string runtime = testing::TempPath("runtime");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    static int argc = 1;
    static char name[] = "window_tests";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
  }();
}

std::string WriteSave(const std::string& name, const std::string& user = "Tester") {
  testing::GameDescription game;
  game.UserName = user;
  const std::vector<uint8_t> body(4000, 0x11);
  const std::string path = testing::TempPath(name);
  testing::WriteFile(path, testing::BuildSaveFile({testing::WriteHeader(game), body, {}, 0, {}}));
  return path;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    form_ = std::make_unique<TForm1>();
    form_->ShowError = [this](const QString& message) { errors_ << message; };
    form_->ChooseOpenFile = [] { return QString(); };
  }

  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = form_->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  QTabWidget* Pages() { return Find<QTabWidget>("PageControls"); }

  std::unique_ptr<TForm1> form_;
  QStringList errors_;
};

TEST_F(WindowTest, ThirteenPagesInOrderWithBaseActiveAndTestTabHidden) {
  const char* const pages[][2] = {{"BaseTab", "Base"},       {"LeadersTab", "Leaders"},
                                  {"ReplayTab", "Replay"},   {"PlayerLogTab", "Player Log"},
                                  {"ReloadsTab", "Reloads"}, {"GraphTab", "Graph"},
                                  {"CityTab", "Cities"},     {"PolicyTab", "Policy"},
                                  {"PlayerTab", "Player"},   {"StatsTab", "Stats"},
                                  {"CSTab", "CS Points"},    {"TestTab", "TestTab"},
                                  {"LeagueTab", "League"}};
  QTabWidget* tabs = Pages();
  ASSERT_EQ(tabs->count(), 13);
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(tabs->widget(i)->objectName(), pages[i][0]);
    EXPECT_EQ(tabs->tabText(i), pages[i][1]);
    EXPECT_EQ(tabs->isTabVisible(i), i != 11) << pages[i][0];
  }
  EXPECT_EQ(tabs->currentWidget()->objectName(), "BaseTab");
  EXPECT_EQ(form_->windowTitle(), "Vek5 Save Analyzer (version 1.19.5 BETA)");
}

TEST_F(WindowTest, StartUpDefaults) {
  EXPECT_FALSE(Find<QPushButton>("Button2")->isEnabled());
  EXPECT_EQ(Find<QPushButton>("Button2")->text(), "Save File");
  EXPECT_EQ(Find<QComboBox>("PlayerLogSelect")->currentIndex(), -1);
  EXPECT_EQ(Find<QComboBox>("GraphSelect")->itemText(0), "Score");
  auto* players = Find<QListWidget>("CheckListBox1");
  ASSERT_EQ(players->count(), 25);
  EXPECT_EQ(players->item(0)->text(), "Player 1");
  EXPECT_EQ(players->item(24)->text(), "Player 25");
  for (const int32_t series : form_->View().GraphSeriesOfEntry) EXPECT_EQ(series, -1);

  auto* leaders = Find<QTableWidget>("LeadersGrid");
  EXPECT_EQ(GridRows(leaders), 65);
  EXPECT_EQ(GridColumns(leaders), 11);
  EXPECT_EQ(GridCell(leaders, 0, 0), "№");
  EXPECT_EQ(GridCell(leaders, 0, 5), "Cities (Nat/Occ/Pup)");
  EXPECT_EQ(leaders->columnWidth(6), 125);
  EXPECT_EQ(leaders->columnWidth(7), 50);
  auto* techs = Find<QTableWidget>("TechGrid");
  EXPECT_EQ(GridRows(techs), 82);
  EXPECT_EQ(GridCell(techs, 81, 0), "81");
  EXPECT_EQ(GridCell(techs, 1, 0), " 1");
  EXPECT_EQ(GridRows(Find<QTableWidget>("CSGrid")), 65);
  EXPECT_EQ(GridColumns(Find<QTableWidget>("CSGrid")), 65);
  EXPECT_EQ(GridColumns(Find<QTableWidget>("LeagueProjectGrid")), 4);
  EXPECT_EQ(GridRows(Find<QTableWidget>("LeagueProjectGrid")), 66);

  EXPECT_EQ(Find<QLabel>("SaveIndexELabel")->text(), "     Save Version       (Версия сейва)");
  EXPECT_EQ(Find<QComboBox>("StatsLangSelect")->itemText(1), "Русский");
  EXPECT_FALSE(Find<QCheckBox>("ShowCombatsCheckBox")->isVisibleTo(form_.get()));
  EXPECT_EQ(Find<QTextEdit>("TraditionBranch")->toPlainText().split('\n').last(),
            "Tradition Finisher");
}

TEST_F(WindowTest, LoadFillsPathAndDateAndShowsBase) {
  const std::string path = WriteSave("good.Vek5Save");
  Pages()->setCurrentIndex(3);
  ASSERT_TRUE(form_->LoadFile(QString::fromStdString(path)));
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_EQ(Find<QLineEdit>("Edit1")->text().toStdString(), path);
  EXPECT_EQ(Find<QLineEdit>("Edit2")->text().size(), 19);  // "YYYY-MM-DD hh:mm:ss"
  EXPECT_EQ(Pages()->currentWidget()->objectName(), "BaseTab");
  EXPECT_TRUE(form_->HasSave());

  // "Load It" reloads the file the path box names.
  const GameState* first = &form_->State();
  Find<QPushButton>("Button4")->click();
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_NE(&form_->State(), first);
}

TEST_F(WindowTest, NonAsciiPathLoadsAndReloads) {
  const std::string path = WriteSave("сейв ü.Vek5Save");
  ASSERT_TRUE(form_->LoadFile(QString::fromStdString(path)));
  Find<QPushButton>("Button4")->click();
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
  EXPECT_EQ(Find<QLineEdit>("Edit1")->text().toStdString(), path);
}

TEST_F(WindowTest, FailedLoadKeepsThePreviousAnalysis) {
  const std::string good = WriteSave("kept.Vek5Save");
  ASSERT_TRUE(form_->LoadFile(QString::fromStdString(good)));
  const GameState* state = &form_->State();
  const QString date = Find<QLineEdit>("Edit2")->text();

  const std::string bad = testing::TempPath("not-a-save.Vek5Save");
  testing::WriteFile(bad, std::vector<uint8_t>(300, 'x'));
  for (const std::string& file : {bad, testing::TempPath("missing.Vek5Save")}) {
    errors_.clear();
    EXPECT_FALSE(form_->LoadFile(QString::fromStdString(file)));
    ASSERT_EQ(errors_.size(), 1) << file;
    EXPECT_FALSE(errors_.first().isEmpty());
    EXPECT_EQ(Find<QLineEdit>("Edit1")->text().toStdString(), good);
    EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), date);
    EXPECT_EQ(&form_->State(), state);
  }
}

TEST_F(WindowTest, EmptyPathAndCancelledDialogDoNothing) {
  Find<QPushButton>("Button4")->click();
  Find<QPushButton>("Button1")->click();  // the open dialog is cancelled
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_FALSE(form_->HasSave());
  EXPECT_TRUE(Find<QLineEdit>("Edit1")->text().isEmpty());
}

TEST_F(WindowTest, UnselectAllWithNothingLoadedUnchecksTheDesignTimeEntries) {
  auto* players = Find<QListWidget>("CheckListBox1");
  players->item(0)->setCheckState(Qt::Checked);
  players->item(3)->setCheckState(Qt::Checked);
  EXPECT_EQ(form_->View().GraphSeriesOfEntry[3], 1);
  Find<QPushButton>("Button3")->click();
  for (int i = 0; i < players->count(); ++i) {
    EXPECT_EQ(players->item(i)->checkState(), Qt::Unchecked);
  }
  for (const int32_t series : form_->View().GraphSeriesOfEntry) EXPECT_EQ(series, -1);
}

TEST_F(WindowTest, DroppedFileIsLoaded) {
  const std::string path = WriteSave("dropped.Vek5Save");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form_.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form_.get(), &drop);
  EXPECT_TRUE(form_->HasSave());
  EXPECT_EQ(Find<QLineEdit>("Edit1")->text().toStdString(), path);
}

TEST_F(WindowTest, ApplyTabContentReachesEveryKindOfControl) {
  TabContent content;
  content.SetField("GameVersionE", "1.0.3", "a hint");
  content.SetCheck("CheckBox2", true);
  content.List("GameOptionBox").Lines = {{"Quick Combat", kBlack}, {"Raging", kBlue}};
  content.List("ReplayList").Lines = {{"first", kBlack}, {"Session", kPurple}};
  content.List("CityBox").Lines = {{"Athens", kBlack}, {"Sparta", kBlack}};
  GridContent& grid = content.Grid("CSGrid", 3, 2);
  grid.Cells = {{"", "Player"}, {"Geneva", "12.50"}, {"Monaco", ""}};
  content.SetField("NoSuchControl", "x");

  const QStringList missing = ApplyTabContent(form_.get(), content);
  EXPECT_EQ(missing, QStringList{"NoSuchControl"});
  EXPECT_EQ(Find<QLineEdit>("GameVersionE")->text(), "1.0.3");
  EXPECT_EQ(Find<QLineEdit>("GameVersionE")->toolTip(), "a hint");
  EXPECT_TRUE(Find<QCheckBox>("CheckBox2")->isChecked());
  auto* options = Find<QListWidget>("GameOptionBox");
  ASSERT_EQ(options->count(), 2);
  EXPECT_EQ(options->item(1)->foreground().color(), QColor(Qt::blue));
  EXPECT_EQ(Find<QTextEdit>("ReplayList")->toPlainText(), "first\nSession");
  EXPECT_EQ(Find<QComboBox>("CityBox")->currentText(), "Athens");
  auto* cs = Find<QTableWidget>("CSGrid");
  EXPECT_EQ(GridRows(cs), 3);
  EXPECT_EQ(GridColumns(cs), 2);
  EXPECT_EQ(GridCell(cs, 0, 1), "Player");
  EXPECT_EQ(GridCell(cs, 1, 0), "Geneva");
  EXPECT_EQ(GridCell(cs, 1, 1), "12.50");
}

}  // namespace
}  // namespace vek5
