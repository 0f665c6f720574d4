#include "views/tab_content.h"

#include <algorithm>

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
  LinesContent list;
  list.Control = std::string(control);
  Lists.push_back(std::move(list));
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

}  // namespace vek5
