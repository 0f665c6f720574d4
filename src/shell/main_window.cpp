#include "shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

#include "analysis/save5_analyse.h"
#include "shell/apply_content.h"
#include "shell/base_page.h"
#include "shell/cities_page.h"
#include "shell/copy_support.h"
#include "shell/folder_follower.h"
#include "shell/graph_page.h"
#include "shell/map_page.h"
#include "shell/player_log_page.h"
#include "shell/player_page.h"
#include "shell/policy_page.h"
#include "shell/recent_files.h"
#include "shell/reloads_page.h"
#include "shell/series_page.h"
#include "shell/stats_page.h"
#include "shell/text_pages.h"
#include "shell/widgets.h"
#include "views/window_texts.h"

namespace vek5 {
namespace {

// The busy cursor for the length of a load.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// Holds the painting of a widget and its children for the length of a scope; one update then
// covers every change made meanwhile. A widget whose painting is already held (through a
// parent) is left alone: disabling it again would keep it disabled when the parent is enabled.
class UpdatesHeld {
 public:
  explicit UpdatesHeld(QWidget* widget) : held_(widget->updatesEnabled() ? widget : nullptr) {
    if (held_) held_->setUpdatesEnabled(false);
  }
  ~UpdatesHeld() {
    if (held_) held_->setUpdatesEnabled(true);
  }
  UpdatesHeld(const UpdatesHeld&) = delete;
  UpdatesHeld& operator=(const UpdatesHeld&) = delete;

 private:
  QWidget* held_;  // null when the painting was held already
};

// The file's name as the C library expects it on this system (UTF-8 on Linux).
std::string LocalFileName(const QString& file_name) {
  return QFile::encodeName(file_name).toStdString();
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

// The model before any load: empty, without history sets (a load brings its own).
MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  save_.State = std::make_unique<GameState>();
  setWindowTitle(kProgramName);
  setAcceptDrops(true);
  SetDefaultDialogs();
  follower_ = new FolderFollower(this);
  CreateControls();
  SetStandingHints(this);
  for (QTableWidget* grid : findChildren<QTableWidget*>()) EnableCopy(grid);
  for (QListWidget* list : findChildren<QListWidget*>()) {
    if (list->selectionMode() != QAbstractItemView::NoSelection) EnableCopy(list);
  }
  ConnectHandlers();
  ConnectKeys();
  FitToScreen();
  RestoreSettings();
}

MainWindow::~MainWindow() = default;

const GraphContent& MainWindow::Graph() const {
  return graph_page_->Graph();
}

// The window never asks for more than the screen offers: its minimum and its start size stay
// within 90 % of the screen's available area, at any scale factor. Below the preferred
// minimum the pages scroll.
void MainWindow::FitToScreen() {
  constexpr QSize kPreferredStart(1180, 760);
  constexpr double kScreenShare = 0.9;
  QSize available(kPreferredStart);
  if (const QScreen* shown_on = screen()) available = shown_on->availableGeometry().size();
  const QSize most(static_cast<int>(available.width() * kScreenShare),
                   static_cast<int>(available.height() * kScreenShare));
  setMinimumSize(kWindowMinimumSize.boundedTo(most));
  resize(kPreferredStart.boundedTo(most).expandedTo(minimumSize()));
}

// A first start, with nothing remembered, keeps the start-up defaults.
void MainWindow::RestoreSettings() {
  QSettings settings;
  const QByteArray geometry = settings.value(settings_key::kGeometry).toByteArray();
  if (!geometry.isEmpty()) restoreGeometry(geometry);
  const int tab = settings.value(settings_key::kActiveTab, -1).toInt();
  if (tab >= 0 && tab < PageControls->count() && PageControls->isTabVisible(tab)) {
    PageControls->setCurrentIndex(tab);
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QSettings().setValue(settings_key::kGeometry, saveGeometry());
  QWidget::closeEvent(event);
}

void MainWindow::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(CreateFileBar());

  // Said above the tabs, so that no page is read as whole when the save was cut short.
  EndsEarlyBar = new QLabel(this);
  EndsEarlyBar->setObjectName("EndsEarlyBar");
  EndsEarlyBar->setWordWrap(true);
  EndsEarlyBar->setStyleSheet(
      "QLabel { background: #FFF3C4; color: black; border: 1px solid #C9A227; padding: 4px; }");
  EndsEarlyBar->hide();
  layout->addWidget(EndsEarlyBar);

  CreatePages();
  layout->addWidget(PageControls, 1);

  StatusLine = new QStatusBar(this);
  StatusLine->setObjectName("StatusLine");
  StatusLine->setSizeGripEnabled(false);
  FollowLabel = new QLabel(StatusLine);
  FollowLabel->setObjectName("FollowLabel");
  FollowLabel->hide();
  StatusLine->addPermanentWidget(FollowLabel);
  layout->addWidget(StatusLine);
}

// The pages in tab order. A new page is made here; everything else reaches it through Page.
void MainWindow::CreatePages() {
  // The tab widget first: the keyboard focus starts at the first control made.
  PageControls = new QTabWidget(this);
  PageControls->setObjectName("PageControls");
  SaveOnScreen& save = save_;
  WindowServices& window = *this;
  base_page_ = new BasePage(save, window);
  graph_page_ = new GraphPage(save, window);
  test_page_ = NewTextPage(TextPageKind::kTest, save, window);
  series_page_ = new SeriesPage(save, window);
  pages_ = {base_page_,
            new MapPage(save, window),
            NewTextPage(TextPageKind::kLeaders, save, window),
            NewTextPage(TextPageKind::kReplay, save, window),
            new PlayerLogPage(save, window),
            new ReloadsPage(save, window),
            graph_page_,
            new CitiesPage(save, window),
            new PolicyPage(save, window),
            new PlayerPage(save, window),
            new StatsPage(save, window),
            NewTextPage(TextPageKind::kCityStates, save, window),
            test_page_,
            NewTextPage(TextPageKind::kLeague, save, window),
            series_page_};
  for (Page* page : pages_) {
    PageControls->addTab(page->Scrolls() ? Scrolled(page) : page, page->Caption());
  }
  PageControls->setElideMode(Qt::ElideNone);
  PageControls->setTabVisible(pages_.indexOf(test_page_), false);
  ShowPage(base_page_);
}

void MainWindow::ShowPage(const Page* page) {
  PageControls->setCurrentIndex(static_cast<int>(pages_.indexOf(page)));
}

void MainWindow::ConnectHandlers() {
  connect(LoadFileButton, &QPushButton::clicked, this, &MainWindow::OpenFile);
  connect(SaveFileButton, &QPushButton::clicked, this, &MainWindow::ExportSaveImage);
  connect(LoadPathButton, &QPushButton::clicked, this, &MainWindow::LoadNamedFile);
  connect(LoadFolderButton, &QPushButton::clicked, this, &MainWindow::LoadFolder);
  connect(series_page_, &SeriesPage::LoadRequested, this, [this](const QString& file) {
    // A save picked from the series is looked at from its first page.
    if (LoadFile(file)) ShowPage(base_page_);
  });
  connect(FollowButton, &QPushButton::clicked, this, &MainWindow::ToggleFollowFolder);
  connect(follower_, &FolderFollower::SaveReady, this,
          [this](const QString& file) { LoadFile(file, LoadMode::kFollowing); });
  connect(PageControls, &QTabWidget::currentChanged, this,
          [](int tab) { QSettings().setValue(settings_key::kActiveTab, tab); });
  QMenu* recent = RecentButton->menu();
  connect(recent, &QMenu::aboutToShow, this, [this, recent] {
    FillRecentMenu(recent, [this](const QString& file) { LoadFile(file); });
  });
}

// ---- Loading ----

bool MainWindow::LoadFile(const QString& file_name, LoadMode mode) {
  if (file_name.isEmpty()) return false;
  QElapsedTimer clock;
  clock.start();
  try {
    std::unique_ptr<SaveImage> image;
    std::unique_ptr<GameState> state;
    {
      const BusyCursor busy;
      image = std::make_unique<SaveImage>(LoadSaveForAnalysis(LocalFileName(file_name)));
      state = Save5Analyse(*image);
    }
    // Both succeeded: the new save replaces the old one as a whole.
    KeepSelection();
    save_.Image = std::move(image);
    save_.State = std::move(state);
    save_.View = FreshViewState(*save_.State);
    const BusyCursor busy;
    SavePath->setText(file_name);
    FileDate->setText(QString::fromStdString(save_.Image->FileDate));
    ShowSave();
    RestoreSelection(mode);
    WriteRecentFiles(WithRecentFile(ReadRecentFiles(), QFileInfo(file_name).absoluteFilePath()));
    const std::string notice = EndsEarlyNotice(State());
    EndsEarlyBar->setText(Text(notice));
    EndsEarlyBar->setVisible(!notice.empty());
    const QFileInfo file(file_name);
    setWindowTitle(Text(WindowTitle(State(), file.completeBaseName().toStdString())));
    StatusLine->showMessage(Text(LoadStatusLine(State(), file.fileName().toStdString(),
                                                static_cast<double>(clock.elapsed()) / 1000)));
    return true;
  } catch (const std::exception& error) {
    // The path box goes back to the save on screen; before the first load it keeps the name
    // that failed, so that a mistyped one can be corrected.
    if (save_.Image) {
      SavePath->setText(QFile::decodeName(QByteArray::fromStdString(save_.Image->FileName)));
    } else {
      SavePath->setText(file_name);
    }
    const QString failed = tr("Cannot load \"%1\".").arg(QDir::toNativeSeparators(file_name));
    const QString message = QString::fromUtf8(error.what());
    if (mode == LoadMode::kFollowing) {
      StatusLine->showMessage(failed + " " + message.section('\n', 0, 0) + " " +
                              tr("The analysis shown is of the save before."));
    } else {
      ShowError(failed + "\n\n" + message);
    }
    return false;
  }
}

// The text tabs' content is built once, in the order the content builders keep (the same order
// as the report's); after a load every player selector shows its first player.
void MainWindow::ShowSave() {
  const UpdatesHeld held(this);
  AllTabs built = BuildAllTabs(State(), save_.View, TabSelection{});
  for (Page* page : pages_) page->ShowSave(built);
}

void MainWindow::KeepSelection() {
  kept_page_ = PageControls->currentWidget();
  for (Page* page : pages_) page->KeepSelection();
}

// The graph chooses again last: the player log's and the cities' dates move the views' count of
// turns played, which the graph reads.
void MainWindow::RestoreSelection(LoadMode mode) {
  for (Page* page : pages_) {
    if (page != graph_page_) page->RestoreSelection(mode);
  }
  if (kept_page_) PageControls->setCurrentWidget(kept_page_);
  graph_page_->RestoreSelection(mode);
}

// ---- The file commands ----

void MainWindow::OpenFile() {
  const QString file_name = ChooseOpenFile();
  if (!file_name.isEmpty()) LoadFile(file_name);
}

void MainWindow::LoadNamedFile() {
  if (SavePath->text().trimmed().isEmpty()) {
    StatusLine->showMessage(tr("Type the path of a save first, or use \"Load File\"."));
    return;
  }
  LoadFile(SavePath->text().trimmed());
}

// F5: the save on screen, read again from its file.
void MainWindow::ReloadFile() {
  if (save_.Image) LoadFile(QFile::decodeName(QByteArray::fromStdString(save_.Image->FileName)));
}

void MainWindow::LoadFolder() {
  const QString folder = ChooseFolder();
  if (!folder.isEmpty()) AnalyseSeries({folder});
}

void MainWindow::AnalyseSeries(const QStringList& paths) {
  ShowPage(series_page_);
  series_page_->Analyse(paths);
}

void MainWindow::ExportSaveImage() {
  if (!save_.Image) return;
  const QString file_name = ChooseSaveFile();
  if (file_name.isEmpty()) return;
  try {
    ExportImage(*save_.Image, LocalFileName(file_name));
  } catch (const std::exception& error) {
    ShowError(QString::fromUtf8(error.what()));
  }
}

void MainWindow::ToggleFollowFolder() {
  if (follower_->IsFollowing()) {
    follower_->Stop();
  } else {
    const QString folder = ChooseFolder();
    if (!folder.isEmpty() && !follower_->Start(folder)) {
      ShowError(tr("Cannot follow \"%1\": it is not a folder that can be watched.")
                    .arg(QDir::toNativeSeparators(folder)));
    }
  }
  const bool following = follower_->IsFollowing();
  FollowButton->setChecked(following);
  FollowButton->setText(following ? tr("Stop Following") : tr("Follow Folder..."));
  FollowLabel->setText(following
                           ? tr("Following %1").arg(QDir::toNativeSeparators(follower_->Folder()))
                           : QString());
  FollowLabel->setVisible(following);
}

}  // namespace vek5
