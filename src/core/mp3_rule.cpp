#include "core/mp3_rule.h"

#include "platform/file.h"
#include "tags/id3v1.h"
#include "tags/id3v2_read.h"
#include "tags/tag_record.h"
#include "text/encoding.h"
#include "text/text.h"

namespace core {

namespace {

const std::string& FieldFor(const tags::TagRecord& tag, std::uint8_t code) {
  switch (code) {
    case 1:
      return tag.Artist;
    case 2:
      return tag.Title;
    case 3:
      return tag.Album;
    case 4:
      return tag.Track;
    case 5:
      return tag.Year;
    default:
      return tag.Genre;
  }
}

// Reads the preferred version first and the other one only when the file has no
// tag of the preferred version. nullopt: the file cannot be opened.
std::optional<bool> ReadTag(const std::string& path, bool preferV1, tags::TagRecord& tag) {
  platform::DiskFile file(path, platform::OpenMode::Read);
  if (!file.IsOpen()) return std::nullopt;
  if (preferV1) return tags::ReadId3v1(file, tag) || tags::ReadId3v2(file, tag);
  return tags::ReadId3v2(file, tag) || tags::ReadId3v1(file, tag);
}

}  // namespace

std::optional<Mp3Pattern> ParseMp3Pattern(const std::string& pattern) {
  if (pattern.empty()) return std::nullopt;
  Mp3Pattern parsed;
  std::size_t start = 0;
  bool armed = false;
  for (std::size_t pos = 0; pos < pattern.size(); ++pos) {
    char c = pattern[pos];
    if (c == '#') {
      armed = true;
    } else if (armed && c >= '1' && c <= '6') {
      // The literal ends before the "#" that armed the flag; after a code the flag
      // stays armed, so "#12" reads as two codes.
      std::size_t literalEnd = pattern[pos - 1] == '#' ? pos - 1 : pos;
      parsed.Literals.push_back(pattern.substr(start, literalEnd - start));
      parsed.Codes.push_back(static_cast<std::uint8_t>(c - '0'));
      start = pos + 1;
    } else {
      armed = false;
    }
  }
  parsed.Literals.push_back(start < pattern.size() ? pattern.substr(start) : std::string());
  parsed.Codes.push_back(0);
  return parsed;
}

void ApplyMp3Rule(const Mp3RuleInput& input, FileList& list) {
  int count = list.FileCount();
  std::optional<Mp3Pattern> pattern = ParseMp3Pattern(input.Pattern);
  if (!pattern) {
    for (int i = 0; i < count; ++i) list.NewNames[i].clear();
    return;
  }
  static const std::string notMp3 = text::Literal("非MP3文件");
  static const std::string noTag = text::Literal("无标签");
  for (int i = 0; i < count; ++i) {
    if (!text::ExtensionMatches(list.OldNames[i], "MP3")) {
      list.SetCell(i, kTagStatusColumn, notMp3);
      list.NewNames[i].clear();
      continue;
    }
    tags::TagRecord tag;
    std::optional<bool> found = ReadTag(list.FullPath(i), input.PreferV1, tag);
    if (!found) continue;  // unreadable now: keep what the entry showed
    if (!*found) {
      list.SetCell(i, kTagStatusColumn, noTag);
      list.NewNames[i].clear();
      continue;
    }
    std::string name;
    for (std::size_t k = 0; k < pattern->Codes.size(); ++k) {
      name += pattern->Literals[k];
      if (pattern->Codes[k] == 0) break;
      name += FieldFor(tag, pattern->Codes[k]);
    }
    list.NewNames[i] = name.empty() ? name : name + ".mp3";
  }
}

}  // namespace core
