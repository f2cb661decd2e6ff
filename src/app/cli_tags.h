// The command line's "tags" command: prints a file's ID3v1 and ID3v2 tags as JSON,
// or writes and removes them the way the tag editor's update does.
#pragma once

#include <string>
#include <vector>

// args are the words after "tags", in UTF-8:
//   FILE                                   print the tags as one JSON object
//   FILE [--set-v1 FIELD=VALUE...] [--set-v2 FIELD=VALUE...] [--remove-v1] [--remove-v2]
// Returns 0 on success, 1 when opening, a write or a removal failed, 2 for bad usage.
int RunTagsCommand(const std::vector<std::string>& args);
