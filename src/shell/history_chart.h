// The history graph's chart: 25 line series with the colours of the series table, value axes
// set explicitly, rectangle zoom, and an undo of the zoom (right mouse button) that the window
// handles itself.
#pragma once

#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <array>
#include <cstdint>

namespace vek5 {

inline constexpr int kChartSeriesCount = 25;

// Line colour of chart series k (0-based) as 0xRRGGBB. The check-list writes entries in the
// series table's colours, which differ from the lines for the 14th series.
uint32_t SeriesLineColor(int k);
// Text colour of a check-list entry drawn by series k; black for -1 (unchecked).
uint32_t SeriesEntryColor(int k);

class HistoryChartView : public QChartView {
  Q_OBJECT

 public:
  explicit HistoryChartView(QWidget* parent = nullptr);

  QLineSeries* Series(int k) const { return series_[k]; }
  QValueAxis* AxisX() const { return axis_x_; }
  QValueAxis* AxisY() const { return axis_y_; }

 signals:
  void UndoZoom();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::array<QLineSeries*, kChartSeriesCount> series_{};
  QValueAxis* axis_x_ = nullptr;
  QValueAxis* axis_y_ = nullptr;
};

}  // namespace vek5
