#include "core/rule_frame.h"
#include "core/rules.h"
#include "text/text.h"

namespace core {

namespace {

std::string ApplyCase(const std::string& part, LetterCase letterCase) {
  switch (letterCase) {
    case LetterCase::AllUpper:
      return ToUpperText(part);
    case LetterCase::AllLower:
      return ToLowerText(part);
    case LetterCase::FirstUpper:
      return ChangeFirstLetter(part, true);
    case LetterCase::FirstLower:
      return ChangeFirstLetter(part, false);
  }
  return part;
}

}  // namespace

std::string ToUpperText(const std::string& text) {
  return text::ToUpperAscii(text);
}

std::string ToLowerText(const std::string& text) {
  return text::ToLowerAscii(text);
}

std::string ChangeFirstLetter(const std::string& text, bool upper) {
  std::string result = text;
  // Step by characters: a trail byte that looks like a letter is part of a
  // double-byte character and has no case.
  for (std::size_t i = 0; i < result.size(); i += text::CharLength(result, i)) {
    if (text::CharLength(result, i) == 1 && text::IsAsciiLetter(result[i])) {
      result[i] = upper ? text::AsciiUpper(result[i]) : text::AsciiLower(result[i]);
      break;
    }
  }
  return result;
}

void ApplyCaseRule(const CaseRuleInput& input, FileList& list, int n) {
  std::vector<std::string> extensionParts = SplitForRule(list, n);
  for (int i = 0; i < n; ++i) list.NewNames[i] = ApplyCase(list.NewNames[i], input.NameCase);
  // The extension's leading dot is no letter, so the same functions pass over it.
  for (std::string& part : extensionParts) part = ApplyCase(part, input.ExtCase);
  JoinExtensionParts(list, extensionParts);
}

}  // namespace core
