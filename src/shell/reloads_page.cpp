#include "shell/reloads_page.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "shell/apply_content.h"
#include "shell/widgets.h"
#include "views/reloads_view.h"

namespace vek5 {

ReloadsPage::ReloadsPage(SaveOnScreen& save, WindowServices& window)
    : Page("ReloadsTab", "Reloads", save, window) {
  CreateControls();
  connect(PreSessions, &QLineEdit::textChanged, this, &ReloadsPage::RecountPlaySessions);
}

void ReloadsPage::CreateControls() {
  auto* fields = new QGridLayout;
  AddFieldRow(fields, this, 0, "SessionCount", "       Sessions       (Число сессий)");
  AddFieldRow(fields, this, 1, "PreSessions", "    PreSessions     (Число пресессий)");
  AddFieldRow(fields, this, 2, "PlaySessions", "    Play Sessions     (Игровые сессии)");
  AddFieldRow(fields, this, 3, "AverageSessionTime", "  Average Session time   (Ср. время сессии)");
  fields->setColumnMinimumWidth(1, 120);
  PreSessions = findChild<QLineEdit*>("PreSessions");
  PreSessions->setReadOnly(false);
  // The pre-sessions box is the one the user corrects: text and caption in blue.
  QPalette blue = PreSessions->palette();
  blue.setColor(QPalette::Text, Qt::blue);
  PreSessions->setPalette(blue);
  QLabel* caption = findChild<QLabel*>("PreSessionsLabel");
  QPalette blue_caption = caption->palette();
  blue_caption.setColor(QPalette::WindowText, Qt::blue);
  caption->setPalette(blue_caption);

  const QFont fixed = FixedPitchFont();
  const int char_width = QFontMetrics(fixed).horizontalAdvance('0');
  SessionListBox = NewListBox(this, "SessionListBox", 30 * char_width);
  SessionListBox->setFixedWidth(30 * char_width);  // one column of short lines
  // Over the list's columns: "%3d" number, "%6d" turn, the date.
  QLabel* captions = NewLabel(this, "SessionListBoxLabel", "  №  Turn   Date");
  captions->setFont(fixed);
  captions->setIndent(SessionListBox->frameWidth() + 2);
  auto* sessions = new QVBoxLayout;
  sessions->addWidget(captions);
  sessions->addWidget(SessionListBox, 1);
  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addWidget(Legend(this, "ReloadsLegend", Qt::blue,
                         "Blue: proposed from the save; type a number to correct it."));
  left->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addSpacing(12);
  layout->addLayout(sessions);
  layout->addStretch();
}

void ReloadsPage::ShowSave(AllTabs& built) {
  ApplyBuilt(built);
}

// A text that is not a whole number is reported and leaves the figures shown, and the view
// state, as they were.
void ReloadsPage::RecountPlaySessions() {
  const CheckValuesResult result = CheckValues(State(), View(), PreSessions->text().toStdString());
  if (result.Error) {
    Window().ShowError(QString::fromStdString(*result.Error));
    return;
  }
  Apply(result.Content);
}

}  // namespace vek5
