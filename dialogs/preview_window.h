#pragma once
// A picture in a window of its own ("Preview"): as large as the picture and its frame, but never
// more than three quarters of the monitor, centred on it; Esc closes it and only it.

#include <QDialog>
#include <QImage>
#include <QSize>
#include <memory>

namespace Ui {
class PreviewForm;
}

namespace sw::dialogs {

class PreviewWindow : public QDialog {
  Q_OBJECT

 public:
  PreviewWindow(const QImage& picture, QWidget* parent = nullptr);
  ~PreviewWindow() override;

  // The client size for a picture: the picture plus the frame around it plus 10 pixels, each
  // side held to three quarters of the monitor's.
  static QSize clientSizeFor(QSize picture, QSize frame, QSize monitor);

 private:
  std::unique_ptr<Ui::PreviewForm> ui_;
};

// Shows the picture in a preview window, modally, through the dialog seam.
void showPreview(QWidget* parent, const QImage& picture);

}  // namespace sw::dialogs
