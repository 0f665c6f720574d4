#include "shell/page.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

#include "shell/apply_content.h"
#include "views/base_view.h"

namespace vek5 {

Page::Page(const char* name, const char* caption, SaveOnScreen& save, WindowServices& window)
    : caption_(caption), save_(save), window_(window) {
  setObjectName(name);
}

void Page::KeepSelection() {
  if (player_selector_) kept_player_ = player_selector_->currentText();
}

void Page::RestoreSelection(LoadMode) {
  if (!player_selector_) return;
  const int item = player_selector_->findText(kept_player_);
  if (item >= 0) player_selector_->setCurrentIndex(item);
}

void Page::Apply(const TabContent& content) {
  const QStringList missing = ApplyTabContent(this, content);
  if (!missing.isEmpty()) qWarning("No control named: %s", qPrintable(missing.join(", ")));
}

void Page::ApplyBuilt(const AllTabs& built) {
  for (const auto& [tab, content] : built.Tabs) {
    if (tab == caption_) Apply(content);
  }
}

void Page::FillPlayerSelector() {
  QStringList items;
  for (const std::string& name : PlayerSelectorItems(State())) {
    items << QString::fromStdString(name);
  }
  const QSignalBlocker blocker(player_selector_);
  player_selector_->clear();
  player_selector_->addItems(items);
  player_selector_->setCurrentIndex(items.isEmpty() ? -1 : 0);
}

int Page::SelectedPlayer() const {
  return std::max(player_selector_->currentIndex(), 0);
}

}  // namespace vek5
