#include "core/file_list.h"

#include <algorithm>

#include "text/encoding.h"
#include "text/text.h"

namespace core {

std::string FileList::FullPath(int i) const {
  return rows_[i].Cells[kPathColumn] + OldNames[i];
}

void FileList::MarkDirty(int row) {
  if (changes_.FirstDirty < 0 || row < changes_.FirstDirty) changes_.FirstDirty = row;
  changes_.LastDirty = std::max(changes_.LastDirty, row);
}

void FileList::SetCell(int row, int column, const std::string& value) {
  if (row < 0 || row >= RowCount()) return;
  rows_[row].Cells[column] = value;
  MarkDirty(row);
}

void FileList::SetStatus(int row, const std::string& value, int image) {
  if (row < 0 || row >= RowCount()) return;
  rows_[row].Cells[kStatusColumn] = value;
  rows_[row].Image = image;
  MarkDirty(row);
}

void FileList::SetPane(int pane, const std::string& value) {
  panes_[pane] = value;
}

void FileList::SyncListRows(int flags, int first, int last, const std::string& path) {
  // A status column left over from the last run goes as a whole; row 0 alone tells
  // whether there is one.
  if (!rows_.empty() && !rows_[0].Cells[kStatusColumn].empty()) {
    int count = std::min(FileCount(), RowCount());
    for (int r = 0; r < count; ++r) SetStatus(r, {}, kNoImage);
  }
  int n = last - first + 1;
  if (n > 0) {
    if (flags & 1) {
      rows_.reserve(rows_.size() + n);
      for (int k = 0; k < n; ++k) {
        rows_.emplace_back();
        SetCell(first + k, kOldNameColumn, OldNames[first + k]);
      }
    }
    if (flags & 2) {
      for (int k = 0; k < n; ++k) SetCell(first + k, kNewNameColumn, NewNames[first + k]);
    }
    if (flags & 4) {
      for (int k = 0; k < n; ++k) SetCell(first + k, kPathColumn, path);
    }
  }
  // New names shown by an earlier, longer preview are stale now.
  for (int r = std::max(last + 1, 0); r < RowCount() && !rows_[r].Cells[kNewNameColumn].empty();
       ++r) {
    SetCell(r, kNewNameColumn, {});
  }
}

void FileList::UpdateStatusBar(int autoPreview) {
  static const std::string files = text::Literal("个文件");
  static const std::string on = text::Literal("自动预览－开");
  static const std::string off = text::Literal("自动预览－关");
  panes_[0] = text::DecimalText(FileCount()) + files;
  panes_[2] = autoPreview == 1 ? on : off;
}

void FileList::AddBatch(const std::string& directory, const std::vector<std::string>& names) {
  int oldCount = FileCount();
  OldNames.insert(OldNames.end(), names.begin(), names.end());
  NewNames.resize(OldNames.size());
  for (std::size_t k = 0; k < names.size(); ++k) ids_.push_back(nextId_++);
  SyncListRows(1 | 4, oldCount, FileCount() - 1, directory);
}

void FileList::RemoveEntry(int k) {
  if (k < 0 || k >= FileCount()) return;
  OldNames.erase(OldNames.begin() + k);
  NewNames.erase(NewNames.begin() + k);
  ids_.erase(ids_.begin() + k);
  if (k < RowCount()) rows_.erase(rows_.begin() + k);
  changes_.Reshaped = true;
}

void FileList::RemoveEntries(const std::vector<bool>& remove) {
  // Compact all three arrays in one pass: removing k of n entries costs O(n).
  std::size_t kept = 0;
  std::size_t count = OldNames.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (i < remove.size() && remove[i]) continue;
    if (kept != i) {
      OldNames[kept] = std::move(OldNames[i]);
      NewNames[kept] = std::move(NewNames[i]);
      ids_[kept] = ids_[i];
      if (i < rows_.size()) rows_[kept] = std::move(rows_[i]);
    }
    ++kept;
  }
  if (kept == count) return;
  OldNames.resize(kept);
  NewNames.resize(kept);
  ids_.resize(kept);
  rows_.resize(std::min(rows_.size(), kept));
  changes_.Reshaped = true;
}

void FileList::Clear() {
  OldNames.clear();
  NewNames.clear();
  ids_.clear();
  rows_.clear();
  changes_.Reshaped = true;
}

RowChanges FileList::TakeChanges() {
  RowChanges taken = changes_;
  changes_ = {};
  return taken;
}

}  // namespace core
