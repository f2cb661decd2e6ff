// Conversions between the internal text (GB18030 bytes) and the encodings at the
// program's edges: UTF-8 (file names on disk, the command line) and UTF-16 (Qt).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace text {

// Fails (nullopt) on bytes that are not a valid character of the source encoding.
std::optional<std::string> ToUtf8(std::string_view internal);
std::optional<std::string> FromUtf8(std::string_view utf8);
std::optional<std::u16string> ToUtf16(std::string_view internal);
std::optional<std::string> FromUtf16(std::u16string_view utf16);

// For display only: invalid bytes become U+FFFD instead of failing.
std::string ToUtf8Lossy(std::string_view internal);

// A fixed text of the program, written in UTF-8 in the source, as internal text.
std::string Literal(std::string_view utf8);

}  // namespace text
