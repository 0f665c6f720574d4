#include "shell/history_chart.h"

#include <QChart>
#include <QGraphicsItem>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <vector>

namespace vek5 {
namespace {

// The stacking order of the chart's own line series: above the grid, below the axes' labels.
constexpr qreal kLinesZValue = 4;

}  // namespace

// Draws the series' lines in the chart's plot area from their points and pens and the axes'
// ranges. The chart's own line items would stroke an outline of every line for hit-testing on
// each change of its points or of an axis, which for 25 lines of 1,500 turns takes longer than
// a frame; this graph needs no hit-testing, so its series stay out of the chart and are drawn
// here instead, segment by segment as the chart draws them.
class HistoryLinesItem : public QGraphicsItem {
 public:
  HistoryLinesItem(QChart* chart, const QValueAxis* axis_x, const QValueAxis* axis_y,
                   const std::array<QLineSeries*, kGraphSeriesCount>& series)
      : QGraphicsItem(chart), axis_x_(axis_x), axis_y_(axis_y), series_(series) {
    // Drawn again only when a line or a range changes, not for every repaint of the view (a
    // zoom rectangle being dragged, the window uncovered).
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
  }

  void SetArea(const QRectF& area) {
    prepareGeometryChange();
    area_ = area;
  }

  QRectF boundingRect() const override { return area_; }

  void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
    const double x_min = axis_x_->min();
    const double y_min = axis_y_->min();
    const double x_span = axis_x_->max() - x_min;
    const double y_span = axis_y_->max() - y_min;
    if (area_.isEmpty() || !(x_span > 0) || !(y_span > 0)) return;
    const double scale_x = area_.width() / x_span;
    const double scale_y = area_.height() / y_span;
    const auto map = [&](const QPointF& point) {
      return QPointF(area_.left() + (point.x() - x_min) * scale_x,
                     area_.bottom() - (point.y() - y_min) * scale_y);
    };
    painter->save();
    painter->setClipRect(area_);
    for (const QLineSeries* series : series_) {
      if (!series->isVisible() || series->count() < 2) continue;
      const QList<QPointF> points = series->points();
      // Turns ascend: only the stretch in view, with one point either side, is drawn.
      const auto before = [](const QPointF& point, double x) { return point.x() < x; };
      auto first = std::lower_bound(points.begin(), points.end(), x_min, before);
      auto last = std::lower_bound(first, points.end(), x_min + x_span, before);
      if (first != points.begin()) --first;
      if (last != points.end()) ++last;
      // Segments wholly outside the area are dropped; the rest are cut to it, since the
      // rasterizer's fixed-point coordinates cannot hold a deeply zoomed line's far ends.
      const QRectF bounds = area_.adjusted(-kMargin, -kMargin, kMargin, kMargin);
      segments_.clear();
      for (auto it = first; it + 1 < last; ++it) {
        QLineF segment(map(*it), map(*(it + 1)));
        if (ClipToRect(segment, bounds)) segments_.push_back(segment);
      }
      painter->setPen(series->pen());
      painter->drawLines(segments_.data(), static_cast<int>(segments_.size()));
    }
    painter->restore();
  }

 private:
  static constexpr double kMargin = 4;

  // Cuts the segment to the rectangle (Liang-Barsky); false when nothing of it is inside.
  static bool ClipToRect(QLineF& segment, const QRectF& rect) {
    const double dx = segment.dx();
    const double dy = segment.dy();
    double t0 = 0;
    double t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {segment.x1() - rect.left(), rect.right() - segment.x1(),
                        segment.y1() - rect.top(), rect.bottom() - segment.y1()};
    for (int i = 0; i < 4; ++i) {
      if (p[i] == 0) {
        if (q[i] < 0) return false;
        continue;
      }
      const double t = q[i] / p[i];
      if (p[i] < 0) {
        t0 = std::max(t0, t);
      } else {
        t1 = std::min(t1, t);
      }
      if (t0 > t1) return false;
    }
    if (t0 == 0 && t1 == 1) return true;
    const QPointF start = segment.p1();
    segment = QLineF(start + QPointF(dx * t0, dy * t0), start + QPointF(dx * t1, dy * t1));
    return true;
  }

  const QValueAxis* axis_x_;
  const QValueAxis* axis_y_;
  std::array<QLineSeries*, kGraphSeriesCount> series_;
  QRectF area_;
  std::vector<QLineF> segments_;  // kept between paints to spare the allocations
};

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
  // No numbers before there is a graph to read them on.
  axis_x_->setLabelsVisible(false);
  axis_y_->setLabelsVisible(false);
  chart->addAxis(axis_x_, Qt::AlignBottom);
  chart->addAxis(axis_y_, Qt::AlignLeft);
  // The chart zooms through the series it holds: this empty one carries a zoom to the axes.
  auto* zoom_carrier = new QLineSeries(chart);
  chart->addSeries(zoom_carrier);
  zoom_carrier->attachAxis(axis_x_);
  zoom_carrier->attachAxis(axis_y_);
  for (QLineSeries*& series : series_) {
    series = new QLineSeries(chart);
    series->setPointsVisible(false);
    series->setPointLabelsVisible(false);
  }
  lines_ = new HistoryLinesItem(chart, axis_x_, axis_y_, series_);
  lines_->setZValue(kLinesZValue);
  const auto redraw = [this] { lines_->update(); };
  for (QLineSeries* series : series_) {
    connect(series, &QXYSeries::pointsReplaced, this, redraw);
    connect(series, &QXYSeries::penChanged, this, redraw);
    connect(series, &QAbstractSeries::visibleChanged, this, redraw);
  }
  connect(axis_x_, &QValueAxis::rangeChanged, this, redraw);
  connect(axis_y_, &QValueAxis::rangeChanged, this, redraw);
  connect(chart, &QChart::plotAreaChanged, this,
          [this](const QRectF& area) { lines_->SetArea(area); });
  setChart(chart);
  setRenderHint(QPainter::Antialiasing, false);
  setRubberBand(QChartView::RectangleRubberBand);
  setMouseTracking(true);
  axis_x_->setTitleText(tr("Turn"));
  setToolTip(tr("Drag a rectangle to zoom; right-click or \"Reset zoom\" to undo the zoom."));
}

bool HistoryChartView::SaveImage(const QString& file_name) {
  const QSize size = viewport()->size();
  const QRectF source = mapToScene(viewport()->rect()).boundingRect();
  // The lines' cached pixels would go into the file as a picture: drawn afresh, they stay lines.
  const QGraphicsItem::CacheMode cache = lines_->cacheMode();
  lines_->setCacheMode(QGraphicsItem::NoCache);
  bool written = false;
  if (file_name.endsWith(".svg", Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setFileName(file_name);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(tr("History graph"));
    QPainter painter;
    if (painter.begin(&svg)) {
      scene()->render(&painter, QRectF(QPointF(0, 0), size), source);
      written = painter.end();
    }
  } else {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    scene()->render(&painter, QRectF(QPointF(0, 0), size), source);
    painter.end();
    written = image.save(file_name, "PNG");
  }
  lines_->setCacheMode(cache);
  return written;
}

void HistoryChartView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = chart()->mapFromScene(mapToScene(event->position().toPoint()));
  if (chart()->plotArea().contains(at)) {
    const QPointF value = chart()->mapToValue(at);
    emit Hovered(value.x(), value.y());
  } else {
    emit LeftPlot();
  }
  QChartView::mouseMoveEvent(event);
}

void HistoryChartView::leaveEvent(QEvent* event) {
  emit LeftPlot();
  QChartView::leaveEvent(event);
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
