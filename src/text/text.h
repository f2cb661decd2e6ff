// The program's internal text: GB18030 bytes held in std::string (identical to
// GBK for every GBK character). These helpers are the only code that steps over
// double-byte characters; everything else calls them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

inline constexpr std::size_t npos = std::string_view::npos;

// A byte of 0x80 or above starts a double-byte character together with the byte after it.
inline bool IsLeadByte(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

// Bytes taken by the character starting at pos: 2 for a lead byte with a byte after it, else 1.
inline std::size_t CharLength(std::string_view s, std::size_t pos) {
  return IsLeadByte(s[pos]) && pos + 1 < s.size() ? 2 : 1;
}

// The start of the character holding byte pos (pos itself when it starts one).
// Scans from the front, because a trail byte cannot be told from a lead byte alone.
std::size_t CharStartAt(std::string_view s, std::size_t pos);

// A cut after `count` bytes moved back to a character boundary, so that no
// double-byte character is split: the length of the longest whole-character prefix.
std::size_t FitLength(std::string_view s, std::size_t count);

// A cut at byte pos moved forward to the end of the character that covers it.
std::size_t BoundaryAtOrAfter(std::string_view s, std::size_t pos);

// Position of the last single-byte character c, never a byte of a double-byte character.
std::size_t FindLastChar(std::string_view s, char c);

// ASCII letters only; every other byte is returned as it is.
inline char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
inline bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// First match of needle at or after `from` that starts on a character boundary.
// Without caseSensitive, single-byte ASCII letters match either case; bytes of
// double-byte characters always compare exactly.
std::size_t FindText(std::string_view haystack, std::string_view needle, std::size_t from,
                     bool caseSensitive);

// Whether a and b are equal with single-byte ASCII letters compared without regard to case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Upper or lower case of every single-byte ASCII letter; double-byte characters stay whole.
std::string ToUpperAscii(std::string_view s);
std::string ToLowerAscii(std::string_view s);

// Whether the text after the last "." of name equals ext, ASCII letters compared
// without regard to case. A name without a dot has no extension.
bool ExtensionMatches(std::string_view name, std::string_view ext);

// The decimal text of an integer: digits, "-" in front when negative, no grouping.
std::string DecimalText(long long value);

// A name cut at its last "." into the base name and the extension part, which keeps
// its dot: "a.b.txt" -> ("a.b", ".txt"), "readme" -> ("readme", ""), "name." -> ("name", ".").
struct NameParts {
  std::string Base;
  std::string Extension;
};
NameParts SplitName(std::string_view name);

}  // namespace text
