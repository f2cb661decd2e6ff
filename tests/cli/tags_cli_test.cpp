// End to end through the real corvane-cli binary: "corvane-cli tags".
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tags/mutagen_support.h"
#include "tags/tag_bytes.h"

namespace {

using namespace tagtest;

struct Result {
  int Status = -1;
  std::string Out, Err;
};

std::string Quote(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) {
    if (c == '\'')
      q += "'\\''";
    else
      q += c;
  }
  return q + "'";
}

// Runs corvane-cli with the words, optionally behind a shell prefix (limits).
Result RunCli(const std::vector<std::string>& words, const std::string& shellPrefix = "") {
  TempDir scratch;
  std::string command = Quote(CORVANE_CLI);
  for (const auto& w : words) command += " " + Quote(w);
  std::string errPath = scratch.Path() + "err";
  command += " 2>" + Quote(errPath);
  if (!shellPrefix.empty()) {
    std::string script = shellPrefix;
    script += " exec ";
    script += command;
    command = "/bin/sh -c ";
    command += Quote(script);
  }
  Result result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) result.Out.append(buf, n);
  int status = pclose(pipe);
  result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.Err = scratch.Read("err");
  return result;
}

Result Tags(std::vector<std::string> words) {
  words.insert(words.begin(), "tags");
  return RunCli(words);
}

class TagsCliTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(TagsCliTest, BadUsageExitsWith2AndSaysWhy) {
  std::string f = dir_.Write("a.mp3", Audio(1000));
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--set-v1", "title=x"},
      {f, "--bogus"},
      {f, "title=x"},
      {f, "--set-v1", "title"},
      {f, "--set-v1", "composer=x"},  // not an ID3v1 field
      {f, "--set-v2", "colour=red"},
      {f, "--set-v1", "title=x", "--remove-v1"},
      {f, "--set-v2", "title=x", "--remove-v2"},
      {f, "--set-v1", "genre=NoSuchGenre"},
      {f, "--set-v1", "genre=256"},
      {f, "--set-v1", "title=\xFF"},  // not UTF-8
  };
  for (const auto& words : cases) {
    Result r = Tags(words);
    EXPECT_EQ(r.Status, 2) << (words.empty() ? "" : words.back());
    EXPECT_NE(r.Err.find("corvane-cli tags:"), std::string::npos);
    EXPECT_EQ(r.Out, "");
  }
  EXPECT_EQ(dir_.Read("a.mp3"), Audio(1000));  // nothing was written
}

TEST_F(TagsCliTest, MissingFileExitsWith1) {
  Result r = Tags({dir_.Path() + "missing.mp3"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("cannot open"), std::string::npos);
  EXPECT_EQ(Tags({dir_.Path() + "missing.mp3", "--remove-v1"}).Status, 1);
}

TEST_F(TagsCliTest, FileWithoutTags) {
  Result r = Tags({dir_.Write("a.mp3", Audio(1000))});
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out, "{\"id3v1\": null, \"id3v2\": null}\n");
}

TEST_F(TagsCliTest, PrintsBothTagsAsJson) {
  std::string v2 =
      Tag(3,
          Frame23("TIT2", Latin("Say \"hi\"\\")) +
              Frame23("TPE1", Bytes({1, 0xFF, 0xFE, 0x4C, 0x6B})) + Frame23("TCON", Latin("(17)")) +
              Frame23("COMM", Bytes({0}) + "eng" + Bytes({0}) + "a\nb\x01"),
          100);
  std::string v1 = Id3v1("\xB8\xE8", "Artist", "Album", "1999", "Comment", 0, 7, 17);
  Result r = Tags({dir_.Write("a.mp3", v2 + Audio(1000) + v1)});
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(
      r.Out,
      "{\"id3v1\": {\"title\": \"\xE6\xAD\x8C\", \"artist\": \"Artist\", \"album\": \"Album\", "
      "\"year\": \"1999\", \"comment\": \"Comment\", \"track\": \"7\", \"genre\": \"17\"}, "
      "\"id3v2\": {\"title\": \"Say \\\"hi\\\"\\\\\", \"artist\": \"\xE6\xAD\x8C\", "
      "\"album\": \"\", \"year\": \"\", \"track\": \"\", \"genre\": \"Rock\", "
      "\"comment\": \"a\\nb\\u0001\", \"composer\": \"\", \"original_artist\": \"\", "
      "\"rights\": \"\", \"url\": \"\", \"encoder\": \"\"}}\n");
}

TEST_F(TagsCliTest, SetV1WritesOverTheFieldsAlreadyThere) {
  std::string audio = Audio(2000);
  std::string f = dir_.Write("a.mp3", audio + Id3v1("Old", "Artist", "", "1999", "", 0, 3, 17));
  EXPECT_EQ(Tags({f, "--set-v1", "title=\xE6\xAD\x8C", "comment=Hi"}).Status, 0);
  std::string bytes = dir_.Read("a.mp3");
  EXPECT_EQ(bytes, audio + Id3v1("\xB8\xE8", "Artist", "", "1999", "Hi", 0, 3, 17));
  EXPECT_EQ(Tags({f, "--set-v1", "genre=Pop", "track="}).Status, 0);
  EXPECT_EQ(dir_.Read("a.mp3"), audio + Id3v1("\xB8\xE8", "Artist", "", "1999", "Hi", 0, 0, 13));
  EXPECT_EQ(Tags({f, "--set-v1", "genre=", "track=12"}).Status, 0);
  EXPECT_EQ(dir_.Read("a.mp3"), audio + Id3v1("\xB8\xE8", "Artist", "", "1999", "Hi", 0, 12, 255));
  EXPECT_EQ(Tags({f, "--set-v1", "genre=200"}).Status, 0);
  EXPECT_NE(Tags({f}).Out.find("\"genre\": \"200\""), std::string::npos);
}

TEST_F(TagsCliTest, SetV1CreatesATag) {
  std::string audio = Audio(2000);
  std::string f = dir_.Write("a.mp3", audio);
  EXPECT_EQ(Tags({f, "--set-v1", "title=T", "genre=rock"}).Status, 0);
  EXPECT_EQ(dir_.Read("a.mp3"), audio + Id3v1("T", "", "", "", "", 0, 0, 17));
}

TEST_F(TagsCliTest, SetV2StoresGenresTheWayTheGenreBoxDoes) {
  std::string f = dir_.Write("a.mp3", Audio(2000));
  EXPECT_EQ(Tags({f, "--set-v2", "genre=Rock", "title=T"}).Status, 0);
  EXPECT_NE(dir_.Read("a.mp3").find("TCON" + BigEndian(9) + Bytes({0, 0, 0}) + "(17)Rock"),
            std::string::npos);
  EXPECT_NE(Tags({f}).Out.find("\"genre\": \"Rock\""), std::string::npos);
  EXPECT_EQ(Tags({f, "--set-v2", "genre=13"}).Status, 0);
  EXPECT_NE(dir_.Read("a.mp3").find("(13)Pop"), std::string::npos);
  EXPECT_EQ(Tags({f, "--set-v2", "genre=Chinese Pop"}).Status, 0);
  EXPECT_NE(dir_.Read("a.mp3").find("TCON" + BigEndian(12) + Bytes({0, 0, 0}) + "Chinese Pop"),
            std::string::npos);
  Result r = Tags({f});
  EXPECT_NE(r.Out.find("\"genre\": \"Chinese Pop\""), std::string::npos);
  EXPECT_NE(r.Out.find("\"title\": \"T\""), std::string::npos);  // kept from before
}

TEST_F(TagsCliTest, SetV2WritesAllFieldsAndTwiceGivesTheSameFile) {
  std::string audio = Audio(3000);
  std::string f = dir_.Write("a.mp3", audio);
  std::vector<std::string> words = {f,
                                    "--set-v2",
                                    "title=歌名",
                                    "artist=A",
                                    "album=B",
                                    "year=2001",
                                    "track=1/2",
                                    "genre=Jazz",
                                    "comment=C",
                                    "composer=D",
                                    "original_artist=E",
                                    "rights=F",
                                    "url=http://g/",
                                    "encoder=H"};
  EXPECT_EQ(Tags(words).Status, 0);
  std::string once = dir_.Read("a.mp3");
  EXPECT_EQ(Tags(words).Status, 0);
  EXPECT_EQ(dir_.Read("a.mp3"), once);
  EXPECT_EQ(once.substr(once.size() - audio.size()), audio);
  EXPECT_EQ(
      Tags({f}).Out,
      "{\"id3v1\": null, \"id3v2\": {\"title\": \"歌名\", \"artist\": \"A\", \"album\": \"B\", "
      "\"year\": \"2001\", \"track\": \"1/2\", \"genre\": \"Jazz\", \"comment\": \"C\", "
      "\"composer\": \"D\", \"original_artist\": \"E\", \"rights\": \"F\", "
      "\"url\": \"http://g/\", \"encoder\": \"H\"}}\n");
}

TEST_F(TagsCliTest, RemoveBothVersions) {
  std::string audio = Audio(3000);
  std::string f = dir_.Write("a.mp3", Tag(3, Frame23("TIT2", Latin("x")), 50) + audio + Id3v1("t"));
  EXPECT_EQ(Tags({f, "--remove-v1", "--remove-v2"}).Status, 0);
  EXPECT_EQ(dir_.Read("a.mp3"), audio);
  EXPECT_EQ(Tags({f, "--remove-v1", "--remove-v2"}).Status, 0);  // nothing to remove
  EXPECT_EQ(dir_.Read("a.mp3"), audio);
}

TEST_F(TagsCliTest, BothTagsSurviveEachOthersUpdates) {
  std::string audio = Audio(3000);
  std::string f = dir_.Write("a.mp3", audio);
  EXPECT_EQ(Tags({f, "--set-v1", "title=one", "--set-v2", "title=two"}).Status, 0);
  EXPECT_EQ(Tags({f, "--set-v2", "artist=x"}).Status, 0);
  EXPECT_EQ(Tags({f, "--set-v1", "artist=y"}).Status, 0);
  Result r = Tags({f});
  EXPECT_NE(r.Out.find("\"id3v1\": {\"title\": \"one\", \"artist\": \"y\""), std::string::npos);
  EXPECT_NE(r.Out.find("\"id3v2\": {\"title\": \"two\", \"artist\": \"x\""), std::string::npos);
  EXPECT_EQ(Tags({f, "--remove-v2"}).Status, 0);
  EXPECT_EQ(dir_.Read("a.mp3").substr(0, audio.size()), audio);
  EXPECT_EQ(Tags({f, "--remove-v1"}).Status, 0);
  EXPECT_EQ(dir_.Read("a.mp3"), audio);
}

TEST_F(TagsCliTest, WriteThatCannotGrowTheFileFailsAndChangesNothing) {
  // A file-size limit plays a full disk: the new tag does not fit, so the old one must
  // stay exactly as it was. SIGXFSZ is ignored so the write fails instead of killing.
  std::string before = Tag(3, Frame23("TIT2", Latin("Old")), 100) + Audio(50000);
  std::string f = dir_.Write("a.mp3", before);
  Result r = RunCli({"tags", f, "--set-v2", "comment=" + std::string(60000, 'c')},
                    "trap '' XFSZ; ulimit -f 100;");
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("failed"), std::string::npos);
  EXPECT_EQ(dir_.Read("a.mp3"), before);
}

// ---- Against mutagen

class TagsCliMutagenTest : public TagsCliTest {
 protected:
  void SetUp() override {
    if (MutagenPython().empty()) GTEST_SKIP() << "python3 with mutagen is not installed";
  }
};

// The twelve fields of a "tags" JSON object's id3v2 part, by key (UTF-8).
std::map<std::string, std::string> Id3v2Json(const std::string& json) {
  std::map<std::string, std::string> fields;
  std::size_t at = json.find("\"id3v2\": {");
  if (at == std::string::npos) return fields;
  for (std::size_t pos = at + 10; pos < json.size();) {
    std::size_t k0 = json.find('"', pos);
    if (k0 == std::string::npos) break;
    std::size_t k1 = json.find('"', k0 + 1);
    std::size_t v0 = json.find('"', k1 + 1);
    std::string value;
    std::size_t i = v0 + 1;
    for (; i < json.size() && json[i] != '"'; ++i) {
      if (json[i] == '\\') ++i;  // good enough for the texts used here
      value += json[i];
    }
    fields[json.substr(k0 + 1, k1 - k0 - 1)] = value;
    pos = i + 1;
    if (json.compare(pos, 1, "}") == 0) break;
  }
  return fields;
}

TEST_F(TagsCliMutagenTest, ReadsTheTextsMutagenReads) {
  for (const char* name :
       {"latin1_v23", "utf16_v23", "utf16_v24", "utf16be_v24", "utf8_v24", "latin1_v24"}) {
    std::string f = dir_.Write(std::string(name) + ".mp3", Audio(20000));
    ASSERT_TRUE(MutagenWrite(f, name));
    auto mutagen = MutagenRead(f, false);
    Result r = Tags({f});
    ASSERT_EQ(r.Status, 0) << name;
    auto ours = Id3v2Json(r.Out);
    ASSERT_EQ(ours.size(), 12u) << r.Out;
    for (const auto& [key, value] : ours) EXPECT_EQ(value, mutagen[key]) << name << " " << key;
  }
}

TEST_F(TagsCliMutagenTest, SetV2KeepsPictureAudioAndId3v1AndMutagenReadsIt) {
  for (const char* name : {"latin1_v23", "utf16_v23", "utf8_v24", "utf16_v24"}) {
    std::string audio = Audio(60000, 11);
    std::string v1 = Id3v1("v1", "", "", "", "", 0, 1, 1);
    std::string f = dir_.Write(std::string(name) + ".mp3", audio);
    ASSERT_TRUE(MutagenWrite(f, name));
    {
      std::ofstream out(f, std::ios::binary | std::ios::app);
      out << v1;
    }
    auto before = MutagenRead(f, false);
    Result r = Tags({f, "--set-v2", "title=新的 title", "artist=New Artist", "genre=Rock"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    std::string bytes = dir_.Read(std::string(name) + ".mp3");
    EXPECT_EQ(bytes.substr(bytes.size() - audio.size() - 128), audio + v1) << name;
    auto after = MutagenRead(f, true);
    EXPECT_EQ(after["version"], "2.3");
    EXPECT_EQ(after["title"], "新的 title");
    EXPECT_EQ(after["artist"], "New Artist");
    EXPECT_EQ(after["genre"], "Rock");
    EXPECT_EQ(after["album"], before["album"]) << name;
    EXPECT_EQ(after["comment"], before["comment"]) << name;
    EXPECT_EQ(after["composer"], before["composer"]) << name;
    EXPECT_EQ(after["pictures"], "1");
    EXPECT_EQ(after["picture0"], before["picture0"]) << name;
    auto ours = Id3v2Json(Tags({f}).Out);
    EXPECT_EQ(ours["title"], "新的 title");
    EXPECT_EQ(ours["album"], before["album"]);
  }
}

}  // namespace
