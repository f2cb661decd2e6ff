#include "tags/id3v1.h"

#include <algorithm>
#include <cstring>

#include "tags/file_edit.h"
#include "text/number.h"
#include "text/text.h"

namespace tags {

namespace {

constexpr std::size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97,
                      kZeroByteAt = 125, kTrackAt = 126, kGenreAt = 127;

// A field's text: its bytes up to the first zero byte, or all of them.
std::string FieldText(const Id3v1Block& block, std::size_t at, std::size_t length) {
  const char* start = block.data() + at;
  const char* end = std::find(start, start + length, '\0');
  return std::string(start, end);
}

bool IsSpaceAt(std::string_view s, std::size_t i, std::size_t len) {
  if (len == 1) return s[i] == ' ';
  return s[i] == '\xA1' && s[i + 1] == '\xA1';  // full-width space
}

// Removes spaces and full-width spaces from both ends, stepping over whole characters.
std::string TrimSpaces(std::string_view s) {
  std::size_t first = s.size(), last = 0;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t len = text::CharLength(s, i);
    if (!IsSpaceAt(s, i, len)) {
      if (first == s.size()) first = i;
      last = i + len;
    }
    i += len;
  }
  if (first == s.size()) return {};
  return std::string(s.substr(first, last - first));
}

void PutField(Id3v1Block& block, std::size_t at, std::size_t length, std::string_view value) {
  std::size_t n = text::FitLength(value, length);
  std::memcpy(block.data() + at, value.data(), n);
}

}  // namespace

bool LoadId3v1Block(platform::ByteStream& file, Id3v1Block& block) {
  std::int64_t size = file.Size();
  if (size < kId3v1Size) return false;
  Id3v1Block loaded;
  if (!file.ReadExactly(size - kId3v1Size, loaded.data(), loaded.size())) return false;
  block = loaded;
  return std::memcmp(block.data(), "TAG", 3) == 0;
}

bool ReadId3v1(platform::ByteStream& file, TagRecord& record) {
  Id3v1Block block;
  if (!LoadId3v1Block(file, block)) return false;
  record.Title = TrimSpaces(FieldText(block, kTitleAt, 30));
  record.Artist = TrimSpaces(FieldText(block, kArtistAt, 30));
  record.Album = TrimSpaces(FieldText(block, kAlbumAt, 30));
  record.Year = FieldText(block, kYearAt, 4);
  auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(block[i]); };
  if (byteAt(kZeroByteAt) == 0) {
    record.Comment = FieldText(block, kCommentAt, 28);
    record.Track = byteAt(kTrackAt) == 0 ? std::string() : text::DecimalText(byteAt(kTrackAt));
  } else {
    record.Comment = FieldText(block, kCommentAt, 30);
    record.Track.clear();
  }
  record.Genre = text::DecimalText(byteAt(kGenreAt));
  return true;
}

bool WriteId3v1(platform::ByteStream& file, std::string_view title, std::string_view artist,
                std::string_view album, std::string_view year, std::string_view comment,
                std::string_view track, int genre) {
  std::int64_t size = file.Size();
  if (size < 0) return false;
  Id3v1Block block{};
  std::memcpy(block.data(), "TAG", 3);
  PutField(block, kTitleAt, 30, title);
  PutField(block, kArtistAt, 30, artist);
  PutField(block, kAlbumAt, 30, album);
  PutField(block, kYearAt, 4, year);
  auto trackByte = static_cast<unsigned char>(text::TextToNumber(track) & 0xFF);
  if (trackByte != 0) {
    // ID3v1.1: the comment stops at 28 bytes so that byte 125 stays zero.
    PutField(block, kCommentAt, 28, comment);
    block[kTrackAt] = static_cast<char>(trackByte);
  } else {
    PutField(block, kCommentAt, 30, comment);
  }
  block[kGenreAt] = static_cast<char>(static_cast<unsigned>(genre) & 0xFF);

  Id3v1Block old;
  std::int64_t at = LoadId3v1Block(file, old) ? size - kId3v1Size : size;
  return file.WriteAt(at, block.data(), block.size());
}

bool RemoveId3v1(platform::ByteStream& file) {
  Id3v1Block block;
  if (!LoadId3v1Block(file, block)) return true;
  std::int64_t size = file.Size();
  return size >= kId3v1Size && DeleteFileBytes(file, size - kId3v1Size, kId3v1Size);
}

}  // namespace tags
