#include "views/report.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

#include "views/all_tabs.h"
#include "views/base_view.h"
#include "views/map_report.h"

namespace vek5 {
namespace {

using enum CaptionRole;

constexpr ReportCaption kBaseCaptions[] = {
    {"GameVersionE", "Game version"},
    {"SaveIndexE", "Save version"},
    {"CivNameE", "Civilization"},
    {"LevelE", "Handicap"},
    {"StartingEraE", "Starting era"},
    {"CurrentEraE", "Current era"},
    {"Game5SpeedE", "Game speed"},
    {"World5SizeE", "World size"},
    {"Map5ScriptE", "Map script"},
    {"CurrentTurn", "Current turn"},
    {"CurrentDate", "({})", kJoined},
    {"StartTurnE", "Starting turn"},
    {"StartDateE", "({})", kJoined},
    {"PlayTime", "Playing time"},
    {"GameScore", "Game score"},
    {"ProjectedScore", "(projected final score {})", kJoined},
    {"GameStatus", "Game status"},
    {"UserNameE", "User name"},
    {"Victories", "Allowed victories", kChoiceGroup},
    {"TimeVictory", "Time", kChoice},
    {"ScienceVictory", "Science", kChoice},
    {"DominationVictory", "Domination", kChoice},
    {"CulturalVictory", "Cultural", kChoice},
    {"DiplomaticVictory", "Diplomatic", kChoice},
    {"GameOptionBox", "Game options"},
    {"DLCBox", "DLC installed"},
};

constexpr ReportCaption kLeadersCaptions[] = {{"LeadersGrid", ""}};

constexpr ReportCaption kReplayCaptions[] = {{"ReplayList", "Messages (turn, date, text)"}};

constexpr ReportCaption kPlayerLogCaptions[] = {
    {"PlayerLogSelect", "Player"},
    {"ShowCombatsCheckBox", "", kHidden},
    {"ShowCityEventsCheckBox", "", kHidden},
    {"PlayerLog", "Notifications (turn, date, text)"},
};

constexpr ReportCaption kReloadsCaptions[] = {
    {"GameKind", "Kind of game"},
    {"TurnPlayer", "Whose turn"},
    {"SessionCount", "Sessions"},
    {"PreSessions", "Pre-sessions"},
    {"PlaySessions", "Play sessions"},
    {"AverageSessionTime", "Average session time"},
    {"HumanPlayers", "Humans"},
    {"NeededLoads", "Loads needed (one per human turn)"},
    {"ExtraLoads", "Loads beyond one per human turn"},
    {"LoadsNote", "Note"},
    {"SessionSummary", "Loads per turn"},
    {"SessionListBox", "Session starts by turn"},
};

constexpr ReportCaption kGraphCaptions[] = {
    {"GraphSelect", "Statistic"},
    {"GraphPlayerList", "Players"},
    {"HistoryChart", "Lines"},
};

constexpr ReportCaption kCityCaptions[] = {
    {"PlayerCitySelect", "Player"},
    {"CityBox", "Cities"},
    {"CityFoundE", "Founded"},
    {"CityStatusE", "Status"},
    {"PopE", "Population (max)"},
    {"CityXYE", "X;Y"},
    {"CityStrengthE", "Strength"},
    {"FoodE", "Food"},
    {"CultureE", "Culture"},
    {"PreviousOwnerE", "Previous owner"},
    {"OriginalOwnerE", "Original owner"},
    {"LastCapturedE", "Captured"},
    {"WLTKDE", "WLTKD turns"},
    {"DisorderE", "Disorder turns"},
    {"CityOverflowE", "Overflow production"},
    {"SpecialistsE", "Specialists"},
    {"GWPointsE", "GW points"},
    {"GWRateE", "(+{} per turn)", kJoined},
    {"GAPointsE", "GA points"},
    {"GARateE", "(+{} per turn)", kJoined},
    {"GMuPointsE", "GMu points"},
    {"GMuRateE", "(+{} per turn)", kJoined},
    {"GSPointsE", "GS points"},
    {"GSRateE", "(+{} per turn)", kJoined},
    {"GMPointsE", "GM points"},
    {"GMRateE", "(+{} per turn)", kJoined},
    {"GEPointsE", "GE points"},
    {"GERateE", "(+{} per turn)", kJoined},
    {"GPLimitE", "Great person points needed"},
    {"OutCultureE", "Culture per turn"},
    {"OutFaithE", "Faith per turn"},
    {"OutFoodE", "Food per turn"},
    {"OutProdE", "Production per turn"},
    {"OutGoldE", "Gold per turn"},
    {"OutScienceE", "Science per turn"},
    {"BuildingsList", "Buildings (name, year, turn)"},
    {"BuildingQueue", "Building queue"},
    {"ProductionGrid", "Production"},
    {"ReligionGrid", "Religions"},
};

constexpr ReportCaption kPolicyCaptions[] = {
    {"PlayerPolicySelect", "Player"},
    {"TraditionBranch", "Tradition"},
    {"LibertyBranch", "Liberty"},
    {"HonorBranch", "Honor"},
    {"PietyBranch", "Piety"},
    {"PatronageBranch", "Patronage"},
    {"OrderBranch", "Order"},
    {"AutocracyBranch", "Autocracy"},
    {"FreedomBranch", "Freedom"},
    {"RationalismBranch", "Rationalism"},
    {"CommerceBranch", "Commerce"},
    {"FreedomIdeology", "Freedom ideology"},
    {"OrderIdeology", "Order ideology"},
    {"AutocracyIdeology", "Autocracy ideology"},
    {"PolicyCultureE", "Policy culture"},
    {"TotalCultureE", "Total culture"},
    {"CulturePerTurnE", "Culture per turn"},
    {"CSCultureE", "", kHidden},
    {"PolicyNumE", "", kHidden},
};

constexpr ReportCaption kPlayerCaptions[] = {
    {"PlayerTechSelect", "Player"},
    {"ResearchE", "Researching"},
    {"ResearchQueueE", "Then"},
    {"OverflowResearchE", "Research overflow"},
    {"AccScienceE", "Research accumulated"},
    {"SciencePerTurnE", "Science per turn"},
    {"AccHappinessE", "Happiness accumulated"},
    {"HappinessE", "Happiness"},
    {"GATurnsE", "Golden age turns"},
    {"AccGoldE", "Gold"},
    {"DiploGoldE", "Diplomatic gold"},
    {"GoldPerTurnE", "Gold per turn"},
    {"AccFaithE", "Faith"},
    {"TotalFaithE", "Total faith"},
    {"FaithPerTurnE", "Faith per turn"},
    {"GGPointsE", "Great general points"},
    {"TGGPointsE", "Great general points in total"},
    {"RawValue1", "", kHidden},
    {"RawValue2", "", kHidden},
    {"RawValue3", "", kHidden},
    {"RawValue4", "", kHidden},
    {"TechGrid", "Technologies"},
};

constexpr ReportCaption kStatsCaptions[] = {
    {"PlayerStatsSelect", "Player"}, {"CitiesStats", "Cities"},  {"WondersStats", "Wonders"},
    {"PoliciesStats", "Policies"},   {"BeliefStats", "Beliefs"},
};

constexpr ReportCaption kCityStateCaptions[] = {{"CSGrid", ""}};

constexpr ReportCaption kLeagueCaptions[] = {{"LeagueProjectGrid", ""}};

constexpr ReportTab kReportTabs[] = {
    {"Base", kBaseCaptions},           {"Leaders", kLeadersCaptions},
    {"Replay", kReplayCaptions},       {"Player Log", kPlayerLogCaptions},
    {"Reloads", kReloadsCaptions},     {"Graph", kGraphCaptions},
    {"Cities", kCityCaptions},         {"Policy", kPolicyCaptions},
    {"Player", kPlayerCaptions},       {"Stats", kStatsCaptions},
    {"CS Points", kCityStateCaptions}, {"League", kLeagueCaptions},
};

// What a line's colour means where it means something the text does not say.
struct ColorNote {
  std::string_view Control;
  uint32_t Color;
  std::string_view Note;
};
constexpr ColorNote kColorNotes[] = {{"BuildingsList", kBlue, "(free)"}};

// The player selectors: the report names the player each of these tabs shows.
struct SelectorOfTab {
  std::string_view Tab;
  std::string_view Control;
  int32_t TabSelection::*Entry;
};
constexpr SelectorOfTab kSelectors[] = {
    {"Player Log", "PlayerLogSelect", &TabSelection::LogPlayer},
    {"Cities", "PlayerCitySelect", &TabSelection::CityPlayer},
    {"Policy", "PlayerPolicySelect", &TabSelection::PolicyPlayer},
    {"Player", "PlayerTechSelect", &TabSelection::TechPlayer},
    {"Stats", "PlayerStatsSelect", &TabSelection::StatsPlayer},
};

constexpr std::string_view kIndent = "  ";
constexpr std::string_view kColumnGap = "  ";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view TrimRight(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

// Characters of UTF-8 text, as a fixed-pitch terminal lays them out (a sequence counts once).
size_t TextWidth(std::string_view text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Fill(std::string_view pattern, std::string_view value) {
  std::string out(pattern);
  const size_t at = out.find("{}");
  if (at != std::string::npos) out.replace(at, 2, value);
  return out;
}

std::string_view CaptionOrName(const ReportCaption& caption) {
  return caption.Text.empty() ? caption.Control : caption.Text;
}

void RenderFieldLine(std::string& out, const TabContent& content,
                     std::span<const ReportCaption> captions, size_t row) {
  const FieldContent& field = *content.FindField(captions[row].Control);
  std::string line(Trim(field.Text));
  if (!field.Hint.empty()) line += " [" + field.Hint + "]";
  for (size_t j = row + 1; j < captions.size() && captions[j].Role == kJoined; ++j) {
    const FieldContent* joined = content.FindField(captions[j].Control);
    if (joined == nullptr || Trim(joined->Text).empty()) continue;
    if (!line.empty()) line += ' ';
    line += Fill(captions[j].Text, Trim(joined->Text));
    if (!joined->Hint.empty()) line += " [" + joined->Hint + "]";
  }
  if (line.empty()) return;
  out += std::string(CaptionOrName(captions[row])) + ": " + line + "\n";
}

void RenderChoiceGroup(std::string& out, const TabContent& content,
                       std::span<const ReportCaption> captions, size_t row) {
  std::string chosen;
  bool any_box = false;
  for (size_t j = row + 1; j < captions.size() && captions[j].Role == kChoice; ++j) {
    for (const CheckContent& check : content.Checks) {
      if (check.Control != captions[j].Control) continue;
      any_box = true;
      if (!check.Checked) continue;
      if (!chosen.empty()) chosen += ", ";
      chosen += captions[j].Text;
    }
  }
  if (!any_box) return;
  out += std::string(captions[row].Text) + ": " + (chosen.empty() ? "none" : chosen) + "\n";
}

void RenderCheck(std::string& out, const CheckContent& check, std::string_view caption) {
  out += std::string(caption) + ": " + (check.Checked ? "yes" : "no") + "\n";
}

std::string_view ColorNoteOf(std::string_view control, uint32_t color) {
  for (const ColorNote& note : kColorNotes) {
    if (note.Control == control && note.Color == color) return note.Note;
  }
  return {};
}

void RenderList(std::string& out, const LinesContent& list, std::string_view caption) {
  if (list.Lines.empty()) return;
  if (!list.Title.empty()) caption = list.Title;
  if (!caption.empty()) out += std::string(caption) + ":\n";
  for (size_t i = 0; i < list.Lines.size(); ++i) {
    std::string line = std::string(kIndent) + std::string(TrimRight(list.Lines[i].Text));
    const std::string_view note = ColorNoteOf(list.Control, list.Lines[i].Color);
    if (!note.empty()) line += " " + std::string(note);
    if (static_cast<int32_t>(i) == list.Selected) line += " (selected)";
    out += line + "\n";
  }
}

bool Blank(const std::string& cell) {
  return Trim(cell).empty();
}

bool StartsWithNumber(std::string_view cell) {
  const std::string_view text = Trim(cell);
  return !text.empty() && (std::isdigit(static_cast<unsigned char>(text.front())) ||
                           text.front() == '-' || text.front() == '+' || text.front() == '.');
}

// Row 0 is the header. Body rows holding nothing beyond their first cell (a row number or a
// name) are left out, then every column that is blank in all the rows kept. Texts are aligned
// left; numbers keep the blanks they have beyond those common to the numbers of their column:
// the builders pad numbers to a fixed width, so they stay aligned on their last digit.
void RenderGrid(std::string& out, const GridContent& grid, std::string_view caption) {
  std::vector<const std::vector<std::string>*> rows;
  for (size_t r = 0; r < grid.Cells.size(); ++r) {
    const auto& row = grid.Cells[r];
    const bool empty = row.size() > 1 ? std::all_of(row.begin() + 1, row.end(), Blank)
                                      : std::all_of(row.begin(), row.end(), Blank);
    if (r == 0 || !empty) rows.push_back(&row);
  }
  if (rows.size() <= 1) {
    if (!caption.empty()) out += std::string(caption) + ": none\n";
    return;
  }
  size_t columns = 0;
  for (const auto* row : rows) columns = std::max(columns, row->size());
  struct Column {
    size_t Index = 0;
    size_t Indent = std::string::npos;  // blanks common to the column's body cells
    size_t Width = 0;
  };
  const auto cell_of = [&rows](size_t r, const Column& column) -> std::string_view {
    const std::string_view cell =
        column.Index < rows[r]->size() ? TrimRight((*rows[r])[column.Index]) : "";
    if (r == 0 || !StartsWithNumber(cell)) return Trim(cell);
    return cell.substr(std::min(column.Indent, cell.size()));
  };
  std::vector<Column> kept;
  for (size_t c = 0; c < columns; ++c) {
    Column column{c};
    bool any = false;
    for (size_t r = 0; r < rows.size(); ++r) {
      const std::string_view cell = c < rows[r]->size() ? TrimRight((*rows[r])[c]) : "";
      if (cell.empty()) continue;
      any = true;
      if (r > 0 && StartsWithNumber(cell)) {
        column.Indent = std::min(column.Indent, cell.find_first_not_of(' '));
      }
    }
    if (!any) continue;
    for (size_t r = 0; r < rows.size(); ++r) {
      column.Width = std::max(column.Width, TextWidth(cell_of(r, column)));
    }
    kept.push_back(column);
  }
  if (!caption.empty()) out += std::string(caption) + ":\n";
  for (size_t r = 0; r < rows.size(); ++r) {
    std::string line(kIndent);
    for (size_t k = 0; k < kept.size(); ++k) {
      const std::string_view cell = cell_of(r, kept[k]);
      if (k > 0) line += kColumnGap;
      line += std::string(cell) + std::string(kept[k].Width - TextWidth(cell), ' ');
    }
    out += std::string(TrimRight(line)) + "\n";
  }
}

std::span<const ReportCaption> CaptionsOf(std::string_view title) {
  for (const ReportTab& tab : kReportTabs) {
    if (tab.Title == title) return tab.Captions;
  }
  return {};
}

// Prints a control of any kind under its caption; returns false when the tab has no such
// control.
bool RenderControl(std::string& out, const TabContent& content, std::string_view control,
                   std::string_view caption) {
  for (const CheckContent& check : content.Checks) {
    if (check.Control == control) {
      RenderCheck(out, check, caption);
      return true;
    }
  }
  if (const LinesContent* list = content.FindList(control)) {
    RenderList(out, *list, caption);
    return true;
  }
  if (const GridContent* grid = content.FindGrid(control)) {
    RenderGrid(out, *grid, caption);
    return true;
  }
  return false;
}

}  // namespace

std::span<const ReportTab> ReportTabs() {
  return kReportTabs;
}

const ReportCaption* FindReportCaption(std::string_view tab, std::string_view control) {
  for (const ReportCaption& caption : CaptionsOf(tab)) {
    if (caption.Control == control) return &caption;
  }
  return nullptr;
}

std::string RenderReport(std::string_view title, const TabContent& content) {
  std::string out = "== " + std::string(title) + " ==\n";
  const std::span<const ReportCaption> captions = CaptionsOf(title);
  for (size_t row = 0; row < captions.size(); ++row) {
    const ReportCaption& caption = captions[row];
    if (caption.Role == kChoiceGroup) {
      RenderChoiceGroup(out, content, captions, row);
    } else if (caption.Role == kLine) {
      if (content.FindField(caption.Control)) {
        RenderFieldLine(out, content, captions, row);
      } else {
        RenderControl(out, content, caption.Control, caption.Text);
      }
    }
  }
  // Controls without a caption row, under their own names.
  const auto uncaptioned = [&](const std::string& control) {
    return FindReportCaption(title, control) == nullptr;
  };
  for (const FieldContent& field : content.Fields) {
    if (uncaptioned(field.Control) && !Trim(field.Text).empty()) {
      out += field.Control + ": " + std::string(Trim(field.Text)) + "\n";
    }
  }
  for (const CheckContent& check : content.Checks) {
    if (uncaptioned(check.Control)) RenderCheck(out, check, check.Control);
  }
  for (const LinesContent& list : content.Lists) {
    if (uncaptioned(list.Control)) RenderList(out, list, list.Control);
  }
  for (const GridContent& grid : content.Grids) {
    if (uncaptioned(grid.Control)) RenderGrid(out, grid, grid.Control);
  }
  return out + "\n";
}

std::string BuildReport(const GameState& state) {
  ViewState view = FreshViewState(state);
  const TabSelection selection;
  AllTabs all = BuildAllTabs(state, view, selection);
  const std::vector<std::string> players = PlayerSelectorItems(state);
  for (const SelectorOfTab& selector : kSelectors) {
    const int32_t entry = selection.*selector.Entry;
    if (entry < 0 || entry >= static_cast<int32_t>(players.size())) continue;
    for (auto& [title, content] : all.Tabs) {
      if (title == selector.Tab) {
        content.SetField(selector.Control, players[static_cast<size_t>(entry)]);
      }
    }
  }
  // A save cut short says so before anything else.
  std::string report = state.BodyEndsEarly ? EndsEarlyNotice(state) + "\n\n" : std::string();
  std::set<std::string_view> printed;
  for (const ReportTab& tab : kReportTabs) {
    for (const auto& [title, content] : all.Tabs) {
      if (title != tab.Title) continue;
      report += RenderReport(title, content);
      printed.insert(tab.Title);
      // The map follows the base values, as its tab does in the window.
      if (tab.Title == "Base") report += BuildMapReport(state);
    }
  }
  for (const auto& [title, content] : all.Tabs) {
    if (!printed.contains(title)) report += RenderReport(title, content);
  }
  return report;
}

}  // namespace vek5
