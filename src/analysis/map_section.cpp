// The world map: its header a little after the replay list, then one record per plot, row by row
// from the southern edge. A record that fails its checks is skipped by finding the next good
// record within a short distance; the plots in between stay unread. Nothing outside the body is
// read, whatever the header claims.
#include <algorithm>
#include <span>
#include <string>

#include "analysis/map_reading.h"
#include "analysis/sections.h"
#include "model/format.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

using map::BodyBytes;
using map::PlotLayout;

constexpr int8_t kMaxOwner = kMapSlots - 1;
constexpr int32_t kSlotStatusDead = 2;
// How far after the replay list the header is looked for: real saves have it 3 to 72 KB after
// the list; a save without a map costs no more than this much of a search.
constexpr int64_t kMaxHeaderDistance = int64_t{4} << 20;
// Distance searched past a damaged record for the next good one.
constexpr int64_t kResyncBytes = 256 * 1024;
// Shortest plot record of any rule set (the base game's fixed part and smallest tail).
constexpr int64_t kMinRecordBytes = 1369;
// The plots of the largest map the game makes; a header claiming a larger map is believed only
// when its plot records fit in the body, so that a damaged header costs little memory.
constexpr int64_t kLargestGameMapPlots = 128 * 80;
// Memory the teams' copies of a map may take; maps far larger than the game makes keep the
// memory of fewer teams.
constexpr int64_t kMaxTeamMemoryBytes = int64_t{64} << 20;

// A hash and the row it names; kept sorted for a binary search.
struct HashRow {
  int32_t Hash;
  int32_t Row;
};

class HashRows {
 public:
  void Add(int32_t hash, int32_t row) { rows_.push_back({hash, row}); }
  void Sort() {
    std::stable_sort(rows_.begin(), rows_.end(),
                     [](const HashRow& a, const HashRow& b) { return a.Hash < b.Hash; });
  }
  // The first row of the hash; kMapNone for 0 and -1, kMapUnknown for a hash not listed.
  int32_t Find(int32_t hash) const {
    if (hash == 0 || hash == -1) return kMapNone;
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), hash,
                                     [](const HashRow& r, int32_t h) { return r.Hash < h; });
    return at != rows_.end() && at->Hash == hash ? at->Row : kMapUnknown;
  }

 private:
  std::vector<HashRow> rows_;
};

// What the header says, checked.
struct MapHeader {
  int64_t Offset = -1;
  uint32_t Version = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Land = 0;
  int32_t Owned = 0;
  int32_t NaturalWonders = 0;
  int32_t Top = 0;
  int32_t Bottom = 0;
  bool WrapX = false;
  bool WrapY = false;
  int32_t Resources = 0;
  int64_t FirstList = 0;   // the R pairs of the first list
  int64_t SecondList = 0;  // the R pairs of the second
  int64_t Plots = 0;
  const PlotLayout* Layout = nullptr;
};

bool InRange(int64_t v, int64_t low, int64_t high) {
  return v >= low && v <= high;
}

// The header check: every value in its bounds, two equal resource lists, and a first plot record
// of a known version at (0, 0) right after them.
bool CheckHeader(const BodyBytes& body, int64_t h, MapHeader& out) {
  using namespace map;
  if (!body.Has(h, kResourceList + 4)) return false;
  MapHeader m;
  m.Offset = h;
  m.Version = body.U32(h + kVersion);
  m.Width = body.I32(h + kWidth);
  m.Height = body.I32(h + kHeight);
  if (!InRange(m.Version, kMinMapVersion, kMaxMapVersion) ||
      !InRange(m.Width, kMapMinSide, kMapMaxSide) || !InRange(m.Height, kMapMinSide, kMapMaxSide))
    return false;
  const int64_t plots = int64_t{m.Width} * m.Height;
  m.Land = body.I32(h + kLandPlots);
  m.Owned = body.I32(h + kOwnedPlots);
  m.NaturalWonders = body.I32(h + kNaturalWonderPlots);
  m.Top = body.I32(h + kTopLatitude);
  m.Bottom = body.I32(h + kBottomLatitude);
  const uint8_t wrap_x = body.U8(h + kWrapX);
  const uint8_t wrap_y = body.U8(h + kWrapY);
  if (!InRange(m.Land, 0, plots) || !InRange(m.Owned, 0, plots) ||
      !InRange(m.NaturalWonders, 0, kMapMaxNaturalWonders) || m.Bottom < kMinLatitude ||
      m.Bottom >= m.Top || m.Top > kMaxLatitude || wrap_x > 1 || wrap_y > 1)
    return false;
  m.WrapX = wrap_x == 1;
  m.WrapY = wrap_y == 1;
  m.Resources = body.I32(h + kResourceList);
  if (!InRange(m.Resources, 1, kMapMaxResources)) return false;
  const int64_t list_bytes = int64_t{m.Resources} * kResourceItemBytes;
  m.FirstList = h + kResourceList + 4;
  const int64_t second_count = m.FirstList + list_bytes;
  m.SecondList = second_count + 4;
  m.Plots = m.SecondList + list_bytes;
  if (!body.Has(m.FirstList, m.Plots + 8 - m.FirstList)) return false;
  if (body.I32(second_count) != m.Resources) return false;
  for (int32_t r = 0; r < m.Resources; ++r) {
    const int32_t hash = body.I32(m.FirstList + r * kResourceItemBytes);
    if (hash == 0 || hash != body.I32(m.SecondList + r * kResourceItemBytes)) return false;
  }
  m.Layout = PlotLayoutOf(body.U32(m.Plots + kPlotVersion));
  if (m.Layout == nullptr || body.I16(m.Plots + kPlotX) != 0 || body.I16(m.Plots + kPlotY) != 0)
    return false;
  if (plots > kLargestGameMapPlots && plots > (body.End() - m.Plots) / kMinRecordBytes)
    return false;
  out = m;
  return true;
}

// The first header in [start, stop) that the hint block leads to, or -1.
int64_t FindByHint(const BodyBytes& body, int64_t start, int64_t stop, MapHeader& header) {
  int64_t best = -1;
  for (const int32_t size : map::kHintSizes) {
    const int32_t tag[2] = {map::kHintTag, size};
    const std::string_view pattern(reinterpret_cast<const char*>(tag), sizeof tag);
    const std::string_view bytes = body.Text(start, stop - start);
    for (size_t at = bytes.find(pattern); at != std::string_view::npos;
         at = bytes.find(pattern, at + 1)) {
      const int64_t block = start + static_cast<int64_t>(at);
      if (best >= 0 && block > best) break;
      if (!body.Has(block, size)) break;
      const uint8_t* zeros = body.Data() + block + 8;
      const bool clear = zeros[0] == 0 && std::memcmp(zeros, zeros + 1, size - 9) == 0;
      MapHeader found;
      if (clear && CheckHeader(body, block + size, found)) {
        if (best < 0 || found.Offset < best) {
          best = found.Offset;
          header = found;
        }
        break;
      }
    }
  }
  return best;
}

// The first position in [start, stop) where the header check holds, or -1.
int64_t ScanForHeader(const BodyBytes& body, int64_t start, int64_t stop, MapHeader& header) {
  const uint8_t* data = body.Data();
  for (int64_t h = start; h < stop && h + map::kResourceList + 4 <= body.End(); ++h) {
    // The version's first byte is 1..15 and its other three are zero.
    if (data[h] == 0 || data[h] > map::kMaxMapVersion || data[h + 1] != 0 || data[h + 2] != 0 ||
        data[h + 3] != 0)
      continue;
    if (CheckHeader(body, h, header)) return h;
  }
  return -1;
}

// Turns the stored feature and improvement values into table rows.
struct RowLookups {
  HashRows Features;
  HashRows Improvements;
  HashRows Resources;  // hash -> row of the save's resource table
  int32_t FeatureRows = 0;
};

template <typename Table>
HashRows RowsByHash(const Table& table) {
  HashRows rows;
  for (size_t row = 0; row < table.size(); ++row) {
    rows.Add(table[row].Hash, static_cast<int32_t>(row));
  }
  rows.Sort();
  return rows;
}

RowLookups MakeLookups(const WorldMap& m) {
  RowLookups lookups;
  switch (m.Rules) {
    case MapRuleSet::kBase:
      lookups.Features = RowsByHash(MapFeatures);
      lookups.Improvements = RowsByHash(MapImprovements);
      break;
    case MapRuleSet::kExp1:
      lookups.Features = RowsByHash(MapFeaturesExp1);
      lookups.Improvements = RowsByHash(MapImprovementsExp1);
      break;
    case MapRuleSet::kZeph:
      lookups.Features = RowsByHash(MapFeaturesZeph);
      lookups.Improvements = RowsByHash(MapImprovementsZeph);
      break;
  }
  lookups.FeatureRows = FeatureRowCount(m.Rules);
  for (size_t r = 0; r < m.Resources.size(); ++r) {
    lookups.Resources.Add(m.Resources[r].Hash, static_cast<int32_t>(r));
  }
  lookups.Resources.Sort();
  return lookups;
}

// A row stored as int8 (base game, Exp1): -1 none, other negatives unknown.
int8_t StoredRow(int32_t row) {
  if (row == -1) return kMapNone;
  return row < 0 || row > INT8_MAX ? kMapUnknown : static_cast<int8_t>(row);
}

// A stored row of a table with `rows` rows; rows beyond it are unknown.
int8_t TableRow(int32_t row, int32_t rows) {
  const int8_t stored = StoredRow(row);
  return stored >= rows ? kMapUnknown : stored;
}

int8_t RowOf(int32_t looked_up) {
  return looked_up < kMapUnknown || looked_up > INT8_MAX ? kMapUnknown
                                                         : static_cast<int8_t>(looked_up);
}

// Reads plot records into the map.
class PlotReader {
 public:
  PlotReader(const BodyBytes& body, const PlotLayout& layout, WorldMap& map,
             const RowLookups& lookups)
      : body_(body), layout_(layout), map_(map), lookups_(lookups) {}

  // Reads the record at pos as plot `index`. Returns the position after it, or -1 when it fails
  // a check (the plot is then left unread).
  int64_t Read(int64_t pos, int32_t index) const {
    const PlotLayout& l = layout_;
    if (!body_.Has(pos, l.FixedBytes)) return -1;
    if (body_.U32(pos + map::kPlotVersion) != l.Version ||
        body_.I16(pos + map::kPlotX) != index % map_.Width ||
        body_.I16(pos + map::kPlotY) != index / map_.Width)
      return -1;
    MapPlot plot;
    if (!ReadFixed(pos, plot)) return -1;
    const int64_t end = SkipTail(pos + l.FixedBytes, plot);
    if (end < 0) return -1;
    map_.Plots[static_cast<size_t>(index)] = plot;
    ReadTeams(pos, index);
    return end;
  }

 private:
  bool ReadFixed(int64_t pos, MapPlot& plot) const {
    const PlotLayout& l = layout_;
    const BodyBytes& b = body_;
    plot.PlotType = b.I8(pos + l.PlotType);
    plot.Terrain = b.I8(pos + l.Terrain);
    plot.Route = b.I8(pos + l.Route);
    plot.Owner = b.I8(pos + l.Owner);
    const int32_t city_owner = b.I32(pos + l.City);
    const int32_t working_owner = b.I32(pos + l.WorkingCity);
    if (!InRange(plot.PlotType, 0, kPlotWater) || !InRange(plot.Terrain, 0, map::kMaxPlotTerrain) ||
        !InRange(plot.Route, -1, kRouteRailroad) || !InRange(plot.Owner, -1, kMaxOwner) ||
        !InRange(city_owner, -1, kMaxOwner) || !InRange(working_owner, -1, kMaxOwner))
      return false;
    const int8_t flows[3] = {b.I8(pos + l.EastFlow + 2), b.I8(pos + l.EastFlow),
                             b.I8(pos + l.EastFlow + 1)};
    for (int k = 0; k < 3; ++k) {
      if (!InRange(flows[k], -1, map::kMaxFlow)) return false;
      plot.RiverFlow[static_cast<size_t>(k)] = flows[k];
    }
    plot.CityOwner = static_cast<int8_t>(city_owner);
    plot.CityId = city_owner >= 0 ? b.I32(pos + l.City + 4) : 0;
    plot.WorkingCityOwner = static_cast<int8_t>(working_owner);
    plot.WorkingCityId = working_owner >= 0 ? b.I32(pos + l.WorkingCity + 4) : 0;
    plot.TurnsOwned = b.I16(pos + map::kTurnsOwned);
    plot.ResourceQuantity = b.I8(pos + map::kResourceQuantity);
    const int32_t resource = lookups_.Resources.Find(b.I32(pos + l.Resource));
    plot.Resource = static_cast<int16_t>(resource);
    if (l.Hashes) {
      plot.Feature = RowOf(lookups_.Features.Find(b.I32(pos + l.Feature)));
      plot.Improvement = RowOf(lookups_.Improvements.Find(b.I32(pos + l.Improvement)));
    } else {
      plot.Feature = TableRow(b.I8(pos + l.Feature), lookups_.FeatureRows);
      plot.Improvement = StoredRow(b.I8(pos + l.Improvement));
    }
    for (int k = 0; k < l.YieldCount; ++k) {
      plot.Yields[static_cast<size_t>(k)] = b.I16(pos + l.Yields + 2 * k);
    }
    plot.Rivers =
        static_cast<uint8_t>((b.U8(pos + map::kRiverSouthWestEdge) ? kRiverSouthWest : 0) |
                             (b.U8(pos + map::kRiverEastEdge) ? kRiverEast : 0) |
                             (b.U8(pos + map::kRiverSouthEastEdge) ? kRiverSouthEast : 0));
    plot.Flags = static_cast<uint8_t>(
        (b.U8(pos + map::kImprovementPillaged) ? kPlotImprovementPillaged : 0) |
        (b.U8(pos + map::kRoutePillaged) ? kPlotRoutePillaged : 0) |
        (b.U8(pos + map::kStartingPlot) ? kPlotStartingPlot : 0));
    return true;
  }

  // Walks the variable tail from pos; returns the record's end, or -1 when a count is out of
  // bounds or the tail passes the end of the body. Keeps the units standing on the plot.
  int64_t SkipTail(int64_t pos, MapPlot& plot) const {
    const BodyBytes& b = body_;
    const uint8_t script = b.U8(pos - 1);
    if (script > 1) return -1;
    if (script == 1) {
      if (!b.Has(pos, 4)) return -1;
      const int32_t n = b.I32(pos);
      if (!InRange(n, 0, map::kMaxScriptBytes) || !b.Has(pos + 4, n)) return -1;
      pos += 4 + n;
    }
    pos = SkipBuilds(pos);
    if (pos < 0 || !b.Has(pos, 2 * map::kSkippedShorts + 4)) return -1;
    pos += 2 * map::kSkippedShorts;
    const uint32_t units = b.U32(pos);
    pos += 4;
    if (units > map::kMaxPlotUnits || !b.Has(pos, int64_t{units} * 8 + 1)) return -1;
    if (units > 0) {
      const int32_t owner = b.I32(pos);
      plot.UnitOwner = InRange(owner, 0, kMaxOwner) ? static_cast<int8_t>(owner) : kMapUnknown;
      plot.UnitCount = static_cast<uint8_t>(std::min<uint32_t>(units, UINT8_MAX));
    }
    pos += int64_t{units} * 8 + 1;  // the units, the continent type
    if (layout_.Archaeology) {
      if (!b.Has(pos, map::kArchaeologyBytes)) return -1;
      pos += map::kArchaeologyBytes;
    }
    return pos;
  }

  int64_t SkipBuilds(int64_t pos) const {
    const BodyBytes& b = body_;
    if (!b.Has(pos, 4)) return -1;
    const int32_t count = b.I32(pos);
    pos += 4;
    if (count == 0) return pos;
    if (!InRange(count, 1, map::kMaxBuildEntries) || !b.Has(pos, 4) || b.I32(pos) != count)
      return -1;
    pos += 4;
    for (int32_t k = 0; k < count; ++k) {
      bool has_progress;
      if (layout_.BuildKeys) {
        if (!b.Has(pos, 4)) return -1;
        const int32_t n = b.I32(pos);
        if (!InRange(n, 1, map::kMaxBuildKeyBytes) || !b.Has(pos + 4, n)) return -1;
        has_progress = b.Text(pos + 4, n) != map::kNoBuildKey;
        pos += 4 + n;
      } else {
        if (!b.Has(pos, 4)) return -1;
        has_progress = b.I32(pos) != 0;
        pos += 4;
      }
      if (has_progress) {
        if (!b.Has(pos, 2)) return -1;
        pos += 2;
      }
    }
    return pos;
  }

  // What each kept team has seen of the plot and remembers of it.
  void ReadTeams(int64_t pos, int32_t index) const {
    const PlotLayout& l = layout_;
    const BodyBytes& b = body_;
    for (MapTeamView& view : map_.Teams) {
      const int32_t t = view.Team;
      MapTeamPlot& seen = view.Plots[static_cast<size_t>(index)];
      const uint32_t word = b.U32(pos + l.TeamRevealed + 4 * (t / 32));
      const bool revealed = (word >> (t % 32)) & 1u;
      const bool now = b.I16(pos + l.TeamVisibility + 2 * t) > 0;
      seen.Flags = static_cast<uint8_t>((revealed ? kTeamSeen : 0) | (now ? kTeamSeesNow : 0));
      const int8_t owner = b.I8(pos + l.TeamOwner + t);
      seen.Owner = InRange(owner, -1, kMaxOwner) ? owner : kMapUnknown;
      const int16_t route = b.I16(pos + l.TeamRoute + 2 * t);
      seen.Route = InRange(route, -1, kRouteRailroad) ? static_cast<int8_t>(route) : kMapUnknown;
      if (l.Hashes) {
        seen.Improvement =
            RowOf(lookups_.Improvements.Find(b.I32(pos + l.TeamImprovement + 4 * t)));
      } else {
        seen.Improvement = StoredRow(b.I16(pos + l.TeamImprovement + 2 * t));
      }
    }
  }

  const BodyBytes& body_;
  const PlotLayout& layout_;
  WorldMap& map_;
  const RowLookups& lookups_;
};

// As many of the teams as the memory allows.
std::vector<int32_t> TeamsKept(std::span<const int32_t> teams, int64_t plots) {
  const int64_t fit = kMaxTeamMemoryBytes / std::max<int64_t>(plots * sizeof(MapTeamPlot), 1);
  return {teams.begin(), teams.begin() + std::min<int64_t>(fit, std::ssize(teams))};
}

}  // namespace

std::vector<int32_t> TeamsWithLivingPlayer(const GameState& state) {
  std::vector<int32_t> teams;
  const int32_t listed = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int32_t e = 0; e < listed; ++e) {
    const TLeaderInfoRec& entry = state.Leaders[static_cast<size_t>(e)];
    if (entry.Slot < 0 || entry.Slot >= kMaxSlots || entry.SlotStatus == kSlotStatusDead) continue;
    const int32_t team = state.SlotTeam[static_cast<size_t>(entry.Slot)];
    if (InRange(team, 0, kMapRecordEntries - 1)) teams.push_back(team);
  }
  std::sort(teams.begin(), teams.end());
  teams.erase(std::unique(teams.begin(), teams.end()), teams.end());
  return teams;
}

namespace {

void TakeHeader(const BodyBytes& body, const MapHeader& h, std::span<const int32_t> teams,
                WorldMap& m) {
  m.HeaderOffset = static_cast<int32_t>(h.Offset);
  m.MapVersion = static_cast<int32_t>(h.Version);
  m.PlotVersion = static_cast<int32_t>(h.Layout->Version);
  m.Rules = h.Layout->Rules;
  m.Width = h.Width;
  m.Height = h.Height;
  m.WrapX = h.WrapX;
  m.WrapY = h.WrapY;
  m.TopLatitude = h.Top;
  m.BottomLatitude = h.Bottom;
  m.HeaderLandPlots = h.Land;
  m.HeaderOwnedPlots = h.Owned;
  m.HeaderNaturalWonderPlots = h.NaturalWonders;
  m.Resources.resize(static_cast<size_t>(h.Resources));
  for (int32_t r = 0; r < h.Resources; ++r) {
    MapResource& resource = m.Resources[static_cast<size_t>(r)];
    resource.Hash = body.I32(h.FirstList + r * map::kResourceItemBytes);
    resource.HeaderPlots = body.I32(h.FirstList + r * map::kResourceItemBytes + 4);
    resource.HeaderLandPlots = body.I32(h.SecondList + r * map::kResourceItemBytes + 4);
    resource.InfoRow = FindMapResourceRow(m.Rules, resource.Hash);
  }
  const int64_t plots = int64_t{h.Width} * h.Height;
  m.Plots.assign(static_cast<size_t>(plots), MapPlot{});
  for (const int32_t team : TeamsKept(teams, plots)) {
    m.Teams.push_back({team, std::vector<MapTeamPlot>(static_cast<size_t>(plots)), 0});
  }
}

// The next good record within reach after a damaged one at pos (for plot `index`): its plot
// index and position, read into the map; {-1, -1} when there is none.
std::pair<int32_t, int64_t> Resync(const BodyBytes& body, const PlotReader& reader,
                                   const WorldMap& m, int64_t pos, int32_t index) {
  const uint32_t version = static_cast<uint32_t>(m.PlotVersion);
  const std::string_view tag(reinterpret_cast<const char*>(&version), 4);
  const int64_t from = pos + 1;
  const int64_t to = std::min(body.End(), from + kResyncBytes);
  if (from >= to) return {-1, -1};
  const std::string_view window = body.Text(from, to - from);
  for (size_t at = window.find(tag); at != std::string_view::npos; at = window.find(tag, at + 1)) {
    const int64_t q = from + static_cast<int64_t>(at);
    if (!body.Has(q, 8)) break;
    const int32_t x = body.I16(q + map::kPlotX);
    const int32_t y = body.I16(q + map::kPlotY);
    if (!InRange(x, 0, m.Width - 1) || !InRange(y, 0, m.Height - 1)) continue;
    const int32_t later = y * m.Width + x;
    if (later <= index) continue;
    const int64_t end = reader.Read(q, later);
    if (end >= 0) return {later, end};
  }
  return {-1, -1};
}

std::string PlotText(const WorldMap& m, int32_t index) {
  return Format("%d (%d, %d)", index, index % m.Width, index / m.Width);
}

// Reads every plot record from the header's first, skipping damaged ones. Returns the position
// after the last record when every plot was read, else -1.
int64_t ReadPlots(const BodyBytes& body, const MapHeader& h, WorldMap& m) {
  const RowLookups lookups = MakeLookups(m);
  const PlotReader reader(body, *h.Layout, m, lookups);
  const int32_t plots = m.PlotCount();
  int64_t pos = h.Plots;
  int32_t damaged = 0;
  int32_t first_damaged = -1;
  for (int32_t i = 0; i < plots;) {
    const int64_t end = reader.Read(pos, i);
    if (end >= 0) {
      ++m.PlotsRead;
      pos = end;
      ++i;
      continue;
    }
    if (first_damaged < 0) first_damaged = i;
    const auto [later, after] = Resync(body, reader, m, pos, i);
    if (later < 0) {
      damaged += plots - i;
      break;
    }
    damaged += later - i;
    ++m.PlotsRead;
    pos = after;
    i = later + 1;
  }
  if (damaged == 0) {
    m.Status = MapStatus::kRead;
    return pos;
  }
  m.Status = MapStatus::kDamaged;
  m.Problem = Format("%d of the map's %d plots could not be read (the first at plot %s).", damaged,
                     plots, PlotText(m, first_damaged).c_str());
  return -1;
}

// Base-game and Exp1 saves number their improvements by the save's own table of keys, which the
// areas after the plots hold; where it can be read, the plots' rows are taken through it.
// Without that table the rows are the rule set's own (as in every real save); rows beyond it are
// unknown.
void NumberImprovementsByKeys(const map::AreaFacts& areas, WorldMap& m) {
  std::vector<int8_t> rows(INT8_MAX + 1, kMapUnknown);
  if (areas.ImprovementKeys.empty()) {
    for (int32_t r = 0; r < ImprovementRowCount(m.Rules); ++r) rows[r] = static_cast<int8_t>(r);
  }
  for (size_t r = 0; r < areas.ImprovementKeys.size() && r < rows.size(); ++r) {
    const int32_t row = FindMapImprovementRowByKey(m.Rules, areas.ImprovementKeys[r]);
    if (row >= 0) rows[r] = static_cast<int8_t>(row);
  }
  const auto renumber = [&rows](int8_t& improvement) {
    if (improvement >= 0) improvement = rows[static_cast<size_t>(improvement)];
  };
  for (MapPlot& plot : m.Plots) renumber(plot.Improvement);
  for (MapTeamView& view : m.Teams) {
    for (MapTeamPlot& seen : view.Plots) renumber(seen.Improvement);
  }
}

}  // namespace

WorldMap ReadWorldMap(const SaveImage& save, int32_t replay_end, std::span<const int32_t> teams) {
  WorldMap m;
  const BodyBytes body(save);
  const int64_t start = std::clamp<int64_t>(replay_end, body.Begin(), body.End());
  const int64_t stop = std::min(body.End(), start + kMaxHeaderDistance);
  MapHeader header;
  if (FindByHint(body, start, stop, header) < 0 && ScanForHeader(body, start, stop, header) < 0) {
    m.Status = MapStatus::kNotFound;
    m.Problem = "The save holds no readable map: no map header was found after the replay list.";
    return m;
  }
  TakeHeader(body, header, teams, m);
  const int64_t plots_end = ReadPlots(body, header, m);
  const map::AreaFacts areas =
      plots_end >= 0 ? map::ReadAreas(body, plots_end, *header.Layout) : map::AreaFacts();
  if (!header.Layout->Hashes) NumberImprovementsByKeys(areas, m);
  if (areas.Tiles >= 0 && areas.Tiles != m.PlotCount()) {
    m.CheckFailures.push_back(Format("The areas hold %lld plots, the map %d.",
                                     static_cast<long long>(areas.Tiles), m.PlotCount()));
  }
  map::CountMapHoldings(m);
  return m;
}

}  // namespace vek5
