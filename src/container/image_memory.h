// Memory of save images. Blocks of a mebibyte or more are mapped straight from the system: a
// block reserved for the largest accepted image costs only the pages that are written, never
// moves while the image grows into it, is backed by huge pages where the system allows it, and
// goes back to the system with the image. Growing a buffer leaves its new bytes unset, since the
// loader overwrites them at once; a fresh block of the system reads as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace vek5 {

// Sets the process's heap up for analyses: grown in one large step advised for huge pages, so
// that the analysis's first writes to fresh memory do not fault page by page. Call once at start.
void PrepareProcessHeap();

// Throws std::bad_alloc when the system refuses.
void* AllocateImageMemory(size_t size);
void FreeImageMemory(void* block, size_t size) noexcept;

template <typename T>
struct ImageAllocator {
  using value_type = T;

  ImageAllocator() = default;
  template <typename U>
  ImageAllocator(const ImageAllocator<U>&) noexcept {}

  T* allocate(size_t n) { return static_cast<T*>(AllocateImageMemory(n * sizeof(T))); }
  void deallocate(T* p, size_t n) noexcept { FreeImageMemory(p, n * sizeof(T)); }

  // Default-initialises, so resize() does not zero-fill bytes the inflater writes next.
  template <typename U>
  void construct(U* p) {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  friend bool operator==(const ImageAllocator&, const ImageAllocator&) { return true; }
};

// The bytes of an image. Plain byte vectors convert by copy (tests and tools build images so).
class ImageBytes : public std::vector<uint8_t, ImageAllocator<uint8_t>> {
 public:
  using Base = std::vector<uint8_t, ImageAllocator<uint8_t>>;
  using Base::Base;
  ImageBytes() = default;
  ImageBytes(const std::vector<uint8_t>& bytes) : Base(bytes.begin(), bytes.end()) {}
  ImageBytes& operator=(const std::vector<uint8_t>& bytes) {
    assign(bytes.begin(), bytes.end());
    return *this;
  }
};

}  // namespace vek5
