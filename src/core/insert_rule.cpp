#include <algorithm>
#include <cmath>

#include "core/rule_frame.h"
#include "core/rules.h"
#include "text/number.h"
#include "text/text.h"

namespace core {

namespace {

// The extension position counts from after the dot, so one is added before the
// number is cut to an integer (0.5 becomes 1, not 0 + 1).
std::int32_t ExtensionPosition(const std::string& positionText) {
  double value = std::trunc(text::TextToReal(positionText) + 1);
  if (!std::isfinite(value)) return 0;
  return text::WrapToInt32(static_cast<long long>(std::fmod(value, 4294967296.0)));
}

}  // namespace

std::string InsertAt(const std::string& text, std::int32_t position, const std::string& insertion) {
  long long offset = static_cast<long long>(position) - 1;
  std::size_t at = offset <= 0 ? 0 : std::min(static_cast<std::size_t>(offset), text.size());
  // A position on the second byte of a double-byte character moves past that character.
  at = text::BoundaryAtOrAfter(text, at);
  std::string result = text;
  result.insert(at, insertion);
  return result;
}

void ApplyInsertRule(const InsertRuleInput& input, FileList& list, int n) {
  std::int32_t namePosition = text::TextToNumber(input.NamePosition);
  std::int32_t extPosition = ExtensionPosition(input.ExtPosition);
  std::vector<std::string> extensionParts = SplitForRule(list, n);
  for (int i = 0; i < n; ++i) {
    std::string& base = list.NewNames[i];
    if (input.NameWhere == InsertWhere::AtPosition) {
      base = InsertAt(base, namePosition, input.NameInsertText);
    } else {
      base += input.NameInsertText;
    }
  }
  for (std::string& part : extensionParts) {
    if (part.empty()) {
      // A name without extension gets one when there is something to put in it.
      if (!input.ExtInsertText.empty()) part = "." + input.ExtInsertText;
    } else if (input.ExtWhere == InsertWhere::AtPosition) {
      part = InsertAt(part, extPosition, input.ExtInsertText);
    } else {
      part += input.ExtInsertText;
    }
  }
  JoinExtensionParts(list, extensionParts);
}

}  // namespace core
