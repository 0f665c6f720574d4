// Follows a folder of saves: whenever a save in it appears or changes, the newest one is
// reported once its size has stayed the same for a moment (the game writes a save in pieces)
// and it loads whole; a save that still ends early is reported only once it has stayed the
// same for a longer while.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace vek5 {

class FolderFollower : public QObject {
  Q_OBJECT

 public:
  explicit FolderFollower(QObject* parent = nullptr);

  // Starts following the folder (a later save there is reported, not the one there now);
  // false when it cannot be watched.
  bool Start(const QString& folder);
  void Stop();
  bool IsFollowing() const { return !folder_.isEmpty(); }
  const QString& Folder() const { return folder_; }
  // How long a save's size must stay the same before it is reported.
  void SetSettleTime(int milliseconds);

 signals:
  void SaveReady(const QString& file_name);

 private:
  struct FileMark {
    QString Path;
    qint64 Size = -1;
    QDateTime Modified;
    bool operator==(const FileMark&) const = default;
  };
  FileMark NewestSave() const;
  void WatchSaves();
  void Changed();
  void Settle();

  QFileSystemWatcher* watcher_ = nullptr;
  QTimer* settle_ = nullptr;
  QString folder_;
  FileMark pending_;   // the newest save at the last look
  FileMark reported_;  // the save reported last (or there when following began)
  int patience_ = 0;   // quiet moments left to wait for a save that does not load whole
};

}  // namespace vek5
