#include "views/series_tree.h"

#include "views/series_words.h"

namespace vek5 {
namespace {

// Columns of the table of saves (SeriesTableRow) that the tree shows too.
constexpr size_t kTableDate = 3;
constexpr size_t kTableSessions = 12;
constexpr size_t kTableBody = 17;
constexpr size_t kTableVerdict = 18;

enum TreeColumn { kFile, kTurn, kVerdict, kLoads, kDate, kSessions, kBody, kPlayers, kColumns };
static_assert(kVerdict == kSeriesTreeVerdictColumn && kBody == kSeriesTreeBodyColumn);

// The humans' scores at a save, and who leads when it is not a human.
std::string ScoresText(const SaveSummary& s) {
  std::string text;
  bool leader_is_human = false;
  for (const PlayerScore& score : s.HumanScores) {
    if (!text.empty()) text += ", ";
    text += score.Player + " " + std::to_string(score.Score);
    leader_is_human = leader_is_human || score.Player == s.ScoreLeader.Player;
  }
  if (!leader_is_human && !s.ScoreLeader.Player.empty()) {
    text += (text.empty() ? "first: " : "; first: ") + s.ScoreLeader.Player + " " +
            std::to_string(s.ScoreLeader.Score);
  }
  return text;
}

// The verdict column of a save: its verdict against the save before it, or that it is the first.
SeriesCell SaveVerdictCell(const SeriesResult& result, size_t save,
                           const std::vector<SeriesCell>& table) {
  if (!result.Saves[save].Loaded()) return table[kTableVerdict];
  const Verdict* verdict = VerdictOfSave(result.Games, save);
  if (!verdict) {
    return {IsFirstOfGame(result, save) ? "first save of the game" : std::string(), std::nullopt};
  }
  std::string text(VerdictName(verdict->Kind));
  const std::optional<int32_t> turn = verdict->Turn();
  if (turn) text += " at turn " + std::to_string(*turn);
  return {text, std::nullopt};
}

SeriesTreeRow GameRow(const SeriesResult& result, const Game& game) {
  const SaveSummary& last = result.Saves[game.Saves.back()].Summary;
  SeriesTreeRow row;
  row.Cells.resize(kColumns);
  row.Cells[kFile] = {"Game " + std::to_string(game.Id) + " (" + std::to_string(game.Saves.size()) +
                          (game.Saves.size() == 1 ? " save)" : " saves)"),
                      game.Id};
  row.Cells[kTurn] = {TurnsCovered(result, game), last.CurrentTurn};
  row.Cells[kVerdict] = {GameVerdictText(result, game), std::nullopt};
  const std::optional<int32_t> loads = GameLoads(game);
  row.Cells[kLoads] = {LoadsText(loads), loads};
  row.Cells[kSessions] = {std::to_string(last.SessionCounter), last.SessionCounter};
  row.Cells[kPlayers] = {PlayersText(last), std::nullopt};
  for (const Verdict& verdict : game.Verdicts) {
    row.Warning = row.Warning || verdict.Kind != VerdictKind::kContinuous;
  }
  row.Details = "Game " + std::to_string(game.Id) + ": " + GameVerdictText(result, game) + ".\n\n" +
                GameExplanation(result, game) + "\n\nIt is a " + last.RuleSet + " game (version " +
                last.GameVersion + ") at " + last.GameSpeedName + " speed on a " +
                last.WorldSizeName + " world, " + last.HandicapName + " difficulty, turn limit " +
                std::to_string(last.MaxTurns) + ". Players: " + PlayersText(last) + "; " +
                std::to_string(last.CityStates) + " city-states.\n\nIts saves here cover " +
                TurnsCovered(result, game) + "; choose one to see its verdict in full.";
  for (const size_t save : game.Saves) row.Saves.push_back(SeriesTreeSaveRow(result, save));
  return row;
}

}  // namespace

std::vector<std::string> SeriesTreeHeaders() {
  return {"File", "Turn", "Verdict", "Loads", "Date", "Sessions", "Body", "Players and scores"};
}

SeriesTreeRow SeriesTreeSaveRow(const SeriesResult& result, size_t save) {
  const SaveRecord& record = result.Saves[save];
  const std::vector<SeriesCell> table = SeriesTableRow(result, save);
  SeriesTreeRow row;
  row.Save = save;
  row.Cells.resize(kColumns);
  row.Cells[kFile] = {BaseName(record.Path), std::nullopt};
  row.Cells[kVerdict] = SaveVerdictCell(result, save, table);
  row.Warning = VerdictIsWarning(result, save);
  row.CutShort = record.Loaded() && !record.Summary.BodyComplete;
  row.Details = SaveDetailsText(result, save);
  if (!record.Loaded()) return row;
  const SaveSummary& s = record.Summary;
  row.Cells[kTurn] = {std::to_string(s.CurrentTurn), s.CurrentTurn};
  const Verdict* verdict = VerdictOfSave(result.Games, save);
  if (verdict) row.Cells[kLoads] = {LoadsText(verdict->LoadsBetween), verdict->LoadsBetween};
  row.Cells[kDate] = table[kTableDate];
  row.Cells[kSessions] = table[kTableSessions];
  row.Cells[kBody] = table[kTableBody];
  row.Cells[kPlayers] = {ScoresText(s), std::nullopt};
  return row;
}

std::vector<SeriesTreeRow> SeriesTreeRows(const SeriesResult& result) {
  std::vector<SeriesTreeRow> rows;
  for (const Game& game : result.Games) rows.push_back(GameRow(result, game));
  for (size_t i = 0; i < result.Saves.size(); ++i) {
    if (!result.Saves[i].Loaded()) rows.push_back(SeriesTreeSaveRow(result, i));
  }
  return rows;
}

}  // namespace vek5
