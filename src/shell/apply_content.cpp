#include "shell/apply_content.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTextCursor>

#include <QFontMetricsF>
#include <algorithm>
#include <limits>
#include <vector>

#include "views/window_texts.h"

namespace vek5 {
namespace {

constexpr char kFixedColumnsProperty[] = "vek5FixedColumns";
constexpr char kCornerTextProperty[] = "vek5CornerText";
constexpr char kFitWidthProperty[] = "vek5FitWidth";
constexpr char kStandingHintProperty[] = "vek5StandingHint";

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QColor Colour(uint32_t rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFF));
}

// Grid items never take the focus for editing: the grids only show.
QTableWidgetItem* NewItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

QString WithoutLeadingBlanks(const QString& text) {
  qsizetype start = 0;
  while (start < text.size() && text.at(start) == QChar(' ')) ++start;
  return text.mid(start);
}

// The standing hint, then the content's own on a line of its own.
QString HintOf(const QWidget* widget, const std::string& content_hint) {
  const QString standing = widget->property(kStandingHintProperty).toString();
  if (content_hint.empty()) return standing;
  if (standing.isEmpty()) return Text(content_hint);
  return standing + "\n" + Text(content_hint);
}

bool ApplyField(QWidget* widget, const FieldContent& field) {
  const QString text = Text(field.Text);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(WithoutLeadingBlanks(text));
    edit->setCursorPosition(0);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* rich = qobject_cast<QPlainTextEdit*>(widget)) {
    rich->setPlainText(text);
  } else {
    return false;
  }
  widget->setToolTip(HintOf(widget, field.Hint));
  return true;
}

void ApplyLinesToRichText(QPlainTextEdit* edit, const std::vector<ColoredLine>& lines) {
  QTextDocument* document = edit->document();
  document->clear();
  QTextCursor cursor(document);
  // One edit block: the cursor would otherwise lay out each line as it is inserted.
  cursor.beginEditBlock();
  QTextCharFormat format;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) cursor.insertBlock();
    format.setForeground(Colour(lines[i].Color));
    cursor.insertText(Text(lines[i].Text), format);
  }
  cursor.endEditBlock();
  edit->moveCursor(QTextCursor::Start);
}

bool ApplyLines(QWidget* widget, const LinesContent& list) {
  if (!list.Title.empty()) {
    if (auto* caption =
            widget->parentWidget()->findChild<QLabel*>(widget->objectName() + "Label")) {
      caption->setText(Text(list.Title));
    }
  }
  if (auto* box = qobject_cast<QListWidget*>(widget)) {
    box->clear();
    for (const ColoredLine& line : list.Lines) {
      auto* item = new QListWidgetItem(Text(line.Text), box);
      item->setForeground(Colour(line.Color));
    }
  } else if (auto* rich = qobject_cast<QPlainTextEdit*>(widget)) {
    ApplyLinesToRichText(rich, list.Lines);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->clear();
    for (const ColoredLine& line : list.Lines) combo->addItem(Text(line.Text));
    combo->setCurrentIndex(list.Selected < combo->count() ? list.Selected : -1);
    if (list.DropDownCount > 0) combo->setMaxVisibleItems(list.DropDownCount);
  } else {
    return false;
  }
  return true;
}

// Sets a cell in content coordinates, given the grid's fixed columns; an unchanged text is left
// alone, so that reapplying a tab changes (and repaints) only what differs.
void SetCell(QTableWidget* grid, int fixed, int row, int column, const QString& text) {
  if (row == 0 && column < fixed) {
    grid->setProperty(kCornerTextProperty, text);
    return;
  }
  QTableWidgetItem* item = nullptr;
  if (row == 0) {
    item = grid->horizontalHeaderItem(column - fixed);
    if (!item) return grid->setHorizontalHeaderItem(column - fixed, NewItem(text));
  } else if (column < fixed) {
    item = grid->verticalHeaderItem(row - 1);
    if (!item) return grid->setVerticalHeaderItem(row - 1, NewItem(text));
  } else {
    // A cell without an item shows nothing, as an empty one does; most of a large grid is empty.
    item = grid->item(row - 1, column - fixed);
    if (!item && text.isEmpty()) return;
    if (!item) return grid->setItem(row - 1, column - fixed, NewItem(text));
  }
  if (item->text() != text) item->setText(text);
}

bool ApplyGrid(QWidget* widget, const GridContent& content) {
  auto* grid = qobject_cast<QTableWidget*>(widget);
  if (!grid) return false;
  const int rows = static_cast<int>(content.Cells.size());
  int columns = 0;
  for (const auto& row : content.Cells) columns = std::max(columns, static_cast<int>(row.size()));
  if (rows != GridRows(grid) || columns != GridColumns(grid)) ResizeGrid(grid, rows, columns);
  const int fixed = GridFixedColumns(grid);
  for (int r = 0; r < rows; ++r) {
    const auto& row = content.Cells[r];
    for (int c = 0; c < columns; ++c) {
      SetCell(grid, fixed, r, c, c < static_cast<int>(row.size()) ? Text(row[c]) : QString());
    }
  }
  WidenClippedColumns(grid);
  return true;
}

// The width a column's cells need, as QTableView::sizeHintForColumn measures it: the widest
// size hint of the item delegate, plus the grid line. The delegate lays each text out in full,
// which for the large grids costs more than filling them, so it is asked only for the texts
// whose plain advance is (within rounding) the widest; equal advances need one answer.
int NeededColumnWidth(const QTableWidget* grid, int column, const QFontMetricsF& metrics) {
  constexpr qreal kRounding = 1;  // the delegate's layout and the metrics may round apart
  struct Candidate {
    qreal Advance;
    int Row;
    bool Lines;  // a text of several lines is always measured
  };
  std::vector<Candidate> candidates;
  qreal widest = -1;
  for (int r = 0; r < grid->rowCount(); ++r) {
    const QTableWidgetItem* item = grid->item(r, column);
    if (!item) continue;
    const QString text = item->text();
    qsizetype length = text.size();
    while (length > 0 && text.at(length - 1).isSpace()) --length;  // trailing blanks take no width
    const bool lines = text.contains(QChar('\n')) || text.contains(QChar::LineSeparator);
    if (lines) {
      candidates.push_back({0, r, true});
      continue;
    }
    const qreal advance = metrics.horizontalAdvance(text.left(length));
    if (advance < widest - kRounding) continue;
    widest = std::max(widest, advance);
    candidates.push_back({advance, r, false});
  }
  const QAbstractItemView* view = grid;  // where the size hints are public
  int needed = 0;
  qreal measured = -1;
  for (const Candidate& candidate : candidates) {
    if (!candidate.Lines) {
      if (candidate.Advance < widest - kRounding || candidate.Advance == measured) continue;
      measured = candidate.Advance;
    }
    const QModelIndex index = grid->model()->index(candidate.Row, column);
    needed = std::max(needed, view->sizeHintForIndex(index).width());
  }
  // A column without items needs what one empty cell needs: every empty cell is alike.
  if (candidates.empty() && grid->rowCount() > 0) {
    needed = view->sizeHintForIndex(grid->model()->index(0, column)).width();
  }
  return grid->showGrid() ? needed + 1 : needed;
}

// Applies one item to the control named by it, noting the names that are missing.
template <typename Item, typename Apply>
void ApplyEach(QWidget* root, const std::vector<Item>& items, Apply apply, QStringList& missing) {
  for (const Item& item : items) {
    const QString name = Text(item.Control);
    auto* widget = root->objectName() == name ? root : root->findChild<QWidget*>(name);
    if (!widget) {
      missing << name;
      continue;
    }
    const QSignalBlocker blocker(widget);
    if (!apply(widget, item)) missing << name;
  }
}

}  // namespace

// "Courier New" when installed, else the system's fixed font. The font system takes the first of
// the families that it has when the font is first used (and remembers it), which costs far less
// than asking whether a family is installed for every control.
QFont FixedPitchFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setFamilies({QStringLiteral("Courier New"), font.family()});
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSizeF(QApplication::font().pointSizeF());
  return font;
}

void SetGridFixedColumns(QTableWidget* grid, int fixed_columns) {
  grid->setProperty(kFixedColumnsProperty, fixed_columns > 0 ? 1 : 0);
  grid->verticalHeader()->setVisible(fixed_columns > 0);
}

int GridFixedColumns(const QTableWidget* grid) {
  return grid->property(kFixedColumnsProperty).toInt();
}

int GridRows(const QTableWidget* grid) {
  return grid->rowCount() + 1;
}

int GridColumns(const QTableWidget* grid) {
  return grid->columnCount() + GridFixedColumns(grid);
}

void ResizeGrid(QTableWidget* grid, int rows, int columns) {
  grid->setRowCount(std::max(rows - 1, 0));
  grid->setColumnCount(std::max(columns - GridFixedColumns(grid), 0));
}

QString GridCell(const QTableWidget* grid, int row, int column) {
  const int fixed = GridFixedColumns(grid);
  const QTableWidgetItem* item = nullptr;
  if (row == 0 && column < fixed) return grid->property(kCornerTextProperty).toString();
  if (row == 0) {
    item = grid->horizontalHeaderItem(column - fixed);
  } else if (column < fixed) {
    item = grid->verticalHeaderItem(row - 1);
  } else {
    item = grid->item(row - 1, column - fixed);
  }
  return item ? item->text() : QString();
}

void SetGridCell(QTableWidget* grid, int row, int column, const QString& text) {
  if (row < 0 || column < 0 || row >= GridRows(grid) || column >= GridColumns(grid)) return;
  SetCell(grid, GridFixedColumns(grid), row, column, text);
}

void FitGridWidth(QTableWidget* grid) {
  int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
  if (grid->verticalHeader()->isVisibleTo(grid)) width += grid->verticalHeader()->width();
  for (int c = 0; c < grid->columnCount(); ++c) width += grid->columnWidth(c);
  grid->setMinimumWidth(width);
  grid->setProperty(kFitWidthProperty, true);
}

void SetGridColumnWidth(QTableWidget* grid, int column, int width) {
  const int fixed = GridFixedColumns(grid);
  if (column < fixed) {
    grid->verticalHeader()->setFixedWidth(width);
  } else {
    grid->setColumnWidth(column - fixed, width);
  }
}

void WidenClippedColumns(QTableWidget* grid) {
  bool widened = false;
  grid->ensurePolished();
  const QFontMetricsF metrics(grid->font());
  for (int c = 0; c < grid->columnCount(); ++c) {
    const int needed =
        std::max(NeededColumnWidth(grid, c, metrics), grid->horizontalHeader()->sectionSizeHint(c));
    if (needed > grid->columnWidth(c)) {
      grid->setColumnWidth(c, needed);
      widened = true;
    }
  }
  QHeaderView* side = grid->verticalHeader();
  if (GridFixedColumns(grid) > 0 && side->sizeHint().width() > side->minimumWidth()) {
    side->setFixedWidth(side->sizeHint().width());
    widened = true;
  }
  if (widened && grid->property(kFitWidthProperty).toBool()) FitGridWidth(grid);
}

void SetStandingHints(QWidget* root) {
  for (const ControlHint& hint : ControlHints()) {
    auto* widget = root->findChild<QWidget*>(hint.Control);
    if (!widget) continue;
    widget->setProperty(kStandingHintProperty, QString::fromUtf8(hint.Hint));
    widget->setToolTip(QString::fromUtf8(hint.Hint));
  }
}

QStringList ApplyTabContent(QWidget* root, const TabContent& content) {
  QStringList missing;
  ApplyEach(root, content.Fields, ApplyField, missing);
  ApplyEach(
      root, content.Checks,
      [](QWidget* widget, const CheckContent& check) {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (button) button->setChecked(check.Checked);
        return button != nullptr;
      },
      missing);
  ApplyEach(root, content.Lists, ApplyLines, missing);
  ApplyEach(root, content.Grids, ApplyGrid, missing);
  return missing;
}

}  // namespace vek5
