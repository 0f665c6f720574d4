#include "shell/folder_follower.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <exception>

#include "container/save_image.h"

namespace vek5 {
namespace {

constexpr int kDefaultSettleMs = 1000;
// A save that still ends early (or does not load) once its size has settled is looked at again
// for this many more quiet moments before it is reported as it is: the game may pause between
// the pieces it writes, and a cut save must not replace a whole one on screen while it does.
constexpr int kPatienceRounds = 10;
constexpr char kSavePattern[] = "*.Vek5Save";

// Whether the file is a save that loads whole: its body does not end early.
bool LoadsWhole(const QString& path) {
  try {
    return !LoadSave(QFile::encodeName(path).toStdString()).EndsEarly;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

FolderFollower::FolderFollower(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), settle_(new QTimer(this)) {
  settle_->setSingleShot(true);
  settle_->setInterval(kDefaultSettleMs);
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &FolderFollower::Changed);
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &FolderFollower::Changed);
  connect(settle_, &QTimer::timeout, this, &FolderFollower::Settle);
}

void FolderFollower::SetSettleTime(int milliseconds) {
  settle_->setInterval(milliseconds);
}

bool FolderFollower::Start(const QString& folder) {
  Stop();
  if (!QFileInfo(folder).isDir() || !watcher_->addPath(folder)) return false;
  folder_ = folder;
  reported_ = NewestSave();
  pending_ = reported_;
  WatchSaves();
  return true;
}

void FolderFollower::Stop() {
  settle_->stop();
  if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
  if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
  folder_.clear();
  pending_ = {};
  reported_ = {};
}

FolderFollower::FileMark FolderFollower::NewestSave() const {
  const QFileInfoList saves =
      QDir(folder_).entryInfoList({kSavePattern}, QDir::Files, QDir::Time);  // newest first
  if (saves.isEmpty()) return {};
  const QFileInfo& newest = saves.first();
  return {newest.absoluteFilePath(), newest.size(), newest.lastModified()};
}

// A save written over in place changes no folder entry: every save is watched itself.
void FolderFollower::WatchSaves() {
  QStringList saves;
  for (const QFileInfo& save : QDir(folder_).entryInfoList({kSavePattern}, QDir::Files)) {
    if (!watcher_->files().contains(save.absoluteFilePath())) saves << save.absoluteFilePath();
  }
  if (!saves.isEmpty()) watcher_->addPaths(saves);
}

// Every change starts the wait again; a save still being written keeps changing.
void FolderFollower::Changed() {
  if (!IsFollowing()) return;
  WatchSaves();
  settle_->start();
}

void FolderFollower::Settle() {
  const FileMark newest = NewestSave();
  if (newest.Path.isEmpty() || newest == reported_) return;
  if (!(newest == pending_)) {
    pending_ = newest;  // still moving: look again after another quiet moment
    patience_ = kPatienceRounds;
    settle_->start();
    return;
  }
  if (patience_ > 0 && !LoadsWhole(newest.Path)) {
    --patience_;  // quiet but not whole yet: the rest may still come
    settle_->start();
    return;
  }
  reported_ = newest;
  emit SaveReady(newest.Path);
}

}  // namespace vek5
