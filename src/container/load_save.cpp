// Reading a save file and assembling its image.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <optional>

#include "container/inflater.h"
#include "container/save_image.h"

namespace vek5 {
namespace {

constexpr uint8_t kZlibHeader0 = 0x78;
constexpr uint8_t kZlibHeader1 = 0x9C;
// A stream found before this offset leaves no room for a header and a length field.
constexpr int64_t kMinStreamOffset = 8;
// Output of one inflate call: the body is written window by window straight where the image
// keeps it.
constexpr size_t kInflateWindow = size_t{1} << 20;
// Where the system refuses to reserve room for the largest image, room for a body this many
// times the compressed size is taken instead; a body that needs more then grows the buffer.
constexpr int64_t kFallbackInflationRatio = 96;

int32_t Int32At(const std::vector<uint8_t>& bytes, int64_t offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) {
    const int64_t at = offset + i;
    const uint8_t b = (at >= 0 && at < static_cast<int64_t>(bytes.size())) ? bytes[at] : 0;
    v = (v << 8) | b;
  }
  return static_cast<int32_t>(v);
}

// First offset q <= size - 4 holding the zlib header pair, or -1.
int64_t FindStream(const std::vector<uint8_t>& bytes) {
  const int64_t size = static_cast<int64_t>(bytes.size());
  const uint8_t* data = bytes.data();
  int64_t q = 0;
  while (q <= size - 4) {
    const void* hit = std::memchr(data + q, kZlibHeader0, static_cast<size_t>(size - 3 - q));
    if (!hit) return -1;
    q = static_cast<const uint8_t*>(hit) - data;
    if (data[q + 1] == kZlibHeader1) return q;
    ++q;
  }
  return -1;
}

struct JoinedChunks {
  std::span<const uint8_t> Bytes;  // the stream
  int64_t MissingBytes = 0;        // of a chunk cut by the end of the file
};

// Joins the length-prefixed chunks that start at stream_offset - 4 in place: each moves back over
// the length fields before it, so that the stream lies whole from stream_offset on. A chunk that
// runs past the end of the file is cut there; the first length of 1 or less ends the list. Only
// the bytes the stream then covers change.
JoinedChunks JoinChunksInPlace(std::vector<uint8_t>& bytes, int64_t stream_offset) {
  const int64_t size = static_cast<int64_t>(bytes.size());
  JoinedChunks chunks;
  int64_t joined = 0;
  int64_t pos = stream_offset - 4;
  int32_t len = Int32At(bytes, pos);
  while (len > 1) {
    const int64_t start = pos + 4;
    const int64_t take = std::clamp<int64_t>(size - start, 0, len);
    if (take > 0) {
      std::memmove(bytes.data() + stream_offset + joined, bytes.data() + start,
                   static_cast<size_t>(take));
    }
    joined += take;
    chunks.MissingBytes += len - take;
    pos = start + len;
    len = Int32At(bytes, pos);
  }
  chunks.Bytes = {bytes.data() + stream_offset, static_cast<size_t>(joined)};
  return chunks;
}

// Bodies up to this size are inflated straight into their buffer. Beyond it the rest of the
// stream is first measured without being kept, so that a small file that inflates past the
// accepted size is refused having written no more than this; a body that is accepted is then
// inflated once more. Real bodies are far below it.
constexpr size_t kDirectInflateSize = size_t{128} << 20;
constexpr size_t kMeasureStep = size_t{1} << 20;

std::string TooLargeMessage() {
  return "The save's game data unpacks to more than " + std::to_string(kMaxImageSize >> 20) +
         " MiB; it is not accepted.";
}

// Appends the stream's output to out until the stream ends or out holds cap bytes; returns
// true when the stream may have more beyond cap. Growing out leaves the new bytes unset (see
// ImageAllocator), so each byte of the body is written once, by the inflater.
bool AppendUpTo(Inflater& inflater, ImageBytes& out, size_t cap, GrowingMarkerIndex* markers) {
  bool more = true;
  while (more && out.size() < cap) {
    const size_t have = out.size();
    const size_t room = std::min(kInflateWindow, cap - have);
    out.resize(have + room);
    size_t produced = 0;
    more = inflater.Step(out.data() + have, room, produced);
    out.resize(have + produced);
    if (markers) markers->Grow(static_cast<int64_t>(out.size()));
  }
  return more;
}

// How many bytes the rest of the stream gives, none kept; an error as soon as it passes limit.
size_t MeasureRest(Inflater& inflater, size_t limit) {
  std::vector<uint8_t> scratch(kMeasureStep);
  size_t total = 0;
  bool more = true;
  while (more) {
    size_t produced = 0;
    more = inflater.Step(scratch.data(), scratch.size(), produced);
    total += produced;
    if (total > limit) throw LoadError(TooLargeMessage());
  }
  return total;
}

// Inflates one zlib stream and appends the body to out, telling the markers' index (if any) of
// each window written. Stops at the stream's end or when the input is used up, so a truncated
// stream gives a shorter body. A body of more than max_output bytes is refused. Returns whether
// the input ended inside a block.
bool InflateAppend(std::span<const uint8_t> input, int64_t max_output, ImageBytes& out,
                   std::optional<GrowingMarkerIndex>& markers) {
  const size_t limit = static_cast<size_t>(std::max<int64_t>(max_output, 0));
  const size_t body_start = out.size();
  Inflater inflater(input);
  if (AppendUpTo(inflater, out, body_start + std::min(limit, kDirectInflateSize),
                 markers ? &*markers : nullptr)) {
    const size_t rest = MeasureRest(inflater, limit - (out.size() - body_start));
    if (rest > 0) {
      // The body is written over once more: the index scanned so far is dropped (the analysis
      // then makes its own), and the buffer may move.
      markers.reset();
      const size_t total = out.size() - body_start + rest;
      inflater.Rewind();
      out.resize(body_start);
      out.reserve(body_start + total);
      AppendUpTo(inflater, out, body_start + total, nullptr);
    }
  }
  inflater.CheckSum(out.data() + body_start, out.size() - body_start);
  return inflater.EndedInsideBlock();
}

// Reserves room for the largest image the load accepts, so that the buffer never moves while the
// body is inflated into it: reserved pages that are never written cost nothing. A system that
// refuses so much gets a reservation sized from the compressed stream. Returns whether the
// buffer is sure to stay where it is.
bool ReserveImage(ImageBytes& buffer, int64_t fallback_size) {
  try {
    buffer.reserve(static_cast<size_t>(kMaxImageSize));
    return true;
  } catch (const std::bad_alloc&) {
    buffer.reserve(static_cast<size_t>(std::min(fallback_size, kMaxImageSize)));
    return false;
  }
}

std::string FormatLocalTime(time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string TooLargeFileMessage() {
  return "This file is larger than " + std::to_string(kMaxFileSize >> 20) +
         " MiB; it is not accepted as a save.";
}

std::vector<uint8_t> ReadWholeFile(const std::string& file_name) {
  // A folder opens as a stream of unknown size on some systems: it is told apart first.
  struct stat info {};
  if (stat(file_name.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    throw LoadError("This is a folder, not a save file.");
  }
  // Opening a pipe waits for a writer, and a device never ends: only plain files are read.
  if (stat(file_name.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    throw LoadError("This is not a file but a pipe, device or socket; it is not a save.");
  }
  std::ifstream in(file_name, std::ios::binary | std::ios::ate);
  if (!in) {
    throw LoadError("The file cannot be opened.\nDetail: \"" + file_name +
                    "\": " + std::strerror(errno) + ".");
  }
  const std::streamoff size = in.tellg();
  if (size < 0) throw LoadError("The file cannot be read.");
  if (size == 0) throw LoadError("This file is empty; it is not a save.");
  if (size > kMaxFileSize) throw LoadError(TooLargeFileMessage());
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) {
    throw LoadError("The file cannot be read.");
  }
  return bytes;
}

}  // namespace

SaveImage AssembleSave(std::vector<uint8_t> file_bytes,
                       std::span<const std::string> indexed_patterns) {
  const int64_t file_size = static_cast<int64_t>(file_bytes.size());
  if (file_size > kMaxFileSize) throw LoadError(TooLargeFileMessage());
  const int64_t p = FindStream(file_bytes);
  if (p < kMinStreamOffset) {
    throw LoadError(
        "This file is not a Vek5 save: it holds no game data.\nDetail: no compressed body found.");
  }
  const JoinedChunks chunks = JoinChunksInPlace(file_bytes, p);
  const std::span<const uint8_t> joined = chunks.Bytes;
  const int64_t z = static_cast<int64_t>(joined.size());
  const int64_t tail = file_size - p - z;  // never negative: chunks lie within the file
  const int64_t max_body = kMaxImageSize - p - tail;

  SaveImage image;
  ImageBytes& buffer = image.SaveBuffer;
  const bool fixed =
      ReserveImage(buffer, p + std::max<int64_t>(z, 1) * kFallbackInflationRatio + tail);
  buffer.assign(file_bytes.begin(), file_bytes.begin() + p);
  std::copy(kBodyTag, kBodyTag + 4, buffer.begin() + (p - 4));
  // Destroyed before the image, so its thread never reads freed bytes.
  std::optional<GrowingMarkerIndex> markers;
  if (fixed && !indexed_patterns.empty()) {
    markers.emplace(buffer.data(), indexed_patterns);
    markers->Grow(p);
  }
  const bool inside_block = InflateAppend(joined, max_body, buffer, markers);
  image.BodyLength = static_cast<int32_t>(static_cast<int64_t>(buffer.size()) - p);
  image.EndsEarly = inside_block || chunks.MissingBytes > 0;
  if (chunks.MissingBytes > 0) {
    image.BodyShareRead = static_cast<int32_t>(z * 100 / (z + chunks.MissingBytes));
  }
  buffer.insert(buffer.end(), file_bytes.begin() + (p + z), file_bytes.end());
  if (markers) image.Markers = markers->Finish(static_cast<int64_t>(buffer.size()));
  image.DataLength = static_cast<int32_t>(image.SaveBuffer.size());
  image.BodyOffset = static_cast<int32_t>(p);
  return image;
}

SaveImage LoadSave(const std::string& file_name, std::span<const std::string> indexed_patterns) {
  SaveImage image = AssembleSave(ReadWholeFile(file_name), indexed_patterns);
  image.FileName = file_name;
  struct stat info {};
  if (stat(file_name.c_str(), &info) == 0) image.FileDate = FormatLocalTime(info.st_mtime);
  return image;
}

void ExportImage(const SaveImage& image, const std::string& file_name) {
  // Written beside the target first, so a failed write never leaves a half-written file.
  const std::string temp_name = file_name + ".part";
  {
    std::ofstream out(temp_name, std::ios::binary | std::ios::trunc);
    if (!out) {
      throw LoadError("Cannot create file \"" + file_name + "\": " + std::strerror(errno) + ".");
    }
    out.write(reinterpret_cast<const char*>(image.SaveBuffer.data()), image.DataLength);
    out.close();
    if (!out) {
      std::remove(temp_name.c_str());
      throw LoadError("Cannot write file \"" + file_name + "\".");
    }
  }
  if (std::rename(temp_name.c_str(), file_name.c_str()) != 0) {
    std::remove(temp_name.c_str());
    throw LoadError("Cannot write file \"" + file_name + "\": " + std::strerror(errno) + ".");
  }
}

}  // namespace vek5
