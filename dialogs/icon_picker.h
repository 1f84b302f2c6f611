#pragma once
// The icon picker ("Смена значка"): the project's icon library or any file with icons, all its
// icons as large pictures, one chosen by the user.

#include <string>

class QWidget;

namespace sw {

struct Project;

// The file the picker starts from when no icon file is set: the project's icon library when it
// exists (remembered as the library path), otherwise the system folder's SHELL32.DLL. 1251 text.
std::string DefaultIconFile(const Project& project);

// Runs the picker. `iconFile` (1251; empty: the project's icon library) and `iconIndex` are in
// and out; on OK the file becomes empty when it is the library, and true is returned. On cancel
// both stay as they came.
bool PickIcon(QWidget* owner, const Project& project, std::string& iconFile, int& iconIndex);

}  // namespace sw
