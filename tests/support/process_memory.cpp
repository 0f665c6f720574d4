#include "support/process_memory.h"

#include <fstream>
#include <string>

namespace vek5::testing {
namespace {

// A "Name:   value kB" line of /proc/self/status.
int64_t StatusKiB(const std::string& name) {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == name + ":") {
      int64_t kib = -1;
      status >> kib;
      return kib;
    }
    status.ignore(1 << 12, '\n');
  }
  return -1;
}

}  // namespace

int64_t PeakResidentKiB() {
  return StatusKiB("VmHWM");
}

int64_t ResidentKiB() {
  return StatusKiB("VmRSS");
}

}  // namespace vek5::testing
