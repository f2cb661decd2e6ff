#include <gtest/gtest.h>

#include "core/rules.h"
#include "text/encoding.h"

namespace {

using core::InsertRuleInput;
using core::InsertWhere;

const std::string kZhong = text::Literal("中");
const std::string kWen = text::Literal("文");

std::string InsertOne(const InsertRuleInput& input, const std::string& name) {
  core::FileList list;
  list.AddBatch("/d/", {name});
  core::ApplyInsertRule(input, list, 1);
  return list.NewNames[0];
}

InsertRuleInput NameAt(const std::string& insertion, const std::string& position) {
  InsertRuleInput input;
  input.NameInsertText = insertion;
  input.NamePosition = position;
  return input;
}

InsertRuleInput ExtAt(const std::string& insertion, const std::string& position) {
  InsertRuleInput input;
  input.ExtInsertText = insertion;
  input.ExtPosition = position;
  return input;
}

InsertRuleInput AtEnd(const std::string& nameText, const std::string& extText) {
  InsertRuleInput input;
  input.NameInsertText = nameText;
  input.ExtInsertText = extText;
  input.NameWhere = InsertWhere::AtEnd;
  input.ExtWhere = InsertWhere::AtEnd;
  return input;
}

TEST(InsertRuleTest, InsertsAtPositionOrEnd) {
  struct Case {
    InsertRuleInput input;
    std::string name, expected;
  } cases[] = {
      {NameAt("X", "1"), "abc.txt", "Xabc.txt"},
      {NameAt("X", "3"), "abc.txt", "abXc.txt"},
      {NameAt("X", "4"), "abc.txt", "abcX.txt"},
      {NameAt("X", "255"), "abc.txt", "abcX.txt"},
      {NameAt("X", "0"), "abc.txt", "Xabc.txt"},
      {NameAt("X", ""), "abc.txt", "Xabc.txt"},
      {NameAt("X", "-7"), "abc.txt", "Xabc.txt"},
      {NameAt("X", "2.9"), "abc.txt", "aXbc.txt"},
      {AtEnd("X", ""), "abc.txt", "abcX.txt"},
      {AtEnd("X", ""), "readme", "readmeX"},
      // Extension positions count from after the dot.
      {ExtAt("Y", "1"), "abc.txt", "abc.Ytxt"},
      {ExtAt("Y", "4"), "abc.txt", "abc.txtY"},
      {ExtAt("Y", "2147483646"), "abc.txt", "abc.txtY"},
      // Position 0 or empty puts the text before the dot.
      {ExtAt("Y", ""), "abc.txt", "abcY.txt"},
      {ExtAt("Y", "0"), "abc.txt", "abcY.txt"},
      // One is added before cutting to 32 bits, so the largest number wraps to the front.
      {ExtAt("Y", "2147483647"), "abc.txt", "abcY.txt"},
      // Full-width digits count as digits ("２").
      {ExtAt("Y", "\xA3\xB2"), "abc.txt", "abc.tYxt"},
      {AtEnd("", "Y"), "abc.txt", "abc.txtY"},
      // A name without extension gets one, in both modes; an empty text gives none.
      {ExtAt("Y", "3"), "readme", "readme.Y"},
      {AtEnd("", "Y"), "readme", "readme.Y"},
      {ExtAt("", "1"), "readme", "readme"},
      {ExtAt("Y", "1"), "name.", "name.Y"},
      {InsertRuleInput{}, "abc.txt", "abc.txt"},
      {AtEnd("", ""), "name.", "name."},
      // A position inside a double-byte character moves past it.
      {NameAt("X", "2"), kZhong + kWen + ".txt", kZhong + "X" + kWen + ".txt"},
      {NameAt("X", "3"), kZhong + kWen + ".txt", kZhong + "X" + kWen + ".txt"},
      {NameAt("X", "4"), kZhong + kWen + ".txt", kZhong + kWen + "X.txt"},
      {ExtAt("Y", "2"), "a." + kZhong + kWen, "a." + kZhong + "Y" + kWen},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InsertOne(c.input, c.name), c.expected)
        << c.name << ", name position '" << c.input.NamePosition << "', extension position '"
        << c.input.ExtPosition << "'";
  }
}

TEST(InsertRuleTest, InsertsIntoBothParts) {
  InsertRuleInput input = NameAt("X", "2");
  input.ExtInsertText = "Y";
  input.ExtWhere = InsertWhere::AtEnd;
  EXPECT_EQ(InsertOne(input, "abc.txt"), "aXbc.txtY");
}

TEST(InsertAtTest, ClampsPositions) {
  EXPECT_EQ(core::InsertAt("", 5, "X"), "X");
  EXPECT_EQ(core::InsertAt("ab", INT32_MIN, "X"), "Xab");
  EXPECT_EQ(core::InsertAt("ab", INT32_MAX, "X"), "abX");
}

TEST(InsertRuleTest, LeavesEntriesFromNOnAlone) {
  core::FileList list;
  list.AddBatch("/d/", {"a.txt", "b.txt", "c"});
  list.NewNames[1] = "kept1";
  list.NewNames[2] = "kept2";
  core::ApplyInsertRule(AtEnd("X", "Y"), list, 1);
  EXPECT_EQ(list.NewNames, (std::vector<std::string>{"aX.txtY", "kept1", "kept2"}));
  EXPECT_EQ(list.OldNames, (std::vector<std::string>{"a.txt", "b.txt", "c"}));
}

}  // namespace
