#include "analysis/searched_markers.h"

namespace vek5::markers {
namespace {

// The four bytes a search for the value looks for: little-endian, as the save holds it.
std::string IntBytes(int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return bytes;
}

}  // namespace

std::vector<std::string> SearchedPatterns() {
  std::vector<std::string> patterns;
  for (const int32_t value : {kZephRecord, kExp1Record, kBaseRecord, kOldLogTag, kLogTag,
                              kCourthouseHash, kInfluenceRecord, kPolicyTable, kFirstTechHash,
                              kEconomyRecord, kEconomyAnchor, kZephQueue, kFirstSpecialistHash}) {
    patterns.push_back(IntBytes(value));
  }
  for (const std::string_view text :
       {kGameOptionPrefix, kMembershipText, kCourthouseKey, kDatabaseText, kLastSeriesKey,
        kBuildingKey, kQueueListKey, kLateListKey}) {
    patterns.emplace_back(text);
  }
  return patterns;
}

}  // namespace vek5::markers
