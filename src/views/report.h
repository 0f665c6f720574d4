// The command-line report: every tab's content as UTF-8 text.
#pragma once

#include <string>
#include <vector>

#include "model/game_state.h"
#include "views/tab_content.h"

namespace vek5 {

struct ReportSection {
  std::string Title;
  TabContent Content;
};

// The sections of the report in tab order, built from a freshly analysed model.
std::vector<ReportSection> ReportSections(const GameState& state);

// All sections rendered with RenderReport.
std::string BuildReport(const GameState& state);

}  // namespace vek5
