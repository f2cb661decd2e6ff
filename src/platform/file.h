// Random-access byte streams: a POSIX file on disk and an in-memory stand-in, and
// the one in-place edit that the tag library needs (replace a byte range).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A file as the tag routines see it: positional reads and writes, no shared
// position. Offsets and sizes are byte counts from the start.
class ByteStream {
 public:
  virtual ~ByteStream() = default;

  virtual bool IsOpen() const = 0;
  // The current length, or -1 when it cannot be told (not open, I/O error).
  virtual std::int64_t Size() = 0;
  // Reads up to count bytes at offset. Returns the number read, fewer only at the
  // end of the file, or -1 on an error.
  virtual std::int64_t ReadAt(std::int64_t offset, char* data, std::size_t count) = 0;
  // Writes all count bytes at offset, growing the file when they reach past its end.
  virtual bool WriteAt(std::int64_t offset, const char* data, std::size_t count) = 0;
  // Cuts or zero-extends the file to length.
  virtual bool Truncate(std::int64_t length) = 0;
  // Grows the file to length with its space really allocated, so that writes inside
  // it cannot fail for lack of room. On failure the file keeps its old length.
  virtual bool Extend(std::int64_t length) = 0;

  // Reads exactly count bytes at offset; false on an error or a short read.
  bool ReadExactly(std::int64_t offset, char* data, std::size_t count);
};

enum class OpenMode { Read, ReadWrite };

// A regular file on disk, opened by a path in internal text. Never creates a file.
class DiskFile final : public ByteStream {
 public:
  DiskFile() = default;
  DiskFile(std::string_view path, OpenMode mode) { Open(path, mode); }
  ~DiskFile() override;
  DiskFile(const DiskFile&) = delete;
  DiskFile& operator=(const DiskFile&) = delete;

  // Fails when the path cannot be converted for the disk, cannot be opened, or is
  // not a regular file (a FIFO or a device would block or never end).
  bool Open(std::string_view path, OpenMode mode);
  void Close();

  bool IsOpen() const override { return fd_ >= 0; }
  std::int64_t Size() override;
  std::int64_t ReadAt(std::int64_t offset, char* data, std::size_t count) override;
  bool WriteAt(std::int64_t offset, const char* data, std::size_t count) override;
  bool Truncate(std::int64_t length) override;
  bool Extend(std::int64_t length) override;

 private:
  int fd_ = -1;
};

// The same interface over a byte string, so the parsers and the in-place edits are
// tested and fuzzed without a disk. A size limit plays a full disk.
class MemoryFile final : public ByteStream {
 public:
  explicit MemoryFile(std::string bytes = {}) : bytes_(std::move(bytes)) {}

  const std::string& Bytes() const { return bytes_; }
  // Writes, truncations and extensions that would make the file longer than limit fail.
  void SetSizeLimit(std::int64_t limit) { limit_ = limit; }
  // After this many more successful writes, every write fails (-1: never).
  void FailWritesAfter(int count) { writesLeft_ = count; }
  // A closed stream fails every operation, like a file that could not be opened.
  void SetOpen(bool open) { open_ = open; }
  // Counts ReadAt calls and bytes, so tests can check that readers stay cheap.
  int ReadCalls() const { return readCalls_; }
  std::int64_t BytesRead() const { return bytesRead_; }

  bool IsOpen() const override { return open_; }
  std::int64_t Size() override;
  std::int64_t ReadAt(std::int64_t offset, char* data, std::size_t count) override;
  bool WriteAt(std::int64_t offset, const char* data, std::size_t count) override;
  bool Truncate(std::int64_t length) override;
  bool Extend(std::int64_t length) override;

 private:
  std::string bytes_;
  std::int64_t limit_ = INT64_MAX;
  int writesLeft_ = -1;
  bool open_ = true;
  int readCalls_ = 0;
  std::int64_t bytesRead_ = 0;
};

// Replaces the count bytes at offset with bytes, in place, moving everything after
// them (count may reach past the end: the rest of the file is replaced). A file that
// has to grow is grown first; when that fails the file is left exactly as it was.
// Only a read or write error part-way through the move can leave it half edited.
// False on any failure, and when offset lies beyond the end.
bool ReplaceBytes(ByteStream& file, std::int64_t offset, std::int64_t count,
                  std::string_view bytes);

}  // namespace platform
