#include "core/rename_run.h"

#include <cstdint>

#include "core/preview.h"
#include "platform/files.h"
#include "text/encoding.h"
#include "text/text.h"

namespace core {

namespace {

// The progress bar of status pane 1: up to 20 black squares.
class ProgressBar {
 public:
  ProgressBar(FileList& list, const ProgressFn& progress, int total)
      : list_(list), progress_(progress), total_(total) {}

  void Step(int processed) {
    int m = static_cast<int>(static_cast<std::int64_t>(processed) * 20 / total_);
    if (m <= shown_) return;
    static const std::string square = text::Literal("■");
    for (; shown_ < m; ++shown_) bar_ += square;
    list_.SetPane(1, bar_);
    if (progress_) progress_(bar_);
  }

 private:
  FileList& list_;
  const ProgressFn& progress_;
  int total_;
  int shown_ = 0;
  std::string bar_;
};

// Moves dir/from to dir/to. A name equal to the old one needs no move.
bool MoveWithinDirectory(const std::string& dir, const std::string& from, const std::string& to) {
  if (!IsPlainFileName(to)) return false;
  if (from == to) return true;
  return platform::MoveFileNoReplace(dir + from, dir + to);
}

std::string CountSummary(const RunResult& result, const char* succeeded, const char* failed) {
  return text::Literal("文件总数：") + text::DecimalText(result.Total) +
         text::Literal(" 个文件\r\n\r\n") + text::DecimalText(result.Done) +
         text::Literal(succeeded) + text::DecimalText(result.Total - result.Done) +
         text::Literal(failed);
}

}  // namespace

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

RunResult RenameRun(Workspace& workspace, const RuleInputs& inputs, const ProgressFn& progress) {
  workspace.Commands.Preview = false;
  ApplyActiveRule(workspace.List, inputs, workspace.List.FileCount());
  return RenameToNewNames(workspace, progress);
}

RunResult RenameToNewNames(Workspace& workspace, const ProgressFn& progress) {
  FileList& list = workspace.List;
  int count = list.FileCount();
  static const std::string succeeded = text::Literal("更名成功");
  static const std::string failed = text::Literal("更名失败");
  std::vector<UndoEntry> record;
  record.reserve(count);
  RunResult result{count, 0};
  ProgressBar bar(list, progress, count);
  for (int i = 0; i < count; ++i) {
    const std::string& dir = list.Row(i).Cells[kPathColumn];
    UndoEntry entry{list.EntryId(i), dir, list.OldNames[i], list.NewNames[i], false};
    if (MoveWithinDirectory(dir, list.OldNames[i], list.NewNames[i])) {
      entry.Renamed = true;
      ++result.Done;
      list.OldNames[i] = list.NewNames[i];
      list.SetCell(i, kOldNameColumn, list.NewNames[i]);
      list.SetStatus(i, succeeded, kSuccessImage);
    } else {
      // The failed row shows the name that was tried.
      list.SetCell(i, kNewNameColumn, list.NewNames[i]);
      list.SetStatus(i, failed, kFailureImage);
    }
    record.push_back(std::move(entry));
    bar.Step(i + 1);
  }
  workspace.UndoList = std::move(record);
  workspace.Commands.Preview = true;
  workspace.Commands.Undo = true;
  return result;
}

RunResult UndoLastRun(Workspace& workspace, const ProgressFn& progress) {
  FileList& list = workspace.List;
  static const std::string succeeded = text::Literal("撤消成功");
  static const std::string failed = text::Literal("撤消失败");
  const std::vector<UndoEntry>& record = workspace.UndoList;
  RunResult result{static_cast<int>(record.size()), 0};
  ProgressBar bar(list, progress, result.Total);
  // Both the list and the record run in ascending entry identity, so one walk pairs them.
  int row = 0;
  for (std::size_t k = 0; k < record.size(); ++k) {
    const UndoEntry& entry = record[k];
    while (row < list.FileCount() && list.EntryId(row) < entry.EntryId) ++row;
    bool listed = row < list.FileCount() && list.EntryId(row) == entry.EntryId;
    bool moved = entry.Renamed && MoveWithinDirectory(entry.Directory, entry.After, entry.Before);
    if (moved) ++result.Done;
    if (listed) {
      if (moved) {
        list.OldNames[row] = entry.Before;
        list.SetCell(row, kOldNameColumn, entry.Before);
      }
      list.SetStatus(row, moved ? succeeded : failed, moved ? kSuccessImage : kFailureImage);
    }
    bar.Step(static_cast<int>(k) + 1);
  }
  list.SetPane(1, {});
  workspace.Commands.Undo = false;
  return result;
}

std::string RenameSummary(const RunResult& result) {
  if (result.Done == result.Total) return text::Literal("文件更名完毕！");
  return CountSummary(result, " 个文件更名成功！\r\n", " 个文件更名失败！");
}

std::string UndoSummary(const RunResult& result) {
  if (result.Done == result.Total) return text::Literal("上一次的操作已经成功撤消！");
  return CountSummary(result, " 个文件撤消成功！\r\n", " 个文件撤消失败！");
}

std::string UndoQuestion() {
  return text::Literal("是否真的撤消上一次操作？");
}
std::string UndoQuestionTitle() {
  return text::Literal("询问：");
}

}  // namespace core
