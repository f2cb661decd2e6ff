// The file system as the program sees it: moving a file without ever replacing
// another, listing a directory, path tests and whole-file reads and safe writes.
// Every path here is internal text; it is converted to UTF-8 for the system, and a
// path that cannot be converted makes the operation fail.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Moves a file to a new path. Never replaces an existing file: when toPath is
// taken, the move fails and both files stay as they were. When toPath names the
// very same directory entry as fromPath (a change of letter case on a file system
// that ignores case, or the same name), the new spelling is carried out. A
// different name that is a hard link of the same file counts as taken.
bool MoveFileNoReplace(const std::string& fromPath, const std::string& toPath);
// The same move done with link + unlink, as MoveFileNoReplace does it where the file
// system has no RENAME_NOREPLACE; callable on its own so that tests reach it anywhere.
bool MoveFileByLinking(const std::string& fromPath, const std::string& toPath);

// Whether the name exists (a symbolic link counts, even a dangling one).
bool PathExists(const std::string& path);
// Whether the path is a directory, following symbolic links.
bool IsDirectory(const std::string& path);

// dir followed by name, with one '/' between them unless dir is empty or already
// ends with one.
std::string JoinPath(std::string_view dir, std::string_view name);

// Every entry directly in a directory that is not a directory, in the order the file
// system gives them; hidden files are included. A symbolic link counts by what it
// points to (one to a directory is left out, a dangling one is listed). A name that
// is not valid UTF-8 cannot become internal text: it is left out and counted in
// Skipped, so the caller can say that some files were not taken.
struct DirectoryListing {
  std::vector<std::string> Names;
  int Skipped = 0;
};
// nullopt when dir cannot be opened or read.
std::optional<DirectoryListing> ListFiles(const std::string& dir);

// Whole-file helpers for small files.
inline constexpr std::size_t kWholeFileLimit = 64 * 1024 * 1024;
// All bytes of a regular file; nullopt when it cannot be read or is larger than maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         std::size_t maxBytes = kWholeFileLimit);
// Writes all bytes to a temporary file beside the target, flushes it to disk and
// renames it over the target, so a crash or a full disk never leaves half a file.
// An existing target keeps its permission bits; a symbolic link is written through
// to the file it points to. Fails, leaving the old file as it was, when the target is
// not a regular file or has no write permission, or anything on the way fails.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);

}  // namespace platform
