// The editor: the application, its one window and the event loop. An optional project file
// (and root folder) on the command line is preselected on the start page.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>

#include "widgets/qt_translations.h"
#include "wizard/main_window.h"

namespace {

// The icon the installed menu entry shows, also where no icon theme has it (a build tree).
QIcon applicationIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 256})
    icon.addFile(QStringLiteral(":/app/setwright-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Desktops match the window to the installed setwright.desktop by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("setwright"));
  QApplication::setWindowIcon(applicationIcon());
  sw::installQtTranslations(app);
  const QStringList arguments = QApplication::arguments();
  sw::MainWindowOptions options;
  // Names on a command line are relative to the current folder, as for any command.
  if (arguments.size() > 1)
    options.projectFile = QDir::toNativeSeparators(QFileInfo(arguments.at(1)).absoluteFilePath());
  if (arguments.size() > 2)
    options.rootFolder = QDir::toNativeSeparators(QFileInfo(arguments.at(2)).absoluteFilePath());
  sw::TSetwrightFm window(options);
  window.show();
  return QApplication::exec();
}
