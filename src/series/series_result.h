// A batch of saves with its games: what the summary table, the exports and the window show.
#pragma once

#include <string>
#include <vector>

#include "series/batch_analysis.h"
#include "series/game_grouping.h"
#include "series/save_summary.h"

namespace vek5 {

struct SeriesResult {
  std::vector<SaveRecord> Saves;  // in the order of the files
  std::vector<Game> Games;
};

SeriesResult MakeSeriesResult(std::vector<SaveRecord> saves);

// Finds the saves below the paths, analyses them in parallel and groups them into games.
SeriesResult SummarisePaths(const std::vector<std::string>& paths,
                            const BatchOptions& options = {});

// 0 when every save loaded and every verdict is continuous; 1 when a file failed to load;
// else 3.
int SeriesExitStatus(const SeriesResult& result);

}  // namespace vek5
