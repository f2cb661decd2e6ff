#include "settings/settings.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <functional>
#include <random>

#include "support/temp_dir.h"

namespace {

using settings::Settings;

// The file's texts in GBK.
const std::string kPreview = "[\xD4\xA4\xC0\xC0\xD1\xA1\xCF\xEE]";     // [预览选项]
const std::string kColor = "[\xD1\xD5\xC9\xAB]";                       // [颜色]
const std::string kFont = "[\xD7\xD6\xCC\xE5]";                        // [字体]
const std::string kAutoPreview = "\xD7\xD4\xB6\xAF\xD4\xA4\xC0\xC0";   // 自动预览
const std::string kPreviewAll = "\xC8\xAB\xB2\xBF\xD4\xA4\xC0\xC0";    // 全部预览
const std::string kPreviewCount = "\xD4\xA4\xC0\xC0\xCA\xFD\xC1\xBF";  // 预览数量
const std::string kBackColor = "\xB1\xB3\xBE\xB0\xD1\xD5\xC9\xAB";     // 背景颜色
const std::string kTextColor = "\xD7\xD6\xCC\xE5\xD1\xD5\xC9\xAB";     // 字体颜色
const std::string kFontName = "\xD7\xD6\xCC\xE5\xC3\xFB\xB3\xC6";      // 字体名称
const std::string kFontSize = "\xD7\xD6\xCC\xE5\xB4\xF3\xD0\xA1";      // 字体大小
const std::string kFontStyle = "\xD7\xD6\xCC\xE5\xD1\xF9\xCA\xBD";     // 字体样式
const std::string kOn = "\xBF\xAA";                                    // 开
const std::string kOff = "\xB9\xD8";                                   // 关
const std::string kRegular = "\xB3\xA3\xB9\xE6";                       // 常规
const std::string kBold = "\xB4\xD6\xCC\xE5";                          // 粗体
const std::string kItalic = "\xD0\xB1\xCC\xE5";                        // 斜体
const std::string kBoldItalic = "\xB4\xD6\xD0\xB1\xCC\xE5";            // 粗斜体
const std::string kSongti = "\xCB\xCE\xCC\xE5";                        // 宋体
const std::string kHeiti = "\xBA\xDA\xCC\xE5";                         // 黑体

// The file the program writes when there was none, with every value at its default.
const std::string kDefaultFile =
    kPreview + "\r\n" + kAutoPreview + "=" + kOff + "\r\n" + kPreviewAll + "=" + kOff + "\r\n" +
    kPreviewCount + "=10\r\n" + kColor + "\r\n" + kBackColor + "=8429696\r\n" + kTextColor +
    "=8388608\r\n" + kFont + "\r\n" + kFontName + "=" + kSongti + "\r\n" + kFontSize + "=10\r\n" +
    kFontStyle + "=" + kRegular + "\r\n";

Settings Defaults() {
  Settings s;
  settings::SetDefaultSettings(s);
  return s;
}

class SettingsTest : public ::testing::Test {
 protected:
  Settings LoadFrom(const std::string& bytes) {
    dir.Write("config.ini", bytes);
    Settings s;
    settings::LoadSettings(s, path);
    return s;
  }
  TempDir dir;
  std::string path = dir.Path() + "config.ini";
};

TEST_F(SettingsTest, NoFileGivesTheDefaultsAndSavingWritesTheDefaultFile) {
  Settings s;
  s.PreviewCount = 99;
  settings::LoadSettings(s, path);
  EXPECT_EQ(s.AutoPreview, 0);
  EXPECT_EQ(s.PreviewAll, 0);
  EXPECT_EQ(s.PreviewCount, 10);
  EXPECT_EQ(s.BackColor, 8429696);
  EXPECT_EQ(s.TextColor, 8388608);
  EXPECT_EQ(s.FontName, kSongti);
  EXPECT_EQ(s.FontSize, 10);
  EXPECT_EQ(s.FontBold, 0);
  EXPECT_EQ(s.FontItalic, 0);
  EXPECT_FALSE(dir.Exists("config.ini"));

  EXPECT_TRUE(settings::SaveSettings(s, path));
  EXPECT_EQ(dir.Read("config.ini"), kDefaultFile);
}

struct ReadCase {
  const char* Name;
  std::string File;
  std::function<void(Settings&)> Expect;  // applied to the defaults
};

TEST_F(SettingsTest, ReadsEachKey) {
  const std::string head = kPreview + "\r\n";
  const ReadCase cases[] = {
      {"on", head + kAutoPreview + "=" + kOn + "\r\n" + kPreviewAll + "=" + kOn + "\r\n",
       [](Settings& s) { s.AutoPreview = s.PreviewAll = 1; }},
      {"1 is not on", head + kAutoPreview + "=1\r\n" + kPreviewAll + "=on\r\n", [](Settings&) {}},
      {"fraction cut", head + kPreviewCount + "=12.9\r\n",
       [](Settings& s) { s.PreviewCount = 12; }},
      {"negative fraction cut toward zero", head + kPreviewCount + "=-7.9\r\n",
       [](Settings& s) { s.PreviewCount = -7; }},
      {"not a number", head + kPreviewCount + "=abc\r\n", [](Settings& s) { s.PreviewCount = 0; }},
      {"present but empty number", head + kPreviewCount + "=\r\n",
       [](Settings& s) { s.PreviewCount = 0; }},
      {"full-width digits", head + kPreviewCount + "=\xA3\xB1\xA3\xB2\r\n",
       [](Settings& s) { s.PreviewCount = 12; }},
      {"blanks around the equals sign, LF", kPreview + "\n  " + kPreviewCount + " = 5 \n",
       [](Settings& s) { s.PreviewCount = 5; }},
      {"colours", kColor + "\r\n" + kBackColor + "=255\r\n" + kTextColor + "=-1\r\n",
       [](Settings& s) {
         s.BackColor = 255;
         s.TextColor = -1;
       }},
      {"font name and size",
       kFont + "\r\n" + kFontName + "=" + kHeiti + "\r\n" + kFontSize + "=14\r\n",
       [&](Settings& s) {
         s.FontName = kHeiti;
         s.FontSize = 14;
       }},
      {"present but empty font name", kFont + "\r\n" + kFontName + "=\r\n",
       [](Settings& s) { s.FontName = ""; }},
      {"bold", kFont + "\r\n" + kFontStyle + "=" + kBold + "\r\n",
       [](Settings& s) { s.FontBold = 1; }},
      {"italic", kFont + "\r\n" + kFontStyle + "=" + kItalic + "\r\n",
       [](Settings& s) { s.FontItalic = 1; }},
      {"bold italic", kFont + "\r\n" + kFontStyle + "=" + kBoldItalic + "\r\n",
       [](Settings& s) { s.FontBold = s.FontItalic = 1; }},
      {"unknown style", kFont + "\r\n" + kFontStyle + "=bold\r\n", [](Settings&) {}},
      {"colours without a font section", kColor + "\r\n" + kBackColor + "=1\r\n",
       [](Settings& s) { s.BackColor = 1; }},
      {"empty file", "", [](Settings&) {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Settings expected = Defaults();
    c.Expect(expected);
    EXPECT_EQ(LoadFrom(c.File), expected);
  }
}

TEST_F(SettingsTest, CutsLongValuesAtACharacterBoundary) {
  const std::string zhong = "\xD6\xD0";
  struct Case {
    std::string Value;
    std::size_t Kept;
  };
  const Case cases[] = {
      {std::string(10239, 'a'), 10239},
      {std::string(10240, 'a'), 10239},
      {std::string(100000, 'a'), 10239},
      {[&] {  // 5120 double-byte characters: the cut falls inside the last but one
         std::string s;
         for (int i = 0; i < 5120; ++i) s += zhong;
         return s;
       }(),
       10238},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Value.size());
    Settings s = LoadFrom(kFont + "\r\n" + kFontName + "=" + c.Value + "\r\n");
    EXPECT_EQ(s.FontName, c.Value.substr(0, c.Kept));
  }
}

// A file the program wrote, read and saved again without changes, comes back byte
// for byte: numbers keep their sign, the style word stays, nothing moves.
TEST_F(SettingsTest, SavesUnchangedSettingsAsTheyWereRead) {
  const std::string file = kPreview + "\r\n" + kAutoPreview + "=" + kOn + "\r\n" + kPreviewAll +
                           "=" + kOff + "\r\n" + kPreviewCount + "=-3\r\n" + kColor + "\r\n" +
                           kBackColor + "=255\r\n" + kTextColor + "=0\r\n" + kFont + "\r\n" +
                           kFontName + "=" + kHeiti + "\r\n" + kFontSize + "=12\r\n" + kFontStyle +
                           "=" + kBoldItalic + "\r\n";
  Settings s = LoadFrom(file);
  EXPECT_EQ(s.PreviewCount, -3);
  ASSERT_TRUE(settings::SaveSettings(s, path));
  EXPECT_EQ(dir.Read("config.ini"), file);
}

TEST_F(SettingsTest, KeepsWhatItDoesNotKnow) {
  const std::string before = "; written by hand\n" + kFont + "\n" + kFontSize +
                             "=9\nextra=1\n\n[other]\n" + kPreviewCount + "=77\n";
  dir.Write("config.ini", before);
  Settings s = Defaults();
  s.FontSize = 11;
  ASSERT_TRUE(settings::SaveSettings(s, path));
  const std::string after = "; written by hand\n" + kFont + "\n" + kFontSize + "=11\nextra=1\n" +
                            kFontName + "=" + kSongti + "\n" + kFontStyle + "=" + kRegular +
                            "\n\n[other]\n" + kPreviewCount + "=77\n" + kPreview + "\n" +
                            kAutoPreview + "=" + kOff + "\n" + kPreviewAll + "=" + kOff + "\n" +
                            kPreviewCount + "=10\n" + kColor + "\n" + kBackColor + "=8429696\n" +
                            kTextColor + "=8388608\n";
  EXPECT_EQ(dir.Read("config.ini"), after);
}

TEST_F(SettingsTest, ReadsJunkWithoutHarm) {
  std::mt19937 random(11);
  std::string junk(20000, '\0');
  for (char& c : junk) c = static_cast<char>(random());
  Settings expected = Defaults();
  expected.PreviewCount = 7;
  EXPECT_EQ(LoadFrom(junk + "\r\n" + kPreview + "\r\n" + kPreviewCount + "=7"), expected);
}

TEST_F(SettingsTest, AFailedSaveIsQuietAndLeavesTheOldFile) {
  dir.Write("plain");
  EXPECT_FALSE(settings::SaveSettings(Defaults(), dir.Path() + "plain/config.ini"));
  EXPECT_FALSE(settings::SaveSettings(Defaults(), ""));

  std::filesystem::create_directory(dir.Path() + "folder.ini");
  EXPECT_FALSE(settings::SaveSettings(Defaults(), dir.Path() + "folder.ini"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "folder.ini"));

  // A full disk: files may not grow past a few bytes while saving.
  dir.Write("config.ini", "old");
  struct rlimit old;
  getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit small = old;
  small.rlim_cur = 16;
  sighandler_t oldHandler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  bool saved = settings::SaveSettings(Defaults(), path);
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved);
  EXPECT_EQ(dir.Read("config.ini"), "old");
}

}  // namespace
