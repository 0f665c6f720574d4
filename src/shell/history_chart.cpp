#include "shell/history_chart.h"

#include <QChart>
#include <QMouseEvent>
#include <QPen>
#include <algorithm>

#include "model/reference_tables.h"

namespace vek5 {
namespace {

// The one line whose colour differs from its check-list entry's.
constexpr int kOddSeries = 13;
constexpr uint32_t kOddSeriesLineColor = 0x808040;
constexpr uint32_t kUncheckedColor = 0x000000;
constexpr int kLineWidth = 2;

QColor Colour(uint32_t rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFF));
}

}  // namespace

uint32_t SeriesLineColor(int k) {
  return k == kOddSeries ? kOddSeriesLineColor : SeriesEntryColor(k);
}

uint32_t SeriesEntryColor(int k) {
  if (k < 0) return kUncheckedColor;
  return SeriesColors[std::min(k, kChartSeriesCount)];
}

HistoryChartView::HistoryChartView(QWidget* parent) : QChartView(parent) {
  auto* chart = new QChart();
  chart->legend()->hide();
  chart->setBackgroundBrush(Qt::white);
  chart->setAnimationOptions(QChart::NoAnimation);
  axis_x_ = new QValueAxis(chart);
  axis_y_ = new QValueAxis(chart);
  axis_x_->setLabelFormat("%i");
  axis_x_->setRange(0, 0);
  axis_y_->setRange(0, 0);
  chart->addAxis(axis_x_, Qt::AlignBottom);
  chart->addAxis(axis_y_, Qt::AlignLeft);
  for (int k = 0; k < kChartSeriesCount; ++k) {
    auto* series = new QLineSeries(chart);
    series->setName(QString::asprintf("Graph%02d", k + 1));
    // Set every pen: the chart theme would otherwise cycle its own few colours.
    series->setPen(QPen(Colour(SeriesLineColor(k)), kLineWidth));
    series->setPointsVisible(false);
    series->setPointLabelsVisible(false);
    chart->addSeries(series);
    series->attachAxis(axis_x_);
    series->attachAxis(axis_y_);
    series_[k] = series;
  }
  setChart(chart);
  setRenderHint(QPainter::Antialiasing, false);
  setRubberBand(QChartView::RectangleRubberBand);
  setToolTip(tr("Drag a rectangle to zoom; right-click to undo the zoom."));
}

void HistoryChartView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QChartView::mousePressEvent(event);
}

void HistoryChartView::mouseReleaseEvent(QMouseEvent* event) {
  // The chart's own right-click zooms out one step; the graph resets its axes instead.
  if (event->button() == Qt::RightButton) {
    event->accept();
    emit UndoZoom();
    return;
  }
  QChartView::mouseReleaseEvent(event);
}

}  // namespace vek5
