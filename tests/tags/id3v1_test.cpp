#include "tags/id3v1.h"

#include <gtest/gtest.h>

#include "platform/file.h"
#include "support/temp_dir.h"
#include "tags/tag_bytes.h"

namespace {

using namespace tags;
using namespace tagtest;
using platform::MemoryFile;

TagRecord Read(const std::string& bytes, bool* found = nullptr) {
  MemoryFile file(bytes);
  TagRecord record;
  bool ok = ReadId3v1(file, record);
  if (found) *found = ok;
  return record;
}

TEST(Id3v1ReadTest, FileOf127BytesHasNoTag) {
  std::string bytes = Id3v1("T").substr(0, 127);
  MemoryFile file(bytes);
  TagRecord record;
  record.Title = "kept";
  EXPECT_FALSE(ReadId3v1(file, record));
  EXPECT_EQ(record.Title, "kept");
}

TEST(Id3v1ReadTest, FileOfExactly128BytesIsATag) {
  bool found = false;
  TagRecord record = Read(Id3v1("Song"), &found);
  EXPECT_TRUE(found);
  EXPECT_EQ(record.Title, "Song");
}

TEST(Id3v1ReadTest, LowerCaseTagIsNoTag) {
  std::string block = Id3v1("Song");
  block.replace(0, 3, "tag");
  bool found = true;
  Read(Audio(1000) + block, &found);
  EXPECT_FALSE(found);
}

TEST(Id3v1ReadTest, ReadsEveryField) {
  bool found = false;
  TagRecord record =
      Read(Audio(500) + Id3v1("Title", "Artist", "Album", "1999", "Comment", 0, 7, 17), &found);
  ASSERT_TRUE(found);
  EXPECT_EQ(record.Title, "Title");
  EXPECT_EQ(record.Artist, "Artist");
  EXPECT_EQ(record.Album, "Album");
  EXPECT_EQ(record.Year, "1999");
  EXPECT_EQ(record.Comment, "Comment");
  EXPECT_EQ(record.Track, "7");
  EXPECT_EQ(record.Genre, "17");
}

TEST(Id3v1ReadTest, TrimsSpacesOfTitleArtistAlbumOnly) {
  std::string fullWidthSpace = "\xA1\xA1";
  std::string zhong = "\xD6\xD0";
  TagRecord record =
      Read(Id3v1("  Padded title        ", fullWidthSpace + zhong + fullWidthSpace + " ",
                 "\tAlbum ", "99  ", " comment "));
  EXPECT_EQ(record.Title, "Padded title");
  EXPECT_EQ(record.Artist, zhong);
  EXPECT_EQ(record.Album, "\tAlbum");  // tabs stay
  EXPECT_EQ(record.Year, "99  ");      // not trimmed
  EXPECT_EQ(record.Comment, " comment ");
}

TEST(Id3v1ReadTest, TrimDoesNotSplitADoubleByteCharacterEndingInA1) {
  // 0xB0 0xA1 is one character ("啊"); its trail byte with a following A1 must not be
  // taken for a full-width space.
  std::string title = "\xB0\xA1\xA1\xA1";
  EXPECT_EQ(Read(Id3v1(title)).Title, "\xB0\xA1");
}

TEST(Id3v1ReadTest, FieldWithoutZeroByteFillsTheField) {
  std::string title(30, 'x');
  EXPECT_EQ(Read(Id3v1(title, "a")).Title, title);
}

TEST(Id3v1ReadTest, TrackRules) {
  // Byte 125 zero, byte 126 zero: no track.
  TagRecord r = Read(Id3v1("t", "", "", "", "c", 0, 0));
  EXPECT_EQ(r.Track, "");
  // Byte 125 zero, byte 126 = 7: track 7, comment cut to 28 bytes.
  std::string block = Id3v1("t", "", "", "", std::string(28, 'c'), 0, 7);
  r = Read(block);
  EXPECT_EQ(r.Track, "7");
  EXPECT_EQ(r.Comment, std::string(28, 'c'));
  // Byte 125 = 0x41: plain ID3v1, 30-byte comment, no track.
  block = Id3v1("t", "", "", "", std::string(28, 'c'), 0x41, 0x42);
  r = Read(block);
  EXPECT_EQ(r.Track, "");
  EXPECT_EQ(r.Comment, std::string(28, 'c') + "AB");
  // Track 255.
  EXPECT_EQ(Read(Id3v1("t", "", "", "", "", 0, 255)).Track, "255");
}

TEST(Id3v1ReadTest, GenreBytes) {
  EXPECT_EQ(Read(Id3v1("t", "", "", "", "", 0, 0, 255)).Genre, "255");
  EXPECT_EQ(Read(Id3v1("t", "", "", "", "", 0, 0, 0)).Genre, "0");
  EXPECT_EQ(Read(Id3v1("t", "", "", "", "", 0, 0, 200)).Genre, "200");
}

TEST(Id3v1ReadTest, LeavesTheOtherFiveFieldsAlone) {
  MemoryFile file(Id3v1("t"));
  TagRecord record;
  record.Composer = "c", record.OriginalArtist = "o", record.Rights = "r", record.Url = "u",
  record.Encoder = "e";
  ASSERT_TRUE(ReadId3v1(file, record));
  EXPECT_EQ(record.Composer, "c");
  EXPECT_EQ(record.OriginalArtist, "o");
  EXPECT_EQ(record.Rights, "r");
  EXPECT_EQ(record.Url, "u");
  EXPECT_EQ(record.Encoder, "e");
}

TEST(Id3v1ReadTest, ReadsWithOneSmallRead) {
  MemoryFile file(Audio(1 << 20) + Id3v1("t"));
  TagRecord record;
  ASSERT_TRUE(ReadId3v1(file, record));
  EXPECT_EQ(file.ReadCalls(), 1);
  EXPECT_EQ(file.BytesRead(), 128);
}

TEST(Id3v1ReadTest, ClosedFileHasNoTag) {
  MemoryFile file(Id3v1("t"));
  file.SetOpen(false);
  TagRecord record;
  EXPECT_FALSE(ReadId3v1(file, record));
}

TEST(Id3v1WriteTest, AppendsThenOverwritesThenRemoves) {
  std::string audio = Audio(1000);
  MemoryFile file(audio);
  ASSERT_TRUE(WriteId3v1(file, "Title", "Artist", "Album", "2001", "Comment", "12", 17));
  ASSERT_EQ(file.Bytes().size(), 1128u);
  EXPECT_EQ(file.Bytes().substr(0, 1000), audio);
  EXPECT_EQ(file.Bytes().substr(1000),
            Id3v1("Title", "Artist", "Album", "2001", "Comment", 0, 12, 17));
  ASSERT_TRUE(WriteId3v1(file, "Other", "", "", "", "", "", -1));
  ASSERT_EQ(file.Bytes().size(), 1128u);
  EXPECT_EQ(file.Bytes().substr(1000), Id3v1("Other"));
  ASSERT_TRUE(RemoveId3v1(file));
  EXPECT_EQ(file.Bytes(), audio);
}

TEST(Id3v1WriteTest, GenreAndTrackBytes) {
  MemoryFile file;
  ASSERT_TRUE(WriteId3v1(file, "", "", "", "", "", "", -1));
  EXPECT_EQ(static_cast<unsigned char>(file.Bytes()[127]), 255);
  EXPECT_EQ(file.Bytes()[126], 0);
  ASSERT_TRUE(WriteId3v1(file, "", "", "", "", "", "12", 0));
  EXPECT_EQ(file.Bytes()[126], 12);
  EXPECT_EQ(file.Bytes()[127], 0);
  ASSERT_TRUE(WriteId3v1(file, "", "", "", "", "", "300", 300));
  EXPECT_EQ(file.Bytes()[126], 44);  // 300 modulo 256
  EXPECT_EQ(file.Bytes()[127], 44);
  ASSERT_TRUE(WriteId3v1(file, "", "", "", "", "", "x", 1));
  EXPECT_EQ(file.Bytes()[126], 0);
  ASSERT_TRUE(WriteId3v1(file, "", "", "", "", "", "\xA3\xB5", 1));  // full-width 5
  EXPECT_EQ(file.Bytes()[126], 5);
}

TEST(Id3v1WriteTest, TrackOfZeroReadsBackEmpty) {
  MemoryFile file;
  ASSERT_TRUE(WriteId3v1(file, "t", "", "", "", "c", "0", 1));
  TagRecord record;
  ASSERT_TRUE(ReadId3v1(file, record));
  EXPECT_EQ(record.Track, "");
  EXPECT_EQ(record.Comment, "c");
}

TEST(Id3v1WriteTest, WithTrackTheCommentIsCutTo28Bytes) {
  MemoryFile file;
  std::string comment(30, 'c');
  ASSERT_TRUE(WriteId3v1(file, "", "", "", "", comment, "5", 1));
  EXPECT_EQ(file.Bytes().substr(97, 28), std::string(28, 'c'));
  EXPECT_EQ(file.Bytes()[125], 0);
  EXPECT_EQ(file.Bytes()[126], 5);
  TagRecord record;
  ASSERT_TRUE(ReadId3v1(file, record));
  EXPECT_EQ(record.Track, "5");
  EXPECT_EQ(record.Comment, std::string(28, 'c'));
}

TEST(Id3v1WriteTest, WithoutTrackTheCommentUsesAll30Bytes) {
  MemoryFile file;
  std::string comment = std::string(29, 'c') + "d";
  ASSERT_TRUE(WriteId3v1(file, "", "", "", "", comment, "", 1));
  TagRecord record;
  ASSERT_TRUE(ReadId3v1(file, record));
  EXPECT_EQ(record.Comment, comment);
  EXPECT_EQ(record.Track, "");
}

TEST(Id3v1WriteTest, LongTextsNeverSpillIntoTheNextField) {
  MemoryFile file;
  std::string title(35, 't');
  ASSERT_TRUE(WriteId3v1(file, title, "", "Album", "19999", std::string(40, 'c'), "", 1));
  TagRecord record;
  ASSERT_TRUE(ReadId3v1(file, record));
  EXPECT_EQ(record.Title, std::string(30, 't'));
  EXPECT_EQ(record.Artist, "");
  EXPECT_EQ(record.Album, "Album");
  EXPECT_EQ(record.Year, "1999");
  EXPECT_EQ(record.Comment, std::string(30, 'c'));
}

TEST(Id3v1WriteTest, CutsAtACharacterBoundary) {
  // 29 ASCII bytes and then a double-byte character: the character does not fit and
  // goes whole, rather than leaving its lead byte behind.
  std::string title = std::string(29, 'a') + "\xD6\xD0";
  MemoryFile file;
  ASSERT_TRUE(WriteId3v1(file, title, "\xD6\xD0", "", "", "", "", -1));
  EXPECT_EQ(file.Bytes().substr(3, 30), std::string(29, 'a') + '\0');
  TagRecord record;
  ASSERT_TRUE(ReadId3v1(file, record));
  EXPECT_EQ(record.Title, std::string(29, 'a'));
  EXPECT_EQ(record.Artist, "\xD6\xD0");
}

TEST(Id3v1WriteTest, ChineseTextsAreStoredAsGbkBytes) {
  std::string title = "\xB8\xE8\xC3\xFB";  // 歌名
  MemoryFile file;
  ASSERT_TRUE(WriteId3v1(file, title, "", "", "", "", "", -1));
  EXPECT_EQ(file.Bytes().substr(3, 4), title);
}

TEST(Id3v1WriteTest, ClosedFileFails) {
  MemoryFile file;
  file.SetOpen(false);
  EXPECT_FALSE(WriteId3v1(file, "", "", "", "", "", "", -1));
  EXPECT_TRUE(RemoveId3v1(file));
}

TEST(Id3v1WriteTest, FailedWriteReportsFalse) {
  MemoryFile file(Audio(10));
  file.SetSizeLimit(100);
  EXPECT_FALSE(WriteId3v1(file, "", "", "", "", "", "", -1));
}

TEST(Id3v1RemoveTest, FileWithoutTagIsUnchanged) {
  std::string audio = Audio(300);
  MemoryFile file(audio);
  EXPECT_TRUE(RemoveId3v1(file));
  EXPECT_EQ(file.Bytes(), audio);
}

TEST(Id3v1RemoveTest, FailedTruncationReportsFalse) {
  MemoryFile file(Audio(300) + Id3v1("t"));
  file.SetSizeLimit(10);  // the truncation to 300 bytes is refused
  EXPECT_FALSE(RemoveId3v1(file));
}

TEST(Id3v1DiskTest, RoundTripOnARealFile) {
  TempDir dir;
  std::string audio = Audio(4000);
  std::string path = dir.Write("a.mp3", audio);
  {
    platform::DiskFile file(path, platform::OpenMode::ReadWrite);
    ASSERT_TRUE(file.IsOpen());
    ASSERT_TRUE(WriteId3v1(file, "\xB8\xE8", "b", "c", "2000", "d", "3", 13));
  }
  EXPECT_EQ(dir.Read("a.mp3").size(), 4128u);
  {
    platform::DiskFile file(path, platform::OpenMode::Read);
    TagRecord record;
    ASSERT_TRUE(ReadId3v1(file, record));
    EXPECT_EQ(record.Title, "\xB8\xE8");
    EXPECT_EQ(record.Track, "3");
    EXPECT_EQ(record.Genre, "13");
  }
  {
    platform::DiskFile file(path, platform::OpenMode::ReadWrite);
    ASSERT_TRUE(RemoveId3v1(file));
  }
  EXPECT_EQ(dir.Read("a.mp3"), audio);
}

}  // namespace
