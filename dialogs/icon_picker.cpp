#include "dialogs/icon_picker.h"

#include <utility>

#include "dialogs/dialog_runner.h"
#include "dialogs/icon_picker_dialog.h"
#include "dialogs/icon_picker_state.h"
#include "model/paths.h"
#include "model/project.h"
#include "platform/files.h"

#ifdef _WIN32
#include <windows.h>

#include <QString>

#include "platform/text.h"
#endif

namespace sw {
namespace {

// The system folder, 1251. Elsewhere the Windows default, which does not exist there: the
// picker then opens empty and the user browses.
std::string systemFolder() {
#ifdef _WIN32
  wchar_t buffer[MAX_PATH + 1];
  const UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
  if (length > 0 && length <= MAX_PATH)
    return text::fromQString(QString::fromWCharArray(buffer, static_cast<qsizetype>(length)));
#endif
  return "C:\\Windows\\System32";
}

std::string libraryCandidate(const Project& project) {
  const std::string& library = project.Settings.CommonIconLib;
  if (IsAbsolutePath(library)) return ExpandVariables(library);
  std::string joined = project.ProjectRootFolder;
  joined += '\\';
  joined += library;
  return ExpandVariables(joined);
}

}  // namespace

std::string DefaultIconFile(const Project& project) {
  dialogs::IconPickerState& state = dialogs::iconPickerState();
  state.libraryPath.clear();
  std::string candidate = libraryCandidate(project);
  if (files::fileExists(candidate)) {
    state.libraryPath = candidate;
    return candidate;
  }
  std::string shell = systemFolder();
  shell += "\\SHELL32.DLL";
  return shell;
}

bool PickIcon(QWidget* owner, const Project& project, std::string& iconFile, int& iconIndex) {
  dialogs::TPicIconDlgFm dialog(owner);
  dialogs::IconPickerState& state = dialogs::iconPickerState();
  // Every use looks the library up again: the project's settings may have changed since.
  const std::string fallback = DefaultIconFile(project);
  state.currentIconFile = iconFile.empty() ? fallback : iconFile;
  state.selectedIconIndex = -1;
  const bool library = iconFile.empty() ? !state.libraryPath.empty() : dialogs::isLibraryPath(iconFile);
  dialog.startUse(library);
  dialog.selectIcon(iconIndex);
  if (dialogs::runDialog(dialog) != QDialog::Accepted) return false;

  std::string chosen = dialog.libraryChosen() ? std::string() : state.currentIconFile;
  // The library is stored as an empty file name, however it was reached.
  if (dialogs::isLibraryPath(chosen)) chosen.clear();
  iconFile = std::move(chosen);
  iconIndex = state.selectedIconIndex;
  return true;
}

}  // namespace sw
