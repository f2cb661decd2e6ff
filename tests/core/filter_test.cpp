#include "core/filter.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace {

using core::FilterInput;

std::vector<std::string> Filter(const std::vector<std::string>& names, const FilterInput& input,
                                std::string* message = nullptr) {
  core::Workspace workspace;
  workspace.List.AddBatch("/d/", names);
  std::string said = core::ApplyFilter(workspace, input, 0);
  if (message) *message = said;
  return workspace.List.OldNames;
}

FilterInput ByExtension(int operation, const std::string& ext) {
  FilterInput input;
  input.Operation = operation;
  input.Extension = ext;
  return input;
}

FilterInput ByContent(int operation, const std::string& content) {
  FilterInput input;
  input.Operation = operation;
  input.ByExtension = false;
  input.ByContent = true;
  input.Content = content;
  return input;
}

TEST(FilterTest, DeleteOrKeepByExtensionOrContent) {
  const std::vector<std::string> names = {"a.MP3", "b.mp3", "c.txt", "d"};
  struct Case {
    FilterInput input;
    std::vector<std::string> expected;
  } cases[] = {
      {ByExtension(core::kDeleteMatches, "mp3"), {"c.txt", "d"}},
      {ByExtension(core::kKeepMatches, "mp3"), {"a.MP3", "b.mp3"}},
      {ByExtension(core::kKeepMatches, "txt"), {"c.txt"}},  // no extension never matches
      {ByExtension(core::kDeleteMatches, ".mp3"), names},   // the dot is compared too
      {ByContent(core::kDeleteMatches, "B.M"), {"a.MP3", "c.txt", "d"}},
      {ByContent(core::kKeepMatches, "D"), {"d"}},
  };
  for (const auto& c : cases) {
    std::string message;
    EXPECT_EQ(Filter(names, c.input, &message), c.expected) << c.input.Extension << c.input.Content;
    EXPECT_EQ(message, "");
  }
  EXPECT_EQ(Filter({"x.tar.gz"}, ByExtension(core::kKeepMatches, "gz")),
            std::vector<std::string>{"x.tar.gz"});
  EXPECT_EQ(Filter({"x.tar.gz"}, ByExtension(core::kKeepMatches, "tar.gz")),
            std::vector<std::string>{});
  EXPECT_EQ(Filter({"1abc2.txt"}, ByContent(core::kDeleteMatches, "ABC")),
            std::vector<std::string>{});
}

TEST(FilterTest, ContentMatchesWholeCharactersOnly) {
  // 81 41 and 81 61 differ only in the case of a trail byte; neither contains "A".
  std::vector<std::string> names = {"\x81\x41.txt", "\x81\x61.txt", text::Literal("中文.txt")};
  EXPECT_EQ(Filter(names, ByContent(core::kKeepMatches, "\x81\x41")),
            std::vector<std::string>{"\x81\x41.txt"});
  EXPECT_EQ(Filter(names, ByContent(core::kKeepMatches, "a")), std::vector<std::string>{});
  EXPECT_EQ(Filter(names, ByContent(core::kKeepMatches, text::Literal("文"))),
            std::vector<std::string>{text::Literal("中文.txt")});
}

TEST(FilterTest, RefusalsChangeNothing) {
  const std::vector<std::string> names = {"a.txt"};
  struct Case {
    FilterInput input;
    const char* message;
  } cases[] = {
      {ByExtension(core::kNoOperation, "txt"), "请选择操作方式！"},
      {ByExtension(core::kDeleteMatches, ""), "扩展名不能空！"},
      {ByContent(core::kDeleteMatches, ""), "'包含内容'不能空！"},
  };
  for (const auto& c : cases) {
    std::string message;
    EXPECT_EQ(Filter(names, c.input, &message), names);
    EXPECT_EQ(message, text::Literal(c.message));
  }
}

TEST(FilterTest, EmptyingTheListKeepsUndo) {
  core::Workspace workspace;
  workspace.List.AddBatch("/d/", {"a.txt"});
  workspace.Commands = {true, true, true};
  EXPECT_EQ(core::ApplyFilter(workspace, ByExtension(core::kDeleteMatches, "txt"), 1), "");
  EXPECT_EQ(workspace.List.FileCount(), 0);
  EXPECT_TRUE(workspace.Commands.Undo);
  EXPECT_FALSE(workspace.Commands.Preview);
  EXPECT_FALSE(workspace.Commands.Rename);
  EXPECT_EQ(workspace.List.StatusPanes()[0], text::Literal("0个文件"));
}

}  // namespace
