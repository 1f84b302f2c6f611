// Pictures for previews: a 6000 x 4000 photo previewed in the picture dialog (file read, decoded
// for the 157 x 145 preview, drawn) and decoded alone for it, against a plain full-size libjpeg
// decode of the same file in the same run (the preview decodes at 1/8, so it should take a small
// fraction), and our full-size decode against the same baseline (what the
// reader adds). Then the figures of a full-HD BMP and a 256-pixel icon through Qt's readers,
// beside Qt reading them directly.

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <cstdio>
#include <string>

#include "dialogs/picture_dialog.h"
#include "platform/picture_reader.h"
#include "support/icon_fixtures.h"
#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"

namespace {

using namespace sw::testing;

const QSize kPreview(157, 145);

QImage photoPicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  const PixelAt photo = photoLike();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, photo(x, y));
  }
  return picture;
}

struct Fixtures {
  std::string photo = makeJpeg(6000, 4000, photoLike(), {.quality = 90});
  std::string bmp = encodedWithQt(photoPicture(1920, 1080), "BMP");
  std::string icon = makeIco({pngImage(photoPicture(256, 256))});
};

const Fixtures& fixtures() {
  static const Fixtures instance;
  return instance;
}

QImage readWithQt(const std::string& bytes, const char* format) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  return QImageReader(&buffer, format).read();
}

void decodeOrSkip(benchmark::State& state, const std::string& bytes, QSize cover) {
  const sw::Result<sw::Picture> picture = sw::decodePicture(bytes, cover);
  if (!picture) state.SkipWithError(picture.status().text().c_str());
  benchmark::DoNotOptimize(picture);
}

void BM_PhotoPreview(benchmark::State& state) {
  for (auto _ : state) decodeOrSkip(state, fixtures().photo, kPreview);
}
BENCHMARK(BM_PhotoPreview)->Unit(benchmark::kMillisecond);

// What the user waits for: the dialog reads the file, decodes it for the preview and draws it.
void BM_PictureDialogPreview(benchmark::State& state) {
  sw::testing::TempDir dir;
  const QString photo = QString::fromStdString(dir.write("photo.jpg", fixtures().photo));
  TMyOpenPictureDialog dialog;
  dialog.show();
  auto* box = dialog.findChild<QWidget*>(QStringLiteral("PaintBox"));
  auto* label = dialog.findChild<QLabel*>(QStringLiteral("PictureLabel"));
  for (auto _ : state) {
    dialog.previewFile(photo);
    benchmark::DoNotOptimize(box->grab());
    state.PauseTiming();
    if (label->text() != QStringLiteral(" (6000x4000)")) state.SkipWithError("no preview");
    dialog.previewFile(QString());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PictureDialogPreview)->Unit(benchmark::kMillisecond);

void BM_PhotoFullSize(benchmark::State& state) {
  for (auto _ : state) decodeOrSkip(state, fixtures().photo, QSize());
}
BENCHMARK(BM_PhotoFullSize)->Unit(benchmark::kMillisecond);

// Baseline: libjpeg with its defaults, full size, RGB rows.
void BM_BaselinePlainLibjpegFullSize(benchmark::State& state) {
  for (auto _ : state) {
    const PlainJpeg plain = decodeJpegPlainly(fixtures().photo);
    if (plain.width != 6000) state.SkipWithError("libjpeg failed");
    benchmark::DoNotOptimize(plain);
  }
}
BENCHMARK(BM_BaselinePlainLibjpegFullSize)->Unit(benchmark::kMillisecond);

void BM_Bmp1920x1080(benchmark::State& state) {
  for (auto _ : state) decodeOrSkip(state, fixtures().bmp, kPreview);
}
BENCHMARK(BM_Bmp1920x1080)->Unit(benchmark::kMillisecond);

void BM_QtBmp1920x1080(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(readWithQt(fixtures().bmp, "bmp"));
}
BENCHMARK(BM_QtBmp1920x1080)->Unit(benchmark::kMillisecond);

void BM_Icon256(benchmark::State& state) {
  for (auto _ : state) decodeOrSkip(state, fixtures().icon, kPreview);
}
BENCHMARK(BM_Icon256)->Unit(benchmark::kMillisecond);

void BM_QtIcon256(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(readWithQt(fixtures().icon, "ico"));
}
BENCHMARK(BM_QtIcon256)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // No KeepFreedMemory: a preview decodes into fresh memory, as the editor does for each file.
  benchmark::Initialize(&argc, argv);
  fixtures();
  sw::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("6000x4000 JPEG, preview in the dialog / full libjpeg", "BM_PictureDialogPreview",
                      "BM_BaselinePlainLibjpegFullSize", 0.25);
  reporter.printRatio("6000x4000 JPEG, 157x145 decode / full libjpeg", "BM_PhotoPreview",
                      "BM_BaselinePlainLibjpegFullSize");
  reporter.printRatio("6000x4000 JPEG, full size / full libjpeg", "BM_PhotoFullSize",
                      "BM_BaselinePlainLibjpegFullSize");
  reporter.printRatio("1920x1080 BMP / Qt alone", "BM_Bmp1920x1080", "BM_QtBmp1920x1080");
  reporter.printRatio("256x256 PNG icon / Qt alone", "BM_Icon256", "BM_QtIcon256");
  reporter.printFigure("1920x1080 BMP", "BM_Bmp1920x1080");
  reporter.printFigure("256x256 PNG icon", "BM_Icon256");
  benchmark::Shutdown();
  return 0;
}
