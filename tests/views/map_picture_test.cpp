#include "views/map_picture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/map_state.h"
#include "views/graph_view.h"
#include "views/map_hover_text.h"

namespace vek5 {
namespace {

using testing::AddMapCity;
using testing::AddMapPlayers;
using testing::AddTeamView;
using testing::LayFlatMap;
using testing::PlotAt;

constexpr int32_t kWidth = 8;
constexpr int32_t kHeight = 6;

std::unique_ptr<GameState> FlatGame(int32_t players = 2) {
  auto state = NewGameState();
  LayFlatMap(*state, kWidth, kHeight);
  AddMapPlayers(*state, players);
  return state;
}

MapSelection Zoomed(double tile) {
  MapSelection selection;
  selection.TileWidth = tile;
  return selection;
}

float Length(const MapLine& line) {
  return std::hypot(line.To.X - line.From.X, line.To.Y - line.From.Y);
}

std::vector<MapLine> LinesOf(const MapPicture& picture, MapColour colour) {
  std::vector<MapLine> lines;
  for (const MapLine& line : picture.Lines) {
    if (line.Colour == colour) lines.push_back(line);
  }
  return lines;
}

uint32_t Brightness(MapColour colour) {
  return (colour & 0xFF) + ((colour >> 8) & 0xFF) + ((colour >> 16) & 0xFF);
}

size_t MarkersOf(const MapPicture& picture, MapShape shape) {
  size_t count = 0;
  for (const MapMarker& marker : picture.Markers) count += marker.Shape == shape ? 1 : 0;
  return count;
}

TEST(MapPicture, PlotsAreLaidAsTheGameLaysThemNorthUpOddRowsEast) {
  auto state = FlatGame();
  const MapPicture picture = BuildMapPicture(*state, Zoomed(20));
  ASSERT_EQ(picture.Hexagons.size(), static_cast<size_t>(kWidth * kHeight));
  const auto centre = [&](int32_t x, int32_t y) {
    return picture.Hexagons[static_cast<size_t>(y * kWidth + x)].Centre;
  };
  EXPECT_FLOAT_EQ(centre(1, 0).X - centre(0, 0).X, 20);
  EXPECT_FLOAT_EQ(centre(0, 1).X - centre(0, 0).X, 10);  // odd rows half a tile east
  EXPECT_FLOAT_EQ(centre(0, 2).X, centre(0, 0).X);
  EXPECT_LT(centre(0, 1).Y, centre(0, 0).Y);  // row 0 is the southern edge, at the bottom
  EXPECT_NEAR(centre(0, 0).Y - centre(0, 1).Y, 20 * std::sqrt(3.0F) / 2, 1e-3);
  EXPECT_LE(centre(kWidth - 1, 1).X + 10, picture.Width);
  EXPECT_LE(centre(0, 0).Y + picture.Corners[3].Y, picture.Height);
  // Every point of a hexagon finds its plot; points off the map find none.
  for (int32_t plot = 0; plot < kWidth * kHeight; ++plot) {
    const MapPoint c = picture.Hexagons[static_cast<size_t>(plot)].Centre;
    EXPECT_EQ(MapPlotAt(picture, c), plot);
    EXPECT_EQ(MapPlotAt(picture, {c.X + 9, c.Y}), plot);
    EXPECT_EQ(MapPlotAt(picture, {c.X, c.Y - 11}), plot);
    EXPECT_EQ(MapPlotCentre(picture, plot).X, c.X);
  }
  EXPECT_EQ(MapPlotAt(picture, {1, 1}), -1);
  EXPECT_EQ(MapPlotAt(picture, {picture.Width + 5, picture.Height / 2}), -1);
}

TEST(MapPicture, TerritoryTakesTheOwnersGraphColourWithABorderAroundIt) {
  auto state = FlatGame(3);
  PlotAt(*state, 2, 2).Owner = 1;
  PlotAt(*state, 3, 2).Owner = 1;
  PlotAt(*state, 6, 4).Owner = 2;
  const MapColour colour = 0xFF000000U | GraphEntryLineColor(1);
  EXPECT_EQ(MapPlayerColour(*state, 1), colour);
  const MapPicture picture = BuildMapPicture(*state, Zoomed(24));
  // Two neighbours share one edge: ten of their twelve edges are border.
  EXPECT_EQ(LinesOf(picture, colour).size(), 10u);
  EXPECT_EQ(LinesOf(picture, MapPlayerColour(*state, 2)).size(), 6u);
  const MapColour unowned = picture.Hexagons[0].Fill;
  EXPECT_NE(picture.Hexagons[static_cast<size_t>(2 * kWidth + 2)].Fill, unowned);

  MapSelection no_territory = Zoomed(24);
  no_territory.Territory = false;
  const MapPicture plain = BuildMapPicture(*state, no_territory);
  EXPECT_TRUE(LinesOf(plain, colour).empty());
  EXPECT_EQ(plain.Hexagons[static_cast<size_t>(2 * kWidth + 2)].Fill, unowned);
}

TEST(MapPicture, RoutesJoinNeighboursAndNeverCrossTheWrappingSeam) {
  auto state = FlatGame();
  PlotAt(*state, 0, 2).Route = kRouteRoad;
  PlotAt(*state, kWidth - 1, 2).Route = kRouteRoad;
  PlotAt(*state, 4, 4).Route = kRouteRailroad;  // alone: a dot
  const MapPicture picture = BuildMapPicture(*state, Zoomed(30));
  ASSERT_EQ(picture.Lines.size(), 2u);  // one half from each side of the seam
  for (const MapLine& line : picture.Lines) EXPECT_NEAR(Length(line), 15, 1e-3);
  EXPECT_EQ(MarkersOf(picture, MapShape::kCircle), 1u);

  MapSelection hidden = Zoomed(30);
  hidden.RiversAndRoutes = false;
  EXPECT_TRUE(BuildMapPicture(*state, hidden).Lines.empty());
}

TEST(MapPicture, RiversRunAlongThePlotsOwnEdges) {
  auto state = FlatGame();
  PlotAt(*state, 3, 3).Rivers = kRiverEast | kRiverSouthEast | kRiverSouthWest;
  const MapPicture picture = BuildMapPicture(*state, Zoomed(30));
  ASSERT_EQ(picture.Lines.size(), 3u);
  const MapPoint c = picture.Hexagons[static_cast<size_t>(3 * kWidth + 3)].Centre;
  for (const MapLine& line : picture.Lines) {
    // Each edge joins two corners of the plot: both ends a corner radius from the centre, and
    // on its eastern or southern side (y grows down).
    EXPECT_NEAR(std::hypot(line.From.X - c.X, line.From.Y - c.Y), 30 / std::sqrt(3.0F), 1e-3);
    EXPECT_NEAR(std::hypot(line.To.X - c.X, line.To.Y - c.Y), 30 / std::sqrt(3.0F), 1e-3);
    EXPECT_GE(line.From.Y + line.To.Y, 2 * c.Y - 1e-3);
  }
}

TEST(MapPicture, DetailComesWithZoomAndEachLayerCanBeSwitchedOff) {
  auto state = FlatGame();
  PlotAt(*state, 1, 1).Resource = 0;  // iron
  PlotAt(*state, 1, 1).ResourceQuantity = 6;
  PlotAt(*state, 2, 1).Improvement = 3;  // farm
  PlotAt(*state, 2, 1).Flags = kPlotImprovementPillaged;
  AddMapCity(*state, 1, 5, 3, "Athens", 12);
  struct Case {
    double tile;
    bool resources;
    bool improvements;
    size_t circles;
    size_t diamonds;
    bool names;
  };
  const Case cases[] = {
      {10, true, true, 0, 0, false},  {40, true, true, 1, 1, false}, {40, false, true, 0, 1, false},
      {40, true, false, 1, 0, false}, {80, true, true, 1, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tile);
    MapSelection selection = Zoomed(c.tile);
    selection.Resources = c.resources;
    selection.Improvements = c.improvements;
    const MapPicture picture = BuildMapPicture(*state, selection);
    EXPECT_EQ(MarkersOf(picture, MapShape::kCircle), c.circles);
    EXPECT_EQ(MarkersOf(picture, MapShape::kDiamond), c.diamonds);
    bool iron = false;
    for (const MapLabel& label : picture.Labels) iron = iron || label.Text == "Iron 6";
    EXPECT_EQ(iron, c.names && c.resources);
  }
  const MapPicture picture = BuildMapPicture(*state, Zoomed(24));
  ASSERT_EQ(MarkersOf(picture, MapShape::kSquare), 1u);
  ASSERT_EQ(picture.Labels.size(), 1u);
  EXPECT_EQ(picture.Labels[0].Text, "Athens 12");
  MapSelection no_cities = Zoomed(24);
  no_cities.Cities = false;
  EXPECT_TRUE(BuildMapPicture(*state, no_cities).Labels.empty());
}

TEST(MapPicture, HillsMountainsFeaturesAndWondersAreMarked) {
  auto state = FlatGame();
  PlotAt(*state, 1, 1).PlotType = kPlotMountain;
  PlotAt(*state, 2, 1).PlotType = kPlotHills;
  PlotAt(*state, 3, 1).Feature = 5;  // forest
  PlotAt(*state, 4, 1).Feature = 8;  // a natural wonder
  state->Map.NaturalWonderPlots.push_back(state->Map.PlotIndex(4, 1));
  const MapPicture picture = BuildMapPicture(*state, Zoomed(30));
  EXPECT_EQ(MarkersOf(picture, MapShape::kTriangle), 2u);  // the mountain and the forest's tree
  EXPECT_EQ(MarkersOf(picture, MapShape::kHill), 1u);
  EXPECT_EQ(MarkersOf(picture, MapShape::kStar), 1u);
  const MapColour grass = picture.Hexagons[0].Fill;
  for (int32_t x = 1; x <= 3; ++x) {
    EXPECT_NE(picture.Hexagons[static_cast<size_t>(kWidth + x)].Fill, grass) << x;
  }
  // Zoomed out, the wonder stays marked.
  EXPECT_EQ(MarkersOf(BuildMapPicture(*state, Zoomed(4)), MapShape::kStar), 1u);
}

TEST(MapPicture, ATeamSeesNothingItNeverSawAndItsMemoryOfTheRestDimmed) {
  auto state = FlatGame(3);
  const int32_t now = state->Map.PlotIndex(1, 1);
  const int32_t before = state->Map.PlotIndex(4, 1);
  const int32_t never = state->Map.PlotIndex(6, 4);
  for (const int32_t plot : {now, before, never}) {
    state->Map.Plots[static_cast<size_t>(plot)].Owner = 2;
    state->Map.Plots[static_cast<size_t>(plot)].Improvement = 3;
  }
  state->Map.Plots[static_cast<size_t>(never)].Resource = 0;
  MapTeamView& team = AddTeamView(*state, 1);
  for (MapTeamPlot& plot : team.Plots) plot.Flags = kTeamSeen | kTeamSeesNow;
  team.Plots[static_cast<size_t>(never)] = {};
  team.Plots[static_cast<size_t>(before)] = {kTeamSeen, 1, kMapNone, kRouteRoad};

  MapSelection everything = Zoomed(40);
  MapSelection seen_by = Zoomed(40);
  seen_by.SeenByTeam = 1;
  const MapPicture all = BuildMapPicture(*state, everything);
  const MapPicture team_picture = BuildMapPicture(*state, seen_by);
  EXPECT_EQ(team_picture.Hexagons[static_cast<size_t>(now)].Fill,
            all.Hexagons[static_cast<size_t>(now)].Fill);
  // Never seen: dark, and nothing on it.
  const MapColour dark = team_picture.Hexagons[static_cast<size_t>(never)].Fill;
  EXPECT_LT(Brightness(dark), 0x40u);
  const MapPoint hidden = team_picture.Hexagons[static_cast<size_t>(never)].Centre;
  for (const MapMarker& marker : team_picture.Markers) {
    EXPECT_EQ(MapPlotAt(team_picture, marker.Centre) == never, false);
  }
  // Remembered: the owner, improvement and route the team remembers, dimmed.
  EXPECT_TRUE(LinesOf(team_picture, MapPlayerColour(*state, 1)).empty());  // dimmed, not full
  const auto improvement_near = [&](const MapPicture& picture, int32_t plot) {
    for (const MapMarker& marker : picture.Markers) {
      if (marker.Shape == MapShape::kDiamond && MapPlotAt(picture, marker.Centre) == plot) {
        return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(improvement_near(all, before));
  EXPECT_FALSE(improvement_near(team_picture, before));
  EXPECT_TRUE(improvement_near(team_picture, now));
  const MapColour remembered = team_picture.Hexagons[static_cast<size_t>(before)].Fill;
  EXPECT_LT(Brightness(remembered), Brightness(all.Hexagons[static_cast<size_t>(before)].Fill));
  EXPECT_NE(remembered, dark);
  EXPECT_EQ(hidden.X, all.Hexagons[static_cast<size_t>(never)].Centre.X);
  EXPECT_NE(MapHoverText(*state, seen_by, never).find("Never seen by team 1"), std::string::npos);
  EXPECT_EQ(MapHoverText(*state, seen_by, never).find("Iron"), std::string::npos);

  // A team the map holds no view of shows everything.
  MapSelection other = Zoomed(40);
  other.SeenByTeam = 7;
  EXPECT_EQ(BuildMapPicture(*state, other).Hexagons[static_cast<size_t>(never)].Fill,
            all.Hexagons[static_cast<size_t>(never)].Fill);
  const std::vector<MapTeamChoice> choices = MapSeenByChoices(*state);
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].Team, 1);
  EXPECT_EQ(choices[0].Text, "Team 1: Civ 1");
}

TEST(MapPicture, ASaveWithoutAReadableMapGivesAMessage) {
  auto state = NewGameState();
  state->Map.Problem = "no map header after the replay list";
  const MapPicture picture = BuildMapPicture(*state, Zoomed(16));
  EXPECT_TRUE(picture.Hexagons.empty());
  EXPECT_NE(picture.Message.find("no map header"), std::string::npos);
  EXPECT_GT(picture.Width, 0);
  EXPECT_EQ(MapPlotAt(picture, {10, 10}), -1);
  EXPECT_EQ(MapHoverText(*state, Zoomed(16), 0), "");
}

TEST(MapHoverText, SaysWhatThePlotHolds) {
  auto state = FlatGame(2);
  MapPlot& plot = PlotAt(*state, 5, 3);
  plot.PlotType = kPlotHills;
  plot.Terrain = 1;
  plot.Feature = 5;
  plot.Resource = 0;
  plot.ResourceQuantity = 4;
  plot.Improvement = 4;
  plot.Route = kRouteRailroad;
  plot.Flags = kPlotRoutePillaged;
  plot.Owner = 1;
  plot.Yields = {2, 3, 1, 0, 0, 1};
  plot.UnitOwner = 0;
  plot.UnitCount = 3;
  AddMapCity(*state, 1, 2, 2, "Sparta", 7);
  const std::string text = MapHoverText(*state, Zoomed(16), state->Map.PlotIndex(5, 3));
  for (const char* expected :
       {"Plot (5, 3)\n", "Terrain: Plains, Hill\n", "Feature: Forest\n", "Resource: Iron (4)\n",
        "Improvement: Mine\n", "Route: Railroad (pillaged)\n", "Owner: Civ 1 (Leader 1)\n",
        "Yields: 2 food, 3 production, 1 gold, 1 faith\n", "Units: 3 (Civ 0 (Leader 0))\n"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
  }
  EXPECT_NE(MapHoverText(*state, Zoomed(16), state->Map.PlotIndex(2, 2))
                .find("City: Sparta, population 7\n"),
            std::string::npos);
  EXPECT_EQ(MapHoverText(*state, Zoomed(16), -1), "");
  EXPECT_EQ(MapHoverText(*state, Zoomed(16), kWidth * kHeight), "");
}

TEST(MapHoverText, ARememberedPlotShowsTheTeamsMemoryWithoutUnits) {
  auto state = FlatGame(2);
  MapPlot& plot = PlotAt(*state, 1, 1);
  plot.Owner = 1;
  plot.UnitCount = 2;
  plot.UnitOwner = 1;
  MapTeamView& team = AddTeamView(*state, 0);
  team.Plots[static_cast<size_t>(state->Map.PlotIndex(1, 1))] = {kTeamSeen, 0, 3, kMapNone};
  MapSelection seen_by = Zoomed(16);
  seen_by.SeenByTeam = 0;
  const std::string text = MapHoverText(*state, seen_by, state->Map.PlotIndex(1, 1));
  EXPECT_NE(text.find("Seen before by team 0, not now"), std::string::npos) << text;
  EXPECT_NE(text.find("Owner: Civ 0 (Leader 0)"), std::string::npos) << text;
  EXPECT_NE(text.find("Improvement: Farm"), std::string::npos) << text;
  EXPECT_EQ(text.find("Units"), std::string::npos) << text;
}

TEST(MapPicture, TheLegendNamesThePlayersWhoOwnLandInTheirColours) {
  auto state = FlatGame(3);
  PlotAt(*state, 1, 1).Owner = 2;
  const std::vector<MapLegendEntry> legend = MapLegend(*state, Zoomed(16));
  int players = 0;
  for (const MapLegendEntry& entry : legend) {
    if (entry.Text.rfind("Civ ", 0) != 0) continue;
    ++players;
    EXPECT_EQ(entry.Text, "Civ 2");
    EXPECT_EQ(entry.Colour, MapPlayerColour(*state, 2));
  }
  EXPECT_EQ(players, 1);
}

TEST(MapPicture, TheFittedTileIsTheLargestThatShowsTheWholeMap) {
  auto state = FlatGame();
  for (const auto& [width, height] : {std::pair{1000.0, 700.0}, {300.0, 900.0}, {50.0, 50.0}}) {
    const double tile = MapFitTileWidth(kWidth, kHeight, width, height);
    const MapPicture fitted = BuildMapPicture(*state, Zoomed(tile));
    if (tile > kMapMinTileWidth) {
      EXPECT_LE(fitted.Width, width);
      EXPECT_LE(fitted.Height, height);
    }
    const MapPicture larger = BuildMapPicture(*state, Zoomed(tile + 0.05));
    EXPECT_TRUE(larger.Width > width || larger.Height > height || tile == kMapMaxTileWidth);
  }
}

TEST(MapPicture, CityStatesGoByTheirOwnNames) {
  auto state = FlatGame(2);
  TLeaderInfoRec& city_state = state->Leaders[1];
  city_state.SlotIsMinor = kTrue;
  city_state.CivName = "Minor";
  city_state.LeaderName = "Singapore";
  EXPECT_EQ(MapPlayerName(city_state), "Singapore");
  EXPECT_EQ(MapPlayerName(state->Leaders[0]), "Civ 0");
  AddTeamView(*state, 1);
  EXPECT_EQ(MapSeenByChoices(*state).at(0).Text, "Team 1: Singapore");
  PlotAt(*state, 1, 1).Owner = 1;
  const std::string text = MapHoverText(*state, Zoomed(16), state->Map.PlotIndex(1, 1));
  EXPECT_NE(text.find("Owner: Singapore\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace vek5
