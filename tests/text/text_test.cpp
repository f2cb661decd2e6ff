#include "text/text.h"

#include <gtest/gtest.h>

#include "text/encoding.h"
#include "text/number.h"

namespace {

// "中" in GBK, and a double-byte character whose trail byte is ASCII 'A'.
const std::string kZhong = "\xD6\xD0";
const std::string k8141 = "\x81\x41";
const std::string k8161 = "\x81\x61";  // differs from k8141 only in the trail byte's case

TEST(SplitNameTest, CutsAtLastDotOutsideDoubleByteCharacters) {
  struct Case {
    std::string name, base, ext;
  } cases[] = {
      {"a.b.txt", "a.b", ".txt"},
      {"readme", "readme", ""},
      {".cfg", "", ".cfg"},
      {"name.", "name", "."},
      {"", "", ""},
      // 0xAE is '.' + 0x80: as a trail byte it must never be taken for a dot.
      {"a\x81\x2E"
       "b",
       "a\x81\x2E"
       "b",
       ""},
      {kZhong + ".mp3", kZhong, ".mp3"},
  };
  for (const auto& c : cases) {
    auto parts = text::SplitName(c.name);
    EXPECT_EQ(parts.Base, c.base) << c.name;
    EXPECT_EQ(parts.Extension, c.ext) << c.name;
  }
}

TEST(FindTextTest, MatchesOnlyWholeCharacters) {
  // The trail byte 0x41 of 81 41 is not an "A".
  EXPECT_EQ(text::FindText(k8141 + "A", "A", 0, true), 2u);
  EXPECT_EQ(text::FindText(k8141 + "a", "A", 0, false), 2u);
  // Two double-byte characters differing only in their trail byte's case never match.
  EXPECT_EQ(text::FindText(k8161, k8141, 0, false), text::npos);
  EXPECT_EQ(text::FindText("x" + kZhong, kZhong, 0, false), 1u);
  // A lone lead byte as needle never matches half of a character.
  EXPECT_EQ(text::FindText(kZhong, "\xD6", 0, true), text::npos);
  EXPECT_EQ(text::FindText("abcABC", "C", 3, false), 5u);
  EXPECT_EQ(text::FindText("abc", "", 0, true), text::npos);
}

TEST(CaseTest, FoldsOnlySingleByteLetters) {
  EXPECT_EQ(text::ToUpperAscii(k8161 + "abc"), k8161 + "ABC");
  EXPECT_EQ(text::ToLowerAscii(k8141 + "ABC"), k8141 + "abc");
  EXPECT_TRUE(text::EqualsIgnoringAsciiCase("Mp3", "mP3"));
  EXPECT_FALSE(text::EqualsIgnoringAsciiCase(k8141, k8161));
}

TEST(BoundaryTest, CutsNeverSplitACharacter) {
  std::string s = "a" + kZhong + "b";  // bytes: a D6 D0 b
  EXPECT_EQ(text::FitLength(s, 2), 1u);
  EXPECT_EQ(text::FitLength(s, 3), 3u);
  EXPECT_EQ(text::FitLength(s, 99), 4u);
  EXPECT_EQ(text::BoundaryAtOrAfter(s, 2), 3u);
  EXPECT_EQ(text::BoundaryAtOrAfter(s, 1), 1u);
  EXPECT_EQ(text::CharStartAt(s, 2), 1u);
}

TEST(TextToNumberTest, ReadsLeadingDecimalNumber) {
  struct Case {
    std::string in;
    int out;
  } cases[] = {
      {"", 0},
      {"abc", 0},
      {"12", 12},
      {"3.9", 3},
      {"-3.9", -3},
      {"1.9", 1},
      {"  +7x", 7},
      {"-2", -2},
      {"1e3", 1000},
      {"1e", 1},
      {".5", 0},
      {"12.9", 12},
      // Full-width digits and sign, and a full-width space before them.
      {"\xA1\xA1\xA3\xAD\xA3\xB1\xA3\xB2", -12},
      {"0x10", 0},
      // Past 32 bits the value wraps rather than saturating.
      {"4294967297", 1},
      {"2147483648", -2147483647 - 1},
      {"1e400", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(text::TextToNumber(c.in), c.out) << c.in;
}

TEST(ExtensionMatchesTest, ComparesTheTextAfterTheLastDot) {
  struct Case {
    std::string name;
    bool matches;
  } cases[] = {
      {"song.Mp3", true}, {"a.b.MP3", true}, {"song.mp3.bak", false}, {"mp3", false},
      {"name.", false},   {".mp3", true},    {kZhong + ".mp3", true}, {"x.mp3 ", false},
  };
  for (const auto& c : cases) EXPECT_EQ(text::ExtensionMatches(c.name, "MP3"), c.matches) << c.name;
  EXPECT_TRUE(text::ExtensionMatches("name.", ""));
}

TEST(DecimalTextTest, Plain) {
  EXPECT_EQ(text::DecimalText(0), "0");
  EXPECT_EQ(text::DecimalText(-10), "-10");
  EXPECT_EQ(text::DecimalText(1234567), "1234567");
}

TEST(EncodingTest, RoundTripsChineseAndRejectsBrokenBytes) {
  std::string utf8 = "\xE4\xB8\xAD.mp3";  // 中.mp3
  EXPECT_EQ(text::FromUtf8(utf8), kZhong + ".mp3");
  EXPECT_EQ(text::ToUtf8(kZhong + ".mp3"), utf8);
  EXPECT_EQ(text::ToUtf16(kZhong), std::u16string(u"\u4E2D"));
  EXPECT_EQ(text::FromUtf16(u"\u4E2Dx"), kZhong + "x");
  // An emoji is no GBK character but survives through GB18030's four-byte form.
  std::string emoji = "\xF0\x9F\x98\x80";
  auto internal = text::FromUtf8(emoji);
  ASSERT_TRUE(internal);
  EXPECT_EQ(internal->size(), 4u);
  EXPECT_EQ(text::ToUtf8(*internal), emoji);
  // A lone lead byte is not a character.
  EXPECT_FALSE(text::ToUtf8("a\xD6"));
  EXPECT_FALSE(text::FromUtf8("\xFF"));
  EXPECT_EQ(text::ToUtf8Lossy("a\xD6"), "a\xEF\xBF\xBD");
}

}  // namespace
