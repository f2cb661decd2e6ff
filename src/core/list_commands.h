// Commands that take entries out of the list, with the status bar and command states
// that follow them. Removing never touches a file on disk.
#pragma once

#include <vector>

#include "core/workspace.h"

namespace core {

// Removes every entry whose flag is set, in one pass. An emptied list disables
// undo, preview and rename.
void DeleteEntries(Workspace& workspace, const std::vector<bool>& remove, int autoPreview);

void ClearList(Workspace& workspace, int autoPreview);

}  // namespace core
