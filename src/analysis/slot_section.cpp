// The long run of header lists after the content list. Only what describes the 64 player slots
// is kept: civilization, status, team, leader and city-state identity, the per-slot keys and the
// user name; and whose turn it is and the kind of game. The layout is the table below, one row
// per item of the file, each with the condition under which the save holds it. The passwords
// among the items (the game's admin password, the players' hotseat passwords) are read past and
// never kept.
#include "analysis/list_reading.h"
#include "analysis/sections.h"
#include "container/text_encoding.h"

namespace vek5 {
namespace {

enum class Item {
  Int,
  Short,
  Byte,
  Str,
  IntList,         // int32 n, then n int32
  StrList,         // int32 n, then n texts
  ByteList,        // int32 n, then n bytes
  NamedValueList,  // int32 n, then n (text, int32, text)
  SlotKeyCount,    // int32 n; n >= 64 announces the per-slot keys, and n civilization keys follow
};

enum class When {
  Always,
  VersionAbove6,
  VersionAbove7,
  VersionBelow7,
  SlotKeys,
  NoSlotKeys,
  // Saves of the game's final patch hold one more list of 64 int32 here. In every other layout
  // the int32 at this point is an int16 followed by the low half of a count, never 64.
  FinalPatchSlotList,
};

enum class Keep {
  Nothing,
  CivTypes,
  Statuses,
  LeaderTypes,
  MinorCivTypes,
  IsMinor,
  Teams,
  CivKeys,
  LeaderKeys,
  MinorCivKeys,
  UserName,
  ActivePlayer,
  GameType,
};

struct SlotRow {
  Item item;
  int32_t repeat;
  When when;
  Keep keep;
};

constexpr int32_t kSlotKeyThreshold = 64;
constexpr int32_t kFinalPatchListLength = 64;

constexpr SlotRow kSlotSection[] = {
    {Item::NamedValueList, 1, When::Always, Keep::Nothing},
    {Item::Str, 3, When::Always, Keep::Nothing},
    {Item::Int, 4, When::VersionAbove7, Keep::Nothing},
    {Item::Str, 1, When::VersionAbove7, Keep::Nothing},
    {Item::Int, 5, When::VersionAbove7, Keep::Nothing},
    {Item::Int, 1, When::VersionAbove6, Keep::Nothing},
    {Item::Int, 2, When::Always, Keep::Nothing},
    {Item::Str, 1, When::Always, Keep::Nothing},
    {Item::IntList, 1, When::Always, Keep::CivTypes},
    {Item::StrList, 1, When::Always, Keep::Nothing},
    {Item::IntList, 1, When::Always, Keep::Statuses},
    {Item::IntList, 1, When::Always, Keep::Nothing},
    {Item::IntList, 1, When::Always, Keep::Teams},
    {Item::IntList, 1, When::VersionAbove7, Keep::Nothing},
    {Item::SlotKeyCount, 1, When::VersionAbove6, Keep::CivKeys},
    {Item::StrList, 1, When::SlotKeys, Keep::LeaderKeys},
    {Item::Int, 1, When::SlotKeys, Keep::Nothing},
    {Item::Int, 1, When::Always, Keep::ActivePlayer},
    {Item::Str, 1, When::Always, Keep::Nothing},  // the admin password
    {Item::Int, 1, When::Always, Keep::Nothing},
    {Item::Str, 1, When::Always, Keep::Nothing},
    {Item::IntList, 1, When::Always, Keep::Nothing},
    {Item::Byte, 1, When::Always, Keep::Nothing},
    {Item::Int, 5, When::Always, Keep::Nothing},
    {Item::Str, 8, When::Always, Keep::Nothing},  // the calendar's texts
    {Item::StrList, 2, When::Always, Keep::Nothing},
    {Item::IntList, 1, When::NoSlotKeys, Keep::Nothing},
    {Item::StrList, 1, When::Always, Keep::Nothing},  // the players' hotseat passwords
    {Item::StrList, 1, When::Always, Keep::Nothing},
    {Item::Int, 2, When::Always, Keep::Nothing},
    {Item::Str, 8, When::Always, Keep::Nothing},  // the climate's texts
    {Item::Int, 12, When::Always, Keep::Nothing},
    {Item::StrList, 1, When::Always, Keep::Nothing},  // an e-mail address per slot
    {Item::Int, 1, When::Always, Keep::Nothing},
    {Item::StrList, 1, When::Always, Keep::Nothing},  // a flag decal per slot
    {Item::ByteList, 1, When::Always, Keep::Nothing},
    {Item::Int, 1, When::Always, Keep::Nothing},
    {Item::Str, 1, When::Always, Keep::Nothing},
    {Item::Int, 1, When::Always, Keep::Nothing},
    {Item::Byte, 1, When::VersionAbove6, Keep::Nothing},
    {Item::Int, 1, When::Always, Keep::Nothing},  // the current turn
    {Item::Int, 1, When::Always, Keep::GameType},
    {Item::Byte, 5, When::Always, Keep::Nothing},
    {Item::IntList, 1, When::Always, Keep::Nothing},
    {Item::IntList, 1, When::FinalPatchSlotList, Keep::Nothing},
    {Item::Short, 1, When::Always, Keep::Nothing},
    {Item::Byte, 1, When::VersionBelow7, Keep::Nothing},
    {Item::IntList, 1, When::NoSlotKeys, Keep::LeaderTypes},
    {Item::StrList, 1, When::Always, Keep::Nothing},
    {Item::Str, 1, When::Always, Keep::Nothing},
    {Item::Str, 1, When::Always, Keep::UserName},
    {Item::Byte, 7, When::Always, Keep::Nothing},
    {Item::Str, 1, When::Always, Keep::Nothing},
    {Item::Int, 3, When::Always, Keep::Nothing},
    {Item::IntList, 1, When::NoSlotKeys, Keep::MinorCivTypes},
    {Item::StrList, 1, When::SlotKeys, Keep::MinorCivKeys},
    {Item::ByteList, 1, When::Always, Keep::IsMinor},
};

bool Holds(When when, const SaveImage& save, const GameState& state, int32_t pos) {
  switch (when) {
    case When::Always:
      return true;
    case When::VersionAbove6:
      return state.SaveVersion > 6;
    case When::VersionAbove7:
      return state.SaveVersion > 7;
    case When::VersionBelow7:
      return state.SaveVersion < 7;
    case When::SlotKeys:
      return state.SlotKeysPresent != 0;
    case When::NoSlotKeys:
      return state.SlotKeysPresent == 0;
    case When::FinalPatchSlotList:
      return PeekInt(save, pos) == kFinalPatchListLength;
  }
  return false;
}

std::array<int32_t, kMaxSlots>* IntTarget(GameState& state, Keep keep) {
  switch (keep) {
    case Keep::CivTypes:
      return &state.SlotCivType;
    case Keep::Statuses:
      return &state.SlotStatus;
    case Keep::LeaderTypes:
      return &state.SlotLeaderType;
    case Keep::MinorCivTypes:
      return &state.SlotMinorCivType;
    case Keep::IsMinor:
      return &state.SlotIsMinor;
    case Keep::Teams:
      return &state.SlotTeam;
    default:
      return nullptr;
  }
}

int32_t* ValueTarget(GameState& state, Keep keep) {
  switch (keep) {
    case Keep::ActivePlayer:
      return &state.ActivePlayer;
    case Keep::GameType:
      return &state.SlotGameType;
    default:
      return nullptr;
  }
}

std::array<std::string, kMaxSlots>* TextTarget(GameState& state, Keep keep) {
  switch (keep) {
    case Keep::CivKeys:
      return &state.SlotCivKeys;
    case Keep::LeaderKeys:
      return &state.SlotLeaderKeys;
    case Keep::MinorCivKeys:
      return &state.SlotMinorCivKeys;
    default:
      return nullptr;
  }
}

void ReadTexts(const SaveImage& save, int32_t& pos, int32_t count,
               std::array<std::string, kMaxSlots>* target) {
  if (target) {
    ReadStrItems(save, pos, count, *target);
  } else {
    SkipStrs(save, pos, count);
  }
}

void ReadNamedValues(const SaveImage& save, int32_t& pos) {
  // Each item is at least two text lengths and an int32.
  const int32_t count = ReadInt(save, pos);
  const int32_t n = BoundedCount(save, pos, count, 2 * kMinStrBytes + kMinIntBytes);
  for (int32_t i = 0; i < n; ++i) {
    ReadStr(save, pos);
    ReadInt(save, pos);
    ReadStr(save, pos);
  }
}

void ReadItem(const SaveImage& save, GameState& state, int32_t& pos, const SlotRow& row) {
  switch (row.item) {
    case Item::Int: {
      const int32_t value = ReadInt(save, pos);
      if (int32_t* target = ValueTarget(state, row.keep)) *target = value;
      break;
    }
    case Item::Short:
      ReadShort(save, pos);
      break;
    case Item::Byte:
      ReadChar(save, pos);
      break;
    case Item::Str: {
      std::string text = ReadStr(save, pos);
      if (row.keep == Keep::UserName) state.UserName = Utf8OrCp1251(text);
      break;
    }
    case Item::IntList:
      if (auto* target = IntTarget(state, row.keep)) {
        ReadIntList(save, pos, *target);
      } else {
        SkipIntList(save, pos);
      }
      break;
    case Item::ByteList:
      if (auto* target = IntTarget(state, row.keep)) {
        ReadByteList(save, pos, *target);
      } else {
        SkipByteList(save, pos);
      }
      break;
    case Item::StrList: {
      const int32_t count = ReadInt(save, pos);
      ReadTexts(save, pos, count, TextTarget(state, row.keep));
      break;
    }
    case Item::NamedValueList:
      ReadNamedValues(save, pos);
      break;
    case Item::SlotKeyCount: {
      const int32_t count = ReadInt(save, pos);
      state.SlotKeysPresent = count >= kSlotKeyThreshold ? kTrue : kFalse;
      if (state.SlotKeysPresent) ReadTexts(save, pos, count, TextTarget(state, row.keep));
      break;
    }
  }
}

}  // namespace

void ReadSlotLists(const SaveImage& save, GameState& state, int32_t& pos) {
  for (const SlotRow& row : kSlotSection) {
    if (!Holds(row.when, save, state, pos)) continue;
    for (int32_t i = 0; i < row.repeat; ++i) ReadItem(save, state, pos, row);
  }
}

}  // namespace vek5
