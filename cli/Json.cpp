#include "cli/Json.h"

#include <cstdio>

#include "formats/TextCodec.h"

namespace cli {

namespace {

void WriteString(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void Indent(std::string& out, int depth) { out.append(static_cast<std::size_t>(depth) * 4, ' '); }

}  // namespace

Json::Json(bool value) : kind_(Kind::Literal), scalar_(value ? "true" : "false") {}
Json::Json(int value) : kind_(Kind::Literal), scalar_(std::to_string(value)) {}
Json::Json(std::int64_t value) : kind_(Kind::Literal), scalar_(std::to_string(value)) {}
Json::Json(std::uint64_t value) : kind_(Kind::Literal), scalar_(std::to_string(value)) {}
Json::Json(const char* text) : Json(std::string(text)) {}
Json::Json(const std::string& text) : kind_(Kind::String), scalar_(formats::DecodeText(3, text)) {}

Json Json::Object(std::initializer_list<Member> members) {
  Json json;
  json.kind_ = Kind::Object;
  json.members_.assign(members.begin(), members.end());
  return json;
}

Json Json::Array() {
  Json json;
  json.kind_ = Kind::Array;
  return json;
}

Json& Json::operator[](const std::string& key) {
  for (Member& member : members_)
    if (member.first == key) return member.second;
  members_.emplace_back(key, Json());
  return members_.back().second;
}

void Json::append(Json value) { items_.push_back(std::move(value)); }

std::string Json::text() const {
  std::string out;
  write(out, 0);
  return out + '\n';
}

void Json::write(std::string& out, int depth) const {
  switch (kind_) {
    case Kind::Null: out += "null"; return;
    case Kind::Literal: out += scalar_; return;
    case Kind::String: WriteString(out, scalar_); return;
    case Kind::Array:
    case Kind::Object: break;
  }
  const bool object = kind_ == Kind::Object;
  const std::size_t count = object ? members_.size() : items_.size();
  if (count == 0) {
    out += object ? "{}" : "[]";
    return;
  }
  out += object ? "{\n" : "[\n";
  for (std::size_t i = 0; i < count; ++i) {
    Indent(out, depth + 1);
    if (object) {
      WriteString(out, members_[i].first);
      out += ": ";
    }
    (object ? members_[i].second : items_[i]).write(out, depth + 1);
    out += i + 1 < count ? ",\n" : "\n";
  }
  Indent(out, depth);
  out += object ? '}' : ']';
}

}  // namespace cli
