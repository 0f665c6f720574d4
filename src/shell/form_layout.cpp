// The window's controls: every page with its controls, object names, captions and grid shapes.
// Later work only fills these controls; nothing here depends on a loaded save.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "shell/apply_content.h"
#include "shell/history_chart.h"
#include "shell/main_window.h"
#include "shell/series_tab.h"
#include "views/city_view.h"
#include "views/leaders_view.h"
#include "views/league_view.h"
#include "views/policy_view.h"
#include "views/tech_view.h"

namespace vek5 {
namespace {

constexpr int kGridRowHeight = 16;
constexpr int kCheckListItemHeight = 16;

QWidget* NewPage(const char* name) {
  auto* page = new QWidget;
  page->setObjectName(name);
  return page;
}

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);  // captions keep their leading blanks
  return label;
}

// The caption of a control is named after it.
QLabel* CaptionOf(QWidget* parent, const char* control, const QString& caption) {
  return NewLabel(parent, QString(control) + "Label", caption);
}

QLineEdit* NewEdit(QWidget* parent, const char* name, bool read_only = true) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(read_only);
  // Tab moves between the controls one acts on; a box that only shows is still selectable with
  // the mouse.
  if (read_only) edit->setFocusPolicy(Qt::ClickFocus);
  return edit;
}

QComboBox* NewSelector(QWidget* parent, const char* name, int visible_items) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setMaxVisibleItems(visible_items);
  combo->setMinimumContentsLength(18);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return combo;
}

// A read-only box of coloured lines. A plain-text edit lays out only the lines it shows, so a
// long log costs little until it is scrolled; a rich-text edit lays out every line at once.
QPlainTextEdit* NewRichText(QWidget* parent, const char* name, bool wrap, bool fixed_pitch) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  edit->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  if (fixed_pitch) edit->setFont(FixedPitchFont());
  return edit;
}

// A list box of fixed-pitch lines, at least the given width.
QListWidget* NewListBox(QWidget* parent, const char* name, int width) {
  auto* box = new QListWidget(parent);
  box->setObjectName(name);
  box->setFont(FixedPitchFont());
  box->setSelectionMode(QAbstractItemView::ExtendedSelection);
  box->setUniformItemSizes(true);
  box->setMinimumWidth(width);
  return box;
}

QCheckBox* NewCheck(QWidget* parent, const char* name, const QString& caption) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(name);
  return check;
}

// The victory boxes show what the save allows; the user does not toggle them.
QCheckBox* NewDisplayCheck(QWidget* parent, const char* name, const QString& caption) {
  QCheckBox* check = NewCheck(parent, name, caption);
  check->setAttribute(Qt::WA_TransparentForMouseEvents);
  check->setFocusPolicy(Qt::NoFocus);
  return check;
}

struct GridShape {
  int Columns = 0;
  int Rows = 0;
  int FixedColumns = 0;
  int DefaultColumnWidth = 64;
  bool FixedPitch = false;
};

QTableWidget* NewGrid(QWidget* parent, const char* name, const GridShape& shape) {
  auto* grid = new QTableWidget(parent);
  grid->setObjectName(name);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setCornerButtonEnabled(false);
  grid->setWordWrap(false);
  // The column widths are the narrow ones of the original layout: clip, never elide, and keep
  // the cell padding small so that a two-digit row number fits a 20-pixel column.
  grid->setTextElideMode(Qt::ElideNone);
  grid->setStyleSheet("QTableWidget::item { padding: 0px 1px; }");
  if (shape.FixedPitch) grid->setFont(FixedPitchFont());
  SetGridFixedColumns(grid, shape.FixedColumns);
  ResizeGrid(grid, shape.Rows, shape.Columns);
  QHeaderView* top = grid->horizontalHeader();
  top->setDefaultSectionSize(shape.DefaultColumnWidth);
  top->setMinimumSectionSize(8);
  top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  top->setHighlightSections(false);
  top->setStretchLastSection(true);  // a wider window widens the grid, not an empty margin
  QHeaderView* side = grid->verticalHeader();
  side->setMinimumSectionSize(kGridRowHeight);
  side->setDefaultSectionSize(kGridRowHeight);
  side->setSectionResizeMode(QHeaderView::Fixed);
  side->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  side->setHighlightSections(false);
  if (shape.FixedColumns > 0) side->setFixedWidth(shape.DefaultColumnWidth);
  // Header cells exist from the start, so every cell can be read back.
  for (int c = 0; c < shape.Columns; ++c) SetGridCell(grid, 0, c, QString());
  for (int r = 1; r < shape.Rows && shape.FixedColumns > 0; ++r) SetGridCell(grid, r, 0, QString());
  return grid;
}

// A caption above its edit box.
QVBoxLayout* CaptionAbove(QWidget* page, const char* control, const QString& caption,
                          QLineEdit** edit_out = nullptr) {
  auto* box = new QVBoxLayout;
  box->setSpacing(1);
  box->addWidget(CaptionOf(page, control, caption));
  QLineEdit* edit = NewEdit(page, control);
  box->addWidget(edit);
  if (edit_out) *edit_out = edit;
  return box;
}

// A row of a form grid: caption, edit box and an optional second edit box on the same row.
void AddFieldRow(QGridLayout* grid, QWidget* page, int row, const char* control,
                 const QString& caption, const char* second = nullptr) {
  grid->addWidget(CaptionOf(page, control, caption), row, 0);
  if (second) {
    grid->addWidget(NewEdit(page, control), row, 1);
    grid->addWidget(NewEdit(page, second), row, 2);
  } else {
    grid->addWidget(NewEdit(page, control), row, 1, 1, 2);
  }
}

// The "Turn", "Date", "Event" captions above a dated text view, placed over the columns of its
// fixed-pitch lines ("%4d" turn, a year of up to seven characters, a month).
QHBoxLayout* EventCaptions(QWidget* page, const char* prefix) {
  const QFont font = FixedPitchFont();
  const int char_width = QFontMetrics(font).horizontalAdvance('0');
  auto* row = new QHBoxLayout;
  row->setSpacing(0);
  row->setContentsMargins(4, 0, 0, 0);
  const struct {
    const char* Suffix;
    const char* Caption;
    int Chars;
  } captions[] = {{"TurnLabel", "Turn", 5}, {"DateLabel", "Date", 12}, {"EventLabel", "Event", 0}};
  for (const auto& c : captions) {
    QLabel* label = NewLabel(page, QString(prefix) + c.Suffix, c.Caption);
    label->setFont(font);
    if (c.Chars > 0) label->setFixedWidth(c.Chars * char_width);
    row->addWidget(label);
  }
  row->addStretch();
  return row;
}

// A one-line key to a colour the page uses, written in that colour.
QLabel* Legend(QWidget* page, const char* name, Qt::GlobalColor colour, const QString& text) {
  QLabel* label = NewLabel(page, name, text);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  return label;
}

// A policy box's title: its branch, as the box's name says it ("TraditionBranch" is
// "Tradition"; an ideology box says that it is one).
QString PolicyBoxTitle(std::string_view box) {
  constexpr std::string_view kBranch = "Branch";
  constexpr std::string_view kIdeology = "Ideology";
  if (box.ends_with(kIdeology)) {
    return QString::fromUtf8(box.substr(0, box.size() - kIdeology.size())) + " (ideology)";
  }
  if (box.ends_with(kBranch)) box.remove_suffix(kBranch.size());
  return QString::fromUtf8(box);
}

// A page that scrolls when the window is smaller than the page needs, instead of drawing its
// controls over each other. The scroll area takes the page's name (tests and the tab
// switching address pages by it); the page inside is its "Content".
QWidget* Scrolled(QWidget* page) {
  auto* area = new QScrollArea;
  area->setObjectName(page->objectName());
  page->setObjectName(page->objectName() + "Content");
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(page);
  return area;
}

}  // namespace

void MainWindow::CreateControls() {
  auto* layout = new QVBoxLayout(this);

  auto* top = new QGridLayout;
  SavePathLabel = NewLabel(this, "SavePathLabel", "Path");
  FileDateLabel = NewLabel(this, "FileDateLabel", "File date");
  SavePath = NewEdit(this, "SavePath", false);
  FileDate = NewEdit(this, "FileDate");
  FileDate->setFixedWidth(FileDate->fontMetrics().horizontalAdvance("0000-00-00 00:00:00") + 16);
  LoadFileButton = new QPushButton("Load File", this);
  LoadFileButton->setObjectName("LoadFileButton");
  LoadPathButton = new QPushButton("Load It", this);
  LoadPathButton->setObjectName("LoadPathButton");
  LoadFolderButton = new QPushButton("Load Folder", this);
  LoadFolderButton->setObjectName("LoadFolderButton");
  SaveFileButton = new QPushButton("Save File", this);
  SaveFileButton->setObjectName("SaveFileButton");
  top->addWidget(SavePathLabel, 0, 0);
  top->addWidget(SavePath, 0, 1);
  top->addWidget(LoadFileButton, 0, 2);
  top->addWidget(LoadPathButton, 0, 3);
  top->addWidget(LoadFolderButton, 0, 4);
  top->addWidget(SaveFileButton, 0, 5);
  RecentButton = new QToolButton(this);
  RecentButton->setObjectName("RecentButton");
  RecentButton->setText("Recent");
  RecentButton->setToolTip("Open one of the saves opened lately");
  RecentButton->setPopupMode(QToolButton::InstantPopup);
  RecentButton->setMenu(new QMenu(RecentButton));
  top->addWidget(RecentButton, 0, 6);
  FollowButton = new QPushButton("Follow Folder...", this);
  FollowButton->setObjectName("FollowButton");
  FollowButton->setCheckable(true);
  FollowButton->setToolTip(
      "Watch a folder and load the newest save in it whenever one appears or changes; "
      "click again to stop");
  top->addWidget(FollowButton, 0, 7);
  top->addWidget(FileDateLabel, 1, 0);
  top->addWidget(FileDate, 1, 1, Qt::AlignLeft);
  top->setColumnStretch(1, 1);
  layout->addLayout(top);

  // Said above the tabs, so that no page is read as whole when the save was cut short.
  EndsEarlyBar = new QLabel(this);
  EndsEarlyBar->setObjectName("EndsEarlyBar");
  EndsEarlyBar->setWordWrap(true);
  EndsEarlyBar->setStyleSheet(
      "QLabel { background: #FFF3C4; color: black; border: 1px solid #C9A227; padding: 4px; }");
  EndsEarlyBar->hide();
  layout->addWidget(EndsEarlyBar);

  PageControls = new QTabWidget(this);
  PageControls->setObjectName("PageControls");
  const struct {
    QWidget* Page;
    const char* Caption;
  } pages[] = {
      {BaseTab = Scrolled(CreateBaseTab()), "Base"},
      {LeadersTab = Scrolled(CreateLeadersTab()), "Leaders"},
      {ReplayTab = Scrolled(CreateReplayTab()), "Replay"},
      {PlayerLogTab = Scrolled(CreatePlayerLogTab()), "Player Log"},
      {ReloadsTab = Scrolled(CreateReloadsTab()), "Reloads"},
      {GraphTab = Scrolled(CreateGraphTab()), "Graph"},
      {CityTab = Scrolled(CreateCityTab()), "Cities"},
      {PolicyTab = Scrolled(CreatePolicyTab()), "Policy"},
      {PlayerTab = Scrolled(CreatePlayerTab()), "Player"},
      {StatsTab = Scrolled(CreateStatsTab()), "Stats"},
      {CSTab = Scrolled(CreateCSTab()), "CS Points"},
      {TestTab = Scrolled(CreateTestTab()), "TestTab"},
      {LeagueTab = Scrolled(CreateLeagueTab()), "League"},
      {SeriesPage = new SeriesTab, "Series"},
  };
  for (const auto& p : pages) PageControls->addTab(p.Page, p.Caption);
  PageControls->setElideMode(Qt::ElideNone);
  layout->addWidget(PageControls, 1);

  StatusLine = new QStatusBar(this);
  StatusLine->setObjectName("StatusLine");
  StatusLine->setSizeGripEnabled(false);
  FollowLabel = new QLabel(StatusLine);
  FollowLabel->setObjectName("FollowLabel");
  FollowLabel->hide();
  StatusLine->addPermanentWidget(FollowLabel);
  layout->addWidget(StatusLine);
}

QWidget* MainWindow::CreateBaseTab() {
  QWidget* page = NewPage("BaseTab");
  auto* fields = new QGridLayout;
  int row = 0;
  AddFieldRow(fields, page, row++, "GameVersionE", "Game Version (Версия игры)");
  AddFieldRow(fields, page, row++, "SaveIndexE", "     Save Version       (Версия сейва)");
  AddFieldRow(fields, page, row++, "CivNameE", "CivName (Цивилизация)");
  AddFieldRow(fields, page, row++, "LevelE", "      Handicap       (Ур-нь сложности)");
  AddFieldRow(fields, page, row++, "StartingEraE", "Starting Era (Стартовая Эра)");
  AddFieldRow(fields, page, row++, "CurrentEraE", "Current Era (Текущая Эра)");
  AddFieldRow(fields, page, row++, "Game5SpeedE", "Game Speed (Скорость Игры)");
  AddFieldRow(fields, page, row++, "World5SizeE", " World Size  (Размер Карты)");
  AddFieldRow(fields, page, row++, "Map5ScriptE", "    Map Script     (Тип Карты)");
  AddFieldRow(fields, page, row++, "CurrentTurn", "Current turn (Текущий ход)", "CurrentDate");
  AddFieldRow(fields, page, row++, "StartTurnE", "Starting turn (Стартовый ход)", "StartDateE");
  AddFieldRow(fields, page, row++, "PlayTime", "Playing time  (Время игры)");
  AddFieldRow(fields, page, row++, "GameScore", "Game score  (Очки)", "ProjectedScore");
  AddFieldRow(fields, page, row++, "GameStatus", "Game status (Состояние игры)");
  AddFieldRow(fields, page, row++, "UserNameE", "User Name (Пользователь)");
  fields->addWidget(NewLabel(page, "VictoriesLabel", "Allowed Victories (Разрешенные победы)"), row,
                    0);
  auto* victories = new QHBoxLayout;
  const char* const checks[][2] = {{"TimeVictory", "Time"},
                                   {"ScienceVictory", "Science"},
                                   {"DominationVictory", "Domination"},
                                   {"CulturalVictory", "Cultural"},
                                   {"DiplomaticVictory", "Diplomatic"}};
  for (const auto& check : checks) victories->addWidget(NewDisplayCheck(page, check[0], check[1]));
  victories->addStretch();
  fields->addLayout(victories, row++, 1, 1, 2);
  fields->setRowStretch(row, 1);
  fields->setColumnMinimumWidth(1, 150);
  fields->setColumnMinimumWidth(2, 150);

  auto* lists = new QVBoxLayout;
  for (const auto& [box, caption] :
       {std::pair{"GameOptionBox", " Game Options  (Опции Игры)"},
        std::pair{"DLCBox", "     DLC Installed     (Установленные дополнения)"}}) {
    QLabel* label = CaptionOf(page, box, caption);
    label->setWordWrap(true);  // the list, not its caption, sets the column's width
    lists->addWidget(label);
    lists->addWidget(NewListBox(page, box, 220), 1);
  }

  auto* columns = new QHBoxLayout;
  columns->addLayout(fields, 1);
  columns->addSpacing(12);
  columns->addLayout(lists);
  // Shown until the first save is loaded.
  QLabel* hint = NewLabel(page, "EmptyHint",
                          "No save is loaded yet. Open one with \"Load File\" (Ctrl+O), type its "
                          "path in the box above and press Enter, or drop a save on this window.");
  hint->setWordWrap(true);
  hint->setStyleSheet("QLabel { background: #E8F0FE; color: black; padding: 6px; }");
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(hint);
  layout->addLayout(columns, 1);
  return page;
}

QWidget* MainWindow::CreateLeadersTab() {
  QWidget* page = NewPage("LeadersTab");
  LeadersGrid = NewGrid(page, "LeadersGrid",
                        {.Columns = kLeadersGridColumns, .Rows = 1, .DefaultColumnWidth = 50});
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(LeadersGrid);
  return page;
}

QWidget* MainWindow::CreateReplayTab() {
  QWidget* page = NewPage("ReplayTab");
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(EventCaptions(page, "Replay"));
  layout->addWidget(NewRichText(page, "ReplayList", false, true), 1);
  layout->addWidget(Legend(page, "ReplayLegend", Qt::darkMagenta,
                           "Purple: a play session starts (the game was started or loaded)."));
  return page;
}

QWidget* MainWindow::CreatePlayerLogTab() {
  QWidget* page = NewPage("PlayerLogTab");
  PlayerLogSelect = NewSelector(page, "PlayerLogSelect", 19);
  ShowCombatsCheckBox = NewCheck(page, "ShowCombatsCheckBox", "Show Combats");
  ShowCityEventsCheckBox = NewCheck(page, "ShowCityEventsCheckBox", "Show City Events");
  ShowCombatsCheckBox->hide();
  ShowCityEventsCheckBox->hide();
  auto* top = new QHBoxLayout;
  top->addWidget(PlayerLogSelect);
  top->addWidget(ShowCombatsCheckBox);
  top->addWidget(ShowCityEventsCheckBox);
  top->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(top);
  layout->addLayout(EventCaptions(page, "PlayerLog"));
  layout->addWidget(NewRichText(page, "PlayerLog", false, true), 1);
  return page;
}

QWidget* MainWindow::CreateReloadsTab() {
  QWidget* page = NewPage("ReloadsTab");
  auto* fields = new QGridLayout;
  AddFieldRow(fields, page, 0, "SessionCount", "       Sessions       (Число сессий)");
  AddFieldRow(fields, page, 1, "PreSessions", "    PreSessions     (Число пресессий)");
  AddFieldRow(fields, page, 2, "PlaySessions", "    Play Sessions     (Игровые сессии)");
  AddFieldRow(fields, page, 3, "AverageSessionTime", "  Average Session time   (Ср. время сессии)");
  fields->setColumnMinimumWidth(1, 120);
  PreSessions = page->findChild<QLineEdit*>("PreSessions");
  PreSessions->setReadOnly(false);
  // The pre-sessions box is the one the user corrects: text and caption in blue.
  QPalette blue = PreSessions->palette();
  blue.setColor(QPalette::Text, Qt::blue);
  PreSessions->setPalette(blue);
  QLabel* caption = page->findChild<QLabel*>("PreSessionsLabel");
  QPalette blue_caption = caption->palette();
  blue_caption.setColor(QPalette::WindowText, Qt::blue);
  caption->setPalette(blue_caption);

  const QFont fixed = FixedPitchFont();
  const int char_width = QFontMetrics(fixed).horizontalAdvance('0');
  SessionListBox = NewListBox(page, "SessionListBox", 30 * char_width);
  SessionListBox->setFixedWidth(30 * char_width);  // one column of short lines
  // Over the list's columns: "%3d" number, "%6d" turn, the date.
  QLabel* captions = NewLabel(page, "SessionListBoxLabel", "  №  Turn   Date");
  captions->setFont(fixed);
  captions->setIndent(SessionListBox->frameWidth() + 2);
  auto* sessions = new QVBoxLayout;
  sessions->addWidget(captions);
  sessions->addWidget(SessionListBox, 1);
  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addWidget(Legend(page, "ReloadsLegend", Qt::blue,
                         "Blue: proposed from the save; type a number to correct it."));
  left->addStretch();
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left);
  layout->addSpacing(12);
  layout->addLayout(sessions);
  layout->addStretch();
  return page;
}

QWidget* MainWindow::CreateGraphTab() {
  QWidget* page = NewPage("GraphTab");
  GraphSelect = NewSelector(page, "GraphSelect", 27);
  HistoryChart = new HistoryChartView(page);
  HistoryChart->setObjectName("HistoryChart");
  GraphPlayerList = new QListWidget(page);
  GraphPlayerList->setObjectName("GraphPlayerList");
  // No selection highlight may cover an entry's colour.
  GraphPlayerList->setSelectionMode(QAbstractItemView::NoSelection);
  GraphPlayerList->setUniformItemSizes(true);
  GraphPlayerList->setFixedWidth(200);
  QPalette menu_bar = GraphPlayerList->palette();
  menu_bar.setColor(QPalette::Base, menu_bar.color(QPalette::Button));
  GraphPlayerList->setPalette(menu_bar);
  GraphPlayerList->setStyleSheet(
      QString("QListWidget::item { height: %1px; }").arg(kCheckListItemHeight));
  UnselectAllButton = new QPushButton("Unselect all", page);
  UnselectAllButton->setObjectName("UnselectAllButton");

  SaveImageButton = new QPushButton("Save Image...", page);
  SaveImageButton->setObjectName("SaveImageButton");
  SaveImageButton->setToolTip("Save the graph as shown, as a PNG or SVG picture");
  SelectAllButton = new QPushButton("Select all", page);
  SelectAllButton->setObjectName("SelectAllButton");
  SelectAllButton->setToolTip("Draw every player (at most 25 lines)");
  UnselectAllButton->setToolTip("Draw no player");
  ResetZoomButton = new QPushButton("Reset zoom", page);
  ResetZoomButton->setObjectName("ResetZoomButton");
  ResetZoomButton->setToolTip("Show the whole game again (a right click on the graph does too)");
  ResetZoomButton->hide();
  GraphHoverLabel = NewLabel(page, "GraphHoverLabel", QString());
  GraphSelect->setToolTip("The statistic the graph draws for each checked player");
  GraphPlayerList->setToolTip("Click a player to draw or hide its line");

  auto* top_row = new QHBoxLayout;
  top_row->addWidget(GraphSelect);
  top_row->addWidget(ResetZoomButton);
  top_row->addSpacing(12);
  top_row->addWidget(GraphHoverLabel, 1);
  auto* left = new QVBoxLayout;
  left->addLayout(top_row);
  left->addWidget(HistoryChart, 1);
  auto* selection = new QHBoxLayout;
  selection->addWidget(SelectAllButton);
  selection->addWidget(UnselectAllButton);
  auto* right = new QVBoxLayout;
  right->addWidget(GraphPlayerList, 1);
  right->addLayout(selection);
  right->addWidget(SaveImageButton);
  ExportCsvButton = new QPushButton("Export CSV...", page);
  ExportCsvButton->setObjectName("ExportCsvButton");
  ExportCsvButton->setToolTip(
      "Save the shown statistic of every player as a table: one row per turn, one column per "
      "player");
  right->addWidget(ExportCsvButton);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 1);
  layout->addLayout(right);
  return page;
}

QWidget* MainWindow::CreateCityTab() {
  QWidget* page = NewPage("CityTab");
  PlayerCitySelect = NewSelector(page, "PlayerCitySelect", 20);
  CityBox = NewSelector(page, "CityBox", 20);
  auto* selectors = new QHBoxLayout;
  selectors->addWidget(CaptionOf(page, "PlayerCitySelect", "Player Select"));
  selectors->addWidget(PlayerCitySelect);
  selectors->addSpacing(12);
  selectors->addWidget(CaptionOf(page, "CityBox", "City Select"));
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
  for (const auto& r : rows) AddFieldRow(fields, page, row++, r[0], r[1]);
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
    great->addWidget(CaptionOf(page, k[0], k[2]), row, 0);
    great->addWidget(NewEdit(page, k[0]), row, 1);
    great->addWidget(CaptionOf(page, k[1], "+"), row, 2);
    great->addWidget(NewEdit(page, k[1]), row, 3);
    ++row;
  }
  great->addWidget(CaptionOf(page, "GPLimitE", "Needed"), row, 0);
  great->addWidget(NewEdit(page, "GPLimitE"), row++, 1);
  great->addWidget(NewLabel(page, "PerTurnLabel", "Per turn"), row++, 1);
  const char* const yields[][2] = {{"OutCultureE", "Culture"}, {"OutFaithE", "Faith"},
                                   {"OutFoodE", "Food"},       {"OutProdE", "Product"},
                                   {"OutGoldE", "Gold"},       {"OutScienceE", "Science"}};
  for (const auto& y : yields) {
    great->addWidget(CaptionOf(page, y[0], y[1]), row, 0);
    great->addWidget(NewEdit(page, y[0]), row++, 1);
  }
  for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
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
  QLabel* buildings_caption = CaptionOf(page, "BuildingsList", "Buildings");
  buildings_caption->setFixedWidth(24 * char_width + 4);
  building_captions->addWidget(buildings_caption);
  QLabel* date_caption = NewLabel(page, "BuildingsDateLabel", "Date");
  date_caption->setFixedWidth(8 * char_width);  // " 4000BC"
  date_caption->setAlignment(Qt::AlignRight);
  building_captions->addWidget(date_caption);
  QLabel* turn_caption = NewLabel(page, "BuildingsTurnLabel", "Turn");
  turn_caption->setFixedWidth(6 * char_width);
  turn_caption->setAlignment(Qt::AlignRight);
  building_captions->addWidget(turn_caption);
  building_captions->addStretch();
  buildings->addLayout(building_captions);
  buildings->addWidget(NewRichText(page, "BuildingsList", false, true), 1);
  buildings->addWidget(
      Legend(page, "BuildingsLegend", Qt::blue, "Blue: free buildings (given, not built)."));

  auto* upper = new QHBoxLayout;
  upper->addLayout(fields);
  upper->addSpacing(8);
  upper->addLayout(great);
  upper->addSpacing(8);
  upper->addLayout(buildings, 1);

  BuildingQueue = NewSelector(page, "BuildingQueue", kQueueCapacity);
  ProductionGrid = NewGrid(page, "ProductionGrid",
                           {.Columns = kProductionGridColumns, .Rows = kProductionGridRows});
  ReligionGrid =
      NewGrid(page, "ReligionGrid", {.Columns = kReligionGridColumns, .Rows = kReligionGridRows});
  auto* queue = new QVBoxLayout;
  queue->addWidget(CaptionOf(page, "BuildingQueue", "Building Queue"));
  queue->addWidget(BuildingQueue);
  queue->addStretch();
  auto* religions = new QVBoxLayout;
  religions->addWidget(CaptionOf(page, "ReligionGrid", "Religions"));
  religions->addWidget(ReligionGrid, 1);
  auto* lower = new QHBoxLayout;
  lower->addLayout(queue);
  lower->addSpacing(8);
  lower->addWidget(ProductionGrid, 1);
  lower->addSpacing(8);
  lower->addLayout(religions, 1);

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(selectors);
  layout->addLayout(upper, 3);
  layout->addLayout(lower, 2);
  return page;
}

QWidget* MainWindow::CreatePolicyTab() {
  QWidget* page = NewPage("PolicyTab");
  PlayerPolicySelect = NewSelector(page, "PlayerPolicySelect", 20);
  auto* selector = new QHBoxLayout;
  selector->addWidget(CaptionOf(page, "PlayerPolicySelect", "Player Select"));
  selector->addWidget(PlayerPolicySelect);
  selector->addStretch();

  // Two rows of five branch boxes, and the three taller ideology boxes below them.
  constexpr int kBranchesPerRow = 5;
  constexpr int kBranchRows = 2;
  auto* boxes = new QGridLayout;
  auto* ideologies = new QHBoxLayout;
  for (size_t i = 0; i < kPolicyBoxes.size(); ++i) {
    const std::string name(kPolicyBoxes[i]);
    auto* titled = new QVBoxLayout;
    titled->setSpacing(1);
    titled->addWidget(CaptionOf(page, name.c_str(), PolicyBoxTitle(kPolicyBoxes[i])));
    titled->addWidget(NewRichText(page, name.c_str(), true, false), 1);
    const int row = static_cast<int>(i) / kBranchesPerRow;
    if (row < kBranchRows) {
      boxes->addLayout(titled, row, static_cast<int>(i) % kBranchesPerRow);
    } else {
      ideologies->addLayout(titled);
    }
  }
  boxes->addLayout(ideologies, kBranchRows, 0, 1, kBranchesPerRow);
  boxes->setRowStretch(0, 2);
  boxes->setRowStretch(1, 2);
  boxes->setRowStretch(2, 3);

  auto* culture = new QVBoxLayout;
  culture->addLayout(CaptionAbove(page, "PolicyCultureE", "Policy Culture"));
  culture->addLayout(CaptionAbove(page, "TotalCultureE", "Total Culture"));
  culture->addLayout(CaptionAbove(page, "CulturePerTurnE", "Per Turn"));
  QLineEdit* hidden = nullptr;
  culture->addLayout(CaptionAbove(page, "CSCultureE", "Culture from CS", &hidden));
  hidden->hide();
  page->findChild<QLabel*>("CSCultureELabel")->hide();
  culture->addLayout(CaptionAbove(page, "PolicyNumE", "Policy Number", &hidden));
  hidden->hide();
  page->findChild<QLabel*>("PolicyNumELabel")->hide();
  culture->addStretch();

  auto* body = new QHBoxLayout;
  body->addLayout(boxes, 1);
  body->addSpacing(8);
  body->addLayout(culture);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(selector);
  layout->addLayout(body, 1);
  return page;
}

QWidget* MainWindow::CreatePlayerTab() {
  QWidget* page = NewPage("PlayerTab");
  PlayerTechSelect = NewSelector(page, "PlayerTechSelect", 20);
  TechGrid =
      NewGrid(page, "TechGrid",
              {.Columns = kTechGridColumns, .Rows = kTechGridRows, .DefaultColumnWidth = 100});
  auto* left = new QVBoxLayout;
  auto* selector = new QHBoxLayout;
  selector->addWidget(CaptionOf(page, "PlayerTechSelect", "Player Select"));
  selector->addWidget(PlayerTechSelect);
  selector->addStretch();
  left->addLayout(selector);
  left->addWidget(TechGrid, 1);

  // The player's running totals, in titled groups.
  const char* const titles[] = {"Science", "Golden age", "Gold", "Faith", "Great generals"};
  const char* const groups[][5][2] = {
      {{"ResearchE", "Researching"},
       {"ResearchQueueE", "Then"},
       {"OverflowResearchE", "Overflow"},
       {"AccScienceE", "Accumulated"},
       {"SciencePerTurnE", "Per Turn"}},
      {{"AccHappinessE", "Accumulated"}, {"HappinessE", "Happiness"}, {"GATurnsE", "GA Turns"}},
      {{"AccGoldE", "Gold"}, {"DiploGoldE", "Diplo"}, {"GoldPerTurnE", "Per Turn"}},
      {{"AccFaithE", "Faith"}, {"TotalFaithE", "Total Faith"}, {"FaithPerTurnE", "Per Turn"}},
      {{"GGPointsE", "GG Points"}, {"TGGPointsE", "Total"}},
  };
  auto* totals = new QVBoxLayout;
  for (size_t g = 0; g < std::size(groups); ++g) {
    const auto& group = groups[g];
    auto* frame = new QGroupBox(titles[g], page);
    auto* fields = new QGridLayout(frame);
    int column = 0;
    for (const auto& field : group) {
      if (!field[0]) break;
      fields->addLayout(CaptionAbove(frame, field[0], field[1]), 0, column++);
    }
    totals->addWidget(frame);
  }
  auto* hidden = new QHBoxLayout;
  for (int i = 1; i <= 4; ++i) {
    const QByteArray name = QString("RawValue%1").arg(i).toLatin1();
    QLineEdit* edit = nullptr;
    hidden->addLayout(CaptionAbove(page, name.constData(), QString("Raw value %1").arg(i), &edit));
    edit->hide();
    page->findChild<QLabel*>(QString(name) + "Label")->hide();
  }
  totals->addLayout(hidden);
  totals->addStretch();

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 2);
  layout->addSpacing(8);
  layout->addLayout(totals, 3);
  return page;
}

QWidget* MainWindow::CreateStatsTab() {
  QWidget* page = NewPage("StatsTab");
  PlayerStatsSelect = NewSelector(page, "PlayerStatsSelect", 20);
  StatsLangSelect = NewSelector(page, "StatsLangSelect", 2);
  StatsLangSelect->setMinimumContentsLength(10);
  StatsLangSelect->addItems({"English", "Русский"});
  StatsLangSelect->setCurrentIndex(0);
  auto* selectors = new QHBoxLayout;
  selectors->addWidget(CaptionOf(page, "PlayerStatsSelect", "Player Select"));
  selectors->addWidget(PlayerStatsSelect);
  selectors->addSpacing(12);
  selectors->addWidget(CaptionOf(page, "StatsLangSelect", "Language"));
  selectors->addWidget(StatsLangSelect);
  selectors->addStretch();

  auto* layout = new QVBoxLayout(page);
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
    layout->addWidget(CaptionOf(page, box.Name, box.Caption));
    layout->addWidget(NewRichText(page, box.Name, true, false), box.Stretch);
  }
  return page;
}

QWidget* MainWindow::CreateCSTab() {
  QWidget* page = NewPage("CSTab");
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(NewGrid(
      page, "CSGrid",
      {.Columns = kCSGridSize, .Rows = kCSGridSize, .FixedColumns = 1, .DefaultColumnWidth = 81}));
  return page;
}

QWidget* MainWindow::CreateTestTab() {
  QWidget* page = NewPage("TestTab");
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(NewRichText(page, "TestRE", true, false));
  return page;
}

QWidget* MainWindow::CreateLeagueTab() {
  QWidget* page = NewPage("LeagueTab");
  QTableWidget* grid = NewGrid(page, "LeagueProjectGrid",
                               {.Columns = kLeagueGridColumns,
                                .Rows = kLeagueGridRows,
                                .FixedColumns = 1,
                                .FixedPitch = true});
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  for (int c = 0; c < kLeagueGridColumns; ++c) {
    SetGridColumnWidth(grid, c, kLeagueGridColumnWidths[static_cast<size_t>(c)]);
  }
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(grid);
  return page;
}

}  // namespace vek5
