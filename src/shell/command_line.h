// The program's command line. Everything but opening the window runs without a display.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vek5 {

enum class CommandMode {
  kWindow,
  kHelp,
  kReport,
  kJson,
  kExportImage,
  kScreenshot,
  kSummary,
  kSummaryCsv,
  kSummaryJson,
  kUsageError
};

struct CommandLine {
  CommandMode Mode = CommandMode::kWindow;
  std::string File;    // the save to open, if any
  std::string Output;  // --export-image: the image file; --screenshot: the PNG name prefix
  std::vector<std::string> Paths;  // the summaries: files and folders
  std::string WindowSize;          // --screenshot: "WIDTHxHEIGHT", empty for the start size
};

// args without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Runs the modes that need no window (help, report, JSON, image export, summaries, usage
// errors). Returns the exit status: 0 on success, 1 when a save cannot be used, 2 for a usage
// error, 3 for a summary whose saves do not tell one story.
int RunCommand(const CommandLine& command, std::ostream& out, std::ostream& err);

std::string UsageText();

}  // namespace vek5
