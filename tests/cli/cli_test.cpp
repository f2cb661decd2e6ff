// End-to-end tests of corvane-cli on real files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

struct Result {
  int Status = -1;
  std::string Out;
};

// Runs corvane-cli with the arguments (already shell-quoted where needed).
Result Cli(const std::string& args) {
  std::string command = std::string(CORVANE_CLI) + " " + args + " 2>/dev/null";
  Result result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.Out.append(buffer.data(), n);
  int status = pclose(pipe);
  result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string Quote(const std::string& s) {
  return "'" + s + "'";
}

TEST(CliTest, PreviewsGeneralRuleForFilesInTheirOrder) {
  TempDir dir;
  dir.Write("a.jpg");
  dir.Write("b.jpg");
  Result r = Cli("--prefix IMG_ --digits 3 --start 1 " + Quote(dir.Path() + "a.jpg") + " " +
                 Quote(dir.Path() + "b.jpg"));
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out, "a.jpg\tIMG_001.jpg\nb.jpg\tIMG_002.jpg\n");
  EXPECT_TRUE(dir.Exists("a.jpg")) << "a preview touches nothing";
}

TEST(CliTest, OptionValuesReadAsTheBoxesDo) {
  TempDir dir;
  dir.Write("x.txt");
  struct Case {
    std::string args, expected;
  } cases[] = {
      {"--start 1.9", "x.txt\t1.txt\n"},
      {"--start -3 --digits 3", "x.txt\t0-3.txt\n"},
      {"--start abc --digits ''", "x.txt\t0.txt\n"},
      {"--scope ext --ext-text bak", "x.txt\tx.bak\n"},
      {"--scope both --text " + Quote("中文") + " --ext-prefix e --ext-digits 2",
       "x.txt\t中文0.e00\n"},
      {"--rule replace --find x --replace " + Quote("文"), "x.txt\t文.txt\n"},
      {"--rule insert --name-text X --name-pos end", "x.txt\txX.txt\n"},
      {"--rule insert --ext-text Y --ext-pos ''", "x.txt\txY.txt\n"},
      {"--rule case --name upper --ext first-upper", "x.txt\tX.Txt\n"},
  };
  for (const auto& c : cases) {
    Result r = Cli(c.args + " " + Quote(dir.Path() + "x.txt"));
    EXPECT_EQ(r.Status, 0) << c.args;
    EXPECT_EQ(r.Out, c.expected) << c.args;
  }
}

TEST(CliTest, ExamplesOfTheOtherRules) {
  TempDir dir;
  dir.Write("banana.txt");
  dir.Write("abc.txt");
  dir.Write("01 - song.MP3");
  EXPECT_EQ(Cli("--rule replace --find a " + Quote(dir.Path() + "banana.txt")).Out,
            "banana.txt\tbnn.txt\n");
  EXPECT_EQ(Cli("--rule insert --name-text X --name-pos 3 " + Quote(dir.Path() + "abc.txt")).Out,
            "abc.txt\tabXc.txt\n");
  EXPECT_EQ(
      Cli("--rule case --name first-upper --ext lower " + Quote(dir.Path() + "01 - song.MP3")).Out,
      "01 - song.MP3\t01 - Song.mp3\n");
}

TEST(CliTest, Mp3RuleNamesFromTags) {
  TempDir dir;
  // An ID3v1 block alone: title "Song", artist "Band".
  std::string block(128, '\0');
  block.replace(0, 3, "TAG");
  block.replace(3, 4, "Song");
  block.replace(33, 4, "Band");
  dir.Write("x.mp3", std::string(200, '\xFF') + block);
  dir.Write("y.txt");
  Result r = Cli("--rule mp3 --pattern '#1 - #2' " + Quote(dir.Path() + "x.mp3") + " " +
                 Quote(dir.Path() + "y.txt"));
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out, "x.mp3\tBand - Song.mp3\ny.txt\t\n");
}

TEST(CliTest, DirectoryAddsTheFilesDirectlyInIt) {
  TempDir dir;
  dir.Write(".hidden");
  ASSERT_EQ(system(("mkdir " + Quote(dir.Path() + "sub")).c_str()), 0);
  dir.Write("sub/inner.txt");
  Result r = Cli("--text n " + Quote(dir.Path()));
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out, ".hidden\tn0.hidden\n");
}

TEST(CliTest, BadUsageDoesNothingAndExitsTwo) {
  TempDir dir;
  dir.Write("a.txt");
  std::string file = " " + Quote(dir.Path() + "a.txt");
  for (const std::string& args :
       std::vector<std::string>{"--bogus" + file, "--scope sideways" + file, "--rule magic" + file,
                                "--run " + Quote(dir.Path() + "missing.txt") + file,
                                std::string("--prefix"), std::string("--run")}) {
    Result r = Cli(args);
    EXPECT_EQ(r.Status, 2) << args;
    EXPECT_EQ(r.Out, "") << args;
  }
  EXPECT_TRUE(dir.Exists("a.txt"));
  Result help = Cli("--help");
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("Usage: corvane-cli"), std::string::npos);
}

TEST(CliTest, RunRenamesAndNeverReplacesAnExistingFile) {
  TempDir dir;
  dir.Write("a.txt", "A");
  dir.Write("b.txt", "B");
  dir.Write("c.txt", "C");
  dir.Write("1.txt", "existing");
  // Name each file explicitly so the order is known: a->0, b->1 (taken), c->2.
  Result r = Cli("--run " + Quote(dir.Path() + "a.txt") + " " + Quote(dir.Path() + "b.txt") + " " +
                 Quote(dir.Path() + "c.txt"));
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out,
            "a.txt\t0.txt\t更名成功\n"
            "b.txt\t1.txt\t更名失败\n"
            "c.txt\t2.txt\t更名成功\n"
            "文件总数：3 个文件\n\n2 个文件更名成功！\n1 个文件更名失败！\n");
  EXPECT_EQ(dir.Read("1.txt"), "existing");
  EXPECT_EQ(dir.Read("b.txt"), "B");
  EXPECT_EQ(dir.Read("0.txt"), "A");
  EXPECT_EQ(dir.Read("2.txt"), "C");

  Result again = Cli("--run --prefix z " + Quote(dir.Path() + "0.txt"));
  EXPECT_EQ(again.Status, 0);
  EXPECT_EQ(again.Out, "0.txt\tz0.txt\t更名成功\n文件更名完毕！\n");
}

}  // namespace
