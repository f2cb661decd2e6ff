#include "core/list_commands.h"

#include <gtest/gtest.h>

namespace {

core::Workspace WorkspaceOf(int count) {
  core::Workspace workspace;
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(std::to_string(i));
  workspace.List.AddBatch("/d/", names);
  workspace.List.NewNames = names;
  workspace.Commands = {true, true, true};
  return workspace;
}

TEST(ListCommandsTest, DeletingSelectedRowsKeepsTheOthersInOrder) {
  core::Workspace workspace = WorkspaceOf(8);
  std::vector<bool> selected(8);
  selected[2] = selected[5] = selected[6] = true;
  core::DeleteEntries(workspace, selected, 0);
  std::vector<std::string> expected = {"0", "1", "3", "4", "7"};
  EXPECT_EQ(workspace.List.OldNames, expected);
  EXPECT_EQ(workspace.List.NewNames, expected);
  EXPECT_EQ(workspace.List.Row(2).Cells[core::kOldNameColumn], "3");
  EXPECT_TRUE(workspace.Commands.Undo) << "a list that is not empty keeps its commands";
  EXPECT_EQ(workspace.List.StatusPanes()[0].substr(0, 1), "5");
}

TEST(ListCommandsTest, EmptyingTheListDisablesAllThreeCommands) {
  core::Workspace workspace = WorkspaceOf(2);
  core::DeleteEntries(workspace, {true, true}, 0);
  EXPECT_FALSE(workspace.Commands.Undo || workspace.Commands.Preview || workspace.Commands.Rename);
  core::Workspace cleared = WorkspaceOf(80);
  core::ClearList(cleared, 0);
  EXPECT_EQ(cleared.List.FileCount(), 0);
  EXPECT_FALSE(cleared.Commands.Undo || cleared.Commands.Preview || cleared.Commands.Rename);
  cleared.List.AddBatch("/d/", {"new"});
  EXPECT_EQ(cleared.List.OldNames[0], "new");
}

}  // namespace
