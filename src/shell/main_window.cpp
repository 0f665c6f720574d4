#include "shell/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPen>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <exception>

#include "analysis/save5_analyse.h"
#include "model/format.h"
#include "shell/apply_content.h"
#include "shell/copy_support.h"
#include "shell/folder_follower.h"
#include "shell/history_chart.h"
#include "shell/recent_files.h"
#include "shell/series_tab.h"
#include "views/base_view.h"
#include "views/city_view.h"
#include "views/history_csv.h"
#include "views/player_log_view.h"
#include "views/policy_view.h"
#include "views/reloads_view.h"
#include "views/stats_view.h"
#include "views/tech_view.h"

namespace vek5 {
namespace {

constexpr int kGraphLineWidth = 2;

// The busy cursor for the length of a load.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// Holds the painting of a widget and its children for the length of a scope; one update then
// covers every change made meanwhile. A widget whose painting is already held (through a
// parent) is left alone: disabling it again would keep it disabled when the parent is enabled.
class UpdatesHeld {
 public:
  explicit UpdatesHeld(QWidget* widget) : held_(widget->updatesEnabled() ? widget : nullptr) {
    if (held_) held_->setUpdatesEnabled(false);
  }
  ~UpdatesHeld() {
    if (held_) held_->setUpdatesEnabled(true);
  }
  UpdatesHeld(const UpdatesHeld&) = delete;
  UpdatesHeld& operator=(const UpdatesHeld&) = delete;

 private:
  QWidget* held_;  // null when the painting was held already
};

// The file's name as the C library expects it on this system (UTF-8 on Linux).
std::string LocalFileName(const QString& file_name) {
  return QFile::encodeName(file_name).toStdString();
}

// A selector's item index is a Leaders entry; none selected reads as entry 0.
int SelectedEntry(const QComboBox* selector) {
  return std::max(selector->currentIndex(), 0);
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QColor Colour(uint32_t rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFF));
}

// Ticks at round values (1, 2 or 5 times a power of ten), about six along the axis.
void SetRoundTicks(QValueAxis* axis) {
  constexpr double kWantedTicks = 6;
  const double span = axis->max() - axis->min();
  if (!(span > 0)) return;
  const double rough = span / kWantedTicks;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = power;
  for (const double factor : {2.0, 5.0, 10.0}) {
    if (step >= rough) break;
    step = power * factor;
  }
  // The interval first: ticks at the old interval over the new range could number hundreds of
  // thousands, each a label laid out.
  axis->setTickAnchor(0);
  axis->setTickInterval(step);
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setLabelFormat(step >= 1 ? "%.0f" : "%g");
}

// The graph before any load: the base game's statistics, no player, no line drawn.
GraphContent EmptyGraph(const GameState& empty_state, ViewState& view) {
  GraphContent graph;
  graph.Statistics = GraphStatisticNames(empty_state);
  graph.Statistic = 0;
  CheckGraphIndexes(graph, view);
  DrawGraph(empty_state, view, graph);  // names and colours of the series
  return graph;
}

}  // namespace

// The model before any load: empty, without history sets (a load brings its own).
MainWindow::MainWindow(QWidget* parent) : QWidget(parent), state_(std::make_unique<GameState>()) {
  setWindowTitle(kProgramName);
  setAcceptDrops(true);
  ShowError = [this](const QString& message) {
    QMessageBox::critical(this, kProgramName, message);
  };
  ChooseOpenFile = [this] {
    QSettings settings;
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Open a Vek5 save"), settings.value(settings_key::kLastFolder).toString(),
        tr("Vek5 saves (*.Vek5Save);;All files (*)"));
    if (!file.isEmpty())
      settings.setValue(settings_key::kLastFolder, QFileInfo(file).absolutePath());
    return file;
  };
  ChooseFolder = [this] {
    return QFileDialog::getExistingDirectory(
        this, tr("Choose a folder of saves"),
        QSettings().value(settings_key::kLastFolder).toString());
  };
  ChooseCsvFile = [this] {
    QString file = QFileDialog::getSaveFileName(
        this, tr("Export the statistic as CSV"),
        QSettings().value(settings_key::kLastFolder).toString(), tr("CSV table (*.csv)"));
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) file += ".csv";
    return file;
  };
  ChooseImageFile = [this] {
    QString selected_filter;
    QString file =
        QFileDialog::getSaveFileName(this, tr("Save the graph as a picture"),
                                     QSettings().value(settings_key::kLastFolder).toString(),
                                     tr("PNG image (*.png);;SVG image (*.svg)"), &selected_filter);
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) {
      file += selected_filter.contains("svg") ? ".svg" : ".png";
    }
    return file;
  };
  ChooseSaveFile = [this] {
    return QFileDialog::getSaveFileName(this, QString(), SavePath->text());
  };
  follower_ = new FolderFollower(this);
  CreateControls();
  SetStandingHints(this);
  for (QTableWidget* grid : findChildren<QTableWidget*>()) EnableCopy(grid);
  for (QListWidget* list : findChildren<QListWidget*>()) {
    if (list->selectionMode() != QAbstractItemView::NoSelection) EnableCopy(list);
  }
  FormCreate();
  ConnectHandlers();
  ConnectKeys();
  FitToScreen();
  RestoreSettings();
}

// The window never asks for more than the screen offers: its minimum and its start size stay
// within 90 % of the screen's available area, at any scale factor. Below the preferred
// minimum the pages scroll.
void MainWindow::FitToScreen() {
  constexpr QSize kPreferredStart(1180, 760);
  constexpr double kScreenShare = 0.9;
  QSize available(kPreferredStart);
  if (const QScreen* shown_on = screen()) available = shown_on->availableGeometry().size();
  const QSize most(static_cast<int>(available.width() * kScreenShare),
                   static_cast<int>(available.height() * kScreenShare));
  setMinimumSize(kWindowMinimumSize.boundedTo(most));
  resize(kPreferredStart.boundedTo(most).expandedTo(minimumSize()));
}

// A first start, with nothing remembered, keeps the defaults of FormCreate.
void MainWindow::RestoreSettings() {
  QSettings settings;
  const QByteArray geometry = settings.value(settings_key::kGeometry).toByteArray();
  if (!geometry.isEmpty()) restoreGeometry(geometry);
  const int tab = settings.value(settings_key::kActiveTab, -1).toInt();
  if (tab >= 0 && tab < PageControls->count() && PageControls->isTabVisible(tab)) {
    PageControls->setCurrentIndex(tab);
  }
  const int language = settings.value(settings_key::kStatsLanguage, -1).toInt();
  if (language >= 0 && language < StatsLangSelect->count()) {
    StatsLangSelect->setCurrentIndex(language);
  }
  graph_statistic_ = settings.value(settings_key::kGraphStatistic).toString();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QSettings().setValue(settings_key::kGeometry, saveGeometry());
  QWidget::closeEvent(event);
}

MainWindow::~MainWindow() = default;

// Start-up defaults. Numbers never depend on the locale (Format always writes "."), so the
// decimal separator needs no setting here.
void MainWindow::FormCreate() {
  SaveFileButton->setEnabled(false);  // the export stays unreachable from the window
  PageControls->setTabVisible(PageControls->indexOf(TestTab), false);
  PageControls->setCurrentWidget(BaseTab);

  struct GridHeader {
    QTableWidget* Grid;
    std::vector<const char*> Headers;
    std::vector<int> Widths;
  };
  const GridHeader headers[] = {
      {LeadersGrid,
       {"№", "Civilization", "Leader", "Trait", "Alive", "Cities (Nat/Occ/Pup)"},
       {20, 115, 115, 70, 70, 110}},
      {TechGrid, {}, {kTechGridColumnWidths.begin(), kTechGridColumnWidths.end()}},
      {ProductionGrid, {"№", "Production", "Hammers", "Delay"}, {20, 150, 80, 35}},
      {ReligionGrid, {"Religion", "Followers", "Points", "Percent", "Holy"}, {100, 50, 50, 50, 35}},
  };
  // The technology grid's headers and row numbers are those of its view with no player.
  Apply(PlayerTab, vek5::PlayerTechChoose(*state_, -1));
  for (const GridHeader& h : headers) {
    for (size_t c = 0; c < h.Headers.size(); ++c) SetGridCell(h.Grid, 0, c, h.Headers[c]);
    for (size_t c = 0; c < h.Widths.size(); ++c) SetGridColumnWidth(h.Grid, c, h.Widths[c]);
    WidenClippedColumns(h.Grid);
    FitGridWidth(h.Grid);
  }

  PlayerLogSelect->setCurrentIndex(-1);
  graph_ = EmptyGraph(*state_, view_);
  ShowGraph();
}

void MainWindow::ConnectHandlers() {
  connect(LoadFileButton, &QPushButton::clicked, this, &MainWindow::OpenFile);
  connect(SaveFileButton, &QPushButton::clicked, this, &MainWindow::ExportSaveImage);
  connect(UnselectAllButton, &QPushButton::clicked, this, &MainWindow::UnselectAllPlayers);
  connect(LoadPathButton, &QPushButton::clicked, this, &MainWindow::LoadNamedFile);
  connect(LoadFolderButton, &QPushButton::clicked, this, &MainWindow::LoadFolder);
  connect(SeriesPage, &SeriesTab::LoadRequested, this, [this](const QString& file) {
    // A save picked from the series is looked at from its first page.
    if (LoadFile(file)) PageControls->setCurrentWidget(BaseTab);
  });
  connect(SaveImageButton, &QPushButton::clicked, this, &MainWindow::SaveGraphImage);
  connect(ExportCsvButton, &QPushButton::clicked, this, &MainWindow::ExportGraphCsv);
  connect(FollowButton, &QPushButton::clicked, this, &MainWindow::ToggleFollowFolder);
  connect(SelectAllButton, &QPushButton::clicked, this, &MainWindow::SelectAllGraphEntries);
  connect(ResetZoomButton, &QPushButton::clicked, this, &MainWindow::HistoryChartUndoZoom);
  connect(GraphPlayerList, &QListWidget::itemPressed, this,
          [this](QListWidgetItem* item) { pressed_check_ = item->checkState(); });
  connect(GraphPlayerList, &QListWidget::itemClicked, this, &MainWindow::ToggleClickedGraphEntry);
  connect(HistoryChart, &HistoryChartView::Hovered, this, [this](double turn, double value) {
    GraphHoverLabel->setText(
        tr("Turn %1: %2").arg(qRound(turn)).arg(QString::number(value, 'f', 0)));
  });
  connect(HistoryChart, &HistoryChartView::LeftPlot, GraphHoverLabel, &QLabel::clear);
  connect(follower_, &FolderFollower::SaveReady, this,
          [this](const QString& file) { LoadFile(file, LoadMode::kFollowing); });
  connect(PreSessions, &QLineEdit::textChanged, this, &MainWindow::RecountPlaySessions);
  connect(GraphSelect, &QComboBox::currentIndexChanged, this, &MainWindow::GraphSelectChange);
  connect(GraphPlayerList, &QListWidget::itemChanged, this, &MainWindow::ApplyGraphEntryCheck);
  connect(HistoryChart, &HistoryChartView::Zoomed, this, &MainWindow::HistoryChartZoomed);
  connect(HistoryChart, &HistoryChartView::UndoZoom, this, &MainWindow::HistoryChartUndoZoom);
  connect(PlayerLogSelect, &QComboBox::currentIndexChanged, this, &MainWindow::DrawPlayerLog);
  connect(ShowCombatsCheckBox, &QCheckBox::toggled, this, &MainWindow::DrawPlayerLog);
  connect(ShowCityEventsCheckBox, &QCheckBox::toggled, this, &MainWindow::DrawPlayerLog);
  connect(PlayerPolicySelect, &QComboBox::currentIndexChanged, this,
          &MainWindow::PlayerPolicyChoose);
  connect(PlayerTechSelect, &QComboBox::currentIndexChanged, this, &MainWindow::PlayerTechChoose);
  connect(PlayerCitySelect, &QComboBox::currentIndexChanged, this, &MainWindow::PlayerCityChoose);
  connect(CityBox, &QComboBox::currentIndexChanged, this, &MainWindow::ChooseCity);
  connect(BuildingQueue, &QComboBox::currentIndexChanged, this, &MainWindow::BuildingQueueChange);
  connect(PlayerStatsSelect, &QComboBox::currentIndexChanged, this, &MainWindow::PlayerStats);
  connect(StatsLangSelect, &QComboBox::currentIndexChanged, this, &MainWindow::PlayerStats);
  connect(StatsLangSelect, &QComboBox::currentIndexChanged, this,
          [](int language) { QSettings().setValue(settings_key::kStatsLanguage, language); });
  connect(PageControls, &QTabWidget::currentChanged, this,
          [](int tab) { QSettings().setValue(settings_key::kActiveTab, tab); });
  QMenu* recent = RecentButton->menu();
  connect(recent, &QMenu::aboutToShow, this, [this, recent] {
    FillRecentMenu(recent, [this](const QString& file) { LoadFile(file); });
  });
}

// ---- Loading ----

bool MainWindow::LoadFile(const QString& file_name, LoadMode mode) {
  if (file_name.isEmpty()) return false;
  QElapsedTimer clock;
  clock.start();
  try {
    std::unique_ptr<SaveImage> image;
    std::unique_ptr<GameState> state;
    {
      const BusyCursor busy;
      image = std::make_unique<SaveImage>(LoadSaveForAnalysis(LocalFileName(file_name)));
      state = Save5Analyse(*image);
    }
    // Both succeeded: the new save replaces the old one as a whole.
    const KeptSelection kept = KeepSelection();
    image_ = std::move(image);
    state_ = std::move(state);
    view_ = FreshViewState(*state_);
    const BusyCursor busy;
    SavePath->setText(file_name);
    FileDate->setText(QString::fromStdString(image_->FileDate));
    ShowAllTabs();
    RestoreSelection(kept, mode);
    BaseTab->findChild<QLabel*>("EmptyHint")->hide();
    HistoryChart->AxisX()->setLabelsVisible(true);
    HistoryChart->AxisY()->setLabelsVisible(true);
    WriteRecentFiles(WithRecentFile(ReadRecentFiles(), QFileInfo(file_name).absoluteFilePath()));
    const std::string notice = EndsEarlyNotice(*state_);
    EndsEarlyBar->setText(Text(notice));
    EndsEarlyBar->setVisible(!notice.empty());
    const QFileInfo file(file_name);
    setWindowTitle(Text(WindowTitle(*state_, file.completeBaseName().toStdString())));
    StatusLine->showMessage(Text(LoadStatusLine(*state_, file.fileName().toStdString(),
                                                static_cast<double>(clock.elapsed()) / 1000)));
    return true;
  } catch (const std::exception& error) {
    // The path box goes back to the save on screen; before the first load it keeps the name
    // that failed, so that a mistyped one can be corrected.
    if (image_) {
      SavePath->setText(QFile::decodeName(QByteArray::fromStdString(image_->FileName)));
    } else {
      SavePath->setText(file_name);
    }
    const QString failed = tr("Cannot load \"%1\".").arg(QDir::toNativeSeparators(file_name));
    const QString message = QString::fromUtf8(error.what());
    if (mode == LoadMode::kFollowing) {
      StatusLine->showMessage(failed + " " + message.section('\n', 0, 0) + " " +
                              tr("The analysis shown is of the save before."));
    } else {
      ShowError(failed + "\n\n" + message);
    }
    return false;
  }
}

QList<QComboBox*> MainWindow::PlayerSelectors() const {
  return {PlayerLogSelect, PlayerCitySelect, PlayerPolicySelect, PlayerTechSelect,
          PlayerStatsSelect};
}

MainWindow::KeptSelection MainWindow::KeepSelection() const {
  KeptSelection kept;
  kept.Page = PageControls->currentWidget();
  for (const QComboBox* selector : PlayerSelectors()) kept.Players << selector->currentText();
  kept.City = CityBox->currentText();
  kept.Statistic = graph_statistic_;
  for (const GraphEntry& entry : graph_.Entries) {
    kept.GraphEntries.push_back(entry.Text);
    kept.GraphChecked.push_back(entry.Checked);
  }
  kept.Zoomed = graph_zoomed_;
  kept.Horizontal = graph_.Horizontal;
  kept.Vertical = graph_.Vertical;
  return kept;
}

// Each choice is made through its control, so that its tab refills as after a user's choice.
void MainWindow::RestoreSelection(const KeptSelection& kept, LoadMode mode) {
  const QList<QComboBox*> selectors = PlayerSelectors();
  for (int i = 0; i < selectors.size() && i < kept.Players.size(); ++i) {
    const int item = selectors[i]->findText(kept.Players[i]);
    if (item >= 0) selectors[i]->setCurrentIndex(item);
  }
  const int city = CityBox->findText(kept.City);
  if (city >= 0) CityBox->setCurrentIndex(city);
  const int statistic = GraphSelect->findText(kept.Statistic);
  if (statistic >= 0) GraphSelect->setCurrentIndex(statistic);
  if (kept.Page) PageControls->setCurrentWidget(kept.Page);
  // The graph's check marks belong to the players of one game: they stay when the players do.
  std::vector<std::string> entries;
  for (const GraphEntry& entry : graph_.Entries) entries.push_back(entry.Text);
  if (HasSave() && entries == kept.GraphEntries) {
    for (size_t i = 0; i < entries.size(); ++i) {
      if (graph_.Entries[i].Checked != kept.GraphChecked[i]) {
        SetGraphEntryChecked(*state_, view_, graph_, static_cast<int32_t>(i), kept.GraphChecked[i]);
      }
    }
    ShowGraph();
  }
  if (mode == LoadMode::kFollowing && kept.Zoomed) {
    ZoomGraph(graph_, kept.Horizontal, kept.Vertical);
    graph_zoomed_ = true;
    ShowGraphRanges();
  }
}

void MainWindow::OpenFile() {
  const QString file_name = ChooseOpenFile();
  if (!file_name.isEmpty()) LoadFile(file_name);
}

void MainWindow::LoadNamedFile() {
  if (SavePath->text().trimmed().isEmpty()) {
    StatusLine->showMessage(tr("Type the path of a save first, or use \"Load File\"."));
    return;
  }
  LoadFile(SavePath->text().trimmed());
}

// F5: the save on screen, read again from its file.
void MainWindow::ReloadFile() {
  if (image_) LoadFile(QFile::decodeName(QByteArray::fromStdString(image_->FileName)));
}

void MainWindow::ConnectKeys() {
  connect(SavePath, &QLineEdit::returnPressed, this, &MainWindow::LoadNamedFile);
  // Enter on a focused button presses it, as Space does.
  for (QPushButton* button : findChildren<QPushButton*>()) button->installEventFilter(this);
  const auto shortcut = [this](const QKeySequence& keys, auto action) {
    auto* key = new QShortcut(keys, this);
    key->setContext(Qt::WindowShortcut);
    connect(key, &QShortcut::activated, this, action);
  };
  shortcut(QKeySequence::Open, &MainWindow::OpenFile);
  shortcut(QKeySequence::Refresh, &MainWindow::ReloadFile);
  // The tab keys work from every control, the path box included.
  const auto step = [this](int by) {
    const int count = PageControls->count();
    int page = PageControls->currentIndex();
    do page = (page + by + count) % count;
    while (!PageControls->isTabVisible(page));
    PageControls->setCurrentIndex(page);
  };
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}) {
    shortcut(keys, [step] { step(1); });
  }
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                   QKeySequence(Qt::CTRL | Qt::Key_PageUp)}) {
    shortcut(keys, [step] { step(-1); });
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      button->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::LoadFolder() {
  const QString folder = ChooseFolder();
  if (!folder.isEmpty()) AnalyseSeries({folder});
}

void MainWindow::AnalyseSeries(const QStringList& paths) {
  PageControls->setCurrentWidget(SeriesPage);
  SeriesPage->Analyse(paths);
}

void MainWindow::ExportSaveImage() {
  if (!image_) return;
  const QString file_name = ChooseSaveFile();
  if (file_name.isEmpty()) return;
  try {
    ExportImage(*image_, LocalFileName(file_name));
  } catch (const std::exception& error) {
    ShowError(QString::fromUtf8(error.what()));
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

// One file is loaded; a folder or several files are analysed as a series.
void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  QStringList paths;
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  if (paths.size() == 1 && !QFileInfo(paths.first()).isDir()) {
    LoadFile(paths.first());
  } else {
    AnalyseSeries(paths);
  }
}

// ---- The refresh ----

void MainWindow::Apply(QWidget* root, const TabContent& content) {
  const QStringList missing = ApplyTabContent(root, content);
  if (!missing.isEmpty()) qWarning("No control named: %s", qPrintable(missing.join(", ")));
}

QWidget* MainWindow::PageByCaption(const std::string& caption) const {
  for (int i = 0; i < PageControls->count(); ++i) {
    if (PageControls->tabText(i) == Text(caption)) return PageControls->widget(i);
  }
  return nullptr;
}

// Every tab, in the refresh order the content builders keep (the same order as the report's):
// after a load every player selector shows its first item and the city list its first city;
// the statistics keep their language.
void MainWindow::ShowAllTabs() {
  const UpdatesHeld held(this);
  FillPlayerSelectors();
  TabSelection selection;
  selection.StatsLanguage = StatsLangSelect->currentIndex();
  AllTabs all = BuildAllTabs(*state_, view_, selection);
  for (const auto& [caption, content] : all.Tabs) {
    QWidget* page = PageByCaption(caption);
    if (page == GraphTab) continue;  // the chart shows the graph's content, not its report text
    Apply(page ? page : this, content);
  }
  graph_ = std::move(all.Graph);
  graph_zoomed_ = false;
  ShowGraph();
}

void MainWindow::FillPlayerSelectors() {
  QStringList items;
  for (const std::string& name : PlayerSelectorItems(*state_)) items << Text(name);
  for (QComboBox* selector : {PlayerLogSelect, PlayerCitySelect, PlayerPolicySelect,
                              PlayerTechSelect, PlayerStatsSelect}) {
    const QSignalBlocker blocker(selector);
    selector->clear();
    selector->addItems(items);
    selector->setCurrentIndex(items.isEmpty() ? -1 : 0);
  }
}

void MainWindow::PlayerCityChoose() {
  Apply(CityTab, vek5::PlayerCityChoose(*state_, view_, SelectedEntry(PlayerCitySelect)));
}

void MainWindow::ChooseCity() {
  Apply(CityTab, vek5::ChooseCity(*state_, view_, SelectedEntry(PlayerCitySelect),
                                  std::max(CityBox->currentIndex(), 0)));
}

void MainWindow::BuildingQueueChange() {
  // The queue list only shows the queue: its first entry stays in view.
  if (BuildingQueue->currentIndex() > 0) BuildingQueue->setCurrentIndex(0);
}

void MainWindow::PlayerPolicyChoose() {
  Apply(PolicyTab, vek5::PlayerPolicyChoose(*state_, SelectedEntry(PlayerPolicySelect)));
}

void MainWindow::PlayerTechChoose() {
  Apply(PlayerTab, vek5::PlayerTechChoose(*state_, SelectedEntry(PlayerTechSelect)));
}

// With no player selected (before any load) the builder gives four empty boxes.
void MainWindow::PlayerStats() {
  Apply(StatsTab, vek5::PlayerStats(*state_, PlayerStatsSelect->currentIndex(),
                                    StatsLangSelect->currentIndex()));
}

void MainWindow::DrawPlayerLog() {
  Apply(PlayerLogTab, vek5::DrawPlayerLog(*state_, view_, PlayerLogSelect->currentIndex()));
}

// The reloads figures for the pre-sessions the box holds. A text that is not a whole number is
// reported and leaves the figures shown, and the view state, as they were.
void MainWindow::RecountPlaySessions() {
  const CheckValuesResult result =
      vek5::CheckValues(*state_, view_, PreSessions->text().toStdString());
  if (result.Error) {
    ShowError(Text(*result.Error));
    return;
  }
  Apply(ReloadsTab, result.Content);
}

// ---- The graph ----

void MainWindow::ShowGraph() {
  {
    const QSignalBlocker blocker(GraphSelect);
    QStringList statistics;
    for (const std::string& name : graph_.Statistics) statistics << Text(name);
    QStringList shown;
    for (int i = 0; i < GraphSelect->count(); ++i) shown << GraphSelect->itemText(i);
    if (shown != statistics) {
      GraphSelect->clear();
      GraphSelect->addItems(statistics);
    }
    GraphSelect->setCurrentIndex(graph_.Statistic < statistics.size() ? graph_.Statistic : -1);
  }
  {
    // Entries are updated in place: this also runs from the handler of an entry's check box.
    const QSignalBlocker blocker(GraphPlayerList);
    const int entries = static_cast<int>(graph_.Entries.size());
    if (GraphPlayerList->count() != entries) {
      GraphPlayerList->clear();
      for (int i = 0; i < entries; ++i) {
        auto* item = new QListWidgetItem(GraphPlayerList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      }
    }
    // Only what differs is set: each change repaints the entry.
    for (int i = 0; i < entries; ++i) {
      const GraphEntry& entry = graph_.Entries[static_cast<size_t>(i)];
      QListWidgetItem* item = GraphPlayerList->item(i);
      const QString text = Text(entry.Text);
      const Qt::CheckState check = entry.Checked ? Qt::Checked : Qt::Unchecked;
      const QBrush colour(Colour(entry.Color));
      if (item->text() != text) item->setText(text);
      // A new entry has no check state yet (and shows no box) until one is set.
      if (!item->data(Qt::CheckStateRole).isValid() || item->checkState() != check) {
        item->setCheckState(check);
      }
      if (item->foreground() != colour) item->setForeground(colour);
    }
  }
  for (int k = 0; k < kGraphSeriesCount; ++k) {
    const GraphSeries& content = graph_.Series[static_cast<size_t>(k)];
    QLineSeries* series = HistoryChart->Series(k);
    series->setName(Text(content.Name));
    // Every pen is set: the chart's theme would otherwise cycle its own few colours.
    if (series->pen().color() != Colour(content.Color) ||
        series->pen().width() != kGraphLineWidth) {
      series->setPen(QPen(Colour(content.Color), kGraphLineWidth));
    }
    if (content.Points.empty() && series->count() == 0) continue;
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(content.Points.size()));
    for (const GraphPoint& point : content.Points) points.append(QPointF(point.Turn, point.Value));
    series->replace(points);
  }
  ShowGraphRanges();
}

// An axis of no extent (every visible value 0) cannot be drawn: the chart then shows one unit
// either side of it, so its labels stay readable and a line at that value stays in view.
void MainWindow::ShowGraphRanges() {
  const auto show = [](QValueAxis* axis, const AxisRange& range) {
    // A fixed handful of ticks until the range's own interval is set (SetRoundTicks).
    axis->setTickType(QValueAxis::TicksFixed);
    if (range.Max > range.Min) {
      axis->setRange(range.Min, range.Max);
    } else {
      axis->setRange(range.Min - 1, range.Max + 1);
    }
  };
  AxisRange vertical = graph_.Vertical;
  // Values that are never negative are drawn from 0, not from the fit's margin below it.
  if (!graph_zoomed_ && vertical.Min < 0 && vertical.Max > 0) {
    bool negative = false;
    for (const GraphSeries& series : graph_.Series) {
      for (const GraphPoint& point : series.Points) negative = negative || point.Value < 0;
    }
    if (!negative) vertical.Min = 0;
  }
  show(HistoryChart->AxisX(), graph_.Horizontal);
  show(HistoryChart->AxisY(), vertical);
  for (QValueAxis* axis : {HistoryChart->AxisX(), HistoryChart->AxisY()}) SetRoundTicks(axis);
  HistoryChart->AxisY()->setTitleText(GraphSelect->currentText());
  ResetZoomButton->setVisible(graph_zoomed_);
}

void MainWindow::SelectAllGraphEntries() {
  for (size_t i = 0; i < graph_.Entries.size(); ++i) {
    if (!graph_.Entries[i].Checked) {
      SetGraphEntryChecked(*state_, view_, graph_, static_cast<int32_t>(i), true);
    }
  }
  ShowGraph();
}

// A click on a name toggles it as a click on its box does; a click on the box is left to the
// box.
void MainWindow::ToggleClickedGraphEntry(QListWidgetItem* item) {
  if (item->checkState() == pressed_check_) {
    item->setCheckState(pressed_check_ == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }
}

void MainWindow::GraphSelectChange(int statistic) {
  // Another statistic is a new picture: the whole game again.
  if (graph_zoomed_) HistoryChartUndoZoom();
  SelectGraphStatistic(*state_, view_, graph_, statistic);
  graph_statistic_ = GraphSelect->itemText(statistic);
  QSettings().setValue(settings_key::kGraphStatistic, graph_statistic_);
  ShowGraph();
}

void MainWindow::ApplyGraphEntryCheck(QListWidgetItem* item) {
  SetGraphEntryChecked(*state_, view_, graph_, GraphPlayerList->row(item),
                       item->checkState() == Qt::Checked);
  ShowGraph();
}

void MainWindow::UnselectAllPlayers() {
  UnselectAllGraphEntries(*state_, view_, graph_);
  ShowGraph();
}

void MainWindow::ToggleFollowFolder() {
  if (follower_->IsFollowing()) {
    follower_->Stop();
  } else {
    const QString folder = ChooseFolder();
    if (!folder.isEmpty() && !follower_->Start(folder)) {
      ShowError(tr("Cannot follow \"%1\": it is not a folder that can be watched.")
                    .arg(QDir::toNativeSeparators(folder)));
    }
  }
  const bool following = follower_->IsFollowing();
  FollowButton->setChecked(following);
  FollowButton->setText(following ? tr("Stop Following") : tr("Follow Folder..."));
  FollowLabel->setText(following
                           ? tr("Following %1").arg(QDir::toNativeSeparators(follower_->Folder()))
                           : QString());
  FollowLabel->setVisible(following);
}

// Every player's values of the statistic shown, whichever players are checked.
void MainWindow::ExportGraphCsv() {
  if (!HasSave()) return;
  const QString file_name = ChooseCsvFile();
  if (file_name.isEmpty()) return;
  QSaveFile out(file_name);
  const std::string csv = HistoryCsv(*state_, graph_.Statistic);
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
      !out.commit()) {
    ShowError(tr("Cannot write \"%1\".").arg(QDir::toNativeSeparators(file_name)));
    return;
  }
  StatusLine->showMessage(
      tr("%1 exported to %2").arg(GraphSelect->currentText(), QDir::toNativeSeparators(file_name)));
}

void MainWindow::SaveGraphImage() {
  const QString file_name = ChooseImageFile();
  if (file_name.isEmpty()) return;
  if (!HistoryChart->SaveImage(file_name)) {
    ShowError(tr("Cannot write \"%1\".").arg(QDir::toNativeSeparators(file_name)));
    return;
  }
  StatusLine->showMessage(tr("Graph saved to %1").arg(QDir::toNativeSeparators(file_name)));
}

void MainWindow::HistoryChartZoomed() {
  graph_zoomed_ = true;
  ZoomGraph(graph_, {HistoryChart->AxisX()->min(), HistoryChart->AxisX()->max()},
            {HistoryChart->AxisY()->min(), HistoryChart->AxisY()->max()});
  ShowGraphRanges();
}

void MainWindow::HistoryChartUndoZoom() {
  graph_zoomed_ = false;
  HistoryChart->chart()->zoomReset();  // forget the chart's own zoom steps
  vek5::HistoryChartUndoZoom(*state_, view_, graph_);
  ShowGraphRanges();
}

}  // namespace vek5
