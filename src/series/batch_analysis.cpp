#include "series/batch_analysis.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <thread>

namespace vek5 {

unsigned WorkerCount(unsigned requested, size_t count) {
  const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  const unsigned wanted = requested > 0 ? requested : cores;
  return static_cast<unsigned>(std::max<size_t>(std::min<size_t>(wanted, count), 1));
}

std::vector<SaveRecord> AnalyseSaves(const std::vector<std::string>& files,
                                     const BatchOptions& options) {
  std::vector<std::optional<SaveRecord>> slots(files.size());
  std::atomic<size_t> next{0};
  std::mutex report;
  const auto work = [&] {
    for (;;) {
      if (options.Cancel && options.Cancel->load()) return;
      const size_t i = next.fetch_add(1);
      if (i >= files.size()) return;
      SaveRecord record = SummariseSave(files[i]);
      const std::lock_guard<std::mutex> lock(report);
      if (options.OnSave) options.OnSave(i, record);
      slots[i] = std::move(record);
    }
  };
  {
    std::vector<std::jthread> workers;
    const unsigned count = WorkerCount(options.Threads, files.size());
    for (unsigned w = 1; w < count; ++w) workers.emplace_back(work);
    work();  // the calling thread is one of the workers
  }
  std::vector<SaveRecord> records;
  records.reserve(files.size());
  for (std::optional<SaveRecord>& slot : slots) {
    if (slot) records.push_back(std::move(*slot));
  }
  return records;
}

}  // namespace vek5
