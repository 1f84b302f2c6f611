#pragma once
// Widget tests of the "..." buttons: what each file dialog showed when it opened, and the file
// chosen in it (or a cancel).

#include <QDialog>
#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <vector>

#include "dialogs/command_dialog.h"
#include "dialogs/dialog_runner.h"

namespace sw::testing {

struct OpenedFileDialog {
  QString title;
  QString folder;
  QStringList filters;
  bool parametersShown = false;
};

// Records each file dialog opened; with `chosen` (a host path) it picks that file and confirms,
// else cancels.
inline dialogs::ScopedDialogRunner recordFileDialogs(std::vector<OpenedFileDialog>& opened,
                                                     const QString& chosen = QString()) {
  return dialogs::ScopedDialogRunner([&opened, chosen](QDialog& dialog) {
    auto& files = dynamic_cast<QFileDialog&>(dialog);
    auto* command = qobject_cast<TMyCmdDialog*>(&files);
    opened.push_back({files.windowTitle(), files.directory().absolutePath(), files.nameFilters(),
                      command != nullptr && command->ShowParamBox()});
    if (chosen.isEmpty()) return static_cast<int>(QDialog::Rejected);
    files.selectFile(chosen);
    dialog.accept();  // QFileDialog's own accept, which checks the name
    return files.result();
  });
}

}  // namespace sw::testing
