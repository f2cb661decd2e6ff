// The program's own state for one run: the rename workspace and the settings.
// main() creates it before any window (InitGlobals) and drops it at exit (FreeGlobals).
#pragma once

#include <string>

#include "core/workspace.h"
#include "settings/settings.h"

struct AppState {
  core::Workspace Workspace;
  settings::Settings Settings;
  // Files beside the program; tests point them into a temporary directory.
  std::string ConfigPath;
  std::string LastDirPath;
};
