#pragma once
// The open dialog for pictures: Qt's file dialog with a preview of the selected file to the
// right of the file list (its size in pixels, a button that shows it in a window of its own) and
// the relative-path strip under the file-type row.

#include <QFileDialog>
#include <QImage>
#include <QString>
#include <memory>

namespace sw::dialogs {
class RelativePathStrip;
}

namespace Ui {
class PicturePanel;
}

class TMyOpenPictureDialog : public QFileDialog {
  Q_OBJECT
  Q_PROPERTY(bool IsRelFilePath READ IsRelFilePath WRITE setIsRelFilePath)

 public:
  explicit TMyOpenPictureDialog(QWidget* parent = nullptr);
  ~TMyOpenPictureDialog() override;

  // "All (...)|...|JPEG Image File (*.jpg)|*.jpg|...": every format the preview can show or
  // names.
  static QString pictureFilter();

  bool IsRelFilePath() const;
  void setIsRelFilePath(bool relative);
  // The chosen file as an absolute host path.
  QString FileName() const;

 public slots:
  // Shows the preview of a file (the dialog's current file when it changes); the same name as
  // last time is not loaded again.
  void previewFile(const QString& hostPath);
  // The selected picture, at full size, in a window of its own.
  void PreviewButtonClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void clearPreview();

  sw::dialogs::RelativePathStrip* strip_;
  std::unique_ptr<Ui::PicturePanel> panel_;
  QString lastPreviewed_;
};
