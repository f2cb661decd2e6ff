// The naming rules. Each computes new names 0..n-1 from old names 0..n-1 and leaves
// every other name alone; none touches the disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/file_list.h"
#include "core/rule_inputs.h"

namespace core {

void ApplyGeneralRule(const GeneralRuleInput& input, FileList& list, int n);
// Builds each part as lead dot, prefix, main, zero-filled counter, suffix.
void BuildCounterParts(std::vector<std::string>& parts, std::size_t n, const std::string& prefix,
                       const std::string& main, const std::string& suffix, std::int32_t digits,
                       std::int32_t start, std::int32_t step);
std::string ZeroFill(std::int32_t digits, std::int32_t value);

void ApplyReplaceRule(const ReplaceRuleInput& input, FileList& list, int n);
// Replaces every occurrence of find from byte position start (from 1) on, left to right.
std::string ReplaceAll(const std::string& text, const std::string& find,
                       const std::string& replacement, int start, bool caseSensitive);

void ApplyInsertRule(const InsertRuleInput& input, FileList& list, int n);
std::string InsertAt(const std::string& text, std::int32_t position, const std::string& insertion);

void ApplyCaseRule(const CaseRuleInput& input, FileList& list, int n);
std::string ToUpperText(const std::string& text);
std::string ToLowerText(const std::string& text);
std::string ChangeFirstLetter(const std::string& text, bool upper);

}  // namespace core
