// Page changes of the editor's window on the demo project: page 1 to page 2 (the header stored,
// the stages shown) and back (the stages stored, the header shown), each timed by itself through
// the window's own Next and Back buttons, with the layout and drawing that follow.

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <QApplication>
#include <QPushButton>
#include <memory>
#include <string>

#include "support/temp_dir.h"
#include "wizard/main_window.h"

namespace {

const std::string kDemo = std::string(SETWRIGHT_SOURCE_DIR) + "/examples/demo";

struct OpenWindow {
  sw::testing::TempDir dir;
  std::unique_ptr<sw::TSetwrightFm> window;
  QPushButton* next = nullptr;
  QPushButton* back = nullptr;

  OpenWindow() {
    sw::MainWindowOptions options;
    options.settingsFile = dir.file("setwright.ini");
    options.projectFile = QString::fromStdString(kDemo + "/setup.ini");
    options.rootFolder = QString::fromStdString(kDemo);
    window = std::make_unique<sw::TSetwrightFm>(options);
    window->show();
    next = window->findChild<QPushButton*>(QStringLiteral("NextBt"));
    back = window->findChild<QPushButton*>(QStringLiteral("PrevBt"));
    next->click();
    QCoreApplication::processEvents();
  }
};

OpenWindow& openWindow() {
  static OpenWindow instance;
  return instance;
}

// One change, then the events it leaves (layout, painting) handled.
void change(QPushButton* button) {
  button->click();
  QCoreApplication::processEvents();
}

void BM_HeaderToStages(benchmark::State& state) {
  OpenWindow& open = openWindow();
  for (auto _ : state) {
    change(open.next);
    state.PauseTiming();
    if (open.window->currentPage() != 2) state.SkipWithError("Next did not reach page 2");
    change(open.back);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HeaderToStages)->Unit(benchmark::kMillisecond);

void BM_StagesToHeader(benchmark::State& state) {
  OpenWindow& open = openWindow();
  for (auto _ : state) {
    state.PauseTiming();
    change(open.next);
    state.ResumeTiming();
    change(open.back);
    if (open.window->currentPage() != 1) state.SkipWithError("Back did not reach page 1");
  }
}
BENCHMARK(BM_StagesToHeader)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (openWindow().window->currentPage() != 1) {
    std::fprintf(stderr, "the demo project did not open\n");
    return 1;
  }
  sw::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printFigure("page 1 -> 2 (budget under 20 ms)", "BM_HeaderToStages");
  reporter.printFigure("page 2 -> 1 (budget under 20 ms)", "BM_StagesToHeader");
  benchmark::Shutdown();
  return 0;
}
