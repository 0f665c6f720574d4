#include "series/series_result.h"

#include <algorithm>

#include "series/save_search.h"

namespace vek5 {

SeriesResult MakeSeriesResult(std::vector<SaveRecord> saves) {
  SeriesResult result;
  result.Saves = std::move(saves);
  result.Games = GroupGames(result.Saves);
  return result;
}

SeriesResult SummarisePaths(const std::vector<std::string>& paths, const BatchOptions& options) {
  return MakeSeriesResult(AnalyseSaves(FindSaveFiles(paths), options));
}

int SeriesExitStatus(const SeriesResult& result) {
  const bool failed = std::any_of(result.Saves.begin(), result.Saves.end(),
                                  [](const SaveRecord& save) { return !save.Loaded(); });
  if (failed) return 1;
  for (const Game& game : result.Games) {
    for (const Verdict& verdict : game.Verdicts) {
      if (verdict.Kind != VerdictKind::kContinuous) return 3;
    }
  }
  return 0;
}

}  // namespace vek5
