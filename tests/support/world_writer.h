// Writes the world sections of a save body for tests: league projects, religions, history,
// city-state influence, policies, technologies, economy blocks and notification logs. Each
// function returns one self-contained block of bytes holding its section's marker, the checks
// near it and the data at the distances the game uses for the given rule set and build, so
// that a block placed anywhere in a body after its start is found by the analysis.
//
// The layouts here are written out independently of the analysis's own tables, so a test
// checks one against the other.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "container/save_image.h"
#include "model/game_state.h"

namespace vek5::testing {

enum class Rules { kBase, kExp1, kZeph };

// The rule set and build a block is written for.
struct WorldFormat {
  Rules RuleSet = Rules::kZeph;
  bool Build341540OrLater = false;
  bool Build379995OrLater = false;
  bool FinalPatch = false;  // Zeph saves of the final patch
};

// A name for test output, e.g. "Exp1Build379995", "ZephFinalPatch".
std::string LayoutName(const WorldFormat& format);

// A fresh model with what the header would have set for these sections: the rule-set and build
// flags, the speed percentage and one Leaders entry per listed slot, in the order given, each in
// the team numbered as its slot.
std::unique_ptr<GameState> MakeWorldState(const WorldFormat& format,
                                          const std::vector<int32_t>& slots,
                                          int32_t speed_percent = 100);

// An image whose body starts at body_offset with 16 zero bytes, then holds the blocks in order,
// each followed by `gap` zero bytes. The four bytes before the body read "BODY".
SaveImage MakeBodyImage(const std::vector<std::vector<uint8_t>>& blocks, int32_t body_offset = 64,
                        size_t gap = 32);

// Overwrites the int32 at an offset of a block (growing it if needed).
void PutIntAt(std::vector<uint8_t>& bytes, size_t offset, int32_t value);

// World-congress projects (Zeph): the member list, then the projects.
struct LeagueProject {
  int32_t Type = 1;
  std::vector<int32_t> Contributions;  // one per slot, in slot order
  uint8_t Flag1 = 0;
  uint8_t Flag2 = 0;
};
struct LeagueDescription {
  std::vector<int32_t> MemberSlots = {0, 1, 22};
  std::vector<LeagueProject> Projects;
  std::optional<int32_t> ProjectCount;  // the count written; default: Projects.size()
};
std::vector<uint8_t> WriteLeagueBlock(const LeagueDescription& league);

// Religions (first expansion and Zeph), followed by the start of the embedded database. The
// first religion's trailing list holds the building-class entry the analysis anchors on, so it
// may have 0 to 5 beliefs (first expansion) or 1 to 6 (Zeph).
struct ReligionDescription {
  int32_t Founder = 0;
  std::vector<int32_t> Beliefs;
  int32_t Type = 0;
  int32_t HolyCityX = 0;
  int32_t HolyCityY = 0;
  int32_t FoundedTurn = 0;
  uint8_t Pantheon = 0;
  uint8_t Enhanced = 0;
  std::string CustomName = {};  // written as its bytes, zero-padded to 128
};
std::vector<uint8_t> WriteReligionBlock(const WorldFormat& format,
                                        const std::vector<ReligionDescription>& religions);

// One player's replay block: its series of (turn, value) pairs after the series keys.
using HistoryPairs = std::vector<std::pair<int32_t, int32_t>>;
std::vector<uint8_t> WriteHistoryBlock(const std::vector<HistoryPairs>& series);

// A city-state record with the influence of slots 0.. (padded to 64 with 0). A record that is
// not a city-state's carries another value after the marker.
std::vector<uint8_t> WriteInfluenceRecord(const WorldFormat& format,
                                          const std::vector<int32_t>& influence,
                                          bool city_state = true);

// A policy table: the adopted byte of each policy (padded with 0 to the rule set's count).
// Count and Version override the two values before the table, to write lists that are not one.
struct PolicyTable {
  std::vector<uint8_t> Adopted;
  std::optional<int32_t> Count;
  std::optional<int32_t> Version;
};
std::vector<uint8_t> WritePolicyTable(const WorldFormat& format, const PolicyTable& table);

// A technology table with its known flags and progress (padded with 0 to the rule set's count).
// Count overrides the stored count (not stored in the base game); a table with PassesChecks
// false is preceded by a building list whose check values fail.
struct TechTable {
  std::vector<uint8_t> Known;
  std::vector<int32_t> Progress;
  std::optional<int32_t> Count;
  bool PassesChecks = true;
  int32_t EraCheck = 1;
};
std::vector<uint8_t> WriteTechTable(const WorldFormat& format, const TechTable& table);

// A player's record with its economy block. Values are written as the save stores them.
struct EconomyDescription {
  int32_t CultureFromCS = 0;  // base game only
  int32_t PolicyCulture = 0;
  int32_t TotalCulture = 0;
  int32_t Faith = 0;       // expansions only
  int32_t TotalFaith = 0;  // expansions only
  int32_t TotalHappiness = 0;
  int32_t GoldenAgeProgress = 0;
  int32_t GoldenAgeCount = 0;
  int32_t GoldenAgeTurns = 0;
  int32_t GreatPeopleBorn = 0;
  int32_t GreatGeneralValue = 0;  // expansions: generals born; base game: the threshold value
  int32_t Int2 = 0;
  int32_t ResearchOverflow = 0;
  int32_t GreatGeneralPoints = 0;
  int32_t GreatGeneralTotal = 0;
  int32_t PolicyCultureNeeded = 0;
  int32_t Int3 = 0;
  int32_t PolicyCount = 0;
  int32_t Int4 = 0;
  // The slot number the record stores as its own and its alive and ever-alive bytes. Without a
  // slot it stores -1, which names no slot.
  std::optional<int32_t> RecordSlot;
  uint8_t Alive = 1;
  uint8_t EverAlive = 1;
};
std::vector<uint8_t> WriteEconomyRecord(const WorldFormat& format,
                                        const EconomyDescription& economy,
                                        bool player_record = true);
// The Zeph record after which the players' records begin.
std::vector<uint8_t> WriteEconomyAnchor();

// A player's record as the game lays it out: its economy block and then, when the slot has one,
// its history block. Every slot has a record, in slot order.
std::vector<uint8_t> WritePlayerRecord(const WorldFormat& format, const EconomyDescription& economy,
                                       const std::optional<std::vector<HistoryPairs>>& history);

// A player's notification log: the record marker with its check, `decoy_tags` tags of other
// slots, the log's tag, the ring of 100 messages and the treasury.
struct LogMessage {
  std::string Text;  // UTF-8
  int32_t Turn = 0;
  std::string Summary;
  int32_t Kind = 0;
};
struct LogDescription {
  int32_t Slot = 0;
  int32_t First = 0;
  int32_t Stop = 0;
  std::vector<LogMessage> Messages;  // ring positions 0..; the rest are empty
  int32_t Gold = 0;
  int32_t DiploGold = 0;
  int32_t TreasuryVersion = 2;
  std::vector<int32_t> List1;
  std::vector<int32_t> List2;
  int32_t DecoyTags = 0;
  bool PassesCheck = true;
};
std::vector<uint8_t> WriteNotificationLog(const WorldFormat& format, const LogDescription& log);

}  // namespace vek5::testing
