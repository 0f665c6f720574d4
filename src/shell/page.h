// A page of the window's tabs, and what the window shares with its pages. The main window owns
// the save on screen and builds every page once; after each load it calls, on every page,
// KeepSelection (before the new save replaces the old), ShowSave and RestoreSelection. A new tab
// is a new class derived from Page in a file of its own, added to MainWindow::CreatePages.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "container/save_image.h"
#include "model/game_state.h"
#include "views/all_tabs.h"
#include "views/tab_content.h"
#include "views/view_state.h"

class QComboBox;

namespace vek5 {

// The last successfully analysed save. A load replaces all three together or none of them.
struct SaveOnScreen {
  std::unique_ptr<SaveImage> Image;  // null before the first load
  std::unique_ptr<GameState> State;  // an empty model before the first load
  ViewState View;                    // the views' state beside the model; handlers update it
  bool Loaded() const { return Image != nullptr; }
};

// What a page may ask of the window around it. The dialogs are seams that tests replace.
struct WindowServices {
  std::function<void(const QString& message)> ShowError;
  std::function<void(const QString& message)> ShowStatus;
  std::function<QString()> ChooseOpenFile;
  std::function<QString()> ChooseSaveFile;
  std::function<QString()> ChooseImageFile;
  std::function<QString()> ChooseCsvFile;
  std::function<QString()> ChooseReportFile;
  std::function<QString()> ChooseFolder;
};

// A load the user asked for, or one made because a followed folder changed (which keeps the
// graph's zoom and reports a failure in the status line instead of a message box).
enum class LoadMode { kAsked, kFollowing };

class Page : public QWidget {
  Q_OBJECT

 public:
  // The object name is the page's name in tests and screenshots ("CityTab"); the caption is
  // its tab's text, and the key of its content in AllTabs.
  Page(const char* name, const char* caption, SaveOnScreen& save, WindowServices& window);

  const char* Caption() const { return caption_; }
  // Whether the window puts the page in a scroll area (for screens smaller than the page).
  virtual bool Scrolls() const { return true; }

  // Before a new save replaces the one on screen: remember what the user chose, by name.
  virtual void KeepSelection();
  // Shows the save on screen. `built` holds the text tabs' content, made together in the order
  // their dates need (see BuildAllTabs); a page takes its own from it, or builds from the save
  // what is not there. After a load every player selector shows its first player.
  virtual void ShowSave(AllTabs& built) = 0;
  // After every page has shown the new save: chooses again, through the controls, what
  // KeepSelection remembered, where the new save still has it.
  virtual void RestoreSelection(LoadMode mode);

 protected:
  const GameState& State() const { return *save_.State; }
  ViewState& View() { return save_.View; }
  bool Loaded() const { return save_.Loaded(); }
  WindowServices& Window() { return window_; }

  // Copies content into this page's controls.
  void Apply(const TabContent& content);
  // Applies the content `built` holds for this page's caption.
  void ApplyBuilt(const AllTabs& built);

  // A page with a player selector registers it: the selector is refilled with the players
  // (showing the first) by FillPlayerSelector, and its player is kept and chosen again by
  // name across loads.
  void SetPlayerSelector(QComboBox* selector) { player_selector_ = selector; }
  void FillPlayerSelector();
  // The Leaders entry the selector shows; none selected reads as entry 0.
  int SelectedPlayer() const;

 private:
  const char* caption_;
  SaveOnScreen& save_;
  WindowServices& window_;
  QComboBox* player_selector_ = nullptr;
  QString kept_player_;
};

}  // namespace vek5
