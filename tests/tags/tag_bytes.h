// Builders for the bytes of ID3 tags and MP3-like files in the tag tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tagtest {

inline std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

inline std::string BigEndian(std::uint32_t n, int count = 4) {
  std::string s(static_cast<std::size_t>(count), '\0');
  for (int i = count - 1; i >= 0; --i, n >>= 8)
    s[static_cast<std::size_t>(i)] = static_cast<char>(n & 0xFF);
  return s;
}

inline std::string Syncsafe(std::uint32_t n) {
  return Bytes({static_cast<int>((n >> 21) & 0x7F), static_cast<int>((n >> 14) & 0x7F),
                static_cast<int>((n >> 7) & 0x7F), static_cast<int>(n & 0x7F)});
}

// ID3v2.3 frame: plain 32-bit size.
inline std::string Frame23(std::string_view id, std::string_view content, int flags = 0) {
  return std::string(id) + BigEndian(static_cast<std::uint32_t>(content.size())) +
         BigEndian(static_cast<std::uint32_t>(flags), 2) + std::string(content);
}

// ID3v2.4 frame: syncsafe size.
inline std::string Frame24(std::string_view id, std::string_view content, int flags = 0) {
  return std::string(id) + Syncsafe(static_cast<std::uint32_t>(content.size())) +
         BigEndian(static_cast<std::uint32_t>(flags), 2) + std::string(content);
}

// ID3v2.2 frame: three-letter identifier, 24-bit size.
inline std::string Frame22(std::string_view id, std::string_view content) {
  return std::string(id) + BigEndian(static_cast<std::uint32_t>(content.size()), 3) +
         std::string(content);
}

// A whole tag: header with the syncsafe size of body + padding, then body and padding.
inline std::string Tag(int version, std::string_view body, std::size_t padding = 0, int flags = 0) {
  std::string tag = "ID3" + Bytes({version, 0, flags}) +
                    Syncsafe(static_cast<std::uint32_t>(body.size() + padding));
  tag += body;
  tag.append(padding, '\0');
  return tag;
}

// Text frame content: encoding byte 0 and the bytes.
inline std::string Latin(std::string_view s) {
  std::string content(1, '\0');
  content += s;
  return content;
}

// Bytes that look like nothing an ID3 reader would take for a tag, different per seed.
inline std::string Audio(std::size_t n, unsigned seed = 1) {
  std::string s(n, '\0');
  std::uint32_t x = seed * 2654435761u + 12345;
  for (auto& c : s) {
    x = x * 1103515245u + 12345u;
    c = static_cast<char>((x >> 16) & 0xFF);
  }
  if (n > 0) s[0] = '\xFF';  // an MPEG frame sync, never "ID3" or "TAG"
  return s;
}

// An ID3v1 block: fields placed byte for byte, zero elsewhere.
inline std::string Id3v1(std::string_view title, std::string_view artist = "",
                         std::string_view album = "", std::string_view year = "",
                         std::string_view comment = "", int b125 = 0, int b126 = 0,
                         int genre = 255) {
  std::string block(128, '\0');
  block.replace(0, 3, "TAG");
  block.replace(3, title.size(), title);
  block.replace(33, artist.size(), artist);
  block.replace(63, album.size(), album);
  block.replace(93, year.size(), year);
  block.replace(97, comment.size(), comment);
  block[125] = static_cast<char>(b125);
  block[126] = static_cast<char>(b126);
  block[127] = static_cast<char>(genre);
  return block;
}

}  // namespace tagtest
