#include "core/rule_frame.h"

#include "text/text.h"

namespace core {

std::vector<std::string> SplitForRule(FileList& list, int n) {
  std::vector<std::string> extensionParts(n);
  for (int i = 0; i < n; ++i) {
    text::NameParts parts = text::SplitName(list.OldNames[i]);
    list.NewNames[i] = std::move(parts.Base);
    extensionParts[i] = std::move(parts.Extension);
  }
  return extensionParts;
}

void JoinExtensionParts(FileList& list, const std::vector<std::string>& extensionParts) {
  for (std::size_t i = 0; i < extensionParts.size(); ++i) list.NewNames[i] += extensionParts[i];
}

}  // namespace core
