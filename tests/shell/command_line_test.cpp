#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
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
      {damaged_stream, "compressed body is damaged: "},
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

}  // namespace
}  // namespace vek5
