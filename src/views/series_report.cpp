#include "views/series_report.h"

#include <algorithm>
#include <ostream>

#include "model/calendar.h"
#include "views/base_view.h"
#include "views/json_writer.h"
#include "views/loads_json.h"
#include "views/loads_text.h"
#include "views/series_html.h"
#include "views/series_words.h"

namespace vek5 {
namespace {

constexpr char kColumnGap[] = "  ";

std::string Trimmed(std::string text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string DateText(const SaveSummary& s) {
  std::string date = Trimmed(YearText(s.CurrentYear, kYearZeroNarrow));
  if (!s.CurrentDateText.empty()) date += " " + s.CurrentDateText;
  return date;
}

std::string Joined(const std::vector<std::string>& items, std::string_view separator) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += separator;
    text += item;
  }
  return text;
}

std::string ScoreText(const PlayerScore& score) {
  return score.Player.empty() ? std::string() : score.Player + " " + std::to_string(score.Score);
}

std::vector<std::string> ScoreTexts(const std::vector<PlayerScore>& scores) {
  std::vector<std::string> texts;
  for (const PlayerScore& score : scores) texts.push_back(ScoreText(score));
  return texts;
}

std::string StatusText(const SaveSummary& s) {
  return GameStatusText(s.GameOver ? kTrue : kFalse, s.VictoryType);
}

std::string BodyText(const SaveSummary& s) {
  return s.BodyComplete ? "complete" : "cut short";
}

std::string MessageText(const std::optional<TReplayMsgRec>& message) {
  if (!message) return "no message";
  return "turn " + std::to_string(message->Turn) + " \"" + message->Text + "\"";
}

std::string GameText(int32_t game) {
  return game > 0 ? std::to_string(game) : "-";
}

const std::string& PathOf(const SeriesResult& result, size_t save) {
  return result.Saves[save].Path;
}

std::string FileOf(const SeriesResult& result, size_t save) {
  return BaseName(result.Saves[save].Path);
}

// The verdict of a save against the previous save of its game, in full; empty for a game's
// first save and for a failed file.
std::string VerdictOfSaveText(const SeriesResult& result, size_t save) {
  for (const Game& game : result.Games) {
    for (size_t i = 1; i < game.Saves.size(); ++i) {
      if (game.Saves[i] != save) continue;
      return VerdictText(game.Verdicts[i - 1], FileOf(result, game.Saves[i - 1]),
                         FileOf(result, save));
    }
  }
  return {};
}

// Display width of a UTF-8 text: its code points.
size_t TextWidth(std::string_view text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// Rows of cells as aligned columns, the last column unpadded.
std::string AlignedRows(const std::vector<std::vector<std::string>>& rows) {
  std::vector<size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()), 0);
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], TextWidth(row[c]));
  }
  std::string text;
  for (const auto& row : rows) {
    std::string line;
    for (size_t c = 0; c < row.size(); ++c) {
      if (c > 0) line += kColumnGap;
      line += row[c];
      if (c + 1 < row.size()) line.append(widths[c] - TextWidth(row[c]), ' ');
    }
    text += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
  }
  return text;
}

// The fields of a summary for CSV and details: (name, text).
std::vector<std::pair<std::string, std::string>> SummaryFields(const SaveRecord& record) {
  const SaveSummary& s = record.Summary;
  return {
      {"FileDate", s.FileDate},
      {"FileSize", std::to_string(s.FileSize)},
      {"RuleSet", s.RuleSet},
      {"SaveVersion", std::to_string(s.SaveVersion)},
      {"GameVersion", s.GameVersion},
      {"BuildNumber", std::to_string(s.BuildNumber)},
      {"StartTurn", std::to_string(s.StartTurn)},
      {"CurrentTurn", std::to_string(s.CurrentTurn)},
      {"MaxTurns", std::to_string(s.MaxTurns)},
      {"CurrentDate", DateText(s)},
      {"GameSpeedName", s.GameSpeedName},
      {"WorldSizeName", s.WorldSizeName},
      {"MapScriptName", s.MapScriptName},
      {"HandicapName", s.HandicapName},
      {"Majors", std::to_string(s.Majors)},
      {"Humans", std::to_string(s.Humans)},
      {"CityStates", std::to_string(s.CityStates)},
      {"HumanLeaders", Joined(s.HumanLeaders, "; ")},
      {"ScoreLeader", s.ScoreLeader.Player},
      {"ScoreLeaderScore", std::to_string(s.ScoreLeader.Score)},
      {"HumanScores", Joined(ScoreTexts(s.HumanScores), "; ")},
      {"Score", std::to_string(s.Score)},
      {"SessionCounter", std::to_string(s.SessionCounter)},
      {"ReloadsAtStartTurn", std::to_string(s.ReloadsAtStartTurn)},
      {"PlaySessions", std::to_string(s.PlaySessions)},
      {"ReplayMessageCount", std::to_string(s.ReplayMessageCount)},
      {"GameOver", s.GameOver ? "true" : "false"},
      {"GameStatus", StatusText(s)},
      {"BodyComplete", s.BodyComplete ? "true" : "false"},
  };
}

// The loads of a save: (name, text), after the other fields so that CSV columns keep their places.
std::vector<std::pair<std::string, std::string>> LoadFields(const SaveRecord& record) {
  const SaveSummary& s = record.Summary;
  return {
      {"GameType", std::to_string(s.GameType)},
      {"GameKind", GameKindText(s.GameType)},
      {"NeededLoads", NeededLoadsText(s.Loads)},
      {"ExtraLoads", s.Loads.ExtraLoads ? std::to_string(*s.Loads.ExtraLoads) : std::string()},
      {"LoadsCountable", s.Loads.Countable ? "true" : "false"},
      {"Loads", LoadsShortText(s.Loads)},
      {"LoadsPerTurn", SessionSummaryText(s.Loads)},
  };
}

void WriteVerdictJson(JsonWriter& w, const SeriesResult& result, const Game& game, size_t i) {
  const Verdict& v = game.Verdicts[i];
  w.BeginObject();
  w.Key("earlier").String(PathOf(result, game.Saves[i]));
  w.Key("later").String(PathOf(result, game.Saves[i + 1]));
  w.Key("kind").String(VerdictName(v.Kind));
  const std::optional<int32_t> turn = v.Turn();
  if (turn) {
    w.Key("turn").Int(*turn);
  } else {
    w.Key("turn").Null();
  }
  const auto text_or_null = [&](std::string_view key, const std::string* text) {
    if (text) {
      w.Key(key).String(*text);
    } else {
      w.Key(key).Null();
    }
  };
  text_or_null("series", v.History ? &v.History->Series : nullptr);
  text_or_null("player", v.History ? &v.History->Player : nullptr);
  if (v.History) {
    w.Key("earlierValue").Int(v.History->EarlierValue);
    w.Key("laterValue").Int(v.History->LaterValue);
  }
  if (v.Replay) {
    w.Key("message").Int(static_cast<int64_t>(v.Replay->Index));
    text_or_null("earlierMessage", v.Replay->Earlier ? &v.Replay->Earlier->Text : nullptr);
    text_or_null("laterMessage", v.Replay->Later ? &v.Replay->Later->Text : nullptr);
  }
  w.Key("earlierSessions").Int(v.EarlierSessions);
  w.Key("laterSessions").Int(v.LaterSessions);
  if (v.LoadsBetween) {
    w.Key("loadsBetween").Int(*v.LoadsBetween);
  } else {
    w.Key("loadsBetween").Null();
  }
  w.Key("text").String(
      VerdictText(v, FileOf(result, game.Saves[i]), FileOf(result, game.Saves[i + 1])));
  w.Key("explanation").String(VerdictExplanation(result, game, i));
  w.EndObject();
}

void WriteSaveJson(JsonWriter& w, const SeriesResult& result, size_t save, int32_t game) {
  const SaveRecord& record = result.Saves[save];
  const SaveSummary& s = record.Summary;
  w.BeginObject();
  w.Key("Path").String(record.Path);
  w.Key("FileName").String(BaseName(record.Path));
  if (!record.Loaded()) {
    w.Key("Error").String(record.Error);
    w.EndObject();
    return;
  }
  w.Key("Game").Int(game);
  const Verdict* verdict = VerdictOfSave(result.Games, save);
  if (verdict) {
    w.Key("Verdict").String(VerdictName(verdict->Kind));
  } else {
    w.Key("Verdict").Null();
  }
  w.Key("FileDate").String(s.FileDate);
  w.Key("FileSize").Int(s.FileSize);
  w.Key("Sha256").String(s.Sha256);
  w.Key("RuleSet").String(s.RuleSet);
  w.Key("SaveVersion").Int(s.SaveVersion);
  w.Key("GameVersion").String(s.GameVersion);
  w.Key("BuildNumber").Int(s.BuildNumber);
  w.Key("StartTurn").Int(s.StartTurn);
  w.Key("CurrentTurn").Int(s.CurrentTurn);
  w.Key("MaxTurns").Int(s.MaxTurns);
  w.Key("CurrentYear").Int(s.CurrentYear);
  w.Key("CurrentDateText").String(s.CurrentDateText);
  w.Key("GameSpeedName").String(s.GameSpeedName);
  w.Key("WorldSizeName").String(s.WorldSizeName);
  w.Key("MapScriptName").String(s.MapScriptName);
  w.Key("HandicapName").String(s.HandicapName);
  w.Key("Majors").Int(s.Majors);
  w.Key("Humans").Int(s.Humans);
  w.Key("CityStates").Int(s.CityStates);
  w.Key("HumanLeaders").BeginArray();
  for (const std::string& leader : s.HumanLeaders) w.String(leader);
  w.EndArray();
  const auto score = [&](const PlayerScore& p) {
    w.BeginObject();
    w.Key("Player").String(p.Player);
    w.Key("Score").Int(p.Score);
    w.EndObject();
  };
  w.Key("ScoreLeader");
  score(s.ScoreLeader);
  w.Key("HumanScores").BeginArray();
  for (const PlayerScore& p : s.HumanScores) score(p);
  w.EndArray();
  w.Key("Score").Int(s.Score);
  w.Key("SessionCounter").Int(s.SessionCounter);
  w.Key("ReloadsAtStartTurn").Int(s.ReloadsAtStartTurn);
  w.Key("PlaySessions").Int(s.PlaySessions);
  w.Key("ReplayMessageCount").Int(s.ReplayMessageCount);
  w.Key("GameOver").Bool(s.GameOver);
  w.Key("VictoryType").Int(s.VictoryType);
  w.Key("BodyComplete").Bool(s.BodyComplete);
  w.Key("BodyLength").Int(s.BodyLength);
  w.Key("GameType").Int(s.GameType);
  WriteLoadsJson(w, s.Loads);
  w.EndObject();
}

// The game column orders by game, then by the game's own order of its saves.
std::optional<int64_t> GameOrder(const SeriesResult& result, int32_t game, size_t save) {
  if (game <= 0 || static_cast<size_t>(game) > result.Games.size()) return std::nullopt;
  const std::vector<size_t>& saves = result.Games[static_cast<size_t>(game - 1)].Saves;
  const auto at = std::find(saves.begin(), saves.end(), save);
  return int64_t{game} * static_cast<int64_t>(result.Saves.size() + 1) + (at - saves.begin());
}

// The explanation of a save's verdict against the save before it; empty for a game's first save.
std::string VerdictExplanationOfSave(const SeriesResult& result, size_t save) {
  for (const Game& game : result.Games) {
    for (size_t i = 1; i < game.Saves.size(); ++i) {
      if (game.Saves[i] == save) return VerdictExplanation(result, game, i - 1);
    }
  }
  return {};
}

// Where a save stands in its game: "the first of 3 saves of game 1".
std::string PlaceInGame(const SeriesResult& result, size_t save) {
  for (const Game& game : result.Games) {
    const auto at = std::find(game.Saves.begin(), game.Saves.end(), save);
    if (at == game.Saves.end()) continue;
    const size_t n = game.Saves.size();
    const std::string of_game = " of game " + std::to_string(game.Id);
    if (n == 1) return "the only save" + of_game;
    if (at == game.Saves.begin()) return "the first of " + std::to_string(n) + " saves" + of_game;
    return "save " + std::to_string(at - game.Saves.begin() + 1) + " of " + std::to_string(n) +
           of_game;
  }
  return "a save of no game";
}

// A save's summary in sentences.
std::string SaveDescription(const SeriesResult& result, size_t save) {
  const SaveSummary& s = result.Saves[save].Summary;
  std::string text = BaseName(result.Saves[save].Path) + " is " + PlaceInGame(result, save) + ".";
  text += " It was saved at turn " + std::to_string(s.CurrentTurn) + " of " +
          std::to_string(s.MaxTurns) + " (" + DateText(s) + ") of a " + s.RuleSet +
          " game (version " + s.GameVersion + "): " + s.GameSpeedName + " speed, " +
          s.WorldSizeName + " world, " + s.HandicapName + " difficulty, map " + s.MapScriptName +
          ".";
  text += " Players: " + PlayersText(s) + "; " + std::to_string(s.CityStates) + " city-states.";
  if (!s.ScoreLeader.Player.empty()) text += " First in score: " + ScoreText(s.ScoreLeader) + ".";
  text += " Its session count is " + std::to_string(s.SessionCounter) + " (" +
          std::to_string(s.ReloadsAtStartTurn) + " before the first turn, " +
          std::to_string(s.PlaySessions) + " play sessions); it holds " +
          std::to_string(s.ReplayMessageCount) + " replay messages. Game status: " + StatusText(s) +
          ".";
  text += " The file has " + std::to_string(s.FileSize) + " bytes and is dated " + s.FileDate +
          "; its body is " + BodyText(s) + ".";
  return text;
}

// A game in the text summary: its heading, its saves with their verdicts and loads, then the
// verdicts in sentences.
std::string GameSummaryText(const SeriesResult& result, const Game& game) {
  const SaveSummary& last = result.Saves[game.Saves.back()].Summary;
  std::string text = "\nGame " + std::to_string(game.Id) + " (" +
                     std::to_string(game.Saves.size()) +
                     (game.Saves.size() == 1 ? " save)" : " saves)") + ": " +
                     TurnsCovered(result, game) + "; " + GameVerdictText(result, game) + "\n";
  text += "  Players: " + PlayersText(last) + "\n";
  std::vector<std::vector<std::string>> lines;
  for (size_t i = 0; i < game.Saves.size(); ++i) {
    const SaveSummary& s = result.Saves[game.Saves[i]].Summary;
    const Verdict* verdict = i == 0 ? nullptr : &game.Verdicts[i - 1];
    lines.push_back({"", FileOf(result, game.Saves[i]), "turn " + std::to_string(s.CurrentTurn),
                     verdict ? VerdictText(*verdict, FileOf(result, game.Saves[i - 1]),
                                           FileOf(result, game.Saves[i]))
                             : std::string("first save of the game"),
                     verdict ? LoadsText(verdict->LoadsBetween) : std::string()});
  }
  text += AlignedRows(lines);
  for (const size_t save : game.Saves) {
    const TLoadsRec& loads = result.Saves[save].Summary.Loads;
    text += "  " + FileOf(result, save) + ": loads " + LoadsShortText(loads) + "; " +
            SessionSummaryText(loads) + "\n";
  }
  text += "  " + GameExplanation(result, game) + "\n";
  for (size_t i = 0; i < game.Verdicts.size(); ++i) {
    text += "  " + FileOf(result, game.Saves[i + 1]) + ": " + VerdictExplanation(result, game, i) +
            "\n";
  }
  for (const size_t save : game.Saves) {
    const std::string cut = CutSaveSentence(result.Saves[save].Summary);
    if (!cut.empty()) text += "  " + FileOf(result, save) + ": " + cut + "\n";
  }
  return text;
}

}  // namespace

std::vector<std::string> SeriesTableHeaders() {
  return {"Game",    "File",           "Turn",     "Date",         "Rules",
          "Version", "Speed",          "Size",     "Difficulty",   "Players",
          "Humans",  "First in score", "Sessions", "Pre-sessions", "Play sessions",
          "Replay",  "Status",         "Body",     "Verdict",      "Loads"};
}

std::vector<SeriesCell> SeriesTableRow(const SeriesResult& result, size_t save) {
  const SaveRecord& record = result.Saves[save];
  const int32_t game = GameOfEachSave(result.Games, result.Saves.size())[save];
  std::vector<SeriesCell> row(SeriesTableHeaders().size());
  row[0] = {GameText(game), GameOrder(result, game, save)};
  row[1] = {BaseName(record.Path), std::nullopt};
  if (!record.Loaded()) {
    row[kSeriesVerdictColumn] = {record.Error, std::nullopt};
    return row;
  }
  const SaveSummary& s = record.Summary;
  row[2] = {std::to_string(s.CurrentTurn) + "/" + std::to_string(s.MaxTurns), s.CurrentTurn};
  row[3] = {DateText(s), s.CurrentTurn};
  row[4] = {s.RuleSet, std::nullopt};
  row[5] = {s.GameVersion, s.BuildNumber};
  row[6] = {s.GameSpeedName, std::nullopt};
  row[7] = {s.WorldSizeName, std::nullopt};
  row[8] = {s.HandicapName, std::nullopt};
  row[9] = {std::to_string(s.Majors) + "/" + std::to_string(s.Humans) + "/" +
                std::to_string(s.CityStates),
            s.Majors};
  row[10] = {Joined(s.HumanLeaders, ", "), std::nullopt};
  row[11] = {ScoreText(s.ScoreLeader), s.ScoreLeader.Score};
  row[12] = {std::to_string(s.SessionCounter), s.SessionCounter};
  row[13] = {std::to_string(s.ReloadsAtStartTurn), s.ReloadsAtStartTurn};
  row[14] = {std::to_string(s.PlaySessions), s.PlaySessions};
  row[15] = {std::to_string(s.ReplayMessageCount), s.ReplayMessageCount};
  row[16] = {StatusText(s), std::nullopt};
  row[17] = {BodyText(s), std::nullopt};
  const Verdict* verdict = VerdictOfSave(result.Games, save);
  row[kSeriesVerdictColumn] = {verdict ? std::string(VerdictName(verdict->Kind)) : "",
                               std::nullopt};
  row[kSeriesVerdictColumn + 1] = {LoadsShortText(s.Loads), s.Loads.ExtraLoads};
  return row;
}

bool VerdictIsWarning(const SeriesResult& result, size_t save) {
  if (!result.Saves[save].Loaded()) return true;
  const Verdict* verdict = VerdictOfSave(result.Games, save);
  return verdict && verdict->Kind != VerdictKind::kContinuous;
}

std::string VerdictText(const Verdict& verdict, const std::string& earlier,
                        const std::string& later) {
  std::string text(VerdictName(verdict.Kind));
  if (verdict.History) {
    const HistoryDifference& h = *verdict.History;
    text += ": at turn " + std::to_string(h.Turn) + " " + h.Series + " of " + h.Player + " is " +
            std::to_string(h.EarlierValue) + " in " + earlier + ", " +
            std::to_string(h.LaterValue) + " in " + later;
  } else if (verdict.Replay) {
    const ReplayDifference& r = *verdict.Replay;
    text += ": replay message " + std::to_string(r.Index + 1) + " is " + MessageText(r.Earlier) +
            " in " + earlier + ", " + MessageText(r.Later) + " in " + later;
  } else if (verdict.Kind == VerdictKind::kSessionsWentBack) {
    text += ": " + std::to_string(verdict.EarlierSessions) + " sessions in " + earlier + ", " +
            std::to_string(verdict.LaterSessions) + " in " + later;
  }
  return text;
}

std::string SaveDetailsText(const SeriesResult& result, size_t save) {
  const SaveRecord& record = result.Saves[save];
  std::string text = "Path: " + record.Path + "\n";
  if (!record.Loaded()) return text + "Error: " + record.Error + "\n";
  text += SaveDescription(result, save) + "\n";
  text += "Loads: " + LoadsShortText(record.Summary.Loads) + "; " +
          SessionSummaryText(record.Summary.Loads) + "\n";
  const std::string verdict = VerdictOfSaveText(result, save);
  text +=
      "\nVerdict: " + (verdict.empty() ? std::string("first save of its game") : verdict) + "\n";
  const std::string why = VerdictExplanationOfSave(result, save);
  if (!why.empty()) text += why + "\n";
  const std::string cut = CutSaveSentence(record.Summary);
  if (!cut.empty()) text += "\n" + cut + "\n";
  return text;
}

std::string SeriesSummaryText(const SeriesResult& result) {
  std::vector<std::vector<std::string>> rows = {SeriesTableHeaders()};
  for (size_t i = 0; i < result.Saves.size(); ++i) {
    std::vector<std::string> row;
    for (SeriesCell& cell : SeriesTableRow(result, i)) row.push_back(std::move(cell.Text));
    rows.push_back(std::move(row));
  }
  std::string text = AlignedRows(rows);
  for (const Game& game : result.Games) text += GameSummaryText(result, game);
  return text;
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string SeriesSummaryCsv(const SeriesResult& result) {
  const auto line = [](const std::vector<std::string>& fields) {
    std::string row;
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) row += ',';
      row += CsvField(fields[i]);
    }
    return row + "\r\n";
  };
  std::vector<std::string> header = {"Path", "FileName", "Error", "Game"};
  for (const auto& [name, value] : SummaryFields(SaveRecord{})) header.push_back(name);
  for (const char* name :
       {"Verdict", "VerdictTurn", "VerdictSeries", "VerdictPlayer", "VerdictText"}) {
    header.push_back(name);
  }
  for (const auto& [name, value] : LoadFields(SaveRecord{})) header.push_back(name);
  std::string csv = line(header);
  const std::vector<int32_t> games = GameOfEachSave(result.Games, result.Saves.size());
  for (size_t i = 0; i < result.Saves.size(); ++i) {
    const SaveRecord& record = result.Saves[i];
    std::vector<std::string> row = {record.Path, BaseName(record.Path), record.Error,
                                    games[i] > 0 ? std::to_string(games[i]) : ""};
    const Verdict* verdict = VerdictOfSave(result.Games, i);
    for (auto& [name, value] : SummaryFields(record)) {
      row.push_back(record.Loaded() ? std::move(value) : std::string());
    }
    const std::optional<int32_t> turn = verdict ? verdict->Turn() : std::nullopt;
    row.push_back(verdict ? std::string(VerdictName(verdict->Kind)) : "");
    row.push_back(turn ? std::to_string(*turn) : "");
    row.push_back(verdict && verdict->History ? verdict->History->Series : "");
    row.push_back(verdict && verdict->History ? verdict->History->Player : "");
    row.push_back(VerdictOfSaveText(result, i));
    for (auto& [name, value] : LoadFields(record)) {
      row.push_back(record.Loaded() ? std::move(value) : std::string());
    }
    csv += line(row);
  }
  return csv;
}

std::string SeriesSummaryJson(const SeriesResult& result) {
  std::string out;
  JsonWriter w(out);
  const std::vector<int32_t> games = GameOfEachSave(result.Games, result.Saves.size());
  w.BeginObject();
  w.Key("saves").BeginArray();
  for (size_t i = 0; i < result.Saves.size(); ++i) WriteSaveJson(w, result, i, games[i]);
  w.EndArray();
  w.Key("games").BeginArray();
  for (const Game& game : result.Games) {
    w.BeginObject();
    w.Key("id").Int(game.Id);
    w.Key("saves").BeginArray();
    for (const size_t save : game.Saves) w.String(PathOf(result, save));
    w.EndArray();
    w.Key("verdicts").BeginArray();
    for (size_t i = 0; i < game.Verdicts.size(); ++i) WriteVerdictJson(w, result, game, i);
    w.EndArray();
    w.Key("verdict").String(GameVerdictText(result, game));
    w.Key("explanation").String(GameExplanation(result, game));
    const std::optional<int32_t> loads = GameLoads(game);
    if (loads) {
      w.Key("loads").Int(*loads);
    } else {
      w.Key("loads").Null();
    }
    w.EndObject();
  }
  w.EndArray();
  w.EndObject();
  return out + "\n";
}

int PrintSeriesSummary(const std::vector<std::string>& paths, SummaryForm form,
                       std::string_view program, std::ostream& out, std::ostream& err) {
  const SeriesResult result = SummarisePaths(paths);
  if (result.Saves.empty()) {
    err << program << ": no save found in the paths given\n";
    return 1;
  }
  for (const SaveRecord& save : result.Saves) {
    if (!save.Loaded()) err << program << ": " << save.Path << ": " << save.Error << "\n";
  }
  switch (form) {
    case SummaryForm::kText:
      out << SeriesSummaryText(result);
      break;
    case SummaryForm::kCsv:
      out << SeriesSummaryCsv(result);
      break;
    case SummaryForm::kJson:
      out << SeriesSummaryJson(result);
      break;
    case SummaryForm::kHtml:
      out << SeriesSummaryHtml(result);
      break;
  }
  return SeriesExitStatus(result);
}

}  // namespace vek5
