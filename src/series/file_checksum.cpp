#include "series/file_checksum.h"

#include <openssl/evp.h>

#include <array>
#include <fstream>
#include <memory>

namespace vek5 {
namespace {

constexpr size_t kReadBlock = size_t{1} << 16;

using DigestContext = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

}  // namespace

std::string FileSha256(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  DigestContext context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) return {};
  std::array<char, kReadBlock> block{};
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const std::streamsize got = in.gcount();
    if (got > 0 && EVP_DigestUpdate(context.get(), block.data(), static_cast<size_t>(got)) != 1) {
      return {};
    }
  }
  if (in.bad()) return {};
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(context.get(), digest.data(), &length) != 1) return {};
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kDigits[digest[i] >> 4];
    hex += kDigits[digest[i] & 0xF];
  }
  return hex;
}

}  // namespace vek5
