// The Reloads tab: the save's play sessions, the pre-sessions the user may correct, what follows
// from them, and the list of session starts.
#pragma once

#include "shell/page.h"

class QLineEdit;
class QLabel;
class QListWidget;

namespace vek5 {

class ReloadsPage : public Page {
 public:
  ReloadsPage(SaveOnScreen& save, WindowServices& window);

  void ShowSave(AllTabs& built) override;

 private:
  void CreateControls();
  // Handler: the figures for the pre-sessions the box holds.
  void RecountPlaySessions();

  QLineEdit* PreSessions = nullptr;
  QListWidget* SessionListBox = nullptr;
  QLabel* LoadsNote = nullptr;
};

}  // namespace vek5
