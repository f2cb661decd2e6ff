#include <gtest/gtest.h>

#include "core/rules.h"
#include "text/encoding.h"

namespace {

using core::CaseRuleInput;
using core::LetterCase;

// A double-byte character whose trail byte is 'A' (0x41), and its neighbour with 'a'.
const std::string k8141 = "\x81\x41";
const std::string k8161 = "\x81\x61";

std::string ChangeOne(const CaseRuleInput& input, const std::string& name) {
  core::FileList list;
  list.AddBatch("/d/", {name});
  core::ApplyCaseRule(input, list, 1);
  return list.NewNames[0];
}

TEST(CaseRuleTest, ChangesBaseAndExtensionEachByItsChoice) {
  struct Case {
    LetterCase nameCase, extCase;
    std::string name, expected;
  } cases[] = {
      {LetterCase::AllUpper, LetterCase::AllUpper, "a.txt", "A.TXT"},
      {LetterCase::AllUpper, LetterCase::AllUpper, text::Literal("中文abc.mp3"),
       text::Literal("中文ABC.MP3")},
      {LetterCase::AllUpper, LetterCase::AllUpper, k8161 + "abc.txt", k8161 + "ABC.TXT"},
      {LetterCase::AllLower, LetterCase::AllLower, "README.TXT", "readme.txt"},
      {LetterCase::AllLower, LetterCase::AllLower, k8141 + "ABC.TXT", k8141 + "abc.txt"},
      {LetterCase::FirstUpper, LetterCase::AllLower, "hello world.txt", "Hello world.txt"},
      {LetterCase::FirstUpper, LetterCase::AllLower, "01 - song.MP3", "01 - Song.mp3"},
      {LetterCase::FirstLower, LetterCase::AllLower, "HELLO.TXT", "hELLO.txt"},
      {LetterCase::AllLower, LetterCase::FirstUpper, "a.txt", "a.Txt"},
      {LetterCase::AllLower, LetterCase::FirstUpper, "x.7z", "x.7Z"},
      {LetterCase::FirstUpper, LetterCase::AllUpper, "12a", "12A"},
      {LetterCase::FirstUpper, LetterCase::AllUpper, ".cfg", ".CFG"},
      {LetterCase::AllLower, LetterCase::AllLower, "A.B.TXT", "a.b.txt"},
      // A trail byte in the letter range is no first letter.
      {LetterCase::FirstLower, LetterCase::AllLower, k8141 + "abc", k8141 + "abc"},
      {LetterCase::FirstUpper, LetterCase::AllLower, k8161 + "abc", k8161 + "Abc"},
      {LetterCase::FirstUpper, LetterCase::FirstUpper, text::Literal("中文.") + k8161 + "b",
       text::Literal("中文.") + k8161 + "B"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChangeOne({c.nameCase, c.extCase}, c.name), c.expected)
        << c.name << " with " << static_cast<int>(c.nameCase) << "/" << static_cast<int>(c.extCase);
  }
}

TEST(CaseRuleTest, NamesWithoutLettersStayUnchanged) {
  for (LetterCase letterCase : {LetterCase::AllUpper, LetterCase::AllLower, LetterCase::FirstUpper,
                                LetterCase::FirstLower}) {
    for (const std::string& name : {std::string("2024"), text::Literal("中文.") + k8141}) {
      EXPECT_EQ(ChangeOne({letterCase, letterCase}, name), name)
          << "choice " << static_cast<int>(letterCase);
    }
  }
}

TEST(CaseRuleTest, LeavesEntriesFromNOnAlone) {
  core::FileList list;
  list.AddBatch("/d/", {"a.txt", "b.txt", "c.txt"});
  list.NewNames[1] = "kept1";
  list.NewNames[2] = "kept2";
  core::ApplyCaseRule({}, list, 1);
  EXPECT_EQ(list.NewNames, (std::vector<std::string>{"A.TXT", "kept1", "kept2"}));
  EXPECT_EQ(list.OldNames, (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
}

}  // namespace
