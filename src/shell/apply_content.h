// Copies a tab's content (plain data keyed by control names) into the Qt controls that carry
// those object names, and the small grid and font helpers the window shares.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include "views/tab_content.h"

class QTableWidget;
class QWidget;

namespace vek5 {

// "Courier New" where the system has it, else the system's fixed-pitch font; at the size of
// the application's font.
QFont FixedPitchFont();

// Grids keep the content's header row in the horizontal header and, for grids with a fixed
// first column, the content's column 0 in the vertical header, so both stay in view while the
// grid scrolls. These helpers address cells in content coordinates (row 0 = header row).
void SetGridFixedColumns(QTableWidget* grid, int fixed_columns);
int GridFixedColumns(const QTableWidget* grid);
int GridRows(const QTableWidget* grid);     // content rows, header row included
int GridColumns(const QTableWidget* grid);  // content columns, fixed column included
void ResizeGrid(QTableWidget* grid, int rows, int columns);
QString GridCell(const QTableWidget* grid, int row, int column);
void SetGridCell(QTableWidget* grid, int row, int column, const QString& text);
// Width of a content column (the vertical header's width for a fixed column).
void SetGridColumnWidth(QTableWidget* grid, int column, int width);
// Makes the grid at least as wide as all its columns, so that none is hidden at start.
void FitGridWidth(QTableWidget* grid);
// The layout's column widths are those of the original, whose font was narrower: a column whose
// text or header would be cut is widened to fit, never narrowed (also the fixed first column).
// A grid fitted by FitGridWidth is fitted again.
void WidenClippedColumns(QTableWidget* grid);

// Gives each control below root its standing hint from the views' table; a hint the content
// gives a control later is shown after it.
void SetStandingHints(QWidget* root);

// Finds the controls below root by object name and sets texts and hints (edit boxes, labels,
// rich texts; an edit box shows its value without the padding the report aligns with), check
// boxes, lines with their colours (list boxes, rich texts; combo boxes take
// the content's selected item and drop-down length instead of colours) and
// grid cells (resizing a grid to the content's shape when it differs). Signals of the controls
// are blocked while they change, so applying content never re-enters a handler. Returns the
// control names that root does not hold.
QStringList ApplyTabContent(QWidget* root, const TabContent& content);

}  // namespace vek5
