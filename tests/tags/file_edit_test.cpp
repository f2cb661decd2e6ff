// The random-access file and the in-place edits (platform/file, tags/file_edit).
#include "tags/file_edit.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file.h"
#include "support/temp_dir.h"
#include "tags/tag_bytes.h"

namespace {

using namespace tags;
using platform::DiskFile;
using platform::MemoryFile;
using platform::OpenMode;

struct EditCase {
  std::string Before;
  std::int64_t Offset, Count;
  std::string Bytes;
  std::string After;
};

TEST(ReplaceBytesTest, Table) {
  const EditCase cases[] = {
      {"abcdef", 0, 0, "XY", "XYabcdef"},     // insert at the start
      {"abcdef", 6, 0, "XY", "abcdefXY"},     // insert at the end
      {"abcdef", 2, 0, "XY", "abXYcdef"},     // insert inside
      {"abcdef", 0, 2, "", "cdef"},           // delete at the start
      {"abcdef", 2, 2, "", "abef"},           // delete inside
      {"abcdef", 4, 10, "", "abcd"},          // count past the end cuts the file
      {"abcdef", 1, 3, "XYZ", "aXYZef"},      // same size
      {"abcdef", 1, 3, "X", "aXef"},          // shrink
      {"abcdef", 1, 1, "XYZW", "aXYZWcdef"},  // grow
      {"", 0, 0, "XY", "XY"},
      {"abc", 0, 3, "", ""},
  };
  for (const auto& c : cases) {
    MemoryFile file(c.Before);
    EXPECT_TRUE(platform::ReplaceBytes(file, c.Offset, c.Count, c.Bytes)) << c.Before;
    EXPECT_EQ(file.Bytes(), c.After) << c.Before << " @" << c.Offset;
  }
}

TEST(ReplaceBytesTest, OffsetPastTheEndFails) {
  MemoryFile file("abc");
  EXPECT_FALSE(platform::ReplaceBytes(file, 4, 0, "x"));
  EXPECT_EQ(file.Bytes(), "abc");
}

TEST(ReplaceBytesTest, LargeMovesAcrossManyBlocks) {
  std::string audio = tagtest::Audio(1'000'003);
  std::string head(20'000, 'h');
  MemoryFile file(head + audio);
  ASSERT_TRUE(ReplaceFileBytes(file, 0, 20'000, std::string(70'001, 'n')));
  EXPECT_EQ(file.Bytes(), std::string(70'001, 'n') + audio);
  ASSERT_TRUE(ReplaceFileBytes(file, 0, 70'001, "x"));
  EXPECT_EQ(file.Bytes(), "x" + audio);
  ASSERT_TRUE(DeleteFileBytes(file, 0, 1));
  EXPECT_EQ(file.Bytes(), audio);
  ASSERT_TRUE(InsertFileBytes(file, 0, head));
  EXPECT_EQ(file.Bytes(), head + audio);
}

TEST(ReplaceBytesTest, FileThatCannotGrowIsLeftExactlyAsItWas) {
  std::string before = "0123456789" + tagtest::Audio(100'000);
  MemoryFile file(before);
  file.SetSizeLimit(static_cast<std::int64_t>(before.size()) + 5);
  EXPECT_FALSE(InsertFileBytes(file, 3, std::string(6, 'x')));
  EXPECT_EQ(file.Bytes(), before);
  EXPECT_FALSE(ReplaceFileBytes(file, 0, 10, std::string(16, 'x')));
  EXPECT_EQ(file.Bytes(), before);
  EXPECT_TRUE(ReplaceFileBytes(file, 0, 10, std::string(15, 'x')));
}

TEST(ReplaceBytesTest, WriteErrorsAreReported) {
  MemoryFile file(tagtest::Audio(300'000));
  file.FailWritesAfter(2);
  EXPECT_FALSE(InsertFileBytes(file, 0, "abc"));
  MemoryFile closed("abc");
  closed.SetOpen(false);
  EXPECT_FALSE(DeleteFileBytes(closed, 0, 1));
  EXPECT_FALSE(InsertFileBytes(closed, 0, "x"));
}

TEST(DiskFileTest, ReadWriteTruncateAndEdit) {
  TempDir dir;
  std::string path = dir.Write("f.bin", "abcdef");
  DiskFile file(path, OpenMode::ReadWrite);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Size(), 6);
  char buf[10];
  EXPECT_EQ(file.ReadAt(4, buf, 10), 2);
  EXPECT_EQ(std::string(buf, 2), "ef");
  EXPECT_EQ(file.ReadAt(6, buf, 10), 0);
  EXPECT_TRUE(file.WriteAt(6, "gh", 2));
  EXPECT_EQ(file.Size(), 8);
  EXPECT_TRUE(InsertFileBytes(file, 2, "XY"));
  EXPECT_TRUE(DeleteFileBytes(file, 0, 1));
  EXPECT_TRUE(file.Truncate(7));
  file.Close();
  EXPECT_EQ(dir.Read("f.bin"), "bXYcdef");
}

TEST(DiskFileTest, ExtendReallyGrowsTheFile) {
  TempDir dir;
  std::string path = dir.Write("f.bin", "abc");
  DiskFile file(path, OpenMode::ReadWrite);
  ASSERT_TRUE(file.Extend(4096));
  EXPECT_EQ(file.Size(), 4096);
  EXPECT_TRUE(file.Extend(10));  // never shrinks
  EXPECT_EQ(file.Size(), 4096);
}

TEST(DiskFileTest, ChinesePathInInternalText) {
  TempDir dir;
  dir.Write("\xE6\xAD\x8C.mp3", "x");                          // 歌.mp3 in UTF-8 on disk
  DiskFile file(dir.Path() + "\xB8\xE8.mp3", OpenMode::Read);  // the same name in GBK
  EXPECT_TRUE(file.IsOpen());
}

TEST(DiskFileTest, OpenFailures) {
  TempDir dir;
  DiskFile file;
  EXPECT_FALSE(file.Open(dir.Path() + "missing.mp3", OpenMode::Read));
  EXPECT_FALSE(file.Open(dir.Path(), OpenMode::Read));           // a directory
  EXPECT_FALSE(file.Open(dir.Path() + "\x81", OpenMode::Read));  // not convertible
  EXPECT_FALSE(file.Open("", OpenMode::Read));
  std::string fifo = dir.Path() + "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(file.Open(fifo, OpenMode::Read));  // would block; refused, not hung
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Size(), -1);
  char c;
  EXPECT_EQ(file.ReadAt(0, &c, 1), -1);
  EXPECT_FALSE(file.WriteAt(0, &c, 1));
}

TEST(DiskFileTest, ReadOnlyFileRefusesWrites) {
  TempDir dir;
  std::string path = dir.Write("f.bin", "abc");
  DiskFile file(path, OpenMode::Read);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_FALSE(file.WriteAt(0, "x", 1));
  EXPECT_FALSE(InsertFileBytes(file, 0, "x"));
  file.Close();
  EXPECT_EQ(dir.Read("f.bin"), "abc");
}

}  // namespace
