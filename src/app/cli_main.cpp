// corvane-cli: the naming rules and the rename run without a window.
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/cli_tags.h"
#include "core/preview.h"
#include "core/rename_run.h"
#include "core/workspace.h"
#include "platform/files.h"
#include "text/encoding.h"

namespace {

const char kUsage[] =
    "Usage: corvane-cli [OPTIONS] PATH...\n"
    "       corvane-cli tags FILE [--set-v1 FIELD=VALUE]... [--set-v2 FIELD=VALUE]...\n"
    "                             [--remove-v1] [--remove-v2]\n"
    "\n"
    "Computes new names for the files given (a directory adds the files lying directly\n"
    "in it) and prints one line per file: old name, TAB, new name. With --run the files\n"
    "are renamed, each line ends with TAB and the outcome, and a summary follows.\n"
    "Values are read as the window's boxes read them (1.9, -3, abc or an empty text).\n"
    "\n"
    "  --rule general|replace|insert|case|mp3  the naming rule (default general)\n"
    "  --run                                rename on disk\n"
    "  --help                               this text\n"
    "general: --scope name|ext|both (default name) --prefix T --text T --digits N (\"1\")\n"
    "         --suffix T --ext-prefix T --ext-text T --ext-digits N (\"\") --ext-suffix T\n"
    "         --start N (\"0\") --step N (\"1\")\n"
    "replace: --find T --replace T --case-sensitive --scope name|ext|both (default name)\n"
    "insert:  --name-text T --ext-text T --name-pos N|end (\"1\") --ext-pos N|end (\"1\")\n"
    "case:    --name upper|lower|first-upper|first-lower (upper) --ext ... (upper)\n"
    "mp3:     --pattern T (#1 artist, #2 title, #3 album, #4 track, #5 year, #6 genre)\n"
    "         --v1-first (read ID3v1 before ID3v2)\n"
    "\n"
    "Exit status: 0 all succeeded, 1 some entries failed, 2 bad usage.\n";

struct UsageError {
  std::string Message;
};

[[noreturn]] void Fail(const std::string& message) {
  throw UsageError{message};
}

std::string Internal(const std::string& utf8) {
  auto text = text::FromUtf8(utf8);
  if (!text) Fail("not valid UTF-8: " + utf8);
  return *text;
}

template <typename T>
T Choose(const std::string& option, const std::string& value,
         const std::map<std::string, T>& choices) {
  auto found = choices.find(value);
  if (found == choices.end()) Fail("bad value for " + option + ": " + value);
  return found->second;
}

const std::map<std::string, core::Scope> kScopes = {
    {"name", core::Scope::Name}, {"ext", core::Scope::Extension}, {"both", core::Scope::Both}};
const std::map<std::string, core::LetterCase> kCases = {
    {"upper", core::LetterCase::AllUpper},
    {"lower", core::LetterCase::AllLower},
    {"first-upper", core::LetterCase::FirstUpper},
    {"first-lower", core::LetterCase::FirstLower}};
const std::map<std::string, int> kRules = {{"general", core::kGeneralTab},
                                           {"replace", core::kReplaceTab},
                                           {"insert", core::kInsertTab},
                                           {"case", core::kCaseTab},
                                           {"mp3", core::kMp3Tab}};

// A position box: "end" picks the end-of-text button, anything else is the box's text.
void SetInsertPosition(const std::string& value, core::InsertWhere& where, std::string& box) {
  where = value == "end" ? core::InsertWhere::AtEnd : core::InsertWhere::AtPosition;
  if (value != "end") box = Internal(value);
}

struct Command {
  core::RuleInputs Inputs;
  bool Run = false;
  bool Help = false;
  std::vector<std::string> Paths;
};

Command ParseArguments(const std::vector<std::string>& args) {
  Command command;
  core::RuleInputs& in = command.Inputs;
  std::string scope;
  // Options that take a value and the box each one fills.
  const std::map<std::string, std::string*> textOptions = {
      {"--prefix", &in.General.NamePrefix},
      {"--text", &in.General.NameText},
      {"--digits", &in.General.NameDigits},
      {"--suffix", &in.General.NameSuffix},
      {"--ext-prefix", &in.General.ExtPrefix},
      {"--ext-digits", &in.General.ExtDigits},
      {"--ext-suffix", &in.General.ExtSuffix},
      {"--start", &in.General.Start},
      {"--step", &in.General.Step},
      {"--find", &in.Replace.FindText},
      {"--replace", &in.Replace.ReplaceText},
      {"--name-text", &in.Insert.NameInsertText},
      {"--pattern", &in.Mp3.Pattern}};
  std::string extText, nameCase, extCase, rule;
  std::optional<std::string> namePos, extPos;
  bool haveExtText = false;
  const std::map<std::string, std::string*> choiceOptions = {
      {"--rule", &rule}, {"--scope", &scope}, {"--name", &nameCase}, {"--ext", &extCase}};

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto needValue = [&]() -> const std::string& {
      if (i + 1 >= args.size()) Fail("missing value for " + arg);
      return args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      command.Help = true;
    } else if (arg == "--run") {
      command.Run = true;
    } else if (arg == "--v1-first") {
      in.Mp3.PreferV1 = true;
    } else if (arg == "--case-sensitive") {
      in.Replace.CaseSensitive = true;
    } else if (arg == "--ext-text") {
      // Shared by the general rule's new extension and the insert rule's extension text.
      extText = Internal(needValue());
      haveExtText = true;
    } else if (arg == "--name-pos") {
      namePos = needValue();
    } else if (arg == "--ext-pos") {
      extPos = needValue();
    } else if (auto t = textOptions.find(arg); t != textOptions.end()) {
      *t->second = Internal(needValue());
    } else if (auto c = choiceOptions.find(arg); c != choiceOptions.end()) {
      *c->second = needValue();
      if (c->second->empty()) Fail("empty value for " + arg);
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      Fail("unknown option: " + arg);
    } else {
      command.Paths.push_back(arg);
    }
  }
  if (!rule.empty()) in.Tab = Choose("--rule", rule, kRules);
  if (!scope.empty()) {
    core::Scope s = Choose("--scope", scope, kScopes);
    in.General.Scope = s;
    in.Replace.Scope = s;
  }
  if (haveExtText) {
    in.General.ExtText = extText;
    in.Insert.ExtInsertText = extText;
  }
  if (namePos) SetInsertPosition(*namePos, in.Insert.NameWhere, in.Insert.NamePosition);
  if (extPos) SetInsertPosition(*extPos, in.Insert.ExtWhere, in.Insert.ExtPosition);
  if (!nameCase.empty()) in.Case.NameCase = Choose("--name", nameCase, kCases);
  if (!extCase.empty()) in.Case.ExtCase = Choose("--ext", extCase, kCases);
  if (!command.Help && command.Paths.empty()) Fail("no PATH given");
  return command;
}

// Adds each path as the window's drop does: a file as itself, a directory as the
// files lying directly in it. Every path is checked before anything is added.
void AddPaths(core::Workspace& workspace, const std::vector<std::string>& paths) {
  struct Batch {
    std::string Directory;
    std::vector<std::string> Names;
  };
  std::vector<Batch> batches;
  for (const std::string& path : paths) {
    std::filesystem::path absolute = std::filesystem::absolute(path).lexically_normal();
    std::string full = Internal(absolute.string());
    if (platform::IsDirectory(full)) {
      if (full.back() != '/') full += '/';
      auto listing = platform::ListFiles(full);
      if (!listing) Fail("cannot read directory: " + path);
      batches.push_back({full, std::move(listing->Names)});
    } else if (platform::PathExists(full)) {
      std::string dir = Internal(absolute.parent_path().string());
      if (dir.back() != '/') dir += '/';
      batches.push_back({dir, {Internal(absolute.filename().string())}});
    } else {
      Fail("no such file or directory: " + path);
    }
  }
  for (const Batch& batch : batches) workspace.List.AddBatch(batch.Directory, batch.Names);
}

int Main(const std::vector<std::string>& args) {
  Command command = ParseArguments(args);
  if (command.Help) {
    std::cout << kUsage;
    return 0;
  }
  core::Workspace workspace;
  AddPaths(workspace, command.Paths);
  core::FileList& list = workspace.List;
  if (!command.Run) {
    core::ApplyActiveRule(list, command.Inputs, list.FileCount());
    for (int i = 0; i < list.FileCount(); ++i) {
      std::cout << text::ToUtf8Lossy(list.OldNames[i]) << '\t'
                << text::ToUtf8Lossy(list.NewNames[i]) << '\n';
    }
    return 0;
  }
  std::vector<std::string> before = list.OldNames;
  core::RunResult result = core::RenameRun(workspace, command.Inputs, nullptr);
  for (int i = 0; i < list.FileCount(); ++i) {
    std::cout << text::ToUtf8Lossy(before[i]) << '\t' << text::ToUtf8Lossy(list.NewNames[i]) << '\t'
              << text::ToUtf8Lossy(list.Row(i).Cells[core::kStatusColumn]) << '\n';
  }
  // The summary's CR LF line breaks become plain newlines on a terminal.
  std::string summary;
  for (char c : text::ToUtf8Lossy(core::RenameSummary(result))) {
    if (c != '\r') summary += c;
  }
  std::cout << summary << '\n';
  return result.Done == result.Total ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "tags") {
    return RunTagsCommand(std::vector<std::string>(args.begin() + 1, args.end()));
  }
  try {
    return Main(args);
  } catch (const UsageError& error) {
    std::cerr << "corvane-cli: " << error.Message << "\nTry 'corvane-cli --help'.\n";
    return 2;
  }
}
