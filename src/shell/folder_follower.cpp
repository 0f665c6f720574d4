#include "shell/folder_follower.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace vek5 {
namespace {

constexpr int kDefaultSettleMs = 1000;
constexpr char kSavePattern[] = "*.Vek5Save";

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
    settle_->start();
    return;
  }
  reported_ = newest;
  emit SaveReady(newest.Path);
}

}  // namespace vek5
