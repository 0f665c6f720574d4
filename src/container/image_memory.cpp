// Mapped blocks for save images, with a plain allocation where the system has no mappings.
#include "container/image_memory.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/mman.h>
#define VEK5_MAPPED_IMAGES 1
#endif

namespace vek5 {
namespace {

// Smaller blocks (test images, copies of tiny saves) come from the ordinary heap.
constexpr size_t kMappedBlockSize = size_t{1} << 20;

}  // namespace

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
