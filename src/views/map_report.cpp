#include "views/map_report.h"

#include <algorithm>
#include <vector>

#include "model/format.h"

namespace vek5 {
namespace {

constexpr std::string_view kIndent = "  ";
constexpr std::string_view kColumnGap = "  ";

// The name of the player in a slot: its Leaders entry's, or the slot's number.
std::string PlayerName(const GameState& state, int32_t slot) {
  if (slot < 0) return "-";
  const int32_t entries = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int32_t e = 0; e < entries; ++e) {
    if (state.Leaders[e].Slot == slot) return state.Leaders[e].LeaderName;
  }
  return Format("slot %d", slot);
}

std::string Position(const WorldMap& map, int32_t plot) {
  return Format("(%d, %d)", plot % map.Width, plot / map.Width);
}

// A natural wonder may cover several plots: one line per wonder, at its first plot, owned by the
// owner of any of its plots.
void AppendNaturalWonders(std::string& out, const GameState& state) {
  const WorldMap& map = state.Map;
  out += "Natural wonders (plots: " + std::to_string(map.NaturalWonderPlots.size()) + "):\n";
  std::vector<int8_t> listed;
  for (const int32_t plot : map.NaturalWonderPlots) {
    const int8_t feature = map.Plots[static_cast<size_t>(plot)].Feature;
    if (std::find(listed.begin(), listed.end(), feature) != listed.end()) continue;
    listed.push_back(feature);
    int32_t owner = -1;
    for (const int32_t other : map.NaturalWonderPlots) {
      const MapPlot& p = map.Plots[static_cast<size_t>(other)];
      if (p.Feature == feature && p.Owner >= 0) owner = p.Owner;
    }
    out += std::string(kIndent) + std::string(FeatureName(map.Rules, feature)) + " " +
           Position(map, plot) + ", " + (owner >= 0 ? PlayerName(state, owner) : "unowned") + "\n";
  }
}

std::string ResourceList(const WorldMap& map, const std::vector<MapResourceAmount>& list,
                         bool quantities) {
  std::string text;
  for (const MapResourceAmount& amount : list) {
    if (!text.empty()) text += ", ";
    text += std::string(ResourceName(map, amount.Resource));
    text += Format(" %d", quantities ? amount.Quantity : amount.Plots);
  }
  return text.empty() ? "-" : text;
}

// One row per player that owns plots, in slot order, as an aligned table.
void AppendHoldings(std::string& out, const GameState& state) {
  const WorldMap& map = state.Map;
  std::vector<std::vector<std::string>> rows = {
      {"Player", "Land plots", "All plots", "Strategic resources (quantity)", "Luxuries (plots)"}};
  for (int32_t slot = 0; slot < kMaxSlots; ++slot) {
    const MapHoldings& h = map.Holdings[static_cast<size_t>(slot)];
    if (h.AllPlots == 0) continue;
    rows.push_back({PlayerName(state, slot), std::to_string(h.LandPlots),
                    std::to_string(h.AllPlots), ResourceList(map, h.Strategic, true),
                    ResourceList(map, h.Luxuries, false)});
  }
  out += "Players' territory:\n";
  if (rows.size() == 1) {
    out += std::string(kIndent) + "no plot is owned\n";
    return;
  }
  std::vector<size_t> widths(rows.front().size(), 0);
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
  }
  for (const auto& row : rows) {
    std::string line(kIndent);
    for (size_t c = 0; c < row.size(); ++c) {
      if (c) line += kColumnGap;
      line += row[c];
      if (c + 1 < row.size()) line.append(widths[c] - row[c].size(), ' ');
    }
    out += line + "\n";
  }
}

}  // namespace

std::string BuildMapReport(const GameState& state) {
  const WorldMap& map = state.Map;
  std::string out = "== Map ==\n";
  if (!map.Readable()) return out + "The map could not be read. " + map.Problem + "\n\n";
  const int32_t plots = map.PlotCount();
  out += Format("Size: %d x %d (%d plots)\n", map.Width, map.Height, plots);
  std::string wraps = map.WrapX ? (map.WrapY ? "east-west and north-south" : "east-west")
                                : (map.WrapY ? "north-south" : "none");
  out += "Wraps: " + wraps + "\n";
  out += Format("Land: %d plots (%.1f%%)\n", map.LandPlots,
                plots > 0 ? 100.0 * map.LandPlots / plots : 0.0);
  if (map.Status == MapStatus::kDamaged) out += "Damaged: " + map.Problem + "\n";
  for (const std::string& failure : map.CheckFailures) out += "Check: " + failure + "\n";
  AppendNaturalWonders(out, state);
  AppendHoldings(out, state);
  return out + "\n";
}

}  // namespace vek5
