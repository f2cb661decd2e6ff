#include "support/temp_dir.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir() {
  char pattern[] = "/tmp/corvane-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  path_ = std::string(pattern) + "/";
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  std::string full = path_ + name;
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + full);
  return full;
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream in(path_ + name, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

bool TempDir::Exists(const std::string& name) const {
  struct stat st;
  return lstat((path_ + name).c_str(), &st) == 0;
}
