// The history graph's chart: 25 line series and two value axes that the window sets from the
// graph's content, rectangle zoom, and an undo of the zoom (right mouse button). The widget
// computes nothing: it reports the user's zoom and undo, and the window answers with new ranges.
#pragma once

#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <array>

#include "views/graph_view.h"

namespace vek5 {

class HistoryLinesItem;

class HistoryChartView : public QChartView {
  Q_OBJECT

 public:
  explicit HistoryChartView(QWidget* parent = nullptr);

  // The series hold the lines' names, pens and points; the chart's lines item draws them.
  QLineSeries* Series(int k) const { return series_[k]; }
  QValueAxis* AxisX() const { return axis_x_; }
  QValueAxis* AxisY() const { return axis_y_; }

  // Writes the chart as shown (its size, zoom and lines) to a PNG file, or to an SVG file when
  // the name ends in ".svg". Returns false when the file cannot be written.
  bool SaveImage(const QString& file_name);

 signals:
  // The user dragged a zoom rectangle; the axes hold its ranges.
  void Zoomed();
  void UndoZoom();
  // The mouse is over the plot at this turn and value.
  void Hovered(double turn, double value);
  void LeftPlot();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::array<QLineSeries*, kGraphSeriesCount> series_{};
  QValueAxis* axis_x_ = nullptr;
  QValueAxis* axis_y_ = nullptr;
  HistoryLinesItem* lines_ = nullptr;
};

}  // namespace vek5
