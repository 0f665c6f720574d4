#include "cli/commands.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <memory>
#include <ostream>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
#include "views/history_csv.h"
#include "views/report.h"
#include "views/series_report.h"
#include "views/state_json.h"

namespace vek5::cli {
namespace {

constexpr char kProgram[] = "vek5";

constexpr CommandAdder kCommands[] = {
    AddReportCommand,     AddJsonCommand,    AddExportImageCommand,
    AddHistoryCsvCommand, AddSummaryCommand,
};

// Runs work on a save; any error reading or analysing it is reported with the file's name.
int Guarded(const std::string& file, std::ostream& out, std::ostream& err,
            const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    err << kProgram << ": " << file << ": " << error.what() << "\n";
    return kExitUnusableFile;
  }
  if (!out.flush()) {
    err << kProgram << ": cannot write the output\n";
    return kExitUnusableFile;
  }
  return kExitOk;
}

// A subcommand that reads one save and writes what `write` makes of its analysis.
void AddWritingCommand(CLI::App& app, Action& action, const std::string& name,
                       const std::string& description,
                       void (*write)(const GameState& state, std::ostream& out)) {
  CLI::App* command = app.add_subcommand(name, description);
  auto file = std::make_shared<std::string>();
  command->add_option("FILE", *file, "the save file (.Vek5Save)")->required();
  command->callback([&action, file, write] {
    action = [file, write](std::ostream& out, std::ostream& err) {
      return Guarded(*file, out, err, [&] { write(*AnalyseSaveFile(*file), out); });
    };
  });
}

template <std::string (*Print)(const GameState&)>
void PrintTo(const GameState& state, std::ostream& out) {
  out << Print(state);
}

}  // namespace

void AddReportCommand(CLI::App& app, Action& action) {
  AddWritingCommand(app, action, "report", "Print every tab of the window as labelled UTF-8 text",
                    PrintTo<BuildReport>);
}

void AddJsonCommand(CLI::App& app, Action& action) {
  AddWritingCommand(app, action, "json", "Print the whole game state as JSON", WriteStateJson);
}

void AddHistoryCsvCommand(CLI::App& app, Action& action) {
  AddWritingCommand(app, action, "history-csv",
                    "Print every history statistic of every player as one CSV table",
                    PrintTo<HistoryCsvAll>);
}

void AddExportImageCommand(CLI::App& app, Action& action) {
  CLI::App* command = app.add_subcommand(
      "export-image", "Write the assembled, uncompressed image of a save to a file");
  auto files = std::make_shared<std::pair<std::string, std::string>>();
  command->add_option("FILE", files->first, "the save file (.Vek5Save)")->required();
  command->add_option("OUT", files->second, "the image file to write")->required();
  command->callback([&action, files] {
    action = [files](std::ostream& out, std::ostream& err) {
      return Guarded(files->first, out, err,
                     [&] { ExportImage(LoadSave(files->first), files->second); });
    };
  });
}

void AddSummaryCommand(CLI::App& app, Action& action) {
  CLI::App* command = app.add_subcommand(
      "summary", "Summarise many saves (files and folders) and check each game's continuity");
  auto paths = std::make_shared<std::vector<std::string>>();
  auto form = std::make_shared<std::string>("text");
  command->add_option("PATH", *paths, "save files and folders (searched for *.Vek5Save)")
      ->required();
  command->add_option("--format", *form, "text, csv or json")
      ->check(CLI::IsMember({"text", "csv", "json"}));
  command->callback([&action, paths, form] {
    action = [paths, form](std::ostream& out, std::ostream& err) {
      const SummaryForm as = *form == "csv"    ? SummaryForm::kCsv
                             : *form == "json" ? SummaryForm::kJson
                                               : SummaryForm::kText;
      return PrintSeriesSummary(*paths, as, kProgram, out, err);
    };
  });
}

int RunVek5(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app("Analyses Vek5 save files without a window.", kProgram);
  app.set_version_flag("--version", std::string(kProgram) + " " + VEK5_VERSION);
  app.require_subcommand(1);
  app.footer(
      "Exit status: 0 success, 1 a save that cannot be read or analysed, 2 a usage error,\n"
      "3 a summary whose saves do not tell one story.\n"
      "The window: vek5-analyser [FILE].\n");
  Action action;
  for (const CommandAdder add : kCommands) add(app, action);
  try {
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(std::move(reversed));
  } catch (const CLI::ParseError& error) {
    return app.exit(error, out, err) == 0 ? kExitOk : kExitUsage;
  }
  return action ? action(out, err) : kExitUsage;
}

}  // namespace vek5::cli
