// Makes the screenshots of the editor's windows shown in the README: every dialog built as a
// user sees it, on a small tree of example files, grabbed offscreen into docs/screenshots.
// Usage: make_screenshots OUTDIR

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "dialogs/browse_folder_dialog.h"
#include "dialogs/command_dialog.h"
#include "dialogs/file_filter.h"
#include "dialogs/icon_picker_dialog.h"
#include "dialogs/icon_picker_state.h"
#include "dialogs/picture_dialog.h"
#include "dialogs/preview_window.h"
#include "programs/depends_dialog.h"
#include "programs/program_tree.h"
#include "support/icon_fixtures.h"
#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"
#include "widgets/qt_translations.h"
#include "wizard/main_window.h"

namespace {

// Shows a window, lets its layout and file listings settle, and saves it.
void grabWindow(QWidget& window, const QString& file) {
  window.show();
  QTimer::singleShot(600, &window, [&window, file] {
    if (!window.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    window.close();
  });
  while (window.isVisible()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

void exampleTree(const sw::testing::TempDir& dir) {
  dir.write("Soft/Office/setup.exe", "x");
  dir.write("Soft/Office/Readme.txt", "x");
  dir.write("Soft/Office/settings.reg", "x");
  dir.write("Soft/Office/install.cmd", "x");
  dir.write("Soft/Office/Patches/fix.exe", "x");
  dir.write("Soft/Office/Shots/main-window.jpg", sw::testing::makeJpeg(800, 600, sw::testing::photoLike()));
  dir.write("Soft/Office/Shots/options.jpg", sw::testing::makeJpeg(640, 480, sw::testing::photoLike()));
  dir.write("Soft/Icons/icons.dll", sw::testing::makeIconLibraryDll(24));
  dir.write("Soft/Archivers/7z/7z.exe", "x");
  dir.write("Soft/Drivers/Video/setup.exe", "x");
}

void grabPictureDialogs(const QDir& out, const QString& office) {
  TMyOpenPictureDialog picture;
  sw::dialogs::applyFilter(picture, TMyOpenPictureDialog::pictureFilter());
  picture.setWindowTitle(QStringLiteral("Открыть"));
  const QString shot = office + QStringLiteral("/Shots/main-window.jpg");
  picture.setDirectory(office + QStringLiteral("/Shots"));
  picture.selectFile(shot);
  picture.resize(900, 440);
  grabWindow(picture, out.filePath(QStringLiteral("picture-dialog.png")));

  QImage full(QString(shot), "JPEG");
  sw::dialogs::PreviewWindow preview(full);
  grabWindow(preview, out.filePath(QStringLiteral("preview-window.png")));
}

void grabFolderBrowser(const QDir& out, const sw::testing::TempDir& dir) {
  sw::dialogs::BrowseFolderDialog browser(nullptr, QStringLiteral("Выберите папку с программой"),
                                          QString::fromStdString(dir.file("Soft")),
                                          QString::fromStdString(dir.file("Soft/Office")), true, true);
  grabWindow(browser, out.filePath(QStringLiteral("folder-browser.png")));
}

void grabIconPicker(const QDir& out, const sw::testing::TempDir& dir) {
  sw::dialogs::IconPickerState& state = sw::dialogs::iconPickerState();
  state.libraryPath = dir.file("Soft/Icons/icons.dll");
  state.currentIconFile = state.libraryPath;
  sw::dialogs::TPicIconDlgFm picker(nullptr);
  picker.startUse(true);
  picker.selectIcon(5);
  grabWindow(picker, out.filePath(QStringLiteral("icon-picker.png")));
}

// The programs page with a program chosen in the tree, and its dependencies dialog.
void grabProgramPanel(sw::TSetwrightFm& window, const QDir& out) {
  auto* tree = window.findChild<sw::SelectProgTree*>(QStringLiteral("SelectProgTree"));
  if (tree == nullptr || tree->topLevelItemCount() == 0 || tree->topLevelItem(0)->childCount() < 2) return;
  tree->setCurrentItem(tree->topLevelItem(0)->child(1));
  QCoreApplication::processEvents();
  window.grab().save(out.filePath(QStringLiteral("wizard-4-program-panel.png")));
  sw::TDependsFm depends(&window);
  depends.fill(window.document().project(), sw::SelectProgTree::programOf(tree->currentItem()));
  grabWindow(depends, out.filePath(QStringLiteral("depends-dialog.png")));
}

// The six pages of the editor's window on the demo project, at the given size.
void grabWizardPages(const QDir& out, const sw::testing::TempDir& dir, QSize size) {
  sw::MainWindowOptions options;
  options.settingsFile = dir.file("setwright.ini");
  options.projectFile = QStringLiteral("setup.ini");
  options.rootFolder = QStringLiteral("examples/demo");
  sw::TSetwrightFm window(options);
  window.resize(size);
  window.show();
  auto* next = window.findChild<QPushButton*>(QStringLiteral("NextBt"));
  const char* names[] = {"wizard-0-start.png",  "wizard-1-header.png",   "wizard-2-stages.png",
                         "wizard-3-groups.png", "wizard-4-programs.png", "wizard-5-summary.png"};
  for (int page = 0; page < 6; ++page) {
    if (window.currentPage() != page) {
      std::fprintf(stderr, "the window did not reach page %d\n", page);
      return;
    }
    QCoreApplication::processEvents();
    if (!window.grab().save(out.filePath(QString::fromLatin1(names[page]))))
      std::fprintf(stderr, "cannot write %s\n", names[page]);
    if (page == 4) grabProgramPanel(window, out);
    if (page < 5) next->click();
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  sw::installQtTranslations(app);
  const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots"));
  out.mkpath(QStringLiteral("."));
  sw::testing::TempDir dir;
  exampleTree(dir);
  // With WIDTHxHEIGHT only the window's pages are made, at that size (a maximised window, say).
  if (argc > 2) {
    const QStringList parts = QString::fromLocal8Bit(argv[2]).split(QLatin1Char('x'));
    const QSize size(parts.value(0).toInt(), parts.value(1).toInt());
    if (!size.isValid()) {
      std::fprintf(stderr, "usage: make_screenshots [DIR [WIDTHxHEIGHT]]\n");
      return 2;
    }
    grabWizardPages(out, dir, size);
    return 0;
  }
  const QString office = QString::fromStdString(dir.file("Soft/Office"));

  TMyCmdDialog command;
  sw::dialogs::applyFilter(command,
                           QStringLiteral("Исполняемые файлы (*.exe; *.com)|*.exe;*.com|Коммандные файлы "
                                          "(*.cmd; *.bat)|*.cmd;*.bat|Все файлы (*.*)|*.*"));
  command.setWindowTitle(QStringLiteral("Открыть файл программы"));
  command.setDirectory(office);
  command.selectFile(office + QStringLiteral("/setup.exe"));
  command.setCmdParam(QStringLiteral(" /S /norestart"));
  command.resize(646, 420);
  grabWindow(command, out.filePath(QStringLiteral("command-dialog.png")));

  TMyCmdDialog registry;
  sw::dialogs::applyFilter(registry, QStringLiteral("Файлы реестра (*.reg)|*.reg|Все файлы (*.*)|*.*"));
  registry.setWindowTitle(QStringLiteral("Открыть файл реестра"));
  registry.setShowParamBox(false);
  registry.setDirectory(office);
  registry.resize(646, 400);
  grabWindow(registry, out.filePath(QStringLiteral("registry-dialog.png")));

  grabPictureDialogs(out, office);
  grabFolderBrowser(out, dir);
  grabIconPicker(out, dir);
  grabWizardPages(out, dir, QSize(646, 613));
  return 0;
}
