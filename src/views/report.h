// The text report for people: every tab in the window's order, each value under the English
// caption the window shows beside it, grids as aligned tables without their empty rows and
// columns. Plain UTF-8 text.
//
// The captions are a table (control -> caption) per tab; the rendering itself is generic, so a
// new control gets its caption by a new table row. A control without a row is still printed,
// under its control name.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "views/tab_content.h"

namespace vek5 {

enum class CaptionRole {
  kLine,         // "Caption: value", a list or a grid under its caption
  kJoined,       // a field shown on the line of the row above it; Text is a pattern with "{}"
  kChoiceGroup,  // a line listing the captions of the checked kChoice rows below it
  kChoice,       // a check box of the group above it
  kHidden,       // a control the window hides: not printed
};

struct ReportCaption {
  std::string_view Control;
  std::string_view Text;  // empty for a list or grid: no caption line
  CaptionRole Role = CaptionRole::kLine;
};

struct ReportTab {
  std::string_view Title;
  std::span<const ReportCaption> Captions;  // in the window's order, top to bottom
};

// The tabs in the window's order.
std::span<const ReportTab> ReportTabs();

// The caption row of a control on a tab, nullptr when it has none.
const ReportCaption* FindReportCaption(std::string_view tab, std::string_view control);

// One tab as labelled text.
std::string RenderReport(std::string_view title, const TabContent& content);

// Every tab for the default selections; a save that ends early says so in its first line.
std::string BuildReport(const GameState& state);

}  // namespace vek5
