#include "views/series_words.h"

#include <algorithm>

#include "model/format.h"

namespace vek5 {
namespace {

constexpr double kBytesPerMegabyte = 1e6;

std::string FileOf(const SeriesResult& result, size_t save) {
  return BaseName(result.Saves[save].Path);
}

std::string Plural(int64_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string Quoted(const std::optional<TReplayMsgRec>& message) {
  if (!message) return "nothing (its replay ends there)";
  return "\"" + message->Text + "\" (turn " + std::to_string(message->Turn) + ")";
}

// "the history of turns 0 to 48", or what stands in for it when the saves share no finished turn.
std::string HistoryCompared(const SavePast& earlier, const SavePast& later) {
  const int32_t first = std::max(earlier.FirstTurn, later.FirstTurn);
  const int32_t last =
      std::min(earlier.FirstTurn + earlier.Turns, later.FirstTurn + later.Turns) - 1;
  if (last < first) return "no finished turn's history (neither save holds one the other holds)";
  if (last == first) return "the history of turn " + std::to_string(first);
  return "the history of turns " + std::to_string(first) + " to " + std::to_string(last);
}

// What the session counts say between two saves whose pasts agree.
std::string LoadsSentence(const Verdict& verdict, const SaveSummary& later) {
  const std::string from_to = "from " + std::to_string(verdict.EarlierSessions) + " to " +
                              std::to_string(verdict.LaterSessions);
  if (verdict.LoadsBetween && *verdict.LoadsBetween == 0) {
    return " The game was not loaded between the two saves (its session count stays at " +
           std::to_string(verdict.LaterSessions) + ").";
  }
  if (verdict.LoadsBetween) {
    return " The game was loaded " + Plural(*verdict.LoadsBetween, "time", "times") +
           " between the two saves (its session count went " + from_to +
           "); the saves cannot tell whether a load went on playing or played a turn again.";
  }
  if (later.Humans > 1) {
    return " With " + std::to_string(later.Humans) +
           " humans the game is loaded once for every human turn, so the session count's rise " +
           from_to + " is not a count of reloads.";
  }
  return {};
}

// What the history comparison of two saves that agree found.
std::string HistoryAgrees(const SavePast& earlier, const SavePast& later) {
  if (std::min(earlier.Turns, later.Turns) <= 0) return "one of them holds no history to compare";
  return HistoryCompared(earlier, later) + " is the same in both";
}

std::string ContinuousExplanation(const Verdict& verdict, const SaveRecord& earlier,
                                  const SaveRecord& later, const std::string& a,
                                  const std::string& b) {
  const SaveSummary& s = later.Summary;
  const std::string messages =
      Plural(static_cast<int64_t>(earlier.Past.Replay.size()), "replay message", "replay messages");
  if (earlier.Summary.CurrentTurn == s.CurrentTurn) {
    const std::string turn = std::to_string(s.CurrentTurn);
    std::string text = "Both saves are of turn " + turn +
                       ". The program compared what they hold: " + a + " holds the beginning of " +
                       b + " (its " + messages + " begin the other's, and " +
                       HistoryAgrees(earlier.Past, later.Past) + ").";
    if (verdict.LaterSessions == verdict.EarlierSessions) {
      return text + " The game was saved twice at turn " + turn +
             " without being loaded in between (its session count stays at " +
             std::to_string(verdict.LaterSessions) + ").";
    }
    return text + " " + b + " was saved after the game was loaded again at turn " + turn +
           ": play went on from the same point, and nothing of the past was changed." +
           LoadsSentence(verdict, s);
  }
  return b + " (turn " + std::to_string(s.CurrentTurn) + ") goes on from " + a + " (turn " +
         std::to_string(earlier.Summary.CurrentTurn) + "). The program compared " +
         HistoryCompared(earlier.Past, later.Past) + " and the " + messages + " of " + a + ": " +
         b + " repeats them unchanged, so nothing in the two saves shows a turn played twice." +
         LoadsSentence(verdict, s);
}

// What was found to differ, as a sentence.
std::string DifferenceFound(const Verdict& verdict, const std::string& a, const std::string& b) {
  if (verdict.History) {
    const HistoryDifference& h = *verdict.History;
    return "At turn " + std::to_string(h.Turn) + ", " + h.Series + " of " + h.Player + " is " +
           std::to_string(h.EarlierValue) + " in " + a + " but " + std::to_string(h.LaterValue) +
           " in " + b + ".";
  }
  if (verdict.Replay) {
    const ReplayDifference& r = *verdict.Replay;
    return "Replay message " + std::to_string(r.Index + 1) + " is " + Quoted(r.Earlier) + " in " +
           a + " but " + Quoted(r.Later) + " in " + b + ".";
  }
  return {};
}

std::string AtTurn(const Verdict& verdict) {
  const std::optional<int32_t> turn = verdict.Turn();
  return turn ? " at turn " + std::to_string(*turn) + " or earlier" : std::string();
}

}  // namespace

std::string VerdictExplanation(const SeriesResult& result, const Game& game, size_t i) {
  const Verdict& verdict = game.Verdicts[i];
  const SaveRecord& earlier = result.Saves[game.Saves[i]];
  const SaveRecord& later = result.Saves[game.Saves[i + 1]];
  const std::string a = FileOf(result, game.Saves[i]);
  const std::string b = FileOf(result, game.Saves[i + 1]);
  const std::string found = DifferenceFound(verdict, a, b);
  switch (verdict.Kind) {
    case VerdictKind::kContinuous:
      return ContinuousExplanation(verdict, earlier, later, a, b);
    case VerdictKind::kDiverged:
      return "The program compared " + HistoryCompared(earlier.Past, later.Past) +
             " (every player's statistics, turn by turn). " + found +
             " A later save of one game keeps its past unchanged, so " + b +
             " was not played on from " + a + ": the game was taken back" + AtTurn(verdict) +
             " (a reload) and played differently from there.";
    case VerdictKind::kReplayDiffers:
      return "The history of the two saves agrees, but their replays (the game's list of "
             "events) do not. " +
             found + " A later save repeats every earlier event, so " + b +
             " was not played on from " + a + ": the game was taken back" + AtTurn(verdict) +
             " (a reload) and played differently from there.";
    case VerdictKind::kSameTurnOtherContent:
      return "Both saves are of turn " + std::to_string(later.Summary.CurrentTurn) +
             ", and neither holds the beginning of the other. " + found +
             " Two different versions of this turn exist: the game was taken back" +
             AtTurn(verdict) + " (a reload) and played differently.";
    case VerdictKind::kSessionsWentBack:
      return "The history and the replay of " + a + " are repeated unchanged in " + b + ", but " +
             b + " counts fewer sessions (" + std::to_string(verdict.LaterSessions) + ") than " +
             a + " (" + std::to_string(verdict.EarlierSessions) +
             "). The count only grows while a game is played on, so " + b +
             " comes from a save older than " + a +
             ": the game was reloaded, though nothing the history or the replay records changed.";
  }
  return {};
}

std::string LoadsText(const std::optional<int32_t>& loads) {
  if (!loads) return {};
  return Plural(*loads, "load", "loads");
}

std::optional<int32_t> GameLoads(const Game& game) {
  if (game.Verdicts.empty()) return std::nullopt;
  int32_t loads = 0;
  for (const Verdict& verdict : game.Verdicts) {
    if (!verdict.LoadsBetween) return std::nullopt;
    loads += *verdict.LoadsBetween;
  }
  return loads;
}

std::string GameVerdictText(const SeriesResult& result, const Game& game) {
  const auto broken = [](const Verdict& v) { return v.Kind != VerdictKind::kContinuous; };
  const auto first = std::find_if(game.Verdicts.begin(), game.Verdicts.end(), broken);
  if (first == game.Verdicts.end()) return game.Saves.size() == 1 ? "one save" : "one story";
  const size_t i = static_cast<size_t>(first - game.Verdicts.begin());
  std::string text = std::string(VerdictName(first->Kind));
  const std::optional<int32_t> turn = first->Turn();
  if (turn) text += " at turn " + std::to_string(*turn);
  text += " in " + FileOf(result, game.Saves[i + 1]);
  const auto more = std::count_if(first + 1, game.Verdicts.end(), broken);
  if (more > 0) text += " (+" + std::to_string(more) + " more)";
  return text;
}

std::string GameExplanation(const SeriesResult& result, const Game& game) {
  const size_t saves = game.Saves.size();
  if (saves == 1) {
    return "This game has one save here, " + FileOf(result, game.Saves[0]) +
           "; there is nothing to compare it with.";
  }
  const auto broken = [](const Verdict& v) { return v.Kind != VerdictKind::kContinuous; };
  const auto breaks = std::count_if(game.Verdicts.begin(), game.Verdicts.end(), broken);
  std::string text;
  if (breaks == 0) {
    text = "The " + std::to_string(saves) +
           " saves of this game tell one story: each save goes on from the one before it, "
           "repeating its history and its replay unchanged.";
  } else {
    const auto first = std::find_if(game.Verdicts.begin(), game.Verdicts.end(), broken);
    const size_t i = static_cast<size_t>(first - game.Verdicts.begin());
    text = "The story of this game breaks " + Plural(breaks, "time", "times") + " in its " +
           std::to_string(saves) + " saves. First, " + FileOf(result, game.Saves[i + 1]) +
           " against " + FileOf(result, game.Saves[i]) + ": " + VerdictExplanation(result, game, i);
  }
  const std::optional<int32_t> loads = GameLoads(game);
  if (loads && *loads == 0) {
    text += " From the first save to the last the game was not loaded.";
  } else if (loads) {
    text += " From the first save to the last the game was loaded " +
            Plural(*loads, "time", "times") + ".";
  }
  return text;
}

std::string TurnsCovered(const SeriesResult& result, const Game& game) {
  if (game.Saves.empty()) return {};
  const int32_t first = result.Saves[game.Saves.front()].Summary.CurrentTurn;
  const int32_t last = result.Saves[game.Saves.back()].Summary.CurrentTurn;
  if (first == last) return "turn " + std::to_string(first);
  return "turns " + std::to_string(first) + " to " + std::to_string(last);
}

std::string PlayersText(const SaveSummary& summary) {
  std::string text;
  std::vector<std::string> humans = summary.HumanLeaders;
  for (const std::string& player : summary.Players) {
    if (!text.empty()) text += ", ";
    text += player;
    const auto human = std::find(humans.begin(), humans.end(), player);
    if (human != humans.end()) {
      text += " (human)";
      humans.erase(human);
    }
  }
  return text;
}

std::string CutSaveSentence(const SaveSummary& summary) {
  if (summary.BodyComplete) return {};
  std::string text = Format(
      "The file ends early: its body stops after %.1f MB, and everything after that is missing.",
      summary.BodyLength / kBytesPerMegabyte);
  if (!summary.CutShort.empty()) {
    text += " Not read because of it:";
    for (size_t i = 0; i < summary.CutShort.size(); ++i) {
      text += (i > 0 ? "; " : " ") + summary.CutShort[i];
    }
    text += ".";
  }
  return text + " Verdicts on this save compare only what was read.";
}

bool IsFirstOfGame(const SeriesResult& result, size_t save) {
  return std::any_of(result.Games.begin(), result.Games.end(),
                     [&](const Game& game) { return game.Saves.front() == save; });
}

}  // namespace vek5
