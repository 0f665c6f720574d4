// The report per game as one HTML page: self-contained, every text from a save escaped, and
// per game its saves with checksums, verdicts in words and a chart of scores.
#include "views/series_html.h"

#include <gtest/gtest.h>

#include "series/file_checksum.h"
#include "series/series_fixture.h"
#include "views/series_words.h"

namespace vek5 {
namespace {

using testing::SeriesGame;
using testing::WriteGameSave;

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(HtmlEscape, EveryCharacterThatCouldOpenMarkup) {
  EXPECT_EQ(HtmlEscape("a<b>&\"c\"'d'"), "a&lt;b&gt;&amp;&quot;c&quot;&#39;d&#39;");
  EXPECT_EQ(HtmlEscape("Plain text, 100 %"), "Plain text, 100 %");
}

// Texts of a save (a replay message that a verdict quotes, the map script, a file name) that
// would be markup if written as they are.
TEST(SeriesSummaryHtml, TextsFromTheSavesAreEscaped) {
  const std::string hostile = "<script>alert('x')</script>&amp;";
  const std::string folder = testing::SeriesFolder("html-escape");
  testing::GameDescription earlier = SeriesGame(10);
  earlier.MapScript = "Maps\\" + hostile + ".lua";
  WriteGameSave(folder, "a<b>.Vek5Save", earlier);
  testing::GameDescription later = SeriesGame(20);
  later.MapScript = earlier.MapScript;
  later.ReplayMessages[1].Text = hostile;  // the verdict quotes the message that differs
  WriteGameSave(folder, "c.Vek5Save", later);
  const SeriesResult result = SummarisePaths({folder});
  ASSERT_EQ(result.Games.size(), 1u);
  ASSERT_EQ(result.Games[0].Verdicts.at(0).Kind, VerdictKind::kReplayDiffers);

  const std::string html = SeriesSummaryHtml(result);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("a<b>"), std::string::npos);
  EXPECT_NE(html.find("a&lt;b&gt;.Vek5Save"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;&amp;amp;"),
            std::string::npos);
  // Self-contained: nothing is fetched from elsewhere.
  for (const char* external : {"src=", "href=", "@import", "url("}) {
    EXPECT_EQ(html.find(external), std::string::npos) << external;
  }
}

TEST(SeriesSummaryHtml, EachGameWithItsSavesChecksumsVerdictsAndChart) {
  const std::string folder = testing::SeriesFolder("html-games");
  const std::string first = WriteGameSave(folder, "a.Vek5Save", SeriesGame(10));
  WriteGameSave(folder, "b.Vek5Save", SeriesGame(20));
  testing::GameDescription other = SeriesGame(5);
  other.MapScript = "Assets\\Maps\\Pangaea.lua";
  WriteGameSave(folder, "d.Vek5Save", other);
  const SeriesResult result = SummarisePaths({folder});
  ASSERT_EQ(result.Games.size(), 2u);

  const std::string html = SeriesSummaryHtml(result);
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(Count(html, "<section class=\"game\">"), 2u);
  EXPECT_NE(html.find("@page { size: A4"), std::string::npos);
  const std::string checksum = FileSha256(first);
  ASSERT_EQ(checksum.size(), 64u);
  EXPECT_EQ(result.Saves[0].Summary.Sha256, checksum);
  EXPECT_NE(html.find("SHA-256 " + checksum), std::string::npos);
  EXPECT_NE(html.find(HtmlEscape(VerdictExplanation(result, result.Games[0], 0))),
            std::string::npos);
  EXPECT_NE(html.find("<h2>Game 1: one story</h2>"), std::string::npos);
  // One line per major player in each game's chart.
  EXPECT_EQ(Count(html, "<polyline"), 2u * static_cast<size_t>(result.Saves[0].Summary.Majors));
}

TEST(FileSha256, KnownDigestAndAMissingFile) {
  const std::string path = ::vek5::testing::TempPath("abc.txt");
  ::vek5::testing::WriteFile(path, {'a', 'b', 'c'});
  EXPECT_EQ(FileSha256(path), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(FileSha256(path + ".missing"), "");
}

}  // namespace
}  // namespace vek5
