// Whatever a save holds near the world sections' markers, the analysis reads only inside the
// image and writes only inside the model. Run under the sanitizer build to catch a stray access.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "analysis/sections.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::Rules;
using testing::WorldFormat;

// Every block of every section, written for the format.
std::vector<std::vector<uint8_t>> AllBlocks(const WorldFormat& format) {
  testing::LeagueDescription league;
  league.Projects = {{1, {5, 6, 7}}};
  testing::LogDescription log;
  log.Messages.push_back({"A message [ICON_GOLD] text", 3, "Summary", 1});
  testing::TechTable tech;
  tech.Known = {1, 1};
  return {testing::WriteLeagueBlock(league),
          testing::WriteReligionBlock(format, {{0, {1001, 1002}}, {1, {1003}}}),
          testing::WriteInfluenceRecord(format, {100, 7000}),
          testing::WritePolicyTable(format, {{1, 0, 1}, std::nullopt, std::nullopt}),
          testing::WriteTechTable(format, tech),
          testing::WriteEconomyAnchor(),
          testing::WritePlayerRecord(
              format, {}, std::vector<testing::HistoryPairs>{{{1, 2}, {3, 4}}, {{5, 6}}}),
          testing::WriteNotificationLog(format, log)};
}

void RunWorldSections(const SaveImage& save, const WorldFormat& format) {
  std::vector<int32_t> slots(kMaxSlots);
  for (int i = 0; i < kMaxSlots; ++i) slots[static_cast<size_t>(i)] = i;
  auto state = testing::MakeWorldState(format, slots);
  int32_t pos = save.BodyOffset;
  ReadLeagueProjects(save, *state, pos);
  ReadReligions(save, *state, pos);
  const std::vector<PlayerRecord> records = FindPlayerRecords(save, *state);
  ReadHistory(save, *state, records);
  ReadInfluence(save, *state);
  ReadPolicies(save, *state);
  ReadTechnologies(save, *state);
  ReadEconomy(save, *state, records);
  ReadNotificationLogs(save, *state);
}

class WorldSectionsHostile : public ::testing::TestWithParam<WorldFormat> {};

TEST_P(WorldSectionsHostile, SurviveExtremeValuesAroundEveryMarker) {
  const int32_t extremes[] = {INT_MIN, INT_MAX, -1, 0x40000000, 0x7FFF, 64, 65, 1500, -1500};
  std::mt19937 random(12345);
  const auto blocks = AllBlocks(GetParam());
  for (int round = 0; round < 40; ++round) {
    auto damaged = blocks;
    for (auto& block : damaged) {
      for (int k = 0; k < 12; ++k) {
        const size_t at = random() % (block.size() / 4) * 4;
        testing::PutIntAt(block, at, extremes[random() % std::size(extremes)]);
      }
    }
    RunWorldSections(testing::MakeBodyImage(damaged), GetParam());
  }
}

TEST_P(WorldSectionsHostile, SurviveBlocksCutShortAtTheImagesEnd) {
  for (const auto& block : AllBlocks(GetParam())) {
    for (size_t cut = 1; cut < block.size(); cut += 1 + block.size() / 23) {
      const std::vector<uint8_t> head(block.begin(), block.begin() + static_cast<long>(cut));
      RunWorldSections(testing::MakeBodyImage({head}, 64, 0), GetParam());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, WorldSectionsHostile,
    ::testing::Values(WorldFormat{Rules::kBase}, WorldFormat{Rules::kBase, true, true},
                      WorldFormat{Rules::kExp1}, WorldFormat{Rules::kExp1, true},
                      WorldFormat{Rules::kZeph}, WorldFormat{Rules::kZeph, true, true, true}),
    [](const auto& info) { return testing::LayoutName(info.param); });

}  // namespace
}  // namespace vek5
