#include "views/stats_view.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "container/key_text.h"
#include "model/format.h"
#include "model/reference_tables.h"
#include "views/religion_names.h"
#include "views/type_names.h"

namespace vek5 {
namespace {

constexpr int kShownBeliefSlots = 6;
constexpr int kSearchedBeliefRows = kBeliefRows - 1;  // the last row is the unknown belief

// Zeph groups policies by branch number; the three ideologies are named by the branch, the
// others by their first adopted row.
constexpr int32_t kZephBranches = 12;
constexpr int32_t kFirstIdeologyBranch = 9;
struct IdeologyName {
  std::string_view English;
  std::string_view Russian;
};
constexpr std::array<IdeologyName, 3> kIdeologyNames = {{
    {"Freedom", "Свобода"},
    {"Order", "Порядок"},
    {"Autocracy", "Автократия"},
}};
// A branch counts as complete above these counts (the ideology's header counts once).
constexpr int32_t kClassicalBranchComplete = 5;
constexpr int32_t kIdeologyBranchComplete = 14;

// Other saves: blocks of six rows, the opener first; the finishers after them are not shown.
constexpr int32_t kPolicyBlocks = 10;
constexpr int32_t kPolicyBlockRows = 6;

struct Language {
  bool Russian = false;         // wonders, policies and ideologies
  bool RussianBeliefs = false;  // beliefs
};

std::string_view AllText(const Language& language) {
  return language.Russian ? " (вся)" : " (all)";
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
  std::string line;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) line += separator;
    line += parts[i];
  }
  return line;
}

// The entry's city records, up to its city count and the per-player capacity.
std::vector<const TCityRec*> NamedCities(const GameState& state, int32_t entry) {
  const std::vector<TCityRec>& cities = state.Cities[static_cast<size_t>(entry)];
  const size_t records = std::min(
      {cities.size(), size_t{kMaxCitiesPerPlayer},
       static_cast<size_t>(std::max(state.Leaders[static_cast<size_t>(entry)].CityCount, 0))});
  std::vector<const TCityRec*> named;
  for (size_t c = 0; c < records; ++c) {
    if (!cities[c].Name.empty()) named.push_back(&cities[c]);
  }
  return named;
}

// "3 (12,8,5) + 1 (4)": own cities and their populations, then the puppets.
std::string CitiesLine(const std::vector<const TCityRec*>& cities) {
  std::vector<std::string> own;
  std::vector<std::string> puppets;
  for (const TCityRec* city : cities) {
    (city->Flags[kFlagPuppet] != 0 ? puppets : own).push_back(Format("%d", city->Population));
  }
  std::string line = Format("%d", static_cast<int32_t>(own.size())) + " (" + Joined(own, ",") + ")";
  if (!puppets.empty()) {
    line += Format(" + %d (", static_cast<int32_t>(puppets.size())) + Joined(puppets, ",") + ")";
  }
  return line;
}

struct Wonder {
  int32_t Turn = 0;
  std::string Name;
  bool HeldBefore = false;  // built before the city came to the player, or in a puppet
};

bool IsWonderKind(int32_t kind) {
  return kind == kKindNationalWonder || kind == kKindWorldWonder || kind == kKindGuild;
}

// Wonders in the order they were built; "*" marks those the player did not build itself.
std::string WondersLine(const GameState& state, const std::vector<const TCityRec*>& cities,
                        const Language& language) {
  const RuleSet rules = RuleSetOf(state);
  std::vector<Wonder> wonders;
  for (const TCityRec* city : cities) {
    for (size_t k = 0; k < kMaxBuildingSlots; ++k) {
      if (city->BuildingCount[k] <= 0) continue;
      const std::optional<BuildingType> row = FindBuildingByName(rules, city->BuildingNames[k]);
      if (!row || !IsWonderKind(row->Kind)) continue;
      Wonder wonder;
      wonder.Turn = city->BuildingTurn[k];
      wonder.Name = language.Russian && !row->NameRu.empty() ? std::string(row->NameRu)
                                                             : city->BuildingNames[k];
      wonder.HeldBefore = city->Flags[kFlagPuppet] != 0 ||
                          (city->Flags[kFlagOccupied] != 0 && city->CapturedTurn > wonder.Turn);
      wonders.push_back(std::move(wonder));
    }
  }
  std::stable_sort(wonders.begin(), wonders.end(),
                   [](const Wonder& a, const Wonder& b) { return a.Turn < b.Turn; });
  std::vector<std::string> parts;
  for (const Wonder& w : wonders) {
    parts.push_back((w.HeldBefore ? "*" : "") + w.Name + Format(" (%d)", w.Turn));
  }
  return Joined(parts, ", ");
}

std::string PolicyName(const TPolicyInfoRec& row, const Language& language) {
  return language.Russian ? std::string(row.NameRu) : CutTextKey(row.Key, "POLICY_");
}

// A branch's header, then its other adopted policies in parentheses, or " (all)".
struct BranchText {
  std::string Header;
  std::vector<std::string> Listed;
  bool Complete = false;

  std::string Text(const Language& language) const {
    if (Complete) return Header + std::string(AllText(language));
    if (Listed.empty()) return Header;
    return Header + " (" + Joined(Listed, ", ") + ")";
  }
};

std::vector<std::string> ZephPolicyTexts(const std::array<int32_t, kMaxPolicyRows>& adopted,
                                         const Language& language) {
  std::vector<std::string> texts;
  for (int32_t branch = 0; branch < kZephBranches; ++branch) {
    const bool ideology = branch >= kFirstIdeologyBranch;
    BranchText text;
    int32_t count = 0;
    if (ideology) {
      const IdeologyName& name = kIdeologyNames[static_cast<size_t>(branch - kFirstIdeologyBranch)];
      text.Header = std::string(language.Russian ? name.Russian : name.English);
    }
    for (size_t r = 0; r < PolicyInfoZeph.size() && r < adopted.size(); ++r) {
      if (PolicyInfoZeph[r].Branch != branch || adopted[r] == 0) continue;
      std::string name = PolicyName(PolicyInfoZeph[r], language);
      if (count == 0 && !ideology) {
        text.Header = std::move(name);
      } else {
        text.Listed.push_back(std::move(name));
      }
      ++count;
    }
    if (count == 0) continue;
    // The ideology's own name counts as its first row.
    const int32_t counted = ideology ? count + 1 : count;
    text.Complete =
        ideology ? counted > kIdeologyBranchComplete : counted > kClassicalBranchComplete;
    texts.push_back(text.Text(language));
  }
  return texts;
}

std::vector<std::string> BlockPolicyTexts(const std::array<int32_t, kMaxPolicyRows>& adopted,
                                          const Language& language) {
  std::vector<std::string> texts;
  for (int32_t block = 0; block < kPolicyBlocks; ++block) {
    BranchText text;
    int32_t count = 0;
    for (int32_t j = 0; j < kPolicyBlockRows; ++j) {
      const size_t r = static_cast<size_t>(block * kPolicyBlockRows + j);
      if (adopted[r] == 0) continue;
      ++count;
      std::string name = PolicyName(PolicyInfo[r], language);
      if (j == 0) {
        text.Header = std::move(name);
      } else {
        text.Listed.push_back(std::move(name));
      }
    }
    if (count == 0) continue;
    text.Complete = count == kPolicyBlockRows;
    texts.push_back(text.Text(language));
  }
  return texts;
}

std::string PoliciesLine(const GameState& state, int32_t entry, const Language& language) {
  const std::array<int32_t, kMaxPolicyRows>& adopted =
      state.PolicyAdopted[static_cast<size_t>(entry)];
  return Joined(state.ZephPresent != 0 ? ZephPolicyTexts(adopted, language)
                                       : BlockPolicyTexts(adopted, language),
                ", ");
}

std::string BeliefName(int32_t hash, const Language& language) {
  for (int row = 0; row < kSearchedBeliefRows; ++row) {
    const TBeliefInfoRec& belief = BeliefInfo[static_cast<size_t>(row)];
    if (belief.Hash != hash) continue;
    if (language.RussianBeliefs && !belief.NameRu.empty()) return std::string(belief.NameRu);
    return CutTextKey(belief.Key, "BELIEF_");
  }
  return Format("%08x", static_cast<uint32_t>(hash));
}

std::string BeliefsLine(const TLeaderInfoRec& leader, const Language& language) {
  std::vector<std::string> names;
  for (int k = 0; k < kShownBeliefSlots; ++k) {
    const int32_t hash = leader.Beliefs[static_cast<size_t>(k)];
    // The slot is empty when its absolute value is not positive in 32 bits.
    if (hash == 0 || hash == INT32_MIN) continue;
    names.push_back(BeliefName(hash, language));
  }
  return Joined(names, ", ");
}

// The religion the player founded, if any: its name, type and founding, before its beliefs.
std::string FoundedReligionText(const GameState& state, int32_t entry) {
  for (const TReligionRec& religion : state.Religions) {
    if (religion.Founder != entry || religion.Pantheon != kFalse) continue;
    std::string text = ReligionNameWithType(state, religion.Type);
    const std::string founding = ReligionFounding(state, religion.Type);
    if (!founding.empty()) text += ", " + founding;
    return text;
  }
  return {};
}

std::string ReligionAndBeliefsLine(const GameState& state, int32_t entry,
                                   const Language& language) {
  const std::string beliefs = BeliefsLine(state.Leaders[static_cast<size_t>(entry)], language);
  const std::string religion = FoundedReligionText(state, entry);
  if (religion.empty()) return beliefs;
  return beliefs.empty() ? religion : religion + ": " + beliefs;
}

void SetLine(TabContent& tab, std::string_view control, std::string text) {
  tab.List(control).Lines = {ColoredLine{std::move(text)}};
}

}  // namespace

TabContent PlayerStats(const GameState& state, int32_t entry, int32_t language_index) {
  TabContent tab;
  if (entry < 0 || entry >= std::min(state.PlayerCount, kMaxSlots)) {
    for (std::string_view box : {"CitiesStats", "WondersStats", "PoliciesStats", "BeliefStats"}) {
      SetLine(tab, box, {});
    }
    return tab;
  }
  Language language;
  language.Russian = language_index == kStatsRussian;
  language.RussianBeliefs = language_index != kStatsEnglish;
  const std::vector<const TCityRec*> cities = NamedCities(state, entry);
  SetLine(tab, "CitiesStats", CitiesLine(cities));
  SetLine(tab, "WondersStats", WondersLine(state, cities, language));
  SetLine(tab, "PoliciesStats", PoliciesLine(state, entry, language));
  SetLine(tab, "BeliefStats", ReligionAndBeliefsLine(state, entry, language));
  return tab;
}

}  // namespace vek5
