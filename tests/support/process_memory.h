// The resident memory of this process, as the system counts it (Linux; -1 elsewhere).
#pragma once

#include <cstdint>

namespace vek5::testing {

// The most resident memory the process has had so far, in KiB.
int64_t PeakResidentKiB();
// The resident memory now, in KiB.
int64_t ResidentKiB();

}  // namespace vek5::testing
