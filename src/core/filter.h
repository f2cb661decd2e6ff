// The filter: deletes the entries whose name has an extension or contains a text,
// or keeps only those. Only the list changes; no file is touched.
#pragma once

#include <string>

#include "core/workspace.h"

namespace core {

enum FilterOperation { kNoOperation = -1, kDeleteMatches = 0, kKeepMatches = 1 };

struct FilterInput {
  int Operation = kDeleteMatches;
  bool ByExtension = true;
  bool ByContent = false;
  std::string Extension;
  std::string Content;
  bool CloseAfter = true;
};

// Empty when the filter ran; otherwise the reason it refused, and nothing changed.
std::string ApplyFilter(Workspace& workspace, const FilterInput& input, int autoPreview);

// The title of the filter's messages.
std::string FilterTitle();

}  // namespace core
