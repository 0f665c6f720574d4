// Inflation of the save's zlib stream with ISA-L, window by window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

struct inflate_state;

namespace vek5 {

// Why an inflation stopped, in words, for an error code of the inflater.
std::string InflateFailure(int status);

// An inflation of one zlib stream held in memory (the input must outlive it).
class Inflater {
 public:
  explicit Inflater(std::span<const uint8_t> input);
  ~Inflater();
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Starts again from the first byte of the input.
  void Rewind();

  // Inflates into [out, out + room); sets produced. Returns true while the stream has more to
  // give. The game ends its stream without a final block: the input running out while there is
  // room left ends the body, and a truncated stream gives the bytes that came out. A damaged
  // stream throws LoadError.
  bool Step(uint8_t* out, size_t room, size_t& produced);

  // After the last step: the input ended inside a block. The game ends its stream with a sync
  // flush and no final block, so a whole body ends on a block boundary with its input.
  bool EndedInsideBlock() const;

  // Once the stream has ended with its checksum (the game's streams never do), checks it
  // against the whole body; throws LoadError when they differ.
  void CheckSum(const uint8_t* body, size_t size) const;

 private:
  std::span<const uint8_t> input_;
  std::unique_ptr<inflate_state> state_;  // tens of KiB: kept off the stack
};

}  // namespace vek5
