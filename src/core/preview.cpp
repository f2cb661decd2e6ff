#include "core/preview.h"

#include <algorithm>

#include "core/mp3_rule.h"
#include "core/rules.h"

namespace core {

void ApplyActiveRule(FileList& list, const RuleInputs& inputs, int count) {
  count = std::clamp(count, 0, list.FileCount());
  switch (inputs.Tab) {
    case kGeneralTab:
      ApplyGeneralRule(inputs.General, list, count);
      break;
    case kReplaceTab:
      ApplyReplaceRule(inputs.Replace, list, count);
      break;
    case kInsertTab:
      ApplyInsertRule(inputs.Insert, list, count);
      break;
    case kCaseTab:
      ApplyCaseRule(inputs.Case, list, count);
      break;
    case kMp3Tab:
      ApplyMp3Rule(inputs.Mp3, list);
      break;
    default:
      break;
  }
}

void RefreshPreview(FileList& list, const PreviewOptions& options, const RuleInputs& inputs,
                    int all) {
  if (options.AutoPreview != 1) return;
  int count = list.FileCount();
  if (all != 1 && options.PreviewAll != 1 && inputs.Tab != kMp3Tab) {
    // A negative count from a hand-edited config previews nothing rather than failing.
    count = std::clamp(options.PreviewCount, 0, count);
  }
  if (list.FileCount() == 0) return;
  ApplyActiveRule(list, inputs, count);
  list.SyncListRows(2, 0, count - 1, {});
}

}  // namespace core
