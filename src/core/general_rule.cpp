#include <algorithm>

#include "core/rule_frame.h"
#include "core/rules.h"
#include "text/number.h"
#include "text/text.h"

namespace core {

std::string ZeroFill(std::int32_t digits, std::int32_t value) {
  long long zeros = static_cast<long long>(digits) - text::DecimalText(value).size();
  return zeros > 0 ? std::string(static_cast<std::size_t>(zeros), '0') : std::string();
}

void BuildCounterParts(std::vector<std::string>& parts, std::size_t n, const std::string& prefix,
                       const std::string& main, const std::string& suffix, std::int32_t digits,
                       std::int32_t start, std::int32_t step) {
  std::int32_t current = start;
  std::string currentText = text::DecimalText(current);
  std::string zeros = ZeroFill(digits, start);
  for (std::size_t i = 0; i < n; ++i) {
    std::string& part = parts[i];
    std::string lead = !part.empty() && part[0] == '.' ? "." : "";
    part = lead + prefix + main + zeros + currentText + suffix;
    // start + (i + 1) * step, wrapping at 32 bits like the original integers.
    auto next = static_cast<std::int32_t>(static_cast<std::uint32_t>(start) +
                                          static_cast<std::uint32_t>(i + 1) *
                                              static_cast<std::uint32_t>(step));
    std::string nextText = text::DecimalText(next);
    // Zeros are worked out again only when the counter's text grows longer.
    if (nextText.size() > currentText.size()) zeros = ZeroFill(digits, next);
    current = next;
    currentText = std::move(nextText);
  }
}

void ApplyGeneralRule(const GeneralRuleInput& input, FileList& list, int n) {
  std::vector<std::string> extensionParts = SplitForRule(list, n);
  std::int32_t start = text::TextToNumber(input.Start);
  std::int32_t step = text::TextToNumber(input.Step);
  if (input.Scope != Scope::Extension) {
    BuildCounterParts(list.NewNames, n, input.NamePrefix, input.NameText, input.NameSuffix,
                      text::TextToNumber(input.NameDigits), start, step);
  }
  if (input.Scope != Scope::Name) {
    if (input.ExtPrefix.empty() && input.ExtText.empty() && input.ExtDigits.empty() &&
        input.ExtSuffix.empty()) {
      std::fill(extensionParts.begin(), extensionParts.end(), std::string());
    } else if (!input.ExtDigits.empty()) {
      BuildCounterParts(extensionParts, n, input.ExtPrefix, input.ExtText, input.ExtSuffix,
                        text::TextToNumber(input.ExtDigits), start, step);
    } else {
      std::string extension = "." + input.ExtPrefix + input.ExtText + input.ExtSuffix;
      std::fill(extensionParts.begin(), extensionParts.end(), extension);
    }
  }
  JoinExtensionParts(list, extensionParts);
}

}  // namespace core
