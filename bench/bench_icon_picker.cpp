// The icon picker opened on a library of 300 icons (icons read, list filled, window shown and
// drawn) against reading the same icons with LoadFileIcons alone, in the same run.

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <QApplication>
#include <QListWidget>
#include <string>

#include "dialogs/icon_picker_dialog.h"
#include "dialogs/icon_picker_state.h"
#include "platform/icon_lists.h"
#include "platform/image_list.h"
#include "support/icon_fixtures.h"
#include "support/temp_dir.h"

namespace {

constexpr int kIcons = 300;

const std::string& libraryFile() {
  static const sw::testing::TempDir dir;
  static const std::string file = dir.write("Icons/library.dll", sw::testing::makeIconLibraryDll(kIcons));
  return file;
}

void BM_OpenIconPicker(benchmark::State& state) {
  sw::dialogs::IconPickerState& picker = sw::dialogs::iconPickerState();
  picker.libraryPath = libraryFile();
  picker.currentIconFile = libraryFile();
  for (auto _ : state) {
    sw::dialogs::TPicIconDlgFm dialog(nullptr);
    dialog.startUse(true);
    dialog.show();
    benchmark::DoNotOptimize(dialog.grab());
    if (dialog.findChild<QListWidget*>(QStringLiteral("IconPiclist"))->count() != kIcons)
      state.SkipWithError("the list is not full");
  }
}
BENCHMARK(BM_OpenIconPicker)->Unit(benchmark::kMillisecond);

void BM_BaselineLoadFileIcons(benchmark::State& state) {
  for (auto _ : state) {
    sw::ImageList icons(32, 32);
    if (sw::LoadFileIcons(libraryFile(), nullptr, &icons) != kIcons) state.SkipWithError("icons missing");
    benchmark::DoNotOptimize(icons);
  }
}
BENCHMARK(BM_BaselineLoadFileIcons)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  sw::bench::KeepFreedMemory();
  benchmark::Initialize(&argc, argv);
  libraryFile();
  sw::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("icon picker on 300 icons / LoadFileIcons alone", "BM_OpenIconPicker",
                      "BM_BaselineLoadFileIcons", 2);
  reporter.printFigure("icon picker on 300 icons", "BM_OpenIconPicker");
  benchmark::Shutdown();
  return 0;
}
