#include <gtest/gtest.h>

#include "analysis/sections.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::LogDescription;
using testing::LogMessage;
using testing::MakeBodyImage;
using testing::MakeWorldState;
using testing::Rules;
using testing::WorldFormat;
using testing::WriteNotificationLog;

LogMessage Message(std::string text, int32_t turn = 0) {
  LogMessage message;
  message.Text = std::move(text);
  message.Turn = turn;
  return message;
}

LogDescription LogOf(int32_t slot, int32_t gold) {
  LogDescription log;
  log.Slot = slot;
  log.Gold = gold;
  log.DiploGold = gold + 1;
  log.Messages = {Message("Slot " + std::to_string(slot), 10 + slot)};
  return log;
}

class NotificationSection : public ::testing::TestWithParam<WorldFormat> {
 protected:
  const WorldFormat& format() const { return GetParam(); }
  std::vector<uint8_t> Log(const LogDescription& log) const {
    return WriteNotificationLog(format(), log);
  }
  std::unique_ptr<GameState> Read(const std::vector<int32_t>& slots, const SaveImage& save) const {
    auto state = MakeWorldState(format(), slots);
    ReadNotificationLogs(save, *state);
    return state;
  }
};

TEST_P(NotificationSection, ReadsTheRingAndTheTreasury) {
  LogDescription log;
  log.First = 37;
  log.Stop = 12;
  log.Gold = 123456;
  log.DiploGold = -7;
  log.DecoyTags = 2;  // tags of other slots come first
  log.List1 = {1, 2, 3};
  log.Messages.resize(100);
  log.Messages[0] = {"Your [COLOR_POSITIVE_TEXT]city[ENDCOLOR] grew", 41, "Growth", 5};
  log.Messages[37] = Message("Кремль построен", 42);
  log.Messages[99] = Message("Last one", 43);
  const auto state = Read({0}, MakeBodyImage({Log(log)}));
  const TNotificationLog& ring = state->PlayerLogs[0];
  EXPECT_EQ(ring.First, 37);
  EXPECT_EQ(ring.Stop, 12);
  EXPECT_EQ(ring.Messages[0].Text, "Your @city@ grew");
  EXPECT_EQ(ring.Messages[0].Summary, "Growth");
  EXPECT_EQ(ring.Messages[0].Kind, 5);
  EXPECT_EQ(ring.Messages[0].Turn, 41);
  EXPECT_EQ(ring.Messages[37].Text, "Кремль построен");
  EXPECT_EQ(ring.Messages[99].Text, "Last one");
  EXPECT_EQ(ring.Messages[99].Turn, 43);
  EXPECT_EQ(ring.Messages[1].Text, "");
  EXPECT_EQ(state->Leaders[0].Gold, 123456);
  EXPECT_EQ(state->Leaders[0].DiploGold, -7);
}

TEST_P(NotificationSection, GivesEachSlotsLogToItsEntry) {
  // Slot 1 has no entry: its log is read past and dropped. A treasury of version 1 ends one
  // int32 earlier, and the next record follows two bytes after it; an occurrence of the marker
  // whose check fails is no log.
  LogDescription first = LogOf(0, 100);
  first.TreasuryVersion = 1;
  LogDescription not_a_log = LogOf(1, 999);
  not_a_log.PassesCheck = false;
  const auto state = Read(
      {0, 2, 22},
      MakeBodyImage({Log(first), Log(LogOf(1, 200)), Log(not_a_log), Log(LogOf(2, 300))}, 64, 2));
  EXPECT_EQ(state->PlayerLogs[0].Messages[0].Text, "Slot 0");
  EXPECT_EQ(state->Leaders[0].Gold, 100);
  EXPECT_EQ(state->PlayerLogs[1].Messages[0].Text, "Slot 2");
  EXPECT_EQ(state->Leaders[1].Gold, 300);
  EXPECT_EQ(state->Leaders[1].DiploGold, 301);
  EXPECT_EQ(state->PlayerLogs[2].Messages[0].Text, "");
  EXPECT_EQ(state->Leaders[2].Gold, 0);
}

TEST_P(NotificationSection, LooksAtMost100TagsForTheSlotsLog) {
  LogDescription reachable = LogOf(0, 100);
  reachable.DecoyTags = 99;
  LogDescription too_far = LogOf(1, 200);
  too_far.DecoyTags = 100;
  const auto state =
      Read({0, 1, 2}, MakeBodyImage({Log(reachable), Log(too_far), Log(LogOf(1, 300))}));
  EXPECT_EQ(state->Leaders[0].Gold, 100);
  // The step ends at the first log that is not found.
  EXPECT_EQ(state->Leaders[1].Gold, 0);
}

TEST_P(NotificationSection, EmptiesTextsThatAreNotUtf8) {
  LogDescription log = LogOf(0, 1);
  log.Messages = {Message("bad \xC3\x28 text"), Message("good text")};
  const auto state = Read({0}, MakeBodyImage({Log(log)}));
  EXPECT_EQ(state->PlayerLogs[0].Messages[0].Text, "");
  EXPECT_EQ(state->PlayerLogs[0].Messages[1].Text, "good text");
}

// The model does not say which patch wrote a Zeph save: the final-patch row is chosen by the
// save's markers alone, and must not be chosen for a save of the earlier form.
INSTANTIATE_TEST_SUITE_P(
    Layouts, NotificationSection,
    ::testing::Values(WorldFormat{Rules::kBase}, WorldFormat{Rules::kBase, true, true},
                      WorldFormat{Rules::kExp1}, WorldFormat{Rules::kExp1, true, true},
                      WorldFormat{Rules::kZeph}, WorldFormat{Rules::kZeph, true, true, true}),
    [](const auto& info) { return testing::LayoutName(info.param); });

}  // namespace
}  // namespace vek5
