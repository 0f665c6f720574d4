// The shared real saves, damaged: cut short at evenly spaced lengths and with bytes flipped at
// spread positions, both in the file (which mostly just fails inflation) and in the assembled
// image (which the analysis then reads). Every variant must end in a clear error or in an
// analysis; a crash, a hang or a sanitizer report fails the run.
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
  const int n = Positions();
  for (int i = 0; i < n; ++i) {
    const size_t length = Spread(0, image_.SaveBuffer.size(), i, n);
    SCOPED_TRACE("cut at " + std::to_string(length));
    const auto& bytes = image_.SaveBuffer;
    AnalyseOrRefuse(ImageOfBytes({bytes.begin(), bytes.begin() + static_cast<long>(length)},
                                 image_.BodyOffset));
  }
}

TEST_P(DamagedSave, ImageWithAByteOfTheBodyFlippedIsAnalysedOrRefused) {
  const int n = Positions();
  SaveImage image = image_;
  for (int i = 0; i < n; ++i) {
    const size_t at = Spread(static_cast<size_t>(image.BodyOffset), image.SaveBuffer.size(), i, n);
    SCOPED_TRACE("flipped at " + std::to_string(at));
    image.SaveBuffer[at] ^= 0xFF;
    AnalyseOrRefuse(image);
    image.SaveBuffer[at] ^= 0xFF;
  }
}

TEST_P(DamagedSave, FileCutOrFlippedIsLoadedOrRefused) {
  const int n = std::max(Positions() / kFileVariantShare, 1);
  for (int i = 0; i < n; ++i) {
    const size_t length = Spread(0, file_.size(), i, n);
    SCOPED_TRACE("file cut at " + std::to_string(length));
    LoadOrRefuse({file_.begin(), file_.begin() + static_cast<long>(length)});
  }
  std::vector<uint8_t> file = file_;
  for (int i = 0; i < n; ++i) {
    const size_t at = Spread(0, file.size(), i, n);
    SCOPED_TRACE("file flipped at " + std::to_string(at));
    file[at] ^= 0xFF;
    LoadOrRefuse(file);
    file[at] ^= 0xFF;
  }
}

INSTANTIATE_TEST_SUITE_P(SharedSaves, DamagedSave,
                         ::testing::Values("base-turn95.Vek5Save", "zeph-hotseat-turn164.Vek5Save",
                                           "zeph-turn238.Vek5Save"),
                         [](const auto& info) {
                           std::string name = info.param;
                           name = name.substr(0, name.find('.'));
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace vek5
