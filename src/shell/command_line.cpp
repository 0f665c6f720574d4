#include "shell/command_line.h"

#include <exception>
#include <ostream>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
#include "views/all_tabs.h"
#include "views/report.h"
#include "views/series_report.h"
#include "views/state_json.h"

namespace vek5 {
namespace {

constexpr char kProgram[] = "vek5-analyser";

}  // namespace

std::string UsageText() {
  return std::string("Usage:\n") +  //
         "  " + kProgram + " [FILE]                 open the window, loading FILE if given\n" +
         "  " + kProgram + " --report FILE          print every tab as a labelled UTF-8 report\n" +
         "  " + kProgram + " --json FILE            print the whole game state as JSON\n" + "  " +
         kProgram + " --export-image FILE OUT\n" +
         "                                       write the assembled, uncompressed image\n" + "  " +
         kProgram + " --summary PATH...       summarise many saves (files and folders) and\n" +
         "                                       check that each game's saves tell one story\n" +
         "  " + kProgram + " --summary-csv PATH...   the same as CSV, one row per save\n" + "  " +
         kProgram + " --summary-json PATH...  the same as JSON\n" + "  " + kProgram +
         " --help                 show this text\n" +
         "Without a window or Qt: vek5 report|json|history-csv|export-image|summary (vek5 "
         "--help).\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  const auto with = [&](CommandMode mode, size_t operands) {
    CommandLine command{CommandMode::kUsageError, {}, {}, {}, {}};
    if (args.size() != operands + 1) return command;
    command.Mode = mode;
    command.File = args[1];
    if (operands == 2) command.Output = args[2];
    return command;
  };
  if (args.empty()) return {};
  const std::string& first = args[0];
  if (first == "--help" || first == "-h") {
    return {args.size() == 1 ? CommandMode::kHelp : CommandMode::kUsageError, {}, {}, {}, {}};
  }
  if (first == "--report") return with(CommandMode::kReport, 1);
  if (first == "--json") return with(CommandMode::kJson, 1);
  if (first == "--export-image") return with(CommandMode::kExportImage, 2);
  const struct {
    const char* Flag;
    CommandMode Mode;
  } summaries[] = {{"--summary", CommandMode::kSummary},
                   {"--summary-csv", CommandMode::kSummaryCsv},
                   {"--summary-json", CommandMode::kSummaryJson}};
  for (const auto& summary : summaries) {
    if (first != summary.Flag) continue;
    if (args.size() < 2) return {CommandMode::kUsageError, {}, {}, {}, {}};
    return {summary.Mode, {}, {}, {args.begin() + 1, args.end()}, {}};
  }
  // A developer's option: --screenshot PREFIX FILE [WIDTHxHEIGHT] writes one PNG per tab and
  // exits; a folder instead of FILE is analysed on the Series tab, which alone is written.
  if (first == "--screenshot" && (args.size() == 3 || args.size() == 4)) {
    return {CommandMode::kScreenshot, args[2], args[1], {}, args.size() == 4 ? args[3] : ""};
  }
  if (first.starts_with("-") || args.size() > 1) return {CommandMode::kUsageError, {}, {}, {}, {}};
  return {CommandMode::kWindow, first, {}, {}, {}};
}

int RunCommand(const CommandLine& command, std::ostream& out, std::ostream& err) {
  try {
    switch (command.Mode) {
      case CommandMode::kHelp:
        out << UsageText();
        return 0;
      case CommandMode::kReport:
        out << BuildReport(*AnalyseSaveFile(command.File));
        return 0;
      case CommandMode::kJson:
        WriteStateJson(*AnalyseSaveFile(command.File), out);
        return 0;
      case CommandMode::kExportImage:
        ExportImage(LoadSave(command.File), command.Output);
        return 0;
      case CommandMode::kSummary:
        return PrintSeriesSummary(command.Paths, SummaryForm::kText, kProgram, out, err);
      case CommandMode::kSummaryCsv:
        return PrintSeriesSummary(command.Paths, SummaryForm::kCsv, kProgram, out, err);
      case CommandMode::kSummaryJson:
        return PrintSeriesSummary(command.Paths, SummaryForm::kJson, kProgram, out, err);
      case CommandMode::kWindow:
      case CommandMode::kScreenshot:
      case CommandMode::kUsageError:
        break;
    }
  } catch (const std::exception& error) {
    err << kProgram << ": " << command.File << ": " << error.what() << "\n";
    return 1;
  }
  err << UsageText();
  return 2;
}

}  // namespace vek5
