// The main window: the load commands at the top and the thirteen tab pages below. The window
// owns the last successfully analysed save; every load is a transaction that either replaces
// the image, the model and the view state together or leaves all three as they were. The tabs'
// content comes from the content builders in views/; the window copies it into its controls and
// forwards the controls' events to them.
#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "container/save_image.h"
#include "model/game_state.h"
#include "views/all_tabs.h"
#include "views/graph_view.h"
#include "views/tab_content.h"
#include "views/view_state.h"
#include "views/window_texts.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStatusBar;
class QToolButton;
class QTabWidget;
class QTableWidget;

namespace vek5 {

// The smallest window at which every page shows whole; on a screen too small for it the window
// may get smaller and its pages scroll.
inline constexpr QSize kWindowMinimumSize(960, 640);

class FolderFollower;
class HistoryChartView;
class SeriesTab;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // Loads, analyses and shows a save. On any error the message is shown and the previous
  // analysis stays on screen and in memory. Returns whether the save was taken.
  // A save loaded because a followed folder changed keeps the graph's zoom and reports a
  // failure in the status line instead of a message box.
  enum class LoadMode { kAsked, kFollowing };
  bool LoadFile(const QString& file_name, LoadMode mode = LoadMode::kAsked);

  // Seams for the dialogs, replaced by tests.
  std::function<void(const QString& message)> ShowError;
  std::function<QString()> ChooseOpenFile;
  std::function<QString()> ChooseSaveFile;
  std::function<QString()> ChooseImageFile;
  std::function<QString()> ChooseCsvFile;
  std::function<QString()> ChooseFolder;

  FolderFollower& Follower() const { return *follower_; }

  // Analyses many saves (files and folders) on the Series tab, which it brings to the front.
  void AnalyseSeries(const QStringList& paths);

  const GameState& State() const { return *state_; }
  const ViewState& View() const { return view_; }
  const GraphContent& Graph() const { return graph_; }
  bool HasSave() const { return image_ != nullptr; }

  // The refresh of every tab after an analysis, and the per-tab fills.
  void ShowAllTabs();
  void PlayerCityChoose();
  void ChooseCity();
  void PlayerPolicyChoose();
  void PlayerTechChoose();
  void PlayerStats();
  void DrawPlayerLog();
  void RecountPlaySessions();

  // Handlers of the window's commands.
  void OpenFile();
  void ExportSaveImage();
  void UnselectAllPlayers();
  void LoadNamedFile();
  void LoadFolder();
  void SaveGraphImage();
  void ExportGraphCsv();
  void ToggleFollowFolder();
  void ReloadFile();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Layout, in form_layout.cpp.
  void CreateControls();
  QWidget* CreateBaseTab();
  QWidget* CreateLeadersTab();
  QWidget* CreateReplayTab();
  QWidget* CreatePlayerLogTab();
  QWidget* CreateReloadsTab();
  QWidget* CreateGraphTab();
  QWidget* CreateCityTab();
  QWidget* CreatePolicyTab();
  QWidget* CreatePlayerTab();
  QWidget* CreateStatsTab();
  QWidget* CreateCSTab();
  QWidget* CreateTestTab();
  QWidget* CreateLeagueTab();
  void ConnectHandlers();
  void ConnectKeys();
  void FormCreate();
  void RestoreSettings();
  void FitToScreen();

  // What the user has chosen on the tabs, by name, so that it can be chosen again in the next
  // save where it still exists.
  struct KeptSelection {
    QWidget* Page = nullptr;
    QStringList Players;  // the five player selectors' texts, in selector order
    QString City;
    QString Statistic;
    std::vector<std::string> GraphEntries;  // the graph's entries and their check marks
    std::vector<bool> GraphChecked;
    bool Zoomed = false;
    AxisRange Horizontal, Vertical;
  };
  KeptSelection KeepSelection() const;
  void RestoreSelection(const KeptSelection& kept, LoadMode mode);
  QList<QComboBox*> PlayerSelectors() const;

  void FillPlayerSelectors();
  QWidget* PageByCaption(const std::string& caption) const;
  TabSelection CurrentSelection() const;
  void Apply(QWidget* root, const TabContent& content);
  // Copies graph_ into the graph tab: statistic list and selection, check-list entries with
  // their marks and colours, the series' points and pens, and both axis ranges.
  void ShowGraph();
  void ShowGraphRanges();

  // Handlers.
  void GraphSelectChange(int statistic);
  void ApplyGraphEntryCheck(QListWidgetItem* item);
  void HistoryChartZoomed();
  void HistoryChartUndoZoom();
  void SelectAllGraphEntries();
  void ToggleClickedGraphEntry(QListWidgetItem* item);
  void BuildingQueueChange();

  // The last successfully analysed save; image_ is null before the first load.
  std::unique_ptr<SaveImage> image_;
  std::unique_ptr<GameState> state_;
  ViewState view_;
  // The graph tab's content; the chart widget only shows it.
  GraphContent graph_;
  // The graph's statistic the user chose last (remembered between starts), chosen again after
  // a load when the save has it.
  QString graph_statistic_;
  bool graph_zoomed_ = false;                     // the user's zoom is on the graph
  Qt::CheckState pressed_check_ = Qt::Unchecked;  // of the entry under the mouse button
  FolderFollower* follower_ = nullptr;

  QLabel* EndsEarlyBar = nullptr;
  QStatusBar* StatusLine = nullptr;
  QLabel* SavePathLabel = nullptr;
  QLabel* FileDateLabel = nullptr;
  QLineEdit* SavePath = nullptr;
  QLineEdit* FileDate = nullptr;
  QPushButton* LoadFileButton = nullptr;
  QPushButton* SaveFileButton = nullptr;
  QToolButton* RecentButton = nullptr;
  QPushButton* FollowButton = nullptr;
  QLabel* FollowLabel = nullptr;
  QPushButton* LoadPathButton = nullptr;
  QPushButton* LoadFolderButton = nullptr;
  QTabWidget* PageControls = nullptr;
  QWidget* BaseTab = nullptr;
  QWidget* LeadersTab = nullptr;
  QWidget* ReplayTab = nullptr;
  QWidget* PlayerLogTab = nullptr;
  QWidget* ReloadsTab = nullptr;
  QWidget* GraphTab = nullptr;
  QWidget* CityTab = nullptr;
  QWidget* PolicyTab = nullptr;
  QWidget* PlayerTab = nullptr;
  QWidget* StatsTab = nullptr;
  QWidget* CSTab = nullptr;
  QWidget* TestTab = nullptr;
  QWidget* LeagueTab = nullptr;
  SeriesTab* SeriesPage = nullptr;

  QComboBox* PlayerLogSelect = nullptr;
  QComboBox* PlayerCitySelect = nullptr;
  QComboBox* PlayerPolicySelect = nullptr;
  QComboBox* PlayerTechSelect = nullptr;
  QComboBox* PlayerStatsSelect = nullptr;
  QComboBox* StatsLangSelect = nullptr;
  QComboBox* CityBox = nullptr;
  QComboBox* BuildingQueue = nullptr;
  QComboBox* GraphSelect = nullptr;
  QCheckBox* ShowCombatsCheckBox = nullptr;
  QCheckBox* ShowCityEventsCheckBox = nullptr;
  QLineEdit* PreSessions = nullptr;
  QListWidget* SessionListBox = nullptr;
  QListWidget* GraphPlayerList = nullptr;
  QPushButton* UnselectAllButton = nullptr;
  QPushButton* SaveImageButton = nullptr;
  QPushButton* ExportCsvButton = nullptr;
  QPushButton* SelectAllButton = nullptr;
  QPushButton* ResetZoomButton = nullptr;
  QLabel* GraphHoverLabel = nullptr;
  HistoryChartView* HistoryChart = nullptr;
  QTableWidget* LeadersGrid = nullptr;
  QTableWidget* TechGrid = nullptr;
  QTableWidget* ProductionGrid = nullptr;
  QTableWidget* ReligionGrid = nullptr;
};

}  // namespace vek5
