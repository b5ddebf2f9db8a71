// Settings files read and written like the Windows profile services do it: names found
// regardless of case, every line that is not the one written kept byte for byte.
#include "core/Ini.h"

#include "core/SettingsFile.h"
#include "core/Texts.h"

#include <cstddef>
#include <vector>

namespace core {

namespace {

// The longest value handed out, as with the profile service's 2048-character buffer.
constexpr std::size_t MaxValueLength = 2047;

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

enum class LineKind { Blank, Comment, Section, Key, Other };

// One line of the file: where it lies, and what it says.
struct Line {
  std::size_t start = 0;
  std::size_t length = 0;     // without the line end
  std::size_t endLength = 0;  // 0 (the last line), 1 ("\n") or 2 ("\r\n")
  LineKind kind = LineKind::Blank;
  std::string name;  // section or key name, trimmed
  std::string value;  // key value, trimmed
};

Line ParseLine(const std::string& content, std::size_t start, std::size_t length, std::size_t endLength) {
  Line line;
  line.start = start;
  line.length = length;
  line.endLength = endLength;
  const std::string text = Trim(content.substr(start, length));
  if (text.empty()) {
    line.kind = LineKind::Blank;
  } else if (text[0] == ';' || text[0] == '#') {
    line.kind = LineKind::Comment;
  } else if (text[0] == '[') {
    line.kind = LineKind::Section;
    const auto close = text.find(']');
    line.name = Trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  } else if (const auto equals = text.find('='); equals != std::string::npos) {
    line.kind = LineKind::Key;
    line.name = Trim(text.substr(0, equals));
    line.value = Trim(text.substr(equals + 1));
  } else {
    line.kind = LineKind::Other;
  }
  return line;
}

std::vector<Line> SplitLines(const std::string& content) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    const auto newline = content.find('\n', start);
    if (newline == std::string::npos) {
      std::size_t length = content.size() - start;
      lines.push_back(ParseLine(content, start, length, 0));
      break;
    }
    std::size_t length = newline - start;
    std::size_t endLength = 1;
    if (length > 0 && content[newline - 1] == '\r') {
      --length;
      endLength = 2;
    }
    lines.push_back(ParseLine(content, start, length, endLength));
    start = newline + 1;
  }
  return lines;
}

bool SameName(const std::string& a, const std::string& b) { return LowerLatin1(a) == LowerLatin1(b); }

// Index of the first header of the section, or lines.size().
std::size_t FindSection(const std::vector<Line>& lines, const std::string& section) {
  const std::string wanted = Trim(section);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == LineKind::Section && SameName(lines[i].name, wanted)) return i;
  }
  return lines.size();
}

// Index of the line after the section's last line (the next header, or the end).
std::size_t SectionEnd(const std::vector<Line>& lines, std::size_t header) {
  std::size_t i = header + 1;
  while (i < lines.size() && lines[i].kind != LineKind::Section) ++i;
  return i;
}

std::size_t FindKey(const std::vector<Line>& lines, std::size_t header, std::size_t end, const std::string& key) {
  const std::string wanted = Trim(key);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].kind == LineKind::Key && SameName(lines[i].name, wanted)) return i;
  }
  return end;
}

// The line end of new lines: the one the file already uses, "\n" for a new file.
std::string LineEndOf(const std::string& content) {
  const auto newline = content.find('\n');
  return (newline != std::string::npos && newline > 0 && content[newline - 1] == '\r') ? "\r\n" : "\n";
}

// A name or value that would break the line structure of the file (a line end would
// let a folder name smuggle in keys of its own) is not written.
bool Writable(const std::string& section, const std::string& key, const std::string& value) {
  const std::string breaking("\r\n\0", 3);
  const std::string trimmedKey = Trim(key);
  const std::string trimmedSection = Trim(section);
  if (trimmedSection.empty() || trimmedKey.empty()) return false;
  if (section.find_first_of(breaking) != std::string::npos || section.find(']') != std::string::npos) return false;
  if (key.find_first_of(breaking) != std::string::npos || key.find('=') != std::string::npos) return false;
  if (trimmedKey[0] == '[' || trimmedKey[0] == ';' || trimmedKey[0] == '#') return false;
  return value.find_first_of(breaking) == std::string::npos;
}

// The text of `content` with `insertion` in place of removeCount lines from line `at`
// on; every other line is kept with its own line end.
std::string Splice(const std::string& content, const std::vector<Line>& lines, std::size_t at,
                   std::size_t removeCount, const std::string& insertion) {
  const std::size_t cut = at < lines.size() ? lines[at].start : content.size();
  const std::size_t resume =
      at + removeCount < lines.size() ? lines[at + removeCount].start : content.size();
  std::string result = content.substr(0, cut);
  // The line before the insertion may be the file's last and have no line end yet.
  if (!result.empty() && result.back() != '\n') result += LineEndOf(content);
  result += insertion;
  result += content.substr(resume);
  return result;
}

}  // namespace

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file,
                    const std::string& defaultValue) {
  std::string content;
  if (ReadSettingsFile(file, content) != ReadResult::Ok) return defaultValue;
  const auto lines = SplitLines(content);
  const std::size_t header = FindSection(lines, section);
  if (header == lines.size()) return defaultValue;
  const std::size_t end = SectionEnd(lines, header);
  const std::size_t found = FindKey(lines, header, end, key);
  if (found == end || lines[found].value.empty()) return defaultValue;
  return lines[found].value.substr(0, MaxValueLength);
}

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file,
                    double defaultValue) {
  return ReadIni(section, key, file, FormatNumber(defaultValue));
}

bool WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file) {
  if (!Writable(section, key, value)) return false;
  const std::string target = SettingsTarget(file);
  if (target.empty()) return false;
  std::string content;
  const ReadResult read = ReadSettingsFile(target, content);
  // A file that is there but cannot be read is never replaced by one that lacks its lines.
  if (read == ReadResult::Failed) return false;

  const auto lines = SplitLines(content);
  const std::string lineEnd = LineEndOf(content);
  const std::string keyLine = key + "=" + value;
  std::string updated;
  const std::size_t header = FindSection(lines, section);
  if (header == lines.size()) {
    updated = Splice(content, lines, lines.size(), 0, "[" + section + "]" + lineEnd + keyLine + lineEnd);
  } else {
    const std::size_t end = SectionEnd(lines, header);
    const std::size_t found = FindKey(lines, header, end, key);
    if (found != end) {
      const Line& old = lines[found];
      const std::string oldEnd = content.substr(old.start + old.length, old.endLength);
      // The line keeps its own line end (none when it is the file's last).
      updated = Splice(content, lines, found, 1, keyLine + oldEnd);
    } else {
      // After the section's last key line (or its header), before blank lines and
      // comments that lead over to the next section.
      std::size_t after = header;
      for (std::size_t i = header + 1; i < end; ++i) {
        if (lines[i].kind == LineKind::Key || lines[i].kind == LineKind::Other) after = i;
      }
      updated = Splice(content, lines, after + 1, 0, keyLine + lineEnd);
    }
  }
  if (read == ReadResult::Ok && updated == content) return true;
  return ReplaceSettingsFile(target, updated, read == ReadResult::Ok);
}

}  // namespace core
