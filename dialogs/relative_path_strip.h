#pragma once
// The strip the editor adds under the file-type row of its open dialogs: the checkbox that asks
// for a path relative to the project, and the command's parameters. Its labels stand in the
// column of the file-type label and its fields in the column of the file-type list, whose width
// the parameters field keeps as the dialog is resized.

#include <QObject>
#include <memory>

class QFileDialog;
class QCheckBox;
class QLineEdit;
class QWidget;

namespace Ui {
class RelativePathStrip;
}

namespace sw::dialogs {

class RelativePathStrip : public QObject {
  Q_OBJECT

 public:
  // Builds the strip into `dialog` (a non-native QFileDialog), under its file-type row.
  explicit RelativePathStrip(QFileDialog& dialog);
  ~RelativePathStrip() override;

  QCheckBox& relativeBox() const;
  QLineEdit& parametersEdit() const;
  QWidget& panel() const;
  // Shows or hides the parameters row.
  void setParametersShown(bool shown);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void followFileTypeList();

  QFileDialog& dialog_;
  QWidget* fileTypeLabel_ = nullptr;
  QWidget* fileTypeList_ = nullptr;
  std::unique_ptr<Ui::RelativePathStrip> ui_;
};

}  // namespace sw::dialogs
