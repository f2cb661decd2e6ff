#include "settings/last_directory.h"

#include <optional>

#include "platform/files.h"
#include "platform/program_dir.h"

namespace settings {

namespace {

// Line ends and NUL are below every trail byte, so the first one found is a
// character of its own.
constexpr std::string_view kLineBreaks("\r\n\0", 3);

}  // namespace

std::string LastDirPath() {
  return platform::ProgramFilePath("dir.txt");
}

std::string ReadLastDirectory(const std::string& path) {
  // The file holds one short line; more than this is not a directory of ours.
  constexpr std::size_t kMaxBytes = 1024 * 1024;
  std::optional<std::string> bytes = platform::ReadWholeFile(path, kMaxBytes);
  if (!bytes) return std::string();
  return bytes->substr(0, bytes->find_first_of(kLineBreaks));
}

bool WriteLastDirectory(const std::string& path, const std::string& dir) {
  if (dir.find_first_of(kLineBreaks) != std::string::npos) return false;
  return platform::WriteFileReplacing(path, dir + "\r\n");
}

}  // namespace settings
