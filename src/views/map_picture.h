// The world map as a picture in plain data: one hexagon per plot with its fill, then lines
// (routes, rivers, borders), markers and labels, in the order they are painted, all in pixels of
// a picture whose tiles are TileWidth wide. The window paints it with QPainter and the
// command-line tool with cairo; neither decides anything of its own, so both show the same map.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/game_state.h"

namespace vek5 {

// Colours of the picture: 0xAARRGGBB (alpha 0xFF = opaque).
using MapColour = uint32_t;
inline constexpr MapColour kMapNoColour = 0;

// What the picture shows, as the user selects it.
struct MapSelection {
  bool Territory = true;
  bool Cities = true;
  bool RiversAndRoutes = true;
  bool Resources = true;
  bool Improvements = true;
  int32_t SeenByTeam = -1;  // -1: everything; else the team whose knowledge is shown
  double TileWidth = 16;    // pixels from one plot's centre to the next in a row
};

// The zoom range of the picture, in pixels per tile.
inline constexpr double kMapMinTileWidth = 3;
inline constexpr double kMapMaxTileWidth = 128;

struct MapPoint {
  float X = 0;
  float Y = 0;
};

struct MapHexagon {
  MapPoint Centre;
  MapColour Fill = kMapNoColour;
};

struct MapLine {
  MapPoint From;
  MapPoint To;
  MapColour Colour = kMapNoColour;
  float Width = 1;
  bool Dashed = false;
};

enum class MapShape : uint8_t {
  kCircle,
  kSquare,
  kDiamond,
  kTriangle,  // pointing up: mountains, and trees where there is room
  kHill,      // a low arch, outline only
  kStar,      // natural wonders
  kRing,      // atolls: outline only
  kWaves,     // marshes: two short strokes, outline only
};

struct MapMarker {
  MapPoint Centre;
  float Size = 0;  // width of the shape's box
  MapShape Shape = MapShape::kCircle;
  MapColour Fill = kMapNoColour;
  MapColour Outline = kMapNoColour;
  float OutlineWidth = 1;
};

// A line of text centred on Centre, on a box of Background when it has one.
struct MapLabel {
  MapPoint Centre;
  std::string Text;     // UTF-8
  float FontSize = 10;  // pixels
  MapColour Colour = kMapNoColour;
  MapColour Background = kMapNoColour;
  bool Bold = false;
};

// One line of the legend: a swatch drawn as the picture draws that thing, and what it means.
enum class MapSwatch : uint8_t { kFill, kLine, kMarker };
struct MapLegendEntry {
  MapSwatch Swatch = MapSwatch::kFill;
  MapColour Colour = kMapNoColour;
  MapShape Shape = MapShape::kCircle;
  std::string Text;
};

struct MapPicture {
  float Width = 0;  // pixels
  float Height = 0;
  float TileWidth = 0;
  int32_t Columns = 0;  // plots per row
  int32_t Rows = 0;
  // The corners of every hexagon relative to its centre, clockwise from the top (y grows down).
  std::array<MapPoint, 6> Corners{};
  MapColour Background = kMapNoColour;
  MapColour Grid = kMapNoColour;  // outline of each hexagon, when the tiles are large enough
  float GridWidth = 0;
  std::vector<MapHexagon> Hexagons;  // plot order (row 0, the southern edge, first)
  std::vector<MapLine> Lines;
  std::vector<MapMarker> Markers;
  std::vector<MapLabel> Labels;
  std::string Message;  // shown in the middle when there is no map to draw
};

// The picture of the save's map for the selection. A save without a readable map gives an empty
// picture with a message.
MapPicture BuildMapPicture(const GameState& state, const MapSelection& selection);

// The largest tile width (within the zoom range) at which the whole picture of a map of the
// given plots fits into width x height pixels.
double MapFitTileWidth(int32_t columns, int32_t rows, double width, double height);

// The plot under a point of the picture, -1 when the point is off the map.
int32_t MapPlotAt(const MapPicture& picture, MapPoint point);
// The centre of a plot in the picture.
MapPoint MapPlotCentre(const MapPicture& picture, int32_t plot);

// The legend of the picture for the selection: the colours and marks it uses.
std::vector<MapLegendEntry> MapLegend(const GameState& state, const MapSelection& selection);

// How the map names a player: his civilization, or a city-state's own name.
std::string MapPlayerName(const TLeaderInfoRec& leader);

// A player's colour on the map: the colour of his line on the graph. Opaque.
MapColour MapPlayerColour(const GameState& state, int32_t slot);

// The teams the "Seen by" selector offers after "Everything": each team whose view the map
// holds, named by its number and its players.
struct MapTeamChoice {
  int32_t Team = 0;
  std::string Text;
};
std::vector<MapTeamChoice> MapSeenByChoices(const GameState& state);

}  // namespace vek5
