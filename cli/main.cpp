#include <QGuiApplication>
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
  // Pictures need a GUI application object, but never a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::ios::sync_with_stdio(false);
  return sw::cli::runCli(sw::cli::Arguments(argv + 1, argv + argc), std::cout, std::cerr);
}
