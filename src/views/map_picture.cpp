#include "views/map_picture.h"

#include <algorithm>
#include <cmath>

#include "model/city_names.h"
#include "model/format.h"
#include "views/graph_view.h"
#include "views/map_knowledge.h"

namespace vek5 {
namespace {

constexpr float kSqrt3 = 1.7320508F;

// A plot's six edges, clockwise from the north-east; edge d runs from corner d to corner d + 1.
enum Direction { kNorthEast, kEast, kSouthEast, kSouthWest, kWest, kNorthWest, kDirections };

// Neighbour offsets (columns, rows northward) by direction, for even and odd rows: odd rows are
// shifted half a tile east.
constexpr int kNeighbourDx[2][kDirections] = {{0, 1, 0, -1, -1, -1}, {1, 1, 1, 0, -1, 0}};
constexpr int kNeighbourDy[kDirections] = {1, 0, -1, -1, 0, 1};

// Detail by tile width in pixels: what is drawn from which zoom on.
constexpr float kMountainsFrom = 5;
constexpr float kHillsFrom = 12;
constexpr float kCityLabelsFrom = 6;
constexpr float kFeatureMarksFrom = 14;
constexpr float kGridFrom = 20;
constexpr float kResourcesFrom = 20;
constexpr float kImprovementsFrom = 20;
constexpr float kWonderNamesFrom = 28;
constexpr float kPlotNamesFrom = 56;

// Room around the map for the labels of its outer plots, in tiles and at least in pixels.
constexpr float kMarginTiles = 0.5F;
constexpr float kMinMargin = 8;

constexpr MapColour Rgb(uint32_t rgb) {
  return 0xFF000000U | rgb;
}

constexpr MapColour kBackground = Rgb(0x1A1A1A);
constexpr MapColour kNeverSeen = Rgb(0x0E0E0E);
constexpr MapColour kNotRead = Rgb(0x777777);
constexpr MapColour kGrid = 0x40000000;
// Terrains by row of MapTerrains (hills and mountains keep the terrain beneath them).
constexpr MapColour kTerrainColours[] = {
    Rgb(0x79AD4A),  // grassland
    Rgb(0xB9B069),  // plains
    Rgb(0xE6D69C),  // desert
    Rgb(0x98A08A),  // tundra
    Rgb(0xF0F2F5),  // snow
    Rgb(0x78B2DC),  // coast
    Rgb(0x2C5A99),  // ocean
    Rgb(0x8A7F74),  // mountain
    Rgb(0xA39260),  // hill
};
constexpr int kTerrainRows = static_cast<int>(std::size(kTerrainColours));
constexpr MapColour kMountain = Rgb(0x8E8378);
constexpr MapColour kMountainMark = Rgb(0x5E544B);
constexpr MapColour kMountainEdge = Rgb(0x3A322B);
constexpr float kHillShade = 0.18F;
constexpr MapColour kRiver = Rgb(0x2F7FD8);
constexpr MapColour kRoad = Rgb(0x8B5A2B);
constexpr MapColour kRailroad = Rgb(0x2B2B2B);
constexpr MapColour kWonder = Rgb(0xFFD21F);
constexpr MapColour kWonderEdge = Rgb(0x5A4000);
constexpr MapColour kCityEdge = Rgb(0x000000);
constexpr MapColour kStrategic = Rgb(0xD43A2F);
constexpr MapColour kLuxury = Rgb(0xA34BC9);
constexpr MapColour kBonus = Rgb(0x3FA34A);
constexpr MapColour kUnknownResource = Rgb(0x9A9A9A);
constexpr MapColour kMarkEdge = Rgb(0x202020);
constexpr MapColour kImprovement = Rgb(0xF2E3B3);
constexpr MapColour kPillaged = Rgb(0xE04A2A);
constexpr MapColour kImprovementEdge = Rgb(0x4A3A20);
constexpr MapColour kLabelText = Rgb(0xFFFFFF);
constexpr MapColour kLabelBox = 0xB4202020;
constexpr MapColour kPlotLabelText = Rgb(0x101010);
constexpr MapColour kPlotLabelBox = 0xB4FFFFFF;
// The share of a player's colour in the fill of his territory.
constexpr float kTerritoryTint = 0.38F;
// What is left of a colour on a plot the team remembers but does not see now.
constexpr float kRememberedLight = 0.55F;

// Feature rows, the same in every rule set's table.
constexpr int8_t kFeatureIce = 0;
constexpr int8_t kFeatureJungle = 1;
constexpr int8_t kFeatureMarsh = 2;
constexpr int8_t kFeatureOasis = 3;
constexpr int8_t kFeatureFloodPlains = 4;
constexpr int8_t kFeatureForest = 5;
constexpr int8_t kFeatureFallout = 6;
constexpr int8_t kFeatureAtoll = 17;

struct FeatureLook {
  int8_t Row;
  MapColour Colour;
  float Share;  // of the colour in the plot's fill
  MapShape Mark;
  bool Marked;
};
constexpr FeatureLook kFeatureLooks[] = {
    {kFeatureIce, Rgb(0xE4F1FA), 1.0F, MapShape::kCircle, false},
    {kFeatureJungle, Rgb(0x1C5A36), 0.6F, MapShape::kCircle, true},
    {kFeatureMarsh, Rgb(0x4F8577), 0.5F, MapShape::kWaves, true},
    {kFeatureOasis, Rgb(0x3E9FB0), 0.35F, MapShape::kCircle, true},
    {kFeatureFloodPlains, Rgb(0xB8CC72), 0.4F, MapShape::kCircle, false},
    {kFeatureForest, Rgb(0x2B632B), 0.5F, MapShape::kTriangle, true},
    {kFeatureFallout, Rgb(0x8C8C30), 0.5F, MapShape::kCircle, false},
    {kFeatureAtoll, Rgb(0x9FE0CF), 0.45F, MapShape::kRing, true},
};

const FeatureLook* LookOf(int8_t feature) {
  for (const FeatureLook& look : kFeatureLooks) {
    if (look.Row == feature) return &look;
  }
  return nullptr;
}

MapColour Mix(MapColour base, MapColour other, float share) {
  auto channel = [&](int shift) {
    const float a = static_cast<float>((base >> shift) & 0xFF);
    const float b = static_cast<float>((other >> shift) & 0xFF);
    return static_cast<uint32_t>(std::lround(a + (b - a) * share)) << shift;
  };
  return (base & 0xFF000000U) | channel(16) | channel(8) | channel(0);
}

MapColour Darker(MapColour colour, float share) {
  return Mix(colour, Rgb(0), share);
}

// Colours of a remembered plot are dimmed; those of a plot seen now stay.
MapColour Seen(MapColour colour, PlotSight sight) {
  return sight == PlotSight::kRemembered ? Darker(colour, 1 - kRememberedLight) : colour;
}

float Margin(float tile) {
  return std::max(tile * kMarginTiles, kMinMargin);
}
float CornerRadius(float tile) {
  return tile / kSqrt3;
}

MapPoint CentreOf(float tile, int32_t rows, int32_t x, int32_t y) {
  const float radius = CornerRadius(tile);
  const float margin = Margin(tile);
  const float shift = (y & 1) != 0 ? tile / 2 : 0;
  return {margin + tile / 2 + static_cast<float>(x) * tile + shift,
          margin + radius + static_cast<float>(rows - 1 - y) * 1.5F * radius};
}

MapPoint Offset(MapPoint p, float dx, float dy) {
  return {p.X + dx, p.Y + dy};
}
MapPoint Between(MapPoint a, MapPoint b, float share) {
  return {a.X + (b.X - a.X) * share, a.Y + (b.Y - a.Y) * share};
}

// The plot beyond a plot's edge, -1 off a map that does not wrap there.
int32_t Neighbour(const WorldMap& map, int32_t plot, int direction) {
  const int32_t x = plot % map.Width;
  const int32_t y = plot / map.Width;
  int32_t nx = x + kNeighbourDx[y & 1][direction];
  int32_t ny = y + kNeighbourDy[direction];
  if (nx < 0 || nx >= map.Width) {
    if (!map.WrapX) return -1;
    nx = (nx + map.Width) % map.Width;
  }
  if (ny < 0 || ny >= map.Height) {
    if (!map.WrapY) return -1;
    ny = (ny + map.Height) % map.Height;
  }
  return map.PlotIndex(nx, ny);
}

// Leaders entry of each slot, -1 for a slot without one.
std::array<int32_t, kMaxSlots> EntriesOfSlots(const GameState& state) {
  std::array<int32_t, kMaxSlots> entries = FilledSlots(-1);
  const int32_t players = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int32_t i = players - 1; i >= 0; --i) {
    const int32_t slot = state.Leaders[static_cast<size_t>(i)].Slot;
    if (slot >= 0 && slot < kMaxSlots) entries[static_cast<size_t>(slot)] = i;
  }
  return entries;
}

MapColour ColourOfEntry(int32_t entry) {
  return entry < 0 ? Rgb(0x808080) : Rgb(GraphEntryLineColor(entry));
}

MapColour ResourceColour(ResourceClass kind) {
  switch (kind) {
    case ResourceClass::kStrategic:
      return kStrategic;
    case ResourceClass::kLuxury:
      return kLuxury;
    case ResourceClass::kBonus:
      return kBonus;
    case ResourceClass::kUnknown:
      break;
  }
  return kUnknownResource;
}

// Everything one picture is built from.
struct Builder {
  const GameState& state;
  const WorldMap& map;
  const MapSelection& selection;
  const MapTeamView* team;
  std::array<int32_t, kMaxSlots> entries;
  std::vector<KnownPlot> known;
  MapPicture& picture;

  float Tile() const { return picture.TileWidth; }
  const MapPlot& Plot(int32_t plot) const { return map.Plots[static_cast<size_t>(plot)]; }
  const KnownPlot& Known(int32_t plot) const { return known[static_cast<size_t>(plot)]; }
  bool Shown(int32_t plot) const { return Known(plot).Sight != PlotSight::kNever; }
  MapPoint Centre(int32_t plot) const { return picture.Hexagons[static_cast<size_t>(plot)].Centre; }
  MapPoint Corner(int32_t plot, int corner) const {
    const MapPoint c = Centre(plot);
    const MapPoint d = picture.Corners[static_cast<size_t>(corner % kDirections)];
    return {c.X + d.X, c.Y + d.Y};
  }
  MapColour PlayerColour(int32_t slot) const {
    return slot >= 0 && slot < kMaxSlots ? ColourOfEntry(entries[static_cast<size_t>(slot)])
                                         : Rgb(0x808080);
  }
  // The city the map shows on a plot: the team sees it, or remembers the plot as its owner's.
  bool CityShown(int32_t plot) const {
    const MapPlot& real = Plot(plot);
    const KnownPlot& seen = Known(plot);
    if (!selection.Cities || real.CityOwner < 0 || seen.Sight == PlotSight::kNever) return false;
    return seen.Sight == PlotSight::kNow || seen.Owner == real.CityOwner;
  }
  // A size that grows with the zoom, within bounds in pixels.
  float Size(float share, float least, float most) const {
    return std::clamp(Tile() * share, least, most);
  }
};

MapColour PlotFill(const Builder& b, int32_t plot) {
  const MapPlot& real = b.Plot(plot);
  const KnownPlot& seen = b.Known(plot);
  if (seen.Sight == PlotSight::kNever) return kNeverSeen;
  if ((real.Flags & kPlotNotRead) != 0) return kNotRead;
  MapColour fill = real.Terrain >= 0 && real.Terrain < kTerrainRows
                       ? kTerrainColours[static_cast<size_t>(real.Terrain)]
                       : kNotRead;
  if (real.PlotType == kPlotMountain) fill = Mix(kMountain, fill, 0.25F);
  if (real.PlotType == kPlotHills) fill = Darker(fill, kHillShade);
  if (const FeatureLook* look = LookOf(real.Feature)) fill = Mix(fill, look->Colour, look->Share);
  if (b.selection.Territory && seen.Owner >= 0) {
    fill = Mix(fill, b.PlayerColour(seen.Owner), kTerritoryTint);
  }
  return Seen(fill, seen.Sight);
}

void AddHexagons(Builder& b) {
  b.picture.Hexagons.reserve(b.map.Plots.size());
  for (int32_t plot = 0; plot < b.map.PlotCount(); ++plot) {
    const MapPoint centre =
        CentreOf(b.Tile(), b.map.Height, plot % b.map.Width, plot / b.map.Width);
    b.picture.Hexagons.push_back({centre, kMapNoColour});
  }
  for (int32_t plot = 0; plot < b.map.PlotCount(); ++plot) {
    b.picture.Hexagons[static_cast<size_t>(plot)].Fill = PlotFill(b, plot);
  }
}

bool RouteOrCity(const Builder& b, int32_t plot) {
  return plot >= 0 && b.Shown(plot) && (b.Known(plot).Route >= 0 || b.CityShown(plot));
}

// Each plot draws its half of a route: from its centre to the middle of every edge shared with
// another plot on the route. Halves never cross the map's seam where it wraps.
void AddRoutes(Builder& b) {
  for (int32_t plot = 0; plot < b.map.PlotCount(); ++plot) {
    const KnownPlot& seen = b.Known(plot);
    if (seen.Sight == PlotSight::kNever || seen.Route < 0) continue;
    const bool rail = seen.Route == kRouteRailroad;
    const MapColour colour = Seen(rail ? kRailroad : kRoad, seen.Sight);
    const float width = rail ? b.Size(0.09F, 1.5F, 6) : b.Size(0.07F, 1.0F, 5);
    const bool pillaged =
        seen.Sight == PlotSight::kNow && (b.Plot(plot).Flags & kPlotRoutePillaged) != 0;
    bool joined = false;
    for (int d = 0; d < kDirections; ++d) {
      if (!RouteOrCity(b, Neighbour(b.map, plot, d))) continue;
      const MapPoint middle = Between(b.Corner(plot, d), b.Corner(plot, d + 1), 0.5F);
      b.picture.Lines.push_back({b.Centre(plot), middle, colour, width, pillaged});
      joined = true;
    }
    if (!joined && !b.CityShown(plot)) {
      b.picture.Markers.push_back(
          {b.Centre(plot), width * 2.5F, MapShape::kCircle, colour, kMapNoColour, 0});
    }
  }
}

// A plot records the rivers on its south-west, east and south-east edges.
void AddRivers(Builder& b) {
  constexpr std::pair<uint8_t, int> kEdges[] = {
      {kRiverEast, kEast}, {kRiverSouthEast, kSouthEast}, {kRiverSouthWest, kSouthWest}};
  const float width = b.Size(0.1F, 1.2F, 6);
  for (int32_t plot = 0; plot < b.map.PlotCount(); ++plot) {
    const uint8_t rivers = b.Plot(plot).Rivers;
    if (rivers == 0 || !b.Shown(plot)) continue;
    const MapColour colour = Seen(kRiver, b.Known(plot).Sight);
    for (const auto& [bit, edge] : kEdges) {
      if ((rivers & bit) == 0) continue;
      b.picture.Lines.push_back({b.Corner(plot, edge), b.Corner(plot, edge + 1), colour, width});
    }
  }
}

// A border runs along each edge between a player's plot and a plot not his, just inside his.
void AddBorders(Builder& b) {
  const float width = b.Size(0.09F, 1.2F, 5);
  const float inset = std::min(width / 2 / CornerRadius(b.Tile()), 0.5F);
  for (int32_t plot = 0; plot < b.map.PlotCount(); ++plot) {
    const KnownPlot& seen = b.Known(plot);
    if (seen.Sight == PlotSight::kNever || seen.Owner < 0) continue;
    const MapColour colour = Seen(b.PlayerColour(seen.Owner), seen.Sight);
    const MapPoint centre = b.Centre(plot);
    for (int d = 0; d < kDirections; ++d) {
      const int32_t other = Neighbour(b.map, plot, d);
      if (other >= 0 && b.Shown(other) && b.Known(other).Owner == seen.Owner) continue;
      b.picture.Lines.push_back({Between(b.Corner(plot, d), centre, inset),
                                 Between(b.Corner(plot, d + 1), centre, inset), colour, width});
    }
  }
}

void AddTerrainMarks(Builder& b) {
  const float tile = b.Tile();
  for (int32_t plot = 0; plot < b.map.PlotCount(); ++plot) {
    const MapPlot& real = b.Plot(plot);
    const PlotSight sight = b.Known(plot).Sight;
    if (sight == PlotSight::kNever || (real.Flags & kPlotNotRead) != 0) continue;
    const MapPoint centre = b.Centre(plot);
    if (real.PlotType == kPlotMountain && tile >= kMountainsFrom) {
      b.picture.Markers.push_back({Offset(centre, 0, -tile * 0.04F), tile * 0.62F,
                                   MapShape::kTriangle, Seen(kMountainMark, sight),
                                   Seen(kMountainEdge, sight), b.Size(0.04F, 0.5F, 2)});
    } else if (real.PlotType == kPlotHills && tile >= kHillsFrom) {
      const MapColour fill = b.picture.Hexagons[static_cast<size_t>(plot)].Fill;
      b.picture.Markers.push_back({Offset(centre, 0, tile * 0.05F), tile * 0.55F, MapShape::kHill,
                                   kMapNoColour, Darker(fill, 0.45F), b.Size(0.06F, 1.0F, 3)});
    }
    const FeatureLook* look = LookOf(real.Feature);
    if (look == nullptr || !look->Marked || tile < kFeatureMarksFrom) continue;
    const MapColour mark = Seen(Darker(look->Colour, 0.2F), sight);
    const bool outline = look->Mark == MapShape::kRing || look->Mark == MapShape::kWaves;
    b.picture.Markers.push_back({Offset(centre, -tile * 0.2F, -tile * 0.16F), tile * 0.26F,
                                 look->Mark, outline ? kMapNoColour : mark,
                                 outline ? mark : kMapNoColour, b.Size(0.05F, 1.0F, 2.5F)});
  }
}

float LabelFont(float tile, float share, float least, float most) {
  return std::clamp(tile * share, least, most);
}

void AddPlotLabel(Builder& b, MapPoint centre, std::string text) {
  if (text.empty()) return;
  b.picture.Labels.push_back({centre, std::move(text), LabelFont(b.Tile(), 0.15F, 8, 11),
                              kPlotLabelText, kPlotLabelBox, false});
}

void AddImprovements(Builder& b) {
  const float tile = b.Tile();
  for (int32_t plot = 0; plot < b.map.PlotCount(); ++plot) {
    const KnownPlot& seen = b.Known(plot);
    if (seen.Sight == PlotSight::kNever || seen.Improvement == kMapNone) continue;
    const bool pillaged =
        seen.Sight == PlotSight::kNow && (b.Plot(plot).Flags & kPlotImprovementPillaged) != 0;
    const MapPoint centre = b.Centre(plot);
    b.picture.Markers.push_back({Offset(centre, tile * 0.2F, tile * 0.18F), b.Size(0.24F, 4, 18),
                                 MapShape::kDiamond,
                                 Seen(pillaged ? kPillaged : kImprovement, seen.Sight),
                                 Seen(kImprovementEdge, seen.Sight), b.Size(0.03F, 1, 1.5F)});
    if (tile >= kPlotNamesFrom) {
      AddPlotLabel(b, Offset(centre, 0, -tile * 0.27F),
                   std::string(ImprovementName(b.map.Rules, seen.Improvement)));
    }
  }
}

void AddResources(Builder& b) {
  const float tile = b.Tile();
  for (int32_t plot = 0; plot < b.map.PlotCount(); ++plot) {
    const MapPlot& real = b.Plot(plot);
    const PlotSight sight = b.Known(plot).Sight;
    if (sight == PlotSight::kNever || real.Resource == kMapNone) continue;
    const MapPoint centre = b.Centre(plot);
    b.picture.Markers.push_back({Offset(centre, -tile * 0.2F, tile * 0.18F), b.Size(0.24F, 4, 18),
                                 MapShape::kCircle,
                                 Seen(ResourceColour(ClassOfResource(b.map, real.Resource)), sight),
                                 Seen(kMarkEdge, sight), b.Size(0.03F, 1, 1.5F)});
    if (tile < kPlotNamesFrom) continue;
    std::string name(ResourceName(b.map, real.Resource));
    if (real.ResourceQuantity > 1) name += " " + std::to_string(real.ResourceQuantity);
    AddPlotLabel(b, Offset(centre, 0, tile * 0.38F), std::move(name));
  }
}

void AddWonders(Builder& b) {
  const float tile = b.Tile();
  for (const int32_t plot : b.map.NaturalWonderPlots) {
    if (plot < 0 || plot >= b.map.PlotCount() || !b.Shown(plot)) continue;
    const PlotSight sight = b.Known(plot).Sight;
    const MapPoint centre = b.Centre(plot);
    b.picture.Markers.push_back({centre, b.Size(0.5F, 7, 30), MapShape::kStar, Seen(kWonder, sight),
                                 Seen(kWonderEdge, sight), b.Size(0.03F, 1, 1.5F)});
    if (tile < kWonderNamesFrom) continue;
    b.picture.Labels.push_back({Offset(centre, 0, tile * 0.42F),
                                std::string(FeatureName(b.map.Rules, b.Plot(plot).Feature)),
                                LabelFont(tile, 0.2F, 8, 12), kLabelText, kLabelBox, false});
  }
}

// The city record on a plot, found by its owner and position.
const TCityRec* CityOn(const Builder& b, int32_t plot) {
  const int32_t owner = b.Plot(plot).CityOwner;
  if (owner < 0 || owner >= kMaxSlots) return nullptr;
  const int32_t entry = b.entries[static_cast<size_t>(owner)];
  if (entry < 0) return nullptr;
  const int32_t x = plot % b.map.Width;
  const int32_t y = plot / b.map.Width;
  for (const TCityRec& city : b.state.Cities[static_cast<size_t>(entry)]) {
    if (city.X == x && city.Y == y) return &city;
  }
  return nullptr;
}

void AddCities(Builder& b) {
  const float tile = b.Tile();
  const float size = b.Size(0.46F, 5, 26);
  for (int32_t plot = 0; plot < b.map.PlotCount(); ++plot) {
    if (!b.CityShown(plot)) continue;
    const PlotSight sight = b.Known(plot).Sight;
    const MapPoint centre = b.Centre(plot);
    b.picture.Markers.push_back({centre, size, MapShape::kSquare,
                                 Seen(b.PlayerColour(b.Plot(plot).CityOwner), sight),
                                 Seen(kCityEdge, sight), b.Size(0.05F, 1, 3)});
    const TCityRec* city = CityOn(b, plot);
    if (city == nullptr || tile < kCityLabelsFrom) continue;
    const float font = LabelFont(tile, 0.34F, 9, 15);
    b.picture.Labels.push_back({Offset(centre, 0, -size / 2 - font * 0.75F),
                                CityDisplayName(*city) + " " + std::to_string(city->Population),
                                font, kLabelText, kLabelBox, city->HasPalace != 0});
  }
}

MapPoint PictureSize(float tile, int32_t columns, int32_t rows) {
  const float radius = CornerRadius(tile);
  const float margin = Margin(tile);
  return {2 * margin + static_cast<float>(columns) * tile + (rows > 1 ? tile / 2 : 0),
          2 * margin + 2 * radius + static_cast<float>(std::max(rows - 1, 0)) * 1.5F * radius};
}

void SetGeometry(MapPicture& picture, float tile, int32_t columns, int32_t rows) {
  const float radius = CornerRadius(tile);
  picture.TileWidth = tile;
  picture.Columns = columns;
  picture.Rows = rows;
  picture.Corners = {
      MapPoint{0, -radius}, MapPoint{tile / 2, -radius / 2}, MapPoint{tile / 2, radius / 2},
      MapPoint{0, radius},  MapPoint{-tile / 2, radius / 2}, MapPoint{-tile / 2, -radius / 2}};
  const MapPoint size = PictureSize(tile, columns, rows);
  picture.Width = size.X;
  picture.Height = size.Y;
}

constexpr float kMessageWidth = 560;
constexpr float kMessageHeight = 80;

MapPicture MessagePicture(std::string message) {
  MapPicture picture;
  picture.Width = kMessageWidth;
  picture.Height = kMessageHeight;
  picture.Background = kBackground;
  picture.Message = std::move(message);
  return picture;
}

}  // namespace

MapPicture BuildMapPicture(const GameState& state, const MapSelection& selection) {
  const WorldMap& map = state.Map;
  if (!map.Readable() || map.Width <= 0 || map.Height <= 0 ||
      map.PlotCount() != map.Width * map.Height) {
    return MessagePicture(map.Problem.empty() ? "This save holds no readable map."
                                              : "No readable map: " + map.Problem);
  }
  MapPicture picture;
  picture.Background = kBackground;
  const float tile =
      static_cast<float>(std::clamp(selection.TileWidth, kMapMinTileWidth, kMapMaxTileWidth));
  SetGeometry(picture, tile, map.Width, map.Height);
  if (tile >= kGridFrom) {
    picture.Grid = kGrid;
    picture.GridWidth = 1;
  }
  Builder b{
      state, map,    selection, SelectedTeamView(map, selection.SeenByTeam), EntriesOfSlots(state),
      {},    picture};
  b.known.reserve(map.Plots.size());
  for (int32_t plot = 0; plot < map.PlotCount(); ++plot)
    b.known.push_back(KnowPlot(map, b.team, plot));
  AddHexagons(b);
  if (selection.RiversAndRoutes) {
    AddRoutes(b);
    AddRivers(b);
  }
  if (selection.Territory) AddBorders(b);
  AddTerrainMarks(b);
  if (selection.Improvements && tile >= kImprovementsFrom) AddImprovements(b);
  if (selection.Resources && tile >= kResourcesFrom) AddResources(b);
  AddWonders(b);
  AddCities(b);
  return picture;
}

double MapFitTileWidth(int32_t columns, int32_t rows, double width, double height) {
  const auto fits = [&](double tile) {
    const MapPoint size = PictureSize(static_cast<float>(tile), columns, rows);
    return size.X <= width && size.Y <= height;
  };
  // The picture grows with the tile: halve the interval down to a hundredth of a pixel.
  double low = kMapMinTileWidth;
  double high = kMapMaxTileWidth;
  if (fits(high)) return high;
  while (high - low > 0.01) {
    const double middle = (low + high) / 2;
    (fits(middle) ? low : high) = middle;
  }
  return low;
}

MapPoint MapPlotCentre(const MapPicture& picture, int32_t plot) {
  if (picture.Columns <= 0) return {};
  return CentreOf(picture.TileWidth, picture.Rows, plot % picture.Columns, plot / picture.Columns);
}

int32_t MapPlotAt(const MapPicture& picture, MapPoint point) {
  if (picture.Columns <= 0 || picture.Rows <= 0) return -1;
  const float tile = picture.TileWidth;
  const float radius = CornerRadius(tile);
  const MapPoint first = CentreOf(tile, picture.Rows, 0, picture.Rows - 1);
  const int32_t row_guess =
      picture.Rows - 1 - static_cast<int32_t>(std::lround((point.Y - first.Y) / (1.5F * radius)));
  // The plot whose centre is nearest holds the point, if the point is inside its hexagon.
  int32_t best = -1;
  float best_distance = 0;
  for (int32_t y = row_guess - 1; y <= row_guess + 1; ++y) {
    if (y < 0 || y >= picture.Rows) continue;
    const float shift = (y & 1) != 0 ? tile / 2 : 0;
    const int32_t column_guess =
        static_cast<int32_t>(std::lround((point.X - first.X - shift) / tile));
    for (int32_t x = column_guess - 1; x <= column_guess + 1; ++x) {
      if (x < 0 || x >= picture.Columns) continue;
      const MapPoint c = CentreOf(tile, picture.Rows, x, y);
      const float distance = (c.X - point.X) * (c.X - point.X) + (c.Y - point.Y) * (c.Y - point.Y);
      if (best < 0 || distance < best_distance) {
        best = y * picture.Columns + x;
        best_distance = distance;
      }
    }
  }
  if (best < 0) return -1;
  const MapPoint c = MapPlotCentre(picture, best);
  const float dx = std::abs(point.X - c.X);
  const float dy = std::abs(point.Y - c.Y);
  if (dx > tile / 2 || dy > radius - dx * radius / tile) return -1;
  return best;
}

std::string MapPlayerName(const TLeaderInfoRec& leader) {
  // A city-state's civilization reads "Minor"; its leader's name is the city-state's.
  const bool city_state = leader.SlotIsMinor != 0;
  if (city_state || leader.CivName.empty()) return leader.LeaderName;
  return leader.CivName;
}

MapColour MapPlayerColour(const GameState& state, int32_t slot) {
  if (slot < 0 || slot >= kMaxSlots) return Rgb(0x808080);
  return ColourOfEntry(EntriesOfSlots(state)[static_cast<size_t>(slot)]);
}

std::vector<MapTeamChoice> MapSeenByChoices(const GameState& state) {
  std::vector<MapTeamChoice> choices;
  const int32_t players = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (const MapTeamView& view : state.Map.Teams) {
    std::string names;
    for (int32_t i = 0; i < players; ++i) {
      const TLeaderInfoRec& leader = state.Leaders[static_cast<size_t>(i)];
      if (leader.Team != view.Team) continue;
      if (!names.empty()) names += ", ";
      names += MapPlayerName(leader);
    }
    choices.push_back(
        {view.Team, "Team " + std::to_string(view.Team) + (names.empty() ? "" : ": " + names)});
  }
  return choices;
}

std::vector<MapLegendEntry> MapLegend(const GameState& state, const MapSelection& selection) {
  std::vector<MapLegendEntry> legend;
  auto fill = [&](MapColour colour, std::string text) {
    legend.push_back({MapSwatch::kFill, colour, MapShape::kCircle, std::move(text)});
  };
  auto line = [&](MapColour colour, std::string text) {
    legend.push_back({MapSwatch::kLine, colour, MapShape::kCircle, std::move(text)});
  };
  auto mark = [&](MapColour colour, MapShape shape, std::string text) {
    legend.push_back({MapSwatch::kMarker, colour, shape, std::move(text)});
  };
  for (int8_t row = 0; row <= 6; ++row) {
    fill(kTerrainColours[static_cast<size_t>(row)], std::string(TerrainName(row)));
  }
  mark(kMountainMark, MapShape::kTriangle, "Mountain");
  mark(Darker(kTerrainColours[1], 0.45F), MapShape::kHill, "Hills");
  for (const FeatureLook& look : kFeatureLooks) {
    fill(Mix(kTerrainColours[0], look.Colour, look.Share),
         std::string(FeatureName(state.Map.Rules, look.Row)));
  }
  mark(kWonder, MapShape::kStar, "Natural wonder");
  if (selection.RiversAndRoutes) {
    line(kRiver, "River");
    line(kRoad, "Road");
    line(kRailroad, "Railroad");
  }
  if (selection.Cities) mark(Rgb(0xFFFFFF), MapShape::kSquare, "City (in its owner's colour)");
  if (selection.Resources) {
    mark(kStrategic, MapShape::kCircle, "Strategic resource");
    mark(kLuxury, MapShape::kCircle, "Luxury resource");
    mark(kBonus, MapShape::kCircle, "Bonus resource");
  }
  if (selection.Improvements) {
    mark(kImprovement, MapShape::kDiamond, "Improvement");
    mark(kPillaged, MapShape::kDiamond, "Pillaged improvement");
  }
  if (selection.SeenByTeam >= 0) {
    fill(kNeverSeen, "Never seen by the team");
    fill(Darker(kTerrainColours[0], 1 - kRememberedLight), "Seen before, not now");
  }
  fill(kNotRead, "Plot record not readable");
  if (!selection.Territory) return legend;
  std::array<bool, kMaxSlots> owns{};
  for (const MapPlot& plot : state.Map.Plots) {
    if (plot.Owner >= 0 && plot.Owner < kMaxSlots) owns[static_cast<size_t>(plot.Owner)] = true;
  }
  const int32_t players = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int32_t i = 0; i < players; ++i) {
    const TLeaderInfoRec& leader = state.Leaders[static_cast<size_t>(i)];
    if (leader.Slot < 0 || leader.Slot >= kMaxSlots || !owns[static_cast<size_t>(leader.Slot)]) {
      continue;
    }
    line(ColourOfEntry(i), MapPlayerName(leader));
  }
  return legend;
}

}  // namespace vek5
