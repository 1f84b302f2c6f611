#include "wizard/wizard_pictures.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>

#include "platform/picture_reader.h"

// The resource initialiser lives in a static library; naming it keeps it linked in.
static void initWizardResources() { Q_INIT_RESOURCE(wizard); }

namespace sw {
namespace {

QImage compiledPicture(const QString& name) {
  static const bool initialised = (initWizardResources(), true);
  (void)initialised;
  QFile file(QStringLiteral(":/wizard/") + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  const Result<Picture> picture =
      decodePicture(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return picture ? picture->image : QImage();
}

}  // namespace

void showWizardPicture(QLabel& label, WizardPicture picture) {
  const QImage image =
      compiledPicture(picture == WizardPicture::Banner      ? QStringLiteral("banner.jpg")
                      : picture == WizardPicture::StartSide ? QStringLiteral("start-side.jpg")
                                                            : QStringLiteral("summary-side.jpg"));
  if (image.isNull()) return;
  // A window wider, or a page taller, than the picture goes on in the picture's last colour.
  const QPoint lastPixel = picture == WizardPicture::Banner ? QPoint(image.width() - 1, image.height() / 2)
                                                            : QPoint(0, image.height() - 1);
  QPalette palette = label.palette();
  palette.setColor(QPalette::Window, image.pixelColor(lastPixel));
  label.setPalette(palette);
  label.setAutoFillBackground(true);
  label.setPixmap(QPixmap::fromImage(image));
}

}  // namespace sw
