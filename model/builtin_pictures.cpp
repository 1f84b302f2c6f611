#include "model/builtin_pictures.h"

#include <QImage>
#include <QString>

#include "platform/image_list.h"

// The resource initialiser lives in a static library; naming it keeps it linked in.
static void initPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace sw {
namespace {

QImage builtinPicture(const char* name) {
  QImage image(QStringLiteral(":/tree/") + QString::fromLatin1(name));
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

void FillBuiltinPictures(ImageList& small, ImageList& large) {
  static const bool initialised = (initPictureResources(), true);
  (void)initialised;
  small.clear();
  large.clear();
  small.append(builtinPicture("group.png"));
  small.append(builtinPicture("group-expanded.png"));
  small.append(builtinPicture("group-locked.png"));
  small.append(builtinPicture("program-small.png"));
  large.append(builtinPicture("program-large.png"));
}

}  // namespace sw
