#include "cli/commands.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <memory>
#include <ostream>

#include "analysis/save5_analyse.h"
#include "cli/map_image.h"
#include "container/save_image.h"
#include "views/history_csv.h"
#include "views/map_picture.h"
#include "views/report.h"
#include "views/series_report.h"
#include "views/state_json.h"

namespace vek5::cli {
namespace {

constexpr char kProgram[] = "vek5";
// Tiles of this width show the whole map with its cities' names and every border.
constexpr double kMapCommandTileSize = 16;

constexpr CommandAdder kCommands[] = {
    AddReportCommand,     AddJsonCommand, AddExportImageCommand,
    AddHistoryCsvCommand, AddMapCommand,  AddSummaryCommand,
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

struct MapRequest {
  std::string File;
  std::string Output;
  int32_t SeenBy = -1;
  double TileSize = kMapCommandTileSize;
};

// The team's view a request asks for; false (with the reason on err) when the map has none.
bool SelectTeam(const GameState& state, const MapRequest& request, MapSelection& selection,
                std::ostream& err) {
  if (request.SeenBy < 0) return true;
  if (state.Map.TeamView(request.SeenBy) == nullptr) {
    err << kProgram << ": --seen-by: the map holds no view of team " << request.SeenBy
        << "; its teams:\n";
    for (const MapTeamChoice& choice : MapSeenByChoices(state)) err << "  " << choice.Text << "\n";
    return false;
  }
  selection.SeenByTeam = request.SeenBy;
  return true;
}

int DrawMap(const MapRequest& request, std::ostream& out, std::ostream& err) {
  std::unique_ptr<GameState> state;
  const int read = Guarded(request.File, out, err, [&] {
    state = AnalyseSaveFile(request.File);
    if (!state->Map.Readable()) {
      throw std::runtime_error("no readable map" +
                               (state->Map.Problem.empty() ? "" : ": " + state->Map.Problem));
    }
  });
  if (read != kExitOk) return read;
  MapSelection selection;
  selection.TileWidth = request.TileSize;
  if (!SelectTeam(*state, request, selection, err)) return kExitUsage;
  return Guarded(request.Output, out, err, [&] {
    WriteMapImage(BuildMapPicture(*state, selection), request.Output,
                  *ImageFormatOf(request.Output));
  });
}

void AddMapCommand(CLI::App& app, Action& action) {
  CLI::App* command = app.add_subcommand("map", "Draw the world map as a PNG, SVG or PDF picture");
  auto request = std::make_shared<MapRequest>();
  command->add_option("FILE", request->File, "the save file (.Vek5Save)")->required();
  command->add_option("-o,--output", request->Output, "the picture to write: .png, .svg or .pdf")
      ->required()
      ->check(CLI::Validator(
          [](const std::string& path) {
            return ImageFormatOf(path) ? std::string()
                                       : "the picture's name must end in .png, .svg or .pdf";
          },
          "OUT.png|svg|pdf"));
  command
      ->add_option("--seen-by", request->SeenBy,
                   "show only what this team has seen (its number, as the JSON's Team)")
      ->check(CLI::Range(0, kMapRecordEntries - 1));
  command->add_option("--tile-size", request->TileSize, "pixels from one tile to the next")
      ->check(CLI::Range(kMapMinTileWidth, kMapMaxTileWidth))
      ->capture_default_str();
  command->callback([&action, request] {
    action = [request](std::ostream& out, std::ostream& err) {
      return DrawMap(*request, out, err);
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
  command->add_option("--format", *form, "text, csv, json or html (a report per game)")
      ->check(CLI::IsMember({"text", "csv", "json", "html"}));
  command->callback([&action, paths, form] {
    action = [paths, form](std::ostream& out, std::ostream& err) {
      const SummaryForm as = *form == "csv"    ? SummaryForm::kCsv
                             : *form == "json" ? SummaryForm::kJson
                             : *form == "html" ? SummaryForm::kHtml
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
