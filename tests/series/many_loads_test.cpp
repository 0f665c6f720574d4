// The shared saves loaded one after another as the batch and the window load them: after the
// first rounds the peak resident memory stays where it is. The full figure (1,000 loads) comes
// from tools/many_loads; this is its quick form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "series/save_summary.h"
#include "support/process_memory.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

constexpr int kRounds = 10;
// Rounds before the peak is taken as the baseline: the allocator takes its arenas for the
// threads that scan large images during the first rounds, once.
constexpr int kWarmUpRounds = 2;
// What the peak may still grow by after the first round: allocator slack, not a save's worth.
constexpr int64_t kAllowedGrowthKiB = 4 * 1024;

// The address sanitizer holds freed memory back for a while, so under it the peak grows.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

TEST(ManyLoads, PeakMemoryStaysFlatAfterTheFirstRounds) {
  if (kAddressSanitizer) GTEST_SKIP() << "the address sanitizer holds freed memory back";
  std::vector<std::string> saves;
  for (const char* name : {"base-turn50.Vek5Save", "base-turn95.Vek5Save",
                           "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (!path.empty()) saves.push_back(path);
  }
  if (saves.empty()) GTEST_SKIP() << "shared saves are not present";
  int64_t after_warm_up = 0;
  for (int round = 0; round < kRounds; ++round) {
    for (const std::string& save : saves) {
      const SaveRecord record = SummariseSave(save);
      ASSERT_TRUE(record.Loaded()) << save << ": " << record.Error;
    }
    if (round + 1 == kWarmUpRounds) after_warm_up = testing::PeakResidentKiB();
  }
  EXPECT_LE(testing::PeakResidentKiB(), after_warm_up + kAllowedGrowthKiB);
}

}  // namespace
}  // namespace vek5
