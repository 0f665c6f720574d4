// Values the save does not store but the game's rules give: border growth, great-person rates,
// culture and faith per turn, unhappiness, the golden-age threshold and city-state bonuses.
// Sums and products are formed in 64 bits and stored saturated, so values that fit 32 bits come
// out exactly as 32-bit arithmetic gives them.
#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

#include "analysis/sections.h"
#include "model/naming.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

// Policy rows the rules look at (the same rows in every rule set).
constexpr int kPolicyMeritocracy = 5;
constexpr int kPolicyTradition = 6;
constexpr int kPolicyMonarchy = 11;
constexpr int kPolicyMandateOfHeaven = 20;
constexpr int kPolicyReformation = 22;
constexpr int kPolicyFreedom = 42;
constexpr int kPolicyDemocracy = 47;

// The leader type whose cities are half as unhappy and whose city count weighs double.
constexpr int32_t kUnhappyHalfLeaderType = 8;
// The first expansion's leader whose cities make 2 more culture until a technology is known.
constexpr int kCultureLeaderRow = 12;
constexpr int32_t kCultureLeaderType = 12;
constexpr int kCultureLeaderTech = 49;      // steam power
constexpr int kCultureLeaderTypeTech = 44;  // rifling
constexpr int32_t kCultureLeaderBonus = 2;

constexpr int32_t kMaxCultureStep = 1000;
constexpr double kCultureExponent = 1.1;
constexpr double kTraditionExponentFactor = 0.75;
constexpr int32_t kGreatPersonBonusStep = 25;
constexpr int32_t kSpecialistGreatPersonPoints = 3;
constexpr float kNoGreatPersonTurns = 9999.0f;
constexpr int32_t kReformationWonderBonus = 33;
constexpr int32_t kSistineChapelBonus = 25;
constexpr int32_t kPuppetCultureMalus = 25;
constexpr int32_t kOccupiedUnhappinessPercent = 134;
constexpr int32_t kOccupiedCityUnhappiness = 5;
constexpr int64_t kUnhappinessScale = 100000;
constexpr int32_t kSlotStatusHuman = 1;

// Per-turn bonuses of a city-state, by era group (up to the classical era, the medieval and
// renaissance eras, later).
struct EraBonus {
  int32_t ByEra[3];
};
constexpr EraBonus kCulturedFriend{{3, 6, 13}};
constexpr EraBonus kCulturedAlly{{6, 12, 26}};
constexpr EraBonus kReligiousFriend{{2, 4, 8}};
constexpr EraBonus kReligiousAlly{{4, 8, 16}};
constexpr std::string_view kCulturedTrait = "Cultured";
constexpr std::string_view kReligiousTrait = "Religious";

int EraGroup(int32_t era_index) {
  if (era_index <= 1) return 0;
  if (era_index <= 3) return 1;
  return 2;
}

int32_t Saturate(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int32_t TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int32_t>(std::trunc(std::clamp(v, double{INT32_MIN}, double{INT32_MAX})));
}

int64_t ScalePercent(int64_t x, int64_t percent) {
  return x * percent / 100;
}

bool Adopted(const GameState& state, int32_t p, int row) {
  return state.PolicyAdopted[p][row] != 0;
}

int32_t CultureThreshold(const GameState& state, int32_t p, const TCityRec& city) {
  const int32_t step =
      city.CultureStep < 0 || city.CultureStep > kMaxCultureStep ? 0 : city.CultureStep;
  const double exponent = Adopted(state, p, kPolicyTradition)
                              ? kCultureExponent * kTraditionExponentFactor
                              : kCultureExponent;
  int64_t x = TruncToInt(std::pow(10.0 * step, exponent) + 15.0);
  if (state.Leaders[p].SlotIsMinor != 0) x = ScalePercent(x, 150);
  if (state.AngkorWatOwner == p) x = ScalePercent(x, 75);
  x = ScalePercent(x, state.SpeedPercent);
  return Saturate(x / 5 * 5);
}

int32_t GreatPersonBonus(const GameState& state, int32_t p, const TCityRec& city) {
  const int32_t wonder_owner = state.Exp1Present ? state.LeaningTowerOwner : state.HagiaSophiaOwner;
  int32_t g = 0;
  if (Adopted(state, p, kPolicyFreedom)) g += kGreatPersonBonusStep;
  if (wonder_owner == p) g += kGreatPersonBonusStep;
  if (city.HasNationalEpic) g += kGreatPersonBonusStep;
  if (city.HasGarden) g += kGreatPersonBonusStep;
  return g;
}

void ComputeGreatPersonRates(const TLeaderInfoRec& leader, TCityRec& city) {
  for (int k = 0; k < kGreatPersonKinds; ++k) {
    const int64_t rate =
        (int64_t{city.GreatPersonBonus} + 100) *
        (int64_t{kSpecialistGreatPersonPoints} * city.GPSpecialists[k] + city.GPBuildings[k]);
    city.GPRate[k] = Saturate(rate);
    city.GPTurns[k] = city.GPRate[k] > 0
                          ? static_cast<float>(static_cast<double>(int64_t{leader.GPLimit} * 100 -
                                                                   city.GPPoints[k]) /
                                               city.GPRate[k])
                          : kNoGreatPersonTurns;
  }
}

int32_t CultureBonus(const GameState& state, int32_t p, const TCityRec& city) {
  int64_t b = 0;
  if (Adopted(state, p, kPolicyReformation) && city.HasWorldWonder) b += kReformationWonderBonus;
  if (state.SistineChapelOwner == p) b += kSistineChapelBonus;
  b += city.CultureModifier;
  if (state.Exp1Present && city.Flags[kFlagPuppet] != 0) b -= kPuppetCultureMalus;
  return Saturate(b);
}

int64_t CultureBeforeBonus(const GameState& state, const TLeaderInfoRec& leader,
                           const TCityRec& city) {
  int64_t sum = 0;
  for (const int32_t part : city.CultureParts) sum += part;
  if (state.Exp1Present) {
    const bool row_leader = leader.LeaderName == LeaderNames[kCultureLeaderRow] &&
                            leader.TechKnown[kCultureLeaderTech] == 0;
    const bool type_leader =
        leader.LeaderType == kCultureLeaderType && leader.TechKnown[kCultureLeaderTypeTech] == 0;
    if (row_leader || type_leader) sum += kCultureLeaderBonus;
  }
  return sum;
}

// Unhappiness sums of one player, kept wide until they are stored.
struct Unhappiness {
  int64_t City = 0;
  int64_t Population = 0;
  int64_t Specialist = 0;
  int64_t Occupied = 0;
};

void AddCityUnhappiness(const GameState& state, int32_t p, TCityRec& city, Unhappiness& sum) {
  const TLeaderInfoRec& leader = state.Leaders[p];
  int64_t specialists = city.OtherSpecialists;
  for (const int32_t n : city.GPSpecialists) specialists += n;
  int64_t from_specialists = 0;
  int64_t from_population = 0;
  if (Adopted(state, p, kPolicyDemocracy)) {
    const int64_t counted = (specialists + 1) / 2;
    from_specialists = counted * 10;
    from_population = (city.Population - 2 * counted) * 10;
  } else {
    from_specialists = specialists * 10;
    from_population = (city.Population - specialists) * 10;
  }
  if (city.HasPalace && Adopted(state, p, kPolicyMonarchy)) {
    from_specialists /= 2;
    from_population /= 2;
  }
  if (leader.LeaderType == kUnhappyHalfLeaderType) {
    from_specialists /= 2;
    from_population /= 2;
  }

  const bool puppet = city.Flags[kFlagPuppet] != 0;
  const bool occupied = city.Flags[kFlagOccupied] != 0;
  const bool never_lost = city.Flags[kFlagNeverLost] != 0;
  int64_t percent = 100;
  if (Adopted(state, p, kPolicyMeritocracy)) percent -= 5;
  if (state.ForbiddenPalaceOwner == p) percent -= 10;
  if (!puppet && occupied && !city.HasCourthouse) percent = kOccupiedUnhappinessPercent;
  from_specialists *= percent;
  from_population *= percent;
  city.SpecialistUnhappiness = Saturate(from_specialists);
  city.PopulationUnhappiness = Saturate(from_population);
  sum.Specialist += from_specialists;
  sum.Population += from_population;

  const int32_t per_city = leader.LeaderType == kUnhappyHalfLeaderType ? 6 : 3;
  if (city.Population > 0 && (never_lost || puppet)) sum.City += per_city;
  if (city.Population > 0 && !puppet && occupied) {
    if (!city.HasCourthouse) {
      sum.Occupied += kOccupiedCityUnhappiness;
    } else if (state.Exp1Present) {
      sum.City += per_city;
    }
  }
}

// Only listed entries take part: an unlisted entry's slot means nothing.
void AddCityStateBonuses(GameState& state, int32_t p) {
  TLeaderInfoRec& leader = state.Leaders[p];
  const int32_t listed = std::clamp(state.PlayerCount, 0, kMaxSlots);
  const int32_t i = leader.Slot;
  if (p >= listed || i < 0 || i >= kMaxSlots) return;
  const int era = EraGroup(state.CurrentEraIndex);
  int64_t culture = leader.CultureFromCS;
  int64_t faith = leader.FaithFromCS;
  for (int32_t q = 0; q < listed; ++q) {
    const TLeaderInfoRec& city_state = state.Leaders[q];
    const int32_t j = city_state.Slot;
    if (!IsMinor(state, j)) continue;
    const bool cultured = state.Exp1Present && city_state.TraitName == kCulturedTrait;
    const bool religious = city_state.TraitName == kReligiousTrait;
    const bool friend_of = state.CSFriends[j][i] != 0;
    const bool ally_of = state.CSAllies[j][i] != 0;
    leader.CSFriend[q] = friend_of ? kTrue : kFalse;
    leader.CSAlly[q] = ally_of ? kTrue : kFalse;
    if (friend_of && cultured) culture += kCulturedFriend.ByEra[era];
    if (friend_of && religious) faith += kReligiousFriend.ByEra[era];
    if (ally_of && cultured) culture += kCulturedAlly.ByEra[era];
    if (ally_of && religious) faith += kReligiousAlly.ByEra[era];
  }
  leader.CultureFromCS = Saturate(culture);
  leader.FaithFromCS = Saturate(faith);
}

void ComputePlayer(GameState& state, int32_t p) {
  TLeaderInfoRec& leader = state.Leaders[p];
  Unhappiness unhappiness;
  int64_t culture_base = 0;
  int64_t faith_from_cities = 0;

  for (TCityRec& city : state.Cities[p]) {
    city.CultureThreshold = CultureThreshold(state, p, city);
    city.GreatPersonBonus = GreatPersonBonus(state, p, city);
    ComputeGreatPersonRates(leader, city);
    city.CultureBonus = CultureBonus(state, p, city);
    city.CultureBeforeBonus = Saturate(CultureBeforeBonus(state, leader, city));
    // From the stored 32-bit values, so that neither the product nor the sum over the cities
    // can leave 64 bits whatever the save holds.
    city.CulturePerTurn =
        Saturate(int64_t{city.CultureBeforeBonus} * (int64_t{city.CultureBonus} + 100));
    int64_t faith = 0;
    for (const int32_t part : city.FaithParts) faith += part;
    city.FaithPerTurn = Saturate(faith);
    if (city.DisorderTurns == 0) {
      culture_base += city.CulturePerTurn / 100;
      faith_from_cities += faith;
    }
    AddCityUnhappiness(state, p, city, unhappiness);
  }

  const bool human = leader.SlotStatus == kSlotStatusHuman;
  unhappiness.City *= human ? state.LevelMod7 : state.LevelMod5;
  unhappiness.Population *= human ? state.LevelMod7 : state.LevelMod6;
  unhappiness.Specialist *= human ? state.LevelMod7 : state.LevelMod6;
  leader.CityUnhappiness = Saturate(unhappiness.City);
  leader.PopulationUnhappiness = Saturate(unhappiness.Population);
  leader.SpecialistUnhappiness = Saturate(unhappiness.Specialist);
  leader.OccupiedUnhappiness = Saturate(unhappiness.Occupied);
  const int64_t total =
      (unhappiness.City * 1000 + unhappiness.Population + unhappiness.Specialist) /
          kUnhappinessScale +
      unhappiness.Occupied;
  leader.Unhappiness = Saturate(total);
  leader.Happiness = Saturate(int64_t{leader.TotalHappiness} - leader.Unhappiness);

  const double golden = static_cast<double>(int64_t{leader.GoldenAgeCount} * 250 + 500) *
                        ((leader.CityCount - 1) * 0.01 + 1.0);
  leader.GoldenAgeThreshold = TruncToInt(golden) / 5 * 5;

  leader.CultureBase = Saturate(culture_base);
  leader.FaithFromCities = Saturate(faith_from_cities);
  AddCityStateBonuses(state, p);
  leader.CultureFromHappiness =
      Adopted(state, p, kPolicyMandateOfHeaven) ? leader.Happiness / 2 : 0;
  int64_t culture =
      int64_t{leader.CultureBase} + leader.CultureFromHappiness + leader.CultureFromCS;
  leader.CultureGoldenAgeBonus =
      state.Exp1Present && leader.GoldenAgeTurns > 0 ? Saturate(culture * 20 / 100) : 0;
  culture += leader.CultureGoldenAgeBonus;
  leader.CulturePerTurn = Saturate(culture);
  leader.FaithPerTurn = Saturate(int64_t{leader.FaithFromCities} + leader.FaithFromCS);
}

}  // namespace

// The city reader counts occupied cities without the puppets already.
void ComputeDerivedValues(GameState& state) {
  for (int32_t p = 0; p < kMaxSlots; ++p) ComputePlayer(state, p);
}

}  // namespace vek5
