// The Graph tab: one history statistic of the checked players as lines over the turns, with the
// statistic's list, the players' check-list in their line colours, zoom by rectangle (undone by a
// right click or "Reset zoom"), and the picture and CSV exports. The page keeps the graph's
// content; the chart only shows it.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "shell/page.h"
#include "views/graph_view.h"

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vek5 {

class HistoryChartView;

class GraphPage : public Page {
 public:
  GraphPage(SaveOnScreen& save, WindowServices& window);

  const GraphContent& Graph() const { return graph_; }

  void KeepSelection() override;
  void ShowSave(AllTabs& built) override;
  void RestoreSelection(LoadMode mode) override;

 private:
  void CreateControls();
  void ConnectHandlers();
  // Copies graph_ into the controls: statistic list and selection, check-list entries with
  // their marks and colours, the series' points and pens, and both axis ranges.
  void ShowGraph();
  void ShowRanges();

  // Handlers.
  void ChooseStatistic(int statistic);
  void DrawOrHidePlayer(QListWidgetItem* item);
  void ToggleClickedPlayer(QListWidgetItem* item);
  void SelectAllPlayers();
  void UnselectAllPlayers();
  void KeepUserZoom();
  void UndoZoom();
  void SaveImage();
  void ExportCsv();

  GraphContent graph_;
  // The statistic the user chose last (remembered between starts), chosen again after a load
  // when the save has it.
  QString statistic_;
  bool zoomed_ = false;                           // the user's zoom is on the graph
  Qt::CheckState pressed_check_ = Qt::Unchecked;  // of the entry under the mouse button

  // What KeepSelection remembered.
  struct Kept {
    QString Statistic;
    std::vector<std::string> Entries;  // the entries and their check marks
    std::vector<bool> Checked;
    bool Zoomed = false;
    AxisRange Horizontal, Vertical;
  } kept_;

  QComboBox* GraphSelect = nullptr;
  HistoryChartView* HistoryChart = nullptr;
  QListWidget* GraphPlayerList = nullptr;
  QPushButton* SelectAllButton = nullptr;
  QPushButton* UnselectAllButton = nullptr;
  QPushButton* ResetZoomButton = nullptr;
  QPushButton* SaveImageButton = nullptr;
  QPushButton* ExportCsvButton = nullptr;
  QLabel* GraphHoverLabel = nullptr;
};

}  // namespace vek5
