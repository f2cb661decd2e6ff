// mutagen as a second reader and writer: what it writes we read the same, what we
// write it reads back, and updates keep its pictures and other frames.
#include <gtest/gtest.h>

#include "platform/file.h"
#include "support/temp_dir.h"
#include "tags/id3v1.h"
#include "tags/id3v2_read.h"
#include "tags/id3v2_write.h"
#include "tags/mutagen_support.h"
#include "tags/tag_bytes.h"
#include "text/encoding.h"

namespace {

using namespace tags;
using namespace tagtest;

const char* const kCases[] = {"latin1_v23",  "utf16_v23", "utf16_v24",
                              "utf16be_v24", "utf8_v24",  "latin1_v24"};

std::string Utf8(const std::string& internal) {
  auto s = text::ToUtf8(internal);
  return s ? *s : "<not convertible>";
}

std::string Internal(const std::string& utf8) {
  return *text::FromUtf8(utf8);
}

// Our record's fields in UTF-8, by the tool's key names.
std::map<std::string, std::string> Fields(const TagRecord& r) {
  return {{"title", Utf8(r.Title)},
          {"artist", Utf8(r.Artist)},
          {"album", Utf8(r.Album)},
          {"year", Utf8(r.Year)},
          {"track", Utf8(r.Track)},
          {"genre", Utf8(r.Genre)},
          {"comment", Utf8(r.Comment)},
          {"composer", Utf8(r.Composer)},
          {"original_artist", Utf8(r.OriginalArtist)},
          {"rights", Utf8(r.Rights)},
          {"url", Utf8(r.Url)},
          {"encoder", Utf8(r.Encoder)}};
}

void ExpectSameFields(const std::map<std::string, std::string>& mutagen, const TagRecord& ours,
                      const std::string& context) {
  for (const auto& [key, value] : Fields(ours)) {
    auto it = mutagen.find(key);
    ASSERT_NE(it, mutagen.end()) << context << ": " << key;
    EXPECT_EQ(value, it->second) << context << ": " << key;
  }
}

class MutagenInteropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (MutagenPython().empty()) GTEST_SKIP() << "python3 with mutagen is not installed";
  }
  TempDir dir_;
};

TEST_F(MutagenInteropTest, WeReadWhatMutagenWrites) {
  for (const char* name : kCases) {
    std::string path = dir_.Write(std::string(name) + ".mp3", Audio(20000));
    ASSERT_TRUE(MutagenWrite(path, name)) << name;
    auto mutagen = MutagenRead(path, false);
    ASSERT_FALSE(mutagen.empty()) << name;
    platform::DiskFile file(Internal(path), platform::OpenMode::Read);
    TagRecord ours;
    ASSERT_TRUE(ReadId3v2(file, ours)) << name;
    ExpectSameFields(mutagen, ours, name);
  }
}

TEST_F(MutagenInteropTest, UpdateKeepsPicturesFramesAudioAndId3v1) {
  for (const char* name : kCases) {
    std::string audio = Audio(50000, 3);
    std::string v1 = Id3v1("v1 title", "v1 artist", "", "2000", "", 0, 4, 17);
    std::string path = dir_.Write(std::string(name) + ".mp3", audio);
    ASSERT_TRUE(MutagenWrite(path, name)) << name;
    {  // mutagen puts its tag in front; our ID3v1 block goes at the end.
      platform::DiskFile file(Internal(path), platform::OpenMode::ReadWrite);
      ASSERT_TRUE(file.WriteAt(file.Size(), v1.data(), v1.size()));
    }
    auto before = MutagenRead(path, false);
    TagRecord record;
    {
      platform::DiskFile file(Internal(path), platform::OpenMode::ReadWrite);
      ASSERT_TRUE(ReadId3v2(file, record));
      record.Title = Internal("新标题 New title");
      record.Artist = "New artist";
      record.Genre = "(13)Pop";
      ASSERT_TRUE(WriteId3v2(file, record)) << name;
    }
    record.Genre = "Pop";
    std::string bytes = dir_.Read(std::string(name) + ".mp3");
    ASSERT_GT(bytes.size(), audio.size() + 128);
    EXPECT_EQ(bytes.substr(bytes.size() - audio.size() - 128), audio + v1) << name;

    auto after = MutagenRead(path, true);
    ASSERT_FALSE(after.empty()) << name;
    EXPECT_EQ(Utf8(after["version"]), "2.3");
    ExpectSameFields(after, record, name);
    EXPECT_EQ(after["pictures"], "1") << name;
    EXPECT_EQ(after["picture0"], before["picture0"]) << name;  // data, MIME, description
    for (const char* id : {"TPE2", "TXXX", "USLT", "APIC"}) {
      EXPECT_NE(after["frames"].find(id), std::string::npos) << name << " lost " << id;
    }
    platform::DiskFile file(Internal(path), platform::OpenMode::Read);
    TagRecord back;
    ASSERT_TRUE(ReadId3v2(file, back));
    EXPECT_EQ(back, record) << name;
    TagRecord backV1;
    ASSERT_TRUE(ReadId3v1(file, backV1));
    EXPECT_EQ(backV1.Title, "v1 title");
  }
}

TEST_F(MutagenInteropTest, MutagenReadsWhatWeWrite) {
  std::string audio = Audio(30000, 4);
  std::string path = dir_.Write("ours.mp3", audio);
  TagRecord r;
  r.Title = Internal("歌曲名 Title");
  r.Artist = Internal("艺术家");
  r.Album = "Album";
  r.Track = "5/10";
  r.Year = "1998";
  r.Genre = "(17)Rock";
  r.Comment = Internal("注释 comment");
  r.Composer = Internal("作曲家");
  r.OriginalArtist = "Orig";
  r.Rights = "(C) TCOM";
  r.Url = "http://example.com/";
  r.Encoder = "Corvane";
  {
    platform::DiskFile file(Internal(path), platform::OpenMode::ReadWrite);
    ASSERT_TRUE(WriteId3v2(file, r));
  }
  auto mutagen = MutagenRead(path, true);
  ASSERT_FALSE(mutagen.empty());
  r.Genre = "Rock";
  ExpectSameFields(mutagen, r, "ours");
  EXPECT_EQ(mutagen["version"], "2.3");
  EXPECT_EQ(mutagen["pictures"], "0");

  // ASCII texts come through even for a reader that takes encoding 0 as Latin-1.
  auto latin = MutagenRead(path, false);
  EXPECT_EQ(latin["album"], "Album");
  EXPECT_EQ(latin["track"], "5/10");

  {
    platform::DiskFile file(Internal(path), platform::OpenMode::ReadWrite);
    ASSERT_TRUE(RemoveId3v2(file));
  }
  EXPECT_EQ(dir_.Read("ours.mp3"), audio);
  EXPECT_EQ(MutagenRead(path, false)["version"], "");
}

TEST_F(MutagenInteropTest, RepeatedUpdatesAreStable) {
  std::string audio = Audio(40000, 8);
  std::string path = dir_.Write("r.mp3", audio);
  ASSERT_TRUE(MutagenWrite(path, "utf8_v24"));
  std::string first;
  for (int i = 0; i < 3; ++i) {
    platform::DiskFile file(Internal(path), platform::OpenMode::ReadWrite);
    TagRecord r;
    ASSERT_TRUE(ReadId3v2(file, r));
    ASSERT_TRUE(WriteId3v2(file, r));
    file.Close();
    std::string bytes = dir_.Read("r.mp3");
    EXPECT_EQ(bytes.substr(bytes.size() - audio.size()), audio);
    if (i == 0)
      first = bytes;
    else
      EXPECT_EQ(bytes, first);  // the second update changes nothing
  }
  EXPECT_EQ(MutagenRead(path, true)["pictures"], "1");
}

}  // namespace
