// Files whose sizes are hostile: a small file whose body inflates past the accepted image size
// must be refused before the whole body is ever held in memory.
#include <zlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <string>

#include "container/save_image.h"
#include "support/save_builder.h"

namespace {

// The largest single allocation made through operator new while a probe is on.
std::atomic<bool> g_probing{false};
std::atomic<size_t> g_largest{0};

void* Allocate(size_t size) {
  if (g_probing) {
    size_t seen = g_largest;
    while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
    }
  }
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(size_t size) {
  return Allocate(size);
}
void* operator new[](size_t size) {
  return Allocate(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
  std::free(p);
}

namespace vek5 {
namespace {

// A zlib stream of `mebibytes` MiB of zeros, made without ever holding them: after a full
// flush deflate starts afresh, so every further MiB compresses to the same bytes.
std::vector<uint8_t> ZerosStream(size_t mebibytes) {
  const std::vector<uint8_t> zeros(size_t{1} << 20, 0);
  z_stream stream{};
  EXPECT_EQ(deflateInit(&stream, Z_DEFAULT_COMPRESSION), Z_OK);
  auto deflate_mib = [&] {
    std::vector<uint8_t> out(deflateBound(&stream, zeros.size()) + 64);
    stream.next_in = const_cast<Bytef*>(zeros.data());
    stream.avail_in = static_cast<uInt>(zeros.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FULL_FLUSH), Z_OK);
    const auto used = static_cast<std::ptrdiff_t>(out.size() - stream.avail_out);
    return std::vector<uint8_t>(out.begin(), out.begin() + used);
  };
  std::vector<uint8_t> all = deflate_mib();  // with the zlib header
  const std::vector<uint8_t> repeated = deflate_mib();
  for (size_t i = 1; i < mebibytes; ++i) all.insert(all.end(), repeated.begin(), repeated.end());
  deflateEnd(&stream);
  return all;
}

std::vector<uint8_t> SaveWithStream(const std::vector<uint8_t>& stream) {
  testing::ByteWriter file;
  file.Bytes(std::vector<uint8_t>(16, 'H'));
  file.Int(static_cast<int32_t>(stream.size()));
  file.Bytes(stream);
  file.Int(0);
  return file.bytes();
}

TEST(HostileSizes, ABodyInflatingPastTheLimitIsRefusedWithoutHoldingIt) {
  const size_t mebibytes = static_cast<size_t>(kMaxImageSize >> 20) + 64;
  const std::vector<uint8_t> file = SaveWithStream(ZerosStream(mebibytes));
  ASSERT_LT(file.size(), size_t{4} << 20);  // a small file
  g_largest = 0;
  g_probing = true;
  std::string message;
  try {
    AssembleSave(file);
  } catch (const LoadError& e) {
    message = e.what();
  }
  g_probing = false;
  EXPECT_NE(message.find("more than 1024 MiB"), std::string::npos) << message;
  EXPECT_LT(g_largest.load(), static_cast<size_t>(kMaxImageSize / 4));
}

TEST(HostileSizes, ALargeBodyWithinTheLimitIsInflatedWhole) {
  // Larger than what is inflated in one go, so the body is measured first and then kept.
  const size_t mebibytes = 160;
  const SaveImage image = AssembleSave(SaveWithStream(ZerosStream(mebibytes)));
  const size_t body = static_cast<size_t>(image.DataLength - image.BodyOffset) - 4;  // terminator
  EXPECT_EQ(body, mebibytes << 20);
  EXPECT_TRUE(std::all_of(image.SaveBuffer.begin() + image.BodyOffset,
                          image.SaveBuffer.begin() + image.BodyOffset + 4096,
                          [](uint8_t b) { return b == 0; }));
}

}  // namespace
}  // namespace vek5
