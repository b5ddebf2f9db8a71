// The JSON document info prints: values built member by member, written indented by four
// blanks. Members keep the order they were added in.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace cli {

class Json {
 public:
  using Member = std::pair<std::string, Json>;

  Json() = default;  // null
  Json(bool value);
  Json(int value);
  Json(std::int64_t value);
  Json(std::uint64_t value);
  // A text; bytes that are no UTF-8 are written as U+FFFD, so that the document stays UTF-8.
  Json(const char* text);
  Json(const std::string& text);
  static Json Object(std::initializer_list<Member> members = {});
  static Json Array();

  // An object's member of that key, added as null when it is not there yet.
  Json& operator[](const std::string& key);
  void append(Json value);  // to an array
  std::string text() const;

 private:
  enum class Kind { Null, Literal, String, Array, Object };
  void write(std::string& out, int depth) const;

  Kind kind_ = Kind::Null;
  std::string scalar_;  // a literal as written (number, true, false) or a string's text
  std::vector<Json> items_;
  std::vector<Member> members_;
};

}  // namespace cli
