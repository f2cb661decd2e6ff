#include "settings/last_directory.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

class LastDirectoryTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.Path() + "dir.txt";
};

TEST_F(LastDirectoryTest, WritesOneGbkLineAndReadsItBack) {
  const std::string music = "/home/user/\xD2\xF4\xC0\xD6/";  // 音乐
  dir.Write("dir.txt", "/a/much/longer/directory/of/before/\r\nand a second line\r\n");
  ASSERT_TRUE(settings::WriteLastDirectory(path, music));
  EXPECT_EQ(dir.Read("dir.txt"), music + "\r\n");
  EXPECT_EQ(settings::ReadLastDirectory(path), music);
}

TEST_F(LastDirectoryTest, ReadsTheFirstLine) {
  struct Case {
    std::string File;
    std::string Expected;
  };
  const Case cases[] = {
      {"", ""},
      {"\r\n", ""},
      {"/music/\r\n", "/music/"},
      {"/music/\n", "/music/"},
      {"/music/", "/music/"},
      {"/music/\r\n/films/\r\n", "/music/"},
      {std::string("/music/\0junk", 12), "/music/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.File);
    dir.Write("dir.txt", c.File);
    EXPECT_EQ(settings::ReadLastDirectory(path), c.Expected);
  }
  EXPECT_EQ(settings::ReadLastDirectory(dir.Path() + "missing.txt"), "");
  EXPECT_EQ(settings::ReadLastDirectory(dir.Path()), "");
}

// A directory whose name holds a line end cannot be one line; the file keeps the old one.
TEST_F(LastDirectoryTest, DoesNotRememberWhatCannotBeOneLine) {
  dir.Write("dir.txt", "/music/\r\n");
  EXPECT_FALSE(settings::WriteLastDirectory(path, "/odd\nname/"));
  EXPECT_EQ(dir.Read("dir.txt"), "/music/\r\n");
  EXPECT_FALSE(settings::WriteLastDirectory(dir.Path() + "missing/dir.txt", "/music/"));
}

}  // namespace
