// The frame the text rules share: split each old name into base and extension part,
// let the rule work on both, join them again.
#pragma once

#include <string>
#include <vector>

#include "core/file_list.h"

namespace core {

// Splits old names 0..n-1: the base names go into NewNames, the extension parts
// (with their dot, or empty) are returned.
std::vector<std::string> SplitForRule(FileList& list, int n);

// New name i = new name i followed by extension part i, for every part.
void JoinExtensionParts(FileList& list, const std::vector<std::string>& extensionParts);

}  // namespace core
