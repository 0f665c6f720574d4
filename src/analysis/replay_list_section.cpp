// The replay message list, found by a pattern a little into the body, and the session starts
// among its messages: the session list of the Reloads tab and the count of reloads at the start
// turn. The int32 after the list is the game's session counter.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdlib>

#include "analysis/list_reading.h"
#include "analysis/sections.h"
#include "container/key_text.h"
#include "container/text_encoding.h"
#include "model/calendar.h"
#include "model/format.h"

namespace vek5 {
namespace {

// The list is preceded by the int32 values -1, 0, 1 and a fourth of magnitude above 9,999.
constexpr char kListPattern[] = {'\xFF', '\xFF', '\xFF', '\xFF', 0, 0, 0, 0, 1, 0, 0, 0};
constexpr int32_t kPatternFourthOffset = 12;
constexpr int64_t kPatternFourthLimit = 9999;
constexpr int32_t kScanStartOffset = 500;  // from the start of the body

// Where the list starts relative to the pattern, and how a message is laid out, by save version.
struct ReplayLayout {
  int32_t MinVersion;
  int32_t ListOffset;
  bool TurnFirst;   // int32 turn, int32, int32 k, k int32, int32, text
                    // else: int32, int32 turn, 4 int32, text, int32
  bool CutsMacros;  // texts carry markup groups to be replaced
  int32_t MinMessageBytes;
};

constexpr ReplayLayout kReplayLayouts[] = {
    {7, 46, true, true, 5 * 4},
    {0, 42, false, false, 8 * 4},
};

const ReplayLayout& LayoutOf(int32_t save_version) {
  for (const ReplayLayout& layout : kReplayLayouts) {
    if (save_version >= layout.MinVersion) return layout;
  }
  return kReplayLayouts[std::size(kReplayLayouts) - 1];
}

constexpr std::string_view kSessionWord = "Session";
constexpr std::string_view kSessionWordRu = "сессия";

// The first offset q >= start where the pattern lies and the int32 at q + 12 exceeds 9,999 in
// magnitude; 0 when there is none. Candidates are found by a substring search; a candidate
// whose fourth value is too small is passed over and the search continues behind it.
int32_t FindListPattern(const SaveImage& save, int32_t start) {
  const std::string_view pattern(kListPattern, sizeof kListPattern);
  for (int32_t q = FindStr(save, pattern, start); q > 0; q = FindStr(save, pattern, q + 1)) {
    const int64_t fourth = PeekInt(save, int64_t{q} + kPatternFourthOffset);
    if (std::llabs(fourth) > kPatternFourthLimit) return q;
  }
  return 0;
}

TReplayMsgRec ReadMessage(const SaveImage& save, int32_t& pos, const ReplayLayout& layout) {
  TReplayMsgRec message;
  std::string raw;
  if (layout.TurnFirst) {
    message.Turn = ReadInt(save, pos);
    ReadInt(save, pos);
    const int32_t k = ReadInt(save, pos);
    SkipInts(save, pos, k);
    ReadInt(save, pos);
    raw = ReadUStr(save, pos);
  } else {
    ReadInt(save, pos);
    message.Turn = ReadInt(save, pos);
    SkipInts(save, pos, 4);
    raw = ReadUStr(save, pos);
    ReadInt(save, pos);
  }
  message.Text = Utf8OrEmpty(raw);
  if (layout.CutsMacros) message.Text = CutMacros(message.Text);
  return message;
}

bool StartsSession(const std::string& text) {
  return text.find(kSessionWord) != std::string::npos ||
         text.find(kSessionWordRu) != std::string::npos;
}

// The number in a session start's text ("Session 2 starts"); 0 when it holds none.
int32_t NumberInText(std::string_view text) {
  constexpr size_t kMaxDigits = 9;  // fits an int32
  const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  const auto first = std::find_if(text.begin(), text.end(), digit);
  const auto last = std::find_if_not(first, text.end(), digit);
  if (first == last || static_cast<size_t>(last - first) > kMaxDigits) return 0;
  int32_t number = 0;
  std::from_chars(&*first, &*first + (last - first), number);
  return number;
}

// Sessions whose message names no number are counted back from the session counter: the last
// message starts the session the counter counts last.
void NumberUnnamedSessions(GameState& state) {
  const int64_t count = static_cast<int64_t>(state.SessionNumbers.size());
  for (int64_t i = 0; i < count; ++i) {
    int32_t& number = state.SessionNumbers[static_cast<size_t>(i)];
    if (number > 0) continue;
    const int64_t counted_back = int64_t{state.SessionCounter} - (count - 1 - i);
    number =
        static_cast<int32_t>(counted_back >= 1 && counted_back <= INT32_MAX ? counted_back : i + 1);
  }
}

void AddSession(GameState& state, int32_t turn, std::string_view text) {
  std::string month;
  const int32_t year = Turn2Date(state.TurnsPlayed, state.SpeedIndex, turn, month);
  const int32_t number = static_cast<int32_t>(state.SessionTurns.size()) + 1;
  state.SessionTurns.push_back(turn);
  state.SessionNumbers.push_back(NumberInText(text));
  state.SessionListLines.push_back(Format("%3d%5d%6d %s | ", number, turn, year, month));
  if (turn == state.StartTurn) ++state.ReloadsAtStartTurn;
}

}  // namespace

void ReadReplayList(const SaveImage& save, GameState& state, int32_t& pos) {
  state.ReloadsAtStartTurn = 0;
  const ReplayLayout& layout = LayoutOf(state.SaveVersion);
  const int32_t found =
      FindListPattern(save, static_cast<int32_t>(std::min<int64_t>(
                                int64_t{save.BodyOffset} + kScanStartOffset, save.DataLength)));
  // Without the pattern there is no list to read; the sections that follow search the body.
  if (found == 0) {
    pos = save.BodyOffset;
    return;
  }
  pos = found + layout.ListOffset;
  const int32_t count = std::min(ReadInt(save, pos), kMaxReplayMessages);
  const int32_t n = BoundedCount(save, pos, count, layout.MinMessageBytes);
  state.ReplayMessages.reserve(n);
  for (int32_t i = 0; i < n && pos < save.DataLength; ++i) {
    state.ReplayMessages.push_back(ReadMessage(save, pos, layout));
    const TReplayMsgRec& message = state.ReplayMessages.back();
    if (StartsSession(message.Text)) AddSession(state, message.Turn, message.Text);
  }
  state.ReplayMessageCount = static_cast<int32_t>(state.ReplayMessages.size());
  state.SessionCounter = ReadInt(save, pos);
  NumberUnnamedSessions(state);
}

}  // namespace vek5
