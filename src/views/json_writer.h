// A compact JSON writer that places the commas itself; strings go through AppendJsonString.
#pragma once

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "views/state_json.h"

namespace vek5 {

class JsonWriter {
 public:
  explicit JsonWriter(std::string& out) : out_(out) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }

  // A key the program writes literally, checked by the compiler to need no escape, so that it is
  // copied as it stands: objects hold many keys.
  class LiteralKey {
   public:
    template <size_t N>
    consteval LiteralKey(const char (&key)[N]) : text_(key, N - 1) {
      for (const char c : text_) {
        if (!IsPlainJsonByte(c)) throw "a literal key needs no escape";
      }
    }
    std::string_view Text() const { return text_; }

   private:
    std::string_view text_;
  };

  JsonWriter& Key(LiteralKey key) {
    Separate();
    out_ += '"';
    out_.append(key.Text());
    out_.append("\":", 2);
    after_key_ = true;
    return *this;
  }
  // Any other key: escaped as a string value is.
  template <typename Text>
  requires std::is_convertible_v<const Text&, std::string_view> &&
      (!std::is_array_v<Text>)JsonWriter& Key(const Text& key) {
    Separate();
    AppendJsonString(out_, key);
    out_ += ':';
    after_key_ = true;
    return *this;
  }
  void Int(int64_t value) {
    BeforeValue();
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    out_.append(digits, static_cast<size_t>(end - digits));
  }
  // The array [first, second], in one piece: the history's pairs make most of a document.
  void IntPair(int64_t first, int64_t second) {
    BeforeValue();
    char text[2 * 24 + 3];
    char* at = text;
    *at++ = '[';
    at = std::to_chars(at, std::end(text), first).ptr;
    *at++ = ',';
    at = std::to_chars(at, std::end(text), second).ptr;
    *at++ = ']';
    out_.append(text, static_cast<size_t>(at - text));
  }
  void Null() {
    BeforeValue();
    out_ += "null";
  }
  void Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
  }
  void Float(double value) {
    BeforeValue();
    // JSON has no NaN or infinity.
    out_ += std::isfinite(value) ? fmt::format("{}", value) : "null";
  }
  void String(std::string_view text) {
    BeforeValue();
    AppendJsonString(out_, text);
  }
  // A value the caller has written as JSON already.
  void Raw(std::string_view json) {
    BeforeValue();
    out_.append(json);
  }

 private:
  void Open(char bracket) {
    BeforeValue();
    out_ += bracket;
    first_.push_back(1);
  }
  void Close(char bracket) {
    out_ += bracket;
    first_.pop_back();
  }
  void BeforeValue() {
    if (after_key_) {
      after_key_ = false;
      return;
    }
    Separate();
  }
  void Separate() {
    if (first_.empty()) return;
    if (!first_.back()) out_ += ',';
    first_.back() = 0;
  }

  std::string& out_;
  std::vector<uint8_t> first_;  // per open bracket: nothing written in it yet
  bool after_key_ = false;
};

}  // namespace vek5
