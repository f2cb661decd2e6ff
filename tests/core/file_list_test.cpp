#include "core/file_list.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace {

using core::FileList;

FileList ListOf(const std::vector<std::string>& names, const std::string& dir = "/d/") {
  FileList list;
  list.AddBatch(dir, names);
  return list;
}

std::vector<std::string> Column(const FileList& list, int column) {
  std::vector<std::string> cells;
  for (int r = 0; r < list.RowCount(); ++r) cells.push_back(list.Row(r).Cells[column]);
  return cells;
}

TEST(FileListTest, BatchRowsShowNamesAndOnePath) {
  FileList list = ListOf({"a.txt", "b.txt"});
  list.AddBatch("/e/", {"c.txt"});
  EXPECT_EQ(list.FileCount(), 3);
  EXPECT_EQ(Column(list, core::kOldNameColumn),
            (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(Column(list, core::kPathColumn), (std::vector<std::string>{"/d/", "/d/", "/e/"}));
  EXPECT_EQ(list.FullPath(2), "/e/c.txt");
  EXPECT_EQ(list.NewNames.size(), 3u);
}

TEST(FileListTest, StatusResetLooksAtRowZeroOnly) {
  FileList list = ListOf({"a", "b", "c"});
  list.SetStatus(1, "x", core::kFailureImage);
  list.SyncListRows(2, 0, 2, {});
  EXPECT_EQ(list.Row(1).Cells[core::kStatusColumn], "x") << "row 0 shows no status";
  EXPECT_EQ(list.Row(1).Image, core::kFailureImage);

  list.SetStatus(0, "y", core::kSuccessImage);
  list.SyncListRows(2, 0, -1, {});  // an empty range still resets
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(list.Row(r).Cells[core::kStatusColumn], "");
    EXPECT_EQ(list.Row(r).Image, core::kNoImage);
  }
}

TEST(FileListTest, TrailingCleanupStopsAtFirstEmptyNewName) {
  FileList list = ListOf(std::vector<std::string>(10, "n"));
  for (int i = 0; i < 10; ++i) list.NewNames[i] = "new" + std::to_string(i);
  list.SyncListRows(2, 0, 9, {});
  list.SetCell(6, core::kNewNameColumn, "");
  list.SyncListRows(2, 0, 2, {});
  auto cells = Column(list, core::kNewNameColumn);
  EXPECT_EQ(cells[2], "new2");
  EXPECT_EQ(cells[3], "");
  EXPECT_EQ(cells[5], "");
  EXPECT_EQ(cells[7], "new7") << "rows after the first empty one keep their text";
  EXPECT_EQ(cells[9], "new9");
}

TEST(FileListTest, StatusBarPanes) {
  FileList list;
  list.UpdateStatusBar(0);
  EXPECT_EQ(list.StatusPanes()[0], text::Literal("0个文件"));
  EXPECT_EQ(list.StatusPanes()[2], text::Literal("自动预览－关"));
  list.AddBatch("/d/", {"a"});
  list.UpdateStatusBar(1);
  EXPECT_EQ(list.StatusPanes()[0], text::Literal("1个文件"));
  EXPECT_EQ(list.StatusPanes()[2], text::Literal("自动预览－开"));
}

TEST(FileListTest, RemovingMovesLaterEntriesAndRowsUpTogether) {
  FileList list = ListOf({"a", "b", "c"});
  list.NewNames = {"A", "B", "C"};
  list.SyncListRows(2, 0, 2, {});
  std::uint64_t idC = list.EntryId(2);
  list.RemoveEntry(1);
  EXPECT_EQ(list.FileCount(), 2);
  EXPECT_EQ(list.OldNames, (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(list.NewNames, (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(Column(list, core::kNewNameColumn), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(list.EntryId(1), idC);
  EXPECT_TRUE(list.TakeChanges().Reshaped);
}

TEST(FileListTest, RemoveEntriesKeepsOrderOfTheRest) {
  FileList list = ListOf({"0", "1", "2", "3", "4", "5"});
  list.RemoveEntries({true, false, true, true, false, true});
  EXPECT_EQ(list.OldNames, (std::vector<std::string>{"1", "4"}));
  EXPECT_EQ(Column(list, core::kOldNameColumn), (std::vector<std::string>{"1", "4"}));
  EXPECT_LT(list.EntryId(0), list.EntryId(1));
  list.Clear();
  EXPECT_EQ(list.FileCount(), 0);
  EXPECT_EQ(list.RowCount(), 0);
}

TEST(FileListTest, ChangesNameTheDirtyRows) {
  FileList list = ListOf({"a", "b", "c", "d"});
  list.TakeChanges();
  list.SetCell(2, core::kNewNameColumn, "x");
  list.SetCell(1, core::kNewNameColumn, "y");
  list.SetCell(9, core::kNewNameColumn, "ignored");
  core::RowChanges changes = list.TakeChanges();
  EXPECT_FALSE(changes.Reshaped);
  EXPECT_EQ(changes.FirstDirty, 1);
  EXPECT_EQ(changes.LastDirty, 2);
  EXPECT_EQ(list.TakeChanges().FirstDirty, -1);
}

}  // namespace
