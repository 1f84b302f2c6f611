#pragma once
// The open dialog of the icon picker's "Обзор" button (`OpenIconFileDlg`).

#include <string>

class QWidget;

namespace sw::dialogs {

// Runs the dialog through the seam, starting with `currentFile` (1251). Returns the confirmed
// file as a host path in 1251, or empty when the user cancels.
std::string runOpenIconFileDlg(QWidget* owner, const std::string& currentFile);

}  // namespace sw::dialogs
