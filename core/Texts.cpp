#include "core/Texts.h"

#include <algorithm>

namespace core {

namespace {

bool IsLowerLatin1(unsigned char c) {
  // a-z, and à to þ without the division sign ÷ (0xF7). ß and ÿ have no capital here.
  return (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
}

bool IsUpperLatin1(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

bool StartsWord(char previous) {
  return previous == ' ' || previous == '-' || previous == '(' || previous == '_' || previous == '\\';
}

}  // namespace

char UpperLatin1(char c) {
  const auto u = static_cast<unsigned char>(c);
  return IsLowerLatin1(u) ? static_cast<char>(u - 0x20) : c;
}

char LowerLatin1(char c) {
  const auto u = static_cast<unsigned char>(c);
  return IsUpperLatin1(u) ? static_cast<char>(u + 0x20) : c;
}

std::string LowerLatin1(const std::string& text) {
  std::string lower(text);
  for (char& c : lower) c = LowerLatin1(c);
  return lower;
}

void CleanFileName(std::string& text) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [](char c) { return c == '?' || c == ',' || c == ':' || c == '"'; }),
             text.end());
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    text.clear();
    return;
  }
  text.erase(text.find_last_not_of(' ') + 1);
  text.erase(0, first);
}

std::string DropUnicodeText(std::string text) {
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u == 254 || u == 255) return std::string();
  }
  return text;
}

std::string TrimBlanks(std::string text) {
  const auto last = text.find_last_not_of(' ');
  if (last == std::string::npos) return std::string();
  text.erase(last + 1);
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

std::string LimitText(const std::string& text, int maximum) {
  if (maximum <= 0) return std::string();
  const auto limit = static_cast<std::string::size_type>(maximum);
  return text.size() <= limit ? text : text.substr(0, limit);
}

std::string& ProperCase(std::string& text) {
  for (std::string::size_type i = 0; i < text.size(); ++i) {
    if (i == 0 || StartsWord(text[i - 1])) text[i] = UpperLatin1(text[i]);
  }
  return text;
}

void FilterKey(int& keyCode) {
  switch (keyCode) {
    case 13:  // Enter
    case 8:   // backspace
    case 3:   // Ctrl+C
    case 22:  // Ctrl+V
    case ':':
    case '.':
    case ',':
      return;
    default:
      if (keyCode >= '0' && keyCode <= '9') return;
      keyCode = 0;
  }
}

}  // namespace core
