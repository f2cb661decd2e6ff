#include "platform/files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

#include "platform/program_dir.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::string kZhongInternal = "\xD6\xD0";  // 中
const std::string kZhongUtf8 = "\xE4\xB8\xAD";
const std::string kWenInternal = "\xCE\xC4";  // 文
const std::string kWenUtf8 = "\xE6\x96\x87";

// Every name in the directory, as the disk spells it.
std::set<std::string> DiskNames(const TempDir& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

ino_t Inode(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Runs `write` with files limited to `limit` bytes, so that a write fails as on a
// full disk even for root.
bool WithFileSizeLimit(rlim_t limit, const std::function<bool()>& write) {
  struct rlimit old;
  getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit small = old;
  small.rlim_cur = limit;
  sighandler_t oldHandler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  bool result = write();
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  return result;
}

using MoveFunction = bool (*)(const std::string&, const std::string&);

// Both ways of moving: the system call, and the link + unlink fallback.
class MoveTest : public ::testing::TestWithParam<MoveFunction> {
 protected:
  bool Move(const std::string& from, const std::string& to) {
    return GetParam()(dir.Path() + from, dir.Path() + to);
  }
  TempDir dir;
};

INSTANTIATE_TEST_SUITE_P(Platform, MoveTest,
                         ::testing::Values(&platform::MoveFileNoReplace,
                                           &platform::MoveFileByLinking),
                         [](const auto& info) {
                           return info.param == &platform::MoveFileNoReplace ? "Rename" : "Link";
                         });

TEST_P(MoveTest, MovesToAFreeName) {
  dir.Write("a.txt", "content");
  EXPECT_TRUE(Move("a.txt", "b.txt"));
  EXPECT_EQ(DiskNames(dir), (std::set<std::string>{"b.txt"}));
  EXPECT_EQ(dir.Read("b.txt"), "content");
}

TEST_P(MoveTest, ConvertsDoubleByteNamesToUtf8OnDisk) {
  dir.Write(kZhongUtf8 + ".txt", "x");
  EXPECT_TRUE(Move(kZhongInternal + ".txt", kWenInternal + ".txt"));
  EXPECT_EQ(DiskNames(dir), (std::set<std::string>{kWenUtf8 + ".txt"}));
}

// Whatever holds the target name, the move fails and nothing changes: not the
// source, not the target, and no temporary name is left behind.
TEST_P(MoveTest, NeverReplacesAnExistingTarget) {
  struct Case {
    const char* Name;
    std::function<void(const TempDir&)> MakeTarget;
  };
  const Case cases[] = {
      {"regular file", [](const TempDir& d) { d.Write("b.txt", "target bytes"); }},
      {"empty file", [](const TempDir& d) { d.Write("b.txt"); }},
      {"directory", [](const TempDir& d) { fs::create_directory(d.Path() + "b.txt"); }},
      {"symbolic link to the source",
       [](const TempDir& d) { fs::create_symlink("a.txt", d.Path() + "b.txt"); }},
      {"dangling symbolic link",
       [](const TempDir& d) { fs::create_symlink("nowhere", d.Path() + "b.txt"); }},
      {"hard link of another file",
       [](const TempDir& d) {
         d.Write("other", "other bytes");
         fs::create_hard_link(d.Path() + "other", d.Path() + "b.txt");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempDir fresh;
    fresh.Write("a.txt", "source bytes");
    c.MakeTarget(fresh);
    std::set<std::string> before = DiskNames(fresh);
    std::string targetBytes = fresh.Read("b.txt");
    EXPECT_FALSE(GetParam()(fresh.Path() + "a.txt", fresh.Path() + "b.txt"));
    EXPECT_EQ(DiskNames(fresh), before);
    EXPECT_EQ(fresh.Read("a.txt"), "source bytes");
    EXPECT_EQ(fresh.Read("b.txt"), targetBytes);
  }
}

// A hard link is a name of its own even though it is the same file: taking it
// would remove one of the user's names, so the move fails and both names stay.
TEST_P(MoveTest, RefusesAHardLinkOfTheSameFile) {
  dir.Write("a.txt", "shared");
  fs::create_hard_link(dir.Path() + "a.txt", dir.Path() + "A.txt");
  ino_t inode = Inode(dir.Path() + "a.txt");

  EXPECT_FALSE(Move("a.txt", "A.txt"));
  EXPECT_EQ(DiskNames(dir), (std::set<std::string>{"a.txt", "A.txt"}));
  EXPECT_EQ(Inode(dir.Path() + "a.txt"), inode);
  EXPECT_EQ(Inode(dir.Path() + "A.txt"), inode);
  EXPECT_EQ(dir.Read("a.txt"), "shared");
}

// A target that is the source's own directory entry, spelled another way, is what a
// case change looks like on a case-insensitive file system: it is carried out.
TEST_P(MoveTest, MovesOntoItsOwnEntry) {
  dir.Write("a.txt", "content");
  EXPECT_TRUE(Move("a.txt", "./a.txt"));
  EXPECT_TRUE(Move("a.txt", "a.txt"));
  EXPECT_EQ(DiskNames(dir), (std::set<std::string>{"a.txt"}));
  EXPECT_EQ(dir.Read("a.txt"), "content");
}

TEST_P(MoveTest, FailsOnNamesThatCannotReachTheDisk) {
  dir.Write("a.txt", "content");
  const std::string badTargets[] = {
      "bad\xD6",                   // a lead byte without its trail byte
      std::string("c.txt\0x", 7),  // would be cut to c.txt by the system
      "",                          // the directory itself
  };
  for (const std::string& target : badTargets) {
    EXPECT_FALSE(Move("a.txt", target));
  }
  EXPECT_FALSE(Move("a\xD6", "c.txt"));
  EXPECT_FALSE(Move("missing.txt", "c.txt"));
  EXPECT_EQ(DiskNames(dir), (std::set<std::string>{"a.txt"}));
}

class FilesTest : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(FilesTest, ListsEveryNonDirectoryInDiskOrder) {
  dir.Write("a.txt");
  dir.Write(".hidden");
  dir.Write(kZhongUtf8 + ".mp3");
  fs::create_directory(dir.Path() + "sub");
  fs::create_directory(dir.Path() + ".git");
  fs::create_symlink("sub", dir.Path() + "link-to-sub");
  fs::create_symlink("nowhere", dir.Path() + "dangling");
  dir.Write("bad\xFF.bin");  // not UTF-8: cannot become internal text

  std::optional<platform::DirectoryListing> listing = platform::ListFiles(dir.Path());
  ASSERT_TRUE(listing);
  std::vector<std::string> expected;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    std::string name = entry.path().filename().string();
    if (name == "a.txt" || name == ".hidden" || name == "dangling") expected.push_back(name);
    if (name == kZhongUtf8 + ".mp3") expected.push_back(kZhongInternal + ".mp3");
  }
  EXPECT_EQ(listing->Names, expected);
  EXPECT_EQ(listing->Skipped, 1);
}

TEST_F(FilesTest, ListingFailsWhenTheDirectoryCannotBeRead) {
  dir.Write("file");
  EXPECT_FALSE(platform::ListFiles(dir.Path() + "missing"));
  EXPECT_FALSE(platform::ListFiles(dir.Path() + "file"));
  EXPECT_FALSE(platform::ListFiles("bad\xD6"));
  std::optional<platform::DirectoryListing> empty = platform::ListFiles(dir.Path());
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->Names, std::vector<std::string>{"file"});
}

TEST_F(FilesTest, TestsPaths) {
  dir.Write("file");
  dir.Write(kZhongUtf8);
  fs::create_directory(dir.Path() + "sub");
  fs::create_symlink("sub", dir.Path() + "link-to-sub");
  fs::create_symlink("nowhere", dir.Path() + "dangling");
  struct Case {
    std::string Name;
    bool Exists;
    bool Directory;
  };
  const Case cases[] = {
      {"file", true, false},       {kZhongInternal, true, false}, {"sub", true, true},
      {"link-to-sub", true, true}, {"dangling", true, false},     {"missing", false, false},
      {"file\xD6", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(platform::PathExists(dir.Path() + c.Name), c.Exists);
    EXPECT_EQ(platform::IsDirectory(dir.Path() + c.Name), c.Directory);
  }
}

TEST(JoinPathTest, PutsOneSlashBetween) {
  EXPECT_EQ(platform::JoinPath("/", "config.ini"), "/config.ini");
  EXPECT_EQ(platform::JoinPath("/opt/corvane", "config.ini"), "/opt/corvane/config.ini");
  EXPECT_EQ(platform::JoinPath("/opt/corvane/", "config.ini"), "/opt/corvane/config.ini");
  EXPECT_EQ(platform::JoinPath("", "config.ini"), "config.ini");
}

TEST(ProgramDirectoryTest, IsTheDirectoryOfThisTestProgram) {
  std::string dir = platform::ProgramDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '/');
  EXPECT_TRUE(fs::is_regular_file(dir + "platform_tests"));
  EXPECT_EQ(platform::ProgramFilePath("dir.txt"), dir + "dir.txt");
}

TEST_F(FilesTest, ReadsWholeFiles) {
  const std::string bytes("\0\xFF\r\nline", 8);
  dir.Write("data", bytes);
  EXPECT_EQ(platform::ReadWholeFile(dir.Path() + "data"), bytes);
  EXPECT_EQ(platform::ReadWholeFile(dir.Path() + "data", 8), bytes);
  EXPECT_FALSE(platform::ReadWholeFile(dir.Path() + "data", 7));
  EXPECT_FALSE(platform::ReadWholeFile(dir.Path() + "missing"));
  EXPECT_FALSE(platform::ReadWholeFile(dir.Path()));
}

TEST_F(FilesTest, WritesAndReplacesFilesLeavingNoTemporaryFile) {
  std::string path = dir.Path() + kZhongInternal + ".ini";
  ASSERT_TRUE(platform::WriteFileReplacing(path, "first, and longer"));
  EXPECT_EQ(dir.Read(kZhongUtf8 + ".ini"), "first, and longer");
  fs::permissions(dir.Path() + kZhongUtf8 + ".ini", fs::perms(0640));

  ASSERT_TRUE(platform::WriteFileReplacing(path, "second"));
  EXPECT_EQ(dir.Read(kZhongUtf8 + ".ini"), "second");
  EXPECT_EQ(fs::status(dir.Path() + kZhongUtf8 + ".ini").permissions(), fs::perms(0640));
  EXPECT_EQ(DiskNames(dir), (std::set<std::string>{kZhongUtf8 + ".ini"}));
}

TEST_F(FilesTest, WritesThroughASymbolicLink) {
  fs::create_directory(dir.Path() + "real");
  dir.Write("real/config.ini", "old");
  fs::create_symlink("real/config.ini", dir.Path() + "config.ini");

  ASSERT_TRUE(platform::WriteFileReplacing(dir.Path() + "config.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(dir.Path() + "config.ini"));
  EXPECT_EQ(dir.Read("real/config.ini"), "new");
}

TEST_F(FilesTest, FailedWriteLeavesTheOldFile) {
  dir.Write("config.ini", "old bytes");
  dir.Write("plain");
  fs::create_directory(dir.Path() + "folder");

  EXPECT_FALSE(platform::WriteFileReplacing(dir.Path() + "plain/config.ini", "new"));
  EXPECT_FALSE(platform::WriteFileReplacing(dir.Path() + "missing/config.ini", "new"));
  EXPECT_FALSE(platform::WriteFileReplacing(dir.Path() + "folder", "new"));
  EXPECT_FALSE(platform::WriteFileReplacing(dir.Path() + "bad\xD6", "new"));
  EXPECT_TRUE(fs::is_directory(dir.Path() + "folder"));

  // A disk that fills up halfway through the new bytes.
  std::string big(1 << 20, 'x');
  EXPECT_FALSE(WithFileSizeLimit(
      4096, [&] { return platform::WriteFileReplacing(dir.Path() + "config.ini", big); }));
  EXPECT_EQ(dir.Read("config.ini"), "old bytes");
  EXPECT_EQ(DiskNames(dir), (std::set<std::string>{"config.ini", "plain", "folder"}));
}

TEST_F(FilesTest, LeavesAReadOnlyFileAlone) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write to any file";
  dir.Write("config.ini", "old");
  fs::permissions(dir.Path() + "config.ini", fs::perms(0444));
  EXPECT_FALSE(platform::WriteFileReplacing(dir.Path() + "config.ini", "new"));
  EXPECT_EQ(dir.Read("config.ini"), "old");
}

}  // namespace
