#include "core/rule_frame.h"
#include "core/rules.h"
#include "text/text.h"

namespace core {

std::string ReplaceAll(const std::string& text, const std::string& find,
                       const std::string& replacement, int start, bool caseSensitive) {
  if (text.empty() || find.empty()) return text;
  std::size_t skip = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
  if (skip >= text.size()) return text;
  // Scanning starts on a character boundary, never inside a double-byte character.
  std::size_t p = text::BoundaryAtOrAfter(text, skip);
  std::string result = text.substr(0, p);
  // Each search resumes after the last match, so a replacement is never searched again.
  for (std::size_t match; (match = text::FindText(text, find, p, caseSensitive)) != text::npos;) {
    result.append(text, p, match - p);
    result += replacement;
    p = match + find.size();
  }
  result.append(text, p);
  return result;
}

void ApplyReplaceRule(const ReplaceRuleInput& input, FileList& list, int n) {
  std::vector<std::string> extensionParts = SplitForRule(list, n);
  if (input.Scope != Scope::Extension) {
    for (int i = 0; i < n; ++i) {
      list.NewNames[i] =
          ReplaceAll(list.NewNames[i], input.FindText, input.ReplaceText, 1, input.CaseSensitive);
    }
  }
  if (input.Scope != Scope::Name) {
    for (std::string& part : extensionParts) {
      // Position 2 leaves the extension's own dot out of the search.
      part = ReplaceAll(part, input.FindText, input.ReplaceText, 2, input.CaseSensitive);
      // A dot with nothing after it is no extension; drop it, found or not.
      if (part == ".") part.clear();
    }
  }
  JoinExtensionParts(list, extensionParts);
}

}  // namespace core
