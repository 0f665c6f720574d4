#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "analysis/save5_analyse.h"
#include "cli/commands.h"
#include "cli/map_image.h"
#include "container/save_image.h"
#include "support/map_state.h"
#include "support/save_builder.h"

namespace vek5::cli {
namespace {

int RunMap(const std::vector<std::string>& args, std::string* err_text = nullptr) {
  std::ostringstream out;
  std::ostringstream err;
  std::vector<std::string> all = {"map"};
  all.insert(all.end(), args.begin(), args.end());
  const int status = RunVek5(all, out, err);
  if (err_text) *err_text = err.str();
  return status;
}

std::unique_ptr<GameState> SampleWorld() {
  auto state = NewGameState();
  testing::LaySampleWorld(*state, 40, 24, 4);
  return state;
}

uint32_t BigEndian(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t{bytes.at(at)} << 24 | uint32_t{bytes.at(at + 1)} << 16 |
         uint32_t{bytes.at(at + 2)} << 8 | bytes.at(at + 3);
}

TEST(MapImage, TheOutputsExtensionChoosesTheFormat) {
  EXPECT_EQ(ImageFormatOf("a.png"), ImageFormat::kPng);
  EXPECT_EQ(ImageFormatOf("dir.x/A.PNG"), ImageFormat::kPng);
  EXPECT_EQ(ImageFormatOf("a.Svg"), ImageFormat::kSvg);
  EXPECT_EQ(ImageFormatOf("a.pdf"), ImageFormat::kPdf);
  EXPECT_EQ(ImageFormatOf("a.jpg"), std::nullopt);
  EXPECT_EQ(ImageFormatOf("png"), std::nullopt);
}

TEST(MapImage, WritesThePictureAsPngSvgAndPdf) {
  auto state = SampleWorld();
  MapSelection selection;
  selection.TileWidth = 30;
  const MapPicture picture = BuildMapPicture(*state, selection);
  const struct {
    const char* Name;
    ImageFormat Format;
    std::string Start;
  } cases[] = {
      {"vek5-map.png", ImageFormat::kPng, "\x89PNG"},
      {"vek5-map.svg", ImageFormat::kSvg, "<?xml"},
      {"vek5-map.pdf", ImageFormat::kPdf, "%PDF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string path = testing::TempPath(c.Name);
    WriteMapImage(picture, path, c.Format);
    const std::vector<uint8_t> bytes = testing::ReadFile(path);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<long>(c.Start.size())),
              c.Start);
    if (c.Format != ImageFormat::kPng) continue;
    EXPECT_EQ(BigEndian(bytes, 16), static_cast<uint32_t>(std::ceil(picture.Width)));
    EXPECT_EQ(BigEndian(bytes, 20), static_cast<uint32_t>(std::ceil(picture.Height)));
  }
}

TEST(MapImage, RefusesWhatItCannotWrite) {
  auto state = SampleWorld();
  const MapPicture picture = BuildMapPicture(*state, MapSelection{});
  EXPECT_THROW(WriteMapImage(picture, testing::TempPath("no-such-dir/m.png"), ImageFormat::kPng),
               std::runtime_error);
  EXPECT_THROW(WriteMapImage(picture, testing::TempPath("no-such-dir/m.svg"), ImageFormat::kSvg),
               std::runtime_error);
  // A raster of a huge map at the largest tiles would take gigabytes: refused with the reason.
  testing::LayFlatMap(*state, 1024, 1024);
  MapSelection largest;
  largest.TileWidth = kMapMaxTileWidth;
  try {
    WriteMapImage(BuildMapPicture(*state, largest), testing::TempPath("m.png"), ImageFormat::kPng);
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("smaller tile size"), std::string::npos);
  }
}

TEST(MapCommand, UsageErrorsExitTwo) {
  const std::string save = testing::TempPath("vek5-map.Vek5Save");
  testing::WriteFile(save, testing::WriteSaveFile(testing::GameDescription{}));
  const std::vector<std::vector<std::string>> cases = {
      {save},
      {"-o", testing::TempPath("m.png")},
      {save, "-o", testing::TempPath("m.jpg")},
      {save, "-o", testing::TempPath("m.png"), "--tile-size", "0"},
      {save, "-o", testing::TempPath("m.png"), "--tile-size", "1000"},
      {save, "-o", testing::TempPath("m.png"), "--seen-by", "-3"},
  };
  for (const auto& args : cases) {
    std::string err;
    EXPECT_EQ(RunMap(args, &err), kExitUsage) << args.size();
    EXPECT_FALSE(err.empty());
  }
}

TEST(MapCommand, ASaveThatCannotBeReadExitsOneNamingIt) {
  const std::string absent = testing::TempPath("vek5-map-absent.Vek5Save");
  std::string err;
  EXPECT_EQ(RunMap({absent, "-o", testing::TempPath("m.png")}, &err), kExitUnusableFile);
  EXPECT_EQ(err.rfind("vek5: " + absent + ": ", 0), 0u) << err;
}

// The shared saves drawn in each format, and as one team has seen them.
TEST(MapCommand, DrawsTheRealSaves) {
  for (const char* name : {"base-turn95.Vek5Save", "zeph-hotseat-turn164.Vek5Save",
                           "zeph-latestart-turn179.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (path.empty()) GTEST_SKIP() << "real saves not present";
    const std::unique_ptr<GameState> state = Save5Analyse(LoadSave(path));
    if (!state->Map.Readable()) GTEST_SKIP() << "the analysis reads no map yet";
    for (const char* extension : {".png", ".svg", ".pdf"}) {
      const std::string out = testing::TempPath(std::string(name) + extension);
      std::string err;
      EXPECT_EQ(RunMap({path, "-o", out}, &err), kExitOk) << name << err;
      EXPECT_GT(testing::ReadFile(out).size(), 10000u) << name << extension;
    }
    ASSERT_FALSE(state->Map.Teams.empty()) << name;
    const std::string team = std::to_string(state->Map.Teams.front().Team);
    EXPECT_EQ(RunMap({path, "-o", testing::TempPath("seen.png"), "--seen-by", team}), kExitOk);
    std::string err;
    EXPECT_EQ(RunMap({path, "-o", testing::TempPath("seen.png"), "--seen-by", "79"}, &err),
              kExitUsage);
    EXPECT_NE(err.find("Team " + team), std::string::npos) << err;
  }
}

}  // namespace
}  // namespace vek5::cli
