#include "dialogs/pick_routines.h"

#include <QDir>
#include <QFileInfo>

#include "dialogs/browse_folder_dialog.h"
#include "dialogs/command_dialog.h"
#include "dialogs/dialog_runner.h"
#include "dialogs/file_filter.h"
#include "dialogs/picture_dialog.h"
#include "dialogs/relative_paths.h"
#include "model/paths.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sw {
namespace {

const QString kProgramFilter = QStringLiteral(
    "Исполняемые файлы (*.exe; *.com)|*.exe;*.com|Коммандные файлы (*.cmd; *.bat)|*.cmd;*.bat|Все файлы "
    "(*.*)|*.*");
const QString kRegistryFilter = QStringLiteral("Файлы реестра (*.reg)|*.reg|Все файлы (*.*)|*.*");

QString hostText(const std::string& cp1251Path) {
  return QString::fromStdString(files::hostPath(cp1251Path));
}

// The file name the dialog starts with: the file itself when it is found, else the name as
// written (with the host's separators), which the dialog takes relative to its folder.
QString startFileName(const PickBase& base, const std::string& file) {
  if (file.empty()) return {};
  const std::string expanded = ExpandVariables(file);
  const std::string full = IsAbsolutePath(file) ? StripLeadMarker(expanded) : base.folder + expanded;
  if (files::fileExists(full)) return hostText(full);
  QString typed = text::toQString(file);
  return typed.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// The chosen file as the field stores it: relative to the base folder when asked, else as chosen.
std::string resultPath(const PickBase& base, const QString& chosen, bool relative) {
  const std::string path = text::fromHostName(QDir::cleanPath(chosen).toStdString());
  return relative ? RelativeToFolder(base.folder, path) : path;
}

// Runs a command dialog on the file `file` of the value; the chosen path on confirm.
bool runCommandDialog(QWidget* owner, const PickBase& base, const std::string& file, const QString& filter,
                      const QString& title, TMyCmdDialog& dialog, std::string& path) {
  dialogs::applyFilter(dialog, filter);
  dialog.setWindowTitle(title);
  dialog.setDirectory(hostText(base.folder));
  const QString start = startFileName(base, file);
  if (!start.isEmpty()) dialog.selectFile(start);
  dialog.setIsRelFilePath(base.relative);
  if (owner != nullptr) dialog.setWindowModality(Qt::WindowModal);
  if (dialogs::runDialog(dialog) != QDialog::Accepted || dialog.FileName().isEmpty()) return false;
  path = resultPath(base, dialog.FileName(), dialog.IsRelFilePath());
  return true;
}

}  // namespace

bool PickFile(QWidget* owner, const std::string& rootFolder, const std::string& itemFolder,
              std::string& value, const QString& filter, const QString& title, bool showParameters) {
  const PickBase base = PickBaseFolder(rootFolder, itemFolder, value);
  const auto [file, parameters] = SplitCommand(value);
  TMyCmdDialog dialog(owner);
  dialog.setCmdParam(text::toQString(parameters));
  dialog.setShowParamBox(showParameters);
  std::string path;
  if (!runCommandDialog(owner, base, file, filter, title, dialog, path)) return false;
  // Parameters are joined as typed: no blank added, nothing trimmed, no quotes.
  value = showParameters ? path + text::fromQString(dialog.CmdParam()) : path;
  return true;
}

bool PickProgramCommand(QWidget* owner, const std::string& rootFolder, const std::string& itemFolder,
                        std::string& value) {
  return PickFile(owner, rootFolder, itemFolder, value, kProgramFilter,
                  QStringLiteral("Открыть файл программы"), true);
}

bool PickRegFile(QWidget* owner, const std::string& rootFolder, const std::string& itemFolder,
                 std::string& value) {
  const PickBase base = PickBaseFolder(rootFolder, itemFolder, value);
  TMyCmdDialog dialog(owner);
  dialog.setShowParamBox(false);
  std::string path;
  // The whole value is the file name: a registry file has no parameters.
  if (!runCommandDialog(owner, base, value, kRegistryFilter, QStringLiteral("Открыть файл реестра"), dialog,
                        path))
    return false;
  value = path;
  return true;
}

bool PickPictureFile(QWidget* owner, const std::string& rootFolder, const std::string& itemFolder,
                     std::string& value) {
  const PickBase base = PickBaseFolder(rootFolder, itemFolder, value);
  TMyOpenPictureDialog dialog(owner);
  dialog.setWindowTitle(QStringLiteral("Открыть файл изображения"));
  dialog.setDirectory(hostText(base.folder));
  const QString start = startFileName(base, value);
  if (!start.isEmpty()) dialog.selectFile(start);
  dialog.setIsRelFilePath(base.relative);
  if (dialogs::runDialog(dialog) != QDialog::Accepted || dialog.FileName().isEmpty()) return false;
  value = resultPath(base, dialog.FileName(), dialog.IsRelFilePath());
  return true;
}

bool BrowseFolder(QWidget* owner, const QString& title, const std::string& browseRoot, std::string& path,
                  bool& relative, bool allowRelative) {
  if (!files::folderExists(path)) path.clear();
  const QString root = browseRoot.empty() ? QString() : hostText(browseRoot);
  const QString start = path.empty() ? QString() : hostText(path);
  dialogs::BrowseFolderDialog dialog(owner, title, root, start, relative, allowRelative);
  if (dialogs::runDialog(dialog) != QDialog::Accepted || dialog.chosenFolder().isEmpty()) return false;
  path = text::fromHostName(dialog.chosenFolder().toStdString());
  if (allowRelative) relative = dialog.isRelative();
  return true;
}

}  // namespace sw
