// Finding a table row by the type hash a Zeph save stores.
#include "model/reference_tables.h"

namespace vek5 {
namespace {

template <typename Table>
int32_t FindByHash(const Table& table, int32_t hash) {
  if (hash == 0) return -1;
  for (size_t row = 0; row < table.size(); ++row) {
    if (table[row].Hash == hash) return static_cast<int32_t>(row);
  }
  return -1;
}

}  // namespace

int32_t FindBIndex(int32_t hash) {
  return FindByHash(BuildingInfoZeph, hash);
}
int32_t FindUIndex(int32_t hash) {
  return FindByHash(UnitInfoZeph, hash);
}
int32_t FindPIndex(int32_t hash) {
  return FindByHash(ProjectInfo, hash);
}
int32_t FindCIndex(int32_t hash) {
  return FindByHash(CommerceInfo, hash);
}

}  // namespace vek5

namespace vek5 {

int32_t FindBuildingRowByKey(std::span<const TBuildingInfoRec> table, std::string_view key) {
  for (size_t row = 0; row < table.size(); ++row) {
    if (table[row].Key == key) return static_cast<int32_t>(row);
  }
  return -1;
}

}  // namespace vek5
