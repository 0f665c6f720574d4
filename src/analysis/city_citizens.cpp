// The citizens block of a final-patch Zeph city record, after its build queue: the specialists
// by kind, the great-person progress and building points by kind, and the city's religions.
// The block starts with the list of the seven specialist kinds, found by the hash of its first
// kind; the other fields lie at fixed distances from that list.
#include <algorithm>
#include <array>
#include <optional>

#include "analysis/city_layout.h"
#include "analysis/searched_markers.h"
#include "container/readers.h"
#include "model/type_hash.h"

namespace vek5 {
namespace {

// The specialist kinds in the order of the save's lists; the first is the default citizen.
constexpr int32_t kSpecialistKinds = 7;
constexpr int32_t kFirstKindHash = markers::kFirstSpecialistHash;
// The model's great-person kind of each specialist kind after the default citizen: writer,
// artist, musician, scientist, merchant, engineer.
constexpr std::array<int, kSpecialistKinds - 1> kModelKindOf = {
    kGreatWriter, kGreatArtist, kGreatMusician, kGreatScientist, kGreatMerchant, kGreatEngineer};

// Distances from S, the position of the count of the specialist list.
constexpr int32_t kUnassignedAt = -99;
constexpr int32_t kWorkedTilesAt = -95;
constexpr int32_t kSpecialistCountsAt = 8;   // kind k at + 8k
constexpr int32_t kProgressListAt = 60;      // the list's count
constexpr int32_t kProgressAt = 68;          // kind k at + 8k
constexpr int32_t kBuildingPointsAt = 2552;  // kind k at + 8k
constexpr int32_t kReligionBlockAt = 2604;
constexpr int32_t kPairStride = 8;  // the lists hold (type hash, value) pairs
// The religion block: version, a byte, the pressure modifier, then the entries' count.
constexpr int32_t kReligionCountAt = 9;
constexpr int32_t kReligionEntriesAt = 13;
constexpr int32_t kReligionEntrySize = 21;

// The block lies shortly after the queue. A specialist list past the next city record's marker
// belongs to that record; one further away than this from the queue belongs to no city.
constexpr int32_t kMaxQueueToCitizens = 16384;

int32_t IntAt(const SaveImage& save, int32_t s, int32_t offset) {
  return PeekInt(save, int64_t{s} + offset);
}

// S, or nothing when no specialist list of seven kinds follows the queue within its record.
std::optional<int32_t> FindCitizensBlock(const SaveImage& save, int32_t queue_marker,
                                         int32_t next_record) {
  const int32_t found = FindInt(save, kFirstKindHash, queue_marker);
  if (found < 4 || int64_t{found} - queue_marker > kMaxQueueToCitizens) return std::nullopt;
  if (next_record > 0 && next_record < found) return std::nullopt;
  const int32_t s = found - 4;
  if (PeekInt(save, s) != kSpecialistKinds) return std::nullopt;
  return s;
}

void ReadSpecialistsAndProgress(const SaveImage& save, TCityRec& city, int32_t s) {
  city.UnassignedCitizens = IntAt(save, s, kUnassignedAt);
  city.WorkedTiles = IntAt(save, s, kWorkedTilesAt);
  city.OtherSpecialists = IntAt(save, s, kSpecialistCountsAt);
  const bool progress_listed = IntAt(save, s, kProgressListAt) == kSpecialistKinds;
  for (int32_t k = 1; k < kSpecialistKinds; ++k) {
    const auto kind = static_cast<size_t>(kModelKindOf[static_cast<size_t>(k - 1)]);
    city.GPSpecialists[kind] = IntAt(save, s, kSpecialistCountsAt + kPairStride * k);
    city.GPPoints[kind] = progress_listed ? IntAt(save, s, kProgressAt + kPairStride * k) : 0;
    city.GPBuildings[kind] = IntAt(save, s, kBuildingPointsAt + kPairStride * k);
  }
}

void ReadCityReligions(const SaveImage& save, TCityRec& city, int32_t s) {
  const int64_t block = int64_t{s} + kReligionBlockAt;
  const int32_t stored = PeekInt(save, block + kReligionCountAt);
  // Entries past the end of the image would read as zeros: they are not entries.
  const int64_t room =
      std::max<int64_t>(int64_t{save.DataLength} - (block + kReligionEntriesAt), 0) /
      kReligionEntrySize;
  const auto count = static_cast<int32_t>(
      std::clamp<int64_t>(stored, 0, std::min<int64_t>(room, kMaxCityReligions)));
  for (int32_t j = 0; j < count; ++j) {
    auto pos = static_cast<int32_t>(block + kReligionEntriesAt + int64_t{j} * kReligionEntrySize);
    ReadCityReligion(save, pos, city.Religions[static_cast<size_t>(j)]);
  }
  city.ReligionCount = count;
  SetReligionShares(city);
}

}  // namespace

void ReadZephCitizens(const SaveImage& save, TCityRec& city, int32_t queue_marker,
                      int32_t next_record) {
  city.CitizensRead = kFalse;
  city.ReligionCount = 0;
  if (queue_marker < 1) return;
  const std::optional<int32_t> s = FindCitizensBlock(save, queue_marker, next_record);
  if (!s) return;
  city.CitizensRead = kTrue;
  ReadSpecialistsAndProgress(save, city, *s);
  ReadCityReligions(save, city, *s);
}

}  // namespace vek5
