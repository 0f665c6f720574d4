#include "container/key_text.h"

#include <gtest/gtest.h>

#include "container/text_encoding.h"

namespace vek5 {
namespace {

TEST(KeyText, CutTextKeyGivesTheDisplayForm) {
  struct Case {
    std::string text, prefix, expected;
  };
  const std::vector<Case> cases = {
      {"MINOR_CIV_BUENOS_AIRES", "MINOR_CIV_", "Buenos Aires"},
      {"ERA_RENAISSANCE", "ERA_", "Renaissance"},
      {"Renaissance", "ERA_", "Renaissance"},  // prefix gone: unchanged
      {"HANDICAP_X", "HANDICAP_", "X"},
      {"HANDICAP_", "HANDICAP_", "HANDICAP_"},  // prefix as long as the text
      {"XXERA_ABCD", "ERA_", "A Abcd"},         // prefix only inside: first k bytes still dropped
      {"", "ERA_", ""},
      {"CIVILIZATION_\xC0\xC1", "CIVILIZATION_", "\xC0\xC1"},  // non-ASCII bytes unchanged
  };
  for (const Case& c : cases) EXPECT_EQ(CutTextKey(c.text, c.prefix), c.expected) << c.text;
}

TEST(KeyText, CutMacrosReplacesBracketGroups) {
  EXPECT_EQ(CutMacros("[COLOR_RED]Rome[ENDCOLOR]"), "@Rome@");
  EXPECT_EQ(CutMacros("]a"), "]@a");
  EXPECT_EQ(CutMacros("ab[unclosed"), "ab");
  EXPECT_EQ(CutMacros("[a]b]c"), "@b]@c");
  EXPECT_EQ(CutMacros("[a[b]c]d"), "@c]@d");
  EXPECT_EQ(CutMacros("x]]y"), "x]@]@y");
  EXPECT_EQ(CutMacros(""), "");
  EXPECT_EQ(CharLowCase('Q'), 'q');
  EXPECT_EQ(CharLowCase('\xC0'), '\xC0');
}

TEST(TextEncoding, RawTextsBecomeUtf8) {
  EXPECT_EQ(Utf8OrCp1251("Plain"), "Plain");
  EXPECT_EQ(Utf8OrCp1251("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");  // Windows-1251
  EXPECT_EQ(Utf8OrCp1251("Привет"), "Привет");                    // already UTF-8
  EXPECT_EQ(Utf8OrCp1251("\xB9"), "№");
  EXPECT_EQ(Utf8OrEmpty("\xC3\x28"), "");
  EXPECT_EQ(Utf8OrEmpty("\xE2\x82\xAC 5"), "\xE2\x82\xAC 5");
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));      // cut short
}

}  // namespace
}  // namespace vek5
