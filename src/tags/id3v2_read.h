// ID3v2 reading: the tag at the start of an MP3 file into a TagRecord. Frames are
// found by walking the frame list (ID3v2.2, 2.3 and 2.4); text encodings are decoded
// to internal text. The caller opens and closes the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file.h"
#include "tags/id3v2_layout.h"
#include "tags/tag_record.h"

namespace tags {

// The file's ID3v2 header, when it starts with a valid one.
std::optional<Id3v2Header> ReadId3v2Header(platform::ByteStream& file);
bool HasId3v2Header(platform::ByteStream& file);

// True when the file starts with a valid ID3v2 header; then all twelve fields are
// overwritten, each with the empty text when its frame is missing. The first frame
// of each identifier counts. The year falls back to the first four characters of
// TDRC when there is no TYER; the genre goes through ResolveGenreText. False leaves
// the record untouched. Reads the file's first 8 KB, and further bytes of the tag
// only as far as the frames it needs.
bool ReadId3v2(platform::ByteStream& file, TagRecord& record);

// The text of the first readable frame with identifier id in tag (the whole tag,
// header included), decoded as a text frame (T...), a comment (COMM, COM), a user URL
// (WXXX, WXX) or a URL (other W...); empty when there is none.
std::string ReadFrameText(std::string_view tag, std::string_view id);

// Which of the twelve fields a frame fills: its slot in the order TIT2 TPE1 TALB
// TYER TRCK TCON COMM TOPE TCOP TCOM WXXX TENC (ID3v2.2: TT2 TP1 TAL TYE TRK TCO COM
// TOA TCR TCM WXX TEN), or -1 for any other frame.
int FieldFrameSlot(std::string_view id, int version);
inline constexpr int kCommentSlot = 6;
inline constexpr int kUrlSlot = 10;

// The text of one frame's data (as ReadFrameData gives it), by the frame's identifier.
std::string DecodeFrameText(std::string_view id, std::string_view data);

// A TCON text to a genre name: "(17)" and "(17)Rock" give Rock, "((13))" Pop, plain
// text stays, text between parentheses of four or more bytes gives what follows the
// ")". A number outside 0 to 125 leaves the text unchanged.
std::string ResolveGenreText(std::string_view text);

}  // namespace tags
