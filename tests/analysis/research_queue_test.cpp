// The research queue that the save keeps just before a player's first city record.
#include <gtest/gtest.h>

#include "analysis/city_fixture.h"
#include "support/city_writer.h"

namespace vek5::testing {
namespace {

// The forms whose records start with a version and follow the player's research queue.
std::vector<FormCase> QueueForms() {
  std::vector<FormCase> forms;
  for (const FormCase& form : AllForms()) {
    if (form.Form == CityRecordForm::Base || form.Form == CityRecordForm::BaseSlotKeys ||
        form.Form == CityRecordForm::ZephFinal) {
      forms.push_back(form);
    }
  }
  return forms;
}

CityDescription FirstCity(const CityListStart& start) {
  CityDescription city;
  city.Name = "Capital";
  city.Owner = 1;
  city.ListStart = start;
  return city;
}

std::vector<int32_t> QueueOf(const TLeaderInfoRec& leader) {
  if (leader.ResearchQueueLength < 0) return {-1};
  return {leader.ResearchQueue.begin(), leader.ResearchQueue.begin() + leader.ResearchQueueLength};
}

class ResearchQueueTest : public CityFormTest {};

TEST_P(ResearchQueueTest, ReadsQueuesOfAnyLengthBehindHeadersOfAnySize) {
  struct Case {
    const char* name;
    CityListStart start;
    int32_t researching;
  };
  const Case cases[] = {
      {"an empty queue", {{}}, -1},
      {"one entry", {{7}}, 7},
      {"a goal three steps away", {{12, 7, 30}}, 12},
      {"16 slots with a free list", {{5, 6}, 16, 3, 2}, 5},
      {"32 slots with a free list", {{9}, 32, 0, 5}, 9},
      {"a queue that ends with small rows", {{40, 2, 1}}, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const GameState& s = Read({FirstCity(c.start)});
    const TLeaderInfoRec& leader = s.Leaders[1];
    EXPECT_EQ(leader.ResearchingTech, c.researching);
    EXPECT_EQ(QueueOf(leader), c.start.ResearchQueue);
  }
}

TEST_P(ResearchQueueTest, ReadsTheQueueOnceFromThePlayersFirstRecord) {
  CityListStart start{{3, 4}};
  start.Records = 2;
  CityDescription second = FirstCity({{60}});
  second.Name = "Second";
  second.ListStart.reset();
  const GameState& s = Read({FirstCity(start), second});
  EXPECT_EQ(s.Leaders[1].CityCount, 2);
  EXPECT_EQ(QueueOf(s.Leaders[1]), (std::vector<int32_t>{3, 4}));
}

TEST_P(ResearchQueueTest, AFailedCheckTellsNothing) {
  struct Case {
    const char* name;
    CityListStart start;
  };
  CityListStart wrong_version{{7}};
  wrong_version.Version = 7;
  CityListStart wrong_count{{7}};
  wrong_count.Records = 3;  // the player has one record
  CityListStart odd_header{{7}};
  odd_header.HeaderSlots = 12;
  CityListStart invalid_row{{5, 999}};
  const Case cases[] = {{"a record version of another form", wrong_version},
                        {"a record count that does not match", wrong_count},
                        {"a header of 12 slots", odd_header},
                        {"a row beyond the technology table", invalid_row}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const GameState& s = Read({FirstCity(c.start)});
    EXPECT_EQ(s.Leaders[1].ResearchingTech, -1);
    EXPECT_EQ(s.Leaders[1].ResearchQueueLength, -1);
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, ResearchQueueTest, ::testing::ValuesIn(QueueForms()),
                         [](const auto& info) { return info.param.Name; });

TEST(ResearchWithoutQueue, OtherFormsReadTheTechnologyAtFixedDistances) {
  for (const FormCase& form : AllForms()) {
    if (form.Form != CityRecordForm::Exp1 && form.Form != CityRecordForm::Exp1Late &&
        form.Form != CityRecordForm::Zeph) {
      continue;
    }
    SCOPED_TRACE(form.Name);
    CityDescription city = FirstCity({{3}});
    city.ResearchingTech = 21;
    const SaveImage image = ImageOf(WriteCityRecords(form.Form, {city}));
    auto state = StateFor(form);
    ReadCities(image, *state);
    EXPECT_EQ(state->Leaders[1].ResearchingTech, 21);
    EXPECT_EQ(state->Leaders[1].ResearchQueueLength, -1);
  }
}

}  // namespace
}  // namespace vek5::testing
