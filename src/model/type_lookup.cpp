// Finding a table row by the type hash a Zeph save stores.
#include "model/reference_tables.h"

#include <algorithm>
#include <vector>

namespace vek5 {
namespace {

// A table's rows ordered by hash, the lower row first among equal hashes, made once: the city
// lists look up every building and unit they hold.
struct HashRow {
  int32_t Hash;
  int32_t Row;
};

template <typename Table>
std::vector<HashRow> RowsByHash(const Table& table) {
  std::vector<HashRow> rows;
  rows.reserve(table.size());
  for (size_t row = 0; row < table.size(); ++row) {
    rows.push_back({table[row].Hash, static_cast<int32_t>(row)});
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const HashRow& a, const HashRow& b) { return a.Hash < b.Hash; });
  return rows;
}

// The first row holding the hash; -1 for 0 or an unknown hash.
int32_t FindByHash(const std::vector<HashRow>& rows, int32_t hash) {
  if (hash == 0) return -1;
  const auto at = std::lower_bound(rows.begin(), rows.end(), hash,
                                   [](const HashRow& r, int32_t h) { return r.Hash < h; });
  return at != rows.end() && at->Hash == hash ? at->Row : -1;
}

}  // namespace

int32_t FindBIndex(int32_t hash) {
  static const std::vector<HashRow> rows = RowsByHash(BuildingInfoZeph);
  return FindByHash(rows, hash);
}
int32_t FindUIndex(int32_t hash) {
  static const std::vector<HashRow> rows = RowsByHash(UnitInfoZeph);
  return FindByHash(rows, hash);
}
int32_t FindPIndex(int32_t hash) {
  static const std::vector<HashRow> rows = RowsByHash(ProjectInfo);
  return FindByHash(rows, hash);
}
int32_t FindCIndex(int32_t hash) {
  static const std::vector<HashRow> rows = RowsByHash(CommerceInfo);
  return FindByHash(rows, hash);
}

int32_t FindBuildingRowByKey(std::span<const TBuildingInfoRec> table, std::string_view key) {
  for (size_t row = 0; row < table.size(); ++row) {
    if (table[row].Key == key) return static_cast<int32_t>(row);
  }
  return -1;
}

}  // namespace vek5
