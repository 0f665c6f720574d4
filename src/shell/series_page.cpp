#include "shell/series_page.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "series/save_search.h"
#include "shell/apply_content.h"
#include "views/series_html.h"
#include "views/series_report.h"

namespace vek5 {
namespace {

constexpr int kSaveRole = Qt::UserRole;
constexpr int kSortRole = Qt::UserRole + 1;
constexpr int kDetailsRole = Qt::UserRole + 2;
const QColor kWarningColour(192, 0, 0);

// The first columns (file, turn, verdict, loads) are as wide as their texts, up to these widths
// in average characters, so that the columns after them take what is left.
constexpr int kKeyColumnChars[] = {44, 20, 40, 10};

// A row that sorts numerically when its column holds numbers.
class SeriesItem : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const QVariant a = data(column, kSortRole);
    const QVariant b = other.data(column, kSortRole);
    if (a.isValid() && b.isValid()) return a.toLongLong() < b.toLongLong();
    if (a.isValid() != b.isValid()) return a.isValid();  // empty cells last
    return QTreeWidgetItem::operator<(other);
  }
};

std::string LocalName(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

SeriesPage::SeriesPage(SaveOnScreen& save, WindowServices& window)
    : Page("SeriesTab", "Series", save, window) {
  SeriesProgress = new QProgressBar(this);
  SeriesProgress->setObjectName("SeriesProgress");
  SeriesProgress->setFormat("%v / %m saves");
  SeriesProgress->setRange(0, 1);
  SeriesProgress->setValue(0);
  SeriesCancel = new QPushButton("Cancel", this);
  SeriesCancel->setObjectName("SeriesCancel");
  SeriesCancel->setEnabled(false);
  SeriesStatus = new QLabel(this);
  SeriesStatus->setObjectName("SeriesStatus");
  auto* top = new QHBoxLayout;
  top->addWidget(SeriesProgress, 1);
  top->addWidget(SeriesCancel);
  top->addWidget(SeriesStatus, 1);

  SeriesReportButton = new QPushButton("Save Report...", this);
  SeriesReportButton->setObjectName("SeriesReportButton");
  SeriesReportButton->setToolTip("Write the games and their verdicts as one HTML page");
  SeriesReportButton->setEnabled(false);
  top->addWidget(SeriesReportButton);

  const std::vector<std::string> headers = SeriesTreeHeaders();
  SeriesTree = new QTreeWidget(this);
  SeriesTree->setObjectName("SeriesTree");
  SeriesTree->setColumnCount(static_cast<int>(headers.size()));
  QStringList labels;
  for (const std::string& header : headers) labels << QString::fromStdString(header);
  SeriesTree->setHeaderLabels(labels);
  SeriesTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SeriesTree->setSelectionBehavior(QAbstractItemView::SelectRows);
  SeriesTree->setSelectionMode(QAbstractItemView::SingleSelection);
  SeriesTree->setWordWrap(false);
  SeriesTree->setUniformRowHeights(true);
  // The tree never scrolls sideways, so the first columns are always in view; the last one
  // takes what is left and elides its text.
  SeriesTree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SeriesTree->header()->setStretchLastSection(true);
  SeriesTree->header()->setSectionsMovable(false);
  const int average = SeriesTree->fontMetrics().averageCharWidth();
  for (int c = 0; c < static_cast<int>(std::size(kKeyColumnChars)); ++c) {
    SeriesTree->setColumnWidth(c, kKeyColumnChars[c] * average);
  }

  SeriesDetails = new QPlainTextEdit(this);
  SeriesDetails->setObjectName("SeriesDetails");
  SeriesDetails->setReadOnly(true);
  SeriesDetails->setFont(FixedPitchFont());

  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(SeriesTree);
  split->addWidget(SeriesDetails);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(split, 1);

  connect(SeriesCancel, &QPushButton::clicked, this, &SeriesPage::Cancel);
  connect(SeriesReportButton, &QPushButton::clicked, this, &SeriesPage::SaveReport);
  connect(SeriesTree, &QTreeWidget::itemSelectionChanged, this, &SeriesPage::ShowDetails);
  connect(SeriesTree, &QTreeWidget::itemDoubleClicked, this, [this] { ActivateCurrentRow(); });
  SeriesTree->installEventFilter(this);
}

bool SeriesPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SeriesTree && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ActivateCurrentRow();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

SeriesPage::~SeriesPage() {
  StopWorker();
}

void SeriesPage::StopWorker() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void SeriesPage::Analyse(const QStringList& paths) {
  StopWorker();
  std::vector<std::string> names;
  for (const QString& path : paths) names.push_back(LocalName(path));
  const std::vector<std::string> files = FindSaveFiles(names);

  const uint64_t batch = ++batch_;
  cancel_ = false;
  result_ = SeriesResult{};
  result_.Saves.resize(files.size());
  SeriesTree->setSortingEnabled(false);
  SeriesTree->clear();
  SeriesDetails->clear();
  SeriesReportButton->setEnabled(false);
  SeriesProgress->setRange(0, std::max<int>(static_cast<int>(files.size()), 1));
  SeriesProgress->setValue(0);
  SeriesStatus->setText(QString("Analysing %1 saves").arg(files.size()));
  SeriesCancel->setEnabled(true);

  // Results reach the window through its event queue; those of a replaced batch are dropped.
  worker_ = std::thread([this, files, batch] {
    BatchOptions options;
    options.Cancel = &cancel_;
    options.OnSave = [this, batch](size_t index, const SaveRecord& record) {
      SaveRecord row{record.Path, record.Error, record.Summary, {}, {}, {}};
      QMetaObject::invokeMethod(
          this,
          [this, batch, index, row = std::move(row)] {
            if (batch == batch_) SaveAnalysed(index, row);
          },
          Qt::QueuedConnection);
    };
    auto records = std::make_shared<std::vector<SaveRecord>>(AnalyseSaves(files, options));
    QMetaObject::invokeMethod(
        this,
        [this, batch, records] {
          if (batch != batch_) return;
          if (worker_.joinable()) worker_.join();
          BatchDone(std::move(*records));
        },
        Qt::QueuedConnection);
  });
}

void SeriesPage::Cancel() {
  cancel_ = true;
  SeriesStatus->setText("Cancelling");
}

void SeriesPage::SaveAnalysed(size_t index, const SaveRecord& record) {
  if (index >= result_.Saves.size()) return;
  result_.Saves[index] = record;
  ShowRow(new SeriesItem(SeriesTree), SeriesTreeSaveRow(result_, index));
  SeriesProgress->setValue(SeriesProgress->value() + 1);
}

void SeriesPage::BatchDone(std::vector<SaveRecord> records) {
  const bool cancelled = records.size() < result_.Saves.size();
  result_ = MakeSeriesResult(std::move(records));
  SeriesCancel->setEnabled(false);
  size_t failed = 0;
  for (const SaveRecord& save : result_.Saves) failed += save.Loaded() ? 0 : 1;
  SeriesStatus->setText(QString("%1%2 saves, %3 games, %4 failed")
                            .arg(cancelled ? "Cancelled: " : "")
                            .arg(result_.Saves.size())
                            .arg(result_.Games.size())
                            .arg(failed));
  SeriesReportButton->setEnabled(!result_.Saves.empty());
  ShowTree();
  emit Finished();
}

void SeriesPage::ShowTree() {
  SeriesTree->setSortingEnabled(false);
  SeriesTree->clear();
  for (const SeriesTreeRow& game : SeriesTreeRows(result_)) {
    auto* item = new SeriesItem(SeriesTree);
    ShowRow(item, game);
    for (size_t i = 0; i < game.Saves.size(); ++i) {
      auto* save = new SeriesItem(item);
      ShowRow(save, game.Saves[i]);
      save->setData(0, kSortRole, static_cast<qlonglong>(i));  // the game's order
    }
  }
  SeriesTree->expandAll();
  const int average = SeriesTree->fontMetrics().averageCharWidth();
  for (int c = 0; c < static_cast<int>(std::size(kKeyColumnChars)); ++c) {
    SeriesTree->resizeColumnToContents(c);
    SeriesTree->setColumnWidth(c,
                               std::min(SeriesTree->columnWidth(c), kKeyColumnChars[c] * average));
  }
  // Sorting starts from the games' order, which the first column gives in ascending order.
  SeriesTree->sortByColumn(0, Qt::AscendingOrder);
  SeriesTree->setSortingEnabled(true);
  if (SeriesTree->topLevelItemCount() > 0) SeriesTree->setCurrentItem(SeriesTree->topLevelItem(0));
}

void SeriesPage::ShowRow(QTreeWidgetItem* item, const SeriesTreeRow& row) {
  for (size_t c = 0; c < row.Cells.size(); ++c) {
    const int column = static_cast<int>(c);
    const QString text = QString::fromStdString(row.Cells[c].Text);
    item->setText(column, text);
    item->setToolTip(column, text);
    if (row.Cells[c].Number)
      item->setData(column, kSortRole, static_cast<qlonglong>(*row.Cells[c].Number));
  }
  if (row.Save) item->setData(0, kSaveRole, static_cast<qulonglong>(*row.Save));
  item->setData(0, kDetailsRole, QString::fromStdString(row.Details));
  if (row.Warning) item->setForeground(kSeriesTreeVerdictColumn, kWarningColour);
  if (row.CutShort) item->setForeground(kSeriesTreeBodyColumn, kWarningColour);
  if (!row.Save) {
    QFont bold = item->font(0);
    bold.setBold(true);
    for (int c = 0; c < item->columnCount(); ++c) item->setFont(c, bold);
  }
}

void SeriesPage::ShowDetails() {
  const QTreeWidgetItem* item = SeriesTree->currentItem();
  if (!item) return;
  SeriesDetails->setPlainText(item->data(0, kDetailsRole).toString());
}

void SeriesPage::ActivateCurrentRow() {
  const QTreeWidgetItem* item = SeriesTree->currentItem();
  if (!item || !item->data(0, kSaveRole).isValid()) return;
  const size_t save = item->data(0, kSaveRole).toULongLong();
  if (save >= result_.Saves.size()) return;
  emit LoadRequested(QFile::decodeName(QByteArray::fromStdString(result_.Saves[save].Path)));
}

void SeriesPage::SaveReport() {
  const QString file_name = Window().ChooseReportFile();
  if (file_name.isEmpty()) return;
  QSaveFile file(file_name);
  const std::string html = SeriesSummaryHtml(result_);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(html.data(), static_cast<qint64>(html.size())) !=
          static_cast<qint64>(html.size()) ||
      !file.commit()) {
    Window().ShowError("The report could not be written to " + file_name + ": " +
                       file.errorString());
    return;
  }
  Window().ShowStatus("Report written to " + file_name);
}

}  // namespace vek5
