#include "core/mp3_rule.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_dir.h"
#include "tags/tag_bytes.h"
#include "text/encoding.h"

namespace {

using core::Mp3RuleInput;

TEST(ParseMp3PatternTest, CodesAndLiterals) {
  struct Case {
    std::string pattern;
    std::vector<std::uint8_t> codes;
    std::vector<std::string> literals;
  } cases[] = {
      {"#1-#2", {1, 2, 0}, {"", "-", ""}},
      {"##3", {3, 0}, {"#", ""}},
      {"#7 #1", {1, 0}, {"#7 ", ""}},
      {"#17", {1, 0}, {"", "7"}},
      {"#12", {1, 2, 0}, {"", "", ""}},
      {"abc", {0}, {"abc"}},
      {"#0#", {0}, {"#0#"}},
      {"a#1b2#6", {1, 6, 0}, {"a", "b2", ""}},
  };
  for (const auto& c : cases) {
    auto parsed = core::ParseMp3Pattern(c.pattern);
    ASSERT_TRUE(parsed) << c.pattern;
    EXPECT_EQ(parsed->Codes, c.codes) << c.pattern;
    EXPECT_EQ(parsed->Literals, c.literals) << c.pattern;
  }
  EXPECT_FALSE(core::ParseMp3Pattern(""));
}

// A directory of MP3-like files with the tags each test needs.
class Mp3RuleTest : public ::testing::Test {
 protected:
  TempDir dir;
  core::FileList list;

  void Add(const std::string& name, const std::string& bytes) {
    dir.Write(name, bytes);
    list.AddBatch(dir.Path(), {name});
  }
  static std::string V2(const std::string& artist, const std::string& title) {
    using namespace tagtest;
    return Tag(3, Frame23("TPE1", Latin(artist)) + Frame23("TIT2", Latin(title)));
  }
  static std::string V1(const std::string& title, const std::string& artist) {
    return tagtest::Id3v1(title, artist, "", "1999", "", 0, 0, 17);
  }
  std::vector<std::string> Run(const std::string& pattern, bool preferV1 = false) {
    core::ApplyMp3Rule(Mp3RuleInput{pattern, preferV1}, list);
    return list.NewNames;
  }
  std::string TagStatus(int row) { return list.Row(row).Cells[core::kTagStatusColumn]; }
};

TEST_F(Mp3RuleTest, NamesFromTheTagAndMarksTheRest) {
  std::string audio = tagtest::Audio(300);
  Add("a.Mp3", V2("Artist", "Title") + audio);
  Add("notes.txt", "text");
  Add("bare.mp3", audio);
  Add("song.mp3.bak", audio);
  EXPECT_EQ(Run("#1 - #2"), (std::vector<std::string>{"Artist - Title.mp3", "", "", ""}));
  EXPECT_EQ(TagStatus(0), "");
  EXPECT_EQ(TagStatus(1), text::Literal("非MP3文件"));
  EXPECT_EQ(TagStatus(2), text::Literal("无标签"));
  EXPECT_EQ(TagStatus(3), text::Literal("非MP3文件"));
}

TEST_F(Mp3RuleTest, PatternShapes) {
  Add("a.mp3", V2("Art", "Tit") + tagtest::Audio(100));
  struct Case {
    std::string pattern, expected;
  } cases[] = {
      {"abc", "abc.mp3"},  {"#12", "ArtTit.mp3"}, {"#17", "Art7.mp3"},
      {"##1", "#Art.mp3"}, {"#0#7", "#0#7.mp3"},  {"#3", ""},  // empty album: no ".mp3"
      {"#1#3", "Art.mp3"},
  };
  for (const auto& c : cases) EXPECT_EQ(Run(c.pattern)[0], c.expected) << c.pattern;
}

TEST_F(Mp3RuleTest, EmptyPatternClearsNamesAndKeepsStatus) {
  Add("x.txt", "");
  Run("#1");
  list.NewNames[0] = "left";
  EXPECT_EQ(Run(""), std::vector<std::string>{""});
  EXPECT_EQ(TagStatus(0), text::Literal("非MP3文件"));
}

TEST_F(Mp3RuleTest, PreferenceFallsBackPerFileNotPerField) {
  // Only an ID3v2 tag: named from it even with ID3v1 first.
  Add("only2.mp3", V2("V2Artist", "V2Title") + tagtest::Audio(50));
  // Both tags, the ID3v1 artist empty: with ID3v1 first the artist stays empty.
  Add("both.mp3", V2("V2Artist", "V2Title") + tagtest::Audio(50) + V1("V1Title", ""));
  EXPECT_EQ(Run("#1-#2", true), (std::vector<std::string>{"V2Artist-V2Title.mp3", "-V1Title.mp3"}));
  EXPECT_EQ(Run("#1-#2", false),
            (std::vector<std::string>{"V2Artist-V2Title.mp3", "V2Artist-V2Title.mp3"}));
  // An ID3v1 genre arrives as its number.
  EXPECT_EQ(Run("#6", true)[1], "17.mp3");
}

TEST_F(Mp3RuleTest, UnreadableFileKeepsWhatItShowed) {
  Add("gone.mp3", V2("A", "T"));
  Add("chinese.mp3", V2(text::Literal("歌手"), "T"));
  EXPECT_EQ(Run("#1")[1], text::Literal("歌手") + ".mp3");
  ASSERT_EQ(unlink((dir.Path() + "gone.mp3").c_str()), 0);
  list.NewNames[0] = "previous.mp3";
  list.SetCell(0, core::kTagStatusColumn, "mark");
  Run("#2");
  EXPECT_EQ(list.NewNames[0], "previous.mp3");
  EXPECT_EQ(TagStatus(0), "mark");
}

TEST_F(Mp3RuleTest, StatusStaysAfterTheFileGainsATag) {
  Add("later.mp3", tagtest::Audio(100));
  Run("#1");
  EXPECT_EQ(TagStatus(0), text::Literal("无标签"));
  dir.Write("later.mp3", V2("Now", "T") + tagtest::Audio(100));
  EXPECT_EQ(Run("#1")[0], "Now.mp3");
  EXPECT_EQ(TagStatus(0), text::Literal("无标签"));
}

}  // namespace
