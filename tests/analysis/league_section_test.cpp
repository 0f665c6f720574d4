#include <gtest/gtest.h>

#include "analysis/sections.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::LeagueDescription;
using testing::LeagueProject;
using testing::MakeBodyImage;
using testing::MakeWorldState;
using testing::Rules;
using testing::WorldFormat;

constexpr WorldFormat kZeph{Rules::kZeph};

std::unique_ptr<GameState> ReadLeague(const WorldFormat& format, const SaveImage& save) {
  auto state = MakeWorldState(format, {0, 1, 22});
  int32_t pos = save.BodyOffset;
  ReadLeagueProjects(save, *state, pos);
  EXPECT_EQ(pos, save.BodyOffset) << "the section must not move the main position";
  return state;
}

TEST(LeagueSection, ReadsProjectsAfterTheMemberList) {
  LeagueDescription league;
  league.MemberSlots = {0, 1, 2, 3, 22, 23};
  league.Projects = {{1, {70882, 32780, 0, 42135}, 1, 1}, {3, {5, 6}, 0, 2}};
  const auto state = ReadLeague(kZeph, MakeBodyImage({WriteLeagueBlock(league)}));
  const auto& projects = state->LeagueProjects;
  EXPECT_EQ(projects[0].Type, 1);
  EXPECT_EQ(projects[0].Contribution[0], 70882);
  EXPECT_EQ(projects[0].Contribution[3], 42135);
  EXPECT_EQ(projects[0].Total, 70882 + 32780 + 42135);
  EXPECT_EQ(projects[0].Flag1, 1);
  EXPECT_EQ(projects[0].Flag2, 1);
  EXPECT_EQ(projects[1].Type, 3);
  EXPECT_EQ(projects[1].Total, 11);
  EXPECT_EQ(projects[1].Flag2, 2);
  EXPECT_EQ(projects[2].Type, -1);
  EXPECT_EQ(projects[2].Total, 0);
}

TEST(LeagueSection, ReadsAtMostThreeProjects) {
  LeagueDescription league;
  for (int j = 0; j < 5; ++j) league.Projects.push_back({j + 1, {100 * (j + 1)}});
  const auto state = ReadLeague(kZeph, MakeBodyImage({WriteLeagueBlock(league)}));
  EXPECT_EQ(state->LeagueProjects[2].Type, 3);
  EXPECT_EQ(state->LeagueProjects[2].Total, 300);
}

TEST(LeagueSection, KeepsTheFirst64Contributions) {
  LeagueDescription league;
  league.Projects = {{2, std::vector<int32_t>(70, 10)}};
  const auto state = ReadLeague(kZeph, MakeBodyImage({WriteLeagueBlock(league)}));
  EXPECT_EQ(state->LeagueProjects[0].Type, 2);
  EXPECT_EQ(state->LeagueProjects[0].Total, 640);
}

TEST(LeagueSection, IsSkippedWithoutItsMarkerOrOutsideZeph) {
  LeagueDescription league;
  league.Projects = {{1, {5}}};
  const auto without_marker = ReadLeague(kZeph, MakeBodyImage({{1, 2, 3, 4}}));
  const auto not_zeph =
      ReadLeague(WorldFormat{Rules::kExp1}, MakeBodyImage({WriteLeagueBlock(league)}));
  for (const GameState* state : {without_marker.get(), not_zeph.get()}) {
    for (const auto& project : state->LeagueProjects) {
      EXPECT_EQ(project.Type, -1);
      EXPECT_EQ(project.Total, 0);
    }
  }
}

TEST(LeagueSection, SurvivesHostileCounts) {
  for (const int32_t members : {-1, 0x7FFFFFFF, 1000000}) {
    for (const int32_t projects : {-5, 0x7FFFFFFF}) {
      LeagueDescription league;
      league.Projects = {{1, {5}}};
      league.ProjectCount = projects;
      auto block = WriteLeagueBlock(league);
      // Overwrite the member count, and cut the block short of its last project.
      testing::PutIntAt(block, 0, members);
      block.resize(block.size() - 3);
      const auto state = ReadLeague(kZeph, MakeBodyImage({block}, 64, 0));
      EXPECT_LE(state->LeagueProjects[0].Total, 5);
    }
  }
}

}  // namespace
}  // namespace vek5
