#include "views/city_view.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "model/calendar.h"
#include "model/city_names.h"
#include "model/format.h"
#include "views/city_queue_view.h"

namespace vek5 {
namespace {

constexpr int32_t kNoBuildingDate = -9999;

// The status texts in the order they are listed; only the last has no separator after it.
struct StatusText {
  int Flag;
  std::string_view Text;
};
constexpr std::array<StatusText, 5> kStatusTexts = {{
    {kFlagNeverLost, "Never Lost; "},
    {kFlagPuppet, "Puppet; "},
    {kFlagOccupied, "Occupied; "},
    {kFlagEverCapital, "Ever Capital; "},
    {kFlagRailroad, "Railroad"},
}};

// The great-person kinds of the model, in its order: points box, rate box. Writer and musician
// exist in Zeph only.
struct GreatPersonBoxes {
  std::string_view Points;
  std::string_view Rate;
};
constexpr std::array<GreatPersonBoxes, kGreatPersonKinds> kGreatPersonBoxes = {{
    {"GAPointsE", "GARateE"},
    {"GSPointsE", "GSRateE"},
    {"GMPointsE", "GMRateE"},
    {"GEPointsE", "GERateE"},
    {"GWPointsE", "GWRateE"},
    {"GMuPointsE", "GMuRateE"},
}};

// Every edit box of the tab, in layout order; the blank view empties them all.
constexpr std::array<std::string_view, 33> kCityFields = {
    "CityFoundE", "CityStatusE", "PopE",           "CityXYE",        "CityStrengthE",
    "FoodE",      "CultureE",    "PreviousOwnerE", "OriginalOwnerE", "LastCapturedE",
    "WLTKDE",     "DisorderE",   "CityOverflowE",  "SpecialistsE",   "GWPointsE",
    "GAPointsE",  "GMuPointsE",  "GSPointsE",      "GMPointsE",      "GEPointsE",
    "GWRateE",    "GARateE",     "GMuRateE",       "GSRateE",        "GMRateE",
    "GERateE",    "GPLimitE",    "OutCultureE",    "OutFaithE",      "OutFoodE",
    "OutProdE",   "OutGoldE",    "OutScienceE"};

bool IsEntry(const GameState& state, int32_t entry) {
  return entry >= 0 && entry < std::min(state.PlayerCount, kMaxSlots);
}

std::string Hundredths(std::string_view pattern, int32_t value) {
  return Format(pattern, value / 100.0);
}

// The city date text of a turn; moves the views' turns-played count.
std::string CityDate(const GameState& state, ViewState& view, int32_t turn) {
  CalendarDate date;
  date.Year = Turn2Date(view.TurnsPlayed, state.SpeedIndex, turn, date.Month);
  return CityDateText(date);
}

std::string TurnWithDate(const GameState& state, int32_t turn, const std::string& date) {
  return Format(" %d/%d (%s)", turn, state.MaxTurns, date);
}

std::string StatusLine(const TCityRec& city) {
  std::string status;
  for (const StatusText& s : kStatusTexts) {
    if (city.Flags[static_cast<size_t>(s.Flag)] != 0) status += s.Text;
  }
  return status;
}

// The save stores owners by slot number; the name is that of the entry holding the slot.
// A number no entry holds shows nothing rather than some other player.
std::string OwnerName(const GameState& state, int32_t owner_slot) {
  if (owner_slot < 0 || owner_slot >= kMaxSlots) return {};
  const int32_t entries = std::min(state.PlayerCount, kMaxSlots);
  for (int32_t e = 0; e < entries; ++e) {
    const TLeaderInfoRec& leader = state.Leaders[static_cast<size_t>(e)];
    if (leader.Slot == owner_slot) return leader.LeaderName;
  }
  return {};
}

void EmptyGreatPersonBoxes(TabContent& tab) {
  tab.SetField("GPLimitE", {});
  for (const GreatPersonBoxes& boxes : kGreatPersonBoxes) {
    tab.SetField(boxes.Points, {});
    tab.SetField(boxes.Rate, {});
  }
}

// The great-person kinds the city's rule set has; Zeph cities have them only when their
// citizens block was found.
int GreatPersonKindsShown(const GameState& state, const TCityRec& city) {
  if (state.ZephPresent == 0) return kClassicGreatPersonKinds;
  return city.CitizensRead != 0 ? kGreatPersonKinds : 0;
}

// The turns to the next great person of a kind, or why there is no count to show: without
// points per turn none comes, and points beyond the limit the formula gives (which does not know
// every rule of the rule set) would make the count negative.
std::string GreatPersonTurnsHint(int32_t limit, const TCityRec& city, size_t kind) {
  if (city.GPRate[kind] <= 0) return "No points per turn: no great person is on the way";
  if (city.GPPoints[kind] > int64_t{limit} * 100) {
    return Format("Turns unknown: the points exceed the limit of %d that the analysis computes",
                  limit);
  }
  return Format("%f turns", city.GPTurns[kind]);
}

void FillGreatPersonBlock(const GameState& state, int32_t entry, const TCityRec& city,
                          TabContent& tab) {
  EmptyGreatPersonBoxes(tab);
  if (state.CityDetailsUnknown != 0) {
    for (std::string_view box : {"WLTKDE", "DisorderE"}) tab.SetField(box, {});
    return;
  }
  tab.SetField("WLTKDE", Format("%3d", city.WLTKDTurns));
  tab.SetField("DisorderE", Format("%3d", city.DisorderTurns));
  const int kinds = GreatPersonKindsShown(state, city);
  if (kinds == 0) return;
  const int32_t limit = state.Leaders[static_cast<size_t>(entry)].GPLimit;
  tab.SetField("GPLimitE", Format("%6d", limit));
  for (size_t j = 0; j < static_cast<size_t>(kinds); ++j) {
    tab.SetField(kGreatPersonBoxes[j].Points, Hundredths("%7.2f", city.GPPoints[j]),
                 GreatPersonTurnsHint(limit, city, j));
    tab.SetField(kGreatPersonBoxes[j].Rate, Hundredths("%5.2f", city.GPRate[j]),
                 Format("Buildings: %d, Specs: %d, Percent: %d", city.GPBuildings[j],
                        3 * int64_t{city.GPSpecialists[j]}, int64_t{city.GreatPersonBonus} + 100));
  }
}

// The citizens by occupation, short enough for the box, in full in its hint. Zeph records place
// every citizen (the specialists, default citizens, worked tiles, unassigned); the other rule
// sets store the specialists only.
void FillSpecialists(const GameState& state, const TCityRec& city, TabContent& tab) {
  const auto& n = city.GPSpecialists;
  const int32_t writers = n[kGreatWriter], artists = n[kGreatArtist];
  const int32_t musicians = n[kGreatMusician], scientists = n[kGreatScientist];
  const int32_t merchants = n[kGreatMerchant], engineers = n[kGreatEngineer];
  if (state.CityDetailsUnknown != 0 || (state.ZephPresent != 0 && city.CitizensRead == 0)) {
    tab.SetField("SpecialistsE", {});
  } else if (state.ZephPresent != 0) {
    tab.SetField("SpecialistsE",
                 Format("W%d A%d Mu%d S%d M%d E%d C%d, T%d U%d", writers, artists, musicians,
                        scientists, merchants, engineers, city.OtherSpecialists, city.WorkedTiles,
                        city.UnassignedCitizens),
                 Format("Writers %d, artists %d, musicians %d, scientists %d, merchants %d, "
                        "engineers %d, default citizens %d, worked tiles %d, unassigned %d",
                        writers, artists, musicians, scientists, merchants, engineers,
                        city.OtherSpecialists, city.WorkedTiles, city.UnassignedCitizens));
  } else {
    tab.SetField("SpecialistsE",
                 Format("A%d S%d M%d E%d, O%d", artists, scientists, merchants, engineers,
                        city.OtherSpecialists),
                 Format("Artists %d, scientists %d, merchants %d, engineers %d, other %d", artists,
                        scientists, merchants, engineers, city.OtherSpecialists));
  }
}

// Pads to the width in characters (UTF-8 sequences count once); longer names stay whole.
std::string PadRight(const std::string& text, int width) {
  const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  std::string padded = text;
  if (characters < width) padded.append(static_cast<size_t>(width - characters), ' ');
  return padded;
}

// Built buildings in the order they were built (equal years keep slot order), with year and
// turn; then the free buildings in blue, in slot order.
void FillBuildingsList(const TCityRec& city, TabContent& tab) {
  LinesContent& list = tab.List("BuildingsList");
  list.Lines.clear();
  std::array<int, kMaxBuildingSlots> by_year{};
  for (size_t k = 0; k < by_year.size(); ++k) by_year[k] = static_cast<int>(k);
  std::stable_sort(by_year.begin(), by_year.end(),
                   [&city](int a, int b) { return city.BuildingDate[a] < city.BuildingDate[b]; });
  for (const int k : by_year) {
    if (city.BuildingCount[k] <= 0) continue;
    std::string line = PadRight(city.BuildingNames[k], kBuildingNameWidth);
    if (city.BuildingDate[k] > kNoBuildingDate) {
      line += " " + YearText(city.BuildingDate[k], kYearZeroNarrow) +
              Format(" %5d", city.BuildingTurn[k]);
    }
    list.Lines.push_back({std::move(line), kBlack});
  }
  for (size_t k = 0; k < kMaxBuildingSlots; ++k) {
    if (city.FreeBuildingCount[k] > 0) list.Lines.push_back({city.BuildingNames[k], kBlue});
  }
}

void FillCity(const GameState& state, ViewState& view, int32_t entry, const TCityRec& city,
              TabContent& tab) {
  const bool unknown = state.CityDetailsUnknown != 0;
  tab.SetField("CityFoundE",
               TurnWithDate(state, city.FoundedTurn, CityDate(state, view, city.FoundedTurn)));
  tab.SetField("CityStatusE", StatusLine(city));
  tab.SetField("PopE", Format("%3d (%d)", city.Population, city.MaxPopulation));
  tab.SetField("CityXYE", Format("%4d;%d", city.X, city.Y));
  tab.SetField("CityOverflowE", Hundredths("%7.2f", city.OverflowProduction));
  tab.SetField("CultureE", unknown ? std::string()
                                   : Format("%4d/%d (Step %d)", city.Culture, city.CultureThreshold,
                                            city.CultureStep));
  tab.SetField("FoodE", unknown ? std::string()
                                : Format("%7.2f/%d(%d)", city.Food / 100.0, city.FoodThreshold,
                                         city.FoodExtra));
  tab.SetField("PreviousOwnerE", OwnerName(state, city.PreviousOwner));
  tab.SetField("OriginalOwnerE", OwnerName(state, city.OriginalOwner));
  // The capture date is worked out even when it is not shown, for its effect on the count.
  const std::string captured = CityDate(state, view, city.CapturedTurn);
  tab.SetField("LastCapturedE", city.PreviousOwner < 0
                                    ? std::string()
                                    : TurnWithDate(state, city.CapturedTurn, captured));
  FillBuildQueue(state, city, tab);
  tab.SetField("CityStrengthE", Hundredths("%7.2f", city.Strength));
  FillGreatPersonBlock(state, entry, city, tab);
  FillSpecialists(state, city, tab);
  tab.SetField("OutCultureE", Hundredths("%7.2f", city.CulturePerTurn));
  tab.SetField("OutFaithE", Format("%7d", city.FaithPerTurn));
  // The game's other yields are not read from the save.
  for (std::string_view box : {"OutFoodE", "OutProdE", "OutGoldE", "OutScienceE"}) {
    tab.SetField(box, {});
  }
  FillBuildingsList(city, tab);
  FillProductionGrid(state, entry, city, tab);
  FillReligionGrid(state, city, tab);
}

TabContent BlankCityView() {
  TabContent tab;
  for (std::string_view box : kCityFields) tab.SetField(box, {});
  tab.List("BuildingsList");
  ClearCityQueueControls(tab);
  return tab;
}

}  // namespace

int32_t CityListLength(const GameState& state, int32_t entry) {
  if (!IsEntry(state, entry)) return 0;
  const std::vector<TCityRec>& cities = state.Cities[static_cast<size_t>(entry)];
  const int32_t records =
      std::min(static_cast<int32_t>(std::min(cities.size(), size_t{kMaxCitiesPerPlayer})),
               state.Leaders[static_cast<size_t>(entry)].CityCount);
  int32_t named = 0;
  while (named < records && !cities[static_cast<size_t>(named)].Name.empty()) ++named;
  return named;
}

LinesContent CityBoxContent(const GameState& state, int32_t entry) {
  LinesContent box;
  box.Control = "CityBox";
  const int32_t count = CityListLength(state, entry);
  for (int32_t c = 0; c < count; ++c) {
    box.Lines.push_back(
        {CityDisplayName(state.Cities[static_cast<size_t>(entry)][static_cast<size_t>(c)])});
  }
  box.DropDownCount = std::min(count, kCityBoxDropDownMax);
  box.Selected = count > 0 ? 0 : -1;
  return box;
}

TabContent ChooseCity(const GameState& state, ViewState& view, int32_t entry, int32_t city) {
  entry = std::max(entry, 0);
  city = std::max(city, 0);
  if (city >= CityListLength(state, entry)) return BlankCityView();
  TabContent tab;
  FillCity(state, view, entry, state.Cities[static_cast<size_t>(entry)][static_cast<size_t>(city)],
           tab);
  return tab;
}

TabContent PlayerCityChoose(const GameState& state, ViewState& view, int32_t entry) {
  entry = std::max(entry, 0);
  LinesContent box = CityBoxContent(state, entry);
  TabContent tab = ChooseCity(state, view, entry, 0);
  tab.Lists.insert(tab.Lists.begin(), std::move(box));
  return tab;
}

}  // namespace vek5
