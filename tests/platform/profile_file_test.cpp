#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "support/temp_dir.h"

namespace {

using platform::ProfileFile;

struct ReadCase {
  const char* Name;
  std::string File;
  std::string Section;
  std::string Key;
  std::optional<std::string> Expected;
};

TEST(ProfileFileTest, ReadsAsWindowsProfileFilesRead) {
  const std::string zi = "\xD7\xD6";            // 字
  const std::string bracketTrail = "\xB0\x5D";  // a character whose trail byte is ']'
  const ReadCase cases[] = {
      {"CR LF", "[s]\r\nk=v\r\n", "s", "k", "v"},
      {"LF", "[s]\nk=v\n", "s", "k", "v"},
      {"lone CR", "[s]\rk=v\r", "s", "k", "v"},
      {"no final line end", "[s]\nk=v", "s", "k", "v"},
      {"ASCII case ignored", "[Section]\nKey=v\n", "SECTION", "key", "v"},
      {"double-byte names", "[" + zi + "]\n" + zi + "=v\n", zi, zi, "v"},
      {"blanks around names and value", " \t[ s \t]\n \t k \v= \t v w \t\n", "s", "k", "v w"},
      {"text after the bracket", "[s] trailing words\nk=v\n", "s", "k", "v"},
      {"missing closing bracket", "[s\nk=v\n", "s", "k", "v"},
      {"name ends at the first bracket", "[s]x]\nk=v\n", "s]x", "k", std::nullopt},
      {"trail byte that looks like a bracket", "[" + bracketTrail + "x]\nk=v\n", bracketTrail + "x",
       "k", "v"},
      {"present but empty", "[s]\nk=\n", "s", "k", ""},
      {"only blanks", "[s]\nk=   \n", "s", "k", ""},
      {"double quotes", "[s]\nk= \" v \" \n", "s", "k", " v "},
      {"single quotes", "[s]\nk='v'\n", "s", "k", "v"},
      {"outermost quotes only", "[s]\nk=\"'v'\"\n", "s", "k", "'v'"},
      {"quotes that do not match", "[s]\nk=\"v'\n", "s", "k", "\"v'"},
      {"a lone quote", "[s]\nk=\"\n", "s", "k", "\""},
      {"value ends at NUL", std::string("[s]\nk=ab\0cd\n", 12), "s", "k", "ab"},
      {"equals sign in the value", "[s]\nk=a=b\n", "s", "k", "a=b"},
      {"semicolon in the value", "[s]\nk=a;b\n", "s", "k", "a;b"},
      {"comment", "[s]\n;k=v\n", "s", "k", std::nullopt},
      {"indented comment", "[s]\n  ;k=v\n", "s", "k", std::nullopt},
      {"line without equals sign is no key", "[s]\nk\nk=v\n", "s", "k", "v"},
      {"key before any section", "k=v\n[s]\n", "s", "k", std::nullopt},
      {"first of duplicate keys", "[s]\nk=1\nk=2\n", "s", "k", "1"},
      {"only the first of duplicate sections", "[s]\na=1\n[t]\n[S]\nk=2\n", "s", "k", std::nullopt},
      {"key in another section", "[t]\nk=v\n[s]\n", "s", "k", std::nullopt},
      {"empty file", "", "s", "k", std::nullopt},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ProfileFile file(c.File);
    EXPECT_EQ(file.Find(c.Section, c.Key), c.Expected);
    EXPECT_EQ(file.Get(c.Section, c.Key, "default"), c.Expected.value_or("default"));
  }
}

TEST(ProfileFileTest, KeepsAVeryLongValueWhole) {
  std::string value(1 << 20, 'v');
  ProfileFile file("[s]\r\nk=" + value + "\r\n");
  EXPECT_EQ(file.Find("s", "k"), value);
}

// Whatever the bytes, reading never crashes and writing them back changes nothing.
TEST(ProfileFileTest, JunkSurvivesUnchanged) {
  std::mt19937 random(7);
  const char alphabet[] = {'[', ']',  '=', ';', '\r',   '\n',   ' ',    '\t',
                           '"', '\0', 'k', 's', '\x81', '\xD6', '\xFF', '\x5D'};
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 400, '\0');
    for (char& c : bytes) {
      c = random() % 2 ? alphabet[random() % sizeof alphabet] : static_cast<char>(random());
    }
    ProfileFile file(bytes);
    file.Find("s", "k");
    EXPECT_EQ(file.Serialize(), bytes);
  }
}

struct WriteCase {
  const char* Name;
  std::string Before;
  std::string Section;
  std::string Key;
  std::string Value;
  std::string After;
};

TEST(ProfileFileTest, SetsAKeyKeepingEveryOtherLine) {
  const WriteCase cases[] = {
      {"new file", "", "s", "k", "v", "[s]\r\nk=v\r\n"},
      {"replaces in place",
       "; head\r\n[s]\r\na=1\r\n k = old \r\n; note\r\nb=2\r\n\r\n[t]\r\nk=x\r\n", "s", "k", "new",
       "; head\r\n[s]\r\na=1\r\nk=new\r\n; note\r\nb=2\r\n\r\n[t]\r\nk=x\r\n"},
      {"keeps the spelling of the name", "[S]\nKey=1\n", "s", "key", "2", "[S]\nKey=2\n"},
      {"empty value", "[s]\nk=1\n", "s", "k", "", "[s]\nk=\n"},
      {"adds after the section's last key", "[s]\na=1\n; about t\n\n[t]\nb=2\n", "s", "k", "v",
       "[s]\na=1\nk=v\n; about t\n\n[t]\nb=2\n"},
      {"adds right after a bare header", "[s]\n\n[t]\n", "s", "k", "v", "[s]\nk=v\n\n[t]\n"},
      {"adds a section at the end", "[t]\nb=2\n", "s", "k", "v", "[t]\nb=2\n[s]\nk=v\n"},
      {"ends the last line first", "[t]\r\nb=2", "s", "k", "v", "[t]\r\nb=2\r\n[s]\r\nk=v\r\n"},
      {"adds to a last section without a final line end", "[s]\r\na=1", "s", "k", "v",
       "[s]\r\na=1\r\nk=v\r\n"},
      {"only the first duplicate section", "[s]\na=1\n[s]\nk=1\n", "s", "k", "2",
       "[s]\na=1\nk=2\n[s]\nk=1\n"},
      {"only the first duplicate key", "[s]\nk=1\nk=1\n", "s", "k", "2", "[s]\nk=2\nk=1\n"},
      {"a value is one line", "[s]\nk=1\n", "s", "k", "a\r\nb=c", "[s]\nk=a\n"},
      {"a line without equals sign stays", "[s]\nk\n", "s", "k", "v", "[s]\nk=v\nk\n"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ProfileFile file(c.Before);
    file.Set(c.Section, c.Key, c.Value);
    EXPECT_EQ(file.Serialize(), c.After);
  }
}

TEST(ProfileFileTest, LoadsAndSaves) {
  TempDir dir;
  std::string path = dir.Path() + "config.ini";
  std::optional<ProfileFile> missing = ProfileFile::Load(path);
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->Serialize(), "");

  dir.Write("config.ini", "[s]\r\nk=1\r\n");
  std::optional<ProfileFile> file = ProfileFile::Load(path);
  ASSERT_TRUE(file);
  file->Set("s", "k", "2");
  ASSERT_TRUE(file->Save(path));
  EXPECT_EQ(dir.Read("config.ini"), "[s]\r\nk=2\r\n");

  std::filesystem::create_directory(dir.Path() + "folder.ini");
  EXPECT_FALSE(ProfileFile::Load(dir.Path() + "folder.ini"));
}

}  // namespace
