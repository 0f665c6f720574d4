// The Policy tab: the chosen player's policies by branch and ideology, and his culture.
#pragma once

#include "shell/page.h"

class QComboBox;

namespace vek5 {

class PolicyPage : public Page {
 public:
  PolicyPage(SaveOnScreen& save, WindowServices& window);

  void ShowSave(AllTabs& built) override;

 private:
  void CreateControls();
  // Handler: shows the chosen player's policies.
  void ShowPlayerPolicies();

  QComboBox* PlayerPolicySelect = nullptr;
};

}  // namespace vek5
