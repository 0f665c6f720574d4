#include "views/loads_json.h"

namespace vek5 {
namespace {

void IntOrNull(JsonWriter& w, std::string_view key, const std::optional<int32_t>& value) {
  if (value) {
    w.Key(key).Int(*value);
  } else {
    w.Key(key).Null();
  }
}

}  // namespace

void WriteLoadsJson(JsonWriter& w, const TLoadsRec& loads) {
  w.Key("Loads").BeginObject();
  w.Key("Humans").Int(loads.Humans);
  w.Key("Sessions").Int(loads.Sessions);
  IntOrNull(w, "NeededLoads", loads.NeededLoads);
  IntOrNull(w, "ExtraLoads", loads.ExtraLoads);
  w.Key("Countable").Bool(loads.Countable != 0);
  w.Key("PerTurn").BeginArray();
  for (const auto& [turn, sessions] : loads.PerTurn) {
    w.BeginArray();
    w.Int(turn);
    w.Int(sessions);
    w.EndArray();
  }
  w.EndArray();
  w.EndObject();
}

}  // namespace vek5
