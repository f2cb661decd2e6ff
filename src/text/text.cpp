#include "text/text.h"

#include <algorithm>

namespace text {

std::size_t CharStartAt(std::string_view s, std::size_t pos) {
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t next = i + CharLength(s, i);
    if (pos < next) return i;
    i = next;
  }
  return pos;
}

std::size_t FitLength(std::string_view s, std::size_t count) {
  if (count >= s.size()) return s.size();
  return CharStartAt(s, count);
}

std::size_t BoundaryAtOrAfter(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return s.size();
  std::size_t start = CharStartAt(s, pos);
  return start == pos ? pos : start + CharLength(s, start);
}

std::size_t FindLastChar(std::string_view s, char c) {
  std::size_t found = npos;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) {
    if (s[i] == c) found = i;
  }
  return found;
}

namespace {

// Compares needle against haystack at pos; only single-byte letters fold.
bool MatchesAt(std::string_view haystack, std::size_t pos, std::string_view needle,
               bool caseSensitive) {
  if (caseSensitive) return haystack.compare(pos, needle.size(), needle) == 0;
  for (std::size_t k = 0; k < needle.size();) {
    std::size_t len = CharLength(needle, k);
    if (len == 2) {
      if (haystack[pos + k] != needle[k] || haystack[pos + k + 1] != needle[k + 1]) return false;
    } else if (AsciiLower(haystack[pos + k]) != AsciiLower(needle[k])) {
      return false;
    }
    k += len;
  }
  return true;
}

}  // namespace

std::size_t FindText(std::string_view haystack, std::string_view needle, std::size_t from,
                     bool caseSensitive) {
  if (needle.empty() || needle.size() > haystack.size()) return npos;
  std::size_t last = haystack.size() - needle.size();
  // `from` is expected on a boundary; callers pass 0 or the end of an earlier match.
  for (std::size_t i = from; i <= last; i += CharLength(haystack, i)) {
    if (MatchesAt(haystack, i, needle, caseSensitive)) {
      // A match ending on the lead byte of a double-byte character would split it.
      std::size_t end = i + needle.size();
      if (end == haystack.size() || BoundaryAtOrAfter(haystack, end) == end) return i;
    }
  }
  return npos;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && (a.empty() || MatchesAt(a, 0, b, false));
}

namespace {

template <typename Fold>
std::string FoldLetters(std::string_view s, Fold fold) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) {
    out[i] = fold(out[i]);
  }
  return out;
}

}  // namespace

std::string ToUpperAscii(std::string_view s) {
  return FoldLetters(s, AsciiUpper);
}
std::string ToLowerAscii(std::string_view s) {
  return FoldLetters(s, AsciiLower);
}

bool ExtensionMatches(std::string_view name, std::string_view ext) {
  std::size_t dot = FindLastChar(name, '.');
  return dot != npos && EqualsIgnoringAsciiCase(name.substr(dot + 1), ext);
}

std::string DecimalText(long long value) {
  return std::to_string(value);
}

NameParts SplitName(std::string_view name) {
  std::size_t dot = FindLastChar(name, '.');
  if (dot == npos) return {std::string(name), {}};
  return {std::string(name.substr(0, dot)), std::string(name.substr(dot))};
}

}  // namespace text
