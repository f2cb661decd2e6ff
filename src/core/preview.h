// The preview driver: runs the rule of the current tab and shows the new names.
#pragma once

#include "core/file_list.h"
#include "core/rule_inputs.h"

namespace core {

// The three settings the preview reads.
struct PreviewOptions {
  int AutoPreview = 0;
  int PreviewAll = 0;
  int PreviewCount = 10;
};

// Runs the rule of inputs.Tab for entries 0..count-1 (the MP3 tab always for all).
void ApplyActiveRule(FileList& list, const RuleInputs& inputs, int count);

// all = 1 previews every entry; all = 0 as the options say. Does nothing while
// automatic preview is off.
void RefreshPreview(FileList& list, const PreviewOptions& options, const RuleInputs& inputs,
                    int all);

}  // namespace core
