#include "views/window_texts.h"

#include <algorithm>

#include "model/format.h"

namespace vek5 {
namespace {

constexpr ControlHint kControlHints[] = {
    {"SavePath", "The save on screen. Type or paste another path and press Enter to load it."},
    {"FileDate", "When the save file was last written (the file's date on disk)"},
    {"LoadFileButton", "Choose a save to open (Ctrl+O)"},
    {"LoadPathButton", "Load the save named in the path box (Enter); F5 loads it again"},
    {"LoadFolderButton", "Analyse every save in a folder as a series (shown on the Series tab)"},
    {"SaveFileButton", "Writing saves is not available"},
    // Base
    {"SaveIndexE", "The version of the save format"},
    {"LevelE", "The difficulty level"},
    {"Map5ScriptE", "The script the map was made with"},
    {"CurrentTurn", "The turn of the save / the game's last turn"},
    {"CurrentDate", "The date of the current turn"},
    {"StartTurnE", "The turn the game started at"},
    {"StartDateE", "The date of the starting turn"},
    {"PlayTime", "Time played in this game: hours:minutes:seconds,tenths"},
    {"GameScore", "The score of the save's player now"},
    {"ProjectedScore",
     "Projected final score: the score now, grown in proportion to the turns played, at the "
     "game's last turn"},
    {"GameStatus", "Whether the game has ended, and how"},
    {"UserNameE", "The name of the save's player"},
    {"GameOptionBox", "The options this game was set up with"},
    {"DLCBox", "The downloadable content the save lists"},
    // Leaders
    {"LeadersGrid",
     "Every entry of the save: major civilizations, city-states and the barbarians. Cities: all "
     "cities held (national/occupied/puppet)."},
    // Replay and player log
    {"ReplayList",
     "The game's replay messages by turn. Purple lines are session starts: each time the game "
     "was started or loaded."},
    {"PlayerLogSelect", "Whose notifications to show"},
    {"PlayerLog", "The notifications the game kept for this player (the last 100)"},
    // Reloads
    {"SessionCount", "How many play sessions the save records: every start or load of the game"},
    {"PreSessions",
     "Sessions at the game's first turn, before any turn was played: not counted as play. "
     "Proposed from the save; type another number to correct it."},
    {"PlaySessions", "Sessions minus pre-sessions: how often the game was played or reloaded"},
    {"AverageSessionTime", "Playing time divided by the play sessions"},
    {"GameKind",
     "The kind of game the save names. Hotseat also covers the saves a turn-passing service or "
     "an e-mail server hands from player to player: nothing stored tells them apart."},
    {"TurnPlayer", "The player whose turn it is: the one who plays next when the save is loaded"},
    {"HumanPlayers", "Human players of the game, those who have left it included"},
    {"NeededLoads",
     "With several humans every human turn needs a load of the save: the humans in the game at "
     "each turn played, added up"},
    {"ExtraLoads",
     "Sessions minus the loads needed: reloads, crashes or a player taking a turn twice; below 0 "
     "when turns were played in one load"},
    {"LoadsNote", "What the loads mean for this kind of game, and why they are an estimate"},
    {"SessionSummary", "The sessions the save counts and the turns at which several started"},
    {"SessionListBox",
     "The turns at which sessions started, with the sessions numbered as the game's messages "
     "number them. Red: more than one session at one turn, the game was reloaded."},
    // Cities
    {"CityFoundE", "The turn the city was founded / the game's last turn (its date)"},
    {"CityStatusE", "What the save notes about the city: never lost, puppet, occupied, capital"},
    {"PopE", "Population now (the largest it has been)"},
    {"CityXYE", "The city's map position: column;row"},
    {"CityStrengthE", "The city's defensive strength"},
    {"FoodE", "Food stored / food needed to grow"},
    {"CultureE", "Culture stored / culture needed for the next tile (the number of tiles gained)"},
    {"WLTKDE", "Turns left of \"We Love the King Day\""},
    {"DisorderE", "Turns the city has been in disorder"},
    {"CityOverflowE", "Production carried over to the next item"},
    {"SpecialistsE", "The city's specialists by kind; the hint of the box names them in full"},
    {"GWPointsE", "Great Writer points stored in the city"},
    {"GWRateE", "Great Writer points the city makes per turn"},
    {"GAPointsE", "Great Artist points stored in the city"},
    {"GARateE", "Great Artist points the city makes per turn"},
    {"GMuPointsE", "Great Musician points stored in the city"},
    {"GMuRateE", "Great Musician points the city makes per turn"},
    {"GSPointsE", "Great Scientist points stored in the city"},
    {"GSRateE", "Great Scientist points the city makes per turn"},
    {"GMPointsE", "Great Merchant points stored in the city"},
    {"GMRateE", "Great Merchant points the city makes per turn"},
    {"GEPointsE", "Great Engineer points stored in the city"},
    {"GERateE", "Great Engineer points the city makes per turn"},
    {"GPLimitE", "Great-person points a city needs for the next great person"},
    {"BuildingsList",
     "Buildings in the order they were built, with the date and turn; blue ones came free "
     "(given, not built)."},
    {"BuildingQueue", "What the city builds next"},
    {"ProductionGrid", "The production queue: hammers stored / needed, and turns to go"},
    {"ReligionGrid", "The religions in the city: followers, pressure points and share"},
    // Policies
    {"PolicyCultureE", "Culture stored toward the next policy / culture it costs"},
    {"TotalCultureE", "Culture earned in the whole game"},
    {"CulturePerTurnE", "Culture per turn (Zeph saves: from the history's last stored turn)"},
    // Player
    {"ResearchE", "The technology being researched"},
    {"ResearchQueueE", "The technologies queued after it, in order"},
    {"OverflowResearchE", "Research carried over to the next technology"},
    {"AccScienceE", "Research done on the current technology / its cost"},
    {"AccHappinessE", "Progress toward the next golden age / the progress it needs"},
    {"HappinessE", "Happiness now (Zeph saves: the history's excess happiness)"},
    {"SciencePerTurnE", "Science per turn, from the history's last stored turn"},
    {"GoldPerTurnE", "Gold per turn, from the history's last stored turn"},
    {"GATurnsE", "Turns left of the current golden age"},
    {"AccGoldE", "Gold in the treasury"},
    {"DiploGoldE", "The second gold value the save keeps for the player"},
    {"AccFaithE", "Faith stored"},
    {"TotalFaithE", "Faith earned in the whole game"},
    {"GGPointsE", "Great-general points / points needed for the next great general"},
    {"TGGPointsE", "Great-general points earned in the whole game"},
    // Statistics, city-states, league
    {"StatsLangSelect", "The language of the names in the boxes below"},
    {"WondersStats", "Wonders by the turn built; * marks one built before its city changed hands"},
    {"CSGrid",
     "Influence of each major player (columns) with each city-state (rows); Friends and Allies "
     "as the game counts them"},
    {"LeagueProjectGrid", "The world league's projects: their cost and each player's contribution"},
};

std::string TurnText(const GameState& state) {
  return Format("turn %d/%d", state.CurrentTurn, state.MaxTurns);
}

// The civilization of the save's player, with the leader of the first entry of that
// civilization when there is one.
std::string PlayerText(const GameState& state) {
  const int entries = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int e = 0; e < entries; ++e) {
    const TLeaderInfoRec& entry = state.Leaders[static_cast<size_t>(e)];
    if (!state.PlayerCivName.empty() && entry.CivName == state.PlayerCivName &&
        !entry.LeaderName.empty()) {
      return state.PlayerCivName + " (" + entry.LeaderName + ")";
    }
  }
  return state.PlayerCivName;
}

}  // namespace

std::span<const ControlHint> ControlHints() {
  return kControlHints;
}

std::string RuleSetName(const GameState& state) {
  if (state.ZephPresent) return "Zeph";
  if (state.Exp1Present) return "Exp1";
  return "base game";
}

std::string WindowTitle(const GameState& state, const std::string& file_stem) {
  std::string title = file_stem + " - ";
  const std::string player = PlayerText(state);
  if (!player.empty()) title += player + ", ";
  return title + TurnText(state) + " - " + kProgramName;
}

std::string LoadStatusLine(const GameState& state, const std::string& file_name, double seconds) {
  return file_name + "  |  " + RuleSetName(state) + "  |  " + TurnText(state) + "  |  " +
         Format("loaded in %.2f s", seconds);
}

}  // namespace vek5
