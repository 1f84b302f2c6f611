// Start-up of the editor as a whole process: the application, the translations, the window
// shown and drawn once, then the end (the settings file is written as on every exit). Timed with
// farm-bench against startup_bare, a bare Qt program that shows one empty window.
// startup_editor SETTINGS PROJECT opens PROJECT through the start page and ends on the programs
// page instead: against startup_editor SETTINGS alone, that is the memory a project takes.

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>

#include "widgets/qt_translations.h"
#include "wizard/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sw::installQtTranslations(app);
  sw::MainWindowOptions options;
  if (argc > 1) options.settingsFile = argv[1];
  if (argc > 2) options.projectFile = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
  sw::TSetwrightFm window(options);
  window.show();
  QCoreApplication::processEvents();
  if (!options.projectFile.isEmpty()) {
    auto* next = window.findChild<QPushButton*>(QStringLiteral("NextBt"));
    while (window.currentPage() < 4 && next->isEnabled()) {
      const int before = window.currentPage();
      next->click();
      QCoreApplication::processEvents();
      if (window.currentPage() == before) return 1;
    }
  }
  return window.grab().isNull() ? 1 : 0;
}
