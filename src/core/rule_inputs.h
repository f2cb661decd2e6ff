// What each naming rule reads from its page of the rule panel, as the controls hold it.
#pragma once

#include <string>

namespace core {

enum class Scope { Name, Extension, Both };

struct GeneralRuleInput {
  core::Scope Scope = core::Scope::Name;
  std::string NamePrefix;
  std::string NameText;
  std::string NameDigits = "1";
  std::string NameSuffix;
  std::string ExtPrefix;
  std::string ExtText;
  std::string ExtDigits;
  std::string ExtSuffix;
  std::string Start = "0";
  std::string Step = "1";
};

struct ReplaceRuleInput {
  std::string FindText;
  std::string ReplaceText;
  bool CaseSensitive = false;
  core::Scope Scope = core::Scope::Name;
};

enum class InsertWhere { AtPosition, AtEnd };

struct InsertRuleInput {
  std::string NameInsertText;
  std::string ExtInsertText;
  InsertWhere NameWhere = InsertWhere::AtPosition;
  std::string NamePosition = "1";
  InsertWhere ExtWhere = InsertWhere::AtPosition;
  std::string ExtPosition = "1";
};

enum class LetterCase { AllUpper, AllLower, FirstUpper, FirstLower };

struct CaseRuleInput {
  LetterCase NameCase = LetterCase::AllUpper;
  LetterCase ExtCase = LetterCase::AllUpper;
};

struct Mp3RuleInput {
  std::string Pattern;  // codes #1 to #6 stand for tag fields
  bool PreferV1 = false;
};

// The tabs of the rule panel, in order.
enum RuleTab { kGeneralTab = 0, kReplaceTab, kInsertTab, kCaseTab, kMp3Tab };

// The current tab and the input of its rule (the other inputs may stay default).
struct RuleInputs {
  int Tab = kGeneralTab;
  GeneralRuleInput General;
  ReplaceRuleInput Replace;
  InsertRuleInput Insert;
  CaseRuleInput Case;
  Mp3RuleInput Mp3;
};

}  // namespace core
