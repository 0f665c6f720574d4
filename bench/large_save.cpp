#include "large_save.h"

#include <algorithm>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <zlib.h>

#include "model/reference_tables.h"
#include "support/save_builder.h"

namespace vek5::bench {
namespace {

using namespace vek5::testing;

constexpr int kMajors = 12;
constexpr int kFirstCityStateSlot = 22;
constexpr int kCityStates = 4;
constexpr int kBarbarianSlot = 63;
constexpr int kCities = 400;
constexpr int kTurns = 500;
constexpr int kHistorySeriesWritten = 27;
constexpr int kLogs = 22;  // one per slot 0 to 21, as the game writes them
constexpr int kPolicyTables = 64;
constexpr int kTechTables = 64;
constexpr int kEconomyRecords = 64;
constexpr int kReplayMessages = 3000;
constexpr int kSessions = 40;
// Map-like filler around the sections: most of a real body is map and unit data.
constexpr size_t kFillerBeforeLeague = 6'000'000;
constexpr size_t kFillerBeforeHistory = 15'000'000;
constexpr int kBuildingsPerCity = 24;
constexpr int kUnitsPerCity = 12;

constexpr std::string_view kCivKeys[kMajors] = {
    "CIVILIZATION_GREECE", "CIVILIZATION_EGYPT",   "CIVILIZATION_MONGOL", "CIVILIZATION_SPAIN",
    "CIVILIZATION_PERSIA", "CIVILIZATION_KOREA",   "CIVILIZATION_ROME",   "CIVILIZATION_CHINA",
    "CIVILIZATION_FRANCE", "CIVILIZATION_ENGLAND", "CIVILIZATION_INDIA",  "CIVILIZATION_JAPAN"};
constexpr std::string_view kLeaderKeys[kMajors] = {
    "LEADER_ALEXANDER", "LEADER_RAMESSES",  "LEADER_GENGHIS_KHAN", "LEADER_ISABELLA",
    "LEADER_DARIUS",    "LEADER_SEJONG",    "LEADER_AUGUSTUS",     "LEADER_WU_ZETIAN",
    "LEADER_NAPOLEON",  "LEADER_ELIZABETH", "LEADER_GANDHI",       "LEADER_ODA_NOBUNAGA"};
constexpr int32_t kCivTypes[kMajors] = {8, 4, 26, 21, 13, 25, 14, 3, 6, 5, 9, 11};
constexpr std::string_view kCityStateKeys[kCityStates] = {
    "MINOR_CIV_GENEVA", "MINOR_CIV_SIDON", "MINOR_CIV_MONACO", "MINOR_CIV_SINGAPORE"};

// The body as the game compresses it: a zlib stream ended by a sync flush, without a final
// block or a checksum.
std::vector<uint8_t> CompressAsTheGame(const std::vector<uint8_t>& body) {
  z_stream stream{};
  if (deflateInit(&stream, Z_DEFAULT_COMPRESSION) != Z_OK) throw std::runtime_error("deflateInit");
  std::vector<uint8_t> out(deflateBound(&stream, static_cast<uLong>(body.size())) + 16);
  stream.next_in = const_cast<Bytef*>(body.data());
  stream.avail_in = static_cast<uInt>(body.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int status = deflate(&stream, Z_SYNC_FLUSH);
  out.resize(out.size() - stream.avail_out);
  deflateEnd(&stream);
  if (status != Z_OK || stream.avail_in != 0) throw std::runtime_error("deflate failed");
  return out;
}

// A save file framed as the game frames it: the header, the stream in 64 KiB chunks each after
// its length, a length of 0, the tail.
std::vector<uint8_t> WithGameFraming(const std::vector<uint8_t>& header,
                                     const std::vector<uint8_t>& body,
                                     const std::vector<uint8_t>& tail) {
  constexpr size_t kChunk = size_t{64} << 10;
  const std::vector<uint8_t> stream = CompressAsTheGame(body);
  ByteWriter out;
  out.Bytes(header);
  for (size_t done = 0; done < stream.size(); done += kChunk) {
    const size_t size = std::min(kChunk, stream.size() - done);
    out.Int(static_cast<int32_t>(size));
    out.Bytes(std::vector<uint8_t>(stream.begin() + static_cast<long>(done),
                                   stream.begin() + static_cast<long>(done + size)));
  }
  out.Int(0);
  out.Bytes(tail);
  return out.bytes();
}

bool IsZeph(const LargeSaveFormat& f) {
  return f.RuleSet == Rules::kZeph;
}

WorldFormat WorldFormatOf(const LargeSaveFormat& f) {
  WorldFormat w;
  w.RuleSet = f.RuleSet;
  w.Build341540OrLater = true;
  w.Build379995OrLater = true;
  w.FinalPatch = IsZeph(f);
  return w;
}

std::vector<int32_t> ListedSlots() {
  std::vector<int32_t> slots;
  for (int s = 0; s < kMajors; ++s) slots.push_back(s);
  for (int c = 0; c < kCityStates; ++c) slots.push_back(kFirstCityStateSlot + c);
  slots.push_back(kBarbarianSlot);
  return slots;
}

// Plot-like records: a fixed template with a few fields that change in runs, so the filler
// compresses about as well as the map data of real saves (20 to 50 times).
std::vector<uint8_t> MapFiller(size_t bytes, uint32_t seed) {
  std::mt19937 random(seed);
  ByteWriter out;
  int32_t terrain = 0, feature = -1, owner = -1, improvement = -1;
  while (out.size() < bytes) {
    if (random() % 48 == 0) terrain = static_cast<int32_t>(random() % 7);
    if (random() % 32 == 0) feature = static_cast<int32_t>(random() % 5) - 1;
    if (random() % 200 == 0) owner = static_cast<int32_t>(random() % 14) - 1;
    if (random() % 64 == 0) improvement = static_cast<int32_t>(random() % 12) - 1;
    const bool resource = random() % 40 == 0;
    out.Int(terrain);
    out.Int(feature);
    out.Int(owner);
    out.Int(resource ? static_cast<int32_t>(random() % 40) : -1);
    out.Int(improvement);
    out.Int(owner >= 0 ? 300 : 0);
    out.Zeros(20);
    out.Int(-1);
    out.Int(0);
  }
  return out.bytes();
}

// Plot records of a map that is still almost all unexplored: nearly every record is the same.
std::vector<uint8_t> EarlyMap(size_t bytes, uint32_t seed) {
  std::mt19937 random(seed);
  ByteWriter out;
  while (out.size() < bytes) {
    const bool seen = random() % 2000 == 0;
    out.Int(seen ? static_cast<int32_t>(random() % 7) : 0);
    out.Int(-1);
    out.Int(seen ? static_cast<int32_t>(random() % 14) - 1 : -1);
    out.Zeros(36);
  }
  return out.bytes();
}

std::vector<SlotDescription> Slots() {
  std::vector<SlotDescription> slots(kSlotListLength);
  for (int s = 0; s < kMajors; ++s) {
    slots[s] = {kCivTypes[s],
                s == 0 ? kStatusHuman : kStatusComputer,
                s,
                0,
                0,
                std::string(kCivKeys[s]),
                std::string(kLeaderKeys[s]),
                ""};
  }
  for (int c = 0; c < kCityStates; ++c) {
    slots[kFirstCityStateSlot + c] = {18, kStatusComputer,      0,  c,
                                      1,  "CIVILIZATION_MINOR", "", std::string(kCityStateKeys[c])};
  }
  slots[kBarbarianSlot] = {
      19, kStatusComputer, 3, 0, 0, "CIVILIZATION_BARBARIAN", "LEADER_BARBARIAN", ""};
  return slots;
}

std::vector<ReplayMessage> ReplayMessages() {
  std::vector<ReplayMessage> messages;
  for (int i = 0; i < kReplayMessages; ++i) {
    const int32_t turn = i * kTurns / kReplayMessages;
    if (i % (kReplayMessages / kSessions) == 0) {
      messages.push_back({turn, "Session " + std::to_string(messages.size() / 75 + 1) + " starts"});
    } else if (i % 3 == 0) {
      messages.push_back({turn, "City " + std::to_string(i) + " is founded."});
    } else if (i % 3 == 1) {
      messages.push_back(
          {turn, "[COLOR_POSITIVE_TEXT]Alexander[ENDCOLOR] meets Player " + std::to_string(i)});
    } else {
      messages.push_back({turn, ""});
    }
  }
  return messages;
}

std::vector<HistoryPairs> HistoryOfEntry(size_t d) {
  std::vector<HistoryPairs> series(kHistorySeriesWritten);
  for (int s = 0; s < kHistorySeriesWritten; ++s) {
    for (int t = 0; t < kTurns; ++t) {
      series[s].push_back({t, static_cast<int32_t>((t * (s + 3) + d * 17) % 5000)});
    }
  }
  return series;
}

std::vector<uint8_t> InfluenceRecords(const WorldFormat& world) {
  std::vector<uint8_t> all;
  for (int c = 0; c < kCityStates; ++c) {
    std::vector<int32_t> influence(64, 0);
    for (int p = 0; p < kMajors; ++p) influence[p] = (p * 1700 + c * 900) % 9000 - 1000;
    const std::vector<uint8_t> record = WriteInfluenceRecord(world, influence);
    all.insert(all.end(), record.begin(), record.end());
    all.resize(all.size() + 256, 0);
  }
  return all;
}

template <typename Write>
std::vector<uint8_t> Repeated(int count, size_t gap, Write write) {
  std::vector<uint8_t> all;
  for (int i = 0; i < count; ++i) {
    const std::vector<uint8_t> block = write(i);
    all.insert(all.end(), block.begin(), block.end());
    all.resize(all.size() + gap, 0);
  }
  return all;
}

LogDescription Log(int slot) {
  LogDescription log;
  log.Slot = slot;
  log.First = 0;
  log.Stop = 99;
  for (int k = 0; k < 100; ++k) {
    log.Messages.push_back({"[COLOR_NEGATIVE_TEXT]Player " + std::to_string(slot) +
                                "[ENDCOLOR] has entered the Medieval Era, message " +
                                std::to_string(k),
                            kTurns - 100 + k, "Era reached", k % 7});
  }
  log.Gold = 1000 + slot;
  log.DiploGold = slot;
  log.DecoyTags = slot % 3;
  return log;
}

std::string BuildingKey(const LargeSaveFormat& f, int row) {
  return std::string(IsZeph(f) ? BuildingInfoZeph[row].Key : BuildingInfoExp1[row].Key);
}

std::string UnitKey(const LargeSaveFormat& f, int row) {
  return std::string(IsZeph(f) ? UnitInfoZeph[row].Key : UnitInfoExp1[row].Key);
}

std::vector<uint8_t> Cities(const LargeSaveFormat& f) {
  std::vector<uint8_t> all;
  for (int i = 0; i < kCities; ++i) {
    CityDescription city;
    city.Name = "City " + std::to_string(i);
    city.Owner = i % kMajors;
    city.OriginalOwner = city.Owner;
    city.Flags[0] = 1;
    city.YieldArrays = {{3, 1, 2, 3}, {2, 5, 6}, {1, 4}};
    city.Food = 40 + i % 30;
    city.Culture = 500 + i;
    city.X = i % 80;
    city.Y = i / 80;
    city.FoundedTurn = i % kTurns;
    city.Population = 5 + i % 20;
    city.MaxPopulation = city.Population + 2;
    city.Buildings.clear();
    city.Buildings.push_back({kCheckBuildingKey, 0, 0, 0, 0, -9999, 1, 0});
    for (int b = 0; b < kBuildingsPerCity; ++b) {
      const int row = 5 + (b * 5 + i) % 120;
      city.Buildings.push_back({BuildingKey(f, row), 0, 10 * b, 0, 0, -2000 + 10 * b, b % 2, 0});
    }
    for (int u = 0; u < kUnitsPerCity; ++u) {
      city.Units.push_back({UnitKey(f, 3 + (u * 7 + i) % 100), 0, u * 3, 0});
    }
    city.Queue = {{0, 12, 30, 0, 0}, {1, 40, 0, 0, 0}};
    city.GPPoints = {10, 20, 0, 5};
    city.Religions = {{0, 1, 0, 5, 300}, {0, 2, 0, 1, 100}};
    const std::vector<uint8_t> record = WriteCityRecord(f.CityForm, city);
    all.insert(all.end(), record.begin(), record.end());
    all.resize(all.size() + 2048, 0);
  }
  return all;
}

}  // namespace

std::vector<uint8_t> WriteLargeSave(const LargeSaveFormat& f) {
  const WorldFormat world = WorldFormatOf(f);
  GameDescription game;
  game.SaveVersion = 8;
  game.Content = {{238506401, {"Expansion - First Rule Set"}}};
  if (IsZeph(f)) game.Content.push_back({1839232566, {"Expansion - Second Rule Set"}});
  game.SlotKeys = true;
  game.FinalPatchSlotList = IsZeph(f);
  game.Slots = Slots();
  game.WorldSizeKey = "WORLDSIZE_HUGE";
  game.TurnsPlayed = kTurns;
  game.MaxTurns = 500;
  game.Score = 1400;
  game.ReplayMessages = ReplayMessages();
  game.SessionCounter = kSessions + 1;

  auto& body = game.BodySections;
  if (f.EarlyMapBytes > 0) body.push_back(EarlyMap(f.EarlyMapBytes, 4));
  body.push_back(MapFiller(kFillerBeforeLeague, 1));
  if (IsZeph(f)) {
    LeagueDescription league;
    league.MemberSlots = ListedSlots();
    league.Projects = {{1, std::vector<int32_t>(64, 1000), 0, 0}};
    body.push_back(WriteLeagueBlock(league));
  }
  body.push_back(WriteReligionBlock(world, {{0, {1, 2, 3}}, {3, {4, 5}}, {7, {6, 7, 8}}}));
  body.push_back(MapFiller(kFillerBeforeHistory, 2));
  body.push_back(InfluenceRecords(world));
  body.push_back(Repeated(kPolicyTables, 512, [&](int slot) {
    PolicyTable table;
    for (int k = 0; k < 40; ++k) table.Adopted.push_back(static_cast<uint8_t>((k + slot) % 3 == 0));
    return WritePolicyTable(world, table);
  }));
  body.push_back(Repeated(kTechTables, 512, [&](int slot) {
    TechTable table;
    for (int k = 0; k < 60; ++k) {
      table.Known.push_back(static_cast<uint8_t>(k < 30 + slot % 20));
      table.Progress.push_back(k * 10);
    }
    return WriteTechTable(world, table);
  }));
  if (IsZeph(f)) body.push_back(WriteEconomyAnchor());
  // Every slot's record; a listed slot's holds its history after its economy block.
  const std::vector<int32_t> listed = ListedSlots();
  body.push_back(Repeated(kEconomyRecords, 256, [&](int slot) {
    EconomyDescription economy;
    economy.TotalCulture = 10000 + slot;
    economy.PolicyCount = slot % 12;
    economy.GoldenAgeCount = slot % 4;
    const auto entry = std::find(listed.begin(), listed.end(), slot);
    std::optional<std::vector<HistoryPairs>> history;
    if (entry != listed.end())
      history = HistoryOfEntry(static_cast<size_t>(entry - listed.begin()));
    return WritePlayerRecord(world, economy, history);
  }));
  body.push_back(
      Repeated(kLogs, 1024, [&](int slot) { return WriteNotificationLog(world, Log(slot)); }));
  body.push_back(Cities(f));
  body.push_back(MapFiller(1'000'000, 3));
  return WithGameFraming(WriteHeader(game), WriteBody(game), game.Tail);
}

}  // namespace vek5::bench
