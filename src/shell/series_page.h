// The Series tab: many saves analysed off the window's thread, shown as a tree of games (one row
// per game with its verdict, its saves beneath in order, each with its verdict against the save
// before it), and a details box that tells the chosen row in sentences. "Save Report..." writes
// the batch as an HTML report. Activating a save's row (double-click or Enter) asks the window
// to load that save.
#pragma once

#include <QStringList>
#include <atomic>
#include <memory>
#include <thread>

#include "series/series_result.h"
#include "shell/page.h"
#include "views/series_tree.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vek5 {

class SeriesPage : public Page {
  Q_OBJECT

 public:
  SeriesPage(SaveOnScreen& save, WindowServices& window);
  ~SeriesPage() override;

  // The series does not depend on the save on screen; its table scrolls by itself.
  void ShowSave(AllTabs&) override {}
  bool Scrolls() const override { return false; }

  // Starts analysing the saves the paths name (files and folders); a batch still running is
  // cancelled first. Rows appear as saves are analysed; games and verdicts when all are done.
  void Analyse(const QStringList& paths);
  // Stops a running batch: saves being analysed are finished, no further one is begun.
  void Cancel();
  bool Running() const { return worker_.joinable(); }
  const SeriesResult& Result() const { return result_; }

 protected:
  // Enter on the table activates its current row.
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // The user asked for a save to be loaded into the other tabs.
  void LoadRequested(const QString& path);
  // A batch ended, whether it was completed or cancelled.
  void Finished();

 private:
  void SaveAnalysed(size_t index, const SaveRecord& record);
  void BatchDone(std::vector<SaveRecord> records);
  void ShowTree();
  void ShowRow(QTreeWidgetItem* item, const SeriesTreeRow& row);
  void ShowDetails();
  void ActivateCurrentRow();
  void SaveReport();
  void StopWorker();

  SeriesResult result_;  // the last completed or cancelled batch, or the rows of a running one
  uint64_t batch_ = 0;   // number of the running batch; results of older ones are dropped
  std::atomic<bool> cancel_{false};
  std::thread worker_;

  QPushButton* SeriesCancel = nullptr;
  QProgressBar* SeriesProgress = nullptr;
  QLabel* SeriesStatus = nullptr;
  QPushButton* SeriesReportButton = nullptr;
  QTreeWidget* SeriesTree = nullptr;
  QPlainTextEdit* SeriesDetails = nullptr;
};

}  // namespace vek5
