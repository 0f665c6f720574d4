// Wiring of the main window: pages and controls exist as named, loads are transactions, and the
// generic content application reaches the controls. Formatting is the content builders' part.
#include "shell/main_window.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractButton>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QThread>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QXmlStreamReader>
#include <clocale>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include "views/window_texts.h"

#include "model/format.h"
#include "series/series_fixture.h"
#include "shell/apply_content.h"
#include "shell/folder_follower.h"
#include "shell/history_chart.h"
#include "shell/recent_files.h"
#include "shell/series_page.h"
#include "support/city_writer.h"
#include "support/save_builder.h"
#include "support/world_writer.h"
#include "views/base_view.h"
#include "views/city_view.h"
#include "views/history_csv.h"
#include "views/series_report.h"
#include "views/stats_view.h"

namespace vek5 {
namespace {

// One application for the whole test program, on the offscreen platform with a private
// runtime folder. It is never destroyed: at exit Qt's own statics (the input devices a mouse
// event registers) are gone before a static application's destructor would run.
void EnsureApplication() {
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string runtime = testing::TempPath("runtime");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    // The settings live in a private folder, never in the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(testing::TempPath("settings")));
    QCoreApplication::setOrganizationName("Vek5Tests");
    QCoreApplication::setApplicationName("window_tests");
    static int argc = 1;
    static char name[] = "window_tests";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  (void)app;
}

std::string WriteSave(const std::string& name, const std::string& user = "Tester") {
  testing::GameDescription game;
  game.UserName = user;
  const std::vector<uint8_t> body(4000, 0x11);
  const std::string path = testing::TempPath(name);
  testing::WriteFile(path, testing::BuildSaveFile({testing::WriteHeader(game), body, {}, 0, {}}));
  return path;
}

// A small game whose first player has two cities and whose second has one, so that the
// player and city selections show different content.
std::string WriteGameWithCities(const std::string& name) {
  testing::GameDescription game;
  testing::CityDescription athens;
  athens.Name = "Athens";
  athens.Owner = 0;
  athens.OverflowProduction = 1234;
  athens.Strength = 1550;
  athens.Population = 6;
  athens.X = 11;
  testing::CityDescription sparta = athens;
  sparta.Name = "Sparta";
  sparta.Population = 3;
  sparta.X = 17;
  testing::CityDescription thebes = athens;
  thebes.Name = "Thebes";
  thebes.Owner = 1;
  thebes.Population = 4;
  // The two majors' records, each with its history.
  const testing::WorldFormat world{testing::Rules::kBase, true, true};
  for (int32_t slot = 0; slot < 2; ++slot) {
    game.BodySections.push_back(testing::WritePlayerRecord(
        world, {}, std::vector<testing::HistoryPairs>{{{1, 10 + slot}, {2, 20 + slot}}}));
  }
  game.BodySections.push_back(
      testing::WriteCityRecords(testing::CityRecordForm::Base, {athens, sparta, thebes}));
  const std::string path = testing::TempPath(name);
  testing::WriteFile(path, testing::WriteSaveFile(game));
  return path;
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    QSettings().clear();  // every test starts as a first start
    form_ = std::make_unique<MainWindow>();
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

  QString FieldText(const char* name) {
    if (auto* edit = form_->findChild<QLineEdit*>(name)) return edit->text();
    if (auto* rich = form_->findChild<QPlainTextEdit*>(name)) return rich->toPlainText();
    ADD_FAILURE() << "no field " << name;
    return {};
  }

  // Every field, line and grid cell of the content is on screen, as the builder made it.
  void ExpectShows(const TabContent& content) {
    for (const FieldContent& field : content.Fields) {
      QString text = Q(field.Text);
      // Edit boxes show the value without the padding the report aligns with.
      if (form_->findChild<QLineEdit*>(Q(field.Control))) {
        while (text.startsWith(' ')) text.remove(0, 1);
      }
      EXPECT_EQ(FieldText(field.Control.c_str()), text) << field.Control;
    }
    for (const LinesContent& list : content.Lists) {
      QStringList expected;
      for (const ColoredLine& line : list.Lines) expected << Q(line.Text);
      QStringList shown;
      if (auto* combo = form_->findChild<QComboBox*>(Q(list.Control))) {
        for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
      } else if (auto* rich = form_->findChild<QPlainTextEdit*>(Q(list.Control))) {
        shown = rich->toPlainText().split('\n');
        if (expected.isEmpty()) expected << QString();  // an empty box still holds one line
      } else {
        ADD_FAILURE() << "no list " << list.Control;
      }
      EXPECT_EQ(shown, expected) << list.Control;
    }
    for (const GridContent& grid : content.Grids) {
      auto* table = Find<QTableWidget>(grid.Control.c_str());
      for (size_t r = 0; r < grid.Cells.size(); ++r) {
        for (size_t c = 0; c < grid.Cells[r].size(); ++c) {
          EXPECT_EQ(GridCell(table, static_cast<int>(r), static_cast<int>(c)), Q(grid.Cells[r][c]))
              << grid.Control << " " << r << "," << c;
        }
      }
    }
  }

  QComboBox* Selector(const char* name) { return Find<QComboBox>(name); }

  std::unique_ptr<MainWindow> form_;
  QStringList errors_;
};

TEST_F(WindowTest, FourteenPagesAndSeriesInOrderWithBaseActiveAndTestTabHidden) {
  const char* const pages[][2] = {{"BaseTab", "Base"},
                                  {"MapTab", "Map"},
                                  {"LeadersTab", "Leaders"},
                                  {"ReplayTab", "Replay"},
                                  {"PlayerLogTab", "Player Log"},
                                  {"ReloadsTab", "Reloads"},
                                  {"GraphTab", "Graph"},
                                  {"CityTab", "Cities"},
                                  {"PolicyTab", "Policy"},
                                  {"PlayerTab", "Player"},
                                  {"StatsTab", "Stats"},
                                  {"CSTab", "CS Points"},
                                  {"TestTab", "TestTab"},
                                  {"LeagueTab", "League"},
                                  {"SeriesTab", "Series"}};
  QTabWidget* tabs = Pages();
  ASSERT_EQ(tabs->count(), 15);
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(tabs->widget(i)->objectName(), pages[i][0]);
    EXPECT_EQ(tabs->tabText(i), pages[i][1]);
    EXPECT_EQ(tabs->isTabVisible(i), i != 12) << pages[i][0];
  }
  EXPECT_EQ(tabs->currentWidget()->objectName(), "BaseTab");
  EXPECT_EQ(form_->windowTitle(), "Vek5 Save Analyser");
}

TEST_F(WindowTest, StartUpDefaults) {
  EXPECT_FALSE(Find<QPushButton>("SaveFileButton")->isEnabled());
  EXPECT_EQ(Find<QPushButton>("SaveFileButton")->text(), "Save File");
  EXPECT_EQ(Find<QComboBox>("PlayerLogSelect")->currentIndex(), -1);
  EXPECT_EQ(Find<QComboBox>("GraphSelect")->itemText(0), "Score");
  for (const int32_t series : form_->View().GraphSeriesOfEntry) EXPECT_EQ(series, -1);

  auto* leaders = Find<QTableWidget>("LeadersGrid");
  EXPECT_EQ(GridRows(leaders), 1);  // no placeholder rows before a load
  EXPECT_EQ(GridColumns(leaders), 6);
  EXPECT_EQ(GridCell(leaders, 0, 0), "№");
  EXPECT_EQ(GridCell(leaders, 0, 5), "Cities (Nat/Occ/Pup)");
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
  EXPECT_EQ(Find<QLabel>("TraditionBranchLabel")->text(), "Tradition");
  EXPECT_EQ(Find<QLabel>("FreedomIdeologyLabel")->text(), "Freedom (ideology)");
}

// Before the first load nothing shows made-up data, and the Base tab says how to begin.
TEST_F(WindowTest, BeforeTheFirstLoadNoPlaceholderShowsAndAHintDoes) {
  EXPECT_EQ(Find<QListWidget>("GraphPlayerList")->count(), 0);
  auto* chart = Find<HistoryChartView>("HistoryChart");
  EXPECT_FALSE(chart->AxisX()->labelsVisible());
  EXPECT_FALSE(chart->AxisY()->labelsVisible());
  for (const QLineEdit* edit : form_->findChildren<QLineEdit*>()) {
    EXPECT_TRUE(edit->text().isEmpty()) << edit->objectName().toStdString();
  }
  for (const QPlainTextEdit* box : form_->findChildren<QPlainTextEdit*>()) {
    EXPECT_TRUE(box->toPlainText().isEmpty()) << box->objectName().toStdString();
  }
  auto* hint = Find<QLabel>("EmptyHint");
  EXPECT_TRUE(hint->isVisibleTo(form_.get()));
  EXPECT_TRUE(hint->text().contains("Load File"));

  ASSERT_TRUE(form_->LoadFile(Q(WriteSave("first.Vek5Save"))));
  EXPECT_FALSE(hint->isVisibleTo(form_.get()));
  EXPECT_TRUE(chart->AxisX()->labelsVisible());
  EXPECT_GT(Find<QListWidget>("GraphPlayerList")->count(), 0);
}

// A newcomer can tell what every box holds: each visible edit box has a caption or a hint,
// every hint of the views' table reaches a control, and a hint the content gives comes after
// the standing one.
TEST_F(WindowTest, EveryBoxHasACaptionOrAHint) {
  for (const ControlHint& hint : ControlHints()) {
    const auto* widget = form_->findChild<QWidget*>(hint.Control);
    ASSERT_NE(widget, nullptr) << hint.Control;
    EXPECT_EQ(widget->toolTip(), QString::fromUtf8(hint.Hint)) << hint.Control;
  }
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("hints.Vek5Save"))));
  for (int page = 0; page < Pages()->count(); ++page) {
    if (!Pages()->isTabVisible(page)) continue;
    for (const QLineEdit* edit : Pages()->widget(page)->findChildren<QLineEdit*>()) {
      if (!edit->isVisibleTo(Pages()->widget(page))) continue;
      const auto* caption = form_->findChild<QLabel*>(edit->objectName() + "Label");
      const bool captioned =
          caption && !caption->text().trimmed().isEmpty() && caption->text().trimmed() != "+";
      EXPECT_TRUE(captioned || !edit->toolTip().isEmpty()) << edit->objectName().toStdString();
    }
  }
  const QString points = Find<QLineEdit>("GSPointsE")->toolTip();
  EXPECT_TRUE(points.startsWith("Great Scientist points stored in the city\n"))
      << points.toStdString();
  // The fixture's cities earn no points per turn: the hint says so instead of a count of turns.
  EXPECT_TRUE(points.endsWith("\nNo points per turn: no great person is on the way"))
      << points.toStdString();
  EXPECT_EQ(form_->findChild<QLabel*>("GSPointsELabel")->text(), "Scientist");
  EXPECT_EQ(form_->findChild<QLabel*>("FileDateLabel")->text(), "File date");
}

TEST_F(WindowTest, LoadFillsPathAndDateAndKeepsThePage) {
  const std::string path = WriteSave("good.Vek5Save");
  Pages()->setCurrentIndex(3);
  ASSERT_TRUE(form_->LoadFile(QString::fromStdString(path)));
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_EQ(Find<QLineEdit>("SavePath")->text().toStdString(), path);
  EXPECT_EQ(Find<QLineEdit>("FileDate")->text().size(), 19);  // "YYYY-MM-DD hh:mm:ss"
  EXPECT_EQ(Pages()->currentIndex(), 3);                      // a load keeps the page in view
  EXPECT_TRUE(form_->HasSave());

  // "Load It" reloads the file the path box names.
  const GameState* first = &form_->State();
  Find<QPushButton>("LoadPathButton")->click();
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_NE(&form_->State(), first);
}

// After a load the title names the file, the player and the turn, and the status line the file,
// the rule set, the turn and the time the load took.
TEST_F(WindowTest, TitleAndStatusLineDescribeTheLoadedSave) {
  const std::string path = WriteGameWithCities("titled.Vek5Save");
  ASSERT_TRUE(form_->LoadFile(Q(path)));
  const GameState& state = form_->State();
  const QString turn = QString("turn %1/%2").arg(state.CurrentTurn).arg(state.MaxTurns);
  EXPECT_TRUE(form_->windowTitle().startsWith("titled - ")) << form_->windowTitle().toStdString();
  EXPECT_TRUE(form_->windowTitle().endsWith(turn + " - Vek5 Save Analyser"));
  const QString status = Find<QStatusBar>("StatusLine")->currentMessage();
  EXPECT_TRUE(status.startsWith("titled.Vek5Save  |  " + Q(RuleSetName(state)) + "  |  " + turn +
                                "  |  loaded in "))
      << status.toStdString();
}

TEST_F(WindowTest, NonAsciiPathLoadsAndReloads) {
  const std::string path = WriteSave("сейв ü.Vek5Save");
  ASSERT_TRUE(form_->LoadFile(QString::fromStdString(path)));
  Find<QPushButton>("LoadPathButton")->click();
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
  EXPECT_EQ(Find<QLineEdit>("SavePath")->text().toStdString(), path);
}

TEST_F(WindowTest, FailedLoadKeepsThePreviousAnalysis) {
  const std::string good = WriteGameWithCities("kept.Vek5Save");
  ASSERT_TRUE(form_->LoadFile(Q(good)));
  Selector("PlayerCitySelect")->setCurrentIndex(1);
  const GameState* state = &form_->State();
  const QString date = FieldText("FileDate");
  const QString leader = GridCell(Find<QTableWidget>("LeadersGrid"), 2, 2);
  const int graph_points = Find<HistoryChartView>("HistoryChart")->Series(0)->count();

  const std::string bad = testing::TempPath("not-a-save.Vek5Save");
  testing::WriteFile(bad, std::vector<uint8_t>(300, 'x'));
  for (const std::string& file : {bad, testing::TempPath("missing.Vek5Save")}) {
    errors_.clear();
    EXPECT_FALSE(form_->LoadFile(Q(file)));
    ASSERT_EQ(errors_.size(), 1) << file;
    EXPECT_FALSE(errors_.first().isEmpty());
    EXPECT_EQ(FieldText("SavePath").toStdString(), good);
    EXPECT_EQ(FieldText("FileDate"), date);
    EXPECT_EQ(FieldText("UserNameE"), "Tester");
    EXPECT_EQ(GridCell(Find<QTableWidget>("LeadersGrid"), 2, 2), leader);
    EXPECT_EQ(Selector("CityBox")->currentText(), "Thebes");
    EXPECT_EQ(Find<HistoryChartView>("HistoryChart")->Series(0)->count(), graph_points);
    EXPECT_EQ(&form_->State(), state);
    EXPECT_EQ(form_->State().UserName, "Tester");
    EXPECT_EQ(form_->Graph().Entries.size(), static_cast<size_t>(state->PlayerCount));
  }
}

// The error names the file that failed and says what is wrong with it; the path box then names
// the save on screen again, or, before any load, keeps the failed name for correction.
TEST_F(WindowTest, AFailedLoadNamesTheFileAndThePathBoxNamesTheSaveOnScreen) {
  const std::string folder = testing::TempPath("saves-folder");
  std::filesystem::create_directories(folder);
  auto* path_box = Find<QLineEdit>("SavePath");
  path_box->setText(Q(folder));
  Find<QPushButton>("LoadPathButton")->click();
  ASSERT_EQ(errors_.size(), 1);
  EXPECT_TRUE(errors_[0].contains(Q(folder))) << errors_[0].toStdString();
  EXPECT_TRUE(errors_[0].contains("This is a folder, not a save file."))
      << errors_[0].toStdString();
  EXPECT_EQ(path_box->text(), Q(folder));

  const std::string good = WriteSave("on-screen.Vek5Save");
  ASSERT_TRUE(form_->LoadFile(Q(good)));
  path_box->setText(Q(folder));
  Find<QPushButton>("LoadPathButton")->click();
  EXPECT_EQ(errors_.size(), 2);
  EXPECT_EQ(path_box->text(), Q(good));
}

TEST_F(WindowTest, EmptyPathAndCancelledDialogDoNothing) {
  Find<QPushButton>("LoadPathButton")->click();
  Find<QPushButton>("LoadFileButton")->click();  // the open dialog is cancelled
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_FALSE(form_->HasSave());
  EXPECT_TRUE(Find<QLineEdit>("SavePath")->text().isEmpty());
}

TEST_F(WindowTest, UnselectAllWithNothingLoadedDoesNothing) {
  Find<QPushButton>("UnselectAllButton")->click();
  EXPECT_EQ(Find<QListWidget>("GraphPlayerList")->count(), 0);
  for (const int32_t series : form_->View().GraphSeriesOfEntry) EXPECT_EQ(series, -1);
  EXPECT_TRUE(errors_.isEmpty());
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
  EXPECT_EQ(Find<QLineEdit>("SavePath")->text().toStdString(), path);
}

TEST_F(WindowTest, ApplyTabContentReachesEveryKindOfControl) {
  TabContent content;
  content.SetField("GameVersionE", "1.0.3", "a hint");
  content.SetCheck("ScienceVictory", true);
  content.List("GameOptionBox").Lines = {{"Quick Combat", kBlack}, {"Raging", kBlue}};
  content.List("ReplayList").Lines = {{"first", kBlack}, {"Session", kPurple}};
  content.List("CityBox").Lines = {{"Athens", kBlack}, {"Sparta", kBlack}};
  content.List("CityBox").Selected = 1;
  content.List("CityBox").DropDownCount = 2;
  GridContent& grid = content.Grid("CSGrid", 3, 2);
  grid.Cells = {{"", "Player"}, {"Geneva", "12.50"}, {"Monaco", ""}};
  content.SetField("NoSuchControl", "x");

  const QStringList missing = ApplyTabContent(form_.get(), content);
  EXPECT_EQ(missing, QStringList{"NoSuchControl"});
  EXPECT_EQ(Find<QLineEdit>("GameVersionE")->text(), "1.0.3");
  EXPECT_EQ(Find<QLineEdit>("GameVersionE")->toolTip(), "a hint");
  EXPECT_TRUE(Find<QCheckBox>("ScienceVictory")->isChecked());
  auto* options = Find<QListWidget>("GameOptionBox");
  ASSERT_EQ(options->count(), 2);
  EXPECT_EQ(options->item(1)->foreground().color(), QColor(Qt::blue));
  EXPECT_EQ(Find<QPlainTextEdit>("ReplayList")->toPlainText(), "first\nSession");
  EXPECT_EQ(Find<QComboBox>("CityBox")->currentText(), "Sparta");
  EXPECT_EQ(Find<QComboBox>("CityBox")->maxVisibleItems(), 2);
  auto* cs = Find<QTableWidget>("CSGrid");
  EXPECT_EQ(GridRows(cs), 3);
  EXPECT_EQ(GridColumns(cs), 2);
  EXPECT_EQ(GridCell(cs, 0, 1), "Player");
  EXPECT_EQ(GridCell(cs, 1, 0), "Geneva");
  EXPECT_EQ(GridCell(cs, 1, 1), "12.50");
}

// Columns widen to the widest cell as the grid itself measures it, whatever makes a text wide
// (more letters, wider letters, blanks at its end, several lines), and never narrow.
TEST_F(WindowTest, GridColumnsWidenToTheirWidestCellAndNeverNarrow) {
  auto* grid = Find<QTableWidget>("CSGrid");
  const QAbstractItemView* view = grid;
  const std::vector<std::vector<std::string>> columns = {
      {"iiiiiiiiiiiiiiiiiiii", "WWWWWWWW", "1"},
      {"WWWW" + std::string(30, ' '), "MMMMMMMMMMMMMMMM", ""},
      {"12.50", "99.99", "00.01"},
      {"short", "a much longer first line\nand a second", "x"}};
  TabContent content;
  GridContent& cells = content.Grid("CSGrid", 4, 5);
  cells.Cells = {{"", "A", "B", "C", "D"}};
  for (size_t r = 0; r < 3; ++r) {
    cells.Cells.push_back({"row"});
    for (const auto& column : columns) cells.Cells.back().push_back(column[r]);
  }
  ASSERT_TRUE(ApplyTabContent(form_.get(), content).isEmpty());
  std::vector<int> widths;
  for (int c = 0; c < grid->columnCount(); ++c) {
    EXPECT_GE(grid->columnWidth(c), view->sizeHintForColumn(c)) << c;
    widths.push_back(grid->columnWidth(c));
  }

  for (size_t r = 1; r < cells.Cells.size(); ++r) {
    for (size_t c = 1; c < cells.Cells[r].size(); ++c) cells.Cells[r][c].assign(1, 'i');
  }
  ASSERT_TRUE(ApplyTabContent(form_.get(), content).isEmpty());
  for (int c = 0; c < grid->columnCount(); ++c) EXPECT_EQ(grid->columnWidth(c), widths[c]) << c;
}

TEST_F(WindowTest, LoadFillsEveryTabFromTheAnalysis) {
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("filled.Vek5Save"))));
  ASSERT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
  const GameState& state = form_->State();
  ASSERT_GE(state.PlayerCount, 3);

  EXPECT_EQ(FieldText("UserNameE"), "Tester");
  EXPECT_EQ(FieldText("GameScore"), "180");
  EXPECT_EQ(FieldText("SessionCount"), "3");
  EXPECT_EQ(FieldText("CurrentTurn"), Q(Format("%d/%3d", state.CurrentTurn, state.MaxTurns)));

  auto* leaders = Find<QTableWidget>("LeadersGrid");
  for (int32_t e = 0; e < state.PlayerCount; ++e) {
    EXPECT_EQ(GridCell(leaders, e + 1, 2), Q(state.Leaders[e].LeaderName)) << e;
  }
  // Cities neither occupied nor puppets count as national.
  EXPECT_EQ(GridCell(leaders, 1, 5), "  2 (2/0/0)");
  EXPECT_EQ(GridRows(leaders), state.PlayerCount + 1);

  // The six replay messages, the session starts in purple.
  const QStringList replay = FieldText("ReplayList").split('\n');
  ASSERT_EQ(replay.size(), 6);
  EXPECT_TRUE(replay[0].endsWith(" Session 1 starts"));
  EXPECT_TRUE(replay[3].contains("meets Ramesses II."));
  const QTextBlock first = Find<QPlainTextEdit>("ReplayList")->document()->firstBlock();
  EXPECT_EQ(first.begin().fragment().charFormat().foreground().color(), QColor(0x800080));
  EXPECT_EQ(first.next().begin().fragment().charFormat().foreground().color(), QColor(Qt::black));

  QStringList players;
  for (const std::string& name : PlayerSelectorItems(state)) players << Q(name);
  for (const char* name : {"PlayerLogSelect", "PlayerCitySelect", "PlayerPolicySelect",
                           "PlayerTechSelect", "PlayerStatsSelect"}) {
    QComboBox* selector = Selector(name);
    QStringList items;
    for (int i = 0; i < selector->count(); ++i) items << selector->itemText(i);
    EXPECT_EQ(items, players) << name;
    EXPECT_EQ(selector->currentIndex(), 0) << name;
  }

  EXPECT_EQ(Selector("CityBox")->count(), 2);
  EXPECT_EQ(Selector("CityBox")->currentText(), "Athens");
  EXPECT_EQ(FieldText("CityXYE"), "11;0");
  EXPECT_EQ(FieldText("CitiesStats"), "2 (6,3)");
  EXPECT_EQ(Find<QComboBox>("GraphSelect")->itemText(0), "Score");

  // Painting, held while the tabs were filled, is back for every control.
  for (const QWidget* widget : form_->findChildren<QWidget*>()) {
    EXPECT_TRUE(widget->updatesEnabled()) << widget->objectName().toStdString();
  }
}

// Each selector refills its own tab, and only that one.
TEST_F(WindowTest, ChoosingAPlayerOrCityRefreshesItsTab) {
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("choose.Vek5Save"))));
  const GameState& state = form_->State();
  ViewState view = FreshViewState(state);

  Selector("PlayerStatsSelect")->setCurrentIndex(1);
  ExpectShows(PlayerStats(state, 1, kStatsEnglish));
  EXPECT_EQ(FieldText("CitiesStats"), "1 (4)");
  EXPECT_EQ(FieldText("CityXYE"), "11;0");  // the city tab still shows the first player's city

  Selector("PlayerCitySelect")->setCurrentIndex(1);
  ExpectShows(PlayerCityChoose(state, view, 1));
  EXPECT_EQ(Selector("CityBox")->currentText(), "Thebes");

  Selector("PlayerCitySelect")->setCurrentIndex(0);
  Selector("CityBox")->setCurrentIndex(1);
  ExpectShows(ChooseCity(state, view, 0, 1));
  EXPECT_EQ(FieldText("CityXYE"), "17;0");
  EXPECT_EQ(FieldText("CitiesStats"), "1 (4)");  // the stats tab still shows the second player

  Selector("StatsLangSelect")->setCurrentIndex(kStatsRussian);
  ExpectShows(PlayerStats(state, 1, kStatsRussian));
}

// Each page keeps what the user chose on it through a load of a save that still has it, and
// its content follows the choice.
TEST_F(WindowTest, EveryPageKeepsItsChoicesThroughALoad) {
  const QString path = Q(WriteGameWithCities("kept.Vek5Save"));
  ASSERT_TRUE(form_->LoadFile(path));
  const char* const selectors[] = {"PlayerLogSelect", "PlayerCitySelect", "PlayerPolicySelect",
                                   "PlayerTechSelect", "PlayerStatsSelect"};
  for (const char* name : selectors) Selector(name)->setCurrentIndex(1);
  Selector("PlayerCitySelect")->setCurrentIndex(0);
  Selector("CityBox")->setCurrentIndex(1);
  Selector("GraphSelect")->setCurrentIndex(2);
  const QString statistic = Selector("GraphSelect")->currentText();

  ASSERT_TRUE(form_->LoadFile(path));
  for (const char* name : selectors) {
    EXPECT_EQ(Selector(name)->currentIndex(), name == selectors[1] ? 0 : 1) << name;
  }
  EXPECT_EQ(Selector("CityBox")->currentText(), "Sparta");
  EXPECT_EQ(Selector("GraphSelect")->currentText(), statistic);
  const GameState& state = form_->State();
  ViewState view = FreshViewState(state);
  ExpectShows(ChooseCity(state, view, 0, 1));
  ExpectShows(PlayerStats(state, 1, kStatsEnglish));
  EXPECT_EQ(form_->Graph().Statistic, 2);
}

TEST_F(WindowTest, PreSessionsThatAreNoNumberAreReportedAndKeepTheFigures) {
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("reloads.Vek5Save"))));
  auto* pre_sessions = Find<QLineEdit>("PreSessions");
  pre_sessions->setText(" 1");
  EXPECT_EQ(FieldText("PlaySessions"), "2");
  EXPECT_EQ(form_->View().PlaySessions, 2);
  const QString average = FieldText("AverageSessionTime");

  pre_sessions->setText("1x");
  EXPECT_EQ(errors_, QStringList{"'1x' is not a valid integer value"});
  EXPECT_EQ(FieldText("PlaySessions"), "2");
  EXPECT_EQ(FieldText("AverageSessionTime"), average);
  EXPECT_EQ(form_->View().ReloadsAtStartTurn, 1);
}

// Numbers never take the decimal separator of the user's locale. The C library's German locale
// is used where the system has it; Qt's own locale data always has German.
TEST_F(WindowTest, NumbersShowAPointUnderADecimalCommaLocale) {
  const std::string previous_c = std::setlocale(LC_ALL, nullptr);
  const QLocale previous_qt;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) break;
  }
  const bool loaded = form_->LoadFile(Q(WriteGameWithCities("komma.Vek5Save")));
  const QString overflow = FieldText("CityOverflowE");
  const QString strength = FieldText("CityStrengthE");
  std::setlocale(LC_ALL, previous_c.c_str());
  QLocale::setDefault(previous_qt);

  ASSERT_TRUE(loaded);
  EXPECT_EQ(overflow, "12.34");
  EXPECT_EQ(strength, "15.50");
}

TEST_F(WindowTest, GraphDrawsTheCheckedPlayersAndUnselectAllEmptiesIt) {
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("graph.Vek5Save"))));
  const GameState& state = form_->State();
  auto* chart = Find<HistoryChartView>("HistoryChart");
  auto* entries = Find<QListWidget>("GraphPlayerList");
  ASSERT_EQ(entries->count(), state.PlayerCount);
  const int turns = state.CurrentTurn - state.StartTurn;
  ASSERT_GT(turns, 0);

  // The two major players are checked and drawn in the first two colours; the city-states not,
  // but they have their check boxes too.
  int checked = 0;
  for (int i = 0; i < entries->count(); ++i) {
    EXPECT_TRUE(entries->item(i)->data(Qt::CheckStateRole).isValid()) << i;
    if (entries->item(i)->checkState() == Qt::Checked) ++checked;
  }
  ASSERT_EQ(checked, 2);
  EXPECT_EQ(chart->Series(0)->count(), turns);
  EXPECT_EQ(chart->Series(1)->count(), turns);
  EXPECT_EQ(chart->Series(2)->count(), 0);
  EXPECT_EQ(chart->Series(0)->pen().color(), QColor(0xFF0000));
  EXPECT_EQ(chart->Series(1)->pen().color(), QColor(0x0000FF));
  EXPECT_EQ(entries->item(1)->foreground().color(), QColor(0x0000FF));
  EXPECT_EQ(entries->item(2)->foreground().color(), QColor(Qt::black));
  EXPECT_EQ(chart->AxisX()->max(), state.TurnsPlayed - 1);

  // Unchecking the first player moves the second one's line to the first series, in its own
  // colour; checking the first one again brings back its red.
  entries->item(0)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(chart->Series(0)->count(), turns);
  EXPECT_EQ(chart->Series(1)->count(), 0);
  EXPECT_EQ(chart->Series(0)->pen().color(), QColor(0x0000FF));
  EXPECT_EQ(entries->item(1)->foreground().color(), QColor(0x0000FF));
  entries->item(0)->setCheckState(Qt::Checked);
  entries->item(1)->setCheckState(Qt::Unchecked);  // so that the red line is not drawn over

  // A rectangle dragged with the left button zooms, and the graph's content takes the ranges
  // over; a right click undoes the zoom.
  form_->resize(1200, 800);
  form_->show();
  Pages()->setCurrentWidget(Find<QWidget>("GraphTab"));
  QApplication::processEvents();
  const QRectF plot = chart->chart()->plotArea();
  const QPointF from = plot.topLeft() + QPointF(plot.width() * 0.25, plot.height() * 0.25);
  const QPointF to = plot.topLeft() + QPointF(plot.width() * 0.5, plot.height() * 0.75);
  const auto mouse = [chart](QEvent::Type type, QPointF at, Qt::MouseButton button) {
    QMouseEvent event(type, at, chart->viewport()->mapToGlobal(at), button,
                      type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(chart->viewport(), &event);
  };
  const double full_max = chart->AxisX()->max();
  mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
  mouse(QEvent::MouseMove, to, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton);
  EXPECT_GT(form_->Graph().Horizontal.Min, 0);
  EXPECT_LT(form_->Graph().Horizontal.Max, full_max);
  EXPECT_EQ(form_->Graph().Horizontal.Min, chart->AxisX()->min());
  EXPECT_EQ(form_->Graph().Vertical.Max, chart->AxisY()->max());
  auto* reset_zoom = Find<QPushButton>("ResetZoomButton");
  EXPECT_TRUE(reset_zoom->isVisibleTo(form_.get()));
  mouse(QEvent::MouseButtonPress, to, Qt::RightButton);
  mouse(QEvent::MouseButtonRelease, to, Qt::RightButton);
  EXPECT_FALSE(reset_zoom->isVisibleTo(form_.get()));
  EXPECT_EQ(form_->Graph().Horizontal.Min, 0);
  EXPECT_EQ(chart->AxisX()->max(), state.CurrentTurn - 1);

  // The lines are painted inside the plot area in their series' colours.
  const auto painted = [chart](QColor colour) {
    QApplication::processEvents();
    const QImage image = chart->grab().toImage();
    const QRect plot =
        chart->mapFromScene(chart->chart()->mapToScene(chart->chart()->plotArea())).boundingRect();
    int pixels = 0;
    for (int y = plot.top(); y <= plot.bottom(); ++y) {
      for (int x = plot.left(); x <= plot.right(); ++x) pixels += image.pixelColor(x, y) == colour;
    }
    return pixels;
  };
  EXPECT_GT(painted(QColor(0xFF0000)), 0);

  Find<QPushButton>("UnselectAllButton")->click();
  EXPECT_EQ(painted(QColor(0xFF0000)), 0);
  for (int k = 0; k < kGraphSeriesCount; ++k) EXPECT_EQ(chart->Series(k)->count(), 0) << k;
  for (int i = 0; i < entries->count(); ++i) {
    EXPECT_EQ(entries->item(i)->checkState(), Qt::Unchecked) << i;
  }
  Find<QPushButton>("SelectAllButton")->click();
  for (int i = 0; i < entries->count(); ++i) {
    EXPECT_EQ(entries->item(i)->checkState(), Qt::Checked) << i;
  }
  EXPECT_EQ(chart->AxisX()->titleText(), "Turn");
  EXPECT_EQ(chart->AxisY()->titleText(), Selector("GraphSelect")->currentText());
}

TEST_F(WindowTest, ASaveThatEndsEarlyShowsTheNoticeUntilAWholeOneIsLoaded) {
  testing::GameDescription game;
  std::vector<uint8_t> filler(400000);
  for (size_t i = 0; i < filler.size(); ++i) filler[i] = static_cast<uint8_t>((i * 7919) >> 5);
  game.BodySections = {filler};
  std::vector<uint8_t> file = testing::WriteSaveFile(game);
  file.resize(file.size() / 2);
  const std::string cut = testing::TempPath("cut.Vek5Save");
  testing::WriteFile(cut, file);

  auto* bar = Find<QLabel>("EndsEarlyBar");
  EXPECT_FALSE(bar->isVisibleTo(form_.get()));
  ASSERT_TRUE(form_->LoadFile(Q(cut)));
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_TRUE(form_->State().BodyEndsEarly);
  EXPECT_TRUE(bar->isVisibleTo(form_.get()));
  EXPECT_TRUE(bar->text().startsWith("This save ends early: its body stops after "))
      << bar->text().toStdString();

  ASSERT_TRUE(form_->LoadFile(Q(WriteSave("whole.Vek5Save"))));
  EXPECT_FALSE(bar->isVisibleTo(form_.get()));
}

// What the user chose is there again at the next start, and after the next load.
TEST_F(WindowTest, SettingsAreWrittenAndReadBackAtTheNextStart) {
  const std::string path = WriteGameWithCities("remembered.Vek5Save");
  ASSERT_TRUE(form_->LoadFile(Q(path)));
  Pages()->setCurrentWidget(Find<QWidget>("StatsTab"));
  Selector("StatsLangSelect")->setCurrentIndex(kStatsRussian);
  Selector("GraphSelect")->setCurrentIndex(3);
  const QString statistic = Selector("GraphSelect")->currentText();
  form_->resize(1333, 744);
  form_->show();
  const QSize size = form_->size();
  form_->close();

  form_ = std::make_unique<MainWindow>();
  form_->ShowError = [this](const QString& message) { errors_ << message; };
  EXPECT_EQ(form_->size(), size);
  EXPECT_EQ(Pages()->currentWidget()->objectName(), "StatsTab");
  EXPECT_EQ(Selector("StatsLangSelect")->currentIndex(), kStatsRussian);
  ASSERT_TRUE(form_->LoadFile(Q(path)));
  EXPECT_EQ(Selector("GraphSelect")->currentText(), statistic);
  EXPECT_EQ(form_->Graph().Statistic, 3);
  EXPECT_EQ(Pages()->currentWidget()->objectName(), "StatsTab");
}

// The recent list: newest first, each file once, a file that is gone marked and removable.
TEST_F(WindowTest, RecentSavesReopenAndAMissingOneCanBeRemoved) {
  const std::string first = WriteSave("first.Vek5Save");
  const std::string second = WriteSave("second.Vek5Save");
  ASSERT_TRUE(form_->LoadFile(Q(first)));
  ASSERT_TRUE(form_->LoadFile(Q(second)));
  ASSERT_TRUE(form_->LoadFile(Q(first)));
  std::filesystem::remove(second);

  QMenu* menu = Find<QToolButton>("RecentButton")->menu();
  const auto entries = [menu] {
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction* action : menu->actions()) {
      if (!action->isSeparator()) texts << action->text();
    }
    return texts;
  };
  EXPECT_EQ(entries(),
            (QStringList{Q(first), Q(second) + " (missing)", "Remove Missing", "Clear List"}));
  menu->actions()[1]->trigger();  // the missing one is removed
  EXPECT_EQ(entries(), (QStringList{Q(first), "Remove Missing", "Clear List"}));
  EXPECT_FALSE(menu->actions()[2]->isEnabled());  // nothing missing is left

  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("other.Vek5Save"))));
  emit menu->aboutToShow();
  menu->actions()[1]->trigger();  // reopens the first save
  EXPECT_EQ(FieldText("SavePath").toStdString(), first);
  EXPECT_EQ(form_->State().UserName, "Tester");

  QStringList many;
  for (int i = 0; i < 12; ++i) many = WithRecentFile(many, QString("save%1").arg(i));
  EXPECT_EQ(many.size(), kMaxRecentFiles);
  EXPECT_EQ(many.first(), "save11");
}

// Ctrl+C on a grid copies the selected cells as tab-separated rows, with the header row when
// whole columns are selected; a list copies its selected lines; both offer Copy in a menu.
TEST_F(WindowTest, CopyPutsTheSelectedCellsOnTheClipboard) {
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("copy.Vek5Save"))));
  const GameState& state = form_->State();
  auto* grid = Find<QTableWidget>("LeadersGrid");
  const auto press_copy = [](QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(widget, &press);
    return QApplication::clipboard()->text();
  };

  // Two cells of the first two rows: no header.
  grid->setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 2), true);
  EXPECT_EQ(press_copy(grid),
            Q(state.Leaders[0].CivName + "\t" + state.Leaders[0].LeaderName + "\n" +
              state.Leaders[1].CivName + "\t" + state.Leaders[1].LeaderName + "\n"));

  // Whole columns: the header row first, padding dropped.
  grid->clearSelection();
  grid->selectColumn(2);
  const QStringList lines = press_copy(grid).split('\n');
  ASSERT_GT(lines.size(), 3);
  EXPECT_EQ(lines[0], "Leader");
  EXPECT_EQ(lines[1], Q(state.Leaders[0].LeaderName));

  auto* options = Find<QListWidget>("DLCBox");
  options->clear();
  options->addItems({"one", "two", "three"});
  options->item(0)->setSelected(true);
  options->item(2)->setSelected(true);
  EXPECT_EQ(press_copy(options), "one\nthree\n");

  QStringList menu;
  for (const QAction* action : grid->actions()) menu << action->text();
  EXPECT_EQ(menu, (QStringList{"Copy", "Select All"}));
  grid->actions()[1]->trigger();
  grid->actions()[0]->trigger();
  EXPECT_EQ(QApplication::clipboard()->text().split('\n').first().split('\t').first(), "№");
}

// "Save Image..." writes the graph as shown to PNG or SVG.
TEST_F(WindowTest, TheGraphIsSavedAsPngAndSvg) {
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("picture.Vek5Save"))));
  form_->resize(1200, 800);
  form_->show();
  Pages()->setCurrentWidget(Find<QWidget>("GraphTab"));
  QApplication::processEvents();
  auto* chart = Find<HistoryChartView>("HistoryChart");

  QString chosen;
  form_->ChooseImageFile = [&chosen] { return chosen; };
  chosen = Q(testing::TempPath("graph.png"));
  Find<QPushButton>("SaveImageButton")->click();
  const QImage png(chosen);
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.size(), chart->viewport()->size());
  int blue = 0;  // the second player's line, drawn over the first one's
  for (int y = 0; y < png.height(); ++y) {
    for (int x = 0; x < png.width(); ++x) blue += png.pixelColor(x, y) == QColor(0x0000FF);
  }
  EXPECT_GT(blue, 0);

  chosen = Q(testing::TempPath("graph.svg"));
  Find<QPushButton>("SaveImageButton")->click();
  QFile svg(chosen);
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&svg);
  int elements = 0;
  bool red_line = false;
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement) {
      ++elements;
      red_line = red_line || xml.attributes().value("stroke") == QString("#ff0000");
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(elements, 10);
  EXPECT_TRUE(red_line);

  chosen = Q(testing::TempPath("no/such/folder/graph.png"));
  Find<QPushButton>("SaveImageButton")->click();
  EXPECT_EQ(errors_.size(), 1);
}

// Runs the event loop until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!condition() && clock.elapsed() < milliseconds) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return condition();
}

// A followed folder: a save copied into it in two writes is loaded once, when whole; the
// choices on the tabs stay; a save that fails leaves the analysis and says so in the status
// line; a second click stops following.
TEST_F(WindowTest, AFollowedFolderLoadsTheNewestSaveOnceItIsWhole) {
  const std::string folder = testing::TempPath("followed");
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  // The game writes its autosave over the one there before.
  const std::string copied = folder + "/autosave.Vek5Save";
  std::filesystem::copy_file(WriteSave("old-autosave.Vek5Save", "Old"), copied);
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("before.Vek5Save"))));
  Selector("PlayerCitySelect")->setCurrentIndex(1);
  Pages()->setCurrentWidget(Find<QWidget>("CityTab"));
  Find<QListWidget>("GraphPlayerList")->item(0)->setCheckState(Qt::Unchecked);

  constexpr int kSettleMs = 300;
  form_->Follower().SetSettleTime(kSettleMs);
  form_->ChooseFolder = [&folder] { return Q(folder); };
  auto* follow = Find<QPushButton>("FollowButton");
  follow->click();
  ASSERT_TRUE(form_->Follower().IsFollowing());
  EXPECT_TRUE(Find<QLabel>("FollowLabel")->isVisibleTo(form_.get()));
  EXPECT_TRUE(Find<QLabel>("FollowLabel")->text().contains(Q(folder)));

  testing::GameDescription game;
  game.UserName = "Follower";
  std::vector<uint8_t> filler(300000);
  for (size_t i = 0; i < filler.size(); ++i) filler[i] = static_cast<uint8_t>((i * 7919) >> 5);
  game.BodySections = {filler};
  const std::vector<uint8_t> save = testing::WriteSaveFile(game);
  {
    std::ofstream out(copied, std::ios::binary);
    out.write(reinterpret_cast<const char*>(save.data()),
              static_cast<std::streamsize>(save.size() / 2));
  }
  WaitFor([] { return false; }, kSettleMs / 3);
  EXPECT_EQ(form_->State().UserName, "Tester");  // not yet: the save is still being written
  {
    std::ofstream out(copied, std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char*>(save.data() + save.size() / 2),
              static_cast<std::streamsize>(save.size() - save.size() / 2));
  }
  ASSERT_TRUE(WaitFor([this] { return form_->State().UserName == "Follower"; }, 10000));
  EXPECT_FALSE(form_->State().BodyEndsEarly);
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_EQ(Pages()->currentWidget()->objectName(), "CityTab");
  EXPECT_EQ(Selector("PlayerCitySelect")->currentIndex(), 1);
  EXPECT_EQ(Find<QListWidget>("GraphPlayerList")->item(0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(Find<QListWidget>("GraphPlayerList")->item(1)->checkState(), Qt::Checked);

  // A newer file that is no save: the analysis stays, the status line says why, no box.
  EXPECT_EQ(FieldText("SavePath").toStdString(), copied);
  const GameState* shown = &form_->State();
  QThread::msleep(20);  // a later modification time than the save's
  testing::WriteFile(folder + "/broken.Vek5Save", std::vector<uint8_t>(300, 'x'));
  ASSERT_TRUE(WaitFor(
      [this] {
        return Find<QStatusBar>("StatusLine")->currentMessage().contains("broken.Vek5Save");
      },
      10000));
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_EQ(&form_->State(), shown);
  EXPECT_TRUE(Find<QStatusBar>("StatusLine")->currentMessage().contains("not a Vek5 save"));

  follow->click();
  EXPECT_FALSE(form_->Follower().IsFollowing());
  EXPECT_FALSE(Find<QLabel>("FollowLabel")->isVisibleTo(form_.get()));
}

// A save that stops growing while it still ends early does not replace the whole save on
// screen at once: the follower waits a longer while for the rest before it loads it as it is.
TEST_F(WindowTest, AFollowedSaveThatEndsEarlyWaitsLongerBeforeItIsLoaded) {
  const std::string folder = testing::TempPath("followed-cut");
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("whole.Vek5Save"))));
  constexpr int kSettleMs = 200;
  form_->Follower().SetSettleTime(kSettleMs);
  ASSERT_TRUE(form_->Follower().Start(Q(folder)));

  testing::GameDescription game;
  game.UserName = "Cut";
  std::vector<uint8_t> filler(300000);
  for (size_t i = 0; i < filler.size(); ++i) filler[i] = static_cast<uint8_t>((i * 7919) >> 5);
  game.BodySections = {filler};
  std::vector<uint8_t> save = testing::WriteSaveFile(game);
  save.resize(save.size() / 2);
  testing::WriteFile(folder + "/autosave.Vek5Save", save);

  WaitFor([] { return false; }, kSettleMs * 4);
  EXPECT_EQ(form_->State().UserName, "Tester");  // the whole save stays on screen
  ASSERT_TRUE(WaitFor([this] { return form_->State().UserName == "Cut"; }, 15000));
  EXPECT_TRUE(form_->State().BodyEndsEarly);
  EXPECT_FALSE(Find<QLabel>("EndsEarlyBar")->text().isEmpty());
  form_->Follower().Stop();
}

// Enter in the path box loads what it names, Enter on a focused button presses it; Ctrl+O, F5
// and the tab keys are there from every control.
TEST_F(WindowTest, TheKeyboardLoadsAndSwitchesPages) {
  const std::string path = WriteSave("typed.Vek5Save");
  auto* path_box = Find<QLineEdit>("SavePath");
  path_box->setText(Q(path));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(path_box, &enter);
  ASSERT_TRUE(form_->HasSave());
  EXPECT_TRUE(errors_.isEmpty());

  const GameState* first = &form_->State();
  QKeyEvent enter_on_button(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier);
  QApplication::sendEvent(Find<QPushButton>("LoadPathButton"), &enter_on_button);
  EXPECT_NE(&form_->State(), first);

  const auto press = [this](const QKeySequence& keys) {
    for (QShortcut* shortcut : form_->findChildren<QShortcut*>()) {
      if (shortcut->key() == keys) {
        emit shortcut->activated();
        return true;
      }
    }
    return false;
  };
  const GameState* second = &form_->State();
  ASSERT_TRUE(press(QKeySequence(Qt::Key_F5)));
  EXPECT_NE(&form_->State(), second);
  EXPECT_EQ(path_box->text().toStdString(), path);

  Pages()->setCurrentIndex(11);  // "CS Points": the next visible page skips the hidden one
  ASSERT_TRUE(press(QKeySequence(Qt::CTRL | Qt::Key_PageDown)));
  EXPECT_EQ(Pages()->currentWidget()->objectName(), "LeagueTab");
  ASSERT_TRUE(press(QKeySequence(Qt::CTRL | Qt::Key_Tab)));
  EXPECT_EQ(Pages()->currentWidget()->objectName(), "SeriesTab");
  ASSERT_TRUE(press(QKeySequence(Qt::CTRL | Qt::Key_Tab)));
  EXPECT_EQ(Pages()->currentWidget()->objectName(), "BaseTab");
  ASSERT_TRUE(press(QKeySequence(Qt::CTRL | Qt::Key_PageUp)));
  EXPECT_EQ(Pages()->currentWidget()->objectName(), "SeriesTab");
  bool opened = false;
  form_->ChooseOpenFile = [&opened] {
    opened = true;
    return QString();
  };
  ASSERT_TRUE(press(QKeySequence::Open));
  EXPECT_TRUE(opened);

  // Tab skips the boxes that only show.
  EXPECT_EQ(Find<QLineEdit>("FileDate")->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(Find<QLineEdit>("UserNameE")->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(path_box->focusPolicy(), Qt::StrongFocus);
}

// At the minimum size no two visible controls of a page overlap (a page too big scrolls), and
// the window starts within the screen's available area.
TEST_F(WindowTest, AtTheMinimumSizeNoControlsOverlapAndTheStartSizeFitsTheScreen) {
  const QSize available = form_->screen()->availableGeometry().size();
  EXPECT_LE(form_->width(), available.width() * 0.9 + 1);
  EXPECT_LE(form_->height(), available.height() * 0.9 + 1);
  EXPECT_LE(form_->minimumWidth(), 1024);
  EXPECT_LE(form_->minimumHeight(), 700);

  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("small.Vek5Save"))));
  form_->resize(form_->minimumSize());
  form_->show();
  for (int i = 0; i < Pages()->count(); ++i) {
    if (!Pages()->isTabVisible(i)) continue;
    Pages()->setCurrentIndex(i);
    QApplication::processEvents();
    QWidget* page = Pages()->widget(i);
    std::vector<QWidget*> controls;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
      // The controls a user sees: no layout-internal parts, scroll bars or viewports.
      const bool control = qobject_cast<QLineEdit*>(widget) || qobject_cast<QLabel*>(widget) ||
                           qobject_cast<QAbstractButton*>(widget) ||
                           qobject_cast<QComboBox*>(widget) ||
                           qobject_cast<QAbstractScrollArea*>(widget);
      if (!control || !widget->isVisible() || widget->inherits("QScrollArea")) continue;
      if (widget->parentWidget()->inherits("QAbstractScrollArea") &&
          widget->parentWidget() != page) {
        continue;  // the viewport's own children (a chart's items, a list's editor)
      }
      controls.push_back(widget);
    }
    EXPECT_FALSE(controls.empty()) << page->objectName().toStdString();
    for (size_t a = 0; a < controls.size(); ++a) {
      const QRect ra(controls[a]->mapTo(page, QPoint(0, 0)), controls[a]->size());
      for (size_t b = a + 1; b < controls.size(); ++b) {
        if (controls[a]->isAncestorOf(controls[b]) || controls[b]->isAncestorOf(controls[a])) {
          continue;
        }
        const QRect rb(controls[b]->mapTo(page, QPoint(0, 0)), controls[b]->size());
        EXPECT_FALSE(ra.intersects(rb))
            << page->objectName().toStdString() << ": " << controls[a]->objectName().toStdString()
            << " overlaps " << controls[b]->objectName().toStdString();
      }
    }
  }
}

// Runs the window's events until the Series tab's batch has ended.
bool WaitForSeries(const SeriesPage& tab) {
  QElapsedTimer clock;
  clock.start();
  while (tab.Running() && clock.elapsed() < 30000) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  QApplication::processEvents();
  return !tab.Running();
}

// A folder with a game at turns 20 and 10 (named out of order, the later one changed at turn
// 4) and a damaged file.
std::string SeriesFolderForWindow() {
  const std::string folder = testing::SeriesFolder("window-series");
  testing::GameDescription later = testing::SeriesGame(20);
  testing::ChangeHistory(later, 1, 0, 4, 999);
  testing::WriteGameSave(folder, "a.Vek5Save", later);
  testing::WriteGameSave(folder, "b.Vek5Save", testing::SeriesGame(10));
  testing::WriteFile(folder + "/c.Vek5Save", std::vector<uint8_t>(80, 0x78));
  return folder;
}

// At the smallest size the window offers on a common screen, every page fits whole: nothing
// is cut and no page needs its scroll bars.
TEST_F(WindowTest, EveryPageFitsAtTheMinimumSizeOfACommonScreen) {
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("fit.Vek5Save"))));
  form_->resize(kWindowMinimumSize);
  form_->show();
  for (int i = 0; i < Pages()->count(); ++i) {
    if (!Pages()->isTabVisible(i)) continue;
    Pages()->setCurrentIndex(i);
    QApplication::processEvents();
    const auto* area = qobject_cast<QScrollArea*>(Pages()->widget(i));
    if (!area) continue;
    const QSize needed = area->widget()->minimumSizeHint();
    const QSize room = area->viewport()->size();
    EXPECT_LE(needed.width(), room.width()) << area->objectName().toStdString();
    EXPECT_LE(needed.height(), room.height()) << area->objectName().toStdString();
    EXPECT_FALSE(area->verticalScrollBar()->isVisible()) << area->objectName().toStdString();
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible()) << area->objectName().toStdString();
  }
}

TEST_F(WindowTest, LoadFolderAnalysesOnTheSeriesTabAndActivatingARowLoadsIt) {
  const std::string folder = SeriesFolderForWindow();
  form_->ChooseFolder = [&] { return Q(folder); };
  Find<QPushButton>("LoadFolderButton")->click();
  auto* tab = Find<SeriesPage>("SeriesTab");
  EXPECT_EQ(Pages()->currentWidget(), tab);
  ASSERT_TRUE(WaitForSeries(*tab));

  auto* tree = Find<QTreeWidget>("SeriesTree");
  ASSERT_EQ(tree->topLevelItemCount(), 2);  // the game, then the failed file
  QTreeWidgetItem* game = tree->topLevelItem(0);
  EXPECT_EQ(game->text(0), "Game 1 (2 saves)");
  EXPECT_EQ(game->text(1), "turns 10 to 20");
  EXPECT_EQ(game->text(kSeriesTreeVerdictColumn), "diverged at turn 4 in a.Vek5Save");
  // The game's saves beneath it in turn order; the first says so.
  ASSERT_EQ(game->childCount(), 2);
  EXPECT_EQ(game->child(0)->text(0), "b.Vek5Save");
  EXPECT_EQ(game->child(0)->text(kSeriesTreeVerdictColumn), "first save of the game");
  EXPECT_EQ(game->child(1)->text(0), "a.Vek5Save");
  EXPECT_EQ(game->child(1)->text(kSeriesTreeVerdictColumn), "diverged at turn 4");
  EXPECT_NE(game->child(1)->foreground(kSeriesTreeVerdictColumn).color(),
            game->child(0)->foreground(kSeriesTreeVerdictColumn).color());
  EXPECT_EQ(tree->topLevelItem(1)->text(0), "c.Vek5Save");
  EXPECT_FALSE(tree->topLevelItem(1)->text(kSeriesTreeVerdictColumn).isEmpty());  // its error
  auto* progress = Find<QProgressBar>("SeriesProgress");
  EXPECT_EQ(progress->value(), 3);
  EXPECT_EQ(progress->maximum(), 3);
  EXPECT_FALSE(Find<QPushButton>("SeriesCancel")->isEnabled());

  // The details box tells the chosen row in sentences.
  auto* details = Find<QPlainTextEdit>("SeriesDetails");
  tree->setCurrentItem(game->child(1));
  EXPECT_NE(details->toPlainText().indexOf("Verdict: diverged: at turn 4"), -1);
  EXPECT_NE(details->toPlainText().indexOf("a.Vek5Save was not played on from b.Vek5Save"), -1);
  tree->setCurrentItem(game);
  EXPECT_NE(details->toPlainText().indexOf("The story of this game breaks 1 time"), -1);

  // Sorting by the turn column (numbers, not texts) puts the later save above the earlier.
  tree->sortItems(1, Qt::DescendingOrder);
  EXPECT_EQ(game->child(0)->text(0), "a.Vek5Save");
  tree->sortItems(1, Qt::AscendingOrder);
  EXPECT_EQ(game->child(0)->text(0), "b.Vek5Save");

  // "Save Report..." writes the batch as one HTML page.
  const std::string report = testing::TempPath("series-report.html");
  form_->ChooseReportFile = [&report] { return Q(report); };
  Find<QPushButton>("SeriesReportButton")->click();
  const std::vector<uint8_t> written = testing::ReadFile(report);
  const std::string html(written.begin(), written.end());
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("a.Vek5Save"), std::string::npos);

  // Enter on a save's row loads that save as "Load It" does; on a game's row it does nothing.
  tree->setCurrentItem(game);
  tree->setFocus();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(tree, &enter);
  EXPECT_FALSE(form_->HasSave());
  tree->setCurrentItem(game->child(1));
  QApplication::sendEvent(tree, &enter);
  QApplication::processEvents();
  ASSERT_TRUE(form_->HasSave());
  EXPECT_EQ(form_->State().CurrentTurn, 20);
  EXPECT_EQ(Pages()->currentWidget()->objectName(), "BaseTab");

  // A double-click on another row loads that one.
  tree->setCurrentItem(game->child(0));
  emit tree->itemDoubleClicked(game->child(0), 0);
  EXPECT_EQ(form_->State().CurrentTurn, 10);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join("; ").toStdString();
}

TEST_F(WindowTest, DroppedFolderOrFilesAreAnalysedAsASeriesAndCancelStopsIt) {
  const std::string folder = SeriesFolderForWindow();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Q(folder + "/a.Vek5Save")),
                QUrl::fromLocalFile(Q(folder + "/b.Vek5Save"))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form_.get(), &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form_.get(), &drop);
  auto* tab = Find<SeriesPage>("SeriesTab");
  ASSERT_TRUE(WaitForSeries(*tab));
  EXPECT_FALSE(form_->HasSave());
  EXPECT_EQ(tab->Result().Saves.size(), 2u);
  EXPECT_EQ(tab->Result().Games.size(), 1u);

  // Cancelled at once: no save begun after the cancel, and the tab is ready for the next batch.
  tab->Analyse({Q(folder)});
  tab->Cancel();
  ASSERT_TRUE(WaitForSeries(*tab));
  EXPECT_LE(tab->Result().Saves.size(), 3u);
  EXPECT_FALSE(Find<QPushButton>("SeriesCancel")->isEnabled());
  tab->Analyse({Q(folder)});
  ASSERT_TRUE(WaitForSeries(*tab));
  EXPECT_EQ(tab->Result().Saves.size(), 3u);
}

// "Export CSV..." writes the shown statistic of every player: a header naming the players, one
// row per turn.
TEST_F(WindowTest, TheGraphsStatisticIsExportedAsCsv) {
  ASSERT_TRUE(form_->LoadFile(Q(WriteGameWithCities("table.Vek5Save"))));
  const GameState& state = form_->State();
  Selector("GraphSelect")->setCurrentIndex(2);
  const std::string file = testing::TempPath("statistic.csv");
  form_->ChooseCsvFile = [&file] { return Q(file); };
  Find<QPushButton>("ExportCsvButton")->click();
  EXPECT_TRUE(errors_.isEmpty());
  const std::vector<uint8_t> bytes = testing::ReadFile(file);
  const std::string written(bytes.begin(), bytes.end());
  EXPECT_EQ(written, HistoryCsv(state, 2));
  EXPECT_EQ(written.rfind("Turn," + state.Leaders[0].LeaderName, 0), 0u) << written.substr(0, 80);
}

// The CSV of a real save names its players in the header and holds the graph's values.
TEST_F(WindowTest, TheCsvOfARealSaveHoldsItsScores) {
  const std::string path = testing::SharedSave("zeph-turn238.Vek5Save");
  if (path.empty()) GTEST_SKIP() << "shared saves are not present";
  ASSERT_TRUE(form_->LoadFile(Q(path)));
  const std::string file = testing::TempPath("score.csv");
  form_->ChooseCsvFile = [&file] { return Q(file); };
  Find<QPushButton>("ExportCsvButton")->click();
  const std::vector<uint8_t> bytes = testing::ReadFile(file);
  const QStringList lines =
      QString::fromUtf8(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                   static_cast<qsizetype>(bytes.size())))
          .split("\r\n");
  ASSERT_GT(lines.size(), 238);
  EXPECT_TRUE(lines[0].startsWith("Turn,Alexander,")) << lines[0].toStdString();
  // The last turn's row holds the first player's score as the graph draws it.
  const GraphSeries& first = form_->Graph().Series[0];
  ASSERT_FALSE(first.Points.empty());
  const QString last_row = Q(std::to_string(static_cast<int>(first.Points.back().Turn)) + ",");
  bool found = false;
  for (const QString& line : lines) {
    if (!line.startsWith(last_row)) continue;
    found = true;
    EXPECT_EQ(line.section(',', 1, 1).toDouble(), first.Points.back().Value);
  }
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace vek5
