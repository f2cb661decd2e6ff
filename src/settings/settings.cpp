#include "settings/settings.h"

#include <string_view>

#include "platform/files.h"
#include "platform/profile_file.h"
#include "platform/program_dir.h"
#include "text/number.h"
#include "text/text.h"

namespace settings {

namespace {

// The file's texts, GBK bytes.
constexpr std::string_view kPreviewSection = "\xD4\xA4\xC0\xC0\xD1\xA1\xCF\xEE";   // 预览选项
constexpr std::string_view kAutoPreviewKey = "\xD7\xD4\xB6\xAF\xD4\xA4\xC0\xC0";   // 自动预览
constexpr std::string_view kPreviewAllKey = "\xC8\xAB\xB2\xBF\xD4\xA4\xC0\xC0";    // 全部预览
constexpr std::string_view kPreviewCountKey = "\xD4\xA4\xC0\xC0\xCA\xFD\xC1\xBF";  // 预览数量
constexpr std::string_view kColorSection = "\xD1\xD5\xC9\xAB";                     // 颜色
constexpr std::string_view kBackColorKey = "\xB1\xB3\xBE\xB0\xD1\xD5\xC9\xAB";     // 背景颜色
constexpr std::string_view kTextColorKey = "\xD7\xD6\xCC\xE5\xD1\xD5\xC9\xAB";     // 字体颜色
constexpr std::string_view kFontSection = "\xD7\xD6\xCC\xE5";                      // 字体
constexpr std::string_view kFontNameKey = "\xD7\xD6\xCC\xE5\xC3\xFB\xB3\xC6";      // 字体名称
constexpr std::string_view kFontSizeKey = "\xD7\xD6\xCC\xE5\xB4\xF3\xD0\xA1";      // 字体大小
constexpr std::string_view kFontStyleKey = "\xD7\xD6\xCC\xE5\xD1\xF9\xCA\xBD";     // 字体样式

constexpr std::string_view kOn = "\xBF\xAA";                          // 开
constexpr std::string_view kOff = "\xB9\xD8";                         // 关
constexpr std::string_view kRegular = "\xB3\xA3\xB9\xE6";             // 常规
constexpr std::string_view kBold = "\xB4\xD6\xCC\xE5";                // 粗体
constexpr std::string_view kItalic = "\xD0\xB1\xCC\xE5";              // 斜体
constexpr std::string_view kBoldItalic = "\xB4\xD6\xD0\xB1\xCC\xE5";  // 粗斜体
constexpr std::string_view kDefaultFontName = "\xCB\xCE\xCC\xE5";     // 宋体

constexpr std::int32_t kDefaultPreviewCount = 10;
constexpr std::int32_t kDefaultTextColor = 8388608;  // blue 128
constexpr std::int32_t kDefaultBackColor = 8429696;  // red 128, green 160, blue 128
constexpr std::int32_t kDefaultFontSize = 10;

// Values used to be read into a buffer of this many bytes, the last one for the
// terminating NUL; longer values are cut there, never inside a character.
constexpr std::size_t kValueBufferSize = 10240;

class Reader {
 public:
  explicit Reader(const platform::ProfileFile& file) : file_(file) {}

  std::string Text(std::string_view section, std::string_view key,
                   std::string_view defaultValue) const {
    std::string value = file_.Get(section, key, defaultValue);
    value.resize(text::FitLength(value, kValueBufferSize - 1));
    return value;
  }
  std::int32_t Switch(std::string_view section, std::string_view key) const {
    return Text(section, key, kOff) == kOn ? 1 : 0;
  }
  std::int32_t Number(std::string_view section, std::string_view key,
                      std::int32_t defaultValue) const {
    return text::TextToNumber(Text(section, key, text::DecimalText(defaultValue)));
  }

 private:
  const platform::ProfileFile& file_;
};

std::string_view SwitchText(std::int32_t value) {
  return value == 1 ? kOn : kOff;
}

std::string_view FontStyleText(const Settings& s) {
  if (s.FontBold == 1 && s.FontItalic == 1) return kBoldItalic;
  if (s.FontBold == 1) return kBold;
  if (s.FontItalic == 1) return kItalic;
  return kRegular;
}

}  // namespace

std::string ConfigPath() {
  return platform::ProgramFilePath("config.ini");
}

void SetDefaultSettings(Settings& s) {
  s.AutoPreview = 0;
  s.PreviewAll = 0;
  s.PreviewCount = kDefaultPreviewCount;
  s.TextColor = kDefaultTextColor;
  s.BackColor = kDefaultBackColor;
  s.FontName = std::string(kDefaultFontName);
  s.FontSize = kDefaultFontSize;
  s.FontBold = 0;
  s.FontItalic = 0;
}

void LoadSettings(Settings& s, const std::string& path) {
  std::optional<platform::ProfileFile> loaded;
  if (platform::PathExists(path)) loaded = platform::ProfileFile::Load(path);
  if (!loaded) {
    // No file, or one that cannot be read: every key is missing.
    SetDefaultSettings(s);
    return;
  }
  Reader read(*loaded);
  s.AutoPreview = read.Switch(kPreviewSection, kAutoPreviewKey);
  s.PreviewAll = read.Switch(kPreviewSection, kPreviewAllKey);
  s.PreviewCount = read.Number(kPreviewSection, kPreviewCountKey, kDefaultPreviewCount);
  s.BackColor = read.Number(kColorSection, kBackColorKey, kDefaultBackColor);
  s.TextColor = read.Number(kColorSection, kTextColorKey, kDefaultTextColor);
  s.FontName = read.Text(kFontSection, kFontNameKey, kDefaultFontName);
  s.FontSize = read.Number(kFontSection, kFontSizeKey, kDefaultFontSize);
  std::string style = read.Text(kFontSection, kFontStyleKey, kRegular);
  s.FontBold = style == kBold || style == kBoldItalic ? 1 : 0;
  s.FontItalic = style == kItalic || style == kBoldItalic ? 1 : 0;
}

bool SaveSettings(const Settings& s, const std::string& path) {
  // A file that exists but cannot be read is left alone rather than replaced by one
  // that has lost everything we could not see.
  std::optional<platform::ProfileFile> file = platform::ProfileFile::Load(path);
  if (!file) return false;
  file->Set(kPreviewSection, kAutoPreviewKey, SwitchText(s.AutoPreview));
  file->Set(kPreviewSection, kPreviewAllKey, SwitchText(s.PreviewAll));
  file->Set(kPreviewSection, kPreviewCountKey, text::DecimalText(s.PreviewCount));
  file->Set(kColorSection, kBackColorKey, text::DecimalText(s.BackColor));
  file->Set(kColorSection, kTextColorKey, text::DecimalText(s.TextColor));
  file->Set(kFontSection, kFontNameKey, s.FontName);
  file->Set(kFontSection, kFontSizeKey, text::DecimalText(s.FontSize));
  file->Set(kFontSection, kFontStyleKey, FontStyleText(s));
  return file->Save(path);
}

}  // namespace settings
