#include "views/player_log_view.h"

#include "model/calendar.h"
#include "views/replay_view.h"

namespace vek5 {
namespace {

constexpr int32_t kHumanStatus = 3;
constexpr char kNoComputerLog[] = "The game keeps no log for computer players.";

}  // namespace

TabContent DrawPlayerLog(const GameState& state, ViewState& view, int32_t entry) {
  TabContent tab;
  LinesContent& log = tab.List("PlayerLog");
  if (entry < 0) entry = 0;
  if (entry >= state.PlayerCount || entry >= static_cast<int32_t>(state.PlayerLogs.size())) {
    return tab;
  }
  const TNotificationLog& ring = state.PlayerLogs[static_cast<size_t>(entry)];
  // Messages from First up to, not including, Stop in ring order; all of them when the two are
  // equal. A First that is no ring index starts the walk at 0; any Stop ends it after one round.
  int32_t i = ring.First >= 0 && ring.First < kLogRingSize ? ring.First : 0;
  for (int step = 0; step < kLogRingSize; ++step) {
    const TMessageRec& message = ring.Messages[static_cast<size_t>(i)];
    if (!message.Text.empty()) {
      log.Lines.push_back(
          {EventLineText(view, state.SpeedIndex, message.Turn, message.Text, kYearZeroNarrow),
           kBlack});
    }
    i = (i + 1) % kLogRingSize;
    if (i == ring.Stop) break;
  }
  // Said, so that an empty box is not taken for a reading fault.
  if (log.Lines.empty() && state.Leaders[static_cast<size_t>(entry)].SlotStatus != kHumanStatus) {
    log.Lines.push_back({kNoComputerLog, kBlack});
  }
  return tab;
}

}  // namespace vek5
