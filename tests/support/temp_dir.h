// A fresh directory under /tmp for one test, removed with everything in it.
#pragma once

#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory path, ending with '/'.
  const std::string& Path() const { return path_; }
  // Writes a file below the directory (name in UTF-8) and returns its full path.
  std::string Write(const std::string& name, const std::string& bytes = "") const;
  // The whole content of a file below the directory; empty when it is missing.
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::string path_;
};
