// The whole-process floor: reads a save file, joins its chunks and inflates the stream with
// ISA-L into fresh memory backed by huge pages, then exits. Timed as a process beside the
// command-line tool, it is what any program that shows a save must at least spend.
// Usage: vek5_inflate_only FILE (prints the body's size).
#include <isa-l/igzip_lib.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Room for the body, as the loader reserves it: untouched pages cost nothing.
constexpr size_t kRoom = size_t{1} << 30;

std::vector<uint8_t> ReadFile(const char* path) {
  std::vector<uint8_t> bytes;
  FILE* f = std::fopen(path, "rb");
  if (!f) return bytes;
  std::fseek(f, 0, SEEK_END);
  const long size = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  bytes.resize(size > 0 ? static_cast<size_t>(size) : 0);
  if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
  std::fclose(f);
  return bytes;
}

int32_t LengthAt(const std::vector<uint8_t>& bytes, size_t at) {
  int32_t v = 0;
  if (at + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 4);
  return v;
}

std::vector<uint8_t> JoinedStream(const std::vector<uint8_t>& file) {
  size_t p = 8;
  while (p + 1 < file.size() && !(file[p] == 0x78 && file[p + 1] == 0x9C)) ++p;
  std::vector<uint8_t> joined;
  joined.reserve(file.size());
  size_t at = p - 4;
  for (int32_t len = LengthAt(file, at); len > 1 && at + 4 < file.size();
       len = LengthAt(file, at)) {
    const size_t take = std::min<size_t>(static_cast<size_t>(len), file.size() - at - 4);
    joined.insert(joined.end(), file.begin() + static_cast<long>(at) + 4,
                  file.begin() + static_cast<long>(at + 4 + take));
    at += 4 + static_cast<size_t>(len);
  }
  return joined;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: vek5_inflate_only FILE\n");
    return 2;
  }
  const std::vector<uint8_t> file = ReadFile(argv[1]);
  if (file.size() < 12) return 1;
  const std::vector<uint8_t> joined = JoinedStream(file);
  if (joined.size() < 2) return 1;
  void* room = mmap(nullptr, kRoom, PROT_READ | PROT_WRITE,
                    MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (room == MAP_FAILED) return 1;
  madvise(room, kRoom, MADV_HUGEPAGE);
  auto state = std::make_unique<inflate_state>();
  isal_inflate_init(state.get());
  state->crc_flag = ISAL_DEFLATE;  // the deflate data alone, unsummed, as the loader reads it
  state->next_in = const_cast<uint8_t*>(joined.data() + 2);  // past the zlib header
  state->avail_in = static_cast<uint32_t>(joined.size() - 2);
  state->next_out = static_cast<uint8_t*>(room);
  state->avail_out = static_cast<uint32_t>(kRoom);
  if (isal_inflate(state.get()) != ISAL_DECOMP_OK) return 1;
  std::printf("%u\n", state->total_out);
  munmap(room, kRoom);
  return 0;
}
