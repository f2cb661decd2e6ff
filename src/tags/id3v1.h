// ID3v1 / ID3v1.1: the fixed 128-byte block at the end of an MP3 file. Texts are
// copied byte for byte (GBK), without any code-page conversion. The caller opens
// and closes the file.
#pragma once

#include <array>
#include <string_view>

#include "platform/file.h"
#include "tags/tag_record.h"

namespace tags {

inline constexpr int kId3v1Size = 128;
using Id3v1Block = std::array<char, kId3v1Size>;

// Loads the last 128 bytes into block (untouched when the file is shorter) and tells
// whether they begin with "TAG" (upper case). One read of 128 bytes.
bool LoadId3v1Block(platform::ByteStream& file, Id3v1Block& block);

// True when the file has an ID3v1 block; then fills Title, Artist, Album, Year,
// Comment, Track and Genre (the genre number in decimal digits). False leaves the
// record untouched.
bool ReadId3v1(platform::ByteStream& file, TagRecord& record);

// Replaces the ID3v1 block or appends one. Each text is cut to its field at a
// character boundary; with a track number (low 8 bits non-zero) the comment gets 28
// bytes and the block is ID3v1.1, without one it may use all 30. genre is the genre
// number, -1 for none (stored as 255).
bool WriteId3v1(platform::ByteStream& file, std::string_view title, std::string_view artist,
                std::string_view album, std::string_view year, std::string_view comment,
                std::string_view track, int genre);

// Removes the ID3v1 block if there is one. False only when the removal failed.
bool RemoveId3v1(platform::ByteStream& file);

}  // namespace tags
