// The editor: the application, its one window and the event loop. An optional project file
// (and root folder) on the command line is preselected on the start page.

#include <QApplication>
#include <QStringList>

#include "widgets/qt_translations.h"
#include "wizard/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sw::installQtTranslations(app);
  const QStringList arguments = QApplication::arguments();
  sw::MainWindowOptions options;
  if (arguments.size() > 1) options.projectFile = arguments.at(1);
  if (arguments.size() > 2) options.rootFolder = arguments.at(2);
  sw::TSetwrightFm window(options);
  window.show();
  return QApplication::exec();
}
