// The ID3v2 layout as the reader and the writer share it: the tag header, sizes,
// unsynchronisation, the walk over the frame list (ID3v2.2, 2.3 and 2.4), and the
// text encodings of frame contents.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"

namespace tags {

inline constexpr int kId3v2HeaderSize = 10;
// A syncsafe size holds 28 bits.
inline constexpr std::int64_t kMaxSyncsafe = (std::int64_t{1} << 28) - 1;
// The walk gives up after this many frames: no real tag comes near it, and it bounds
// the work a hostile tag can cause.
inline constexpr int kMaxFrames = 65536;

struct Id3v2Header {
  int Version = 0;  // major version: 2, 3 and 4 have frames we can walk
  int Revision = 0;
  std::uint8_t Flags = 0;
  std::int64_t Size = 0;  // the syncsafe size: the bytes after the header, footer excluded

  bool Unsynchronised() const { return (Flags & 0x80) != 0; }
  bool HasExtendedHeader() const { return Version >= 3 && (Flags & 0x40) != 0; }
  bool HasFooter() const { return Version == 4 && (Flags & 0x10) != 0; }
  // Header and everything the size covers (frames, padding).
  std::int64_t Length() const { return Size + kId3v2HeaderSize; }
};

// The header in the first 10 bytes: "ID3", version, revision and flags each below
// 0xFF, four size bytes each below 0x80. Nothing when they do not form one.
std::optional<Id3v2Header> ParseId3v2Header(std::string_view bytes);

// (b0 & 0x7F) * 2^21 + (b1 & 0x7F) * 2^14 + (b2 & 0x7F) * 2^7 + (b3 & 0x7F) + 10:
// the tag length from the header's size bytes.
std::int64_t DecodeTagSize(const unsigned char size[4]);
std::uint32_t DecodeSyncsafe(const unsigned char bytes[4]);
// The 28-bit syncsafe form of n, most significant group first.
std::array<unsigned char, 4> EncodeSyncsafe(std::uint32_t n);

std::uint32_t ReadBigEndian(const char* bytes, int count);
void PutBigEndian32(char* out, std::uint32_t n);

// Undoes unsynchronisation: every FF 00 becomes FF.
std::string RemoveUnsynchronisation(std::string_view bytes);

// Random access to the bytes of one tag (header included), either all in memory or
// read from the file on demand through a small window, so that a reader never loads
// a picture it does not need.
class TagSource {
 public:
  explicit TagSource(std::string bytes);
  TagSource(platform::ByteStream& file, std::int64_t length, std::string prefix);

  std::int64_t Length() const { return length_; }
  // Bytes [offset, offset + count); false when they reach past the tag or a read fails.
  bool Read(std::int64_t offset, std::size_t count, std::string& out);

 private:
  platform::ByteStream* file_ = nullptr;
  std::int64_t length_ = 0;
  std::string window_;
  std::int64_t windowAt_ = 0;
};

// Loads the tag of a file whose header is known: everything up to the tag length or
// the end of the file, unsynchronisation undone for ID3v2.2 and 2.3 tags.
// With wholeTag false only a prefix is read and the rest on demand.
std::optional<TagSource> OpenTagSource(platform::ByteStream& file, const Id3v2Header& header,
                                       std::string prefix, bool wholeTag);
// The same over tag bytes already in memory (header included).
TagSource MemoryTagSource(std::string_view tag, const Id3v2Header& header);

struct FrameInfo {
  std::string Id;  // four characters, three in an ID3v2.2 tag
  std::uint16_t Flags = 0;
  std::int64_t Offset = 0;  // of the frame header in the tag
  std::int64_t ContentOffset = 0;
  std::int64_t ContentSize = 0;  // as stored (before per-frame unsynchronisation is undone)
};

// Visits the frames in list order. Skips an extended header; stops at padding, at the
// first invalid frame header (bad identifier, size past the end), after kMaxFrames,
// or when visit returns false. Versions other than 2, 3 and 4 have no frames.
void WalkFrames(TagSource& tag, const Id3v2Header& header,
                const std::function<bool(const FrameInfo&)>& visit);

// The frame's content as stored.
std::optional<std::string> ReadRawContent(TagSource& tag, const FrameInfo& frame);

// The frame's data: per-frame unsynchronisation undone and the extra bytes of the
// frame flags (group, data length) dropped. Nothing for compressed or encrypted frames.
std::optional<std::string> ReadFrameData(TagSource& tag, const Id3v2Header& header,
                                         const FrameInfo& frame);

// ---- Text encodings (encoding byte 0: bytes kept as GBK; 1: UTF-16 with BOM;
// 2: UTF-16 big-endian; 3: UTF-8; anything else is taken as 0).

// Length of one string's terminator in the encoding: 2 for UTF-16, else 1.
int TerminatorSize(int encoding);
// Splits off the first string: its bytes (without terminator) and what follows the
// terminator (empty when there is none).
std::string_view SplitString(int encoding, std::string_view bytes, std::string_view* rest);
// One encoded string to internal text.
std::string DecodeString(int encoding, std::string_view bytes);
// Every string of bytes, trailing empty ones dropped, joined with "/".
std::string DecodeStrings(int encoding, std::string_view bytes);
// One string (no terminator) re-encoded as UTF-16 little-endian with its byte-order
// mark; nothing when the bytes are not valid in their encoding.
std::optional<std::string> ToUtf16WithBom(int encoding, std::string_view bytes);

}  // namespace tags
