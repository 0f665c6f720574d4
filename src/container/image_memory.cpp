// Mapped blocks for save images, with a plain allocation where the system has no mappings.
#include "container/image_memory.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/mman.h>
#define VEK5_MAPPED_IMAGES 1
#endif
#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <unistd.h>
#define VEK5_TUNED_HEAP 1
#endif

namespace vek5 {
namespace {

// Smaller blocks (test images, copies of tiny saves) come from the ordinary heap.
constexpr size_t kMappedBlockSize = size_t{1} << 20;

#ifdef VEK5_TUNED_HEAP
// The heap grows by this much at a time: more than an analysis allocates beside its image (city
// records, history tables, texts), so that one step serves it.
constexpr size_t kHeapRoom = size_t{64} << 20;
// Blocks below this come from the heap, which keeps them after they are freed.
constexpr size_t kHeapBlockLimit = size_t{32} << 20;
constexpr uintptr_t kHugePageSize = uintptr_t{2} << 20;
constexpr uintptr_t kPageSize = 4096;
#endif

}  // namespace

void PrepareProcessHeap() {
#ifdef VEK5_TUNED_HEAP
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapBlockLimit));
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kHeapRoom));
  mallopt(M_TOP_PAD, static_cast<int>(kHeapRoom));
  // More than the start-up heap has left, so it grows by the pad now; the block starts where the
  // next allocations will. (Through a volatile pointer: the compiler may drop an allocation
  // that is freed unused.)
  void* volatile probe = malloc(kHugePageSize);
  const auto first = reinterpret_cast<uintptr_t>(probe) & ~(kPageSize - 1);
  free(probe);
  const auto end = reinterpret_cast<uintptr_t>(sbrk(0));
  const uintptr_t huge_from = (first + kHugePageSize - 1) & ~(kHugePageSize - 1);
  if (first == 0 || end <= huge_from) return;
  madvise(reinterpret_cast<void*>(huge_from), end - huge_from, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
  // Below the first huge page the heap stays in small pages: they are all made at once.
  madvise(reinterpret_cast<void*>(first), huge_from - first, MADV_POPULATE_WRITE);
#endif
#endif
}

void* AllocateImageMemory(size_t size) {
#ifdef VEK5_MAPPED_IMAGES
  if (size >= kMappedBlockSize) {
    int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#ifdef MAP_NORESERVE
    flags |= MAP_NORESERVE;  // reserved room is not counted against memory until written
#endif
    void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, flags, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    // Faulting a body in 4 KiB pages costs a large share of inflating it; a refusal changes
    // nothing.
    madvise(block, size, MADV_HUGEPAGE);
#endif
    return block;
  }
#endif
  return ::operator new(size);
}

void FreeImageMemory(void* block, size_t size) noexcept {
#ifdef VEK5_MAPPED_IMAGES
  if (size >= kMappedBlockSize) {
    munmap(block, size);
    return;
  }
#endif
  ::operator delete(block);
}

}  // namespace vek5
