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
  AddFieldRow(fields, this, 0, "GameKind", "Kind of game  (Тип игры)");
  AddFieldRow(fields, this, 1, "TurnPlayer", "Whose turn  (Чей ход)");
  AddFieldRow(fields, this, 2, "SessionCount", "       Sessions       (Число сессий)");
  AddFieldRow(fields, this, 3, "PreSessions", "    PreSessions     (Число пресессий)");
  AddFieldRow(fields, this, 4, "PlaySessions", "    Play Sessions     (Игровые сессии)");
  AddFieldRow(fields, this, 5, "AverageSessionTime", "  Average Session time   (Ср. время сессии)");
  AddFieldRow(fields, this, 6, "HumanPlayers", "Humans  (Людей)");
  AddFieldRow(fields, this, 7, "NeededLoads", "Loads needed, one per human turn");
  AddFieldRow(fields, this, 8, "ExtraLoads", "Loads beyond one per human turn");
  fields->setColumnMinimumWidth(1, 120);
  // What the loads mean for this kind of game, in sentences.
  LoadsNote = NewLabel(this, "LoadsNote", QString());
  LoadsNote->setWordWrap(true);
  LoadsNote->setMaximumWidth(420);
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
  // One line per turn at which sessions started: "Turn 228 (1590AD): loaded 5 times, ...".
  SessionListBox = NewListBox(this, "SessionListBox", 56 * char_width);
  SessionListBox->setFixedWidth(56 * char_width);
  QLabel* summary = NewLabel(this, "SessionSummary", QString());
  summary->setWordWrap(true);
  summary->setMaximumWidth(56 * char_width);
  auto* sessions = new QVBoxLayout;
  sessions->addWidget(summary);
  sessions->addWidget(SessionListBox, 1);
  sessions->addWidget(
      Legend(this, "SessionListLegend", Qt::darkRed, "Red: more than one session at one turn."));
  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addWidget(Legend(this, "ReloadsLegend", Qt::blue,
                         "Blue: proposed from the save; type a number to correct it."));
  left->addWidget(LoadsNote);
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
