// Program start: the command-line modes run without a display; otherwise the window opens.
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTimer>
#include <iostream>

#include "container/image_memory.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "shell/series_page.h"
#include "views/window_texts.h"

namespace {

// Writes PREFIX-<page>.png for every visible page of the window.
int SaveScreenshots(vek5::MainWindow& form, const QString& prefix) {
  auto* pages = form.findChild<QTabWidget*>("PageControls");
  for (int i = 0; i < pages->count(); ++i) {
    if (!pages->isTabVisible(i)) continue;
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    const QString name = prefix + "-" + pages->widget(i)->objectName() + ".png";
    if (!form.grab().save(name)) {
      std::cerr << "vek5-analyser: cannot write " << name.toStdString() << "\n";
      return 1;
    }
  }
  return 0;
}

// Analyses a folder of saves on the Series tab and writes PREFIX-SeriesTab.png once it is done.
int SaveSeriesScreenshot(vek5::MainWindow& form, const QString& folder, const QString& prefix) {
  auto* series = form.findChild<vek5::SeriesPage*>("SeriesTab");
  QEventLoop done;
  QObject::connect(series, &vek5::SeriesPage::Finished, &done, &QEventLoop::quit);
  form.AnalyseSeries({folder});
  if (series->Running()) done.exec();
  QApplication::processEvents();
  const QString name = prefix + "-SeriesTab.png";
  if (!form.grab().save(name)) {
    std::cerr << "vek5-analyser: cannot write " << name.toStdString() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  vek5::PrepareProcessHeap();
  std::vector<std::string> args(argv + 1, argv + argc);
  const vek5::CommandLine command = vek5::ParseCommandLine(args);
  if (command.Mode != vek5::CommandMode::kWindow &&
      command.Mode != vek5::CommandMode::kScreenshot) {
    return vek5::RunCommand(command, std::cout, std::cerr);
  }

  QApplication app(argc, argv);
  QApplication::setOrganizationName("Vek5");
  QApplication::setApplicationName(vek5::kProgramName);
  vek5::MainWindow form;
  form.show();
  const QString file = QFile::decodeName(QByteArray::fromStdString(command.File));
  if (command.Mode == vek5::CommandMode::kScreenshot) {
    form.ShowError = [](const QString& message) { std::cerr << message.toStdString() << "\n"; };
    const QStringList size = QString::fromStdString(command.WindowSize).split('x');
    if (size.size() == 2) form.resize(size[0].toInt(), size[1].toInt());
    const QString prefix = QString::fromStdString(command.Output);
    if (QFileInfo(file).isDir()) return SaveSeriesScreenshot(form, file, prefix);
    if (!form.LoadFile(file)) return 1;
    return SaveScreenshots(form, prefix);
  }
  if (!file.isEmpty()) {
    // Load once the window is on screen, so a long load shows the busy cursor over it.
    QTimer::singleShot(0, &form, [&form, file] { form.LoadFile(file); });
  }
  return app.exec();
}
