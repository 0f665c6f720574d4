#include "shell/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace vek5 {

QStringList WithRecentFile(QStringList recent, const QString& file) {
  recent.removeAll(file);
  recent.prepend(file);
  while (recent.size() > kMaxRecentFiles) recent.removeLast();
  return recent;
}

QStringList ReadRecentFiles() {
  return QSettings().value(settings_key::kRecentFiles).toStringList();
}

void WriteRecentFiles(const QStringList& recent) {
  QSettings().setValue(settings_key::kRecentFiles, recent);
}

void FillRecentMenu(QMenu* menu, const std::function<void(const QString&)>& open) {
  menu->clear();
  const QStringList recent = ReadRecentFiles();
  if (recent.isEmpty()) {
    menu->addAction(QObject::tr("No recent saves"))->setEnabled(false);
    return;
  }
  bool any_missing = false;
  for (const QString& file : recent) {
    const bool missing = !QFileInfo(file).isFile();
    any_missing = any_missing || missing;
    const QString shown = QDir::toNativeSeparators(file);
    QAction* action = menu->addAction(missing ? QObject::tr("%1 (missing)").arg(shown) : shown);
    action->setData(file);
    if (missing) {
      action->setToolTip(QObject::tr("This file is gone; choose it to remove it from the list."));
      QObject::connect(action, &QAction::triggered, menu, [file] {
        QStringList list = ReadRecentFiles();
        list.removeAll(file);
        WriteRecentFiles(list);
      });
    } else {
      QObject::connect(action, &QAction::triggered, menu, [open, file] { open(file); });
    }
  }
  menu->setToolTipsVisible(true);
  menu->addSeparator();
  QAction* remove_missing = menu->addAction(QObject::tr("Remove Missing"));
  remove_missing->setEnabled(any_missing);
  QObject::connect(remove_missing, &QAction::triggered, menu, [] {
    QStringList list = ReadRecentFiles();
    list.removeIf([](const QString& file) { return !QFileInfo(file).isFile(); });
    WriteRecentFiles(list);
  });
  QObject::connect(menu->addAction(QObject::tr("Clear List")), &QAction::triggered, menu,
                   [] { WriteRecentFiles({}); });
}

}  // namespace vek5
