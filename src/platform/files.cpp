#include "platform/files.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <memory>

#include "text/encoding.h"

namespace platform {

namespace {

// The path as the system wants it: UTF-8, not empty, and without a NUL byte, which
// would silently cut the path short at the system call.
std::optional<std::string> SystemPath(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
  return text::ToUtf8(path);
}

// A name beside `path` (in the same directory, so a rename never crosses file
// systems) that no one else is using at the moment.
std::string TempNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  std::size_t slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  return dir + ".corvane-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

enum class MoveOutcome { Moved, TargetTaken, Failed };

// Set once the kernel has said it has no renameat2 at all.
std::atomic<bool> noRenameAt2{false};

MoveOutcome LinkThenUnlink(const char* from, const char* to) {
  if (link(from, to) != 0) return errno == EEXIST ? MoveOutcome::TargetTaken : MoveOutcome::Failed;
  if (unlink(from) != 0) {
    // Take back our own new name so that the file is left exactly as it was.
    unlink(to);
    return MoveOutcome::Failed;
  }
  return MoveOutcome::Moved;
}

// One system call in the common case; link + unlink where the file system does not
// know RENAME_NOREPLACE. Both refuse an existing target atomically.
MoveOutcome RenameNoReplace(const char* from, const char* to) {
  if (!noRenameAt2.load(std::memory_order_relaxed)) {
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return MoveOutcome::Moved;
    int error = errno;
    if (error == EEXIST) return MoveOutcome::TargetTaken;
    if (error == ENOSYS) {
      noRenameAt2.store(true, std::memory_order_relaxed);
    } else if (error != EINVAL) {
      return MoveOutcome::Failed;
    }
  }
  return LinkThenUnlink(from, to);
}

bool SameFile(const char* a, const char* b) {
  struct stat sa, sb;
  return lstat(a, &sa) == 0 && lstat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

// The target resolves to the source's file. Park the file under a free name: if
// the target name went away with it, both names were one directory entry (a case
// change on a case-insensitive file system) and the file takes the new spelling. If
// the target is still there, it is a name of its own (a hard link), which we never
// replace, so the file goes back under its old name.
using MoveStep = MoveOutcome (*)(const char* from, const char* to);

bool MoveOntoSameEntry(const std::string& from, const std::string& to, MoveStep step) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string parked = TempNameBeside(from);
    MoveOutcome parking = step(from.c_str(), parked.c_str());
    if (parking == MoveOutcome::TargetTaken) continue;
    if (parking == MoveOutcome::Failed) return false;
    if (step(parked.c_str(), to.c_str()) == MoveOutcome::Moved) return true;
    step(parked.c_str(), from.c_str());
    return false;
  }
  return false;
}

bool MoveWith(const std::string& fromPath, const std::string& toPath, MoveStep step) {
  std::optional<std::string> from = SystemPath(fromPath);
  std::optional<std::string> to = SystemPath(toPath);
  if (!from || !to) return false;
  switch (step(from->c_str(), to->c_str())) {
    case MoveOutcome::Moved:
      return true;
    case MoveOutcome::Failed:
      return false;
    case MoveOutcome::TargetTaken:
      return SameFile(from->c_str(), to->c_str()) && MoveOntoSameEntry(*from, *to, step);
  }
  return false;
}

struct DirCloser {
  void operator()(DIR* d) const { closedir(d); }
};

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  // Closing reports write errors that some file systems only give at close.
  bool Close() {
    if (fd_ < 0) return true;
    int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool MoveFileNoReplace(const std::string& fromPath, const std::string& toPath) {
  return MoveWith(fromPath, toPath, RenameNoReplace);
}

bool MoveFileByLinking(const std::string& fromPath, const std::string& toPath) {
  return MoveWith(fromPath, toPath, LinkThenUnlink);
}

bool PathExists(const std::string& path) {
  std::optional<std::string> sys = SystemPath(path);
  struct stat st;
  return sys && lstat(sys->c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
  std::optional<std::string> sys = SystemPath(path);
  struct stat st;
  return sys && stat(sys->c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string path(dir);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

std::optional<DirectoryListing> ListFiles(const std::string& dir) {
  std::optional<std::string> sys = SystemPath(dir);
  if (!sys) return std::nullopt;
  std::unique_ptr<DIR, DirCloser> stream(opendir(sys->c_str()));
  if (!stream) return std::nullopt;
  int fd = dirfd(stream.get());
  DirectoryListing listing;
  while (true) {
    errno = 0;
    const dirent* entry = readdir(stream.get());
    if (!entry) {
      if (errno != 0) return std::nullopt;
      break;
    }
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (entry->d_type == DT_DIR) continue;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat st;
      if (fstatat(fd, entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) continue;
    }
    std::optional<std::string> internal = text::FromUtf8(name);
    if (!internal) {
      ++listing.Skipped;
      continue;
    }
    listing.Names.push_back(std::move(*internal));
  }
  return listing;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  std::optional<std::string> sys = SystemPath(path);
  if (!sys) return std::nullopt;
  FileDescriptor fd(open(sys->c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) return std::nullopt;
  struct stat st;
  if (fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (static_cast<unsigned long long>(st.st_size) > maxBytes) return std::nullopt;
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  while (true) {
    ssize_t n = read(fd.Get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    // The file may grow while we read it.
    if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) return std::nullopt;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
  std::optional<std::string> sys = SystemPath(path);
  if (!sys) return false;
  std::string target = *sys;
  struct stat st;
  bool exists = false;
  if (lstat(target.c_str(), &st) == 0) {
    if (S_ISLNK(st.st_mode)) {
      // Replacing the link itself would cut it off from the file it points to.
      std::unique_ptr<char, decltype(&free)> real(realpath(target.c_str(), nullptr), &free);
      if (!real) return false;
      target = real.get();
      if (stat(target.c_str(), &st) != 0) return false;
    }
    // A read-only file stays as it is, as the user asked by making it read-only.
    if (!S_ISREG(st.st_mode) || access(target.c_str(), W_OK) != 0) return false;
    exists = true;
  } else if (errno != ENOENT) {
    return false;
  }

  std::string temp;
  int rawFd = -1;
  for (int attempt = 0; attempt < 100 && rawFd < 0; ++attempt) {
    temp = TempNameBeside(target);
    rawFd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (rawFd < 0 && errno != EEXIST) return false;
  }
  if (rawFd < 0) return false;
  FileDescriptor fd(rawFd);
  if (exists) fchmod(fd.Get(), st.st_mode & 07777);
  bool written = WriteAll(fd.Get(), bytes) && fsync(fd.Get()) == 0;
  written = fd.Close() && written;
  if (!written || rename(temp.c_str(), target.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace platform
