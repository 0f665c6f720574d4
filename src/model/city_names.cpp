#include "model/city_names.h"

#include <algorithm>

#include "model/game_state.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

constexpr std::string_view kKeyPrefix = "TXT_KEY_";
// Three keys carry a four-letter product word that differs between the game's editions; the
// table writes it as this word, and a stored key matches by what follows the word.
constexpr std::string_view kProductWord = "VEK5";

int32_t FindExact(std::string_view key) {
  const auto row =
      std::lower_bound(CityNameInfo.begin(), CityNameInfo.end(), key,
                       [](const TCityNameRec& rec, std::string_view k) { return rec.Key < k; });
  if (row == CityNameInfo.end() || row->Key != key) return -1;
  return static_cast<int32_t>(row - CityNameInfo.begin());
}

bool IsAsciiWord(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  });
}

}  // namespace

int32_t FindCityNameRow(std::string_view stored) {
  const int32_t exact = FindExact(stored);
  if (exact >= 0 || !stored.starts_with(kKeyPrefix)) return exact;
  const size_t word_end = kKeyPrefix.size() + kProductWord.size();
  if (stored.size() <= word_end || stored[word_end] != '_') return -1;
  const std::string_view word = stored.substr(kKeyPrefix.size(), kProductWord.size());
  if (word == kProductWord || !IsAsciiWord(word)) return -1;
  std::string product_key(stored);
  product_key.replace(kKeyPrefix.size(), kProductWord.size(), kProductWord);
  return FindExact(product_key);
}

std::string CityDisplayName(std::string_view name, int32_t name_row, bool russian) {
  if (name_row < 0 || name_row >= kCityNameRows) return std::string(name);
  const TCityNameRec& row = CityNameInfo[static_cast<size_t>(name_row)];
  return std::string(russian && !row.NameRu.empty() ? row.NameRu : row.NameEn);
}

std::string CityDisplayName(const TCityRec& city, bool russian) {
  return CityDisplayName(city.Name, city.NameRow, russian);
}

}  // namespace vek5
