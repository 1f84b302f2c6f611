// Draws the editor's banner and the side pictures of its first and last pages, and writes them
// as the JPEG files the window shows (resources/wizard). Run it after changing a drawing:
//   build/tests/draw_wizard_pictures resources/wizard

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <fstream>
#include <string>

#include "support/jpeg_fixtures.h"

namespace {

const QColor kDeep(18, 52, 98);
const QColor kMiddle(34, 96, 160);
const QColor kLight(120, 176, 224);

// A disc seen at an angle: the editor builds installation discs.
void drawDisc(QPainter& painter, QPointF centre, double radius, double opacity) {
  painter.save();
  painter.setOpacity(opacity);
  QRadialGradient shine(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.4);
  shine.setColorAt(0, QColor(250, 252, 255));
  shine.setColorAt(0.5, QColor(190, 215, 240));
  shine.setColorAt(1, QColor(120, 160, 210));
  painter.setPen(QPen(QColor(255, 255, 255, 160), 1));
  painter.setBrush(shine);
  painter.drawEllipse(centre, radius, radius);
  painter.setBrush(QColor(40, 80, 130));
  painter.drawEllipse(centre, radius * 0.22, radius * 0.22);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
  for (double ring = 0.35; ring < 0.95; ring += 0.12)
    painter.drawEllipse(centre, radius * ring, radius * ring);
  painter.restore();
}

QImage banner() {
  QImage image(1024, 41, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 900, 0);
  sky.setColorAt(0, kDeep);
  sky.setColorAt(0.6, kMiddle);
  sky.setColorAt(1, kLight);
  painter.fillRect(image.rect(), sky);
  // Thin light lines, like the tracks of a disc, fading out before the plain right end (which
  // the window continues when it is wider than the picture).
  for (int x = -40; x < 800; x += 14) {
    painter.setPen(QPen(QColor(255, 255, 255, 28 * (800 - x) / 840), 1));
    painter.drawLine(QPointF(x, 41), QPointF(x + 40, 0));
  }
  drawDisc(painter, QPointF(22, 20.5), 15, 1.0);
  return image;
}

QImage sidePicture(bool finished) {
  QImage image(102, 600, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fall(0, 0, 0, 600);
  fall.setColorAt(0, kLight);
  fall.setColorAt(0.55, kMiddle);
  fall.setColorAt(1, kDeep);
  painter.fillRect(image.rect(), fall);
  drawDisc(painter, QPointF(51, 120), 36, 0.95);
  drawDisc(painter, QPointF(30, 250), 18, 0.45);
  drawDisc(painter, QPointF(78, 330), 12, 0.35);
  painter.setPen(QPen(QColor(255, 255, 255, 230), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath mark;
  if (finished) {
    // A tick: the project is ready to be saved.
    mark.moveTo(34, 124);
    mark.lineTo(47, 138);
    mark.lineTo(72, 104);
  } else {
    // An arrow into the disc: a project is started or opened.
    mark.moveTo(40, 104);
    mark.lineTo(62, 120);
    mark.lineTo(40, 136);
  }
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(mark);
  return image;
}

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::string folder = argc > 1 ? argv[1] : "resources/wizard";
  const sw::testing::JpegOptions options{.quality = 88};
  const bool written =
      writeFile(folder + "/banner.jpg", sw::testing::makeJpeg(banner(), options)) &&
      writeFile(folder + "/start-side.jpg", sw::testing::makeJpeg(sidePicture(false), options)) &&
      writeFile(folder + "/summary-side.jpg", sw::testing::makeJpeg(sidePicture(true), options));
  if (!written) std::fprintf(stderr, "cannot write the pictures into %s\n", folder.c_str());
  return written ? 0 : 1;
}
