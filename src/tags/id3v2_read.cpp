#include "tags/id3v2_read.h"

#include <algorithm>
#include <array>

#include "tags/genres.h"
#include "text/number.h"
#include "text/text.h"

namespace tags {

namespace {

// Enough for the header and the frames of a tag without pictures, in one read.
constexpr std::int64_t kPrefixSize = 8192;

struct FieldFrame {
  std::string_view V3;  // ID3v2.3 and 2.4 identifier
  std::string_view V2;  // ID3v2.2 identifier
  std::string TagRecord::*Member;
};

constexpr std::array<FieldFrame, 12> kFieldFrames = {{
    {"TIT2", "TT2", &TagRecord::Title},
    {"TPE1", "TP1", &TagRecord::Artist},
    {"TALB", "TAL", &TagRecord::Album},
    {"TYER", "TYE", &TagRecord::Year},
    {"TRCK", "TRK", &TagRecord::Track},
    {"TCON", "TCO", &TagRecord::Genre},
    {"COMM", "COM", &TagRecord::Comment},
    {"TOPE", "TOA", &TagRecord::OriginalArtist},
    {"TCOP", "TCR", &TagRecord::Rights},
    {"TCOM", "TCM", &TagRecord::Composer},
    {"WXXX", "WXX", &TagRecord::Url},
    {"TENC", "TEN", &TagRecord::Encoder},
}};
constexpr int kYearSlot = 3;
constexpr int kGenreSlot = 5;

// The first `count` characters of s, double-byte characters counted as one.
std::string FirstChars(std::string_view s, int count) {
  std::size_t end = 0;
  for (int i = 0; i < count && end < s.size(); ++i) end += text::CharLength(s, end);
  return std::string(s.substr(0, end));
}

int EncodingOf(std::string_view data) {
  return data.empty() ? 0 : static_cast<unsigned char>(data[0]);
}

// A URL: Latin-1 bytes up to the first zero byte, kept as they are. Some writers put
// a UTF-16 URL into a UTF-16 frame; a byte-order mark gives them away.
std::string DecodeUrl(int encoding, std::string_view bytes) {
  if (TerminatorSize(encoding) == 2 && bytes.size() >= 2 &&
      ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
    return DecodeString(encoding, SplitString(encoding, bytes, nullptr));
  }
  return std::string(SplitString(0, bytes, nullptr));
}

}  // namespace

int FieldFrameSlot(std::string_view id, int version) {
  for (std::size_t i = 0; i < kFieldFrames.size(); ++i) {
    if (id == (version == 2 ? kFieldFrames[i].V2 : kFieldFrames[i].V3)) return static_cast<int>(i);
  }
  return -1;
}

std::optional<Id3v2Header> ReadId3v2Header(platform::ByteStream& file) {
  char bytes[kId3v2HeaderSize];
  if (!file.ReadExactly(0, bytes, sizeof bytes)) return std::nullopt;
  return ParseId3v2Header(std::string_view(bytes, sizeof bytes));
}

bool HasId3v2Header(platform::ByteStream& file) {
  return ReadId3v2Header(file).has_value();
}

std::string DecodeFrameText(std::string_view id, std::string_view data) {
  if (data.empty() || id.empty()) return {};
  int encoding = EncodingOf(data);
  if (id == "COMM" || id == "COM") {
    if (data.size() < 4) return {};
    std::string_view rest;
    std::string_view body = data.substr(4);
    std::string_view description = SplitString(encoding, body, &rest);
    // A description without its terminator is taken for the comment itself.
    return DecodeStrings(encoding, description.size() == body.size() ? body : rest);
  }
  if (id == "WXXX" || id == "WXX") {
    std::string_view rest;
    std::string_view body = data.substr(1);
    std::string_view description = SplitString(encoding, body, &rest);
    return DecodeUrl(encoding, description.size() == body.size() ? body : rest);
  }
  if (id[0] == 'T') return DecodeStrings(encoding, data.substr(1));
  if (id[0] == 'W') return DecodeUrl(0, data);
  return {};
}

bool ReadId3v2(platform::ByteStream& file, TagRecord& record) {
  std::int64_t size = file.Size();
  if (size < kId3v2HeaderSize) return false;
  std::string prefix(static_cast<std::size_t>(std::min<std::int64_t>(size, kPrefixSize)), '\0');
  std::int64_t got = file.ReadAt(0, prefix.data(), prefix.size());
  if (got < kId3v2HeaderSize) return false;
  prefix.resize(static_cast<std::size_t>(got));
  auto header = ParseId3v2Header(prefix);
  if (!header) return false;

  std::array<std::string, 12> values;
  std::array<bool, 12> found{};
  int foundCount = 0;
  std::optional<std::string> recordingTime;
  if (auto source = OpenTagSource(file, *header, std::move(prefix), false)) {
    WalkFrames(*source, *header, [&](const FrameInfo& frame) {
      int slot = FieldFrameSlot(frame.Id, header->Version);
      bool isTdrc = frame.Id == "TDRC" && !recordingTime;
      if ((slot < 0 || found[static_cast<std::size_t>(slot)]) && !isTdrc) return true;
      auto data = ReadFrameData(*source, *header, frame);
      if (!data) return true;  // compressed or encrypted: not readable, not counted
      if (isTdrc) {
        recordingTime = DecodeFrameText(frame.Id, *data);
        return true;
      }
      values[static_cast<std::size_t>(slot)] = DecodeFrameText(frame.Id, *data);
      found[static_cast<std::size_t>(slot)] = true;
      return ++foundCount < 12;
    });
  }
  if (!found[kYearSlot] && recordingTime) values[kYearSlot] = FirstChars(*recordingTime, 4);
  if (!values[kGenreSlot].empty()) values[kGenreSlot] = ResolveGenreText(values[kGenreSlot]);
  for (std::size_t i = 0; i < kFieldFrames.size(); ++i) {
    record.*kFieldFrames[i].Member = std::move(values[i]);
  }
  return true;
}

std::string ReadFrameText(std::string_view tag, std::string_view id) {
  auto header = ParseId3v2Header(tag);
  if (!header) return {};
  TagSource source = MemoryTagSource(tag, *header);
  std::string result;
  WalkFrames(source, *header, [&](const FrameInfo& frame) {
    if (frame.Id != id) return true;
    auto data = ReadFrameData(source, *header, frame);
    if (!data) return true;
    result = DecodeFrameText(frame.Id, *data);
    return false;
  });
  return result;
}

std::string ResolveGenreText(std::string_view genre) {
  // Positions as in the description: L and R count from 1, 0 meaning none.
  std::size_t lastOpen = text::FindLastChar(genre, '(');
  std::size_t L = lastOpen == text::npos ? 0 : lastOpen + 1;
  std::size_t R = 0;
  for (std::size_t i = 0; i < genre.size(); i += text::CharLength(genre, i)) {
    if (i + 1 >= L && genre[i] == ')') {
      R = i + 1;
      break;
    }
  }
  if (R == 0) return std::string(genre.substr(L));
  if (R - L >= 5) return std::string(genre.substr(R));
  std::int32_t k = text::TextToNumber(genre.substr(L, R - 1 - L));
  if (k >= 0 && k < kGenreCount) return std::string(GenreName(k));
  return std::string(genre);
}

}  // namespace tags
