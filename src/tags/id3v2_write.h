// ID3v2 writing and removal. A written tag is always ID3v2.3: the fixed 1024-byte
// image with the twelve texts patched in (encoding byte 0, GBK bytes, language CHS),
// then every other frame of the old tag, then the image's 877 bytes of padding.
// The caller opens the file for reading and writing and closes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file.h"
#include "tags/id3v2_layout.h"
#include "tags/tag_record.h"

namespace tags {

inline constexpr int kTagImageSize = 1024;

// The empty tag: header (size 00 00 07 76), the twelve empty frames TRCK TENC WXXX
// TCOP TOPE TCOM COMM TCON TYER TALB TPE1 TIT2, and zero padding to 1024 bytes.
std::string NewTagImage();

// Puts text into the first frame with identifier id of a tag image (found by walking
// the frames, so texts patched in earlier never pass for headers) and fixes that
// frame's size. False when the image has no such frame.
bool PatchFrameText(std::string& image, std::string_view id, std::string_view text);

// The tag that WriteId3v2 writes for record when the file's old tag is oldTag (the
// whole old tag, header included; empty for none). Frames of the old tag other than
// the ones the twelve fields replace follow the twelve, in ID3v2.3 framing. Empty
// when the tag would not fit a syncsafe size.
std::string BuildId3v2Tag(const TagRecord& record, std::string_view oldTag);

// How many bytes at the start of the file the ID3v2 tag takes: header, size, and an
// ID3v2.4 footer when there is one; never more than the file holds, and never into
// an ID3v1 block. 0 when the file has no valid header.
std::int64_t Id3v2TagExtent(platform::ByteStream& file);

// Replaces the file's ID3v2 tag (or inserts one) with the tag built from record, in
// one in-place step. When the file cannot be grown it is left exactly as it was.
bool WriteId3v2(platform::ByteStream& file, const TagRecord& record);

// Deletes the ID3v2 tag. True when there was none or it has been deleted.
bool RemoveId3v2(platform::ByteStream& file);

}  // namespace tags
