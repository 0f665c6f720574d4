// Builders of the pages' controls: each gives a control its object name (the name the views
// address it by) and the look the pages share; captions are named after their control
// ("<control>Label").
#pragma once

#include <QColor>
#include <QString>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTableWidget;
class QVBoxLayout;
class QWidget;

namespace vek5 {

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption);
// The caption of a control, named after it.
QLabel* CaptionOf(QWidget* parent, const char* control, const QString& caption);
// An edit box; a read-only one is left out of the Tab order.
QLineEdit* NewEdit(QWidget* parent, const char* name, bool read_only = true);
QComboBox* NewSelector(QWidget* parent, const char* name, int visible_items);
// A read-only box of coloured lines.
QPlainTextEdit* NewRichText(QWidget* parent, const char* name, bool wrap, bool fixed_pitch);
// A list box of fixed-pitch lines, at least the given width.
QListWidget* NewListBox(QWidget* parent, const char* name, int width);
QCheckBox* NewCheck(QWidget* parent, const char* name, const QString& caption);
// A check box that shows a value; the user does not toggle it.
QCheckBox* NewDisplayCheck(QWidget* parent, const char* name, const QString& caption);

struct GridShape {
  int Columns = 0;
  int Rows = 0;
  int FixedColumns = 0;
  int DefaultColumnWidth = 64;
  bool FixedPitch = false;
};
QTableWidget* NewGrid(QWidget* parent, const char* name, const GridShape& shape);
// Header texts and column widths of a grid whose header row the page sets itself.
// Sets a grid's header row and column widths, then widens columns the texts would overflow
// and fits the grid's width to its columns.
void SetGridHeader(QTableWidget* grid, const std::vector<const char*>& headers,
                   const std::vector<int>& widths);

// A caption above its edit box.
QVBoxLayout* CaptionAbove(QWidget* page, const char* control, const QString& caption,
                          QLineEdit** edit_out = nullptr);
// A row of a form grid: caption, edit box and an optional second edit box on the same row.
void AddFieldRow(QGridLayout* grid, QWidget* page, int row, const char* control,
                 const QString& caption, const char* second = nullptr);
// The "Turn", "Date", "Event" captions above a dated text view, over its columns.
QHBoxLayout* EventCaptions(QWidget* page, const char* prefix);
// A one-line key to a colour the page uses, written in that colour.
QLabel* Legend(QWidget* page, const char* name, Qt::GlobalColor colour, const QString& text);

// A page that scrolls when the window is smaller than the page needs, instead of drawing its
// controls over each other. The scroll area takes the page's name (tests and the tab switching
// address pages by it); the page inside is its "Content".
QWidget* Scrolled(QWidget* page);

}  // namespace vek5
