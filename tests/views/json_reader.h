// A strict little JSON reader for tests, so that they check a document's structure and not
// only substrings of it.
#pragma once

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vek5 {

struct Json {
  enum Kind { kNull, kBool, kNumber, kString, kArray, kObject } Type = kNull;
  bool Bool = false;
  double Number = 0;
  std::string String;
  std::vector<Json> Items;
  // An object's members in order: Keys[i] names Members[i]. (A pair of a key and a Json would
  // need Json complete here.)
  std::vector<std::string> Keys;
  std::vector<Json> Members;

  const Json& operator[](size_t i) const { return Items.at(i); }
  const Json& operator[](const std::string& key) const {
    for (size_t i = 0; i < Keys.size(); ++i) {
      if (Keys[i] == key) return Members[i];
    }
    throw std::out_of_range("no key " + key);
  }
  bool Has(const std::string& key) const {
    return std::find(Keys.begin(), Keys.end(), key) != Keys.end();
  }
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : text_(text) {}

  Json Document() {
    Json value = Value();
    Space();
    if (pos_ != text_.size()) Fail("text after the document");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " at " + std::to_string(pos_));
  }
  void Space() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool Take(char c) {
    Space();
    if (pos_ < text_.size() && text_[pos_] == c) return ++pos_, true;
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail(std::string("expected ") + c);
  }
  bool Word(const char* word) {
    const std::string w(word);
    if (text_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }
  std::string StringLiteral() {
    Expect('"');
    std::string out;
    while (true) {
      if (pos_ >= text_.size()) Fail("unterminated string");
      const char c = text_[pos_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("raw control character");
      if (c != '\\') {
        out += c;
        continue;
      }
      const char e = text_.at(pos_++);
      if (e == 'u') {
        const unsigned code = std::stoul(text_.substr(pos_, 4), nullptr, 16);
        pos_ += 4;
        out += code == 0xFFFD ? "\xEF\xBF\xBD" : std::string(1, static_cast<char>(code));
      } else if (e == 'n') {
        out += '\n';
      } else if (e == 't') {
        out += '\t';
      } else if (e == 'r') {
        out += '\r';
      } else if (e == '"' || e == '\\' || e == '/') {
        out += e;
      } else {
        Fail("bad escape");
      }
    }
  }
  Json Value() {
    Space();
    Json v;
    if (pos_ >= text_.size()) Fail("unexpected end");
    const char c = text_[pos_];
    if (c == '{') {
      v.Type = Json::kObject;
      ++pos_;
      if (Take('}')) return v;
      do {
        Space();
        std::string key = StringLiteral();
        Expect(':');
        v.Keys.push_back(std::move(key));
        v.Members.push_back(Value());
      } while (Take(','));
      Expect('}');
    } else if (c == '[') {
      v.Type = Json::kArray;
      ++pos_;
      if (Take(']')) return v;
      do v.Items.push_back(Value());
      while (Take(','));
      Expect(']');
    } else if (c == '"') {
      v.Type = Json::kString;
      v.String = StringLiteral();
    } else if (Word("true") || Word("false")) {
      v.Type = Json::kBool;
      v.Bool = text_[pos_ - 1] == 'e' && text_[pos_ - 2] == 'u';
    } else if (Word("null")) {
      v.Type = Json::kNull;
    } else {
      size_t used = 0;
      v.Type = Json::kNumber;
      v.Number = std::stod(text_.substr(pos_, 40), &used);
      pos_ += used;
    }
    return v;
  }

  const std::string& text_;
  size_t pos_ = 0;
};

}  // namespace vek5
