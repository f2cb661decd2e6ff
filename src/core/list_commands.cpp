#include "core/list_commands.h"

namespace core {

namespace {

void AfterRemoval(Workspace& workspace, int autoPreview) {
  workspace.List.UpdateStatusBar(autoPreview);
  if (workspace.List.FileCount() == 0) workspace.Commands = {};
}

}  // namespace

void DeleteEntries(Workspace& workspace, const std::vector<bool>& remove, int autoPreview) {
  workspace.List.RemoveEntries(remove);
  AfterRemoval(workspace, autoPreview);
}

void ClearList(Workspace& workspace, int autoPreview) {
  workspace.List.Clear();
  AfterRemoval(workspace, autoPreview);
}

}  // namespace core
