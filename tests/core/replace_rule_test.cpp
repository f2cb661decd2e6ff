#include <gtest/gtest.h>

#include "core/rules.h"
#include "text/encoding.h"

namespace {

using core::ReplaceRuleInput;
using core::Scope;

const std::string kZhong = text::Literal("中");
const std::string kWen = text::Literal("文");
// Two double-byte characters whose trail bytes differ only as 'A' and 'a'.
const std::string k8141 = "\x81\x41";
const std::string k8161 = "\x81\x61";

std::string ReplaceOne(const ReplaceRuleInput& input, const std::string& name) {
  core::FileList list;
  list.AddBatch("/d/", {name});
  core::ApplyReplaceRule(input, list, 1);
  return list.NewNames[0];
}

TEST(ReplaceRuleTest, ReplacesInTheChosenParts) {
  struct Case {
    std::string find, replacement;
    bool caseSensitive;
    Scope scope;
    std::string name, expected;
  } cases[] = {
      {"a", "", false, Scope::Name, "banana.txt", "bnn.txt"},
      {"txt", "X", false, Scope::Both, "txt.txt", "X.X"},
      {"txt", "X", false, Scope::Name, "txt.txt", "X.txt"},
      {"txt", "X", false, Scope::Extension, "txt.txt", "txt.X"},
      // Emptied extensions lose their dot.
      {"txt", "", false, Scope::Extension, "a.txt", "a"},
      {"txt", "", false, Scope::Extension, "readme", "readme"},
      // The dot before the extension is neither found nor replaced.
      {".", "_", false, Scope::Both, "a.b.c", "a_b.c"},
      {".", "_", false, Scope::Extension, "a.b.c", "a.b.c"},
      // An occurrence never spans base name and extension.
      {"b.c", "X", false, Scope::Both, "ab.cd", "ab.cd"},
      // An empty find text changes nothing, but a bare trailing dot goes under
      // the extension scopes.
      {"", "X", false, Scope::Name, "name.", "name."},
      {"", "X", false, Scope::Extension, "name.", "name"},
      {"", "X", false, Scope::Both, "name.", "name"},
      {"", "X", false, Scope::Both, "a.txt", "a.txt"},
      {"q", "X", false, Scope::Extension, "name.", "name"},
      // Letter case is ignored unless asked for; the replacement goes in as typed.
      {"ABC", "xY", false, Scope::Name, "abc-AbC.txt", "xY-xY.txt"},
      {"ABC", "xY", true, Scope::Name, "abc-ABC.txt", "abc-xY.txt"},
      {"MP3", "ogg", false, Scope::Extension, "a.mp3", "a.ogg"},
      // No overlap and no rescanning of what was put in.
      {"aa", "a", false, Scope::Name, "aaaa", "aa"},
      {"a", "aa", false, Scope::Name, "a.txt", "aa.txt"},
      // Double-byte characters match whole or not at all.
      {kZhong, "X", false, Scope::Name, kZhong + kZhong + kWen + ".txt", "XX" + kWen + ".txt"},
      {kZhong, "", false, Scope::Extension, "a." + kZhong + "b", "a.b"},
      // D6 D0 CE C4: the middle bytes D0 CE are not the character D0 CE.
      {"\xD0\xCE", "X", true, Scope::Name, kZhong + kWen, kZhong + kWen},
      // A trail byte 0x41 is no letter "a".
      {"a", "", false, Scope::Name, k8141 + "a.txt", k8141 + ".txt"},
      // Folding never makes two different double-byte characters equal.
      {k8141, "X", false, Scope::Name, k8161 + k8141 + ".txt", k8161 + "X.txt"},
      {k8161, "X", false, Scope::Name, k8141 + ".txt", k8141 + ".txt"},
  };
  for (const auto& c : cases) {
    ReplaceRuleInput input{c.find, c.replacement, c.caseSensitive, c.scope};
    EXPECT_EQ(ReplaceOne(input, c.name), c.expected)
        << "find '" << c.find << "' in " << c.name << ", scope " << static_cast<int>(c.scope);
  }
}

TEST(ReplaceAllTest, StartsAtTheGivenByte) {
  EXPECT_EQ(core::ReplaceAll("abab", "a", "", 2, false), "abb");
  EXPECT_EQ(core::ReplaceAll("abab", "a", "X", 0, false), "XbXb");
  EXPECT_EQ(core::ReplaceAll("abab", "a", "X", 5, false), "abab");
  // A start on the second byte of a character begins after that character.
  EXPECT_EQ(core::ReplaceAll("x" + kZhong + kZhong, kZhong, "Y", 3, true), "x" + kZhong + "Y");
}

TEST(ReplaceRuleTest, LeavesEntriesFromNOnAlone) {
  core::FileList list;
  list.AddBatch("/d/", {"a.a", "b.a", "c.a"});
  list.NewNames[1] = "kept1";
  list.NewNames[2] = "kept2";
  core::ApplyReplaceRule({"a", "X", false, Scope::Both}, list, 1);
  EXPECT_EQ(list.NewNames, (std::vector<std::string>{"X.X", "kept1", "kept2"}));
  EXPECT_EQ(list.OldNames, (std::vector<std::string>{"a.a", "b.a", "c.a"}));
  core::ApplyReplaceRule({"a", "X", false, Scope::Both}, list, 0);
  EXPECT_EQ(list.NewNames, (std::vector<std::string>{"X.X", "kept1", "kept2"}));
}

}  // namespace
