#include "shell/history_chart.h"

#include <QChart>
#include <QMouseEvent>

namespace vek5 {

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
  for (QLineSeries*& series : series_) {
    series = new QLineSeries(chart);
    series->setPointsVisible(false);
    series->setPointLabelsVisible(false);
    chart->addSeries(series);
    series->attachAxis(axis_x_);
    series->attachAxis(axis_y_);
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
  const auto ranges = [this] {
    return std::array{axis_x_->min(), axis_x_->max(), axis_y_->min(), axis_y_->max()};
  };
  const auto before = ranges();
  QChartView::mouseReleaseEvent(event);
  if (ranges() != before) emit Zoomed();
}

}  // namespace vek5
