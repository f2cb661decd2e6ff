#include "core/filter.h"

#include <vector>

#include "text/encoding.h"
#include "text/text.h"

namespace core {

std::string FilterTitle() {
  return text::Literal("过滤设置");
}

std::string ApplyFilter(Workspace& workspace, const FilterInput& input, int autoPreview) {
  if (input.Operation == kNoOperation) return text::Literal("请选择操作方式！");
  if (input.ByExtension && input.Extension.empty()) return text::Literal("扩展名不能空！");
  if (!input.ByExtension && input.ByContent && input.Content.empty()) {
    return text::Literal("'包含内容'不能空！");
  }
  FileList& list = workspace.List;
  if (input.ByExtension || input.ByContent) {
    std::vector<bool> remove(list.FileCount());
    for (int i = 0; i < list.FileCount(); ++i) {
      const std::string& name = list.OldNames[i];
      bool matches = input.ByExtension
                         ? text::ExtensionMatches(name, input.Extension)
                         : text::FindText(name, input.Content, 0, false) != text::npos;
      remove[i] = matches ? input.Operation != kKeepMatches : input.Operation != kDeleteMatches;
    }
    list.RemoveEntries(remove);
  }
  list.UpdateStatusBar(autoPreview);
  if (list.FileCount() == 0) {
    // The undo keeps its state: the record of the last run still stands.
    workspace.Commands.Preview = false;
    workspace.Commands.Rename = false;
  }
  return {};
}

}  // namespace core
