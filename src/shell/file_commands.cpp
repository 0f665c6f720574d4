// The ways a file reaches the window: the file bar above the pages, the file dialogs (seams
// that tests replace), the keys and drag and drop.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

#include "shell/main_window.h"
#include "shell/recent_files.h"
#include "shell/widgets.h"
#include "views/window_texts.h"

namespace vek5 {

QLayout* MainWindow::CreateFileBar() {
  auto* top = new QGridLayout;
  SavePathLabel = NewLabel(this, "SavePathLabel", "Path");
  FileDateLabel = NewLabel(this, "FileDateLabel", "File date");
  SavePath = NewEdit(this, "SavePath", false);
  FileDate = NewEdit(this, "FileDate");
  FileDate->setFixedWidth(FileDate->fontMetrics().horizontalAdvance("0000-00-00 00:00:00") + 16);
  LoadFileButton = new QPushButton("Load File", this);
  LoadFileButton->setObjectName("LoadFileButton");
  LoadPathButton = new QPushButton("Load It", this);
  LoadPathButton->setObjectName("LoadPathButton");
  LoadFolderButton = new QPushButton("Load Folder", this);
  LoadFolderButton->setObjectName("LoadFolderButton");
  SaveFileButton = new QPushButton("Save File", this);
  SaveFileButton->setObjectName("SaveFileButton");
  top->addWidget(SavePathLabel, 0, 0);
  top->addWidget(SavePath, 0, 1);
  top->addWidget(LoadFileButton, 0, 2);
  top->addWidget(LoadPathButton, 0, 3);
  top->addWidget(LoadFolderButton, 0, 4);
  top->addWidget(SaveFileButton, 0, 5);
  RecentButton = new QToolButton(this);
  RecentButton->setObjectName("RecentButton");
  RecentButton->setText("Recent");
  RecentButton->setToolTip("Open one of the saves opened lately");
  RecentButton->setPopupMode(QToolButton::InstantPopup);
  RecentButton->setMenu(new QMenu(RecentButton));
  top->addWidget(RecentButton, 0, 6);
  FollowButton = new QPushButton("Follow Folder...", this);
  FollowButton->setObjectName("FollowButton");
  FollowButton->setCheckable(true);
  FollowButton->setToolTip(
      "Watch a folder and load the newest save in it whenever one appears or changes; "
      "click again to stop");
  top->addWidget(FollowButton, 0, 7);
  top->addWidget(FileDateLabel, 1, 0);
  top->addWidget(FileDate, 1, 1, Qt::AlignLeft);
  top->setColumnStretch(1, 1);
  SaveFileButton->setEnabled(false);  // the export stays unreachable from the window
  return top;
}

void MainWindow::SetDefaultDialogs() {
  ShowError = [this](const QString& message) {
    QMessageBox::critical(this, kProgramName, message);
  };
  ChooseOpenFile = [this] {
    QSettings settings;
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Open a Vek5 save"), settings.value(settings_key::kLastFolder).toString(),
        tr("Vek5 saves (*.Vek5Save);;All files (*)"));
    if (!file.isEmpty())
      settings.setValue(settings_key::kLastFolder, QFileInfo(file).absolutePath());
    return file;
  };
  ChooseFolder = [this] {
    return QFileDialog::getExistingDirectory(
        this, tr("Choose a folder of saves"),
        QSettings().value(settings_key::kLastFolder).toString());
  };
  ChooseCsvFile = [this] {
    QString file = QFileDialog::getSaveFileName(
        this, tr("Export the statistic as CSV"),
        QSettings().value(settings_key::kLastFolder).toString(), tr("CSV table (*.csv)"));
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) file += ".csv";
    return file;
  };
  ChooseReportFile = [this] {
    QString file = QFileDialog::getSaveFileName(
        this, tr("Save the report"), QSettings().value(settings_key::kLastFolder).toString(),
        tr("HTML page (*.html)"));
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) file += ".html";
    return file;
  };
  ChooseImageFile = [this] {
    QString selected_filter;
    QString file = QFileDialog::getSaveFileName(
        this, tr("Save as a picture"), QSettings().value(settings_key::kLastFolder).toString(),
        tr("PNG image (*.png);;SVG image (*.svg)"), &selected_filter);
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) {
      file += selected_filter.contains("svg") ? ".svg" : ".png";
    }
    return file;
  };
  ChooseSaveFile = [this] {
    return QFileDialog::getSaveFileName(this, QString(), SavePath->text());
  };
  ShowStatus = [this](const QString& message) { StatusLine->showMessage(message); };
}

void MainWindow::ConnectKeys() {
  connect(SavePath, &QLineEdit::returnPressed, this, &MainWindow::LoadNamedFile);
  // Enter on a focused button presses it, as Space does.
  for (QPushButton* button : findChildren<QPushButton*>()) button->installEventFilter(this);
  const auto shortcut = [this](const QKeySequence& keys, auto action) {
    auto* key = new QShortcut(keys, this);
    key->setContext(Qt::WindowShortcut);
    connect(key, &QShortcut::activated, this, action);
  };
  shortcut(QKeySequence::Open, &MainWindow::OpenFile);
  shortcut(QKeySequence::Refresh, &MainWindow::ReloadFile);
  // The tab keys work from every control, the path box included.
  const auto step = [this](int by) {
    const int count = PageControls->count();
    int page = PageControls->currentIndex();
    do page = (page + by + count) % count;
    while (!PageControls->isTabVisible(page));
    PageControls->setCurrentIndex(page);
  };
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}) {
    shortcut(keys, [step] { step(1); });
  }
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                   QKeySequence(Qt::CTRL | Qt::Key_PageUp)}) {
    shortcut(keys, [step] { step(-1); });
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      button->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

// One file is loaded; a folder or several files are analysed as a series.
void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  QStringList paths;
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  if (paths.size() == 1 && !QFileInfo(paths.first()).isDir()) {
    LoadFile(paths.first());
  } else {
    AnalyseSeries(paths);
  }
}

}  // namespace vek5
