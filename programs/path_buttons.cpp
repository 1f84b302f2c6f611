#include "programs/path_buttons.h"

#include <QLineEdit>

#include "dialogs/pick_routines.h"
#include "dialogs/relative_paths.h"
#include "model/paths.h"
#include "platform/text.h"

namespace sw {

void runFolderButton(QWidget* owner, QLineEdit& edit, const QString& title, const std::string& rootFolder,
                     const std::string& browseRoot) {
  const std::string typed = ExpandVariables(text::fromQString(edit.text()));
  bool relative = !IsAbsolutePath(typed);
  std::string folder = relative ? rootFolder + "\\" + typed + "\\" : typed;
  if (!BrowseFolder(owner, title, browseRoot, folder, relative, true)) return;
  edit.setText(text::toQString(relative ? RelativeToFolder(rootFolder + "\\", folder) : folder));
}

void runFileButton(QWidget* owner, QLineEdit& edit, const QString& title, const QString& filter,
                   const std::string& rootFolder) {
  std::string value = text::fromQString(edit.text());
  if (PickFile(owner, rootFolder, std::string(), value, filter, title, false))
    edit.setText(text::toQString(value));
}

}  // namespace sw
