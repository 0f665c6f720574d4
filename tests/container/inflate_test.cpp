// The loader's inflation against zlib as the reference: whole, truncated and damaged streams,
// streams ended as the game ends them (a sync flush, no final block, no checksum) and closed
// ones, bodies that inflate far beyond the usual ratio, and the shared real saves.
#include <gtest/gtest.h>
#include <isa-l/igzip_lib.h>
#include <zlib.h>

#include <cstring>
#include <optional>
#include <random>
#include <string>

#include "container/inflater.h"
#include "container/save_image.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

using testing::ByteWriter;

const std::vector<uint8_t> kHeader = {'H', 'E', 'A', 'D', 'E', 'R', '-', '-'};
const std::vector<uint8_t> kTail = {'T', 'A', 'I', 'L'};

// What zlib gives for a stream: the body up to the stream's end or the end of the input, or
// nothing when it finds the stream damaged.
std::optional<std::vector<uint8_t>> ZlibBody(const std::vector<uint8_t>& stream) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit");
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  std::vector<uint8_t> body;
  std::vector<uint8_t> window(size_t{1} << 20);
  std::optional<std::vector<uint8_t>> result;
  for (;;) {
    z.next_out = window.data();
    z.avail_out = static_cast<uInt>(window.size());
    const int status = inflate(&z, Z_NO_FLUSH);
    body.insert(body.end(), window.data(), window.data() + (window.size() - z.avail_out));
    if (status == Z_STREAM_END || (status == Z_BUF_ERROR && z.avail_in == 0) ||
        (status == Z_OK && z.avail_in == 0 && z.avail_out > 0)) {
      result = std::move(body);
      break;
    }
    if (status != Z_OK) break;
  }
  inflateEnd(&z);
  return result;
}

// Compresses as the game does: a sync flush and no final block (or closed, as zlib would).
std::vector<uint8_t> Deflate(const std::vector<uint8_t>& body, bool closed) {
  z_stream z{};
  if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) throw std::runtime_error("deflateInit");
  std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(body.size())) + 64);
  z.next_in = const_cast<Bytef*>(body.data());
  z.avail_in = static_cast<uInt>(body.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, closed ? Z_FINISH : Z_SYNC_FLUSH);
  out.erase(out.end() - static_cast<std::ptrdiff_t>(z.avail_out), out.end());
  deflateEnd(&z);
  return out;
}

// A save file holding the stream in one chunk, and the body the loader makes of it.
std::vector<uint8_t> FileWithStream(const std::vector<uint8_t>& stream) {
  ByteWriter w;
  w.Bytes(kHeader);
  w.Int(static_cast<int32_t>(stream.size()));
  w.Bytes(stream);
  w.Int(0);
  w.Bytes(kTail);
  return w.bytes();
}

std::vector<uint8_t> LoadedBody(const std::vector<uint8_t>& stream) {
  const SaveImage image = AssembleSave(FileWithStream(stream));
  const auto& b = image.SaveBuffer;
  EXPECT_EQ(image.DataLength, static_cast<int32_t>(b.size()));
  return {b.begin() + image.BodyOffset, b.end() - 4 - static_cast<long>(kTail.size())};
}

// Bodies of different kinds: text-like, incompressible, and one that inflates about 80-fold.
std::vector<uint8_t> TextLike(size_t size) {
  std::mt19937 random(7);
  std::vector<uint8_t> body(size);
  for (auto& b : body) b = static_cast<uint8_t>("AAAABBBCCD ,.xyz"[random() % 16]);
  return body;
}

std::vector<uint8_t> Noise(size_t size) {
  std::mt19937 random(11);
  std::vector<uint8_t> body(size);
  for (auto& b : body) b = static_cast<uint8_t>(random());
  return body;
}

// Mostly runs of zeros with a random byte now and then, as on an early huge map.
std::vector<uint8_t> SparseMap(size_t size, uint32_t spacing) {
  std::mt19937 random(13);
  std::vector<uint8_t> body(size);
  for (auto& b : body) b = random() % spacing == 0 ? static_cast<uint8_t>(random()) : 0;
  return body;
}

struct BodyCase {
  const char* Name;
  std::vector<uint8_t> Body;
};

const std::vector<BodyCase>& Bodies() {
  static const std::vector<BodyCase> bodies = {
      {"empty", {}},
      {"one byte", {42}},
      {"text", TextLike(3'000'000)},
      {"noise", Noise(700'000)},
      {"sparse", SparseMap(4'000'000, 300)},
  };
  return bodies;
}

TEST(Inflation, GivesZlibsBodyForEveryKindOfStream) {
  for (const BodyCase& c : Bodies()) {
    for (const bool closed : {false, true}) {
      SCOPED_TRACE(std::string(c.Name) + (closed ? ", closed" : ", as the game ends it"));
      const auto stream = Deflate(c.Body, closed);
      const auto reference = ZlibBody(stream);
      ASSERT_TRUE(reference.has_value());
      EXPECT_EQ(*reference, c.Body);
      EXPECT_TRUE(LoadedBody(stream) == *reference);
    }
  }
}

TEST(Inflation, ATruncatedStreamGivesZlibsShorterBody) {
  for (const BodyCase& c : Bodies()) {
    const auto stream = Deflate(c.Body, false);
    for (const size_t keep : {size_t{2}, size_t{3}, stream.size() / 7, stream.size() / 2,
                              stream.size() * 9 / 10, stream.size() - 1}) {
      if (keep < 2 || keep >= stream.size()) continue;
      SCOPED_TRACE(std::string(c.Name) + " cut to " + std::to_string(keep));
      const std::vector<uint8_t> cut(stream.begin(), stream.begin() + static_cast<long>(keep));
      const auto reference = ZlibBody(cut);
      ASSERT_TRUE(reference.has_value());
      EXPECT_TRUE(LoadedBody(cut) == *reference);
    }
  }
}

// A damaged stream gives the body zlib gives, or an error that says what is wrong in words.
TEST(Inflation, ADamagedStreamGivesZlibsBodyOrAClearError) {
  const auto body = TextLike(400'000);
  const auto stream = Deflate(body, true);
  std::vector<size_t> places;
  for (size_t i = 0; i < 60; ++i) places.push_back(2 + (stream.size() - 2) * i / 60);
  for (size_t i = 1; i <= 4; ++i) places.push_back(stream.size() - i);  // the checksum
  int errors = 0;
  for (const size_t at : places) {
    auto damaged = stream;
    damaged[at] ^= static_cast<uint8_t>(0x5A + at);
    SCOPED_TRACE("damaged at " + std::to_string(at));
    const auto reference = ZlibBody(damaged);
    try {
      const auto loaded = LoadedBody(damaged);
      ASSERT_TRUE(reference.has_value()) << "zlib refuses what the loader accepts";
      EXPECT_TRUE(loaded == *reference);
    } catch (const LoadError& e) {
      ++errors;
      const std::string message = e.what();
      EXPECT_NE(message.find("damaged: "), std::string::npos) << message;
      EXPECT_EQ(message.find("code"), std::string::npos) << message;
    }
  }
  EXPECT_GT(errors, 30);
}

TEST(Inflation, EveryErrorCodeHasAMessageInWords) {
  for (const int status :
       {ISAL_INVALID_BLOCK, ISAL_INVALID_SYMBOL, ISAL_INVALID_LOOKBACK, ISAL_INVALID_WRAPPER,
        ISAL_UNSUPPORTED_METHOD, ISAL_INCORRECT_CHECKSUM, ISAL_NEED_DICT}) {
    const std::string message = InflateFailure(status);
    EXPECT_GT(message.size(), 20u) << status;
    EXPECT_EQ(message.find_first_of("0123456789"), std::string::npos) << message;
  }
  EXPECT_NE(InflateFailure(-99).find("unknown"), std::string::npos);
}

// A huge map early in a game: about 1 MB of stream for a body of 85 MB. The body lands in the
// room reserved for it at once and never moves.
TEST(Inflation, ABodyInflatingFarBeyondSixtyFourFoldIsWholeAndNeverMoves) {
  const auto body = SparseMap(size_t{85} << 20, 350);
  const auto stream = Deflate(body, false);
  EXPECT_GT(body.size() / stream.size(), 64u);
  const SaveImage image = AssembleSave(FileWithStream(stream));
  const auto& b = image.SaveBuffer;
  EXPECT_GE(b.capacity(), static_cast<size_t>(kMaxImageSize));
  ASSERT_EQ(b.size(), kHeader.size() + 4 + body.size() + 4 + kTail.size());
  EXPECT_TRUE(std::equal(body.begin(), body.end(), b.begin() + image.BodyOffset));
}

TEST(Inflation, SharedSavesGiveZlibsBody) {
  bool any = false;
  for (const char* name : {"base-turn50.Vek5Save", "base-turn95.Vek5Save",
                           "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (path.empty()) continue;
    any = true;
    SCOPED_TRACE(name);
    const auto file = testing::ReadFile(path);
    const SaveImage image = AssembleSave(file);
    // The chunks joined, read independently of the loader.
    std::vector<uint8_t> stream;
    size_t at = static_cast<size_t>(image.BodyOffset) - 4;
    for (;;) {
      int32_t length = 0;
      if (at + 4 > file.size()) break;
      std::memcpy(&length, file.data() + at, 4);
      if (length <= 1) break;
      const size_t take = std::min<size_t>(static_cast<size_t>(length), file.size() - at - 4);
      stream.insert(stream.end(), file.begin() + static_cast<long>(at) + 4,
                    file.begin() + static_cast<long>(at + 4 + take));
      at += 4 + static_cast<size_t>(length);
    }
    const auto reference = ZlibBody(stream);
    ASSERT_TRUE(reference.has_value());
    const size_t tail = file.size() - static_cast<size_t>(image.BodyOffset) - stream.size();
    ASSERT_EQ(image.SaveBuffer.size(), image.BodyOffset + reference->size() + tail);
    EXPECT_TRUE(std::equal(reference->begin(), reference->end(),
                           image.SaveBuffer.begin() + image.BodyOffset));
  }
  if (!any) GTEST_SKIP() << "shared saves are not present";
}

}  // namespace
}  // namespace vek5
