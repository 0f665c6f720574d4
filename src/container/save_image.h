// The assembled save image: header, "BODY", inflated body and tail in one flat buffer.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "container/image_memory.h"
#include "container/marker_index.h"

namespace vek5 {

// Limits of what a load accepts; larger files or images are refused, never truncated.
inline constexpr int64_t kMaxFileSize = int64_t{256} << 20;
inline constexpr int64_t kMaxImageSize = int64_t{1} << 30;

// The four letters written over the first chunk's length field.
inline constexpr char kBodyTag[] = "BODY";

// Any failure of a load: an unopenable file, a damaged stream, a file that is not a save.
class LoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SaveImage {
  ImageBytes SaveBuffer;  // exactly DataLength bytes
  int32_t DataLength = 0;
  int32_t BodyOffset = -1;  // offset of the inflated body (and of the stream in the file)
  int32_t BodyLength = 0;   // bytes of the inflated body
  std::string FileName;     // path as given to the loader, UTF-8
  std::string FileDate;     // last modification, local time, "YYYY-MM-DD hh:mm:ss"
  // The file ends before its body does: the compressed stream stops inside a block, or a
  // chunk's length runs past the end of the file. The body holds what came out before that.
  bool EndsEarly = false;
  // Percent of the compressed body the file holds, when the chunk framing tells it (a chunk
  // cut short says how long it should have been); -1 when it cannot be known. Later chunks
  // are not counted, so this is an upper bound.
  int32_t BodyShareRead = -1;
  // The occurrences of the markers an analysis searches for; the searches answer from them. The
  // load records them while the body inflates when it is given the markers; else the analysis
  // records them in one pass when it starts and drops them when it ends. Only a memo of the
  // bytes above, so it may change on a const image, and it is ignored once the bytes move or
  // resize (bytes changed in place would need a fresh index).
  mutable MarkerIndex Markers;
};

// Assembles an image from the bytes of a save file, recording the occurrences of the given
// patterns in Markers as the body inflates. The file's bytes are worked on in place (a caller
// done with them moves them in). Throws LoadError.
SaveImage AssembleSave(std::vector<uint8_t> file_bytes,
                       std::span<const std::string> indexed_patterns = {});

// Reads and assembles a save file; fills FileName and FileDate. Throws LoadError.
SaveImage LoadSave(const std::string& file_name,
                   std::span<const std::string> indexed_patterns = {});

// Writes the assembled image uncompressed (exactly DataLength bytes). Throws LoadError.
void ExportImage(const SaveImage& image, const std::string& file_name);

}  // namespace vek5
