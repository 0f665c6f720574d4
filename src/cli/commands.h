// `vek5`, the command-line tool: one subcommand per batch task, parsed with CLI11. It links the
// layers below the window and no toolkit, so it runs on a server without a display or Qt.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vek5::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUnusableFile = 1;  // a save that cannot be read or analysed
inline constexpr int kExitUsage = 2;

// What a parsed subcommand runs; returns the exit status.
using Action = std::function<int(std::ostream& out, std::ostream& err)>;

// Adds one subcommand to the tool; when the command line names it, parsing stores what it runs
// in `action`. A new command is one such function and one row of the command table.
using CommandAdder = void (*)(CLI::App& app, Action& action);

void AddReportCommand(CLI::App& app, Action& action);
void AddJsonCommand(CLI::App& app, Action& action);
void AddExportImageCommand(CLI::App& app, Action& action);
void AddSummaryCommand(CLI::App& app, Action& action);
void AddHistoryCsvCommand(CLI::App& app, Action& action);
void AddMapCommand(CLI::App& app, Action& action);

// Runs the tool; args without the program name.
int RunVek5(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vek5::cli
