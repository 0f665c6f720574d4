// A save cut short is analysed as far as it goes and says so: in the model, at the top of the
// report and in the JSON.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/save5_analyse.h"
#include "model/cut_short.h"
#include "support/save_builder.h"
#include "support/world_writer.h"
#include "views/all_tabs.h"
#include "views/report.h"
#include "views/state_json.h"

namespace vek5 {
namespace {

// A game whose body is long enough (random-looking filler) to be cut inside its stream.
std::vector<uint8_t> SaveWithLongBody() {
  testing::GameDescription game;
  std::vector<uint8_t> filler(400000);
  for (size_t i = 0; i < filler.size(); ++i) filler[i] = static_cast<uint8_t>((i * 7919) >> 5);
  game.BodySections = {filler};
  return testing::WriteSaveFile(game);
}

TEST(EndsEarly, ACutSaveIsMarkedInModelReportAndJson) {
  std::vector<uint8_t> file = SaveWithLongBody();
  const std::unique_ptr<GameState> whole = Save5Analyse(AssembleSave(file));
  EXPECT_FALSE(whole->BodyEndsEarly);
  EXPECT_EQ(BuildReport(*whole).rfind("This save ends early", 0), std::string::npos);
  EXPECT_NE(StateToJson(*whole).find("\"BodyEndsEarly\":false"), std::string::npos);

  file.resize(file.size() * 2 / 3);
  const std::unique_ptr<GameState> cut = Save5Analyse(AssembleSave(file));
  EXPECT_TRUE(cut->BodyEndsEarly);
  EXPECT_GT(cut->BodyLength, 0);
  EXPECT_LT(cut->BodyLength, whole->BodyLength);
  EXPECT_GE(cut->BodyShareRead, 0);  // the 64 KiB chunk that was cut tells its length
  EXPECT_LT(cut->BodyShareRead, 100);
  EXPECT_EQ(cut->UserName, whole->UserName);  // the header is all there

  const std::string report = BuildReport(*cut);
  const std::string first_line = report.substr(0, report.find('\n'));
  EXPECT_EQ(first_line, EndsEarlyNotice(*cut));
  EXPECT_EQ(first_line.rfind("This save ends early: its body stops after 0.", 0), 0u) << first_line;
  EXPECT_NE(first_line.find("everything after that is missing."), std::string::npos);
  const std::string json = StateToJson(*cut);
  EXPECT_NE(json.find("\"BodyEndsEarly\":true"), std::string::npos);
  EXPECT_NE(json.find("\"BodyLength\":" + std::to_string(cut->BodyLength)), std::string::npos);
}

TEST(EndsEarly, TheNoticeNamesWhatTheCutLeftOutAndOnlyThat) {
  // The history lies after the filler: a cut inside the filler leaves it unread.
  testing::GameDescription game;
  std::vector<uint8_t> filler(400000);
  for (size_t i = 0; i < filler.size(); ++i) filler[i] = static_cast<uint8_t>((i * 7919) >> 5);
  game.BodySections = {filler};
  for (int set = 0; set < 5; ++set) {
    game.BodySections.push_back(testing::WriteHistoryBlock({{{0, 10}, {1, 12}}, {{0, 3}}}));
  }
  std::vector<uint8_t> file = testing::WriteSaveFile(game);
  const std::unique_ptr<GameState> whole = Save5Analyse(AssembleSave(file));
  EXPECT_TRUE(CutShortParts(*whole).empty());
  EXPECT_EQ(EndsEarlyNotice(*whole), "");

  file.resize(file.size() / 2);
  const std::unique_ptr<GameState> cut = Save5Analyse(AssembleSave(file));
  const std::string notice = EndsEarlyNotice(*cut);
  EXPECT_NE(notice.find("Not read because of it: the whole history of every player (Graph)"),
            std::string::npos)
      << notice;
  // No share of the body is claimed: the file cannot tell how long the body was.
  EXPECT_EQ(notice.find('%'), std::string::npos) << notice;
  EXPECT_NE(notice.find("The file does not tell how much more there was."), std::string::npos);
  // The replay lies before the cut and is whole.
  EXPECT_EQ(notice.find("(Replay)"), std::string::npos) << notice;
}

}  // namespace
}  // namespace vek5
