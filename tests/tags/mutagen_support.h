// Runs tests/tags/mutagen_tool.py, the second reader and writer of the tag tests.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace tagtest {

// A python3 that can import mutagen (Debian's /usr/bin/python3 first, since another
// python3 may come first on PATH), or empty when there is none.
inline const std::string& MutagenPython() {
  static const std::string python = [] {
    for (const char* candidate : {"/usr/bin/python3", "python3"}) {
      std::string command = std::string(candidate) + " -c 'import mutagen' >/dev/null 2>&1";
      if (std::system(command.c_str()) == 0) return std::string(candidate);
    }
    return std::string();
  }();
  return python;
}

inline std::string MutagenCommand(const std::string& args) {
  return MutagenPython() + " '" CORVANE_SOURCE_DIR "/tests/tags/mutagen_tool.py' " + args;
}

inline bool MutagenWrite(const std::string& path, const std::string& name) {
  return std::system(MutagenCommand("write '" + path + "' " + name).c_str()) == 0;
}

// What mutagen reads: key -> UTF-8 text. Empty when the tool failed.
inline std::map<std::string, std::string> MutagenRead(const std::string& path, bool gbk) {
  std::map<std::string, std::string> values;
  std::string command = MutagenCommand("read '" + path + "'" + (gbk ? " --gbk" : ""));
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return values;
  char line[1 << 16];
  while (std::fgets(line, sizeof line, pipe)) {
    std::string s(line);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    std::size_t eq = s.find('=');
    if (eq == std::string::npos) continue;
    std::string value;
    for (std::size_t i = eq + 1; i + 1 < s.size(); i += 2) {
      value += static_cast<char>(std::stoi(s.substr(i, 2), nullptr, 16));
    }
    values[s.substr(0, eq)] = value;
  }
  if (pclose(pipe) != 0) values.clear();
  return values;
}

}  // namespace tagtest
