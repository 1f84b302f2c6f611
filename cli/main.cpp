#include <QCoreApplication>
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
  // Image readers and painting on images need only the core application: no display, no
  // platform plugin.
  QCoreApplication app(argc, argv);
  std::ios::sync_with_stdio(false);
  return sw::cli::runCli(sw::cli::Arguments(argv + 1, argv + argc), std::cout, std::cerr);
}
