#include "tags/tag_editor_model.h"

#include <gtest/gtest.h>

#include "platform/file.h"
#include "support/temp_dir.h"
#include "tags/genres.h"
#include "tags/id3v1.h"
#include "tags/id3v2_read.h"
#include "tags/id3v2_write.h"
#include "tags/tag_bytes.h"

namespace {

using namespace tags;
using namespace tagtest;
using platform::MemoryFile;

const std::string kHome = "https://corvane.org/";
const std::string kZhong = "\xD6\xD0";  // a double-byte character

// A model as the window starts it: empty boxes but the URL.
TagEditorModel StartingModel() {
  TagEditorModel model;
  model.V2.Url = kHome;
  return model;
}

TagEditorModel Opened(const std::string& bytes) {
  MemoryFile file(bytes);
  TagEditorModel model = StartingModel();
  ReadTagsInto(file, model);
  return model;
}

std::string V2Tag() {
  return Tag(3,
             Frame23("TIT2", Latin("Song")) + Frame23("TPE1", Latin("Band")) +
                 Frame23("TCON", Latin("(17)")) + Frame23("PRIV", "owner\0data"),
             100);
}

TEST(OpenTagEditorTest, FillsWhatTheFileHas) {
  struct Case {
    const char* Name;
    std::string Bytes;
    bool V1, V2;
  };
  const std::string v1 = Id3v1("Title", "Artist", "", "1999", "", 0, 5, 17);
  const Case cases[] = {
      {"both", V2Tag() + Audio(500) + v1, true, true},
      {"ID3v1 only", Audio(500) + v1, true, false},
      {"ID3v2 only", V2Tag() + Audio(500), false, true},
      {"none", Audio(500), false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TagEditorModel model = Opened(c.Bytes);
    EXPECT_EQ(model.V1On, c.V1);
    EXPECT_EQ(model.V2On, c.V2);
    // A filled group counts as changed; an empty one does not.
    EXPECT_EQ(model.ChangedV1, c.V1);
    EXPECT_EQ(model.ChangedV2, c.V2);
    EXPECT_EQ(model.V1.Title, c.V1 ? "Title" : "");
    EXPECT_EQ(model.V1.Track, c.V1 ? "5" : "");
    EXPECT_EQ(model.V1GenreItem, c.V1 ? GenreComboIndexOf(17) : -1);
    EXPECT_EQ(model.V2.Title, c.V2 ? "Song" : "");
    // The file's genre text stands in the box, no item picked.
    EXPECT_EQ(model.V2.Genre, c.V2 ? "Rock" : "");
    EXPECT_EQ(model.V2GenreItem, -1);
    // The starting URL stays only where there is no ID3v2 tag to fill the box.
    EXPECT_EQ(model.V2.Url, c.V2 ? "" : kHome);
    EXPECT_EQ(model.SeenGenreItem, (std::array<int, 2>{model.V1GenreItem, -1}));
  }
}

TEST(OpenTagEditorTest, GenreByteSelectsItsItem) {
  struct Case {
    int Byte, Item, Other;
  };
  for (Case c : {Case{17, 100, -1}, Case{0, 14, -1}, Case{28, 125, -1}, Case{126, -1, 126},
                 Case{200, -1, 200}, Case{255, -1, 255}}) {
    SCOPED_TRACE(c.Byte);
    TagEditorModel model = Opened(Audio(300) + Id3v1("t", "", "", "", "", 0, 0, c.Byte));
    EXPECT_EQ(model.V1GenreItem, c.Item);
    EXPECT_EQ(model.V1OtherGenre, c.Other);
  }
}

TEST(OpenTagEditorTest, ChangeFlagsBelongToOneOpening) {
  TempDir dir;
  std::string path = dir.Write("plain.mp3", Audio(400));
  TagEditorModel model = StartingModel();
  model.ChangedV1 = model.ChangedV2 = true;  // left over from editing another file
  ASSERT_TRUE(OpenTagEditor(path, model));
  EXPECT_EQ(model.FilePath, path);
  EXPECT_FALSE(model.ChangedV1);
  EXPECT_FALSE(model.ChangedV2);
  // Ticking ID3v1 without typing is no change, so the update writes nothing.
  model.V1On = true;
  UpdateResult result = UpdateTags(model);
  EXPECT_EQ(result.V1, TagUpdate::Untouched);
  EXPECT_EQ(dir.Read("plain.mp3"), Audio(400));
}

TEST(OpenTagEditorTest, MissingFileFails) {
  TempDir dir;
  TagEditorModel model = StartingModel();
  EXPECT_FALSE(OpenTagEditor(dir.Path() + "gone.mp3", model));
}

TEST(CopyV2ToV1Test, CutsAtWholeCharacters) {
  struct Case {
    const char* Name;
    std::string Text;
    std::string Cut;
  };
  const std::string ascii40 = "0123456789012345678901234567890123456789";
  const std::string chinese = std::string(29, 'a') + kZhong + "bc";  // byte 30 inside
  const std::string thirty = std::string(28, 'a') + kZhong;
  const Case cases[] = {
      {"40 ASCII bytes", ascii40, ascii40.substr(0, 30)},
      {"byte 30 inside a character", chinese, std::string(29, 'a')},
      {"exactly 30 bytes", thirty, thirty},
      {"short", "Song", "Song"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TagEditorModel model = StartingModel();
    model.V2.Title = model.V2.Artist = model.V2.Album = model.V2.Comment = c.Text;
    CopyV2ToV1(model);
    EXPECT_EQ(model.V1.Title, c.Cut);
    EXPECT_EQ(model.V1.Artist, c.Cut);
    EXPECT_EQ(model.V1.Album, c.Cut);
    EXPECT_EQ(model.V1.Comment, c.Cut);
  }
}

TEST(CopyV2ToV1Test, TrackAndYearGoWholeAndTheGroupChanges) {
  TagEditorModel model = StartingModel();
  model.V2.Track = "12/15";
  model.V2.Year = "2001-05";
  model.V2.Rights = "(C)";
  CopyV2ToV1(model);
  EXPECT_TRUE(model.V1On);
  EXPECT_TRUE(model.ChangedV1);
  EXPECT_FALSE(model.ChangedV2);
  EXPECT_EQ(model.V1.Track, "12/15");
  EXPECT_EQ(model.V1.Year, "2001-05");
  EXPECT_EQ(model.V1.Rights, "");
}

TEST(CopyV2ToV1Test, GenreTextFindsItsItem) {
  struct Case {
    const char* Text;
    int Genre;
  };
  for (Case c : {Case{"Rock", 17}, Case{"rock", 17}, Case{"(17)", 17}, Case{"Vocal", 28},
                 Case{"Chiptune", -1}, Case{"", -1}}) {
    SCOPED_TRACE(c.Text);
    TagEditorModel model = StartingModel();
    model.V1OtherGenre = 200;
    model.V2.Genre = c.Text;
    CopyV2ToV1(model);
    EXPECT_EQ(model.V1GenreItem, GenreComboIndexOf(c.Genre));
    EXPECT_EQ(model.V1OtherGenre, -1);
  }
}

TEST(CopyV1ToV2Test, CopiesWholeAndPicksTheSameItem) {
  TagEditorModel model = StartingModel();
  model.V1.Title = std::string(30, 't');
  model.V1.Track = "7";
  model.V1.Comment = "note";
  model.V1GenreItem = GenreComboIndexOf(17);
  model.V2.Composer = "kept";
  CopyV1ToV2(model);
  EXPECT_TRUE(model.V2On);
  EXPECT_TRUE(model.ChangedV2);
  EXPECT_EQ(model.V2.Title, std::string(30, 't'));
  EXPECT_EQ(model.V2.Track, "7");
  EXPECT_EQ(model.V2.Comment, "note");
  EXPECT_EQ(model.V2GenreItem, GenreComboIndexOf(17));
  EXPECT_EQ(model.V2.Genre, "Rock");
  EXPECT_EQ(model.V2.Composer, "kept");
  EXPECT_EQ(model.V2.Url, kHome);

  model.V1GenreItem = -1;
  CopyV1ToV2(model);
  EXPECT_EQ(model.V2GenreItem, -1);
  EXPECT_EQ(model.V2.Genre, "");
}

TEST(CollectV2InputTest, GenreTexts) {
  struct Case {
    std::string Text, Stored;
  };
  const Case cases[] = {
      {"Rock", "(17)Rock"},
      {"rock", "(17)Rock"},
      {"A capella", "(123)A capella"},
      {"Chiptune", "Chiptune"},
      {"(17)", "(17)"},
      {"", ""},
      {kZhong + "Rock", kZhong + "Rock"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    TagEditorModel model = StartingModel();
    model.V2.Genre = c.Text;
    model.V2.Title = "Song";
    TagRecord record = CollectV2Input(model);
    EXPECT_EQ(record.Genre, c.Stored);
    EXPECT_EQ(record.Title, "Song");
    EXPECT_EQ(record.Url, kHome);
  }
}

TEST(UpdateTagsTest, OpenAndUpdateLeavesOurOwnFileAsItWas) {
  // A file this program wrote: an update without edits writes it again identically,
  // genre and all.
  MemoryFile file(Audio(2000));
  TagRecord v2;
  v2.Title = "Song " + kZhong;
  v2.Genre = "(17)Rock";
  v2.Comment = "line one\r\nline two";
  v2.Url = "http://example.com/";
  ASSERT_TRUE(WriteId3v2(file, v2));
  ASSERT_TRUE(WriteId3v1(file, "Title", "Artist", "Album", "1999", "note", "3", 17));
  const std::string before = file.Bytes();

  TagEditorModel model = StartingModel();
  ReadTagsInto(file, model);
  UpdateResult result = UpdateTags(file, model);
  EXPECT_FALSE(result.OpenFailed);
  EXPECT_EQ(result.V1, TagUpdate::Written);
  EXPECT_EQ(result.V2, TagUpdate::Written);
  EXPECT_EQ(file.Bytes(), before);
}

TEST(UpdateTagsTest, KeepsAudioOtherFramesAndAnUnlistedGenreByte) {
  const std::string audio = Audio(3000, 4);
  const std::string picture =
      Frame23("APIC", Bytes({0}) + "image/png" + Bytes({0, 3, 0}) + Audio(700, 9));
  const std::string oldTag =
      Tag(3, Frame23("TIT2", Latin("Old")) + picture + Frame23("TXXX", Latin("k") + "v"), 64);
  MemoryFile file(oldTag + audio + Id3v1("Title", "", "", "", "", 0, 0, 200));

  TagEditorModel model = StartingModel();
  ReadTagsInto(file, model);
  model.V2.Title = "New";
  UpdateResult result = UpdateTags(file, model);
  ASSERT_EQ(result.V2, TagUpdate::Written);
  ASSERT_EQ(result.V1, TagUpdate::Written);

  const std::string& bytes = file.Bytes();
  auto header = ParseId3v2Header(bytes.substr(0, 10));
  ASSERT_TRUE(header);
  const auto tagLength = static_cast<std::size_t>(header->Length());
  const std::string tag = bytes.substr(0, tagLength);
  EXPECT_NE(tag.find(picture), std::string::npos);
  EXPECT_NE(tag.find(Frame23("TXXX", Latin("k") + "v")), std::string::npos);
  EXPECT_EQ(bytes.substr(tagLength, audio.size()), audio);
  EXPECT_EQ(bytes.substr(bytes.size() - 128), Id3v1("Title", "", "", "", "", 0, 0, 200));
  TagRecord back;
  ASSERT_TRUE(ReadId3v2(file, back));
  EXPECT_EQ(back.Title, "New");
}

TEST(UpdateTagsTest, EachVersionAsItsTickAndFlagSay) {
  struct Case {
    const char* Name;
    bool ChangedV1, V1On, ChangedV2, V2On;
    TagUpdate V1, V2;
    bool HasV1After, HasV2After;
  };
  const Case cases[] = {
      {"nothing changed", false, false, false, false, TagUpdate::Untouched, TagUpdate::Untouched,
       true, true},
      {"remove ID3v1", true, false, false, true, TagUpdate::Removed, TagUpdate::Untouched, false,
       true},
      {"remove ID3v2", false, true, true, false, TagUpdate::Untouched, TagUpdate::Removed, true,
       false},
      {"write both", true, true, true, true, TagUpdate::Written, TagUpdate::Written, true, true},
      {"remove both", true, false, true, false, TagUpdate::Removed, TagUpdate::Removed, false,
       false},
  };
  const std::string audio = Audio(900);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    MemoryFile file(V2Tag() + audio + Id3v1("Title"));
    const std::string before = file.Bytes();
    TagEditorModel model = StartingModel();
    ReadTagsInto(file, model);
    model.ChangedV1 = c.ChangedV1;
    model.V1On = c.V1On;
    model.ChangedV2 = c.ChangedV2;
    model.V2On = c.V2On;
    UpdateResult result = UpdateTags(file, model);
    EXPECT_EQ(result.V1, c.V1);
    EXPECT_EQ(result.V2, c.V2);
    TagRecord ignored;
    EXPECT_EQ(ReadId3v1(file, ignored), c.HasV1After);
    EXPECT_EQ(ReadId3v2(file, ignored), c.HasV2After);
    EXPECT_NE(file.Bytes().find(audio), std::string::npos);
    if (!c.ChangedV1 && !c.ChangedV2) {
      EXPECT_EQ(file.Bytes(), before);
    }
  }
}

TEST(UpdateTagsTest, WriteFailures) {
  MemoryFile file(Audio(500));
  file.SetSizeLimit(600);  // no room for either tag
  TagEditorModel model = StartingModel();
  model.V1On = model.V2On = model.ChangedV1 = model.ChangedV2 = true;
  UpdateResult result = UpdateTags(file, model);
  EXPECT_FALSE(result.OpenFailed);
  EXPECT_EQ(result.V1, TagUpdate::WriteFailed);
  EXPECT_EQ(result.V2, TagUpdate::WriteFailed);
  EXPECT_EQ(file.Bytes(), Audio(500));
}

TEST(UpdateTagsTest, FileThatCannotBeOpenedFailsEveryChange) {
  TempDir dir;
  TagEditorModel model = StartingModel();
  model.FilePath = dir.Path() + "gone.mp3";
  model.ChangedV1 = model.ChangedV2 = true;
  model.V1On = true;
  UpdateResult result = UpdateTags(model);
  EXPECT_TRUE(result.OpenFailed);
  EXPECT_EQ(result.V1, TagUpdate::WriteFailed);
  // A removal that never ran is a failure too, not a silent success.
  EXPECT_EQ(result.V2, TagUpdate::RemoveFailed);

  model.ChangedV1 = model.ChangedV2 = false;
  result = UpdateTags(model);
  EXPECT_FALSE(result.OpenFailed);
  EXPECT_EQ(result.V1, TagUpdate::Untouched);
  EXPECT_EQ(result.V2, TagUpdate::Untouched);
  EXPECT_FALSE(dir.Exists("gone.mp3"));
}

TEST(UpdateTagsTest, StartingUrlReachesANewTag) {
  TempDir dir;
  std::string path = dir.Write("new.mp3", Audio(700));
  TagEditorModel model = StartingModel();
  ASSERT_TRUE(OpenTagEditor(path, model));
  model.V2On = true;
  model.V2.Title = "x";
  model.ChangedV2 = true;
  ASSERT_EQ(UpdateTags(model).V2, TagUpdate::Written);
  platform::DiskFile file(path, platform::OpenMode::Read);
  TagRecord back;
  ASSERT_TRUE(ReadId3v2(file, back));
  EXPECT_EQ(back.Url, kHome);
  EXPECT_EQ(back.Title, "x");
}

}  // namespace
