#include "series/continuity.h"

#include <algorithm>

namespace vek5 {
namespace {

int32_t ValueOrZero(const SavePast& past, int32_t set, int32_t series, int32_t turn) {
  if (set >= past.Sets || series >= past.Series) return 0;
  return past.Value(set, series, turn);
}

std::string NameOr(const std::vector<std::string>& names, int32_t index) {
  return static_cast<size_t>(index) < names.size() ? names[static_cast<size_t>(index)]
                                                   : std::to_string(index + 1);
}

bool SameMessage(const TReplayMsgRec& a, const TReplayMsgRec& b) {
  return a.Turn == b.Turn && a.Text == b.Text;
}

}  // namespace

std::string_view VerdictName(VerdictKind kind) {
  switch (kind) {
    case VerdictKind::kContinuous:
      return "continuous";
    case VerdictKind::kDiverged:
      return "diverged";
    case VerdictKind::kReplayDiffers:
      return "replay differs";
    case VerdictKind::kSameTurnOtherContent:
      return "same turn, other content";
    case VerdictKind::kSessionsWentBack:
      return "sessions went back";
  }
  return "";
}

std::optional<int32_t> Verdict::Turn() const {
  if (History) return History->Turn;
  if (Replay) {
    if (Replay->Earlier && Replay->Later)
      return std::min(Replay->Earlier->Turn, Replay->Later->Turn);
    if (Replay->Earlier) return Replay->Earlier->Turn;
    if (Replay->Later) return Replay->Later->Turn;
  }
  return std::nullopt;
}

std::optional<HistoryDifference> FirstHistoryDifference(const SavePast& earlier,
                                                        const SavePast& later) {
  const int32_t first = std::max(earlier.FirstTurn, later.FirstTurn);
  const int32_t end = std::min(earlier.FirstTurn + earlier.Turns, later.FirstTurn + later.Turns);
  const int32_t sets = std::max(earlier.Sets, later.Sets);
  const int32_t series = std::max(earlier.Series, later.Series);
  for (int32_t t = first; t < end; ++t) {
    for (int32_t d = 0; d < sets; ++d) {
      for (int32_t s = 0; s < series; ++s) {
        const int32_t a = ValueOrZero(earlier, d, s, t);
        const int32_t b = ValueOrZero(later, d, s, t);
        if (a == b) continue;
        const SavePast& named = s < later.Series ? later : earlier;
        const SavePast& owner = d < later.Sets ? later : earlier;
        return HistoryDifference{t, NameOr(named.SeriesNames, s), NameOr(owner.SetNames, d), a, b};
      }
    }
  }
  return std::nullopt;
}

std::optional<ReplayDifference> FirstReplayDifference(const SavePast& earlier,
                                                      const SavePast& later) {
  for (size_t i = 0; i < earlier.Replay.size(); ++i) {
    if (i < later.Replay.size() && SameMessage(earlier.Replay[i], later.Replay[i])) continue;
    ReplayDifference difference;
    difference.Index = i;
    difference.Earlier = earlier.Replay[i];
    if (i < later.Replay.size()) difference.Later = later.Replay[i];
    return difference;
  }
  return std::nullopt;
}

bool BeginsWith(const SaveRecord& earlier, const SaveRecord& later) {
  return earlier.Summary.SessionCounter <= later.Summary.SessionCounter &&
         !FirstReplayDifference(earlier.Past, later.Past);
}

Verdict CompareSaves(const SaveRecord& earlier, const SaveRecord& later) {
  Verdict verdict;
  verdict.EarlierSessions = earlier.Summary.SessionCounter;
  verdict.LaterSessions = later.Summary.SessionCounter;
  verdict.History = FirstHistoryDifference(earlier.Past, later.Past);
  if (!verdict.History) verdict.Replay = FirstReplayDifference(earlier.Past, later.Past);
  const bool same_turn = earlier.Summary.CurrentTurn == later.Summary.CurrentTurn;
  if (verdict.History || verdict.Replay) {
    if (same_turn) {
      verdict.Kind = VerdictKind::kSameTurnOtherContent;
    } else {
      verdict.Kind = verdict.History ? VerdictKind::kDiverged : VerdictKind::kReplayDiffers;
    }
  } else if (verdict.LaterSessions < verdict.EarlierSessions) {
    verdict.Kind = VerdictKind::kSessionsWentBack;
  }
  const bool one_human = earlier.Summary.Humans == 1 && later.Summary.Humans == 1;
  if (one_human && verdict.LaterSessions >= verdict.EarlierSessions) {
    verdict.LoadsBetween = verdict.LaterSessions - verdict.EarlierSessions;
  }
  return verdict;
}

}  // namespace vek5
