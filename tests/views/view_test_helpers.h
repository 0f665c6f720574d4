// Small helpers for the view tests: reading a built tab's fields, lists and grids by control name.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "views/tab_content.h"

namespace vek5::testing {

inline std::string FieldText(const TabContent& content, std::string_view control) {
  const FieldContent* field = content.FindField(control);
  EXPECT_NE(field, nullptr) << control;
  return field ? field->Text : std::string();
}

inline std::vector<std::string> ListTexts(const TabContent& content, std::string_view control) {
  std::vector<std::string> texts;
  const LinesContent* list = content.FindList(control);
  EXPECT_NE(list, nullptr) << control;
  if (list) {
    for (const ColoredLine& line : list->Lines) texts.push_back(line.Text);
  }
  return texts;
}

inline const GridContent& GridOf(const TabContent& content, std::string_view control) {
  const GridContent* grid = content.FindGrid(control);
  if (grid == nullptr) {
    ADD_FAILURE() << control;
    static const GridContent empty;
    return empty;
  }
  return *grid;
}

// A grid of a temporary content would dangle.
const GridContent& GridOf(TabContent&& content, std::string_view control) = delete;

}  // namespace vek5::testing
