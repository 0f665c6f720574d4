// The game's reference tables, constant for the life of the program. The long tables are
// generated at build time from data/*.tsv; the short ones are written out in fixed_tables.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace vek5 {

struct TLevelInfoRec {
  std::string_view Name;
  int32_t Mod1, Mod2, Mod3, Mod4, Mod5, Mod6, Mod7;
};
struct TWorldInfoRec {
  std::string_view Name;
  int32_t Percent;
};
struct TEraInfoRec {
  std::string_view Key;
  int32_t Mod1, Mod2, Mod3, Mod4;
};
struct TCSInfoRec {
  std::string_view Key;
  std::string_view TraitKey;
};
struct TBeliefInfoRec {
  std::string_view Key;
  int32_t Value;
  int32_t Hash;
  std::string_view NameRu;
};
struct TBuildingInfoRec {
  std::string_view Key;
  int32_t Cost;
  int32_t Kind;
  int32_t GPKind;
  int32_t GPPoints;
  std::string_view NameRu;
};
struct TBuildingInfoRecZeph {
  int32_t Hash;
  std::string_view Key;
  int32_t Cost;
  int32_t Kind;
  int32_t GPKind;
  int32_t GPPoints;
  std::string_view NameRu;
};
struct TUnitInfoRec {
  std::string_view Key;
  int32_t Cost;
};
struct TUnitInfoRecZeph {
  int32_t Hash;
  std::string_view Key;
  int32_t Cost;
};
struct TPolicyInfoRec {
  std::string_view Key;
  int32_t Branch;
  std::string_view NameRu;
};
struct TTechInfoRec {
  std::string_view Key;
  int32_t Cost;
  int32_t Era;
};
struct TProjectInfoRec {
  int32_t Hash;
  std::string_view Name;
  int32_t Cost;
};
struct TCommerceInfoRec {
  int32_t Hash;
  std::string_view Name;
  int32_t Value;
};
// A city-name key of the game and the texts the game shows for it (Russian may be empty).
struct TCityNameRec {
  std::string_view Key;
  std::string_view NameEn;
  std::string_view NameRu;
};
// A downloadable-content package that adds civilizations, in the order it adds them.
struct TDlcCivRec {
  int32_t PackageId;
  std::string_view CivName;
  std::string_view LeaderName;
};

// A row of the map's name tables: plot types, terrains, routes, improvements.
struct TMapNameRec {
  std::string_view Key;
  std::string_view NameEn;
  std::string_view NameRu;
};
struct TMapFeatureRec {
  std::string_view Key;
  int32_t Hash;
  int32_t NaturalWonder;  // 1 for a natural wonder
  std::string_view NameEn;
  std::string_view NameRu;
};
struct TMapImprovementRec {
  std::string_view Key;
  int32_t Hash;
  std::string_view NameEn;
  std::string_view NameRu;
};
struct TMapResourceRec {
  std::string_view Key;
  int32_t Hash;
  std::string_view Class;  // "strategic", "luxury" or "bonus"
  std::string_view NameEn;
  std::string_view NameRu;
};

// Building kinds.
inline constexpr int32_t kKindPalace = 0;
inline constexpr int32_t kKindBuilding = 1;
inline constexpr int32_t kKindNationalWonder = 2;
inline constexpr int32_t kKindWorldWonder = 3;
inline constexpr int32_t kKindGuild = 4;
inline constexpr int32_t kKindSpaceStation = 5;
inline constexpr int32_t kKindFiller = -1;

// Civilization types with a meaning of their own.
inline constexpr int32_t kCivMinor = 18;
inline constexpr int32_t kCivBarbarian = 19;
inline constexpr int32_t kFirstDlcCivType = 20;
inline constexpr int32_t kFirstDlcLeaderType = 19;

inline constexpr int kLeaderNameRows = 27;
inline constexpr int kCivNameRows = 28;
inline constexpr int kCityStateNameRows = 29;
inline constexpr int kCityStateInfoRows = 43;
inline constexpr int kCityStateInfoZephRows = 59;
inline constexpr int kDlcCivRows = 7;
inline constexpr int kMonthNameRows = 13;
inline constexpr int kReplayDatasetRows = 27;
inline constexpr int kReplayDatasetZephRows = 28;
inline constexpr int kSeriesColorRows = 26;
inline constexpr int kSpeedRows = 4;
inline constexpr int kLevelRows = 8;
inline constexpr int kWorldRows = 6;
inline constexpr int kBeliefRows = 70;
inline constexpr int kBuildingRows = 150;
inline constexpr int kUnitRows = 150;
inline constexpr int kPolicyRows = 70;
inline constexpr int kPolicyZephRows = 111;
inline constexpr int kTechRows = 74;
inline constexpr int kTechExp1Rows = 80;
inline constexpr int kTechZephRows = 81;
inline constexpr int kProjectInfoRows = 7;
inline constexpr int kCommerceInfoRows = 5;
inline constexpr int kEraRows = 7;
inline constexpr int kEraExpRows = 8;
inline constexpr int kReligionKeyRows = 13;
inline constexpr int kCityNameRows = 2362;
inline constexpr int kMapPlotTypeRows = 4;
inline constexpr int kMapTerrainRows = 9;
inline constexpr int kMapRouteRows = 2;
inline constexpr int kMapFeatureRows = 18;
inline constexpr int kMapFeatureExp1Rows = 22;
inline constexpr int kMapFeatureZephRows = 25;
inline constexpr int kMapResourceRows = 28;
inline constexpr int kMapResourceExp1Rows = 35;
inline constexpr int kMapResourceZephRows = 42;
inline constexpr int kMapImprovementRows = 22;
inline constexpr int kMapImprovementExp1Rows = 24;
inline constexpr int kMapImprovementZephRows = 29;
// Zeph saves number their religions 0 to 13, the last two being its own.
inline constexpr int kReligionKeyZephRows = 14;

// Generated from data/.
extern const std::array<std::string_view, kLeaderNameRows> LeaderNames;
extern const std::array<std::string_view, kCivNameRows> CivNames;
extern const std::array<std::string_view, kCityStateNameRows> CityStateNames;
extern const std::array<std::string_view, kCityStateNameRows> CityStateTraitNames;
extern const std::array<TCSInfoRec, kCityStateInfoRows> CityStateInfo;
extern const std::array<TCSInfoRec, kCityStateInfoZephRows> CityStateInfoZeph;
extern const std::array<TDlcCivRec, kDlcCivRows> DlcCivs;
extern const std::array<TBeliefInfoRec, kBeliefRows> BeliefInfo;
extern const std::array<TBuildingInfoRec, kBuildingRows> BuildingInfo;
extern const std::array<TBuildingInfoRec, kBuildingRows> BuildingInfoExp1;
extern const std::array<TBuildingInfoRecZeph, kBuildingRows> BuildingInfoZeph;
extern const std::array<TUnitInfoRec, kUnitRows> UnitInfo;
extern const std::array<TUnitInfoRec, kUnitRows> UnitInfoExp1;
extern const std::array<TUnitInfoRecZeph, kUnitRows> UnitInfoZeph;
extern const std::array<TPolicyInfoRec, kPolicyRows> PolicyInfo;
extern const std::array<TPolicyInfoRec, kPolicyZephRows> PolicyInfoZeph;
extern const std::array<TTechInfoRec, kTechRows> TechInfo;
extern const std::array<TTechInfoRec, kTechExp1Rows> TechInfoExp1;
extern const std::array<TTechInfoRec, kTechZephRows> TechInfoZeph;
extern const std::array<TCityNameRec, kCityNameRows> CityNameInfo;  // sorted by Key
extern const std::array<TMapNameRec, kMapPlotTypeRows> MapPlotTypes;
extern const std::array<TMapNameRec, kMapTerrainRows> MapTerrains;
extern const std::array<TMapNameRec, kMapRouteRows> MapRoutes;
extern const std::array<TMapFeatureRec, kMapFeatureRows> MapFeatures;
extern const std::array<TMapFeatureRec, kMapFeatureExp1Rows> MapFeaturesExp1;
extern const std::array<TMapFeatureRec, kMapFeatureZephRows> MapFeaturesZeph;
extern const std::array<TMapResourceRec, kMapResourceRows> MapResources;
extern const std::array<TMapResourceRec, kMapResourceExp1Rows> MapResourcesExp1;
extern const std::array<TMapResourceRec, kMapResourceZephRows> MapResourcesZeph;
extern const std::array<TMapImprovementRec, kMapImprovementRows> MapImprovements;
extern const std::array<TMapImprovementRec, kMapImprovementExp1Rows> MapImprovementsExp1;
extern const std::array<TMapImprovementRec, kMapImprovementZephRows> MapImprovementsZeph;

// Written out in fixed_tables.cpp.
extern const std::array<std::string_view, kMonthNameRows> MonthNames;
extern const std::array<std::string_view, kReplayDatasetRows> ReplayDatasetNames;
extern const std::array<std::string_view, kReplayDatasetZephRows> ReplayDatasetNamesZeph;
extern const std::array<uint32_t, kSeriesColorRows> SeriesColors;  // 0xRRGGBB
extern const std::array<int32_t, kSpeedRows> GameSpeedPercent;
extern const std::array<TLevelInfoRec, kLevelRows> LevelInfo;
extern const std::array<TWorldInfoRec, kWorldRows> WorldInfo;
extern const std::array<TEraInfoRec, kEraRows> EraInfo;
extern const std::array<TEraInfoRec, kEraExpRows> EraInfoExp;
extern const std::array<TProjectInfoRec, kProjectInfoRows> ProjectInfo;
extern const std::array<TCommerceInfoRec, kCommerceInfoRows> CommerceInfo;
extern const std::array<std::string_view, kReligionKeyRows> ReligionKeys;
extern const std::array<std::string_view, kReligionKeyZephRows> ReligionKeysZeph;

// Row of the table whose type hash equals the argument; -1 for 0 or when none does.
int32_t FindBIndex(int32_t hash);
int32_t FindUIndex(int32_t hash);
int32_t FindPIndex(int32_t hash);
int32_t FindCIndex(int32_t hash);

// Row of a building table whose key equals the argument, or -1.
int32_t FindBuildingRowByKey(std::span<const TBuildingInfoRec> table, std::string_view key);

}  // namespace vek5
