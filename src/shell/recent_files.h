// What the window remembers between starts, in the platform's usual settings place: the
// recent saves, the file dialog's folder, the window's geometry, the active tab, the
// statistics language and the graph's statistic.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QMenu;

namespace vek5 {

inline constexpr int kMaxRecentFiles = 10;

namespace settings_key {
inline constexpr char kRecentFiles[] = "files/recent";
inline constexpr char kLastFolder[] = "files/lastFolder";
inline constexpr char kGeometry[] = "window/geometry";
inline constexpr char kActiveTab[] = "window/activeTab";
inline constexpr char kStatsLanguage[] = "view/statsLanguage";
inline constexpr char kGraphStatistic[] = "view/graphStatistic";
}  // namespace settings_key

// The list with file first, each file once, at most kMaxRecentFiles.
QStringList WithRecentFile(QStringList recent, const QString& file);

QStringList ReadRecentFiles();
void WriteRecentFiles(const QStringList& recent);

// Refills the menu of the "Recent" button: one entry per file, newest first (a file that is
// gone is marked missing and removed from the list when chosen), then "Remove Missing" and
// "Clear List". open is called with the file chosen.
void FillRecentMenu(QMenu* menu, const std::function<void(const QString&)>& open);

}  // namespace vek5
