// Timings of the commands that must stay linear on a list of 100,000 entries. The
// rename run is compared with the bare rename system calls it makes.
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/list_commands.h"
#include "core/preview.h"
#include "core/rename_run.h"

namespace {

double Seconds(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  names.reserve(count);
  for (int i = 0; i < count; ++i) names.push_back("file" + std::to_string(i) + ".txt");
  return names;
}

// A directory of count empty files.
std::string MakeDirectory(const std::string& tag, int count) {
  std::string dir = std::filesystem::temp_directory_path() /
                    ("corvane-bench-" + tag + "-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directory(dir);
  dir += "/";
  for (const auto& name : Names(count)) std::ofstream(dir + name);
  return dir;
}

}  // namespace

int main(int argc, char** argv) {
  int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  std::vector<std::string> names = Names(count);

  core::Workspace workspace;
  double add = Seconds([&] { workspace.List.AddBatch("/d/", names); });
  core::RuleInputs inputs;
  inputs.General.NamePrefix = "IMG_";
  inputs.General.NameDigits = "6";
  double preview = Seconds([&] { core::RefreshPreview(workspace.List, {1, 1, 10}, inputs, 1); });
  std::vector<bool> half(count);
  for (int i = 0; i < count; i += 2) half[i] = true;
  double remove = Seconds([&] { core::DeleteEntries(workspace, half, 1); });
  printf("entries %d: add %.3f s, preview all %.3f s, remove half %.3f s\n", count, add, preview,
         remove);

  // The bare system calls: rename every file once.
  std::string bareDir = MakeDirectory("bare", count);
  double bare = Seconds([&] {
    for (int i = 0; i < count; ++i) {
      std::string from = bareDir + names[i];
      std::string to = bareDir + "r" + names[i];
      rename(from.c_str(), to.c_str());
    }
  });
  std::string runDir = MakeDirectory("run", count);
  core::Workspace run;
  run.List.AddBatch(runDir, names);
  inputs.General.NamePrefix = "r";
  inputs.General.NameDigits = "1";
  core::RunResult result;
  double renameRun = Seconds([&] { result = core::RenameRun(run, inputs, nullptr); });
  double undo = Seconds([&] { core::UndoLastRun(run, nullptr); });
  printf("rename run %.3f s (%d renamed), bare renames %.3f s, ratio %.2f; undo %.3f s\n",
         renameRun, result.Done, bare, renameRun / bare, undo);
  std::filesystem::remove_all(bareDir);
  std::filesystem::remove_all(runDir);
  return result.Done == count ? 0 : 1;
}
