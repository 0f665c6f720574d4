// The Map tab: the world map of the save, painted from the map picture of views/, with its layer
// switches, the "Seen by" selector, zoom, pan, fit, a legend, the hovered plot's text and
// "Save Image...". Loading another save of the same game keeps the zoom, position, layers and
// "Seen by", so that stepping through a game's saves shows its territory change.
#pragma once

#include <QPointF>
#include <QString>
#include <QWidget>
#include <string>

#include "model/game_state.h"
#include "shell/page.h"
#include "views/map_picture.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace vek5 {

// The map itself: paints the part of the picture in view and turns the mouse and keys into zoom,
// pan and hover.
class MapCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit MapCanvas(QWidget* parent = nullptr);

  // Shows a save's map with the selection; `keep_view` keeps the zoom and position (the same
  // game), otherwise the map is fitted to the window.
  void Show(const GameState* state, const MapSelection& selection, bool keep_view);
  // Redraws with another selection, keeping the zoom and position.
  void Select(const MapSelection& selection);

  void ZoomBy(double factor);
  void ZoomBy(double factor, QPointF anchor);
  void PanBy(QPointF delta);
  void FitToWindow();

  const MapSelection& Selection() const { return selection_; }
  const MapPicture& Picture() const { return picture_; }
  double TileWidth() const { return selection_.TileWidth; }
  // Where the picture's top-left corner lies in the widget.
  QPointF Offset() const { return offset_; }
  int32_t HoveredPlot() const { return hovered_; }
  QString HoverText() const;
  // Hovers the plot under a point of the widget (what a mouse move does).
  void HoverAt(QPointF point);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Rebuild();
  void PaintHover(QPainter& painter);
  void KeepInView();

  const GameState* state_ = nullptr;
  MapSelection selection_;
  MapPicture picture_;
  QPointF offset_;
  bool fit_pending_ = true;
  int32_t hovered_ = -1;
  QPointF hover_point_;
  bool dragging_ = false;
  QPointF drag_from_;
};

class MapPage : public Page {
  Q_OBJECT

 public:
  MapPage(SaveOnScreen& save, WindowServices& window);

  bool Scrolls() const override { return false; }
  // Shows the map of the save on screen; the same game as before keeps the view.
  void ShowSave(AllTabs& built) override;

  MapCanvas& Canvas() const { return *canvas_; }
  // Writes the picture as shown (whole map, at the zoom, layers and "Seen by" of the page).
  bool SaveImage(const QString& file_name) const;

 private:
  MapSelection SelectionFromControls() const;
  void SelectionChanged();
  void FillSeenBy(const GameState& state, int32_t keep_team);
  void FillLegend();
  void SaveImageAsked();

  bool shown_ = false;
  std::string game_key_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  MapCanvas* canvas_ = nullptr;
  QCheckBox* territory_ = nullptr;
  QCheckBox* cities_ = nullptr;
  QCheckBox* rivers_routes_ = nullptr;
  QCheckBox* resources_ = nullptr;
  QCheckBox* improvements_ = nullptr;
  QComboBox* seen_by_ = nullptr;
  QListWidget* legend_ = nullptr;
};

}  // namespace vek5
