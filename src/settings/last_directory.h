// dir.txt beside the program: one GBK line, the directory files were last added
// from, so that the open dialog starts there again after a restart.
#pragma once

#include <string>

namespace settings {

// dir.txt beside the program; empty when the program's directory is unknown.
std::string LastDirPath();

// The remembered directory (internal text): the file's first line without its line
// end. Empty when the file is missing, empty or unreadable.
std::string ReadLastDirectory(const std::string& path = LastDirPath());

// Replaces the file with dir followed by CR LF, safely. A directory that cannot be
// one line (it holds CR, LF or NUL) is not remembered: false, and the file stays.
bool WriteLastDirectory(const std::string& path, const std::string& dir);

}  // namespace settings
