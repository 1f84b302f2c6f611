#include "wizard/wizard_pictures.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>

#include "platform/picture_reader.h"

// The resource initialiser lives in a static library; naming it keeps it linked in.
static void initWizardResources() { Q_INIT_RESOURCE(wizard); }

namespace sw {
namespace {

QPixmap compiledPicture(const QString& name) {
  QFile file(QStringLiteral(":/wizard/") + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  const Result<Picture> picture =
      decodePicture(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return picture ? QPixmap::fromImage(picture->image) : QPixmap();
}

}  // namespace

void setWizardPictures(QLabel& banner, QLabel& startSide, QLabel& summarySide) {
  static const bool initialised = (initWizardResources(), true);
  (void)initialised;
  banner.setPixmap(compiledPicture(QStringLiteral("banner.jpg")));
  startSide.setPixmap(compiledPicture(QStringLiteral("start-side.jpg")));
  summarySide.setPixmap(compiledPicture(QStringLiteral("summary-side.jpg")));
}

}  // namespace sw
