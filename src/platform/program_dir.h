// Where the running program lives: its files (settings, last directory) sit beside it.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The directory of the running program as internal text, ending with '/'; empty when
// it cannot be found or its path is not valid UTF-8.
std::string ProgramDirectory();

// The path of a file beside the program; empty when the directory is unknown, so
// that nothing is read from or written to some other place instead.
std::string ProgramFilePath(std::string_view name);

}  // namespace platform
