#pragma once
// What the "..." buttons beside the path fields of the pages and the program panel do: a folder
// chosen in the folder browser (relative to the project root when asked), or a file chosen in
// the file dialog. The field changes only when the user confirms.

#include <QString>
#include <string>

class QLineEdit;
class QWidget;

namespace sw {

// The folder browser for `edit`: a relative field opens inside `rootFolder` with the relative
// option on, an absolute one at itself with it off. `browseRoot` is empty (the whole tree) or
// the project root. All paths are 1251 text.
void runFolderButton(QWidget* owner, QLineEdit& edit, const QString& title, const std::string& rootFolder,
                     const std::string& browseRoot);

// The file dialog for `edit`, with `filter` and `title`, relative to the project root when asked.
void runFileButton(QWidget* owner, QLineEdit& edit, const QString& title, const QString& filter,
                   const std::string& rootFolder);

}  // namespace sw
