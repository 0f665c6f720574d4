#include "shell/base_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <utility>

#include "shell/widgets.h"

namespace vek5 {

BasePage::BasePage(SaveOnScreen& save, WindowServices& window)
    : Page("BaseTab", "Base", save, window) {
  CreateControls();
}

void BasePage::CreateControls() {
  auto* fields = new QGridLayout;
  int row = 0;
  AddFieldRow(fields, this, row++, "GameVersionE", "Game Version (Версия игры)");
  AddFieldRow(fields, this, row++, "SaveIndexE", "     Save Version       (Версия сейва)");
  AddFieldRow(fields, this, row++, "CivNameE", "CivName (Цивилизация)");
  AddFieldRow(fields, this, row++, "LevelE", "      Handicap       (Ур-нь сложности)");
  AddFieldRow(fields, this, row++, "StartingEraE", "Starting Era (Стартовая Эра)");
  AddFieldRow(fields, this, row++, "CurrentEraE", "Current Era (Текущая Эра)");
  AddFieldRow(fields, this, row++, "Game5SpeedE", "Game Speed (Скорость Игры)");
  AddFieldRow(fields, this, row++, "World5SizeE", " World Size  (Размер Карты)");
  AddFieldRow(fields, this, row++, "Map5ScriptE", "    Map Script     (Тип Карты)");
  AddFieldRow(fields, this, row++, "CurrentTurn", "Current turn (Текущий ход)", "CurrentDate");
  AddFieldRow(fields, this, row++, "StartTurnE", "Starting turn (Стартовый ход)", "StartDateE");
  AddFieldRow(fields, this, row++, "PlayTime", "Playing time  (Время игры)");
  AddFieldRow(fields, this, row++, "GameScore", "Game score  (Очки)", "ProjectedScore");
  AddFieldRow(fields, this, row++, "GameStatus", "Game status (Состояние игры)");
  AddFieldRow(fields, this, row++, "UserNameE", "User Name (Пользователь)");
  fields->addWidget(NewLabel(this, "VictoriesLabel", "Allowed Victories (Разрешенные победы)"), row,
                    0);
  auto* victories = new QHBoxLayout;
  const char* const checks[][2] = {{"TimeVictory", "Time"},
                                   {"ScienceVictory", "Science"},
                                   {"DominationVictory", "Domination"},
                                   {"CulturalVictory", "Cultural"},
                                   {"DiplomaticVictory", "Diplomatic"}};
  for (const auto& check : checks) victories->addWidget(NewDisplayCheck(this, check[0], check[1]));
  victories->addStretch();
  fields->addLayout(victories, row++, 1, 1, 2);
  fields->setRowStretch(row, 1);
  fields->setColumnMinimumWidth(1, 150);
  fields->setColumnMinimumWidth(2, 150);

  auto* lists = new QVBoxLayout;
  for (const auto& [box, caption] :
       {std::pair{"GameOptionBox", " Game Options  (Опции Игры)"},
        std::pair{"DLCBox", "     DLC Installed     (Установленные дополнения)"}}) {
    QLabel* label = CaptionOf(this, box, caption);
    label->setWordWrap(true);  // the list, not its caption, sets the column's width
    lists->addWidget(label);
    lists->addWidget(NewListBox(this, box, 220), 1);
  }

  auto* columns = new QHBoxLayout;
  columns->addLayout(fields, 1);
  columns->addSpacing(12);
  columns->addLayout(lists);
  // Shown until the first save is loaded.
  QLabel* hint = NewLabel(this, "EmptyHint",
                          "No save is loaded yet. Open one with \"Load File\" (Ctrl+O), type its "
                          "path in the box above and press Enter, or drop a save on this window.");
  hint->setWordWrap(true);
  hint->setStyleSheet("QLabel { background: #E8F0FE; color: black; padding: 6px; }");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addLayout(columns, 1);
}

void BasePage::ShowSave(AllTabs& built) {
  ApplyBuilt(built);
  findChild<QLabel*>("EmptyHint")->hide();
}

}  // namespace vek5
