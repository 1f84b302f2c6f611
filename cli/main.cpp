#include <QCoreApplication>
#include <cerrno>
#include <iostream>
#include <new>

#include "cli/commands.h"
#include "platform/status.h"

namespace {

// Qt's own warnings (libpng's among them) are not for the people who read our messages; only
// what stops Qt still reaches them.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

int run(int argc, char** argv) {
  // Image readers and painting on images need only the core application: no display, no
  // platform plugin.
  QCoreApplication app(argc, argv);
  const int status = sw::cli::runCli(sw::cli::Arguments(argv + 1, argv + argc), std::cout, std::cerr);
  // Output cut short (a full disk, a closed pipe) must not pass for success.
  errno = 0;
  if (!std::cout.flush()) {
    std::cerr << "setwright-cli: cannot write the output: " << sw::systemReason(errno ? errno : EIO) << '\n';
    return sw::cli::kExitSaveFailed;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(quietQtMessages);
  std::ios::sync_with_stdio(false);
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cerr << "setwright-cli: out of memory\n";
    return sw::cli::kExitSaveFailed;
  }
}
