#include "shell/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include "shell/apply_content.h"

namespace vek5 {

namespace {

constexpr int kGridRowHeight = 16;

}  // namespace

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);  // captions keep their leading blanks
  return label;
}

// The caption of a control is named after it.
QLabel* CaptionOf(QWidget* parent, const char* control, const QString& caption) {
  return NewLabel(parent, QString(control) + "Label", caption);
}

QLineEdit* NewEdit(QWidget* parent, const char* name, bool read_only) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(read_only);
  // Tab moves between the controls one acts on; a box that only shows is still selectable with
  // the mouse.
  if (read_only) edit->setFocusPolicy(Qt::ClickFocus);
  return edit;
}

QComboBox* NewSelector(QWidget* parent, const char* name, int visible_items) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setMaxVisibleItems(visible_items);
  combo->setMinimumContentsLength(18);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return combo;
}

// A read-only box of coloured lines. A plain-text edit lays out only the lines it shows, so a
// long log costs little until it is scrolled; a rich-text edit lays out every line at once.
QPlainTextEdit* NewRichText(QWidget* parent, const char* name, bool wrap, bool fixed_pitch) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  edit->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  if (fixed_pitch) edit->setFont(FixedPitchFont());
  return edit;
}

// A list box of fixed-pitch lines, at least the given width.
QListWidget* NewListBox(QWidget* parent, const char* name, int width) {
  auto* box = new QListWidget(parent);
  box->setObjectName(name);
  box->setFont(FixedPitchFont());
  box->setSelectionMode(QAbstractItemView::ExtendedSelection);
  box->setUniformItemSizes(true);
  box->setMinimumWidth(width);
  return box;
}

QCheckBox* NewCheck(QWidget* parent, const char* name, const QString& caption) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(name);
  return check;
}

// The victory boxes show what the save allows; the user does not toggle them.
QCheckBox* NewDisplayCheck(QWidget* parent, const char* name, const QString& caption) {
  QCheckBox* check = NewCheck(parent, name, caption);
  check->setAttribute(Qt::WA_TransparentForMouseEvents);
  check->setFocusPolicy(Qt::NoFocus);
  return check;
}

QTableWidget* NewGrid(QWidget* parent, const char* name, const GridShape& shape) {
  auto* grid = new QTableWidget(parent);
  grid->setObjectName(name);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setCornerButtonEnabled(false);
  grid->setWordWrap(false);
  // The column widths are the narrow ones of the original layout: clip, never elide, and keep
  // the cell padding small so that a two-digit row number fits a 20-pixel column.
  grid->setTextElideMode(Qt::ElideNone);
  grid->setStyleSheet("QTableWidget::item { padding: 0px 1px; }");
  if (shape.FixedPitch) grid->setFont(FixedPitchFont());
  SetGridFixedColumns(grid, shape.FixedColumns);
  ResizeGrid(grid, shape.Rows, shape.Columns);
  QHeaderView* top = grid->horizontalHeader();
  top->setDefaultSectionSize(shape.DefaultColumnWidth);
  top->setMinimumSectionSize(8);
  top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  top->setHighlightSections(false);
  top->setStretchLastSection(true);  // a wider window widens the grid, not an empty margin
  QHeaderView* side = grid->verticalHeader();
  side->setMinimumSectionSize(kGridRowHeight);
  side->setDefaultSectionSize(kGridRowHeight);
  side->setSectionResizeMode(QHeaderView::Fixed);
  side->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  side->setHighlightSections(false);
  if (shape.FixedColumns > 0) side->setFixedWidth(shape.DefaultColumnWidth);
  // Header cells exist from the start, so every cell can be read back.
  for (int c = 0; c < shape.Columns; ++c) SetGridCell(grid, 0, c, QString());
  for (int r = 1; r < shape.Rows && shape.FixedColumns > 0; ++r) SetGridCell(grid, r, 0, QString());
  return grid;
}

void SetGridHeader(QTableWidget* grid, const std::vector<const char*>& headers,
                   const std::vector<int>& widths) {
  for (size_t c = 0; c < headers.size(); ++c) SetGridCell(grid, 0, static_cast<int>(c), headers[c]);
  for (size_t c = 0; c < widths.size(); ++c) {
    SetGridColumnWidth(grid, static_cast<int>(c), widths[c]);
  }
  WidenClippedColumns(grid);
  FitGridWidth(grid);
}

// A caption above its edit box.
QVBoxLayout* CaptionAbove(QWidget* page, const char* control, const QString& caption,
                          QLineEdit** edit_out) {
  auto* box = new QVBoxLayout;
  box->setSpacing(1);
  box->addWidget(CaptionOf(page, control, caption));
  QLineEdit* edit = NewEdit(page, control);
  box->addWidget(edit);
  if (edit_out) *edit_out = edit;
  return box;
}

// A row of a form grid: caption, edit box and an optional second edit box on the same row.
void AddFieldRow(QGridLayout* grid, QWidget* page, int row, const char* control,
                 const QString& caption, const char* second) {
  grid->addWidget(CaptionOf(page, control, caption), row, 0);
  if (second) {
    grid->addWidget(NewEdit(page, control), row, 1);
    grid->addWidget(NewEdit(page, second), row, 2);
  } else {
    grid->addWidget(NewEdit(page, control), row, 1, 1, 2);
  }
}

// The "Turn", "Date", "Event" captions above a dated text view, placed over the columns of its
// fixed-pitch lines ("%4d" turn, a year of up to seven characters, a month).
QHBoxLayout* EventCaptions(QWidget* page, const char* prefix) {
  const QFont font = FixedPitchFont();
  const int char_width = QFontMetrics(font).horizontalAdvance('0');
  auto* row = new QHBoxLayout;
  row->setSpacing(0);
  row->setContentsMargins(4, 0, 0, 0);
  const struct {
    const char* Suffix;
    const char* Caption;
    int Chars;
  } captions[] = {{"TurnLabel", "Turn", 5}, {"DateLabel", "Date", 12}, {"EventLabel", "Event", 0}};
  for (const auto& c : captions) {
    QLabel* label = NewLabel(page, QString(prefix) + c.Suffix, c.Caption);
    label->setFont(font);
    if (c.Chars > 0) label->setFixedWidth(c.Chars * char_width);
    row->addWidget(label);
  }
  row->addStretch();
  return row;
}

// A one-line key to a colour the page uses, written in that colour.
QLabel* Legend(QWidget* page, const char* name, Qt::GlobalColor colour, const QString& text) {
  QLabel* label = NewLabel(page, name, text);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  return label;
}

// A page that scrolls when the window is smaller than the page needs, instead of drawing its
// controls over each other. The scroll area takes the page's name (tests and the tab
// switching address pages by it); the page inside is its "Content".
QWidget* Scrolled(QWidget* page) {
  auto* area = new QScrollArea;
  area->setObjectName(page->objectName());
  page->setObjectName(page->objectName() + "Content");
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(page);
  return area;
}

}  // namespace vek5
