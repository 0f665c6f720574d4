// The world sections on the real saves of the shared folder, checked against the facts its
// README lists and against each other (two sections that store the same fact independently).
// The header sections are not run here: the few header values these sections need are set by
// hand from the README. The religions are left to the whole analysis, which needs the read
// position where the replay list ends.
#include <gtest/gtest.h>

#include <numeric>

#include "analysis/sections.h"
#include "support/save_builder.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::Rules;
using testing::WorldFormat;

constexpr int kFirstCityStateSlot = 22;
constexpr int kBarbarianSlot = 63;

struct RealSave {
  const char* Name;
  WorldFormat Format;
  int Majors;
  int CityStates;
  int CurrentTurn;
  int Score;
  int32_t LeagueProjectTotal;             // -1: no project
  std::vector<int> AlliesPerMajor;        // from the league's vote texts; empty: not stated
  std::optional<int32_t> FirstGoldUnits;  // player 0's gold where the history shows it unchanged
};

const RealSave kRealSaves[] = {
    {"base-turn95.Vek5Save", {Rules::kBase, true, true}, 6, 24, 95, 105, -1, {}, 309},
    {"zeph-hotseat-turn164.Vek5Save",
     {Rules::kZeph, true, true, true},
     4,
     8,
     164,
     676,
     -1,
     {4, 0, 1, 0},
     260},
    {"zeph-turn238.Vek5Save",
     {Rules::kZeph, true, true, true},
     6,
     12,
     238,
     1141,
     212677,
     {3, 0, 1, 1, 3, 0},
     std::nullopt},
};

// Majors from slot 0, city-states from slot 22 and the barbarians, as the README counts them.
std::vector<int32_t> ListedSlots(const RealSave& save) {
  std::vector<int32_t> slots(static_cast<size_t>(save.Majors));
  std::iota(slots.begin(), slots.end(), 0);
  for (int i = 0; i < save.CityStates; ++i) slots.push_back(kFirstCityStateSlot + i);
  slots.push_back(kBarbarianSlot);
  return slots;
}

class WorldSectionsOnRealSaves : public ::testing::TestWithParam<RealSave> {
 protected:
  void SetUp() override {
    const std::string path = testing::SharedSave(GetParam().Name);
    if (path.empty()) GTEST_SKIP() << "the shared saves are not there";
    image_ = LoadSave(path);
  }
  std::unique_ptr<GameState> Analyse(const std::vector<int32_t>& slots) const {
    auto state = testing::MakeWorldState(GetParam().Format, slots);
    int32_t pos = image_.BodyOffset;
    ReadLeagueProjects(image_, *state, pos);
    const std::vector<PlayerRecord> records = FindPlayerRecords(image_, *state);
    ReadHistory(image_, *state, records);
    ReadInfluence(image_, *state);
    ReadPolicies(image_, *state);
    ReadTechnologies(image_, *state);
    ReadEconomy(image_, *state, records);
    ReadNotificationLogs(image_, *state);
    return state;
  }
  SaveImage image_;
};

TEST_P(WorldSectionsOnRealSaves, MatchTheFactsOfTheGame) {
  const RealSave& save = GetParam();
  const auto state = Analyse(ListedSlots(save));
  const int turn = save.CurrentTurn;

  EXPECT_EQ(state->HistoryData[0][0][turn], save.Score) << "score series of player 0";
  EXPECT_EQ(state->LeagueProjects[0].Type, save.LeagueProjectTotal < 0 ? -1 : 1);
  EXPECT_EQ(state->LeagueProjects[0].Total, std::max(save.LeagueProjectTotal, 0));
  EXPECT_EQ(state->LeagueProjects[1].Type, -1);

  // Techs known: the technology table against the history's "Techs Known" series.
  int known = 0;
  for (const int32_t v : state->Leaders[0].TechKnown) known += v != 0;
  EXPECT_EQ(known, state->HistoryData[0][5][turn]);
  EXPECT_GT(known, 0);

  // Policies: the adopted flags of the policy tables against the economy block's count.
  for (int e = 0; e < save.Majors; ++e) {
    int adopted = 0;
    for (const int32_t v : state->PolicyAdopted[e]) adopted += v != 0;
    EXPECT_EQ(adopted, state->Leaders[e].PolicyCount) << "entry " << e;
    EXPECT_GT(adopted, 0) << "entry " << e;
  }

  // Allies: the city-state influence against the league's "n from City-States (1 per ally)".
  for (size_t slot = 0; slot < save.AlliesPerMajor.size(); ++slot) {
    int allies = 0;
    for (const auto& row : state->CSAllies) allies += row[slot] != 0;
    EXPECT_EQ(allies, save.AlliesPerMajor[slot]) << "slot " << slot;
  }

  const TNotificationLog& log = state->PlayerLogs[0];
  EXPECT_FALSE(log.Messages[log.First].Text.empty());
  if (save.FirstGoldUnits) {
    EXPECT_EQ(state->Leaders[0].Gold / 100, *save.FirstGoldUnits);
    EXPECT_EQ(state->HistoryData[0][2][turn], *save.FirstGoldUnits);
  }
}

TEST_P(WorldSectionsOnRealSaves, FindOneNotificationLogPerMajorSlot) {
  // With an entry for every slot, every log found lands in the entry of its own slot.
  std::vector<int32_t> every_slot(kMaxSlots);
  std::iota(every_slot.begin(), every_slot.end(), 0);
  auto state = testing::MakeWorldState(GetParam().Format, every_slot);
  constexpr int32_t kUntouched = -7777;
  for (TNotificationLog& log : state->PlayerLogs) log.First = kUntouched;
  ReadNotificationLogs(image_, *state);
  int found = 0;
  for (const TNotificationLog& log : state->PlayerLogs) found += log.First != kUntouched;
  EXPECT_EQ(found, 22);
}

INSTANTIATE_TEST_SUITE_P(SharedSaves, WorldSectionsOnRealSaves, ::testing::ValuesIn(kRealSaves),
                         [](const auto& info) {
                           std::string name = info.param.Name;
                           name = name.substr(0, name.find('.'));
                           std::erase(name, '-');
                           return name;
                         });

}  // namespace
}  // namespace vek5
