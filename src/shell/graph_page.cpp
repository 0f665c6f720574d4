#include "shell/graph_page.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPen>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QVBoxLayout>
#include <cmath>

#include "shell/history_chart.h"
#include "shell/recent_files.h"
#include "shell/widgets.h"
#include "views/history_csv.h"

namespace vek5 {
namespace {

constexpr int kGraphLineWidth = 2;
constexpr int kCheckListItemHeight = 16;

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

GraphPage::GraphPage(SaveOnScreen& save, WindowServices& window)
    : Page("GraphTab", "Graph", save, window) {
  CreateControls();
  ConnectHandlers();
  graph_ = EmptyGraph(State(), View());
  ShowGraph();
  statistic_ = QSettings().value(settings_key::kGraphStatistic).toString();
}

void GraphPage::CreateControls() {
  GraphSelect = NewSelector(this, "GraphSelect", 27);
  HistoryChart = new HistoryChartView(this);
  HistoryChart->setObjectName("HistoryChart");
  GraphPlayerList = new QListWidget(this);
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
  UnselectAllButton = new QPushButton("Unselect all", this);
  UnselectAllButton->setObjectName("UnselectAllButton");

  SaveImageButton = new QPushButton("Save Image...", this);
  SaveImageButton->setObjectName("SaveImageButton");
  SaveImageButton->setToolTip("Save the graph as shown, as a PNG or SVG picture");
  SelectAllButton = new QPushButton("Select all", this);
  SelectAllButton->setObjectName("SelectAllButton");
  SelectAllButton->setToolTip("Draw every player (at most 25 lines)");
  UnselectAllButton->setToolTip("Draw no player");
  ResetZoomButton = new QPushButton("Reset zoom", this);
  ResetZoomButton->setObjectName("ResetZoomButton");
  ResetZoomButton->setToolTip("Show the whole game again (a right click on the graph does too)");
  ResetZoomButton->hide();
  GraphHoverLabel = NewLabel(this, "GraphHoverLabel", QString());
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
  ExportCsvButton = new QPushButton("Export CSV...", this);
  ExportCsvButton->setObjectName("ExportCsvButton");
  ExportCsvButton->setToolTip(
      "Save the shown statistic of every player as a table: one row per turn, one column per "
      "player");
  right->addWidget(ExportCsvButton);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right);
}

void GraphPage::ConnectHandlers() {
  connect(SaveImageButton, &QPushButton::clicked, this, &GraphPage::SaveImage);
  connect(ExportCsvButton, &QPushButton::clicked, this, &GraphPage::ExportCsv);
  connect(SelectAllButton, &QPushButton::clicked, this, &GraphPage::SelectAllPlayers);
  connect(UnselectAllButton, &QPushButton::clicked, this, &GraphPage::UnselectAllPlayers);
  connect(ResetZoomButton, &QPushButton::clicked, this, &GraphPage::UndoZoom);
  connect(GraphPlayerList, &QListWidget::itemPressed, this,
          [this](QListWidgetItem* item) { pressed_check_ = item->checkState(); });
  connect(GraphPlayerList, &QListWidget::itemClicked, this, &GraphPage::ToggleClickedPlayer);
  connect(GraphPlayerList, &QListWidget::itemChanged, this, &GraphPage::DrawOrHidePlayer);
  connect(HistoryChart, &HistoryChartView::Hovered, this, [this](double turn, double value) {
    GraphHoverLabel->setText(
        tr("Turn %1: %2").arg(qRound(turn)).arg(QString::number(value, 'f', 0)));
  });
  connect(HistoryChart, &HistoryChartView::LeftPlot, GraphHoverLabel, &QLabel::clear);
  connect(GraphSelect, &QComboBox::currentIndexChanged, this, &GraphPage::ChooseStatistic);
  connect(HistoryChart, &HistoryChartView::Zoomed, this, &GraphPage::KeepUserZoom);
  connect(HistoryChart, &HistoryChartView::UndoZoom, this, &GraphPage::UndoZoom);
}

void GraphPage::KeepSelection() {
  kept_ = {};
  kept_.Statistic = statistic_;
  for (const GraphEntry& entry : graph_.Entries) {
    kept_.Entries.push_back(entry.Text);
    kept_.Checked.push_back(entry.Checked);
  }
  kept_.Zoomed = zoomed_;
  kept_.Horizontal = graph_.Horizontal;
  kept_.Vertical = graph_.Vertical;
}

// The chart shows the graph's content, not the graph tab's report text.
void GraphPage::ShowSave(AllTabs& built) {
  graph_ = std::move(built.Graph);
  zoomed_ = false;
  ShowGraph();
  HistoryChart->AxisX()->setLabelsVisible(true);
  HistoryChart->AxisY()->setLabelsVisible(true);
}

void GraphPage::RestoreSelection(LoadMode mode) {
  const int statistic = GraphSelect->findText(kept_.Statistic);
  if (statistic >= 0) GraphSelect->setCurrentIndex(statistic);
  // The check marks belong to the players of one game: they stay when the players do.
  std::vector<std::string> entries;
  for (const GraphEntry& entry : graph_.Entries) entries.push_back(entry.Text);
  if (Loaded() && entries == kept_.Entries) {
    for (size_t i = 0; i < entries.size(); ++i) {
      if (graph_.Entries[i].Checked != kept_.Checked[i]) {
        SetGraphEntryChecked(State(), View(), graph_, static_cast<int32_t>(i), kept_.Checked[i]);
      }
    }
    ShowGraph();
  }
  if (mode == LoadMode::kFollowing && kept_.Zoomed) {
    ZoomGraph(graph_, kept_.Horizontal, kept_.Vertical);
    zoomed_ = true;
    ShowRanges();
  }
}

void GraphPage::ShowGraph() {
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
  ShowRanges();
}

// An axis of no extent (every visible value 0) cannot be drawn: the chart then shows one unit
// either side of it, so its labels stay readable and a line at that value stays in view.
void GraphPage::ShowRanges() {
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
  if (!zoomed_ && vertical.Min < 0 && vertical.Max > 0) {
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
  ResetZoomButton->setVisible(zoomed_);
}

void GraphPage::ChooseStatistic(int statistic) {
  // Another statistic is a new picture: the whole game again.
  if (zoomed_) UndoZoom();
  SelectGraphStatistic(State(), View(), graph_, statistic);
  statistic_ = GraphSelect->itemText(statistic);
  QSettings().setValue(settings_key::kGraphStatistic, statistic_);
  ShowGraph();
}

void GraphPage::DrawOrHidePlayer(QListWidgetItem* item) {
  SetGraphEntryChecked(State(), View(), graph_, GraphPlayerList->row(item),
                       item->checkState() == Qt::Checked);
  ShowGraph();
}

// A click on a name toggles it as a click on its box does; a click on the box is left to the
// box.
void GraphPage::ToggleClickedPlayer(QListWidgetItem* item) {
  if (item->checkState() == pressed_check_) {
    item->setCheckState(pressed_check_ == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }
}

void GraphPage::SelectAllPlayers() {
  for (size_t i = 0; i < graph_.Entries.size(); ++i) {
    if (!graph_.Entries[i].Checked) {
      SetGraphEntryChecked(State(), View(), graph_, static_cast<int32_t>(i), true);
    }
  }
  ShowGraph();
}

void GraphPage::UnselectAllPlayers() {
  UnselectAllGraphEntries(State(), View(), graph_);
  ShowGraph();
}

void GraphPage::KeepUserZoom() {
  zoomed_ = true;
  ZoomGraph(graph_, {HistoryChart->AxisX()->min(), HistoryChart->AxisX()->max()},
            {HistoryChart->AxisY()->min(), HistoryChart->AxisY()->max()});
  ShowRanges();
}

void GraphPage::UndoZoom() {
  zoomed_ = false;
  HistoryChart->chart()->zoomReset();  // forget the chart's own zoom steps
  HistoryChartUndoZoom(State(), View(), graph_);
  ShowRanges();
}

void GraphPage::SaveImage() {
  const QString file_name = Window().ChooseImageFile();
  if (file_name.isEmpty()) return;
  if (!HistoryChart->SaveImage(file_name)) {
    Window().ShowError(tr("Cannot write \"%1\".").arg(QDir::toNativeSeparators(file_name)));
    return;
  }
  Window().ShowStatus(tr("Graph saved to %1").arg(QDir::toNativeSeparators(file_name)));
}

// Every player's values of the statistic shown, whichever players are checked.
void GraphPage::ExportCsv() {
  if (!Loaded()) return;
  const QString file_name = Window().ChooseCsvFile();
  if (file_name.isEmpty()) return;
  QSaveFile out(file_name);
  const std::string csv = HistoryCsv(State(), graph_.Statistic);
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
      !out.commit()) {
    Window().ShowError(tr("Cannot write \"%1\".").arg(QDir::toNativeSeparators(file_name)));
    return;
  }
  Window().ShowStatus(
      tr("%1 exported to %2").arg(GraphSelect->currentText(), QDir::toNativeSeparators(file_name)));
}

}  // namespace vek5
