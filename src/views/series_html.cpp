#include "views/series_html.h"

#include <algorithm>

#include "model/format.h"
#include "views/graph_view.h"
#include "views/series_words.h"

namespace vek5 {
namespace {

// The chart's drawing area, in SVG user units, inside its margins.
constexpr int kChartWidth = 640;
constexpr int kChartHeight = 220;
constexpr int kChartLeft = 48;
constexpr int kChartRight = 12;
constexpr int kChartTop = 10;
constexpr int kChartBottom = 28;
constexpr int kScoreSeries = 0;

// Fits A4 with 15 mm margins; tables take the page's width, rows never split across pages,
// and header rows repeat on every page a table spans.
constexpr std::string_view kStyle = R"(
@page { size: A4; margin: 15mm; }
body { font-family: sans-serif; font-size: 10pt; color: #000; margin: 0 auto; max-width: 180mm; }
h1 { font-size: 16pt; margin: 0 0 4pt; }
h2 { font-size: 13pt; margin: 14pt 0 4pt; border-bottom: 1px solid #888; }
h3 { font-size: 11pt; margin: 10pt 0 3pt; }
p { margin: 3pt 0; }
table { width: 100%; border-collapse: collapse; table-layout: fixed; margin: 3pt 0; }
th, td { border: 1px solid #bbb; padding: 2pt 3pt; text-align: left; vertical-align: top;
         overflow-wrap: break-word; }
th { background: #eee; font-size: 9pt; }
thead { display: table-header-group; }
tr { break-inside: avoid; page-break-inside: avoid; }
td.sum { font-family: monospace; font-size: 8pt; color: #333; border-top: none; }
.facts th { width: 30%; }
.ok { color: #060; }
.bad { color: #b00; font-weight: bold; }
.note { color: #555; }
section.game { break-before: page; page-break-before: always; }
section.game:first-of-type { break-before: auto; page-break-before: auto; }
svg { width: 100%; height: auto; }
.chart { break-inside: avoid; page-break-inside: avoid; }
)";

std::string Cell(std::string_view text, std::string_view tag = "td") {
  return "<" + std::string(tag) + ">" + HtmlEscape(text) + "</" + std::string(tag) + ">";
}

std::string FactRow(std::string_view name, std::string_view value) {
  return "<tr>" + Cell(name, "th") + Cell(value) + "</tr>\n";
}

std::string Paragraph(std::string_view text, std::string_view css_class = {}) {
  const std::string open =
      css_class.empty() ? "<p>" : "<p class=\"" + std::string(css_class) + "\">";
  return open + HtmlEscape(text) + "</p>\n";
}

bool Broken(const Game& game) {
  return std::any_of(game.Verdicts.begin(), game.Verdicts.end(),
                     [](const Verdict& v) { return v.Kind != VerdictKind::kContinuous; });
}

std::string SettingsTable(const SeriesResult& result, const Game& game) {
  const SaveSummary& s = result.Saves[game.Saves.back()].Summary;
  std::string html = "<h3>Settings</h3>\n<table class=\"facts\">\n";
  html += FactRow("Rule set", s.RuleSet);
  html += FactRow("Game version", s.GameVersion);
  html += FactRow("Game speed", s.GameSpeedName);
  html += FactRow("World size", s.WorldSizeName);
  html += FactRow("Map", s.MapScriptName);
  html += FactRow("Difficulty", s.HandicapName);
  html += FactRow("Start turn, turn limit",
                  std::to_string(s.StartTurn) + ", " + std::to_string(s.MaxTurns));
  html += FactRow("Saves here",
                  std::to_string(game.Saves.size()) + " covering " + TurnsCovered(result, game));
  return html + "</table>\n";
}

std::string PlayersParagraph(const SaveSummary& s) {
  std::string humans;
  for (const std::string& human : s.HumanLeaders) humans += (humans.empty() ? "" : ", ") + human;
  return "<h3>Players</h3>\n" +
         Paragraph(std::to_string(s.Majors) + " players: " + PlayersText(s) + ".") +
         Paragraph(std::to_string(s.Humans) + (s.Humans == 1 ? " human: " : " humans: ") +
                   (humans.empty() ? "none" : humans) + ". " + std::to_string(s.CityStates) +
                   " city-states.");
}

std::string VerdictCell(const Game& game, size_t i) {
  if (i == 0) return "<td>first save of the game</td>";
  const Verdict& verdict = game.Verdicts[i - 1];
  const bool ok = verdict.Kind == VerdictKind::kContinuous;
  std::string text(VerdictName(verdict.Kind));
  const std::optional<int32_t> turn = verdict.Turn();
  if (turn) text += " at turn " + std::to_string(*turn);
  return "<td class=\"" + std::string(ok ? "ok" : "bad") + "\">" + HtmlEscape(text) + "</td>";
}

std::string SavesTable(const SeriesResult& result, const Game& game) {
  std::string html =
      "<h3>Saves</h3>\n<table class=\"saves\">\n<colgroup><col style=\"width:4%\">"
      "<col style=\"width:25%\"><col style=\"width:7%\"><col style=\"width:11%\">"
      "<col style=\"width:13%\"><col style=\"width:12%\"><col style=\"width:16%\">"
      "<col style=\"width:12%\"></colgroup>\n<thead><tr><th>#</th><th>File</th><th>Turn</th>"
      "<th>Size (bytes)</th><th>File date</th><th>Sessions</th><th>Verdict</th>"
      "<th>Loads since previous</th></tr></thead>\n<tbody>\n";
  for (size_t i = 0; i < game.Saves.size(); ++i) {
    const SaveRecord& record = result.Saves[game.Saves[i]];
    const SaveSummary& s = record.Summary;
    const std::string loads = i == 0 ? "" : LoadsText(game.Verdicts[i - 1].LoadsBetween);
    html += "<tr>" + Cell(std::to_string(i + 1)) + Cell(BaseName(record.Path)) +
            Cell(std::to_string(s.CurrentTurn)) + Cell(std::to_string(s.FileSize)) +
            Cell(s.FileDate) + Cell(std::to_string(s.SessionCounter)) + VerdictCell(game, i) +
            Cell(loads.empty() ? "-" : loads) + "</tr>\n";
    html +=
        "<tr><td></td><td class=\"sum\" colspan=\"7\">SHA-256 " +
        HtmlEscape(s.Sha256.empty() ? "not computed: the file could not be read again" : s.Sha256) +
        "</td></tr>\n";
    const std::string cut = CutSaveSentence(s);
    if (!cut.empty()) {
      html += "<tr><td></td><td class=\"bad\" colspan=\"7\">" + HtmlEscape(cut) + "</td></tr>\n";
    }
  }
  return html + "</tbody>\n</table>\n";
}

std::string VerdictsList(const SeriesResult& result, const Game& game) {
  std::string html =
      "<h3>Verdicts</h3>\n" + Paragraph(GameExplanation(result, game), Broken(game) ? "bad" : "ok");
  if (game.Verdicts.empty()) return html;
  html += "<ol>\n";
  for (size_t i = 0; i < game.Verdicts.size(); ++i) {
    html += "<li value=\"" + std::to_string(i + 2) + "\"><b>" +
            HtmlEscape(BaseName(result.Saves[game.Saves[i + 1]].Path)) +
            "</b>: " + HtmlEscape(VerdictExplanation(result, game, i)) + "</li>\n";
  }
  return html + "</ol>\n";
}

// The game's loads. The loads per turn, and beyond one per human turn, come from each save's
// own session records, which this report shows once the summaries carry them.
std::string LoadsSection(const SeriesResult& result, const Game& game) {
  const SaveSummary& last = result.Saves[game.Saves.back()].Summary;
  std::string html = "<h3>Loads</h3>\n";
  std::string text = "The last save, " + BaseName(result.Saves[game.Saves.back()].Path) +
                     ", counts " + std::to_string(last.SessionCounter) + " sessions.";
  if (last.Humans > 1) {
    text += " With " + std::to_string(last.Humans) +
            " humans the game is loaded once for every human turn, so sessions are not reloads.";
  }
  const std::optional<int32_t> loads = GameLoads(game);
  if (loads) {
    text += " Between the first save here and the last the game was " +
            (*loads == 0 ? std::string("not loaded.") : "loaded " + LoadsText(loads) + ".");
  }
  html += Paragraph(text);
  html += Paragraph("Loads per turn: not yet listed in this report.", "note");
  return html;
}

// The history of the game's longest save: its Score series for every major player.
std::string ScoreChart(const SeriesResult& result, const Game& game) {
  const SaveRecord& record = result.Saves[game.Saves.back()];
  const SavePast& past = record.Past;
  const std::vector<std::string>& players = record.Summary.Players;
  std::vector<int32_t> sets;
  int32_t top = 1;
  bool any_score = false;
  for (int32_t d = 0; d < past.Sets && static_cast<size_t>(d) < past.SetNames.size(); ++d) {
    if (std::find(players.begin(), players.end(), past.SetNames[static_cast<size_t>(d)]) ==
        players.end()) {
      continue;
    }
    sets.push_back(d);
    for (int32_t t = past.FirstTurn; t < past.FirstTurn + past.Turns; ++t) {
      if (kScoreSeries >= past.Series) continue;
      const int32_t score = past.Value(d, kScoreSeries, t);
      any_score = any_score || score != 0;
      top = std::max(top, score);
    }
  }
  std::string html = "<div class=\"chart\">\n<h3>Scores over the game</h3>\n";
  if (past.Turns < 2 || sets.empty() || kScoreSeries >= past.Series || !any_score) {
    return html + Paragraph("The saves hold no history of scores to chart.", "note") + "</div>\n";
  }
  const int32_t first = past.FirstTurn;
  const int32_t last = past.FirstTurn + past.Turns - 1;
  const double width = kChartWidth - kChartLeft - kChartRight;
  const double height = kChartHeight - kChartTop - kChartBottom;
  const auto x = [&](int32_t turn) {
    return kChartLeft + width * (turn - first) / std::max(last - first, 1);
  };
  const auto y = [&](int32_t value) {
    return kChartTop + height * (1.0 - static_cast<double>(std::max(value, 0)) / top);
  };
  const int legend_height = 16 * static_cast<int>((sets.size() + 2) / 3);
  html += Format(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %d %d\" role=\"img\" "
      "aria-label=\"Score of each player by turn\">\n",
      kChartWidth, kChartHeight + legend_height);
  html += Format(
      "<rect x=\"%d\" y=\"%d\" width=\"%.0f\" height=\"%.0f\" fill=\"none\" "
      "stroke=\"#888\"/>\n",
      kChartLeft, kChartTop, width, height);
  html += Format(
      "<g font-size=\"10\" font-family=\"sans-serif\">"
      "<text x=\"%d\" y=\"%d\" text-anchor=\"end\">%d</text>"
      "<text x=\"%d\" y=\"%.0f\" text-anchor=\"end\">0</text>"
      "<text x=\"%d\" y=\"%d\">turn %d</text>"
      "<text x=\"%d\" y=\"%d\" text-anchor=\"end\">turn %d</text></g>\n",
      kChartLeft - 4, kChartTop + 9, top, kChartLeft - 4, kChartTop + height, kChartLeft,
      kChartHeight - 10, first, kChartWidth - kChartRight, kChartHeight - 10, last);
  for (size_t i = 0; i < sets.size(); ++i) {
    const int32_t d = sets[i];
    const uint32_t colour = GraphEntryLineColor(d);
    std::string points;
    for (int32_t t = first; t <= last; ++t) {
      points += Format("%.1f,%.1f ", x(t), y(past.Value(d, kScoreSeries, t)));
    }
    html +=
        Format("<polyline fill=\"none\" stroke=\"#%06X\" stroke-width=\"1.5\" points=\"%s\"/>\n",
               colour, points);
    const int column = static_cast<int>(i % 3);
    const int row = static_cast<int>(i / 3);
    const int lx = kChartLeft + column * 190;
    const int ly = kChartHeight + 4 + row * 16;
    html += Format("<rect x=\"%d\" y=\"%d\" width=\"12\" height=\"4\" fill=\"#%06X\"/>", lx, ly + 4,
                   colour);
    html += "<text x=\"" + std::to_string(lx + 16) + "\" y=\"" + std::to_string(ly + 10) +
            "\" font-size=\"10\" font-family=\"sans-serif\">" +
            HtmlEscape(past.SetNames[static_cast<size_t>(d)]) + " " +
            std::to_string(past.Value(d, kScoreSeries, last)) + "</text>\n";
  }
  html += "</svg>\n";
  return html +
         Paragraph("Score at the start of each finished turn, from the history of " +
                       BaseName(record.Path) + ".",
                   "note") +
         "</div>\n";
}

std::string GameSection(const SeriesResult& result, const Game& game) {
  const SaveSummary& last = result.Saves[game.Saves.back()].Summary;
  std::string html = "<section class=\"game\">\n<h2>Game " + std::to_string(game.Id) + ": " +
                     HtmlEscape(GameVerdictText(result, game)) + "</h2>\n";
  html += SettingsTable(result, game);
  html += PlayersParagraph(last);
  html += SavesTable(result, game);
  html += VerdictsList(result, game);
  html += LoadsSection(result, game);
  html += ScoreChart(result, game);
  return html + "</section>\n";
}

std::string FailedFiles(const SeriesResult& result) {
  std::string rows;
  for (const SaveRecord& save : result.Saves) {
    if (!save.Loaded()) rows += "<tr>" + Cell(save.Path) + Cell(save.Error) + "</tr>\n";
  }
  if (rows.empty()) return {};
  return "<section>\n<h2>Files that could not be analysed</h2>\n<table>\n<thead><tr><th>File</th>"
         "<th>Why</th></tr></thead>\n<tbody>\n" +
         rows + "</tbody>\n</table>\n</section>\n";
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string SeriesSummaryHtml(const SeriesResult& result) {
  const auto broken = std::count_if(result.Games.begin(), result.Games.end(), Broken);
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Vek5 save report</title>\n<style>" +
      std::string(kStyle) + "</style>\n</head>\n<body>\n<h1>Vek5 save report</h1>\n";
  std::string overview =
      std::to_string(result.Saves.size()) + (result.Saves.size() == 1 ? " file, " : " files, ") +
      std::to_string(result.Games.size()) + (result.Games.size() == 1 ? " game. " : " games. ");
  overview += broken == 0
                  ? "Every game tells one story."
                  : std::to_string(broken) + (broken == 1 ? " game does not tell one story."
                                                          : " games do not tell one story.");
  html += Paragraph(overview, broken == 0 ? "ok" : "bad");
  for (const Game& game : result.Games) html += GameSection(result, game);
  html += FailedFiles(result);
  return html + "</body>\n</html>\n";
}

}  // namespace vek5
