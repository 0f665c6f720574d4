// The shared real saves and the builder's sample games of every layout, damaged: cut short at
// evenly spaced lengths and with bytes flipped at spread positions, both in the file (which
// mostly just fails inflation) and in the assembled image (which the analysis then reads).
// Every variant must end in a clear error or in an analysis; a crash, a hang or a sanitizer
// report fails the run.
//
// VEK5_DAMAGE_POSITIONS sets the number of lengths and positions per save (200 by default), for
// a quicker or a denser sweep.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
#include "support/sample_games.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

constexpr int kDefaultPositions = 200;
// File variants go through inflation, which costs as much as an analysis; fewer of them.
constexpr int kFileVariantShare = 10;

int Positions() {
  const char* text = std::getenv("VEK5_DAMAGE_POSITIONS");
  const int n = text ? std::atoi(text) : kDefaultPositions;
  return std::max(n, 1);
}

// Position i of n spread evenly over [first, end).
size_t Spread(size_t first, size_t end, int i, int n) {
  return first + (end - first) * static_cast<size_t>(i) / static_cast<size_t>(n);
}

SaveImage ImageOfBytes(std::vector<uint8_t> bytes, int32_t body_offset) {
  SaveImage image;
  image.SaveBuffer = std::move(bytes);
  image.DataLength = static_cast<int32_t>(image.SaveBuffer.size());
  image.BodyOffset = body_offset;
  return image;
}

// An analysis or a clear error; anything else escapes and fails the test.
void AnalyseOrRefuse(const SaveImage& image) {
  try {
    const auto state = Save5Analyse(image);
    EXPECT_GE(state->PlayerCount, 0);
    EXPECT_LE(state->PlayerCount, kMaxSlots);
  } catch (const AnalysisError& e) {
    EXPECT_STRNE(e.what(), "");
  }
}

void LoadOrRefuse(const std::vector<uint8_t>& file) {
  SaveImage image;
  try {
    image = AssembleSave(file);
  } catch (const LoadError& e) {
    EXPECT_STRNE(e.what(), "");
    return;
  }
  AnalyseOrRefuse(image);
}

void SweepImageCuts(const SaveImage& whole, int n) {
  const auto& bytes = whole.SaveBuffer;
  for (int i = 0; i < n; ++i) {
    const size_t length = Spread(0, bytes.size(), i, n);
    SCOPED_TRACE("cut at " + std::to_string(length));
    AnalyseOrRefuse(
        ImageOfBytes({bytes.begin(), bytes.begin() + static_cast<long>(length)}, whole.BodyOffset));
  }
}

void SweepBodyFlips(SaveImage image, int n) {
  for (int i = 0; i < n; ++i) {
    const size_t at = Spread(static_cast<size_t>(image.BodyOffset), image.SaveBuffer.size(), i, n);
    SCOPED_TRACE("flipped at " + std::to_string(at));
    image.SaveBuffer[at] ^= 0xFF;
    AnalyseOrRefuse(image);
    image.SaveBuffer[at] ^= 0xFF;
  }
}

void SweepFileDamage(std::vector<uint8_t> file, int n) {
  for (int i = 0; i < n; ++i) {
    const size_t length = Spread(0, file.size(), i, n);
    SCOPED_TRACE("file cut at " + std::to_string(length));
    LoadOrRefuse({file.begin(), file.begin() + static_cast<long>(length)});
  }
  for (int i = 0; i < n; ++i) {
    const size_t at = Spread(0, file.size(), i, n);
    SCOPED_TRACE("file flipped at " + std::to_string(at));
    file[at] ^= 0xFF;
    LoadOrRefuse(file);
    file[at] ^= 0xFF;
  }
}

std::string TestNameOf(std::string name) {
  name = name.substr(0, name.find('.'));
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

class DamagedSave : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    path_ = testing::SharedSave(GetParam());
    if (path_.empty()) GTEST_SKIP() << GetParam() << " is not there";
    file_ = testing::ReadFile(path_);
    image_ = AssembleSave(file_);
  }

  std::string path_;
  std::vector<uint8_t> file_;
  SaveImage image_;
};

TEST_P(DamagedSave, ImageCutAtAnyLengthIsAnalysedOrRefused) {
  SweepImageCuts(image_, Positions());
}

TEST_P(DamagedSave, ImageWithAByteOfTheBodyFlippedIsAnalysedOrRefused) {
  SweepBodyFlips(image_, Positions());
}

TEST_P(DamagedSave, FileCutOrFlippedIsLoadedOrRefused) {
  SweepFileDamage(file_, std::max(Positions() / kFileVariantShare, 1));
}

INSTANTIATE_TEST_SUITE_P(SharedSaves, DamagedSave,
                         ::testing::Values("base-turn50.Vek5Save", "base-turn95.Vek5Save",
                                           "zeph-hotseat-turn164.Vek5Save",
                                           "zeph-turn238.Vek5Save"),
                         [](const auto& info) { return TestNameOf(info.param); });

// The sample games are small: their files are swept as densely as their images.
class DamagedSampleGame : public ::testing::TestWithParam<testing::SampleGame> {
 protected:
  void SetUp() override {
    file_ = testing::WriteSaveFile(GetParam().Game);
    image_ = AssembleSave(file_);
    // An undamaged sample is analysed in full: the sweeps start from a save that reads.
    ASSERT_FALSE(image_.EndsEarly);
    ASSERT_GT(Save5Analyse(image_)->PlayerCount, 0);
  }

  std::vector<uint8_t> file_;
  SaveImage image_;
};

TEST_P(DamagedSampleGame, ImageCutAtAnyLengthIsAnalysedOrRefused) {
  SweepImageCuts(image_, Positions());
}

TEST_P(DamagedSampleGame, ImageWithAByteOfTheBodyFlippedIsAnalysedOrRefused) {
  SweepBodyFlips(image_, Positions());
}

TEST_P(DamagedSampleGame, FileCutOrFlippedIsLoadedOrRefused) {
  SweepFileDamage(file_, Positions());
}

INSTANTIATE_TEST_SUITE_P(Layouts, DamagedSampleGame, ::testing::ValuesIn(testing::SampleGames()),
                         [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace vek5
