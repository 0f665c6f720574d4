// The window loading the shared saves one after another: its peak resident memory after the
// first loads stays where it is, since every load replaces the previous save, its model and
// every tab's content. Its own program, so that it has the process's memory to itself.
//
// VEK5_WINDOW_LOADS sets the number of loads (100 by default).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QSettings>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "support/process_memory.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

constexpr int kDefaultLoads = 100;
constexpr int kFirstLoads = 10;
// What the peak may still grow by after the first loads: allocator slack, not a save's worth.
constexpr int64_t kAllowedGrowthKiB = 8 * 1024;

int Loads() {
  const char* text = std::getenv("VEK5_WINDOW_LOADS");
  return std::max(text ? std::atoi(text) : kDefaultLoads, kFirstLoads);
}

std::vector<std::string> SharedSaves() {
  std::vector<std::string> saves;
  for (const char* name : {"base-turn50.Vek5Save", "base-turn95.Vek5Save",
                           "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (!path.empty()) saves.push_back(path);
  }
  return saves;
}

// The offscreen platform with a private runtime folder and settings.
void StartApplication() {
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string runtime = testing::TempPath("runtime");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(testing::TempPath("settings")));
    QCoreApplication::setOrganizationName("Vek5Tests");
    QCoreApplication::setApplicationName("window_load_tests");
    static int argc = 1;
    static char name[] = "window_load_tests";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  (void)app;
}

TEST(WindowManyLoads, PeakMemoryStaysFlatAfterTheFirstLoads) {
  const std::vector<std::string> saves = SharedSaves();
  if (saves.empty()) GTEST_SKIP() << "shared saves are not present";
  StartApplication();
  MainWindow form;
  QStringList errors;
  form.ShowError = [&](const QString& message) { errors << message; };
  form.show();
  const int loads = Loads();
  int64_t after_first = 0;
  for (int i = 0; i < loads; ++i) {
    const std::string& save = saves[static_cast<size_t>(i) % saves.size()];
    ASSERT_TRUE(form.LoadFile(QString::fromStdString(save))) << save;
    QApplication::processEvents();
    if (i + 1 == kFirstLoads) after_first = testing::PeakResidentKiB();
  }
  const int64_t after_all = testing::PeakResidentKiB();
  std::printf("window: peak resident %lld KiB after %d loads, %lld KiB after %d loads\n",
              static_cast<long long>(after_first), kFirstLoads, static_cast<long long>(after_all),
              loads);
  RecordProperty("PeakKiBAfterFirstLoads", std::to_string(after_first));
  RecordProperty("PeakKiBAfterAllLoads", std::to_string(after_all));
  EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
  EXPECT_LE(after_all, after_first + kAllowedGrowthKiB);
}

}  // namespace
}  // namespace vek5
