#include "core/rename_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"
#include "text/encoding.h"

namespace {

using core::RuleInputs;
using core::Workspace;

// A workspace over real files of a temporary directory.
struct Fixture {
  TempDir dir;
  Workspace workspace;

  explicit Fixture(const std::vector<std::string>& names) {
    for (const auto& name : names) dir.Write(name, "content of " + name);
    workspace.List.AddBatch(dir.Path(), names);
    workspace.Commands = {false, true, true};
  }
  core::FileList& List() { return workspace.List; }
  std::string Status(int row) { return List().Row(row).Cells[core::kStatusColumn]; }
};

// The general rule with a fixed main text and no counter change: every entry gets
// the same base name, so the second one collides.
RuleInputs SameName(const std::string& base) {
  RuleInputs inputs;
  inputs.General.NameText = base;
  inputs.General.Step = "0";
  inputs.General.NameDigits = "0";
  return inputs;
}

TEST(RenameRunTest, AllSucceedGivesTheShortMessage) {
  Fixture f({"a.txt", "b.txt", "c.doc"});
  std::vector<std::string> bars;
  core::RunResult result =
      core::RenameRun(f.workspace, {}, [&](const std::string& bar) { bars.push_back(bar); });
  EXPECT_EQ(result.Done, 3);
  EXPECT_EQ(core::RenameSummary(result), text::Literal("文件更名完毕！"));
  EXPECT_TRUE(f.dir.Exists("0.txt"));
  EXPECT_EQ(f.dir.Read("2.doc"), "content of c.doc");
  EXPECT_FALSE(f.dir.Exists("a.txt"));
  EXPECT_EQ(f.List().OldNames[1], "1.txt");
  EXPECT_EQ(f.List().Row(1).Cells[core::kOldNameColumn], "1.txt");
  EXPECT_EQ(f.Status(0), text::Literal("更名成功"));
  EXPECT_EQ(f.List().Row(0).Image, core::kSuccessImage);
  // The new-name column is not rewritten by a successful run.
  EXPECT_EQ(f.List().Row(0).Cells[core::kNewNameColumn], "");
  // 6, 13 and 20 black squares (two bytes each).
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(bars[0].size(), 12u);
  EXPECT_EQ(bars[1].size(), 26u);
  EXPECT_EQ(bars[2].size(), 40u);
  EXPECT_EQ(bars[2].substr(0, 2), "\xA1\xF6");
  EXPECT_TRUE(f.workspace.Commands.Undo);
  EXPECT_TRUE(f.workspace.Commands.Preview);
}

TEST(RenameRunTest, CollisionFailsSecondAndShowsTriedName) {
  Fixture f({"a.txt", "b.txt"});
  core::RunResult result = core::RenameRun(f.workspace, SameName("same"), nullptr);
  EXPECT_EQ(result.Done, 1);
  EXPECT_EQ(f.Status(1), text::Literal("更名失败"));
  EXPECT_EQ(f.List().Row(1).Image, core::kFailureImage);
  EXPECT_EQ(f.List().Row(1).Cells[core::kNewNameColumn], "same0.txt");
  EXPECT_EQ(f.List().OldNames[1], "b.txt");
  EXPECT_EQ(f.dir.Read("same0.txt"), "content of a.txt") << "the existing file is not replaced";
  EXPECT_EQ(f.dir.Read("b.txt"), "content of b.txt");
  EXPECT_EQ(core::RenameSummary(result),
            text::Literal("文件总数：2 个文件\r\n\r\n1 个文件更名成功！\r\n1 个文件更名失败！"));
}

// Sets the new names directly and runs the moves, for orders no single rule makes.
core::RunResult MoveTo(Fixture& f, const std::vector<std::string>& newNames) {
  f.List().NewNames = newNames;
  return core::RenameToNewNames(f.workspace, nullptr);
}

TEST(RenameRunTest, ChainInListOrderFailsFirstLink) {
  Fixture f({"a.txt", "b.txt"});
  core::RunResult result = MoveTo(f, {"b.txt", "c.txt"});
  EXPECT_EQ(result.Done, 1);
  EXPECT_EQ(f.Status(0), text::Literal("更名失败"));
  EXPECT_EQ(f.Status(1), text::Literal("更名成功"));
  EXPECT_EQ(f.dir.Read("a.txt"), "content of a.txt");
  EXPECT_EQ(f.dir.Read("c.txt"), "content of b.txt");
}

TEST(RenameRunTest, NamesThatAreNoSingleFileNameFailWithoutAMove) {
  Fixture f({"a", "b", "c", "d", "e", "f"});
  // With a directory AC present, a move to AC/DC would go through without the check.
  ASSERT_EQ(mkdir((f.dir.Path() + "AC").c_str(), 0755), 0);
  core::RunResult result = MoveTo(f, {"", ".", "..", "AC/DC", std::string("n\0ul", 4), "f"});
  EXPECT_EQ(result.Done, 1) << "only the unchanged name succeeds";
  for (const char* name : {"a", "b", "c", "d", "e", "f"}) EXPECT_TRUE(f.dir.Exists(name)) << name;
  EXPECT_EQ(f.Status(5), text::Literal("更名成功"));
  EXPECT_EQ(f.Status(0), text::Literal("更名失败"));
}

TEST(RenameRunTest, RunComputesAllNamesWhateverThePreview) {
  std::vector<std::string> names;
  for (int i = 0; i < 10; ++i) names.push_back("n" + std::to_string(i) + ".txt");
  Fixture f(names);
  core::RunResult result = core::RenameRun(f.workspace, {}, nullptr);
  EXPECT_EQ(result.Done, 10);
  EXPECT_TRUE(f.dir.Exists("9.txt"));
  EXPECT_EQ(f.List().Row(9).Cells[core::kOldNameColumn], "9.txt");
}

TEST(UndoTest, UndoAfterPartlyFailedRunKeepsTheFailureCount) {
  Fixture f({"a.txt", "b.txt", "c.txt"});
  core::RunResult run = MoveTo(f, {"x.txt", "c.txt", "y.txt"});
  EXPECT_EQ(run.Done, 2);
  core::RunResult undo = core::UndoLastRun(f.workspace, nullptr);
  EXPECT_EQ(undo.Total, 3);
  EXPECT_EQ(undo.Done, 2);
  EXPECT_EQ(f.dir.Read("a.txt"), "content of a.txt");
  EXPECT_EQ(f.dir.Read("c.txt"), "content of c.txt");
  EXPECT_EQ(f.List().OldNames, (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(f.Status(0), text::Literal("撤消成功"));
  EXPECT_EQ(f.Status(1), text::Literal("撤消失败"));
  EXPECT_EQ(f.List().Row(1).Image, core::kFailureImage);
  EXPECT_EQ(core::UndoSummary(undo),
            text::Literal("文件总数：3 个文件\r\n\r\n2 个文件撤消成功！\r\n1 个文件撤消失败！"));
  EXPECT_FALSE(f.workspace.Commands.Undo);
  EXPECT_EQ(f.List().StatusPanes()[1], "");
}

TEST(UndoTest, FullUndoGivesTheShortMessage) {
  Fixture f({"a.txt"});
  core::RenameRun(f.workspace, {}, nullptr);
  core::RunResult undo = core::UndoLastRun(f.workspace, nullptr);
  EXPECT_EQ(core::UndoSummary(undo), text::Literal("上一次的操作已经成功撤消！"));
  EXPECT_TRUE(f.dir.Exists("a.txt"));
}

TEST(UndoTest, ChangedListTouchesOnlyFilesTheRunRenamed) {
  Fixture f({"a.txt", "b.txt", "c.txt"});
  MoveTo(f, {"A.txt", "B.txt", "C.txt"});
  // Remove the middle entry and add a file the run never saw.
  f.List().RemoveEntry(1);
  f.dir.Write("new.txt", "new");
  f.List().AddBatch(f.dir.Path(), {"new.txt"});
  core::RunResult undo = core::UndoLastRun(f.workspace, nullptr);
  EXPECT_EQ(undo.Total, 3);
  EXPECT_EQ(undo.Done, 3);
  // The removed entry's file is back too; the added one is untouched and unmarked.
  EXPECT_EQ(f.dir.Read("b.txt"), "content of b.txt");
  EXPECT_TRUE(f.dir.Exists("new.txt"));
  EXPECT_EQ(f.List().OldNames, (std::vector<std::string>{"a.txt", "c.txt", "new.txt"}));
  EXPECT_EQ(f.Status(1), text::Literal("撤消成功"));
  EXPECT_EQ(f.Status(2), "");
}

TEST(UndoTest, FileMovedAwaySinceTheRunIsNotTouched) {
  Fixture f({"a.txt"});
  MoveTo(f, {"b.txt"});
  // Another program put a new a.txt in place; undo must not replace it.
  f.dir.Write("a.txt", "someone else's");
  core::RunResult undo = core::UndoLastRun(f.workspace, nullptr);
  EXPECT_EQ(undo.Done, 0);
  EXPECT_EQ(f.dir.Read("a.txt"), "someone else's");
  EXPECT_EQ(f.dir.Read("b.txt"), "content of a.txt");
}

}  // namespace
