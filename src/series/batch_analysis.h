// Many saves analysed at once on a small pool of worker threads, one save per worker at a time.
// Results come back in the order of the files given, whatever order the workers finish in.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "series/save_summary.h"

namespace vek5 {

struct BatchOptions {
  // Worker threads; 0 takes one per core of the machine.
  unsigned Threads = 0;
  // Called once per analysed save with its index in the file list, from the worker that
  // analysed it; calls never overlap.
  std::function<void(size_t index, const SaveRecord& record)> OnSave;
  // When set, workers take no further save; the saves already taken are finished.
  const std::atomic<bool>* Cancel = nullptr;
};

// The workers a batch of count files uses.
unsigned WorkerCount(unsigned requested, size_t count);

// One record per file, in the files' order. A cancelled batch returns the records of the saves
// that were analysed, still in the files' order.
std::vector<SaveRecord> AnalyseSaves(const std::vector<std::string>& files,
                                     const BatchOptions& options = {});

}  // namespace vek5
