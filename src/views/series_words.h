// The verdicts between saves and over whole games in plain sentences, for readers who do not
// know how the program compares saves: what it compared, what it found, what that means. The
// Series tab, the text summary, the JSON and the HTML report all use these words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "series/series_result.h"

namespace vek5 {

// The verdict of the save at position i + 1 of a game against the save before it.
std::string VerdictExplanation(const SeriesResult& result, const Game& game, size_t i);

// "1 load", "3 loads"; empty when the loads between two saves cannot be told.
std::string LoadsText(const std::optional<int32_t>& loads);

// The loads of a game with one human from its first save to its last; none when any step
// between them cannot tell its loads.
std::optional<int32_t> GameLoads(const Game& game);

// One verdict for a whole game: "one story", or what broke it first ("diverged at turn 37 in
// c.Vek5Save") and how many more breaks follow.
std::string GameVerdictText(const SeriesResult& result, const Game& game);
// The same in a sentence.
std::string GameExplanation(const SeriesResult& result, const Game& game);

// "turns 50 to 95", "turn 50".
std::string TurnsCovered(const SeriesResult& result, const Game& game);
// The game's major players, the humans marked: "Oda Nobunaga (human), Darius, Augustus".
std::string PlayersText(const SaveSummary& summary);

// What a save that ends early holds, in a sentence; empty for a whole save.
std::string CutSaveSentence(const SaveSummary& summary);

// Whether a save is the first of its game.
bool IsFirstOfGame(const SeriesResult& result, size_t save);

}  // namespace vek5
