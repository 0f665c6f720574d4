#include "views/replay_view.h"

#include <algorithm>
#include <cctype>

#include "model/calendar.h"
#include "model/format.h"

namespace vek5 {
namespace {

// Case-sensitive: "session" alone is not a session start, the French text is.
constexpr std::string_view kSessionMarkers[] = {
    "Session", "\xD1\x81\xD0\xB5\xD1\x81\xD1\x81\xD0\xB8\xD1\x8F", "Lancement de la session"};

constexpr char kIconMark = '@';

bool ClosesOrSeparates(char c) {
  switch (c) {
    case ',':
    case '.':
    case ';':
    case ':':
    case '!':
    case '?':
    case ')':
      return true;
    default:
      return false;
  }
}

bool IsPlainText(char c) {
  return c != kIconMark && c != ' ' && !ClosesOrSeparates(c);
}

bool IsWordCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::string TextWithoutIcons(std::string_view text) {
  // An icon stood between words, so it becomes a blank; blanks then collapse, and a blank or a
  // comma left before a separator or a closing bracket goes. Several marks between two words
  // stood for a line break, which ends the sentence before it.
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (IsPlainText(c)) {
      // A run that none of the rules below touches is copied whole.
      size_t end = i + 1;
      while (end < text.size() && IsPlainText(text[end])) ++end;
      result.append(text.substr(i, end - i));
      i = end - 1;
      continue;
    }
    if (c == kIconMark) {
      size_t end = i;
      while (end < text.size() && text[end] == kIconMark) ++end;
      if (end - i > 1 && end < text.size() && !result.empty() && IsWordCharacter(result.back()) &&
          IsWordCharacter(text[end])) {
        result.push_back('.');
      }
      i = end - 1;
      c = ' ';
    }
    if (c == ' ' && (result.empty() || result.back() == ' ' || result.back() == '(')) continue;
    if (ClosesOrSeparates(c)) {
      while (!result.empty() && (result.back() == ' ' || (result.back() == ',' && c != '.'))) {
        result.pop_back();
      }
      if (c == ',' && (result.empty() || ClosesOrSeparates(result.back()))) continue;
    }
    result.push_back(c);
  }
  while (!result.empty() && result.back() == ' ') result.pop_back();
  return result;
}

std::string EventLineText(ViewState& view, int32_t speed_index, int32_t turn, std::string_view text,
                          std::string_view year_zero) {
  std::string month;
  const int32_t year = Turn2Date(view.TurnsPlayed, speed_index, turn, month);
  std::string line = RightAligned(turn, 4);
  line += YearText(year, year_zero);
  line += ' ';
  line += month;
  line += ' ';
  line += TextWithoutIcons(text);
  return line;
}

bool IsSessionText(std::string_view text) {
  return std::any_of(
      std::begin(kSessionMarkers), std::end(kSessionMarkers),
      [text](std::string_view marker) { return text.find(marker) != std::string_view::npos; });
}

TabContent BuildReplayContent(const GameState& state, ViewState& view) {
  TabContent content;
  LinesContent& list = content.List("ReplayList");
  const int32_t count = std::clamp<int32_t>(
      state.ReplayMessageCount, 0,
      static_cast<int32_t>(std::min<size_t>(state.ReplayMessages.size(), kMaxReplayMessages)));
  for (int32_t i = 0; i < count; ++i) {
    const TReplayMsgRec& message = state.ReplayMessages[i];
    if (message.Text.empty()) continue;
    list.Lines.push_back(
        {EventLineText(view, state.SpeedIndex, message.Turn, message.Text, kYearZeroWide),
         IsSessionText(message.Text) ? kPurple : kBlack});
  }
  return content;
}

}  // namespace vek5
