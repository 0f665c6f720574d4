#include "shell/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <exception>

#include "analysis/save5_analyse.h"
#include "model/format.h"
#include "model/reference_tables.h"
#include "shell/apply_content.h"
#include "shell/history_chart.h"
#include "shell/pending_views.h"

namespace vek5 {
namespace {

constexpr int kDesignTimeCheckItems = 25;
constexpr int kMaxCheckedEntries = 25;
constexpr float kFitStartLow = 999.0f;

// The busy cursor for the length of a load.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// The file's name as the C library expects it on this system (UTF-8 on Linux).
std::string LocalFileName(const QString& file_name) {
  return QFile::encodeName(file_name).toStdString();
}

// A selector's item index is a Leaders entry; none selected reads as entry 0.
int SelectedEntry(const QComboBox* selector) {
  return std::max(selector->currentIndex(), 0);
}

void SelectFirstIfNone(QComboBox* selector) {
  if (selector->currentIndex() < 0 && selector->count() > 0) {
    const QSignalBlocker blocker(selector);
    selector->setCurrentIndex(0);
  }
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), state_(NewGameState()) {
  setWindowTitle(kWindowCaption);
  setAcceptDrops(true);
  resize(1180, 780);
  ShowError = [this](const QString& message) {
    QMessageBox::critical(this, QApplication::applicationName(), message);
  };
  ChooseOpenFile = [this] { return QFileDialog::getOpenFileName(this); };
  ChooseSaveFile = [this] { return QFileDialog::getSaveFileName(this, QString(), Edit1->text()); };
  CreateControls();
  FormCreate();
  ConnectHandlers();
}

TForm1::~TForm1() = default;

// Start-up defaults. Numbers never depend on the locale (Format always writes "."), so the
// decimal separator needs no setting here.
void TForm1::FormCreate() {
  Button2->setEnabled(false);  // the export stays unreachable from the window
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
       {20, 115, 115, 70, 70, 110, 125}},
      {TechGrid, {"№", "Tech", "Era", "Cost", "Known"}, {20, 200, 70, 50, 50}},
      {ProductionGrid, {"№", "Production", "Hammers", "Delay"}, {20, 201, 80, 35}},
      {ReligionGrid, {"Religion", "Followers", "Points", "Percent", "Holy"}, {100, 50, 50, 50, 35}},
  };
  for (const GridHeader& h : headers) {
    for (size_t c = 0; c < h.Headers.size(); ++c) SetGridCell(h.Grid, 0, c, h.Headers[c]);
    for (size_t c = 0; c < h.Widths.size(); ++c) SetGridColumnWidth(h.Grid, c, h.Widths[c]);
    FitGridWidth(h.Grid);
  }
  for (int row = 1; row < GridRows(TechGrid); ++row) {
    SetGridCell(TechGrid, row, 0, QString::fromStdString(Format("%2d", row)));
  }

  // view_ starts with no graph series for any entry.
  PlayerLogSelect->setCurrentIndex(-1);

  for (int i = 1; i <= kDesignTimeCheckItems; ++i) {
    auto* item = new QListWidgetItem(QString("Player %1").arg(i), CheckListBox1);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  RecolourCheckList();
  for (int s = 0; s < kReplayDatasetRows - 1; ++s) {
    GraphSelect->addItem(QString::fromUtf8(ReplayDatasetNames[s].data(),
                                           static_cast<int>(ReplayDatasetNames[s].size())));
  }
  GraphSelect->setCurrentIndex(0);
}

void TForm1::ConnectHandlers() {
  connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(Edit11, &QLineEdit::textChanged, this, &TForm1::Edit11Change);
  connect(GraphSelect, &QComboBox::currentIndexChanged, this, &TForm1::GraphSelectChange);
  connect(CheckListBox1, &QListWidget::itemChanged, this, &TForm1::CheckListBox1ClickCheck);
  connect(HistoryChart, &HistoryChartView::UndoZoom, this, &TForm1::HistoryChartUndoZoom);
  connect(PlayerLogSelect, &QComboBox::currentIndexChanged, this, &TForm1::DrawPlayerLog);
  connect(ShowCombatsCheckBox, &QCheckBox::toggled, this, &TForm1::DrawPlayerLog);
  connect(ShowCityEventsCheckBox, &QCheckBox::toggled, this, &TForm1::DrawPlayerLog);
  connect(PlayerPolicySelect, &QComboBox::currentIndexChanged, this, &TForm1::PlayerPolicyChoose);
  connect(PlayerTechSelect, &QComboBox::currentIndexChanged, this, &TForm1::PlayerTechChoose);
  connect(PlayerCitySelect, &QComboBox::currentIndexChanged, this, &TForm1::PlayerCityChoose);
  connect(CityBox, &QComboBox::currentIndexChanged, this, &TForm1::ChooseCity);
  connect(BuildingQueue, &QComboBox::currentIndexChanged, this, &TForm1::BuildingQueueChange);
  connect(PlayerStatsSelect, &QComboBox::currentIndexChanged, this, &TForm1::PlayerStats);
  connect(StatsLangSelect, &QComboBox::currentIndexChanged, this, &TForm1::PlayerStats);
}

// ---- Loading ----

bool TForm1::LoadFile(const QString& file_name) {
  if (file_name.isEmpty()) return false;
  try {
    std::unique_ptr<SaveImage> image;
    std::unique_ptr<GameState> state;
    {
      const BusyCursor busy;
      image = std::make_unique<SaveImage>(LoadSave(LocalFileName(file_name)));
      state = Save5Analyse(*image);
    }
    // Both succeeded: the new save replaces the old one as a whole.
    image_ = std::move(image);
    state_ = std::move(state);
    view_ = FreshViewState(*state_);
    const BusyCursor busy;
    Edit1->setText(file_name);
    Edit2->setText(QString::fromStdString(image_->FileDate));
    ApplyAnalysisToControls();
    CheckValues();
    PageControls->setCurrentWidget(BaseTab);
    Print5Data();
    return true;
  } catch (const std::exception& error) {
    ShowError(QString::fromUtf8(error.what()));
    return false;
  }
}

void TForm1::Button1Click() {
  const QString file_name = ChooseOpenFile();
  if (!file_name.isEmpty()) LoadFile(file_name);
}

void TForm1::Button4Click() {
  LoadFile(Edit1->text());
}

void TForm1::Button2Click() {
  if (!image_) return;
  const QString file_name = ChooseSaveFile();
  if (file_name.isEmpty()) return;
  try {
    ExportImage(*image_, LocalFileName(file_name));
  } catch (const std::exception& error) {
    ShowError(QString::fromUtf8(error.what()));
  }
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  LoadFile(urls.first().toLocalFile());
}

// What the analysis leaves for the window to show before the refresh: the session list, the
// proposed number of pre-sessions and the graph's player check-list.
void TForm1::ApplyAnalysisToControls() {
  SessionListBox->clear();
  for (const std::string& line : state_->SessionListLines) {
    SessionListBox->addItem(QString::fromStdString(line));
  }
  {
    const QSignalBlocker blocker(CheckListBox1);
    CheckListBox1->clear();
    const int entries = std::clamp(state_->PlayerCount, 0, kMaxSlots);
    for (int e = 0; e < entries; ++e) {
      auto* item =
          new QListWidgetItem(QString::fromStdString(state_->Leaders[e].LeaderName), CheckListBox1);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      const bool checked =
          e < static_cast<int>(state_->GraphPlayerChecked.size()) && state_->GraphPlayerChecked[e];
      item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
  }
  CheckGraphIndexes();
  RecolourCheckList();
  // Writing the box runs its change handler, as typing into it does.
  Edit11->setText(QString::fromStdString(Format("%3d", state_->ReloadsAtStartTurn)));
}

// ---- The refresh ----

void TForm1::Apply(QWidget* root, const TabContent& content) {
  const QStringList missing = ApplyTabContent(root, content);
  if (!missing.isEmpty()) qWarning("No control named: %s", qPrintable(missing.join(", ")));
}

void TForm1::Print5Data() {
  Apply(this, pending::BuildBaseContent(*state_, view_));  // also the session count on Reloads
  FillPlayerSelectors();
  FillGraphSelect();
  Apply(ReplayTab, pending::BuildReplayContent(*state_, view_));
  Apply(LeadersTab, pending::BuildLeadersContent(*state_));
  Apply(CSTab, pending::BuildCSContent(*state_));
  Apply(LeagueTab, pending::BuildLeagueContent(*state_, view_));

  SelectFirstIfNone(PlayerCitySelect);
  PlayerCityChoose();
  SelectFirstIfNone(PlayerPolicySelect);
  PlayerPolicyChoose();
  SelectFirstIfNone(PlayerTechSelect);
  PlayerTechChoose();
  SelectFirstIfNone(PlayerStatsSelect);
  PlayerStats();

  {
    const QSignalBlocker blocker(GraphSelect);
    GraphSelect->setCurrentIndex(GraphSelect->count() > 0 ? 0 : -1);
  }
  // The dates formatted above may have moved the views' turns-played count.
  SetGraphHorizontalRange(view_.TurnsPlayed > 1 ? view_.TurnsPlayed - 1 : 0);
  SelectFirstIfNone(PlayerLogSelect);
  DrawPlayerLog();
  DrawGraph();
  HistoryChartFitSize();
}

void TForm1::FillPlayerSelectors() {
  for (QComboBox* selector : {PlayerLogSelect, PlayerCitySelect, PlayerPolicySelect,
                              PlayerTechSelect, PlayerStatsSelect}) {
    const QSignalBlocker blocker(selector);
    selector->clear();
    for (const TLeaderInfoRec& leader : state_->Leaders) {
      if (!leader.LeaderName.empty()) selector->addItem(QString::fromStdString(leader.LeaderName));
    }
    selector->setCurrentIndex(-1);
  }
}

void TForm1::FillGraphSelect() {
  const QSignalBlocker blocker(GraphSelect);
  GraphSelect->clear();
  const auto add = [this](auto names, int count) {
    for (int s = 0; s < count; ++s) {
      GraphSelect->addItem(QString::fromUtf8(names[s].data(), static_cast<int>(names[s].size())));
    }
  };
  // The trailing "Empty" of each list is never offered.
  if (state_->ZephPresent) {
    add(ReplayDatasetNamesZeph, kReplayDatasetZephRows - 1);
  } else {
    add(ReplayDatasetNames, kReplayDatasetRows - 1);
  }
}

void TForm1::PlayerCityChoose() {
  Apply(CityTab, pending::BuildCityListContent(*state_, SelectedEntry(PlayerCitySelect)));
  SelectFirstIfNone(CityBox);
  ChooseCity();
}

void TForm1::ChooseCity() {
  Apply(CityTab, pending::BuildCityContent(*state_, view_, SelectedEntry(PlayerCitySelect),
                                           std::max(CityBox->currentIndex(), 0)));
}

void TForm1::BuildingQueueChange() {
  // The queue list only shows the queue: its first entry stays in view.
  if (BuildingQueue->currentIndex() > 0) BuildingQueue->setCurrentIndex(0);
}

void TForm1::PlayerPolicyChoose() {
  Apply(PolicyTab, pending::BuildPolicyContent(*state_, SelectedEntry(PlayerPolicySelect)));
}

void TForm1::PlayerTechChoose() {
  Apply(PlayerTab, pending::BuildTechContent(*state_, SelectedEntry(PlayerTechSelect)));
}

void TForm1::PlayerStats() {
  // Before any save is analysed there is no player to describe.
  if (PlayerStatsSelect->currentIndex() < 0) return;
  Apply(StatsTab, pending::BuildStatsContent(*state_, PlayerStatsSelect->currentIndex(),
                                             StatsLangSelect->currentIndex()));
}

void TForm1::DrawPlayerLog() {
  Apply(PlayerLogTab,
        pending::BuildPlayerLogContent(*state_, view_, SelectedEntry(PlayerLogSelect)));
}

// The reloads figures for the pre-sessions the box holds.
void TForm1::CheckValues() {
  try {
    Apply(ReloadsTab, pending::BuildReloadsContent(*state_, view_, Edit11->text().toStdString()));
  } catch (const std::exception& error) {
    ShowError(QString::fromUtf8(error.what()));
  }
}

void TForm1::Edit11Change() {
  CheckValues();
}

// ---- The graph ----

void TForm1::CheckGraphIndexes() {
  int32_t n = 0;
  for (int i = 0; i < kMaxSlots; ++i) {
    const QListWidgetItem* item = i < CheckListBox1->count() ? CheckListBox1->item(i) : nullptr;
    const bool checked = item && item->checkState() == Qt::Checked;
    view_.GraphSeriesOfEntry[i] = checked ? n++ : -1;
  }
}

void TForm1::RecolourCheckList() {
  const QSignalBlocker blocker(CheckListBox1);
  for (int i = 0; i < CheckListBox1->count(); ++i) {
    const int k = i < kMaxSlots ? view_.GraphSeriesOfEntry[i] : -1;
    const uint32_t rgb = SeriesEntryColor(k);
    CheckListBox1->item(i)->setForeground(QColor::fromRgb(static_cast<QRgb>(rgb)));
  }
}

void TForm1::CheckListBox1ClickCheck(QListWidgetItem*) {
  {
    const QSignalBlocker blocker(CheckListBox1);
    int checked = 0;
    for (int i = 0; i < CheckListBox1->count(); ++i) {
      QListWidgetItem* item = CheckListBox1->item(i);
      if (item->checkState() != Qt::Checked) continue;
      if (++checked > kMaxCheckedEntries) item->setCheckState(Qt::Unchecked);
    }
  }
  CheckGraphIndexes();
  RecolourCheckList();
  DrawGraph();
}

void TForm1::Button3Click() {
  {
    const QSignalBlocker blocker(CheckListBox1);
    for (int i = 0; i < CheckListBox1->count(); ++i) {
      CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
    }
  }
  CheckGraphIndexes();
  RecolourCheckList();
  DrawGraph();
}

void TForm1::DrawGraph() {
  const int series = GraphSelect->currentIndex();
  const pending::GraphLines lines =
      series < 0 ? pending::GraphLines{} : pending::BuildGraphLines(*state_, view_, series);
  for (int k = 0; k < kChartSeriesCount; ++k) {
    QList<QPointF> points;
    if (k < static_cast<int>(lines.size())) {
      points.reserve(static_cast<qsizetype>(lines[k].size()));
      for (const auto& [x, y] : lines[k]) points.append(QPointF(x, y));
    }
    HistoryChart->Series(k)->replace(points);
  }
}

void TForm1::SetGraphHorizontalRange(int32_t last_turn) {
  HistoryChart->AxisX()->setRange(0, last_turn);
}

// Fits the vertical axis to the points within the horizontal axis's current range.
void TForm1::HistoryChartFitSize() {
  const int32_t start = state_->StartTurn;
  const int first =
      std::max(static_cast<int>(std::lround(HistoryChart->AxisX()->min())) - start, 0);
  int last = static_cast<int>(std::lround(HistoryChart->AxisX()->max())) - start;
  if (last <= 0) last = std::max(view_.TurnsPlayed - 1, 0);
  float low = kFitStartLow;
  float high = 0;
  for (int k = 0; k < kChartSeriesCount; ++k) {
    const QLineSeries* series = HistoryChart->Series(k);
    const int count = static_cast<int>(series->count());
    for (int j = first; j <= last && j < count; ++j) {
      const float v = static_cast<float>(series->at(j).y());
      low = std::min(low, v);
      high = std::max(high, v);
    }
  }
  if (low > high) high = low;
  if (view_.GraphFitFromZero != 0 && low > 0) low = 0;
  view_.GraphFitFromZero = 0;
  HistoryChart->AxisY()->setRange(low - 0.02 * high, 1.05 * high);
}

void TForm1::GraphSelectChange() {
  DrawGraph();
  HistoryChartFitSize();
}

void TForm1::HistoryChartUndoZoom() {
  HistoryChart->chart()->zoomReset();
  const int32_t last = view_.TurnsPlayed > 1 ? state_->CurrentTurn - 1 : 0;
  SetGraphHorizontalRange(last);
  view_.GraphFitFromZero = -1;
  HistoryChartFitSize();
}

}  // namespace vek5
