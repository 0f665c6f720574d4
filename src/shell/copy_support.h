// Copying out of the window's grids and lists: Ctrl+C and a context menu with Copy and
// Select All. A grid copies its selected cells as tab-separated rows that paste into a
// spreadsheet, with the header row when whole columns are selected; a list copies its
// selected lines.
#pragma once

#include <QString>

class QAbstractItemView;
class QListWidget;
class QTableWidget;

namespace vek5 {

// The selected cells of the grid's selection's bounding rectangle, a row per line, cells
// separated by tabs and without their padding; a grid whose first content column is its row
// header has that column first.
QString GridSelectionText(const QTableWidget* grid);
// The selected lines, in list order.
QString ListSelectionText(const QListWidget* list);

// Gives a grid or list the copy shortcut and the context menu.
void EnableCopy(QAbstractItemView* view);

}  // namespace vek5
