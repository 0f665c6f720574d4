// What a tab shows, as plain data keyed by the names of its controls. Content builders fill it
// from the model; the window copies it into the controls with those object names, and the
// command-line report prints it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vek5 {

inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kBlue = 0x0000FF;
inline constexpr uint32_t kPurple = 0x800080;
inline constexpr uint32_t kRed = 0xC00000;

// An edit box or label: its text and its pop-up hint.
struct FieldContent {
  std::string Control;
  std::string Text;
  std::string Hint;
};

struct CheckContent {
  std::string Control;
  bool Checked = false;
};

struct ColoredLine {
  std::string Text;
  uint32_t Color = kBlack;  // 0xRRGGBB
};

// The lines of a list box, combo box or rich-text box, in order.
struct LinesContent {
  std::string Control;
  std::vector<ColoredLine> Lines;
  // Drop-down lists: the selected item (-1 none) and how many items the list shows when it
  // opens (0 = the toolkit's default).
  int32_t Selected = -1;
  int32_t DropDownCount = 0;
  // A caption that depends on the save (the window shows it in the control's caption label, the
  // report prints it); empty keeps the caption the control has.
  std::string Title;
};

// A string grid: Cells[row][column]; row 0 is the header row.
struct GridContent {
  std::string Control;
  std::vector<std::vector<std::string>> Cells;
};

struct TabContent {
  std::vector<FieldContent> Fields;
  std::vector<CheckContent> Checks;
  std::vector<LinesContent> Lists;
  std::vector<GridContent> Grids;

  void SetField(std::string_view control, std::string text, std::string hint = {});
  void SetCheck(std::string_view control, bool checked);
  LinesContent& List(std::string_view control);                        // created empty on first use
  GridContent& Grid(std::string_view control, int rows, int columns);  // created on first use

  const FieldContent* FindField(std::string_view control) const;
  const LinesContent* FindList(std::string_view control) const;
  const GridContent* FindGrid(std::string_view control) const;
};

}  // namespace vek5
