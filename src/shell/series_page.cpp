#include "shell/series_page.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "series/save_search.h"
#include "shell/apply_content.h"
#include "views/series_report.h"

namespace vek5 {
namespace {

constexpr int kSaveRole = Qt::UserRole;
constexpr int kSortRole = Qt::UserRole + 1;
const QColor kWarningColour(192, 0, 0);

// A cell that sorts numerically when its column holds numbers.
class SeriesItem : public QTableWidgetItem {
 public:
  using QTableWidgetItem::QTableWidgetItem;
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant a = data(kSortRole);
    const QVariant b = other.data(kSortRole);
    if (a.isValid() && b.isValid()) return a.toLongLong() < b.toLongLong();
    if (a.isValid() != b.isValid()) return a.isValid();  // empty cells last
    return QTableWidgetItem::operator<(other);
  }
};

std::string LocalName(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// The batch order of the rows: by game, each game's saves in its order, failed files last.
std::vector<size_t> GroupedOrder(const SeriesResult& result) {
  std::vector<size_t> order;
  for (const Game& game : result.Games)
    order.insert(order.end(), game.Saves.begin(), game.Saves.end());
  for (size_t i = 0; i < result.Saves.size(); ++i) {
    if (!result.Saves[i].Loaded()) order.push_back(i);
  }
  return order;
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

  const std::vector<std::string> headers = SeriesTableHeaders();
  SeriesGrid = new QTableWidget(0, static_cast<int>(headers.size()), this);
  SeriesGrid->setObjectName("SeriesGrid");
  QStringList labels;
  for (const std::string& header : headers) labels << QString::fromStdString(header);
  SeriesGrid->setHorizontalHeaderLabels(labels);
  SeriesGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SeriesGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  SeriesGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  SeriesGrid->setWordWrap(false);
  SeriesGrid->verticalHeader()->setVisible(false);
  SeriesGrid->verticalHeader()->setDefaultSectionSize(SeriesGrid->fontMetrics().height() + 4);
  SeriesGrid->horizontalHeader()->setStretchLastSection(true);

  SeriesDetails = new QPlainTextEdit(this);
  SeriesDetails->setObjectName("SeriesDetails");
  SeriesDetails->setReadOnly(true);
  SeriesDetails->setFont(FixedPitchFont());

  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(SeriesGrid);
  split->addWidget(SeriesDetails);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(split, 1);

  connect(SeriesCancel, &QPushButton::clicked, this, &SeriesPage::Cancel);
  connect(SeriesGrid, &QTableWidget::itemSelectionChanged, this, &SeriesPage::ShowDetails);
  connect(SeriesGrid, &QTableWidget::cellDoubleClicked, this, [this] { ActivateCurrentRow(); });
  SeriesGrid->installEventFilter(this);
}

bool SeriesPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SeriesGrid && event->type() == QEvent::KeyPress) {
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
  SeriesGrid->setSortingEnabled(false);
  SeriesGrid->setRowCount(0);
  SeriesDetails->clear();
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
  const int row = SeriesGrid->rowCount();
  SeriesGrid->setRowCount(row + 1);
  ShowRow(row, index);
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
  ShowTable();
  emit Finished();
}

void SeriesPage::ShowTable() {
  SeriesGrid->setSortingEnabled(false);
  const std::vector<size_t> order = GroupedOrder(result_);
  SeriesGrid->setRowCount(static_cast<int>(order.size()));
  for (size_t r = 0; r < order.size(); ++r) ShowRow(static_cast<int>(r), order[r]);
  SeriesGrid->resizeColumnsToContents();
  // Sorting starts from the grouped order, which the game column gives in ascending order.
  SeriesGrid->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
  SeriesGrid->setSortingEnabled(true);
}

void SeriesPage::ShowRow(int row, size_t save) {
  const std::vector<SeriesCell> cells = SeriesTableRow(result_, save);
  const bool warning = VerdictIsWarning(result_, save);
  for (size_t c = 0; c < cells.size(); ++c) {
    auto* item = new SeriesItem(QString::fromStdString(cells[c].Text));
    item->setData(kSaveRole, static_cast<qulonglong>(save));
    if (cells[c].Number) item->setData(kSortRole, static_cast<qlonglong>(*cells[c].Number));
    if (warning && static_cast<int>(c) == kSeriesVerdictColumn) item->setForeground(kWarningColour);
    SeriesGrid->setItem(row, static_cast<int>(c), item);
  }
}

void SeriesPage::ShowDetails() {
  const QTableWidgetItem* item = SeriesGrid->item(SeriesGrid->currentRow(), 0);
  if (!item) return;
  const size_t save = item->data(kSaveRole).toULongLong();
  if (save >= result_.Saves.size()) return;
  SeriesDetails->setPlainText(QString::fromStdString(SaveDetailsText(result_, save)));
}

void SeriesPage::ActivateCurrentRow() {
  const QTableWidgetItem* item = SeriesGrid->item(SeriesGrid->currentRow(), 0);
  if (!item) return;
  const size_t save = item->data(kSaveRole).toULongLong();
  if (save >= result_.Saves.size()) return;
  emit LoadRequested(QFile::decodeName(QByteArray::fromStdString(result_.Saves[save].Path)));
}

}  // namespace vek5
