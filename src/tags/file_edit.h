// In-place edits of an open file: delete or insert bytes at an offset, moving the
// rest of the file (audio data, an ID3v1 block) instead of rewriting it elsewhere.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/file.h"

namespace tags {

// Deletes count bytes at offset; a count reaching past the end cuts the file at offset.
bool DeleteFileBytes(platform::ByteStream& file, std::int64_t offset, std::int64_t count);

// Inserts bytes at offset. The file is grown first, so when it cannot grow it is
// left exactly as it was.
bool InsertFileBytes(platform::ByteStream& file, std::int64_t offset, std::string_view bytes);

// Replaces count bytes at offset with bytes in one step (see platform::ReplaceBytes).
bool ReplaceFileBytes(platform::ByteStream& file, std::int64_t offset, std::int64_t count,
                      std::string_view bytes);

}  // namespace tags
