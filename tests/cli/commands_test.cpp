#include "cli/commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
#include "series/series_fixture.h"
#include "support/save_builder.h"
#include "views/history_csv.h"
#include "views/report.h"
#include "views/state_json.h"

namespace vek5::cli {
namespace {

struct RunResult {
  int Status;
  std::string Out;
  std::string Err;
};

RunResult RunTool(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunVek5(args, out, err);
  return {status, out.str(), err.str()};
}

std::string BuiltSave() {
  const std::string file = testing::TempPath("vek5-cli.Vek5Save");
  testing::GameDescription game;
  testing::WriteFile(file, testing::WriteSaveFile(game));
  return file;
}

TEST(Vek5Cli, HelpAndVersionSucceedOnStandardOutput) {
  const RunResult help = RunTool({"--help"});
  EXPECT_EQ(help.Status, kExitOk);
  for (const char* command : {"report", "json", "export-image", "history-csv"}) {
    EXPECT_NE(help.Out.find(command), std::string::npos) << command;
  }
  EXPECT_TRUE(help.Err.empty());
  const RunResult version = RunTool({"--version"});
  EXPECT_EQ(version.Status, kExitOk);
  EXPECT_EQ(version.Out.rfind("vek5 ", 0), 0u) << version.Out;
  EXPECT_EQ(RunTool({"report", "--help"}).Status, kExitOk);
}

TEST(Vek5Cli, UsageErrorsExitTwoWithTheReasonOnStandardError) {
  const std::string save = BuiltSave();
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"bogus"},
      {"--bogus"},
      {"report"},
      {"report", save, save},
      {"json", "--nonsense", save},
      {"export-image", save},
      {"history-csv"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args.empty() ? "(none)" : args[0] + " +" + std::to_string(args.size() - 1));
    const RunResult run = RunTool(args);
    EXPECT_EQ(run.Status, kExitUsage);
    EXPECT_TRUE(run.Out.empty());
    EXPECT_FALSE(run.Err.empty());
  }
}

TEST(Vek5Cli, SavesThatCannotBeAnalysedExitOneNamingTheFile) {
  const std::string damaged = testing::TempPath("vek5-damaged.Vek5Save");
  testing::WriteFile(damaged, std::vector<uint8_t>(100, 0x78));
  const std::string absent = testing::TempPath("vek5-absent.Vek5Save");
  for (const char* command : {"report", "json", "history-csv"}) {
    for (const std::string& file : {damaged, absent}) {
      SCOPED_TRACE(std::string(command) + " " + file);
      const RunResult run = RunTool({command, file});
      EXPECT_EQ(run.Status, kExitUnusableFile);
      EXPECT_TRUE(run.Out.empty());
      EXPECT_EQ(run.Err.rfind("vek5: " + file + ": ", 0), 0u) << run.Err;
    }
  }
  EXPECT_EQ(RunTool({"export-image", absent, testing::TempPath("vek5.img")}).Status,
            kExitUnusableFile);
  // An image that cannot be written is an error too.
  EXPECT_EQ(RunTool({"export-image", BuiltSave(), testing::TempPath("no-such-dir/x.img")}).Status,
            kExitUnusableFile);
}

TEST(Vek5Cli, CommandsPrintWhatTheViewsBuild) {
  const std::string save = BuiltSave();
  const std::unique_ptr<GameState> state = Save5Analyse(LoadSave(save));
  const struct {
    const char* Command;
    std::string Expected;
  } cases[] = {
      {"report", BuildReport(*state)},
      {"json", StateToJson(*state)},
      {"history-csv", HistoryCsvAll(*state)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Command);
    const RunResult run = RunTool({c.Command, save});
    EXPECT_EQ(run.Status, kExitOk) << run.Err;
    EXPECT_EQ(run.Out, c.Expected);
    EXPECT_TRUE(run.Err.empty());
  }

  const std::string image = testing::TempPath("vek5-cli.img");
  EXPECT_EQ(RunTool({"export-image", save, image}).Status, kExitOk);
  const std::vector<uint8_t> written = testing::ReadFile(image);
  const size_t header = testing::WriteHeader(testing::GameDescription{}).size();
  ASSERT_GT(written.size(), header + 4);
  EXPECT_EQ(std::string(written.begin() + static_cast<long>(header),
                        written.begin() + static_cast<long>(header) + 4),
            "BODY");
}

// The summary of many saves: one story exits 0, a save played on from an earlier point 3, a
// folder without saves 1, a format the command does not know 2.
TEST(Vek5Cli, SummaryTellsWhetherTheSavesOfAGameTellOneStory) {
  const std::string folder = testing::SeriesFolder("vek5-cli-summary");
  testing::WriteGameSave(folder, "a.Vek5Save", testing::SeriesGame(10));
  testing::WriteGameSave(folder, "b.Vek5Save", testing::SeriesGame(20));
  const RunResult text = RunTool({"summary", folder});
  EXPECT_EQ(text.Status, 0) << text.Err;
  EXPECT_NE(text.Out.find("continuous"), std::string::npos) << text.Out;
  const RunResult csv = RunTool({"summary", "--format", "csv", folder});
  EXPECT_EQ(csv.Status, 0);
  EXPECT_NE(csv.Out.find("a.Vek5Save"), std::string::npos);

  testing::GameDescription replayed = testing::SeriesGame(30);
  testing::ChangeHistory(replayed, 1, 2, 5, -77);
  testing::WriteGameSave(folder, "c.Vek5Save", replayed);
  const RunResult json = RunTool({"summary", "--format", "json", folder});
  EXPECT_EQ(json.Status, 3);
  EXPECT_NE(json.Out.find("\"diverged\""), std::string::npos) << json.Out;
  const RunResult html = RunTool({"summary", "--format", "html", folder});
  EXPECT_EQ(html.Status, 3);
  EXPECT_EQ(html.Out.rfind("<!DOCTYPE html>", 0), 0u);

  EXPECT_EQ(RunTool({"summary", testing::SeriesFolder("vek5-cli-summary-empty")}).Status, 1);
  EXPECT_EQ(RunTool({"summary", "--format", "xml", folder}).Status, kExitUsage);
}

}  // namespace
}  // namespace vek5::cli
