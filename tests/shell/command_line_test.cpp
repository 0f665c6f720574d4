#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
#include "series/series_fixture.h"
#include "support/save_builder.h"
#include "views/report.h"

namespace vek5 {
namespace {

TEST(ParseCommandLine, ModesAndOperands) {
  struct Case {
    std::vector<std::string> Args;
    CommandMode Mode;
    std::string File;
    std::string Output;
  };
  const Case cases[] = {
      {{}, CommandMode::kWindow, "", ""},
      {{"game.Vek5Save"}, CommandMode::kWindow, "game.Vek5Save", ""},
      {{"--help"}, CommandMode::kHelp, "", ""},
      {{"--report", "a"}, CommandMode::kReport, "a", ""},
      {{"--json", "a"}, CommandMode::kJson, "a", ""},
      {{"--export-image", "a", "b"}, CommandMode::kExportImage, "a", "b"},
      {{"--screenshot", "shots/x", "a"}, CommandMode::kScreenshot, "a", "shots/x"},
      {{"--report"}, CommandMode::kUsageError, "", ""},
      {{"--json", "a", "b"}, CommandMode::kUsageError, "", ""},
      {{"--export-image", "a"}, CommandMode::kUsageError, "", ""},
      {{"--bogus"}, CommandMode::kUsageError, "", ""},
      {{"a", "b"}, CommandMode::kUsageError, "", ""},
      {{"--summary"}, CommandMode::kUsageError, "", ""},
      {{"--summary-csv"}, CommandMode::kUsageError, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Args.empty() ? "(none)" : c.Args[0]);
    const CommandLine command = ParseCommandLine(c.Args);
    EXPECT_EQ(command.Mode, c.Mode);
    if (c.Mode == CommandMode::kUsageError) continue;
    EXPECT_EQ(command.File, c.File);
    EXPECT_EQ(command.Output, c.Output);
  }
}

struct RunResult {
  int Status;
  std::string Out;
  std::string Err;
};

RunResult RunWith(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCommand(ParseCommandLine(args), out, err);
  return {status, out.str(), err.str()};
}

TEST(RunCommand, DamagedOrMissingFilesFailOnStandardError) {
  const std::string damaged = testing::TempPath("damaged.Vek5Save");
  testing::WriteFile(damaged, std::vector<uint8_t>(100, 0x78));
  for (const char* mode : {"--report", "--json"}) {
    for (const std::string& file : {damaged, testing::TempPath("absent.Vek5Save")}) {
      SCOPED_TRACE(std::string(mode) + " " + file);
      const RunResult run = RunWith({mode, file});
      EXPECT_EQ(run.Status, 1);
      EXPECT_TRUE(run.Out.empty());
      EXPECT_NE(run.Err.find(file), std::string::npos);
    }
  }
  EXPECT_EQ(RunWith({"--export-image", damaged, testing::TempPath("out.img")}).Status, 1);
  EXPECT_EQ(RunWith({"--bogus"}).Status, 2);
}

TEST(RunCommand, LoadAndAnalysisErrorsGiveTheirTextOnStandardError) {
  testing::GameDescription game;
  game.BuildText = "40x694";
  std::vector<uint8_t> damaged_stream = testing::WriteSaveFile(testing::GameDescription{});
  const size_t stream = testing::WriteHeader(testing::GameDescription{}).size() + 4;
  damaged_stream[stream + 2] ^= 0xFF;
  damaged_stream[stream + 3] ^= 0xFF;
  const struct {
    std::vector<uint8_t> File;
    std::string Error;
  } cases[] = {
      {testing::WriteSaveFile(game), "build number \"40x694\" is not a number"},
      {damaged_stream, "its game data cannot be unpacked.\nDetail: "},
  };
  for (const auto& c : cases) {
    const std::string file = testing::TempPath("failing.Vek5Save");
    testing::WriteFile(file, c.File);
    for (const char* mode : {"--report", "--json"}) {
      SCOPED_TRACE(std::string(mode) + " " + c.Error);
      const RunResult run = RunWith({mode, file});
      EXPECT_EQ(run.Status, 1);
      EXPECT_TRUE(run.Out.empty());
      EXPECT_NE(run.Err.find(c.Error), std::string::npos) << run.Err;
    }
  }
}

TEST(RunCommand, ReportJsonAndImageOfABuiltSave) {
  testing::GameDescription game;
  const std::vector<uint8_t> body(3000, 0x22);
  const std::string save = testing::TempPath("cli.Vek5Save");
  testing::WriteFile(save, testing::BuildSaveFile({testing::WriteHeader(game), body, {}, 0, {}}));

  const RunResult report = RunWith({"--report", save});
  EXPECT_EQ(report.Status, 0) << report.Err;
  // The labelled report of the command-line tool.
  EXPECT_EQ(report.Out, BuildReport(*Save5Analyse(LoadSave(save))));

  const RunResult json = RunWith({"--json", save});
  EXPECT_EQ(json.Status, 0) << json.Err;
  EXPECT_EQ(json.Out.rfind("{\"game\":{", 0), 0u);

  const std::string image = testing::TempPath("cli.img");
  EXPECT_EQ(RunWith({"--export-image", save, image}).Status, 0);
  const std::vector<uint8_t> written = testing::ReadFile(image);
  EXPECT_EQ(std::string(written.begin() + static_cast<long>(testing::WriteHeader(game).size()),
                        written.begin() + static_cast<long>(testing::WriteHeader(game).size()) + 4),
            "BODY");
}

TEST(ParseCommandLine, SummariesTakeEveryPathThatFollows) {
  const struct {
    const char* Flag;
    CommandMode Mode;
  } cases[] = {{"--summary", CommandMode::kSummary},
               {"--summary-csv", CommandMode::kSummaryCsv},
               {"--summary-json", CommandMode::kSummaryJson}};
  for (const auto& c : cases) {
    const CommandLine command = ParseCommandLine({c.Flag, "folder", "a.Vek5Save", "--odd"});
    EXPECT_EQ(command.Mode, c.Mode);
    EXPECT_EQ(command.Paths, (std::vector<std::string>{"folder", "a.Vek5Save", "--odd"}));
  }
}

TEST(RunCommand, SummaryExitStatuses) {
  // 0: one story; 3: a verdict that is not continuous; 1: a file that failed (whatever the
  // verdicts); 2: no path.
  const std::string continuous = testing::SeriesFolder("cli-continuous");
  testing::WriteGameSave(continuous, "a.Vek5Save", testing::SeriesGame(10));
  testing::WriteGameSave(continuous, "b.Vek5Save", testing::SeriesGame(20));
  const std::string diverged = testing::SeriesFolder("cli-diverged");
  testing::WriteGameSave(diverged, "a.Vek5Save", testing::SeriesGame(10));
  testing::GameDescription changed = testing::SeriesGame(20);
  testing::ChangeHistory(changed, 0, 1, 3, 5);
  testing::WriteGameSave(diverged, "b.Vek5Save", changed);
  const std::string missing = testing::TempPath("cli-missing.Vek5Save");

  const struct {
    std::vector<std::string> Paths;
    int Status;
  } cases[] = {
      {{continuous}, 0}, {{diverged}, 3}, {{continuous, missing}, 1}, {{diverged, missing}, 1}};
  for (const auto& c : cases) {
    for (const char* flag : {"--summary", "--summary-csv", "--summary-json"}) {
      std::vector<std::string> args = {flag};
      args.insert(args.end(), c.Paths.begin(), c.Paths.end());
      SCOPED_TRACE(args[0] + " " + args[1]);
      const RunResult run = RunWith(args);
      EXPECT_EQ(run.Status, c.Status) << run.Err;
      EXPECT_FALSE(run.Out.empty());
      EXPECT_EQ(run.Err.find(missing) != std::string::npos, c.Status == 1) << run.Err;
    }
  }
  EXPECT_EQ(RunWith({"--summary"}).Status, 2);
  // A folder without saves is no success.
  const RunResult empty = RunWith({"--summary", testing::SeriesFolder("cli-empty")});
  EXPECT_EQ(empty.Status, 1);
  EXPECT_NE(empty.Err.find("no save found"), std::string::npos);
}

}  // namespace
}  // namespace vek5
