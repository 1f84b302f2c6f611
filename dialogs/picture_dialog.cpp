#include "dialogs/picture_dialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QTimer>
#include <QToolTip>

#include "dialogs/dialog_resources.h"
#include "dialogs/file_filter.h"
#include "dialogs/file_list_fit.h"
#include "dialogs/picture_box.h"
#include "dialogs/preview_window.h"
#include "dialogs/relative_path_strip.h"
#include "platform/picture_reader.h"
#include "ui_picture_panel.h"

namespace {

struct PictureFormat {
  const char* description;
  const char* extension;
};

constexpr PictureFormat kFormats[] = {
    {"JPEG Image File", "jpg"}, {"JPEG Image File", "jpeg"},   {"Bitmaps", "bmp"},
    {"Icons", "ico"},           {"Enhanced Metafiles", "emf"}, {"Metafiles", "wmf"},
};

}  // namespace

TMyOpenPictureDialog::TMyOpenPictureDialog(QWidget* parent)
    : QFileDialog(parent), panel_(std::make_unique<Ui::PicturePanel>()) {
  setObjectName(QStringLiteral("TMyOpenPictureDialog"));
  setOption(QFileDialog::DontUseNativeDialog, true);
  setFileMode(QFileDialog::AnyFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  setSizeGripEnabled(true);
  sw::dialogs::applyFilter(*this, pictureFilter());
  strip_ = new sw::dialogs::RelativePathStrip(*this);
  sw::dialogs::fitFileLists(*this);
  strip_->setParametersShown(false);

  sw::dialogs::ensureDialogResources();
  auto* picturePanel = new QFrame(this);
  panel_->setupUi(picturePanel);
  // The preview column stands right of the standard controls, from the top to the file types.
  if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->addWidget(picturePanel, 0, grid->columnCount(), 4, 1);
  connect(this, &QFileDialog::currentChanged, this, &TMyOpenPictureDialog::previewFile);
  connect(panel_->PreviewButton, &QToolButton::clicked, this, &TMyOpenPictureDialog::PreviewButtonClick);
  connect(panel_->PaintBox, &PictureBox::doubleClicked, this, &TMyOpenPictureDialog::PreviewButtonClick);
  connect(panel_->PaintBox, &PictureBox::paintFailed, this,
          [this] { panel_->PaintPanel->setCaption(QStringLiteral("Invalid image")); });
  clearPreview();
}

TMyOpenPictureDialog::~TMyOpenPictureDialog() = default;

QString TMyOpenPictureDialog::pictureFilter() {
  QStringList all;
  QStringList entries;
  for (const PictureFormat& format : kFormats) {
    const QString pattern = QStringLiteral("*.") + QLatin1String(format.extension);
    all << pattern;
    entries << QLatin1String(format.description) + QStringLiteral(" (") + pattern + QLatin1Char(')')
            << pattern;
  }
  const QString allPatterns = all.join(QLatin1Char(';'));
  return (QStringList{QStringLiteral("All (") + allPatterns + QLatin1Char(')'), allPatterns} + entries)
      .join(QLatin1Char('|'));
}

bool TMyOpenPictureDialog::IsRelFilePath() const { return strip_->relativeBox().isChecked(); }
void TMyOpenPictureDialog::setIsRelFilePath(bool relative) { strip_->relativeBox().setChecked(relative); }

QString TMyOpenPictureDialog::FileName() const {
  const QStringList files = selectedFiles();
  return files.isEmpty() ? QString() : files.front();
}

void TMyOpenPictureDialog::clearPreview() {
  panel_->PictureLabel->setText(QStringLiteral("Picture:"));
  panel_->PreviewButton->setEnabled(false);
  panel_->PaintBox->setPicture(QImage());
  panel_->PaintPanel->setCaption(QStringLiteral("(None)"));
}

void TMyOpenPictureDialog::showEvent(QShowEvent* event) {
  clearPreview();
  lastPreviewed_.clear();
  QFileDialog::showEvent(event);
  // A file selected before the dialog opens gives no selection change, yet is shown selected.
  QTimer::singleShot(0, this, [this] {
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) previewFile(files.front());
  });
}

void TMyOpenPictureDialog::previewFile(const QString& hostPath) {
  if (hostPath == lastPreviewed_) return;
  lastPreviewed_ = hostPath;
  // A folder, a missing file and anything that is no picture all show no preview.
  if (QFileInfo(hostPath).isFile()) {
    const sw::Result<sw::Picture> picture = sw::readPicture(hostPath.toStdString(), panel_->PaintBox->size());
    if (picture) {
      panel_->PaintBox->setPicture(picture->image);
      panel_->PictureLabel->setText(
          QStringLiteral(" (%1x%2)").arg(picture->fullSize.width()).arg(picture->fullSize.height()));
      panel_->PreviewButton->setEnabled(true);
      panel_->PaintPanel->setCaption(QString());
      return;
    }
  }
  clearPreview();
}

void TMyOpenPictureDialog::PreviewButtonClick() {
  if (lastPreviewed_.isEmpty() || !panel_->PreviewButton->isEnabled()) return;
  // The preview keeps a small decode; the window gets the picture at its own size.
  const sw::Result<sw::Picture> picture = sw::readPicture(lastPreviewed_.toStdString());
  if (picture) sw::dialogs::showPreview(this, picture->image);
}

void TMyOpenPictureDialog::done(int result) {
  QFileDialog::done(result);
  QToolTip::hideText();
}
