// The program's icons, drawn for it as SVG and built into the executable.
#pragma once

#include <QIcon>

namespace rovanta::icons {

/// The state icon of a map or tour: 0 unchecked, 1 checked, 2 current; a
/// null icon for -1 (not loaded) and anything else.
QIcon state(int status);

/// The toolbar icon of a command; a null icon for a command without one.
QIcon command(int id);

/// The program's own icon (window, About box).
QIcon program();

// The folder tree.
QIcon drive();
QIcon folderClosed();
QIcon folderOpen();

} // namespace rovanta::icons
