// World-congress projects of a Zeph save: the member list is skipped, then up to three projects
// with each player's contribution are read.
#include <string_view>

#include "analysis/searched_markers.h"
#include "analysis/sections.h"
#include "analysis/world_layout.h"

namespace vek5 {
namespace {

using namespace world;

// A text of the first member record; the member count starts this many bytes before it.
constexpr std::string_view kMembershipText = markers::kMembershipText;
constexpr int32_t kMemberCountBeforeText = 40;
// A member record: int32, int32, text, byte, three int32, two bytes; at least this long.
constexpr int32_t kMinMemberRecordBytes = 4 + 4 + 4 + 1 + 12 + 2;
constexpr int32_t kMinProjectRecordBytes = 4 + 4 + 2;

void SkipMemberRecord(const SaveImage& save, int32_t& pos) {
  ReadInt(save, pos);
  ReadInt(save, pos);
  ReadStr(save, pos);
  ReadBool(save, pos);
  for (int i = 0; i < 3; ++i) ReadInt(save, pos);
  ReadBool(save, pos);
  ReadBool(save, pos);
}

void ReadProject(const SaveImage& save, int32_t& pos, TLeagueProjectRec& project) {
  project.Type = ReadInt(save, pos);
  const int32_t listed = ReadInt(save, pos);
  // Contributions past the last slot are not read; the position then stays behind them.
  const int32_t read = std::min(CountThatFits(save, pos, listed, 4), kMaxSlots);
  project.Total = 0;
  for (int32_t i = 0; i < read; ++i) {
    project.Contribution[i] = ReadInt(save, pos);
    project.Total = WrapAdd(project.Total, project.Contribution[i]);
  }
  project.Flag1 = ReadBool(save, pos);
  project.Flag2 = ReadBool(save, pos);
}

}  // namespace

void ReadLeagueProjects(const SaveImage& save, GameState& state, int32_t& pos) {
  if (!state.ZephPresent) return;
  state.LeagueProjects = {};
  const int32_t found = FindStr(save, kMembershipText, pos);
  if (found <= 0) return;
  int32_t q = Offset(found, -kMemberCountBeforeText);
  const int32_t members = ReadCountThatFits(save, q, kMinMemberRecordBytes);
  for (int32_t i = 0; i < members && q < save.DataLength; ++i) SkipMemberRecord(save, q);
  ReadInt(save, q);
  const int32_t projects =
      std::min(ReadCountThatFits(save, q, kMinProjectRecordBytes), kLeagueProjectCount);
  for (int32_t j = 0; j < projects; ++j) ReadProject(save, q, state.LeagueProjects[j]);
}

}  // namespace vek5
