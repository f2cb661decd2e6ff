#include "tags/id3v2_write.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/file.h"
#include "support/temp_dir.h"
#include "tags/id3v1.h"
#include "tags/id3v2_read.h"
#include "tags/tag_bytes.h"

namespace {

using namespace tags;
using namespace tagtest;
using platform::MemoryFile;

std::string FromHex(std::string_view hex) {
  std::string out;
  int nibbles = 0, value = 0;
  for (char c : hex) {
    int v = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (v < 0) continue;
    value = value * 16 + v;
    if (++nibbles == 2) out += static_cast<char>(value), nibbles = 0, value = 0;
  }
  return out;
}

// The image's 144 constant bytes, as the layout gives them.
const std::string kImageStart = FromHex(
    "49 44 33 03 00 00 00 00 07 76"
    "54 52 43 4B 00 00 00 01 00 00 00"
    "54 45 4E 43 00 00 00 01 40 00 00"
    "57 58 58 58 00 00 00 02 00 00 00 00"
    "54 43 4F 50 00 00 00 01 00 00 00"
    "54 4F 50 45 00 00 00 01 00 00 00"
    "54 43 4F 4D 00 00 00 01 00 00 00"
    "43 4F 4D 4D 00 00 00 05 00 00 00 43 48 53 00"
    "54 43 4F 4E 00 00 00 01 00 00 00"
    "54 59 45 52 00 00 00 01 00 00 00"
    "54 41 4C 42 00 00 00 01 00 00 00"
    "54 50 45 31 00 00 00 01 00 00 00"
    "54 49 54 32 00 00 00 01");

TagRecord FullRecord() {
  TagRecord r;
  r.Title = "Title \xB8\xE8";
  r.Artist = "Artist";
  r.Album = "Album";
  r.Track = "3/12";
  r.Year = "2001";
  r.Genre = "(17)Rock";
  r.Comment = "Comment\r\nline two";
  r.Composer = "Composer";
  r.OriginalArtist = "Original";
  r.Rights = "(C) TCOM TOPE";
  r.Url = "http://example.com/";
  r.Encoder = "Encoder";
  return r;
}

TagRecord ReadBack(MemoryFile& file) {
  TagRecord r;
  EXPECT_TRUE(ReadId3v2(file, r));
  return r;
}

TEST(SyncsafeTest, Encode) {
  EXPECT_EQ(EncodeSyncsafe(1014), (std::array<unsigned char, 4>{0, 0, 7, 0x76}));
  EXPECT_EQ(EncodeSyncsafe(1018), (std::array<unsigned char, 4>{0, 0, 7, 0x7A}));
  EXPECT_EQ(EncodeSyncsafe(16384), (std::array<unsigned char, 4>{0, 1, 0, 0}));
  EXPECT_EQ(EncodeSyncsafe(0x0FFFFFFF), (std::array<unsigned char, 4>{0x7F, 0x7F, 0x7F, 0x7F}));
  for (std::uint32_t n : {0u, 1u, 127u, 128u, 999999u, 0x0FFFFFFEu}) {
    auto b = EncodeSyncsafe(n);
    EXPECT_EQ(DecodeTagSize(b.data()), n + 10);
  }
}

TEST(TagImageTest, ExactBytes) {
  std::string image = NewTagImage();
  ASSERT_EQ(image.size(), 1024u);
  EXPECT_EQ(image.substr(0, 144), kImageStart);
  EXPECT_EQ(image.substr(144), std::string(880, '\0'));
}

TEST(TagImageTest, PatchFindsFramesByWalkingNotBySearching) {
  std::string image = NewTagImage();
  ASSERT_TRUE(PatchFrameText(image, "TCOP", "TCOM TOPE"));
  ASSERT_TRUE(PatchFrameText(image, "TCOM", "c"));
  ASSERT_TRUE(PatchFrameText(image, "TOPE", "o"));
  EXPECT_EQ(ReadFrameText(image, "TCOP"), "TCOM TOPE");
  EXPECT_EQ(ReadFrameText(image, "TCOM"), "c");
  EXPECT_EQ(ReadFrameText(image, "TOPE"), "o");
  EXPECT_FALSE(PatchFrameText(image, "APIC", "x"));
}

TEST(WriteId3v2Test, EmptyRecordInsertsExactlyTheImage) {
  std::string audio = Audio(5000);
  MemoryFile file(audio);
  ASSERT_TRUE(WriteId3v2(file, TagRecord{}));
  EXPECT_EQ(file.Bytes(), NewTagImage() + audio);
}

TEST(WriteId3v2Test, TitleSong) {
  std::string audio = Audio(5000);
  MemoryFile file(audio);
  TagRecord r;
  r.Title = "Song";
  ASSERT_TRUE(WriteId3v2(file, r));
  const std::string& bytes = file.Bytes();
  ASSERT_EQ(bytes.size(), 1028u + audio.size());
  EXPECT_EQ(bytes.substr(6, 4), Bytes({0, 0, 7, 0x7A}));
  EXPECT_EQ(bytes.substr(136, 15), "TIT2" + BigEndian(5) + Bytes({0, 0, 0}) + "Song");
  EXPECT_EQ(bytes.substr(151, 877), std::string(877, '\0'));
  EXPECT_EQ(bytes.substr(1028), audio);
}

TEST(WriteId3v2Test, LayoutOfAFullRecord) {
  TagRecord r = FullRecord();
  std::string tag = BuildId3v2Tag(r, "");
  std::size_t texts = 0;
  for (const std::string* s :
       {&r.Title, &r.Artist, &r.Album, &r.Track, &r.Year, &r.Genre, &r.Comment, &r.Composer,
        &r.OriginalArtist, &r.Rights, &r.Url, &r.Encoder}) {
    texts += s->size();
  }
  ASSERT_EQ(tag.size(), 1024 + texts);
  auto size = EncodeSyncsafe(static_cast<std::uint32_t>(tag.size() - 10));
  EXPECT_EQ(tag.substr(6, 4), std::string(size.begin(), size.end()));
  std::string frames = Frame23("TRCK", Latin(r.Track)) + Frame23("TENC", Latin(r.Encoder), 0x4000) +
                       Frame23("WXXX", Bytes({0, 0}) + r.Url) + Frame23("TCOP", Latin(r.Rights)) +
                       Frame23("TOPE", Latin(r.OriginalArtist)) +
                       Frame23("TCOM", Latin(r.Composer)) +
                       Frame23("COMM", Bytes({0}) + "CHS" + Bytes({0}) + r.Comment) +
                       Frame23("TCON", Latin(r.Genre)) + Frame23("TYER", Latin(r.Year)) +
                       Frame23("TALB", Latin(r.Album)) + Frame23("TPE1", Latin(r.Artist)) +
                       Frame23("TIT2", Latin(r.Title));
  EXPECT_EQ(tag.substr(10, frames.size()), frames);
  EXPECT_EQ(tag.substr(10 + frames.size()), std::string(877, '\0'));
}

TEST(WriteId3v2Test, ReadsBackWhatItWrote) {
  MemoryFile file(Audio(3000));
  TagRecord r = FullRecord();
  ASSERT_TRUE(WriteId3v2(file, r));
  TagRecord back = ReadBack(file);
  TagRecord expected = r;
  expected.Genre = "Rock";
  EXPECT_EQ(back, expected);
}

TEST(WriteId3v2Test, EmptyGenreGivesAnEmptyTconFrame) {
  TagRecord r;
  std::string tag = BuildId3v2Tag(r, "");
  EXPECT_NE(tag.find("TCON" + BigEndian(1) + Bytes({0, 0, 0})), std::string::npos);
}

TEST(WriteId3v2Test, WritingTwiceGivesTheSameFile) {
  MemoryFile file(Audio(3000));
  ASSERT_TRUE(WriteId3v2(file, FullRecord()));
  std::string once = file.Bytes();
  ASSERT_TRUE(WriteId3v2(file, FullRecord()));
  EXPECT_EQ(file.Bytes(), once);
}

TEST(WriteId3v2Test, ATagOf20000BytesIsReplaced) {
  std::string audio = Audio(8000);
  std::string picture = Bytes({0}) + "image/jpeg" + Bytes({0, 3, 0}) + Audio(15000, 7);
  std::string body = Frame23("TIT2", Latin("Old")) + Frame23("APIC", picture);
  std::string oldTag = Tag(3, body, 20000 - 10 - body.size());
  ASSERT_EQ(oldTag.size(), 20000u);
  MemoryFile file(oldTag + audio);
  TagRecord r;
  r.Title = "New";
  ASSERT_TRUE(WriteId3v2(file, r));
  // The old tag goes whole (padding included); the picture is carried after the twelve.
  std::string expected = BuildId3v2Tag(r, "");
  expected.insert(147 + 3, Frame23("APIC", picture));
  auto size = EncodeSyncsafe(static_cast<std::uint32_t>(expected.size() - 10));
  expected.replace(6, 4, std::string(size.begin(), size.end()));
  EXPECT_EQ(file.Bytes(), expected + audio);
  EXPECT_EQ(ReadBack(file).Title, "New");
}

TEST(WriteId3v2Test, FileThatCannotGrowKeepsItsOldTag) {
  std::string before = Tag(3, Frame23("TIT2", Latin("Old")), 10) + Audio(50000);
  MemoryFile file(before);
  file.SetSizeLimit(static_cast<std::int64_t>(before.size()) + 100);
  EXPECT_FALSE(WriteId3v2(file, FullRecord()));
  EXPECT_EQ(file.Bytes(), before);
}

TEST(WriteId3v2Test, ClosedFileFails) {
  MemoryFile file(Audio(100));
  file.SetOpen(false);
  EXPECT_FALSE(WriteId3v2(file, TagRecord{}));
  EXPECT_TRUE(RemoveId3v2(file));
}

TEST(WriteId3v2Test, RejectedHeaderStaysBehindTheNewTag) {
  std::string bad = "ID3" + Bytes({3, 0, 0, 0, 0, 0x80, 0}) + Audio(500);
  MemoryFile file(bad);
  ASSERT_TRUE(WriteId3v2(file, TagRecord{}));
  EXPECT_EQ(file.Bytes(), NewTagImage() + bad);
}

TEST(RemoveId3v2Test, FileWithoutTagIsUnchanged) {
  std::string audio = Audio(700);
  MemoryFile file(audio);
  EXPECT_TRUE(RemoveId3v2(file));
  EXPECT_EQ(file.Bytes(), audio);
}

TEST(RemoveId3v2Test, FileStartsWithTheByteAfterTheTag) {
  std::string audio = Audio(700);
  MemoryFile file(Tag(3, Frame23("TIT2", Latin("x")), 300) + audio);
  EXPECT_TRUE(RemoveId3v2(file));
  EXPECT_EQ(file.Bytes(), audio);
}

TEST(RemoveId3v2Test, FooterGoesWithTheTag) {
  std::string audio = Audio(700);
  std::string tag = Tag(4, Frame24("TIT2", Latin("x")), 0, 0x10);
  std::string footer = "3DI" + tag.substr(3, 7);
  MemoryFile file(tag + footer + audio);
  EXPECT_TRUE(RemoveId3v2(file));
  EXPECT_EQ(file.Bytes(), audio);
}

TEST(RemoveId3v2Test, SizePastTheEndDoesNotTakeTheId3v1Block) {
  std::string v1 = Id3v1("t");
  MemoryFile file("ID3" + Bytes({3, 0, 0}) + Syncsafe(1 << 20) + Audio(500) + v1);
  EXPECT_TRUE(RemoveId3v2(file));
  EXPECT_EQ(file.Bytes(), v1);
}

TEST(BothTagsTest, EachSurvivesTheOthersUpdates) {
  std::string audio = Audio(20000, 3);
  MemoryFile file(audio);
  ASSERT_TRUE(WriteId3v1(file, "v1 title", "a", "b", "1999", "c", "1", 17));
  std::string v1 = file.Bytes().substr(file.Bytes().size() - 128);
  for (int i = 0; i < 3; ++i) {
    TagRecord r = FullRecord();
    r.Title += std::string(static_cast<std::size_t>(i) * 1000, 'x');
    ASSERT_TRUE(WriteId3v2(file, r));
    EXPECT_EQ(file.Bytes().substr(file.Bytes().size() - 128), v1);
  }
  std::string v2 = file.Bytes().substr(0, file.Bytes().size() - 128 - audio.size());
  ASSERT_TRUE(WriteId3v1(file, "other", "", "", "", "", "", -1));
  ASSERT_TRUE(RemoveId3v1(file));
  ASSERT_TRUE(WriteId3v1(file, "v1 title", "a", "b", "1999", "c", "1", 17));
  EXPECT_EQ(file.Bytes(), v2 + audio + v1);
  ASSERT_TRUE(RemoveId3v2(file));
  EXPECT_EQ(file.Bytes(), audio + v1);
  ASSERT_TRUE(RemoveId3v1(file));
  EXPECT_EQ(file.Bytes(), audio);
}

TEST(BothTagsTest, AudioBytesSurviveManyUpdatesOnDisk) {
  TempDir dir;
  std::string audio = Audio(300000, 9);
  std::string path = dir.Write("a.mp3", audio);
  std::mt19937 random(42);
  for (int i = 0; i < 40; ++i) {
    platform::DiskFile file(path, platform::OpenMode::ReadWrite);
    ASSERT_TRUE(file.IsOpen());
    TagRecord r;
    r.Title = std::string(random() % 3000, 't');
    r.Comment = std::string(random() % 100, 'c');
    switch (random() % 4) {
      case 0:
        ASSERT_TRUE(WriteId3v2(file, r));
        break;
      case 1:
        ASSERT_TRUE(RemoveId3v2(file));
        break;
      case 2:
        ASSERT_TRUE(WriteId3v1(file, r.Comment, "", "", "", "", "", 1));
        break;
      case 3:
        ASSERT_TRUE(RemoveId3v1(file));
        break;
    }
  }
  {
    platform::DiskFile file(path, platform::OpenMode::ReadWrite);
    ASSERT_TRUE(RemoveId3v2(file));
    ASSERT_TRUE(RemoveId3v1(file));
  }
  EXPECT_EQ(dir.Read("a.mp3"), audio);
}

// ---- Frames the update does not edit are kept

std::string CarriedOf(const std::string& oldTag) {
  std::string tag = BuildId3v2Tag(TagRecord{}, oldTag);
  // Everything between the twelve frames (137 bytes) and the padding (877 bytes).
  return tag.substr(147, tag.size() - 147 - 877);
}

TEST(CarryTest, V23FramesAreKeptByteForByte) {
  std::string apic =
      Frame23("APIC", Bytes({0}) + "image/png" + Bytes({0, 3}) + "d" + Bytes({0}) + "PNGDATA");
  std::string uslt = Frame23("USLT", Bytes({0}) + "eng" + Bytes({0}) + "lyrics", 0x0020);
  std::string priv = Frame23("PRIV", "owner" + Bytes({0, 1, 2}));
  std::string second = Frame23("COMM", Bytes({0}) + "eng" + "x" + Bytes({0}) + "second");
  std::string old = Tag(3,
                        Frame23("TIT2", Latin("t")) + apic +
                            Frame23("COMM", Bytes({0}) + "eng" + Bytes({0}) + "first") + uslt +
                            Frame23("TIT2", Latin("dup")) + priv + second +
                            Frame23("COMM", Bytes({0}) + "CHS" + Bytes({0}) + "clash"),
                        500);
  EXPECT_EQ(CarriedOf(old), apic + uslt + priv + second);
}

TEST(CarryTest, V24FramesAreConvertedToV23Framing) {
  std::string picture =
      Bytes({3}) + "image/png" + Bytes({0, 3}) + "\xE5\xB0\x81" + Bytes({0}) + "DATA";
  std::string old =
      Tag(4, Frame24("TIT2", Bytes({3}) + "t") + Frame24("APIC", picture, 0x6000) +  // status flags
                 Frame24("TXXX", Bytes({3}) + "k" + Bytes({0}) + "\xE6\xAD\x8C") +
                 Frame24("TDRC", Latin("2004-05-06T07:08")) +
                 Frame24("PRIV", "o" + Bytes({0}) + std::string(200, 'p')) +
                 Frame24("TPE2", Bytes({0x40, 9}) + Latin("grouped"), 0x0040));
  std::string expected =
      Frame23("APIC",
              Bytes({1}) + "image/png" + Bytes({0, 3, 0xFF, 0xFE, 0x01, 0x5C, 0, 0}) + "DATA") +
      Frame23("TXXX", Bytes({1, 0xFF, 0xFE, 'k', 0, 0, 0, 0xFF, 0xFE, 0x4C, 0x6B})) +
      Frame23("TDAT", Latin("0605")) + Frame23("TIME", Latin("0708")) +
      Frame23("PRIV", "o" + Bytes({0}) + std::string(200, 'p')) +
      Frame23("TPE2", Bytes({0x40, 9}) + Latin("grouped"), 0x0020);
  EXPECT_EQ(CarriedOf(old), expected);
}

TEST(CarryTest, V24UnsynchronisedAndCompressedFrames) {
  std::string stored = Bytes({0, 'a', 0xFF, 0, 'b'});
  std::string zipped = Syncsafe(1000) + "ZLIB";
  std::string old = Tag(4, Frame24("TPE2", stored, 0x0002) + Frame24("TPE3", zipped, 0x0009));
  EXPECT_EQ(CarriedOf(old), Frame23("TPE2", Bytes({0, 'a', 0xFF, 'b'})) +
                                Frame23("TPE3", BigEndian(1000) + "ZLIB", 0x0080));
}

TEST(CarryTest, V22FramesAreRenamed) {
  std::string old = Tag(2, Frame22("TT2", Latin("t")) + Frame22("TP2", Latin("band")) +
                               Frame22("PIC", Bytes({0}) + "JPG" + Bytes({3, 0}) + "IMG") +
                               Frame22("XYZ", "unknown"));
  EXPECT_EQ(CarriedOf(old),
            Frame23("TPE2", Latin("band")) +
                Frame23("APIC", Bytes({0}) + "image/jpeg" + Bytes({0, 3, 0}) + "IMG"));
}

TEST(CarryTest, V24UpdateKeepsThePictureAndReadsBack) {
  std::string audio = Audio(10000);
  std::string picture = Bytes({0}) + "image/jpeg" + Bytes({0, 3, 0}) + Audio(30000, 5);
  MemoryFile file(Tag(4,
                      Frame24("TIT2", Bytes({3}) + "\xE6\xAD\x8C") + Frame24("APIC", picture) +
                          Frame24("TDRC", Latin("1990")),
                      1000) +
                  audio + Id3v1("v1"));
  TagRecord r = ReadBack(file);
  EXPECT_EQ(r.Title, "\xB8\xE8");
  EXPECT_EQ(r.Year, "1990");
  r.Artist = "New artist";
  ASSERT_TRUE(WriteId3v2(file, r));
  EXPECT_EQ(ReadBack(file), r);
  std::string bytes = file.Bytes();
  EXPECT_NE(bytes.find(Frame23("APIC", picture)), std::string::npos);
  EXPECT_EQ(bytes.find("TDRC"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 128 - audio.size()), audio + Id3v1("v1"));
}

}  // namespace
