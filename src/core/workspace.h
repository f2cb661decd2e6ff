// Everything a rename session holds: the list, the record of the last run, and the
// enabled states of the toolbar commands that depend on them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/file_list.h"

namespace core {

// Toolbar commands "撤消", "预览" and "开始命名".
struct CommandStates {
  bool Undo = false;
  bool Preview = false;
  bool Rename = false;
};

// What the last run did to one entry. It names the entry by its identity, not its
// position, so an undo after the list changed still finds the right file.
struct UndoEntry {
  std::uint64_t EntryId = 0;
  std::string Directory;
  std::string Before;
  std::string After;
  bool Renamed = false;
};

struct Workspace {
  FileList List;
  // The last run's entries in list order (so in ascending EntryId).
  std::vector<UndoEntry> UndoList;
  CommandStates Commands;
};

}  // namespace core
