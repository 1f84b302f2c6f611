// Icon extraction: all icons (both sizes) of a 300-group DLL, and the one icon of a file whose
// only image is a 256x256 PNG, each beside a baseline of plain reading and Qt decoding measured
// in the same run. Then the cost of bytes the parser does not touch: a 15 MB library against
// the same icons without their large images, and 100 programs each with its own 30 MB
// installer against the same installers without their payload. The ratios are printed at the
// end.

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
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace {

using namespace sw::testing;

constexpr int kGroups = 300;
// A library of the size users bring: 184 groups whose large images make it about 15 MB.
constexpr int kLargeLibraryGroups = 184;
constexpr int kInstallers = 100;
constexpr std::uint64_t kInstallerBytes = std::uint64_t{30} << 20;

// Groups with the two sizes a load extracts, and with `largeImages` also 48 and 128 pixels.
std::string libraryWithGroups(int count, bool largeImages) {
  std::vector<IconGroup> groups;
  for (int i = 0; i < count; ++i) {
    IconGroup group{i + 1, "", {}, {}};
    for (const int size : {16, 32, 48, 128}) {
      if (size <= 32 || largeImages)
        group.images.push_back(dibImage(solidPicture(size, size, iconLibraryColour(i)), 32));
    }
    groups.push_back(std::move(group));
  }
  return makePeFile(groups);
}

// An installer's icon group as setup programs carry it, 256-pixel PNG included.
std::string installerIcons(int i) {
  const QRgb colour = iconLibraryColour(i);
  IconGroup group{1, "", {}, {}};
  for (const int size : {16, 32, 48}) group.images.push_back(dibImage(solidPicture(size, size, colour), 32));
  group.images.push_back(pngImage(solidPicture(256, 256, colour)));
  return makePeFile({group});
}

struct Fixtures {
  TempDir dir;
  std::string libraryPath;
  std::string pngIconPath;
  QByteArray png;                      // the PNG of the PNG icon, alone
  std::vector<QByteArray> singleIcos;  // every image of the library as its own ICO file
  std::string largeLibraryPath;
  std::string smallLibraryPath;                 // the same groups without their 48 and 128 pixel images
  std::vector<std::string> installerPaths;      // icons, then a payload that is never read
  std::vector<std::string> bareInstallerPaths;  // the same icons without the payload

  Fixtures() {
    libraryPath = dir.write("library.dll", makeIconLibraryDll(kGroups));
    largeLibraryPath = dir.write("large.icl", libraryWithGroups(kLargeLibraryGroups, true));
    smallLibraryPath = dir.write("small.icl", libraryWithGroups(kLargeLibraryGroups, false));
    for (int i = 0; i < kInstallers; ++i) {
      const std::string icons = installerIcons(i);
      const std::string name = "setup" + std::to_string(i) + ".exe";
      // Sparse where the file system allows: the payload takes no disk, as it takes no reads.
      installerPaths.push_back(writeSparseFile(dir, "full/" + name, icons, kInstallerBytes));
      bareInstallerPaths.push_back(dir.write("bare/" + name, icons));
    }
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

// Each program's two pictures from its own file, as the loader takes them through its cache.
int programPictures(const std::vector<std::string>& files) {
  sw::IconSourceCache cache;
  int decoded = 0;
  for (const std::string& file : files) {
    const sw::IconSource& source = cache.get(file);
    decoded += source.extract(0, sw::kSmallIconSize).isNull() ? 0 : 1;
    decoded += source.extract(0, sw::kLargeIconSize).isNull() ? 0 : 1;
    cache.releaseBytes();
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

void BM_LargeLibraryAllIcons(benchmark::State& state) {
  for (auto _ : state) {
    if (extractAll(sw::IconSource::fromFile(fixtures().largeLibraryPath)) != 2 * kLargeLibraryGroups)
      state.SkipWithError("icons missing");
  }
}
BENCHMARK(BM_LargeLibraryAllIcons)->Unit(benchmark::kMillisecond);

// Baseline: the same icons from a library that holds only the images extracted.
void BM_SmallLibraryAllIcons(benchmark::State& state) {
  for (auto _ : state) {
    if (extractAll(sw::IconSource::fromFile(fixtures().smallLibraryPath)) != 2 * kLargeLibraryGroups)
      state.SkipWithError("icons missing");
  }
}
BENCHMARK(BM_SmallLibraryAllIcons)->Unit(benchmark::kMillisecond);

void BM_InstallerPictures(benchmark::State& state) {
  for (auto _ : state) {
    if (programPictures(fixtures().installerPaths) != 2 * kInstallers) state.SkipWithError("icons missing");
  }
}
BENCHMARK(BM_InstallerPictures)->Unit(benchmark::kMillisecond);

// Baseline: the same pictures from installers without their payload.
void BM_BareInstallerPictures(benchmark::State& state) {
  for (auto _ : state) {
    if (programPictures(fixtures().bareInstallerPaths) != 2 * kInstallers)
      state.SkipWithError("icons missing");
  }
}
BENCHMARK(BM_BareInstallerPictures)->Unit(benchmark::kMillisecond);

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
  reporter.printRatio("15 MB library / same icons without large images", "BM_LargeLibraryAllIcons",
                      "BM_SmallLibraryAllIcons");
  reporter.printRatio("100 x 30 MB installers / without payload", "BM_InstallerPictures",
                      "BM_BareInstallerPictures");
  benchmark::Shutdown();
  return 0;
}
