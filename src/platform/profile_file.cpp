#include "platform/profile_file.h"

#include "platform/files.h"
#include "text/text.h"

namespace platform {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v';
}

struct Trimmed {
  std::string_view Text;
  std::size_t LastCharStart = 0;  // start of Text's last character
};

// s without the blanks around it. Walks the characters once, so a trail byte is
// never taken for a blank and a long line costs one pass.
Trimmed TrimBlanks(std::string_view s) {
  std::size_t begin = 0;
  while (begin < s.size() && IsBlank(s[begin])) ++begin;
  s.remove_prefix(begin);
  std::size_t end = 0;
  std::size_t lastStart = 0;
  for (std::size_t i = 0; i < s.size(); i += text::CharLength(s, i)) {
    if (text::CharLength(s, i) == 2 || !IsBlank(s[i])) {
      lastStart = i;
      end = i + text::CharLength(s, i);
    }
  }
  return {s.substr(0, end), lastStart};
}

struct ParsedLine {
  enum Kind { kOther, kSection, kKey } Type = kOther;
  std::string_view Name;
  std::string_view Value;  // raw, for kKey
};

ParsedLine ParseLine(std::string_view line) {
  ParsedLine parsed;
  std::size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  if (start == line.size() || line[start] == ';') return parsed;
  if (line[start] == '[') {
    std::size_t nameStart = start + 1;
    std::size_t close = text::FindText(line, "]", nameStart, true);
    std::size_t nameEnd = close == text::npos ? line.size() : close;
    parsed.Type = ParsedLine::kSection;
    parsed.Name = TrimBlanks(line.substr(nameStart, nameEnd - nameStart)).Text;
    return parsed;
  }
  // "=" is below every trail byte, so the first one is always a character of its own.
  std::size_t equals = line.find('=', start);
  if (equals == std::string_view::npos) return parsed;
  parsed.Type = ParsedLine::kKey;
  parsed.Name = TrimBlanks(line.substr(start, equals - start)).Text;
  parsed.Value = line.substr(equals + 1);
  return parsed;
}

std::string ReadValue(std::string_view raw) {
  Trimmed trimmed = TrimBlanks(raw);
  std::string_view value = trimmed.Text;
  std::size_t last = trimmed.LastCharStart;
  if (last > 0 && (value[0] == '"' || value[0] == '\'') && value[last] == value[0]) {
    value = value.substr(1, last - 1);
  }
  std::size_t nul = text::FindText(value, std::string_view("\0", 1), 0, true);
  if (nul != text::npos) value = value.substr(0, nul);
  return std::string(value);
}

std::string_view OneLine(std::string_view value) {
  for (std::size_t i = 0; i < value.size(); i += text::CharLength(value, i)) {
    if (value[i] == '\r' || value[i] == '\n' || value[i] == '\0') return value.substr(0, i);
  }
  return value;
}

}  // namespace

ProfileFile::ProfileFile(std::string_view bytes) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c != '\n' && c != '\r') continue;
    std::size_t endingLength = c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
    lines_.push_back(
        {std::string(bytes.substr(start, i - start)), std::string(bytes.substr(i, endingLength))});
    i += endingLength - 1;
    start = i + 1;
  }
  if (start < bytes.size()) lines_.push_back({std::string(bytes.substr(start)), std::string()});
}

std::optional<ProfileFile> ProfileFile::Load(const std::string& path) {
  if (!PathExists(path)) return ProfileFile();
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return ProfileFile(*bytes);
}

std::optional<std::size_t> ProfileFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    ParsedLine line = ParseLine(lines_[i].Text);
    if (line.Type == ParsedLine::kSection && text::EqualsIgnoringAsciiCase(line.Name, section)) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<std::size_t> ProfileFile::FindKey(std::size_t headerIndex,
                                                std::string_view key) const {
  for (std::size_t i = headerIndex + 1; i < lines_.size(); ++i) {
    ParsedLine line = ParseLine(lines_[i].Text);
    if (line.Type == ParsedLine::kSection) break;
    if (line.Type == ParsedLine::kKey && text::EqualsIgnoringAsciiCase(line.Name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> ProfileFile::Find(std::string_view section, std::string_view key) const {
  std::optional<std::size_t> header = FindSection(section);
  if (!header) return std::nullopt;
  std::optional<std::size_t> keyLine = FindKey(*header, key);
  if (!keyLine) return std::nullopt;
  return ReadValue(ParseLine(lines_[*keyLine].Text).Value);
}

std::string ProfileFile::Get(std::string_view section, std::string_view key,
                             std::string_view defaultValue) const {
  std::optional<std::string> value = Find(section, key);
  return value ? *value : std::string(defaultValue);
}

std::string ProfileFile::NewLineEnding() const {
  for (const Line& line : lines_) {
    if (!line.Ending.empty()) return line.Ending;
  }
  return "\r\n";
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  value = OneLine(value);
  std::string ending = NewLineEnding();
  std::optional<std::size_t> header = FindSection(section);
  if (!header) {
    if (!lines_.empty() && lines_.back().Ending.empty()) lines_.back().Ending = ending;
    lines_.push_back({"[" + std::string(section) + "]", ending});
    lines_.push_back({std::string(key) + "=" + std::string(value), ending});
    return;
  }
  if (std::optional<std::size_t> keyLine = FindKey(*header, key)) {
    std::string name(ParseLine(lines_[*keyLine].Text).Name);
    lines_[*keyLine].Text = name + "=" + std::string(value);
    return;
  }
  // After the section's last key, so that comments and blank lines that lead into
  // the next section stay with it.
  std::size_t after = *header;
  for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
    ParsedLine line = ParseLine(lines_[i].Text);
    if (line.Type == ParsedLine::kSection) break;
    if (line.Type == ParsedLine::kKey) after = i;
  }
  if (lines_[after].Ending.empty()) lines_[after].Ending = ending;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                {std::string(key) + "=" + std::string(value), ending});
}

std::string ProfileFile::Serialize() const {
  std::string bytes;
  for (const Line& line : lines_) {
    bytes += line.Text;
    bytes += line.Ending;
  }
  return bytes;
}

bool ProfileFile::Save(const std::string& path) const {
  return WriteFileReplacing(path, Serialize());
}

}  // namespace platform
