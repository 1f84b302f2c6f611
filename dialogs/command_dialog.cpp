#include "dialogs/command_dialog.h"

#include <QCheckBox>
#include <QLineEdit>

#include "dialogs/file_list_fit.h"
#include "dialogs/relative_path_strip.h"

TMyCmdDialog::TMyCmdDialog(QWidget* parent) : QFileDialog(parent) {
  setObjectName(QStringLiteral("TMyCmdDialog"));
  setOption(QFileDialog::DontUseNativeDialog, true);
  // A file that does not exist yet may be typed and is returned.
  setFileMode(QFileDialog::AnyFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  setSizeGripEnabled(true);
  strip_ = new sw::dialogs::RelativePathStrip(*this);
  sw::dialogs::fitFileLists(*this);
}

QString TMyCmdDialog::CmdParam() const { return strip_->parametersEdit().text(); }
void TMyCmdDialog::setCmdParam(const QString& parameters) { strip_->parametersEdit().setText(parameters); }

bool TMyCmdDialog::IsRelFilePath() const { return strip_->relativeBox().isChecked(); }
void TMyCmdDialog::setIsRelFilePath(bool relative) { strip_->relativeBox().setChecked(relative); }

bool TMyCmdDialog::ShowParamBox() const { return showParamBox_; }
void TMyCmdDialog::setShowParamBox(bool shown) {
  showParamBox_ = shown;
  strip_->setParametersShown(shown);
}

QString TMyCmdDialog::FileName() const {
  const QStringList files = selectedFiles();
  return files.isEmpty() ? QString() : files.front();
}
