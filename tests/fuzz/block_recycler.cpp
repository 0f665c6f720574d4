#include "block_recycler.h"

#include <sanitizer/allocator_interface.h>
#include <sanitizer/asan_interface.h>

#include <array>
#include <cstddef>
#include <cstdlib>
#include <mutex>
#include <new>

namespace vek5::fuzz {

namespace {

// Blocks from this size on bypass the sanitizer's size-class allocator and are mapped afresh.
constexpr size_t kLargeBlock = size_t{128} << 10;
// Large requests are rounded up to a quarter of their power of two, so that tables sized by a
// count read from the input (which varies between executions) still find a block to reuse.
constexpr int kStepsPerDoubling = 4;
// Distinct block sizes and blocks per size kept; a block that does not fit is freed as usual.
constexpr size_t kSizes = 64;
constexpr size_t kBlocksPerSize = 256;

struct SizeShelf {
  size_t Size = 0;
  size_t Ready = 0;  // blocks [0, Ready) may be handed out in this execution
  size_t Held = 0;   // blocks [Ready, Held) were freed in this execution
  std::array<void*, kBlocksPerSize> Blocks{};
};

// Plain arrays only: the shelves must not allocate, since they serve operator new.
struct Shelves {
  std::mutex Lock;
  std::array<SizeShelf, kSizes> Sizes{};
  size_t Used = 0;
};

Shelves& TheShelves() {
  static Shelves shelves;
  return shelves;
}

SizeShelf* ShelfOf(Shelves& shelves, size_t size, bool create) {
  for (size_t i = 0; i < shelves.Used; ++i) {
    if (shelves.Sizes[i].Size == size) return &shelves.Sizes[i];
  }
  if (!create || shelves.Used == kSizes) return nullptr;
  SizeShelf& shelf = shelves.Sizes[shelves.Used++];
  shelf.Size = size;
  return &shelf;
}

size_t BlockSizeFor(size_t request) {
  size_t power = kLargeBlock;
  while (power <= request / 2) power *= 2;
  const size_t step = power / kStepsPerDoubling;
  return (request + step - 1) / step * step;
}

// A block of the shelf's size whose first size bytes are usable; the rest stays poisoned.
void* TakeBlock(size_t block_size, size_t size) {
  Shelves& shelves = TheShelves();
  std::lock_guard<std::mutex> lock(shelves.Lock);
  SizeShelf* shelf = ShelfOf(shelves, block_size, false);
  if (shelf == nullptr || shelf->Ready == 0) return nullptr;
  void* block = shelf->Blocks[--shelf->Ready];
  // The last freed-this-run block fills the hole, so [Ready, Held) stays the freed ones.
  shelf->Blocks[shelf->Ready] = shelf->Blocks[--shelf->Held];
  __asan_unpoison_memory_region(block, size);
  return block;
}

bool KeepBlock(void* block, size_t size) {
  Shelves& shelves = TheShelves();
  std::lock_guard<std::mutex> lock(shelves.Lock);
  SizeShelf* shelf = ShelfOf(shelves, size, true);
  if (shelf == nullptr || shelf->Held == kBlocksPerSize) return false;
  __asan_poison_memory_region(block, size);
  shelf->Blocks[shelf->Held++] = block;
  return true;
}

void* Allocate(size_t size) {
  if (size < kLargeBlock) return std::malloc(size == 0 ? 1 : size);
  const size_t block_size = BlockSizeFor(size);
  if (void* block = TakeBlock(block_size, size)) return block;
  void* block = std::malloc(block_size);
  if (block != nullptr)
    __asan_poison_memory_region(static_cast<char*>(block) + size, block_size - size);
  return block;
}

void Release(void* block) {
  if (block == nullptr) return;
  // A large block's allocated size is its rounded block size.
  const size_t size = __sanitizer_get_allocated_size(block);
  if (size >= kLargeBlock && KeepBlock(block, size)) return;
  std::free(block);
}

}  // namespace

void RecycleFreedBlocks() {
  Shelves& shelves = TheShelves();
  std::lock_guard<std::mutex> lock(shelves.Lock);
  for (size_t i = 0; i < shelves.Used; ++i) shelves.Sizes[i].Ready = shelves.Sizes[i].Held;
}

}  // namespace vek5::fuzz

void* operator new(size_t size) {
  if (void* block = vek5::fuzz::Allocate(size)) return block;
  throw std::bad_alloc();
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  return vek5::fuzz::Allocate(size);
}
void operator delete(void* block) noexcept {
  vek5::fuzz::Release(block);
}
void operator delete(void* block, size_t) noexcept {
  vek5::fuzz::Release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  vek5::fuzz::Release(block);
}
