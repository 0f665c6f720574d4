#include "shell/policy_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <string>
#include <string_view>

#include "shell/widgets.h"
#include "views/policy_view.h"

namespace vek5 {
namespace {

// A policy box's title: its branch, as the box's name says it ("TraditionBranch" is
// "Tradition"; an ideology box says that it is one).
QString PolicyBoxTitle(std::string_view box) {
  constexpr std::string_view kBranch = "Branch";
  constexpr std::string_view kIdeology = "Ideology";
  if (box.ends_with(kIdeology)) {
    return QString::fromUtf8(box.substr(0, box.size() - kIdeology.size())) + " (ideology)";
  }
  if (box.ends_with(kBranch)) box.remove_suffix(kBranch.size());
  return QString::fromUtf8(box);
}

}  // namespace

PolicyPage::PolicyPage(SaveOnScreen& save, WindowServices& window)
    : Page("PolicyTab", "Policy", save, window) {
  CreateControls();
  SetPlayerSelector(PlayerPolicySelect);
  connect(PlayerPolicySelect, &QComboBox::currentIndexChanged, this,
          &PolicyPage::ShowPlayerPolicies);
}

void PolicyPage::CreateControls() {
  PlayerPolicySelect = NewSelector(this, "PlayerPolicySelect", 20);
  auto* selector = new QHBoxLayout;
  selector->addWidget(CaptionOf(this, "PlayerPolicySelect", "Player Select"));
  selector->addWidget(PlayerPolicySelect);
  selector->addStretch();

  // Two rows of five branch boxes, and the three taller ideology boxes below them.
  constexpr int kBranchesPerRow = 5;
  constexpr int kBranchRows = 2;
  auto* boxes = new QGridLayout;
  auto* ideologies = new QHBoxLayout;
  for (size_t i = 0; i < kPolicyBoxes.size(); ++i) {
    const std::string name(kPolicyBoxes[i]);
    auto* titled = new QVBoxLayout;
    titled->setSpacing(1);
    titled->addWidget(CaptionOf(this, name.c_str(), PolicyBoxTitle(kPolicyBoxes[i])));
    titled->addWidget(NewRichText(this, name.c_str(), true, false), 1);
    const int row = static_cast<int>(i) / kBranchesPerRow;
    if (row < kBranchRows) {
      boxes->addLayout(titled, row, static_cast<int>(i) % kBranchesPerRow);
    } else {
      ideologies->addLayout(titled);
    }
  }
  boxes->addLayout(ideologies, kBranchRows, 0, 1, kBranchesPerRow);
  boxes->setRowStretch(0, 2);
  boxes->setRowStretch(1, 2);
  boxes->setRowStretch(2, 3);

  auto* culture = new QVBoxLayout;
  culture->addLayout(CaptionAbove(this, "PolicyCultureE", "Policy Culture"));
  culture->addLayout(CaptionAbove(this, "TotalCultureE", "Total Culture"));
  culture->addLayout(CaptionAbove(this, "CulturePerTurnE", "Per Turn"));
  QLineEdit* hidden = nullptr;
  culture->addLayout(CaptionAbove(this, "CSCultureE", "Culture from CS", &hidden));
  hidden->hide();
  findChild<QLabel*>("CSCultureELabel")->hide();
  culture->addLayout(CaptionAbove(this, "PolicyNumE", "Policy Number", &hidden));
  hidden->hide();
  findChild<QLabel*>("PolicyNumELabel")->hide();
  culture->addStretch();

  auto* body = new QHBoxLayout;
  body->addLayout(boxes, 1);
  body->addSpacing(8);
  body->addLayout(culture);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(selector);
  layout->addLayout(body, 1);
}

void PolicyPage::ShowSave(AllTabs& built) {
  FillPlayerSelector();
  ApplyBuilt(built);
}

void PolicyPage::ShowPlayerPolicies() {
  Apply(PlayerPolicyChoose(State(), SelectedPlayer()));
}

}  // namespace vek5
