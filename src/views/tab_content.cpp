#include "views/tab_content.h"

#include <algorithm>

#include "model/format.h"

namespace vek5 {
namespace {

template <typename Item>
Item* FindByControl(std::vector<Item>& items, std::string_view control) {
  for (Item& item : items) {
    if (item.Control == control) return &item;
  }
  return nullptr;
}

template <typename Item>
const Item* FindByControl(const std::vector<Item>& items, std::string_view control) {
  for (const Item& item : items) {
    if (item.Control == control) return &item;
  }
  return nullptr;
}

}  // namespace

void TabContent::SetField(std::string_view control, std::string text, std::string hint) {
  if (FieldContent* field = FindByControl(Fields, control)) {
    field->Text = std::move(text);
    field->Hint = std::move(hint);
    return;
  }
  Fields.push_back({std::string(control), std::move(text), std::move(hint)});
}

void TabContent::SetCheck(std::string_view control, bool checked) {
  if (CheckContent* check = FindByControl(Checks, control)) {
    check->Checked = checked;
    return;
  }
  Checks.push_back({std::string(control), checked});
}

LinesContent& TabContent::List(std::string_view control) {
  if (LinesContent* list = FindByControl(Lists, control)) return *list;
  Lists.push_back({std::string(control), {}});
  return Lists.back();
}

GridContent& TabContent::Grid(std::string_view control, int rows, int columns) {
  if (GridContent* grid = FindByControl(Grids, control)) return *grid;
  GridContent grid{std::string(control), {}};
  grid.Cells.assign(static_cast<size_t>(std::max(rows, 0)),
                    std::vector<std::string>(static_cast<size_t>(std::max(columns, 0))));
  Grids.push_back(std::move(grid));
  return Grids.back();
}

const FieldContent* TabContent::FindField(std::string_view control) const {
  return FindByControl(Fields, control);
}
const LinesContent* TabContent::FindList(std::string_view control) const {
  return FindByControl(Lists, control);
}
const GridContent* TabContent::FindGrid(std::string_view control) const {
  return FindByControl(Grids, control);
}

std::string RenderReport(std::string_view title, const TabContent& content) {
  std::string out = "== " + std::string(title) + " ==\n";
  for (const FieldContent& f : content.Fields) {
    out += f.Control + ": " + f.Text + "\n";
  }
  for (const CheckContent& c : content.Checks) {
    out += c.Control + ": " + (c.Checked ? "[x]" : "[ ]") + "\n";
  }
  for (const LinesContent& list : content.Lists) {
    out += list.Control + ":\n";
    for (const ColoredLine& line : list.Lines) {
      out += "  " + line.Text;
      if (line.Color != kBlack) out += Format("  {#%06x}", line.Color);
      out += "\n";
    }
  }
  for (const GridContent& grid : content.Grids) {
    out += grid.Control + ":\n";
    for (const auto& row : grid.Cells) {
      // Rows that hold nothing beyond their number are left out of the report.
      const auto blank = [](const std::string& c) {
        return c.find_first_not_of(' ') == std::string::npos;
      };
      if (row.size() > 1 && std::all_of(row.begin() + 1, row.end(), blank)) continue;
      std::string line;
      for (size_t c = 0; c < row.size(); ++c) line += (c ? " | " : "  ") + row[c];
      out += line + "\n";
    }
  }
  return out + "\n";
}

}  // namespace vek5
