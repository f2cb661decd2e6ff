#include "platform/file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "text/encoding.h"

namespace platform {

bool ByteStream::ReadExactly(std::int64_t offset, char* data, std::size_t count) {
  return ReadAt(offset, data, count) == static_cast<std::int64_t>(count);
}

// ---- DiskFile

DiskFile::~DiskFile() {
  Close();
}

bool DiskFile::Open(std::string_view path, OpenMode mode) {
  Close();
  auto diskPath = text::ToUtf8(path);
  if (!diskPath || diskPath->empty() || diskPath->find('\0') != std::string::npos) return false;
  // O_NONBLOCK only for the open itself: a FIFO would otherwise block until a writer came.
  int flags = (mode == OpenMode::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  int fd;
  do {
    fd = ::open(diskPath->c_str(), flags);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  int fl = ::fcntl(fd, F_GETFL);
  if (fl < 0 || ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) < 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void DiskFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::int64_t DiskFile::Size() {
  struct stat st;
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
  return st.st_size;
}

std::int64_t DiskFile::ReadAt(std::int64_t offset, char* data, std::size_t count) {
  if (fd_ < 0 || offset < 0) return -1;
  std::size_t done = 0;
  while (done < count) {
    ssize_t r = ::pread(fd_, data + done, count - done, offset + static_cast<off_t>(done));
    if (r < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (r == 0) break;
    done += static_cast<std::size_t>(r);
  }
  return static_cast<std::int64_t>(done);
}

bool DiskFile::WriteAt(std::int64_t offset, const char* data, std::size_t count) {
  if (fd_ < 0 || offset < 0) return false;
  std::size_t done = 0;
  while (done < count) {
    ssize_t r = ::pwrite(fd_, data + done, count - done, offset + static_cast<off_t>(done));
    if (r < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (r == 0) return false;
    done += static_cast<std::size_t>(r);
  }
  return true;
}

bool DiskFile::Truncate(std::int64_t length) {
  if (fd_ < 0 || length < 0) return false;
  int r;
  do {
    r = ::ftruncate(fd_, length);
  } while (r != 0 && errno == EINTR);
  return r == 0;
}

bool DiskFile::Extend(std::int64_t length) {
  std::int64_t old = Size();
  if (old < 0) return false;
  if (length <= old) return true;
  // posix_fallocate reserves real blocks (glibc falls back to writing them where the
  // file system cannot), so a full disk shows here and not half-way through a move.
  int r = ::posix_fallocate(fd_, old, length - old);
  if (r == 0 && Size() == length) return true;
  Truncate(old);
  return false;
}

// ---- MemoryFile

std::int64_t MemoryFile::Size() {
  return open_ ? static_cast<std::int64_t>(bytes_.size()) : -1;
}

std::int64_t MemoryFile::ReadAt(std::int64_t offset, char* data, std::size_t count) {
  if (!open_ || offset < 0) return -1;
  ++readCalls_;
  if (static_cast<std::uint64_t>(offset) >= bytes_.size()) return 0;
  std::size_t n = std::min(count, bytes_.size() - static_cast<std::size_t>(offset));
  std::copy_n(bytes_.data() + offset, n, data);
  bytesRead_ += static_cast<std::int64_t>(n);
  return static_cast<std::int64_t>(n);
}

bool MemoryFile::WriteAt(std::int64_t offset, const char* data, std::size_t count) {
  if (!open_ || offset < 0) return false;
  if (writesLeft_ == 0) return false;
  if (count > static_cast<std::uint64_t>(limit_) ||
      offset > limit_ - static_cast<std::int64_t>(count)) {
    return false;
  }
  std::size_t end = static_cast<std::size_t>(offset) + count;
  if (end > bytes_.size()) bytes_.resize(end);
  std::copy_n(data, count, bytes_.data() + offset);
  if (writesLeft_ > 0) --writesLeft_;
  return true;
}

bool MemoryFile::Truncate(std::int64_t length) {
  if (!open_ || length < 0 || length > limit_) return false;
  bytes_.resize(static_cast<std::size_t>(length));
  return true;
}

bool MemoryFile::Extend(std::int64_t length) {
  if (!open_ || length > limit_) return false;
  if (length > static_cast<std::int64_t>(bytes_.size())) {
    bytes_.resize(static_cast<std::size_t>(length));
  }
  return true;
}

// ---- ReplaceBytes

namespace {

constexpr std::size_t kMoveBlock = 1 << 16;

// Moves the `length` bytes at from to to; overlapping ranges are fine because the
// copy runs in the direction that never reads a byte it has already overwritten.
bool MoveBytes(ByteStream& file, std::int64_t from, std::int64_t to, std::int64_t length) {
  if (length <= 0 || from == to) return true;
  std::vector<char> block(static_cast<std::size_t>(std::min<std::int64_t>(length, kMoveBlock)));
  if (to > from) {
    std::int64_t left = length;
    while (left > 0) {
      std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(left, kMoveBlock));
      left -= static_cast<std::int64_t>(n);
      if (!file.ReadExactly(from + left, block.data(), n)) return false;
      if (!file.WriteAt(to + left, block.data(), n)) return false;
    }
  } else {
    std::int64_t done = 0;
    while (done < length) {
      std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(length - done, kMoveBlock));
      if (!file.ReadExactly(from + done, block.data(), n)) return false;
      if (!file.WriteAt(to + done, block.data(), n)) return false;
      done += static_cast<std::int64_t>(n);
    }
  }
  return true;
}

}  // namespace

bool ReplaceBytes(ByteStream& file, std::int64_t offset, std::int64_t count,
                  std::string_view bytes) {
  std::int64_t size = file.Size();
  if (size < 0 || offset < 0 || offset > size || count < 0) return false;
  count = std::min(count, size - offset);
  std::int64_t newCount = static_cast<std::int64_t>(bytes.size());
  std::int64_t tail = offset + count;
  std::int64_t tailLength = size - tail;
  std::int64_t delta = newCount - count;

  if (delta > 0) {
    // Room first: if the file cannot grow, nothing has been touched yet.
    if (!file.Extend(size + delta)) return false;
    if (!MoveBytes(file, tail, tail + delta, tailLength)) return false;
    return bytes.empty() || file.WriteAt(offset, bytes.data(), bytes.size());
  }
  if (!bytes.empty() && !file.WriteAt(offset, bytes.data(), bytes.size())) return false;
  if (delta == 0) return true;
  if (!MoveBytes(file, tail, tail + delta, tailLength)) return false;
  return file.Truncate(size + delta);
}

}  // namespace platform
