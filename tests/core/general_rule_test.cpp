#include <gtest/gtest.h>

#include "core/rules.h"

namespace {

using core::GeneralRuleInput;
using core::Scope;

std::vector<std::string> Apply(const GeneralRuleInput& input, const std::vector<std::string>& names,
                               int n = -1) {
  core::FileList list;
  list.AddBatch("/d/", names);
  core::ApplyGeneralRule(input, list, n < 0 ? list.FileCount() : n);
  return list.NewNames;
}

std::vector<std::string> Counters(const GeneralRuleInput& input, int count) {
  std::vector<std::string> names(count, "x");
  return Apply(input, names);
}

TEST(GeneralRuleTest, InitialControls) {
  EXPECT_EQ(Apply({}, {"a.txt", "b.txt", "c.doc"}),
            (std::vector<std::string>{"0.txt", "1.txt", "2.doc"}));
}

TEST(GeneralRuleTest, CounterKeepsWidthAsItGrows) {
  GeneralRuleInput input;
  input.NamePrefix = "IMG_";
  input.NameDigits = "3";
  input.Start = "1";
  auto names = Apply(input, std::vector<std::string>(1000, "p.jpg"));
  EXPECT_EQ(names[0], "IMG_001.jpg");
  EXPECT_EQ(names[8], "IMG_009.jpg");
  EXPECT_EQ(names[9], "IMG_010.jpg");
  EXPECT_EQ(names[98], "IMG_099.jpg");
  EXPECT_EQ(names[99], "IMG_100.jpg");
  EXPECT_EQ(names[999], "IMG_1000.jpg");
}

TEST(GeneralRuleTest, ShrinkingCounterKeepsTheLongerValuesZeros) {
  GeneralRuleInput input;
  input.NameDigits = "3";
  input.Start = "10";
  input.Step = "-1";
  std::vector<std::string> expected = {"010", "09",  "08",  "07",  "06",  "05",  "04",
                                       "03",  "02",  "01",  "00",  "0-1", "0-2", "0-3",
                                       "0-4", "0-5", "0-6", "0-7", "0-8", "0-9", "-10"};
  EXPECT_EQ(Counters(input, 21), expected);
}

TEST(GeneralRuleTest, NumbersReadAsTheBoxesHoldThem) {
  struct Case {
    std::string start, step, digits;
    std::vector<std::string> expected;
  } cases[] = {
      {"-3", "1", "1", {"-3", "-2", "-1"}}, {"1.9", "1", "1", {"1", "2", "3"}},
      {"abc", "", "", {"0", "0", "0"}},  // empty step repeats the counter
      {"0", "0", "2", {"00", "00", "00"}},  {"5", "3.9", "0", {"5", "8", "11"}},
  };
  for (const auto& c : cases) {
    GeneralRuleInput input;
    input.Start = c.start;
    input.Step = c.step;
    input.NameDigits = c.digits;
    EXPECT_EQ(Counters(input, 3), c.expected) << c.start << " " << c.step << " " << c.digits;
  }
}

TEST(GeneralRuleTest, CounterWrapsAtThirtyTwoBits) {
  GeneralRuleInput input;
  input.Start = "2147483647";
  input.Step = "1";
  EXPECT_EQ(Counters(input, 2), (std::vector<std::string>{"2147483647", "-2147483648"}));
  input.Start = "0";
  input.Step = "2147483647";
  EXPECT_EQ(Counters(input, 3), (std::vector<std::string>{"0", "2147483647", "-2"}));
}

TEST(GeneralRuleTest, ExtensionScopes) {
  struct Case {
    Scope scope;
    std::string extPrefix, extText, extDigits, extSuffix;
    std::vector<std::string> names, expected;
  } cases[] = {
      {Scope::Extension, "", "", "", "", {"a.txt", "readme"}, {"a", "readme"}},
      {Scope::Extension, "", "bak", "", "", {"a.txt", "readme"}, {"a.bak", "readme.bak"}},
      {Scope::Extension,
       "",
       "bak",
       "1",
       "",
       {"a.txt", "b.txt", "readme"},
       {"a.bak0", "b.bak1", "readmebak2"}},
      {Scope::Extension, " ", "", "", "", {"a.txt"}, {"a. "}},  // a space is not empty
  };
  for (const auto& c : cases) {
    GeneralRuleInput input;
    input.Scope = c.scope;
    input.ExtPrefix = c.extPrefix;
    input.ExtText = c.extText;
    input.ExtDigits = c.extDigits;
    input.ExtSuffix = c.extSuffix;
    EXPECT_EQ(Apply(input, c.names), c.expected) << c.extText;
  }
}

TEST(GeneralRuleTest, BothCountersStartAgain) {
  GeneralRuleInput input;
  input.Scope = Scope::Both;
  input.NamePrefix = "x";
  input.NameDigits = "2";
  input.ExtText = "e";
  input.ExtDigits = "1";
  input.Start = "5";
  EXPECT_EQ(Apply(input, {"a.txt", "b.txt"}), (std::vector<std::string>{"x05.e5", "x06.e6"}));
}

TEST(GeneralRuleTest, LeadingDotOfBaseNameStays) {
  EXPECT_EQ(Apply({}, {"..a.txt", ".cfg"}), (std::vector<std::string>{".0.txt", "1.cfg"}));
}

TEST(GeneralRuleTest, LeavesEntriesPastCountAlone) {
  core::FileList list;
  list.AddBatch("/d/", {"a.txt", "b.txt", "c.txt"});
  list.NewNames[2] = "kept";
  core::ApplyGeneralRule({}, list, 2);
  EXPECT_EQ(list.NewNames, (std::vector<std::string>{"0.txt", "1.txt", "kept"}));
  EXPECT_EQ(list.OldNames[0], "a.txt");
}

TEST(ZeroFillTest, CountsTheMinusSign) {
  EXPECT_EQ(core::ZeroFill(3, 5), "00");
  EXPECT_EQ(core::ZeroFill(3, -5), "0");
  EXPECT_EQ(core::ZeroFill(0, 5), "");
  EXPECT_EQ(core::ZeroFill(-4, 5), "");
  EXPECT_EQ(core::ZeroFill(2, 123), "");
}

}  // namespace
