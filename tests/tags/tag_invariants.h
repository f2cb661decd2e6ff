// What must hold for any file bytes, however broken: the readers return, an ID3v2
// update keeps everything after the old tag, reads back what it wrote and is stable,
// removal gives back the rest of the file, and ID3v1 fields round-trip. Shared by the
// seeded random test and the fuzz targets; returns the first violation, or "".
#pragma once

#include <string>
#include <vector>

#include "platform/file.h"
#include "tags/genres.h"
#include "tags/id3v1.h"
#include "tags/id3v2_read.h"
#include "tags/id3v2_write.h"
#include "tags/tag_bytes.h"

namespace tagtest {

inline std::string CheckTagInvariants(const std::string& bytes) {
  using namespace tags;
  platform::MemoryFile file(bytes);
  TagRecord v1, v2;
  bool hasV1 = ReadId3v1(file, v1);
  bool hasV2 = ReadId3v2(file, v2);
  if (hasV2 != HasId3v2Header(file)) return "ReadId3v2 disagrees with HasId3v2Header";
  for (const char* id : {"TIT2", "COMM", "WXXX", "TCON", "APIC", "TT2"}) ReadFrameText(bytes, id);
  ResolveGenreText(bytes.substr(0, 40));

  std::int64_t extent = Id3v2TagExtent(file);
  if (extent < 0 || extent > static_cast<std::int64_t>(bytes.size())) return "extent out of range";
  if (extent > 0 && !hasV2) return "extent without a header";
  std::string rest = bytes.substr(static_cast<std::size_t>(extent));

  platform::MemoryFile written(bytes);
  if (!WriteId3v2(written, v2)) return "WriteId3v2 failed";
  const std::string once = written.Bytes();
  auto header = ParseId3v2Header(once);
  if (!header || header->Version != 3) return "written tag has no ID3v2.3 header";
  if (header->Length() > static_cast<std::int64_t>(once.size())) return "written tag too long";
  if (once.substr(static_cast<std::size_t>(header->Length())) != rest) {
    return "bytes after the tag changed";
  }
  TagRecord back;
  if (!ReadId3v2(written, back)) return "written tag not read";
  TagRecord expected = v2;
  if (ResolveGenreText(v2.Genre) != v2.Genre) expected.Genre = back.Genre;
  if (!(back == expected)) return "written tag reads back differently";
  if (!WriteId3v2(written, v2)) return "second WriteId3v2 failed";
  if (written.Bytes() != once) return "writing twice changed the file";
  if (!RemoveId3v2(written)) return "RemoveId3v2 failed";
  if (written.Bytes() != rest) return "removal left other bytes";

  if (hasV1) {
    platform::MemoryFile again(bytes);
    int genre = static_cast<unsigned char>(bytes[bytes.size() - 1]);
    if (!WriteId3v1(again, v1.Title, v1.Artist, v1.Album, v1.Year, v1.Comment, v1.Track, genre)) {
      return "WriteId3v1 failed";
    }
    if (again.Bytes().size() != bytes.size()) return "ID3v1 rewrite changed the length";
    TagRecord v1back;
    if (!ReadId3v1(again, v1back) || !(v1back == v1)) return "ID3v1 fields do not round-trip";
  }
  return "";
}

// Valid tags of every kind the readers know, as starting points for mutation.
inline std::vector<std::string> SeedFiles() {
  std::string audio = Audio(300, 5);
  std::string v1 = Id3v1("Title", "Artist", "Album", "1999", "Comment", 0, 3, 17);
  std::string apic = Bytes({0}) + "image/png" + Bytes({0, 3}) + "d" + Bytes({0}) + Audio(200, 6);
  std::vector<std::string> seeds;
  seeds.push_back(Tag(3,
                      Frame23("TIT2", Latin("Title")) +
                          Frame23("TPE1", Bytes({1, 0xFF, 0xFE, 'A', 0})) +
                          Frame23("TALB", Latin("Album")) + Frame23("TYER", Latin("1999")) +
                          Frame23("TRCK", Latin("1/2")) + Frame23("TCON", Latin("(17)Rock")) +
                          Frame23("COMM", Bytes({0}) + "eng" + Bytes({0}) + "c") +
                          Frame23("TOPE", Latin("o")) + Frame23("TCOP", Latin("r")) +
                          Frame23("TCOM", Latin("m")) + Frame23("WXXX", Bytes({0, 0}) + "u") +
                          Frame23("TENC", Latin("e")) + Frame23("APIC", apic),
                      40) +
                  audio + v1);
  seeds.push_back(Tag(4,
                      Syncsafe(6) + Bytes({1, 0}) + Frame24("TIT2", Bytes({3}) + "\xE6\xAD\x8C") +
                          Frame24("TDRC", Latin("2004-05-06T01:02")) +
                          Frame24("TPE1", Bytes({0, 'a', 0xFF, 0, 'b'}), 0x0002) +
                          Frame24("TALB", Bytes({9}) + Syncsafe(2) + Latin("x"), 0x0041) +
                          Frame24("APIC", apic, 0x6000) +
                          Frame24("TXXX", Bytes({2, 0, 'k', 0, 0, 0, 'v'})),
                      20, 0x40) +
                  audio);
  seeds.push_back(Tag(2,
                      Frame22("TT2", Latin("t")) + Frame22("TP1", Latin("a")) +
                          Frame22("COM", Bytes({0}) + "eng" + Bytes({0}) + "c") +
                          Frame22("PIC", Bytes({0}) + "JPG" + Bytes({3, 0}) + "img") +
                          Frame22("TCO", Latin("(13)")),
                      10) +
                  audio + v1);
  seeds.push_back(Tag(3,
                      BigEndian(6) + Bytes({0, 0}) + BigEndian(0) +
                          Frame23("TIT2", Bytes({1, 0xFF, 0xFE, 0xFF, 0, 0, 0x4E})) +
                          Frame23("TPE1", BigEndian(10) + "zz", 0x0080),
                      30, 0xC0) +
                  audio);
  std::string own = tags::BuildId3v2Tag(
      tags::TagRecord{"T", "A", "B", "1", "2000", "(17)Rock", "C", "D", "E", "F", "http://u/", "G"},
      "");
  seeds.push_back(own + audio + v1);
  seeds.push_back(
      Tag(4, Frame23("TIT2", Latin(std::string(300, 't'))) + Frame23("TPE1", Latin("a"))) + audio);
  std::string footer = Tag(4, Frame24("TIT2", Latin("f")), 0, 0x10);
  seeds.push_back(footer + "3DI" + footer.substr(3, 7) + audio);
  seeds.push_back(audio + v1);
  return seeds;
}

// A seed changed by the bytes of a random or fuzzer input: a cut, then byte writes.
inline std::string MutateSeed(const std::vector<std::string>& seeds, const std::uint8_t* data,
                              std::size_t size) {
  if (size < 3) return {};
  std::string s = seeds[data[0] % seeds.size()];
  std::size_t cut = (static_cast<std::size_t>(data[1]) << 8 | data[2]) % (s.size() + 200);
  if (cut < s.size() && (data[1] & 0x80)) s.resize(cut);
  for (std::size_t i = 3; i + 2 < size; i += 3) {
    if (s.empty()) break;
    std::size_t pos = (static_cast<std::size_t>(data[i]) << 8 | data[i + 1]) % s.size();
    s[pos] = static_cast<char>(data[i + 2]);
  }
  return s;
}

}  // namespace tagtest
