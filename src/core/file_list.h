// The list of files to rename: each entry's old and new name, and the rows that the
// window shows (five cell texts and a status image), plus the status bar texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

enum Column { kOldNameColumn = 0, kNewNameColumn, kPathColumn, kStatusColumn, kTagStatusColumn };
inline constexpr int kColumnCount = 5;

// Images of the status column.
inline constexpr int kNoImage = -1;
inline constexpr int kSuccessImage = 0;
inline constexpr int kFailureImage = 1;

struct ListRow {
  std::array<std::string, kColumnCount> Cells;
  int Image = kNoImage;
};

// What changed in the rows since the view last looked, so that it can tell its
// widgets once per command.
struct RowChanges {
  bool Reshaped = false;  // rows were removed or replaced: everything is new
  int FirstDirty = -1;    // first and last row whose cells changed (-1: none)
  int LastDirty = -1;
};

class FileList {
 public:
  // Entry i (from 0) is row i. OldNames holds bare names; the directory of an
  // entry lives only in its row's path cell, ending with '/'.
  std::vector<std::string> OldNames;
  std::vector<std::string> NewNames;

  int FileCount() const { return static_cast<int>(OldNames.size()); }
  // An identity that stays with entry i while others are removed; it grows along the
  // list, since entries are only appended or removed, never reordered.
  std::uint64_t EntryId(int i) const { return ids_[i]; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const ListRow& Row(int r) const { return rows_[r]; }
  const std::array<std::string, 3>& StatusPanes() const { return panes_; }

  // The full path of entry i: its directory followed by its old name.
  std::string FullPath(int i) const;

  // Cell writes; a row that does not exist is left alone.
  void SetCell(int row, int column, const std::string& value);
  void SetStatus(int row, const std::string& value, int image);
  void SetPane(int pane, const std::string& value);

  // Copies model texts into rows first..last. flags: 1 appends a row per entry with
  // its old name, 2 writes the new names, 4 writes `path` into the path cells. Status
  // cells are emptied when row 0 shows one, and stale new names after `last` are
  // cleared down to the first row whose new name is already empty.
  void SyncListRows(int flags, int first, int last, const std::string& path);

  // Pane 0: the entry count, pane 2: whether automatic preview is on.
  void UpdateStatusBar(int autoPreview);

  // Appends one batch of names from one directory (ending with '/') and their rows.
  // The caller finishes the batch (preview, commands, status bar).
  void AddBatch(const std::string& directory, const std::vector<std::string>& names);

  // Removes entry k and its row; later entries move up.
  void RemoveEntry(int k);
  // Removes every entry whose flag is set, in one pass over the list.
  void RemoveEntries(const std::vector<bool>& remove);
  void Clear();

  // The rows' changes since the last call, and a fresh start for the next command.
  RowChanges TakeChanges();

 private:
  void MarkDirty(int row);

  std::vector<std::uint64_t> ids_;
  std::uint64_t nextId_ = 1;
  std::vector<ListRow> rows_;
  std::array<std::string, 3> panes_;
  RowChanges changes_;
};

}  // namespace core
