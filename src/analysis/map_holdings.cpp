// What the map's plots add up to: land, owned and natural-wonder plots and the plots of each
// resource (compared with the header's own counts), what each player holds in its territory, and
// how much of the map each team has seen.
#include <algorithm>

#include "analysis/map_reading.h"
#include "model/format.h"

namespace vek5::map {
namespace {

bool IsLand(const MapPlot& plot) {
  return plot.PlotType >= 0 && plot.PlotType != kPlotWater;
}

// Adds a plot's resource to a player's list of that class (kept in resource-table order).
void AddResource(std::vector<MapResourceAmount>& list, const MapPlot& plot) {
  auto at = std::lower_bound(
      list.begin(), list.end(), plot.Resource,
      [](const MapResourceAmount& a, int16_t resource) { return a.Resource < resource; });
  if (at == list.end() || at->Resource != plot.Resource) {
    at = list.insert(at, MapResourceAmount{plot.Resource, 0, 0});
  }
  ++at->Plots;
  at->Quantity += plot.ResourceQuantity;
}

void CountPlot(WorldMap& m, const std::vector<ResourceClass>& classes,
               std::vector<int32_t>& land_by_resource, const MapPlot& plot, int32_t index) {
  const bool land = IsLand(plot);
  if (land) ++m.LandPlots;
  const bool wonder = IsNaturalWonder(m.Rules, plot.Feature);
  if (wonder) m.NaturalWonderPlots.push_back(index);
  const bool resource = plot.Resource >= 0 && static_cast<size_t>(plot.Resource) < classes.size();
  if (resource) {
    ++m.Resources[static_cast<size_t>(plot.Resource)].Plots;
    if (land) ++land_by_resource[static_cast<size_t>(plot.Resource)];
  }
  if (plot.Owner < 0) return;
  ++m.OwnedPlots;
  MapHoldings& holdings = m.Holdings[static_cast<size_t>(plot.Owner)];
  ++holdings.AllPlots;
  if (land) ++holdings.LandPlots;
  if (wonder) holdings.NaturalWonderPlots.push_back(index);
  if (!resource) return;
  const ResourceClass kind = classes[static_cast<size_t>(plot.Resource)];
  if (kind == ResourceClass::kStrategic) AddResource(holdings.Strategic, plot);
  if (kind == ResourceClass::kLuxury) AddResource(holdings.Luxuries, plot);
}

void CompareCount(WorldMap& m, const char* what, int64_t header, int64_t plots) {
  if (header == plots) return;
  m.CheckFailures.push_back(Format("The map header counts %lld %s, the plots hold %lld.",
                                   static_cast<long long>(header), what,
                                   static_cast<long long>(plots)));
}

// The header's counts against the plots'; only a map read whole can be compared.
void CompareWithHeader(WorldMap& m, const std::vector<int32_t>& land_by_resource) {
  CompareCount(m, "land plots", m.HeaderLandPlots, m.LandPlots);
  CompareCount(m, "owned plots", m.HeaderOwnedPlots, m.OwnedPlots);
  CompareCount(m, "natural-wonder plots", m.HeaderNaturalWonderPlots,
               static_cast<int64_t>(m.NaturalWonderPlots.size()));
  for (size_t r = 0; r < m.Resources.size(); ++r) {
    const MapResource& resource = m.Resources[r];
    const std::string name(ResourceName(m, static_cast<int16_t>(r)));
    CompareCount(m, ("plots of " + name).c_str(), resource.HeaderPlots, resource.Plots);
    CompareCount(m, ("land plots of " + name).c_str(), resource.HeaderLandPlots,
                 land_by_resource[r]);
  }
}

}  // namespace

void CountMapHoldings(WorldMap& m) {
  std::vector<ResourceClass> classes;
  for (size_t r = 0; r < m.Resources.size(); ++r) {
    classes.push_back(ClassOfResource(m, static_cast<int16_t>(r)));
  }
  std::vector<int32_t> land_by_resource(m.Resources.size(), 0);
  for (int32_t i = 0; i < m.PlotCount(); ++i) {
    const MapPlot& plot = m.Plots[static_cast<size_t>(i)];
    if (plot.Flags & kPlotNotRead) continue;
    CountPlot(m, classes, land_by_resource, plot, i);
  }
  for (MapTeamView& view : m.Teams) {
    view.SeenPlots = static_cast<int32_t>(
        std::count_if(view.Plots.begin(), view.Plots.end(),
                      [](const MapTeamPlot& seen) { return (seen.Flags & kTeamSeen) != 0; }));
  }
  if (m.Status == MapStatus::kRead) CompareWithHeader(m, land_by_resource);
}

}  // namespace vek5::map
