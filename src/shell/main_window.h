// The main window: the file commands at the top, the pages on a tab widget below and the status
// line. The window owns the last successfully analysed save; every load is a transaction that
// either replaces the image, the model and the view state together or leaves all three as they
// were. After a load the window builds the text tabs' content once (views/all_tabs) and hands it
// to every page (shell/page.h); each page shows its part and handles its own controls.
#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "shell/page.h"
#include "views/graph_view.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;

namespace vek5 {

// The smallest window at which every page shows whole; on a screen too small for it the window
// may get smaller and its pages scroll.
inline constexpr QSize kWindowMinimumSize(960, 640);

class FolderFollower;
class GraphPage;
class SeriesPage;

// The dialogs (WindowServices) are public seams that tests replace.
class MainWindow : public QWidget, public WindowServices {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // Loads, analyses and shows a save. On any error the message is shown and the previous
  // analysis stays on screen and in memory. Returns whether the save was taken.
  bool LoadFile(const QString& file_name, LoadMode mode = LoadMode::kAsked);

  FolderFollower& Follower() const { return *follower_; }

  // Analyses many saves (files and folders) on the Series tab, which it brings to the front.
  void AnalyseSeries(const QStringList& paths);

  const GameState& State() const { return *save_.State; }
  const ViewState& View() const { return save_.View; }
  const GraphContent& Graph() const;
  bool HasSave() const { return save_.Loaded(); }

  // Handlers of the window's commands.
  void OpenFile();
  void LoadNamedFile();
  void ReloadFile();
  void LoadFolder();
  void ExportSaveImage();
  void ToggleFollowFolder();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void SetDefaultDialogs();
  void CreateControls();
  QLayout* CreateFileBar();
  void CreatePages();
  void ShowPage(const Page* page);
  void ConnectHandlers();
  void ConnectKeys();
  void RestoreSettings();
  void FitToScreen();

  // Every page, after a load: the text tabs' content built once, each page shown.
  void ShowSave();
  // The pages' choices, kept by name before a load and chosen again after it.
  void KeepSelection();
  void RestoreSelection(LoadMode mode);

  SaveOnScreen save_;
  FolderFollower* follower_ = nullptr;
  QList<Page*> pages_;  // in tab order
  QWidget* kept_page_ = nullptr;
  Page* base_page_ = nullptr;
  Page* test_page_ = nullptr;
  GraphPage* graph_page_ = nullptr;
  SeriesPage* series_page_ = nullptr;

  QLabel* SavePathLabel = nullptr;
  QLineEdit* SavePath = nullptr;
  QLabel* FileDateLabel = nullptr;
  QLineEdit* FileDate = nullptr;
  QPushButton* LoadFileButton = nullptr;
  QPushButton* LoadPathButton = nullptr;
  QPushButton* LoadFolderButton = nullptr;
  QPushButton* SaveFileButton = nullptr;
  QToolButton* RecentButton = nullptr;
  QPushButton* FollowButton = nullptr;
  QLabel* FollowLabel = nullptr;
  QLabel* EndsEarlyBar = nullptr;
  QTabWidget* PageControls = nullptr;
  QStatusBar* StatusLine = nullptr;
};

}  // namespace vek5
