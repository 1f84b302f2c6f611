#pragma once
// The open dialog for everything a project stores as a command or a file path: Qt's own file
// dialog with the strip that asks for a relative path and holds the command's parameters. The
// pick routines split a command before and compose the result after; this class only shows the
// values and hands them back.

#include <QFileDialog>
#include <QString>

namespace sw::dialogs {
class RelativePathStrip;
}

class TMyCmdDialog : public QFileDialog {
  Q_OBJECT
  Q_PROPERTY(QString CmdParam READ CmdParam WRITE setCmdParam)
  Q_PROPERTY(bool IsRelFilePath READ IsRelFilePath WRITE setIsRelFilePath)
  Q_PROPERTY(bool ShowParamBox READ ShowParamBox WRITE setShowParamBox)

 public:
  explicit TMyCmdDialog(QWidget* parent = nullptr);

  // The parameters as typed, blanks included.
  QString CmdParam() const;
  void setCmdParam(const QString& parameters);
  bool IsRelFilePath() const;
  void setIsRelFilePath(bool relative);
  bool ShowParamBox() const;
  void setShowParamBox(bool shown);

  // The chosen file as an absolute host path; it need not exist.
  QString FileName() const;

 private:
  sw::dialogs::RelativePathStrip* strip_;
  bool showParamBox_ = true;
};
