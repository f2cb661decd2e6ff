// The MP3 tag rule: new names built from each MP3 file's tag through a short
// pattern in which #1 to #6 stand for tag fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/file_list.h"
#include "core/rule_inputs.h"

namespace core {

// A parsed pattern: Literals[k] stands before Codes[k]; the slot after the last
// code holds the trailing text and code 0.
struct Mp3Pattern {
  std::vector<std::uint8_t> Codes;
  std::vector<std::string> Literals;
};

// nullopt for an empty pattern.
std::optional<Mp3Pattern> ParseMp3Pattern(const std::string& pattern);

// Computes the new names of every entry, reading each MP3 file's tag; entries that
// cannot be named get an empty name and the reason in the tag status column.
void ApplyMp3Rule(const Mp3RuleInput& input, FileList& list);

}  // namespace core
