// A compact JSON writer that places the commas itself; strings go through AppendJsonString.
#pragma once

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
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

  JsonWriter& Key(std::string_view key) {
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
