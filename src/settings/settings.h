// The user's preferences for one run (preview and list appearance) and their file,
// config.ini beside the program, a profile file of GBK text.
#pragma once

#include <cstdint>
#include <string>

namespace settings {

struct Settings {
  std::int32_t AutoPreview = 0;  // 1: the preview follows every change
  std::int32_t PreviewAll = 0;   // 1: the preview covers every entry
  std::int32_t PreviewCount = 0;
  std::int32_t TextColor = 0;  // COLORREF: red in the low byte, then green, then blue
  std::int32_t BackColor = 0;
  std::string FontName;       // internal text
  std::int32_t FontSize = 0;  // points
  std::int32_t FontBold = 0;
  std::int32_t FontItalic = 0;

  friend bool operator==(const Settings&, const Settings&) = default;
};

// config.ini beside the program; empty when the program's directory is unknown.
std::string ConfigPath();

void SetDefaultSettings(Settings& s);

// Reads the file at path; a missing file gives the defaults, and so does every
// missing key. Never fails: a broken file reads as Windows would read it.
void LoadSettings(Settings& s, const std::string& path = ConfigPath());

// Writes the eight keys into the file at path in one safe write, keeping every other
// section, key and comment. False when the file could not be written (it is then
// left as it was); callers may ignore that, the settings of this run are lost.
bool SaveSettings(const Settings& s, const std::string& path = ConfigPath());

}  // namespace settings
