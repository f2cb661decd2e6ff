#include "platform/program_dir.h"

#include <unistd.h>

#include <optional>

#include "platform/files.h"
#include "text/encoding.h"

namespace platform {

std::string ProgramDirectory() {
  std::string path(256, '\0');
  while (true) {
    ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return std::string();
    if (static_cast<std::size_t>(n) < path.size()) {
      path.resize(static_cast<std::size_t>(n));
      break;
    }
    path.resize(path.size() * 2);
  }
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::string();
  std::optional<std::string> dir = text::FromUtf8(path.substr(0, slash + 1));
  return dir ? *dir : std::string();
}

std::string ProgramFilePath(std::string_view name) {
  std::string dir = ProgramDirectory();
  return dir.empty() ? std::string() : JoinPath(dir, name);
}

}  // namespace platform
