// The markers and keys the sections search the body for, often over long stretches and many
// times over. The analysis records all their occurrences in one pass before the sections run, so
// that each of these searches is a lookup (other searches still scan).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/type_hash.h"

namespace vek5::markers {

// A player's record: found by the city records and the notification logs.
inline constexpr int32_t kZephRecord = static_cast<int32_t>(0xF5010319u);
inline constexpr int32_t kExp1Record = 0x18BF8791;
inline constexpr int32_t kBaseRecord = 0x37AEAE99;
// The value that starts a notification log, some way after its player's record; builds before
// 379995 used the first.
inline constexpr int32_t kOldLogTag = 257;
inline constexpr int32_t kLogTag = 513;

inline constexpr std::string_view kGameOptionPrefix = "GAMEOPTION_";
inline constexpr std::string_view kMembershipText = "from membership";
inline constexpr std::string_view kCourthouseKey = "BUILDINGCLASS_COURTHOUSE";
inline constexpr int32_t kCourthouseHash = TypeHash(kCourthouseKey);
inline constexpr std::string_view kDatabaseText = "SQLite";
inline constexpr std::string_view kLastSeriesKey = "REPLAYDATASET_MILITARYMIGHT";
inline constexpr int32_t kInfluenceRecord = static_cast<int32_t>(0xF1A0EAB7u);
inline constexpr int32_t kPolicyTable = TypeHash("POLICY_LIBERTY");
inline constexpr int32_t kFirstTechHash = TypeHash("TECH_AGRICULTURE");
inline constexpr std::string_view kBuildingKey = "BUILDING_STONE_WORKS";
inline constexpr int32_t kEconomyRecord = 0x6F229238;
inline constexpr int32_t kEconomyAnchor = 0x0252AC5E;

// Inside the city records.
inline constexpr int32_t kZephQueue = 0x57E5BD65;
inline constexpr std::string_view kQueueListKey = "PROMOTION_INSTA_HEAL";
inline constexpr std::string_view kLateListKey = "BUILDING_FLOATING_GARDENS";
inline constexpr int32_t kFirstSpecialistHash = TypeHash("SPECIALIST_CITIZEN");

// All of the above as the bytes a search looks for.
std::vector<std::string> SearchedPatterns();

}  // namespace vek5::markers
