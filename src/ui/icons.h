// The program's own small icons for the toolbar and the menus, drawn in code so
// that they look the same whatever icon theme the desktop has.
#pragma once

#include <QIcon>

enum class IconKind { Directory, AddFiles, Undo, Preview, Rename, Help, Settings };

QIcon ProgramIcon(IconKind kind);
