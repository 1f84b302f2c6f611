// Icon extraction: all icons (both sizes) of a 300-group DLL, and the one icon of a file whose
// only image is a 256x256 PNG, each beside a baseline of plain reading and Qt decoding measured
// in the same run. The ratios are printed at the end.

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/icon_extractor.h"
#include "support/icon_fixtures.h"
#include "support/temp_dir.h"

namespace {

using namespace sw::testing;

constexpr int kGroups = 300;

struct Fixtures {
  TempDir dir;
  std::string libraryPath;
  std::string pngIconPath;
  QByteArray png;                      // the PNG of the PNG icon, alone
  std::vector<QByteArray> singleIcos;  // every image of the library as its own ICO file

  Fixtures() {
    libraryPath = dir.write("library.dll", makeIconLibraryDll(kGroups));
    const IconImage pngImage = sw::testing::pngImage(solidPicture(256, 256, qRgb(30, 60, 90)));
    pngIconPath = dir.write("big.ico", makeIco({pngImage}));
    png = QByteArray(pngImage.data.data(), static_cast<qsizetype>(pngImage.data.size()));
    for (int i = 0; i < kGroups; ++i) {
      for (const int size : {16, 32}) {
        const std::string ico = makeIcoFile(size, iconLibraryColour(i));
        singleIcos.emplace_back(ico.data(), static_cast<qsizetype>(ico.size()));
      }
    }
  }
};

const Fixtures& fixtures() {
  static const Fixtures instance;
  return instance;
}

int extractAll(const sw::IconSource& source) {
  int decoded = 0;
  for (int i = 0; i < source.count(); ++i) {
    decoded += source.extract(i, sw::kSmallIconSize).isNull() ? 0 : 1;
    decoded += source.extract(i, sw::kLargeIconSize).isNull() ? 0 : 1;
  }
  return decoded;
}

QImage decodeWithQt(const QByteArray& bytes, const char* format) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  return reader.read();
}

void BM_LibraryCountAndExtractAll(benchmark::State& state) {
  for (auto _ : state) {
    const sw::IconSource source = sw::IconSource::fromFile(fixtures().libraryPath);
    if (extractAll(source) != 2 * kGroups) state.SkipWithError("icons missing");
  }
}
BENCHMARK(BM_LibraryCountAndExtractAll)->Unit(benchmark::kMillisecond);

void BM_LibraryCountOnly(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(sw::IconSource::fromFile(fixtures().libraryPath).count());
}
BENCHMARK(BM_LibraryCountOnly)->Unit(benchmark::kMicrosecond);

// Baseline: the file's bytes read, and each of its 600 images decoded by Qt from an ICO of its own.
void BM_BaselineReadAndQtDecodeLibraryImages(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(sw::files::readFile(fixtures().libraryPath));
    for (const QByteArray& ico : fixtures().singleIcos) benchmark::DoNotOptimize(decodeWithQt(ico, "ico"));
  }
}
BENCHMARK(BM_BaselineReadAndQtDecodeLibraryImages)->Unit(benchmark::kMillisecond);

void BM_PngIconCountAndExtract(benchmark::State& state) {
  for (auto _ : state) {
    const sw::IconSource source = sw::IconSource::fromFile(fixtures().pngIconPath);
    if (extractAll(source) != 2) state.SkipWithError("icon missing");
  }
}
BENCHMARK(BM_PngIconCountAndExtract)->Unit(benchmark::kMillisecond);

// Baseline: the file's bytes read and its PNG decoded once by Qt.
void BM_BaselineReadAndQtDecodeOnePng(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(sw::files::readFile(fixtures().pngIconPath));
    benchmark::DoNotOptimize(decodeWithQt(fixtures().png, "png"));
  }
}
BENCHMARK(BM_BaselineReadAndQtDecodeOnePng)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  sw::bench::KeepFreedMemory();
  benchmark::Initialize(&argc, argv);
  fixtures();
  sw::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("300-group DLL, all icons / read + Qt decode each", "BM_LibraryCountAndExtractAll",
                      "BM_BaselineReadAndQtDecodeLibraryImages");
  reporter.printRatio("256x256 PNG icon, both sizes / read + one PNG", "BM_PngIconCountAndExtract",
                      "BM_BaselineReadAndQtDecodeOnePng");
  benchmark::Shutdown();
  return 0;
}
