// An INI (profile) file held in memory and read the way Windows reads its profile
// files: Get a key with a default, Set a key while every other line stays as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Reading rules:
// - lines end with LF, CR LF or a lone CR; the last line needs no line end;
// - blanks (space, tab, vertical tab) around section names, key names and values
//   are ignored, and so is a pair of matching quotes ('…' or "…") around a value;
// - "[name]" starts a section; the name ends at the first "]" or at the line end;
// - a line starting with ";" is a comment, and so is a line without "=", text before
//   the first section and text after a section's "]";
// - section and key names compare with ASCII letters in either case; only the first
//   section of a name counts, and in it only the first key of a name;
// - a value ends at a NUL byte.
// Texts are internal text; no line, name or value is ever cut inside a double-byte
// character.
class ProfileFile {
 public:
  ProfileFile() = default;
  explicit ProfileFile(std::string_view bytes);

  // The file at path: empty when there is no such file, nullopt when it exists but
  // cannot be read (so that a save cannot wipe out what it could not see).
  static std::optional<ProfileFile> Load(const std::string& path);

  // The value of key in section, or nullopt when there is no such key.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // The value of key in section, or defaultValue when there is no such key. A key
  // that is present with nothing after "=" gives the empty text, not the default.
  std::string Get(std::string_view section, std::string_view key,
                  std::string_view defaultValue) const;

  // Writes key=value: over the key's line when the key exists (keeping the spelling
  // of its name), else after the section's last key, else in a new section at the
  // end. New lines end like the file's first line (CR LF in a new file). A value is
  // one line: it is cut at its first CR, LF or NUL.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // The whole file as bytes.
  std::string Serialize() const;
  // Serialize, written safely over the file at path (see WriteFileReplacing).
  bool Save(const std::string& path) const;

 private:
  struct Line {
    std::string Text;    // without its line end
    std::string Ending;  // "\r\n", "\n", "\r", or empty on a last line without one
  };

  // Index of the header line of the first section called `section`.
  std::optional<std::size_t> FindSection(std::string_view section) const;
  // Index of the first line of that section (after headerIndex) with key `key`.
  std::optional<std::size_t> FindKey(std::size_t headerIndex, std::string_view key) const;
  std::string NewLineEnding() const;

  std::vector<Line> lines_;
};

}  // namespace platform
