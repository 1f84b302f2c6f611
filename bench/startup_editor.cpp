// Start-up of the editor as a whole process: the application, the translations, the window
// shown and drawn once, then the end (the settings file is written as on every exit). Timed with
// farm-bench against startup_bare, a bare Qt program that shows one empty window.

#include <QApplication>

#include "widgets/qt_translations.h"
#include "wizard/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sw::installQtTranslations(app);
  sw::MainWindowOptions options;
  if (argc > 1) options.settingsFile = argv[1];
  sw::TSetwrightFm window(options);
  window.show();
  QCoreApplication::processEvents();
  return window.grab().isNull() ? 1 : 0;
}
