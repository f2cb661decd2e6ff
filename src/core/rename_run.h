// The two commands that change names on disk: the rename run and the undo of it.
#pragma once

#include <functional>
#include <string>

#include "core/rule_inputs.h"
#include "core/workspace.h"

namespace core {

// Called whenever the progress bar (status pane 1) grows; a window repaints here.
using ProgressFn = std::function<void(const std::string& bar)>;

struct RunResult {
  int Total = 0;  // entries the command covered
  int Done = 0;   // entries it renamed (or moved back)
};

// Computes the new names of all entries with the rule of inputs.Tab and moves each
// file in its own directory, never over an existing file. Marks every row.
RunResult RenameRun(Workspace& workspace, const RuleInputs& inputs, const ProgressFn& progress);
// The moves of a run, with the new names already computed.
RunResult RenameToNewNames(Workspace& workspace, const ProgressFn& progress);

// Moves every file that the last run renamed back to its old name, if it still has
// the new one. The caller has asked the user first (UndoQuestion).
RunResult UndoLastRun(Workspace& workspace, const ProgressFn& progress);

// The texts the window shows around the two commands.
std::string RenameSummary(const RunResult& result);
std::string UndoSummary(const RunResult& result);
std::string UndoQuestion();
std::string UndoQuestionTitle();

// Whether name can be one file name inside a directory: not empty, ".", "..", and
// without "/" or NUL.
bool IsPlainFileName(const std::string& name);

}  // namespace core
