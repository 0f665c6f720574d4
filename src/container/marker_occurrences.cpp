#include "container/marker_occurrences.h"

#include <algorithm>
#include <climits>

#include "container/readers.h"

namespace vek5 {
namespace {

// Beyond this many the occurrences are searched for as usual, so hostile files full of markers
// cannot make the list large.
constexpr size_t kMaxRemembered = size_t{1} << 16;

}  // namespace

MarkerOccurrences::MarkerOccurrences(const SaveImage& save, int32_t marker, int32_t start)
    : save_(save), marker_(marker), start_(start), searched_to_(start) {}

int32_t MarkerOccurrences::Next(int32_t from) {
  // Outside the remembered stretch: an ordinary search. (At or before offset 0 a result of 0
  // could be a match, so nothing there is remembered.)
  if (from <= 0 || from < start_ || from > searched_to_ || found_.size() >= kMaxRemembered) {
    return FindInt(save_, marker_, from);
  }
  const auto known = std::lower_bound(found_.begin(), found_.end(), from);
  if (known != found_.end()) return *known;
  const int32_t q =
      FindInt(save_, marker_, static_cast<int32_t>(std::min<int64_t>(searched_to_, INT32_MAX)));
  if (q == 0) {
    searched_to_ = int64_t{save_.DataLength} + 1;  // nothing further: every later search gives 0
    return 0;
  }
  found_.push_back(q);
  searched_to_ = int64_t{q} + 1;
  return q;
}

}  // namespace vek5
