#include "core/preview.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace {

using core::FileList;
using core::PreviewOptions;
using core::RuleInputs;

FileList ListOf(int count) {
  FileList list;
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back("f" + std::to_string(i) + ".txt");
  list.AddBatch("/d/", names);
  return list;
}

int FilledNewNameRows(const FileList& list) {
  int filled = 0;
  for (int r = 0; r < list.RowCount(); ++r) {
    if (!list.Row(r).Cells[core::kNewNameColumn].empty()) ++filled;
  }
  return filled;
}

PreviewOptions On(int count = 10, int all = 0) {
  return {1, all, count};
}

TEST(PreviewTest, OffChangesNothingEvenForAll) {
  FileList list = ListOf(5);
  core::RefreshPreview(list, {0, 0, 10}, {}, 1);
  EXPECT_EQ(FilledNewNameRows(list), 0);
  EXPECT_EQ(list.NewNames[0], "");
}

TEST(PreviewTest, CountThenAllThenCountAgain) {
  FileList list = ListOf(25);
  core::RefreshPreview(list, On(), {}, 0);
  EXPECT_EQ(FilledNewNameRows(list), 10);
  EXPECT_EQ(list.Row(9).Cells[core::kNewNameColumn], "9.txt");
  core::RefreshPreview(list, On(), {}, 1);
  EXPECT_EQ(FilledNewNameRows(list), 25);
  core::RefreshPreview(list, On(), {}, 0);
  EXPECT_EQ(FilledNewNameRows(list), 10);
  EXPECT_EQ(list.Row(10).Cells[core::kNewNameColumn], "");
}

TEST(PreviewTest, CountBeyondListAndPreviewAllSetting) {
  FileList list = ListOf(4);
  core::RefreshPreview(list, On(10), {}, 0);
  EXPECT_EQ(FilledNewNameRows(list), 4);
  FileList longList = ListOf(30);
  core::RefreshPreview(longList, On(3, 1), {}, 0);
  EXPECT_EQ(FilledNewNameRows(longList), 30);
}

TEST(PreviewTest, ZeroAndNegativeCountsPreviewNothing) {
  for (int count : {0, -3}) {
    FileList list = ListOf(5);
    core::RefreshPreview(list, On(), {}, 1);
    core::RefreshPreview(list, On(count), {}, 0);
    EXPECT_EQ(FilledNewNameRows(list), 0) << count;
  }
}

TEST(PreviewTest, Mp3TabPreviewsEveryEntry) {
  FileList list = ListOf(12);
  RuleInputs inputs;
  inputs.Tab = core::kMp3Tab;
  inputs.Mp3.Pattern = "x";
  core::RefreshPreview(list, On(3), inputs, 0);
  // None of them is an MP3 file: every row gets its tag status.
  for (int r = 0; r < 12; ++r) {
    EXPECT_EQ(list.Row(r).Cells[core::kTagStatusColumn], text::Literal("非MP3文件")) << r;
  }
}

TEST(PreviewTest, EmptyListLeavesRowsAlone) {
  FileList list;
  core::RefreshPreview(list, On(), {}, 1);
  EXPECT_EQ(list.RowCount(), 0);
}

TEST(PreviewTest, TabsPickTheirRule) {
  FileList list = ListOf(1);
  RuleInputs inputs;
  inputs.Tab = core::kCaseTab;
  core::RefreshPreview(list, On(), inputs, 0);
  EXPECT_EQ(list.NewNames[0], "F0.TXT");
  inputs.Tab = core::kReplaceTab;
  inputs.Replace.FindText = "f";
  core::RefreshPreview(list, On(), inputs, 0);
  EXPECT_EQ(list.NewNames[0], "0.txt");
}

TEST(PreviewTest, HundredThousandEntriesQuickly) {
  FileList list = ListOf(100000);
  core::RefreshPreview(list, On(), {}, 1);
  EXPECT_EQ(list.Row(99999).Cells[core::kNewNameColumn], "99999.txt");
  std::vector<bool> half(100000);
  for (int i = 0; i < 100000; i += 2) half[i] = true;
  list.RemoveEntries(half);
  EXPECT_EQ(list.FileCount(), 50000);
  EXPECT_EQ(list.OldNames[0], "f1.txt");
}

}  // namespace
