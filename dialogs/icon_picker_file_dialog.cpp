#include "dialogs/icon_picker_file_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "dialogs/dialog_runner.h"
#include "dialogs/file_list_fit.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sw::dialogs {
namespace {

// Only the descriptions are shown, as on Windows. "Все файлы" means every file, also one
// without a dot in its name, which "*.*" would miss here.
QStringList iconFileFilters() {
  return {QStringLiteral(u"Файлы со значками (*.exe *.dll *.ico)"), QStringLiteral(u"Программы (*.exe)"),
          QStringLiteral(u"Библиотеки (*.dll)"), QStringLiteral(u"Значки (*.ico)"),
          QStringLiteral(u"Все файлы (*)")};
}

void startWith(QFileDialog& dialog, const std::string& currentFile) {
  if (currentFile.empty()) return;
  const QFileInfo file(QString::fromStdString(files::hostPath(currentFile)));
  if (file.absoluteDir().exists()) dialog.setDirectory(file.absolutePath());
  dialog.selectFile(file.fileName());
}

}  // namespace

std::string runOpenIconFileDlg(QWidget* owner, const std::string& currentFile) {
  QFileDialog dialog(owner, QStringLiteral(u"Смена значка"));
  dialog.setObjectName(QStringLiteral("OpenIconFileDlg"));
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(iconFileFilters());
  // Windows names ignore letter case: SETUP.EXE is a program too.
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  startWith(dialog, currentFile);
  fitFileLists(dialog);
  if (runDialog(dialog) != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return {};
  return text::fromHostName(QFile::encodeName(QDir::toNativeSeparators(chosen.first())).toStdString());
}

}  // namespace sw::dialogs
