#include "shell/map_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "series/game_grouping.h"
#include "shell/map_painter.h"
#include "views/map_hover_text.h"

namespace vek5 {
namespace {

constexpr double kZoomStep = 1.25;
constexpr double kWheelNotch = 120;    // angle delta of one notch of a mouse wheel
constexpr double kKeyPanShare = 0.15;  // of the view, per arrow key press
constexpr int kLegendWidth = 210;
constexpr int kLegendIconSize = 16;
constexpr qreal kHoverGap = 16;  // between the pointer and the hover box
constexpr qreal kHoverPadding = 6;
constexpr int kHoverFontPixels = 12;
// At most this many pixels a side in "Save Image...": a larger zoom is drawn smaller in the file.
constexpr double kMaxImageSide = 8192;
constexpr MapColour kHoverOutline = 0xFFFFFFFF;
// The part of the map that stays in view when panning away, in pixels.
constexpr qreal kKeptInView = 48;

double ClampTile(double tile) {
  return std::clamp(tile, kMapMinTileWidth, kMapMaxTileWidth);
}

}  // namespace

MapCanvas::MapCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName("MapView");
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 150);
  setToolTip(QString());
}

void MapCanvas::Show(const GameState* state, const MapSelection& selection, bool keep_view) {
  state_ = state;
  const double tile = selection_.TileWidth;
  selection_ = selection;
  if (keep_view) selection_.TileWidth = tile;
  hovered_ = -1;
  Rebuild();
  if (!keep_view) FitToWindow();
  update();
}

void MapCanvas::Select(const MapSelection& selection) {
  const double tile = selection_.TileWidth;
  selection_ = selection;
  selection_.TileWidth = tile;
  Rebuild();
  update();
}

void MapCanvas::Rebuild() {
  picture_ = state_ ? BuildMapPicture(*state_, selection_) : MapPicture{};
}

void MapCanvas::ZoomBy(double factor) {
  ZoomBy(factor, QPointF(width() / 2.0, height() / 2.0));
}

void MapCanvas::ZoomBy(double factor, QPointF anchor) {
  const double tile = ClampTile(selection_.TileWidth * factor);
  if (tile == selection_.TileWidth || picture_.Columns <= 0) return;
  // The plot under the anchor stays under it.
  const int32_t plot = MapPlotAt(picture_, {static_cast<float>(anchor.x() - offset_.x()),
                                            static_cast<float>(anchor.y() - offset_.y())});
  const MapPoint before = MapPlotCentre(picture_, std::max(plot, 0));
  const QPointF from_centre = anchor - offset_ - QPointF(before.X, before.Y);
  const double scale = tile / selection_.TileWidth;
  selection_.TileWidth = tile;
  Rebuild();
  const MapPoint after = MapPlotCentre(picture_, std::max(plot, 0));
  offset_ = anchor - QPointF(after.X, after.Y) - from_centre * scale;
  KeepInView();
  HoverAt(hover_point_);
  update();
}

void MapCanvas::PanBy(QPointF delta) {
  offset_ += delta;
  KeepInView();
  HoverAt(hover_point_);
  update();
}

void MapCanvas::KeepInView() {
  const qreal w = picture_.Width;
  const qreal h = picture_.Height;
  offset_.setX(std::clamp(offset_.x(), std::min(kKeptInView - w, 0.0),
                          std::max(width() - kKeptInView, 0.0)));
  offset_.setY(std::clamp(offset_.y(), std::min(kKeptInView - h, 0.0),
                          std::max(height() - kKeptInView, 0.0)));
}

void MapCanvas::FitToWindow() {
  fit_pending_ = width() <= 0 || height() <= 0 || !isVisible();
  if (picture_.Columns > 0) {
    selection_.TileWidth = MapFitTileWidth(picture_.Columns, picture_.Rows, width(), height());
    Rebuild();
  }
  offset_ = QPointF((width() - picture_.Width) / 2.0, (height() - picture_.Height) / 2.0);
  update();
}

QString MapCanvas::HoverText() const {
  if (state_ == nullptr || hovered_ < 0) return QString();
  return QString::fromStdString(MapHoverText(*state_, selection_, hovered_)).trimmed();
}

void MapCanvas::HoverAt(QPointF point) {
  hover_point_ = point;
  const int32_t plot = MapPlotAt(picture_, {static_cast<float>(point.x() - offset_.x()),
                                            static_cast<float>(point.y() - offset_.y())});
  if (plot != hovered_) {
    hovered_ = plot;
    update();
  } else if (plot >= 0) {
    update();
  }
}

void MapCanvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(rect(),
                   QColor::fromRgba(picture_.Background ? picture_.Background : 0xFF1A1A1A));
  painter.translate(offset_);
  PaintMapPicture(painter, picture_, QRectF(event->rect()).translated(-offset_));
  painter.resetTransform();
  PaintHover(painter);
}

void MapCanvas::PaintHover(QPainter& painter) {
  if (hovered_ < 0 || dragging_) return;
  const MapPoint centre = MapPlotCentre(picture_, hovered_);
  QPolygonF hexagon;
  for (const MapPoint& corner : picture_.Corners) {
    hexagon << offset_ + QPointF(centre.X + corner.X, centre.Y + corner.Y);
  }
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(QColor::fromRgba(kHoverOutline), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolygon(hexagon);
  const QString text = HoverText();
  if (text.isEmpty()) return;
  QFont font = painter.font();
  font.setPixelSize(kHoverFontPixels);
  painter.setFont(font);
  QRectF box = painter.boundingRect(QRectF(0, 0, 400, 400), Qt::AlignLeft | Qt::AlignTop, text);
  box.adjust(-kHoverPadding, -kHoverPadding, kHoverPadding, kHoverPadding);
  // Beside the pointer, on the side where it fits.
  QPointF at = hover_point_ + QPointF(kHoverGap, kHoverGap);
  if (at.x() + box.width() > width()) at.setX(hover_point_.x() - kHoverGap - box.width());
  if (at.y() + box.height() > height()) at.setY(hover_point_.y() - kHoverGap - box.height());
  at.setX(std::max(at.x(), 0.0));
  at.setY(std::max(at.y(), 0.0));
  box.moveTopLeft(at);
  painter.setPen(QColor(60, 60, 60));
  painter.setBrush(QColor(255, 255, 225, 240));
  painter.drawRect(box);
  painter.setPen(Qt::black);
  painter.drawText(box.adjusted(kHoverPadding, kHoverPadding, -kHoverPadding, -kHoverPadding),
                   Qt::AlignLeft | Qt::AlignTop, text);
}

void MapCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (fit_pending_ && width() > 0 && height() > 0) {
    FitToWindow();
  } else {
    KeepInView();
  }
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / kWheelNotch;
  if (notches != 0) ZoomBy(std::pow(kZoomStep, notches), event->position());
  event->accept();
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dragging_ = true;
    drag_from_ = event->position();
    setCursor(Qt::ClosedHandCursor);
  }
  setFocus();
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) {
    const QPointF delta = event->position() - drag_from_;
    drag_from_ = event->position();
    offset_ += delta;
    KeepInView();
  }
  HoverAt(event->position());
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && dragging_) {
    dragging_ = false;
    unsetCursor();
    update();
  }
}

void MapCanvas::keyPressEvent(QKeyEvent* event) {
  const QPointF step(width() * kKeyPanShare, height() * kKeyPanShare);
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      ZoomBy(kZoomStep);
      break;
    case Qt::Key_Minus:
      ZoomBy(1 / kZoomStep);
      break;
    case Qt::Key_0:
    case Qt::Key_Home:
      FitToWindow();
      break;
    case Qt::Key_Left:
      PanBy(QPointF(step.x(), 0));
      break;
    case Qt::Key_Right:
      PanBy(QPointF(-step.x(), 0));
      break;
    case Qt::Key_Up:
      PanBy(QPointF(0, step.y()));
      break;
    case Qt::Key_Down:
      PanBy(QPointF(0, -step.y()));
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void MapCanvas::leaveEvent(QEvent* event) {
  hovered_ = -1;
  update();
  QWidget::leaveEvent(event);
}

MapPage::MapPage(SaveOnScreen& save, WindowServices& window) : Page("MapTab", "Map", save, window) {
  canvas_ = new MapCanvas(this);
  canvas_->setToolTip(QString());
  auto check = [this](const char* name, const QString& text, const QString& hint) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(name);
    box->setChecked(true);
    box->setToolTip(hint);
    connect(box, &QCheckBox::toggled, this, &MapPage::SelectionChanged);
    return box;
  };
  territory_ = check("MapTerritory", tr("Territory"), tr("Each player's plots in his colour"));
  cities_ = check("MapCities", tr("Cities"), tr("Cities with their names and population"));
  rivers_routes_ =
      check("MapRiversRoutes", tr("Rivers and routes"), tr("Rivers, roads, railroads"));
  resources_ = check("MapResources", tr("Resources"), tr("Resources, when zoomed in"));
  improvements_ = check("MapImprovements", tr("Improvements"), tr("Improvements, when zoomed in"));
  seen_by_ = new QComboBox(this);
  seen_by_->setObjectName("MapSeenBy");
  seen_by_->setToolTip(
      tr("Everything, or only what one team has seen: never seen is dark, seen before is dimmed "
         "and shows what the team remembers"));
  connect(seen_by_, &QComboBox::currentIndexChanged, this, &MapPage::SelectionChanged);
  auto button = [this](const char* name, const QString& text, const QString& hint) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setToolTip(hint);
    return b;
  };
  QPushButton* fit = button("MapFit", tr("Fit"), tr("The whole map in the window (0 or Home)"));
  QPushButton* zoom_in = button("MapZoomIn", tr("+"), tr("Zoom in (+ or the wheel)"));
  QPushButton* zoom_out = button("MapZoomOut", tr("-"), tr("Zoom out (- or the wheel)"));
  QPushButton* save_image =
      button("MapSaveImage", tr("Save Image..."), tr("The whole map as PNG or SVG"));
  zoom_in->setFixedWidth(32);
  zoom_out->setFixedWidth(32);
  connect(fit, &QPushButton::clicked, canvas_, &MapCanvas::FitToWindow);
  connect(zoom_in, &QPushButton::clicked, this, [this] { canvas_->ZoomBy(kZoomStep); });
  connect(zoom_out, &QPushButton::clicked, this, [this] { canvas_->ZoomBy(1 / kZoomStep); });
  connect(save_image, &QPushButton::clicked, this, &MapPage::SaveImageAsked);

  legend_ = new QListWidget(this);
  legend_->setObjectName("MapLegend");
  legend_->setFixedWidth(kLegendWidth);
  legend_->setIconSize(QSize(kLegendIconSize, kLegendIconSize));
  legend_->setSelectionMode(QAbstractItemView::NoSelection);
  legend_->setFocusPolicy(Qt::NoFocus);
  legend_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  legend_->setToolTip(tr("What the map's colours and marks mean"));

  auto* controls = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{territory_, cities_, rivers_routes_, resources_,
                                                    improvements_}) {
    controls->addWidget(w);
  }
  controls->addSpacing(12);
  auto* seen_label = new QLabel(tr("Seen by:"), this);
  seen_label->setBuddy(seen_by_);
  controls->addWidget(seen_label);
  controls->addWidget(seen_by_, 1);
  controls->addSpacing(12);
  for (QWidget* w : std::initializer_list<QWidget*>{zoom_out, zoom_in, fit, save_image}) {
    controls->addWidget(w);
  }
  auto* hint = new QLabel(
      tr("Drag or arrow keys: move. Wheel or +/-: zoom. Point at a plot to see what it holds."),
      this);
  hint->setObjectName("MapHint");
  auto* body = new QHBoxLayout;
  body->addWidget(canvas_, 1);
  body->addWidget(legend_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addLayout(body, 1);
  layout->addWidget(hint);
}

MapSelection MapPage::SelectionFromControls() const {
  MapSelection selection = canvas_->Selection();
  selection.Territory = territory_->isChecked();
  selection.Cities = cities_->isChecked();
  selection.RiversAndRoutes = rivers_routes_->isChecked();
  selection.Resources = resources_->isChecked();
  selection.Improvements = improvements_->isChecked();
  const QVariant team = seen_by_->currentData();
  selection.SeenByTeam = team.isValid() ? team.toInt() : -1;
  return selection;
}

void MapPage::SelectionChanged() {
  if (!shown_) return;
  canvas_->Select(SelectionFromControls());
  FillLegend();
}

void MapPage::FillSeenBy(const GameState& state, int32_t keep_team) {
  const QSignalBlocker blocker(seen_by_);
  seen_by_->clear();
  seen_by_->addItem(tr("Everything"), -1);
  for (const MapTeamChoice& choice : MapSeenByChoices(state)) {
    seen_by_->addItem(QString::fromStdString(choice.Text), choice.Team);
    if (choice.Team == keep_team) seen_by_->setCurrentIndex(seen_by_->count() - 1);
  }
}

void MapPage::FillLegend() {
  legend_->clear();
  if (!shown_ || !State().Map.Readable()) return;
  for (const MapLegendEntry& entry : MapLegend(State(), canvas_->Selection())) {
    legend_->addItem(new QListWidgetItem(MapLegendIcon(entry, kLegendIconSize),
                                         QString::fromStdString(entry.Text)));
  }
}

void MapPage::ShowSave(AllTabs& /*built*/) {
  const GameState& state = State();
  const std::string key = GameKeyOf(state);
  const bool same_game = shown_ && key == game_key_ && state.Map.Width == width_ &&
                         state.Map.Height == height_ && state.Map.Readable();
  const int32_t team = same_game ? canvas_->Selection().SeenByTeam : -1;
  shown_ = true;
  game_key_ = key;
  width_ = state.Map.Width;
  height_ = state.Map.Height;
  FillSeenBy(state, team);
  canvas_->Show(&state, SelectionFromControls(), same_game);
  FillLegend();
}

bool MapPage::SaveImage(const QString& file_name) const {
  if (!shown_) return false;
  MapSelection selection = canvas_->Selection();
  const MapPicture& shown = canvas_->Picture();
  const double side = std::max(shown.Width, shown.Height);
  if (side > kMaxImageSide) selection.TileWidth *= kMaxImageSide / side;
  return SaveMapPicture(side > kMaxImageSide ? BuildMapPicture(State(), selection) : shown,
                        file_name);
}

void MapPage::SaveImageAsked() {
  const QString file_name = Window().ChooseImageFile();
  if (file_name.isEmpty()) return;
  if (!SaveImage(file_name)) {
    Window().ShowError(tr("Cannot write \"%1\".").arg(QDir::toNativeSeparators(file_name)));
    return;
  }
  Window().ShowStatus(tr("Map saved to %1").arg(QDir::toNativeSeparators(file_name)));
}

}  // namespace vek5
