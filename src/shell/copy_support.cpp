#include "shell/copy_support.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidget>
#include <QTableWidget>
#include <algorithm>
#include <climits>

#include "shell/apply_content.h"

namespace vek5 {
namespace {

QString SelectionText(const QAbstractItemView* view) {
  if (const auto* grid = qobject_cast<const QTableWidget*>(view)) return GridSelectionText(grid);
  if (const auto* list = qobject_cast<const QListWidget*>(view)) return ListSelectionText(list);
  return {};
}

void CopySelection(const QAbstractItemView* view) {
  const QString text = SelectionText(view);
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

// Catches the copy key before the view's own handling, which copies only the current cell.
class CopyKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
      CopySelection(static_cast<QAbstractItemView*>(watched));
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

QString GridSelectionText(const QTableWidget* grid) {
  const QModelIndexList selected = grid->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return {};
  int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
  for (const QModelIndex& index : selected) {
    top = std::min(top, index.row());
    bottom = std::max(bottom, index.row());
    left = std::min(left, index.column());
    right = std::max(right, index.column());
  }
  bool whole_columns = true;
  for (int c = left; c <= right && whole_columns; ++c) {
    whole_columns = grid->selectionModel()->isColumnSelected(c, QModelIndex());
  }
  const int fixed = GridFixedColumns(grid);
  // Content rows are grid rows + 1 (row 0 is the header); content columns are shifted by the
  // fixed column, which is copied too.
  const int first_row = whole_columns ? 0 : top + 1;
  QStringList lines;
  for (int r = first_row; r <= bottom + 1; ++r) {
    QStringList cells;
    if (fixed > 0) cells << GridCell(grid, r, 0).trimmed();
    for (int c = left; c <= right; ++c) cells << GridCell(grid, r, c + fixed).trimmed();
    lines << cells.join('\t');
  }
  return lines.join('\n') + '\n';
}

QString ListSelectionText(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) {
    if (list->item(i)->isSelected()) lines << list->item(i)->text();
  }
  return lines.isEmpty() ? QString() : lines.join('\n') + '\n';
}

void EnableCopy(QAbstractItemView* view) {
  view->installEventFilter(new CopyKeyFilter(view));
  view->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* copy = new QAction(QObject::tr("Copy"), view);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  QObject::connect(copy, &QAction::triggered, view, [view] { CopySelection(view); });
  auto* select_all = new QAction(QObject::tr("Select All"), view);
  select_all->setShortcut(QKeySequence::SelectAll);
  select_all->setShortcutContext(Qt::WidgetShortcut);
  QObject::connect(select_all, &QAction::triggered, view, [view] { view->selectAll(); });
  view->addAction(copy);
  view->addAction(select_all);
}

}  // namespace vek5
