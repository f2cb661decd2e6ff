#include "tags/id3v2_read.h"

#include <gtest/gtest.h>

#include "platform/file.h"
#include "tags/tag_bytes.h"

namespace {

using namespace tags;
using namespace tagtest;
using platform::MemoryFile;

TagRecord ReadTag(const std::string& tag, bool* found = nullptr) {
  MemoryFile file(tag + Audio(2000));
  TagRecord record;
  bool ok = ReadId3v2(file, record);
  if (found) *found = ok;
  return record;
}

std::string Title23(std::string_view content) {
  return Tag(3, Frame23("TIT2", content), 64);
}

// ---- Header

TEST(Id3v2HeaderTest, Validity) {
  auto header = [](std::string bytes) {
    MemoryFile file(bytes + Audio(100));
    return HasId3v2Header(file);
  };
  EXPECT_TRUE(header(Bytes({'I', 'D', '3', 3, 0, 0, 0, 0, 7, 0x76})));
  EXPECT_FALSE(header(Bytes({'I', 'D', '3', 3, 0, 0, 0, 0, 0x80, 0})));
  EXPECT_FALSE(header(Bytes({'I', 'D', '3', 3, 0, 0, 0xFF, 0, 0, 0})));
  EXPECT_FALSE(header(Bytes({'I', 'D', '3', 3, 0, 0xFF, 0, 0, 0, 0})));
  EXPECT_FALSE(header(Bytes({'I', 'D', '3', 3, 0, 0xFF, 0, 0, 0, 0})));
  EXPECT_FALSE(header(Bytes({'I', 'D', '3', 0xFF, 0, 0, 0, 0, 0, 0})));
  EXPECT_TRUE(header(Bytes({'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0})));
  EXPECT_TRUE(header(Bytes({'I', 'D', '3', 2, 0, 0, 0, 0, 0, 0})));
  EXPECT_FALSE(header(Bytes({'i', 'd', '3', 3, 0, 0, 0, 0, 0, 0})));
  MemoryFile shortFile("ID3\x03");
  EXPECT_FALSE(HasId3v2Header(shortFile));
  MemoryFile closed(Tag(3, ""));
  closed.SetOpen(false);
  EXPECT_FALSE(HasId3v2Header(closed));
}

TEST(Id3v2HeaderTest, DecodeTagSize) {
  const unsigned char a[4] = {0, 0, 7, 0x76};
  const unsigned char b[4] = {0, 1, 0, 0};
  const unsigned char c[4] = {0x7F, 0x7F, 0x7F, 0x7F};
  EXPECT_EQ(DecodeTagSize(a), 1024);
  EXPECT_EQ(DecodeTagSize(b), 16394);
  EXPECT_EQ(DecodeTagSize(c), (1 << 28) - 1 + 10);
}

TEST(Id3v2ReadTest, NoHeaderLeavesTheRecordUntouched) {
  TagRecord record;
  record.Title = "kept";
  MemoryFile file(Audio(3000));
  EXPECT_FALSE(ReadId3v2(file, record));
  EXPECT_EQ(record.Title, "kept");
}

TEST(Id3v2ReadTest, TagWithoutFramesEmptiesAllTwelveFields) {
  TagRecord record;
  record.Title = record.Artist = record.Album = record.Track = record.Year = record.Genre =
      record.Comment = record.Composer = record.OriginalArtist = record.Rights = record.Url =
          record.Encoder = "old";
  MemoryFile file(Tag(3, "", 100) + Audio(100));
  ASSERT_TRUE(ReadId3v2(file, record));
  EXPECT_EQ(record, TagRecord{});
}

// ---- Text frames and encodings

TEST(Id3v2ReadTest, PlainTextFrames) {
  EXPECT_EQ(ReadTag(Title23(Bytes({0}) + "Song" + Bytes({0}))).Title, "Song");
  EXPECT_EQ(ReadTag(Title23(Bytes({0}))).Title, "");
  EXPECT_EQ(ReadTag(Title23("")).Title, "");
  // Encoding 0 keeps its bytes as GBK.
  EXPECT_EQ(ReadTag(Title23(Latin("\xB8\xE8\xC3\xFB"))).Title, "\xB8\xE8\xC3\xFB");
}

TEST(Id3v2ReadTest, Utf16WithByteOrderMarks) {
  EXPECT_EQ(ReadTag(Title23(Bytes({1, 0xFE, 0xFF, 0, 'A', 0, 'B'}))).Title, "AB");
  EXPECT_EQ(ReadTag(Title23(Bytes({1, 0xFF, 0xFE, 'A', 0, 'B', 0, 0, 0}))).Title, "AB");
  // 歌 U+6B4C little-endian -> GBK B8 E8.
  EXPECT_EQ(ReadTag(Title23(Bytes({1, 0xFF, 0xFE, 0x4C, 0x6B}))).Title, "\xB8\xE8");
  // Without a byte-order mark the text is taken as little-endian, not cut.
  EXPECT_EQ(ReadTag(Title23(Bytes({1, 'A', 0, 'B', 0}))).Title, "AB");
  // A character outside the BMP (U+1F600) survives as GB18030.
  EXPECT_EQ(ReadTag(Title23(Bytes({1, 0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}))).Title,
            "\x94\x39\xFC\x36");
  // An unpaired surrogate does not fail the read.
  EXPECT_FALSE(ReadTag(Title23(Bytes({1, 0xFF, 0xFE, 0x3D, 0xD8, 'A', 0}))).Title.empty());
}

TEST(Id3v2ReadTest, Utf16BigEndianAndUtf8) {
  EXPECT_EQ(ReadTag(Title23(Bytes({2, 0x6B, 0x4C, 0, 'x'}))).Title, "\xB8\xE8x");
  EXPECT_EQ(ReadTag(Title23(Bytes({3}) + "\xE6\xAD\x8C" + "x")).Title, "\xB8\xE8x");
  // Invalid UTF-8 does not fail the read.
  EXPECT_FALSE(ReadTag(Title23(Bytes({3, 0xC3, 'x'}))).Title.empty());
}

TEST(Id3v2ReadTest, SeveralStringsAreJoinedWithSlash) {
  EXPECT_EQ(ReadTag(Title23(Latin(std::string("a\0b\0", 4)))).Title, "a/b");
  EXPECT_EQ(ReadTag(Title23(Bytes({1, 0xFF, 0xFE, 'a', 0, 0, 0, 0xFE, 0xFF, 0, 'b'}))).Title,
            "a/b");
  EXPECT_EQ(ReadTag(Title23(Bytes({3, 'a', 0, 'b', 0, 0}))).Title, "a/b");
}

TEST(Id3v2ReadTest, Comments) {
  auto comment = [](std::string content) {
    return ReadTag(Tag(3, Frame23("COMM", content))).Comment;
  };
  EXPECT_EQ(comment(Bytes({0}) + "eng" + "d" + Bytes({0}) + "Nice"), "Nice");
  EXPECT_EQ(comment(Bytes({0}) + "eng" + Bytes({0}) + "Nice"), "Nice");
  EXPECT_EQ(comment(Bytes({1}) + "eng" + Bytes({0xFF, 0xFE, 0, 0, 0xFF, 0xFE, 'N', 0, 'i', 0})),
            "Ni");
  EXPECT_EQ(comment(Bytes({1}) + "eng" + Bytes({0xFF, 0xFE, 'd', 0, 0, 0, 0xFF, 0xFE, 'N', 0})),
            "N");
  EXPECT_EQ(comment(Bytes({3}) + "chi" + Bytes({0}) + "\xE6\xAD\x8C"), "\xB8\xE8");
  EXPECT_EQ(comment(Bytes({0}) + "en"), "");
  // A description without its terminator is taken for the comment.
  EXPECT_EQ(comment(Bytes({0}) + "eng" + "Nice"), "Nice");
}

TEST(Id3v2ReadTest, UserUrls) {
  auto url = [](std::string content) { return ReadTag(Tag(3, Frame23("WXXX", content))).Url; };
  EXPECT_EQ(url(Bytes({0}) + "x" + Bytes({0}) + "abc"), "abc");
  EXPECT_EQ(url(Bytes({0, 0}) + "http://a/"), "http://a/");
  // The URL is Latin-1 even in a UTF-16 frame: no description joined to it.
  EXPECT_EQ(url(Bytes({1, 0xFF, 0xFE, 'd', 0, 0, 0}) + "abc"), "abc");
  EXPECT_EQ(url(Bytes({1, 0xFF, 0xFE, 0, 0, 0xFF, 0xFE, 'a', 0, 'b', 0})), "ab");
}

TEST(Id3v2ReadTest, AllTwelveFrames) {
  std::string body = Frame23("TIT2", Latin("Title")) + Frame23("TPE1", Latin("Artist")) +
                     Frame23("TALB", Latin("Album")) + Frame23("TYER", Latin("1999")) +
                     Frame23("TRCK", Latin("3/9")) + Frame23("TCON", Latin("(17)Rock")) +
                     Frame23("COMM", Bytes({0}) + "eng" + Bytes({0}) + "Comment") +
                     Frame23("TOPE", Latin("Orig")) + Frame23("TCOP", Latin("Rights")) +
                     Frame23("TCOM", Latin("Composer")) +
                     Frame23("WXXX", Bytes({0, 0}) + "http://u/") + Frame23("TENC", Latin("Enc"));
  bool found = false;
  TagRecord r = ReadTag(Tag(3, body, 100), &found);
  ASSERT_TRUE(found);
  EXPECT_EQ(r.Title, "Title");
  EXPECT_EQ(r.Artist, "Artist");
  EXPECT_EQ(r.Album, "Album");
  EXPECT_EQ(r.Year, "1999");
  EXPECT_EQ(r.Track, "3/9");
  EXPECT_EQ(r.Genre, "Rock");
  EXPECT_EQ(r.Comment, "Comment");
  EXPECT_EQ(r.OriginalArtist, "Orig");
  EXPECT_EQ(r.Rights, "Rights");
  EXPECT_EQ(r.Composer, "Composer");
  EXPECT_EQ(r.Url, "http://u/");
  EXPECT_EQ(r.Encoder, "Enc");
}

// ---- The frame walk

TEST(Id3v2WalkTest, IdentifierInsideAnotherFrameIsNotAFrame) {
  std::string comm = Bytes({0}) + "eng" + Bytes({0}) + "see TIT2" + BigEndian(3) + "xx" + "zzz";
  std::string tag = Tag(3, Frame23("COMM", comm) + Frame23("TIT2", Latin("Real")));
  TagRecord r = ReadTag(tag);
  EXPECT_EQ(r.Title, "Real");
  EXPECT_EQ(ReadFrameText(tag, "TIT2"), "Real");
}

TEST(Id3v2WalkTest, FirstFrameOfAnIdentifierCounts) {
  TagRecord r = ReadTag(Tag(3, Frame23("TIT2", Latin("One")) + Frame23("TIT2", Latin("Two"))));
  EXPECT_EQ(r.Title, "One");
}

TEST(Id3v2WalkTest, V23SizesArePlainAndV24SizesSyncsafe) {
  std::string longTitle(300, 't');
  EXPECT_EQ(ReadTag(Tag(3, Frame23("TIT2", Latin(longTitle)) + Frame23("TPE1", Latin("A")))).Artist,
            "A");
  TagRecord r = ReadTag(Tag(4, Frame24("TIT2", Latin(longTitle)) + Frame24("TPE1", Latin("A"))));
  EXPECT_EQ(r.Title, longTitle);
  EXPECT_EQ(r.Artist, "A");
}

TEST(Id3v2WalkTest, V24WithPlainSizesIsStillRead) {
  // Some writers put plain sizes into ID3v2.4 tags.
  std::string longTitle(300, 't');
  TagRecord r =
      ReadTag(Tag(4, Frame23("TIT2", Latin(longTitle)) + Frame23("TPE1", Latin("A")), 20));
  EXPECT_EQ(r.Title, longTitle);
  EXPECT_EQ(r.Artist, "A");
}

TEST(Id3v2WalkTest, StopsAtPaddingAndAtTheFirstInvalidHeader) {
  EXPECT_EQ(ReadTag(Tag(3, Frame23("TIT2", Latin("a")) + std::string(20, '\0') +
                               Frame23("TPE1", Latin("b"))))
                .Artist,
            "");
  EXPECT_EQ(ReadTag(Tag(3, Frame23("TIT2", Latin("a")) + Frame23("ti t", Latin("x")) +
                               Frame23("TPE1", Latin("b"))))
                .Artist,
            "");
  // A size reaching past the tag ends the walk, and reads nothing beyond it.
  std::string body = Frame23("TIT2", Latin("a")) + "TPE1" + BigEndian(1000) + Bytes({0, 0}) + "zz";
  TagRecord r = ReadTag(Tag(3, body));
  EXPECT_EQ(r.Title, "a");
  EXPECT_EQ(r.Artist, "");
}

TEST(Id3v2WalkTest, SkipsTheExtendedHeader) {
  std::string ext23 = BigEndian(6) + Bytes({0, 0}) + BigEndian(0);
  EXPECT_EQ(ReadTag(Tag(3, ext23 + Frame23("TIT2", Latin("x")), 10, 0x40)).Title, "x");
  std::string ext24 = Syncsafe(6) + Bytes({1, 0});
  EXPECT_EQ(ReadTag(Tag(4, ext24 + Frame24("TIT2", Latin("y")), 10, 0x40)).Title, "y");
  // An extended header that does not fit: no frames, no crash.
  EXPECT_EQ(ReadTag(Tag(3, BigEndian(5000) + Frame23("TIT2", Latin("x")), 0, 0x40)).Title, "");
}

TEST(Id3v2WalkTest, UndoesUnsynchronisation) {
  // ID3v2.3: the whole tag after the header; FF 00 stands for FF.
  std::string title = Bytes({'a', 0xFF, 0, 'b'});  // the stored form of a, FF, b
  std::string body = "TIT2" + BigEndian(4) + Bytes({0, 0}) + Latin(title);
  EXPECT_EQ(ReadTag(Tag(3, body + Frame23("TPE1", Latin("c")), 0, 0x80)).Title,
            "a\xFF"
            "b");
  // ID3v2.4: per frame, and the size counts the stored bytes.
  std::string frame = "TIT2" + Syncsafe(5) + Bytes({0, 0x02}) + Latin(title);
  TagRecord r = ReadTag(Tag(4, frame + Frame24("TPE1", Latin("c"))));
  EXPECT_EQ(r.Title,
            "a\xFF"
            "b");
  EXPECT_EQ(r.Artist, "c");
}

TEST(Id3v2WalkTest, V24DataLengthAndGroupBytesAreSkipped) {
  std::string content = Bytes({7}) + Syncsafe(5) + Latin("Song");  // group 7, length 5
  EXPECT_EQ(ReadTag(Tag(4, Frame24("TIT2", content, 0x0041))).Title, "Song");
}

TEST(Id3v2WalkTest, CompressedFramesAreSkipped) {
  std::string tag =
      Tag(3, Frame23("TIT2", BigEndian(10) + "zlibdata", 0x0080) + Frame23("TIT2", Latin("Plain")));
  EXPECT_EQ(ReadTag(tag).Title, "Plain");
  EXPECT_EQ(ReadTag(Tag(4, Frame24("TIT2", Syncsafe(10) + "zz", 0x0009))).Title, "");
}

TEST(Id3v2WalkTest, ReadsId3v22Frames) {
  std::string body =
      Frame22("TT2", Latin("Title")) + Frame22("TP1", Latin("Artist")) +
      Frame22("TAL", Latin("Album")) + Frame22("TYE", Latin("1988")) + Frame22("TRK", Latin("4")) +
      Frame22("TCO", Latin("(13)")) + Frame22("COM", Bytes({0}) + "eng" + Bytes({0}) + "Cm") +
      Frame22("TCM", Latin("Cp")) + Frame22("TOA", Latin("Or")) + Frame22("TCR", Latin("Cr")) +
      Frame22("WXX", Bytes({0, 0}) + "http://x/") + Frame22("TEN", Latin("En")) +
      Frame22("PIC", Bytes({0}) + "PNG" + Bytes({3, 0}) + "img");
  TagRecord r = ReadTag(Tag(2, body, 30));
  EXPECT_EQ(r.Title, "Title");
  EXPECT_EQ(r.Artist, "Artist");
  EXPECT_EQ(r.Album, "Album");
  EXPECT_EQ(r.Year, "1988");
  EXPECT_EQ(r.Track, "4");
  EXPECT_EQ(r.Genre, "Pop");
  EXPECT_EQ(r.Comment, "Cm");
  EXPECT_EQ(r.Composer, "Cp");
  EXPECT_EQ(r.OriginalArtist, "Or");
  EXPECT_EQ(r.Rights, "Cr");
  EXPECT_EQ(r.Url, "http://x/");
  EXPECT_EQ(r.Encoder, "En");
}

TEST(Id3v2WalkTest, V24YearFromTdrc) {
  EXPECT_EQ(ReadTag(Tag(4, Frame24("TDRC", Latin("2004-05-06")))).Year, "2004");
  EXPECT_EQ(ReadTag(Tag(4, Frame24("TDRC", Latin("2004")) + Frame24("TYER", Latin("1999")))).Year,
            "1999");
  EXPECT_EQ(ReadTag(Tag(4, Frame24("TDRC", Latin("20")))).Year, "20");
}

TEST(Id3v2WalkTest, TagLongerThanTheFileIsReadAsFarAsItGoes) {
  std::string tag = "ID3" + Bytes({3, 0, 0}) + Syncsafe(100000) + Frame23("TIT2", Latin("T")) +
                    "TPE1" + BigEndian(50);
  MemoryFile file(tag);
  TagRecord r;
  ASSERT_TRUE(ReadId3v2(file, r));
  EXPECT_EQ(r.Title, "T");
  EXPECT_EQ(r.Artist, "");
}

TEST(Id3v2WalkTest, UnknownVersionHasNoFrames) {
  bool found = false;
  TagRecord r = ReadTag(Tag(5, Frame23("TIT2", Latin("x"))), &found);
  EXPECT_TRUE(found);
  EXPECT_EQ(r.Title, "");
}

TEST(Id3v2ReadTest, ReadsOnlyTheFramesItNeeds) {
  // A megabyte picture before the text frames is walked over, not read.
  std::string picture = Bytes({0}) + "image/jpeg" + Bytes({0, 3, 0}) + Audio(1 << 20);
  std::string tag = Tag(3, Frame23("APIC", picture) + Frame23("TIT2", Latin("T")), 500);
  MemoryFile file(tag + Audio(100000));
  TagRecord r;
  ASSERT_TRUE(ReadId3v2(file, r));
  EXPECT_EQ(r.Title, "T");
  EXPECT_LT(file.BytesRead(), 64 * 1024);
}

// ---- ReadFrameText

TEST(ReadFrameTextTest, WorksOnTagBytes) {
  std::string tag = Tag(3, Frame23("TIT2", Latin("A")) + Frame23("WOAR", "http://w/") +
                               Frame23("TXXX", Bytes({0}) + "k" + Bytes({0}) + "v"));
  EXPECT_EQ(ReadFrameText(tag, "TIT2"), "A");
  EXPECT_EQ(ReadFrameText(tag, "WOAR"), "http://w/");
  EXPECT_EQ(ReadFrameText(tag, "TXXX"), "k/v");
  EXPECT_EQ(ReadFrameText(tag, "TPE1"), "");
  EXPECT_EQ(ReadFrameText("not a tag", "TIT2"), "");
  EXPECT_EQ(ReadFrameText(tag.substr(0, 15), "TIT2"), "");  // cut-off frame header
}

// ---- ResolveGenreText

TEST(ResolveGenreTextTest, Table) {
  const std::pair<std::string, std::string> cases[] = {
      {"(17)", "Rock"},
      {"(17)Rock", "Rock"},
      {"(17)Anything", "Rock"},
      {"Rock", "Rock"},
      {"17", "17"},
      {"(RX)", "Blues"},
      {"(CR)", "Blues"},
      {"(1234)", ""},
      {"(1234)Text", "Text"},
      {"Pop (live)", ""},
      {"((13))", "Pop"},
      {"(17", "17"},
      {"12)", "Other"},
      {"(0)", "Blues"},
      {"(125)", "Dance Hall"},
      {"(200)", "(200)"},  // out of range: unchanged
      {"(-1)", "(-1)"},
      {"(126)", "(126)"},
      {"", ""},
      {"\xB8\xE8(", ""},
      {"\xD6\xD0\xCE\xC4", "\xD6\xD0\xCE\xC4"},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(ResolveGenreText(input), expected) << input;
  }
}

TEST(ResolveGenreTextTest, TrailBytesAreNeverParentheses) {
  // 0x81 0x28 is one double-byte character whose trail byte is "(".
  std::string genre = "(17)\x81\x28";
  EXPECT_EQ(ResolveGenreText(genre), "Rock");
}

}  // namespace
