#include "views/history_csv.h"

#include <gtest/gtest.h>

#include "views/graph_view.h"

namespace vek5 {
namespace {

constexpr int kScore = 0;

// Two players whose game runs from turn 2 to turn 4 (current turn 5).
std::unique_ptr<GameState> TwoPlayers() {
  auto state = NewGameState();
  state->PlayerCount = 2;
  SizeHistory(*state, 2);
  state->StartTurn = 2;
  state->CurrentTurn = 5;
  state->Leaders[0].LeaderName = "Alexander";
  state->Leaders[1].LeaderName = "Kabul";
  return state;
}

// A value the save stored for the entry, series and turn.
void Store(GameState& state, size_t entry, size_t series, size_t turn, int32_t value) {
  state.HistoryData[entry][series].Set(turn, value);
  state.HistoryStored[entry].Series.set(series);
  state.HistoryStored[entry].Turns[series].set(turn);
}

TEST(HistoryCsv, OneRowPerHeldTurnOneColumnPerPlayerEmptyWhereNoValue) {
  auto state = TwoPlayers();
  Store(*state, 0, kScore, 0, 7);  // before the start: held because stored
  Store(*state, 0, kScore, 2, 10);
  Store(*state, 1, kScore, 2, 0);  // a stored zero is a value
  Store(*state, 1, kScore, 3, -4);
  Store(*state, 0, kScore, 4, 12);
  Store(*state, 1, kScore, 1499, 99);       // the last turn the table holds
  state->HistoryData[0][kScore].Set(5, 8);  // not stored: not a value
  EXPECT_EQ(HistoryCsv(*state, kScore),
            "Turn,Alexander,Kabul\r\n"
            "0,7,\r\n"
            "2,10,0\r\n"
            "3,,-4\r\n"
            "4,12,\r\n"
            "1499,,99\r\n");
}

TEST(HistoryCsv, StatisticsOutsideTheSavesListGiveNothing) {
  auto state = TwoPlayers();
  const int offered = static_cast<int>(GraphStatisticNames(*state).size());
  EXPECT_EQ(offered, 26);  // base game: the Zeph-only statistic is not offered
  for (int series : {-1, offered, kHistorySeries, 1 << 30}) {
    EXPECT_EQ(HistoryCsv(*state, series), "") << series;
  }
  EXPECT_NE(HistoryCsv(*state, offered - 1), "");
}

TEST(HistoryCsv, AllStatisticsShareOneTableLedByTheStatisticName) {
  auto state = TwoPlayers();
  state->CurrentTurn = 3;  // one played turn: 2
  state->ZephPresent = -1;
  const std::vector<std::string> offered = GraphStatisticNames(*state);
  for (size_t s = 0; s < offered.size(); ++s) Store(*state, 0, s, 2, 0);
  Store(*state, 1, 5, 2, 3);
  const std::string all = HistoryCsvAll(*state);
  const std::vector<std::string> names = GraphStatisticNames(*state);
  ASSERT_EQ(names.size(), 27u);
  std::string expected = "Statistic,Turn,Alexander,Kabul\r\n";
  for (size_t s = 0; s < names.size(); ++s) {
    expected += names[s] + (s == 5 ? ",2,0,3\r\n" : ",2,0,\r\n");
  }
  EXPECT_EQ(all, expected);
  // Each statistic's rows are the one-statistic table's rows behind the name.
  const std::string one = HistoryCsv(*state, 5);
  EXPECT_NE(all.find(names[5] + "," + one.substr(one.find('\n') + 1)), std::string::npos);
}

TEST(HistoryCsv, NoPlayersGivesTheHeaderAlone) {
  auto state = NewGameState();
  EXPECT_EQ(HistoryCsv(*state, kScore), "Turn\r\n");
}

TEST(CsvText, QuotesAndDefusesFormulas) {
  const struct {
    std::string Text;
    std::string Field;
  } cases[] = {
      {"Pedro", "Pedro"},
      {"", ""},
      {"Ahmad, the Great", "\"Ahmad, the Great\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
      {"+1", "'+1"},
      {"-Kiev", "'-Kiev"},
      {"@sum", "'@sum"},
      {"Кијев", "Кијев"},
  };
  for (const auto& c : cases) {
    std::string out;
    AppendCsvText(out, c.Text);
    EXPECT_EQ(out, c.Field) << c.Text;
  }
}

TEST(HistoryCsv, PlayerNamesInTheHeaderAreQuoted) {
  auto state = TwoPlayers();
  state->Leaders[1].LeaderName = "=1+1, \"x\"";
  const std::string csv = HistoryCsv(*state, kScore);
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "Turn,Alexander,\"'=1+1, \"\"x\"\"\"");
}

}  // namespace
}  // namespace vek5
