#include "wizard/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <filesystem>
#include <functional>
#include <utility>

#include "dialogs/dialog_runner.h"
#include "model/project.h"
#include "model/project_writer.h"
#include "platform/text.h"
#include "support/project_generator.h"
#include "support/temp_dir.h"
#include "support/tree_copy.h"
#include "support/widget_lookup.h"

namespace sw {
namespace {

using dialogs::ScopedDialogRunner;
using testing::child;

const std::string kDemo = std::string(SETWRIGHT_SOURCE_DIR) + "/examples/demo";

// A message box the window showed: its title, text and icon.
struct Message {
  QString title;
  QString text;
  QMessageBox::Icon icon;
};

// Answers the window's message boxes (Yes or No for questions, OK otherwise) and runs its file
// dialogs through `onFile`, recording every box.
class Answers {
 public:
  explicit Answers(QMessageBox::StandardButton answer = QMessageBox::Yes) : answer_(answer) {}

  std::function<int(QFileDialog&)> onFile = [](QFileDialog&) { return static_cast<int>(QDialog::Rejected); };
  std::vector<Message> messages;

  ScopedDialogRunner install() {
    return ScopedDialogRunner([this](QDialog& dialog) {
      if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        messages.push_back({box->windowTitle(), box->text(), box->icon()});
        return static_cast<int>(box->icon() == QMessageBox::Question ? answer_ : QMessageBox::Ok);
      }
      if (auto* files = qobject_cast<QFileDialog*>(&dialog)) return onFile(*files);
      ADD_FAILURE() << "an unexpected dialog: " << dialog.objectName().toStdString();
      return static_cast<int>(QDialog::Rejected);
    });
  }
  void setAnswer(QMessageBox::StandardButton answer) { answer_ = answer; }

 private:
  QMessageBox::StandardButton answer_;
};

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() { EXPECT_TRUE(testing::copyTree(kDemo, dir_.file("demo"))); }

  MainWindowOptions options(bool withDemo = true) const {
    MainWindowOptions options;
    options.settingsFile = dir_.file("setwright.ini");
    if (withDemo) {
      options.projectFile = QString::fromStdString(dir_.file("demo/setup.ini"));
      options.rootFolder = QString::fromStdString(dir_.file("demo"));
    }
    return options;
  }
  // A project of the test's own, its root the file's folder.
  MainWindowOptions options(const std::string& projectFile) const {
    MainWindowOptions options = this->options(false);
    options.projectFile = QString::fromStdString(projectFile);
    return options;
  }
  static void next(TSetwrightFm& window) { child<QPushButton>(window, "NextBt")->click(); }
  static void back(TSetwrightFm& window) { child<QPushButton>(window, "PrevBt")->click(); }
  static void walkTo(TSetwrightFm& window, int page) {
    while (window.currentPage() < page) {
      const int before = window.currentPage();
      next(window);
      if (window.currentPage() == before) return;
    }
  }

  // What the command line's resave writes for the project in `folder`, in resaved.ini.
  ::testing::AssertionResult resaveDemo(const char* folder = "demo") const {
    QProcess cli;
    const std::string root = dir_.file(folder);
    cli.start(QStringLiteral(SETWRIGHT_CLI_PATH),
              {QStringLiteral("resave"), QString::fromStdString(root + "/setup.ini"),
               QStringLiteral("--root"), QString::fromStdString(root), QStringLiteral("--out"),
               QString::fromStdString(dir_.file("resaved.ini"))});
    if (!cli.waitForFinished(30000) || cli.exitCode() != 0)
      return ::testing::AssertionFailure() << cli.readAllStandardError().toStdString();
    return ::testing::AssertionSuccess();
  }

  testing::TempDir dir_;
};

TEST_F(MainWindow, StartsOnTheFirstPageWithBothButtonsOff) {
  TSetwrightFm window(options(false));
  EXPECT_EQ(window.objectName(), QStringLiteral("SetwrightFm"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Редактор кофигурации - Начало работы с проектом"));
  EXPECT_FALSE(child<QPushButton>(window, "PrevBt")->isEnabled());
  EXPECT_FALSE(child<QPushButton>(window, "NextBt")->isEnabled());
  EXPECT_EQ(child<QPushButton>(window, "NextBt")->text(), QStringLiteral("Далее >"));
  EXPECT_EQ(child<QPushButton>(window, "CancelBt")->text(), QStringLiteral("Отмена"));
  EXPECT_EQ(window.minimumSize(), QSize(620, 500));
  EXPECT_FALSE(window.document().isOpen());
}

// The names enable the root folder and Next; clearing the file name turns them off again.
TEST_F(MainWindow, StartPageEnablesWhatTheNamesAllow) {
  TSetwrightFm window(options(false));
  auto* file = child<QLineEdit>(window, "FileNameEdit");
  auto* root = child<QLineEdit>(window, "RootFolderEdit");
  auto* nextButton = child<QPushButton>(window, "NextBt");
  child<QRadioButton>(window, "NewProjectRb")->click();
  EXPECT_TRUE(file->isEnabled());
  EXPECT_FALSE(root->isEnabled());
  file->setText(QStringLiteral("setup.ini"));
  EXPECT_TRUE(root->isEnabled());
  EXPECT_TRUE(child<QPushButton>(window, "RootFolderEditBt")->isEnabled());
  EXPECT_FALSE(nextButton->isEnabled());
  root->setText(QString::fromStdString(dir_.path()));
  EXPECT_TRUE(nextButton->isEnabled());
  file->clear();
  EXPECT_FALSE(root->isEnabled());
  EXPECT_FALSE(child<QWidget>(window, "Label77")->isEnabled());
  EXPECT_FALSE(nextButton->isEnabled());
  EXPECT_EQ(root->text(), QString::fromStdString(dir_.path()));
}

// A file chosen with "..." brings its own folder as the root folder.
TEST_F(MainWindow, ChosenFileBringsItsFolder) {
  TSetwrightFm window(options(false));
  Answers answers;
  QString shownTitle;
  answers.onFile = [&](QFileDialog& dialog) {
    shownTitle = dialog.windowTitle();
    EXPECT_EQ(dialog.objectName(), QStringLiteral("SaveIniDialog"));
    dialog.selectFile(QString::fromStdString(dir_.file("demo/new-project")));
    static_cast<QDialog&>(dialog).accept();
    return dialog.result();
  };
  auto runner = answers.install();
  child<QRadioButton>(window, "NewProjectRb")->click();
  child<QLineEdit>(window, "RootFolderEdit")->setText(QStringLiteral("/elsewhere"));
  child<QPushButton>(window, "SelFileBt")->click();
  EXPECT_EQ(shownTitle, QStringLiteral("Сохранение нового проекта"));
  EXPECT_EQ(child<QLineEdit>(window, "FileNameEdit")->text(),
            QString::fromStdString(dir_.file("demo/new-project.ini")));
  EXPECT_EQ(child<QLineEdit>(window, "RootFolderEdit")->text(), QString::fromStdString(dir_.file("demo")));
  EXPECT_TRUE(child<QPushButton>(window, "NextBt")->isEnabled());
}

TEST_F(MainWindow, AFileThatIsNoProjectKeepsTheFirstPage) {
  dir_.write("demo/broken.ini", "[Common_Info]\r\nVer=1.0\r\n");
  for (const char* name : {"demo/missing.ini", "demo/broken.ini"}) {
    MainWindowOptions chosen = options();
    chosen.projectFile = QString::fromStdString(dir_.file(name));
    TSetwrightFm window(chosen);
    Answers answers;
    auto runner = answers.install();
    next(window);
    EXPECT_EQ(window.currentPage(), 0) << name;
    EXPECT_FALSE(child<QPushButton>(window, "PrevBt")->isEnabled());
    ASSERT_EQ(answers.messages.size(), 1u) << name;
    EXPECT_EQ(answers.messages[0].title, QStringLiteral("Ошибка при открытии."));
    EXPECT_EQ(answers.messages[0].text, QStringLiteral("Неполучилось загрузить проект!.\nВозможно, файл не "
                                                       "существует,\nили имеет некорректный формат"));
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Critical);
  }
}

// Back to the start and on again asks first: No keeps the project, Yes with a new project
// removes the groups and keeps the header.
TEST_F(MainWindow, ReopeningAsksFirst) {
  TSetwrightFm window(options());
  Answers answers(QMessageBox::No);
  auto runner = answers.install();
  next(window);
  ASSERT_EQ(window.currentPage(), 1);
  const std::string author = window.document().project().Settings.Autor;
  ASSERT_GT(GroupCount(window.document().project()), 0);
  back(window);
  EXPECT_FALSE(child<QPushButton>(window, "PrevBt")->isEnabled());
  next(window);
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].title, QStringLiteral("Подтверждение открытия."));
  EXPECT_EQ(window.currentPage(), 1);
  EXPECT_GT(GroupCount(window.document().project()), 0);

  back(window);
  child<QRadioButton>(window, "NewProjectRb")->click();
  answers.setAnswer(QMessageBox::Yes);
  next(window);
  EXPECT_EQ(window.currentPage(), 1);
  EXPECT_EQ(GroupCount(window.document().project()), 0);
  EXPECT_EQ(window.document().project().Settings.Autor, author);
}

// A root folder that is not there is asked about before the load; No loads nothing.
TEST_F(MainWindow, MissingRootFolderAsksBeforeTheLoad) {
  MainWindowOptions chosen = options();
  chosen.rootFolder = QString::fromStdString(dir_.file("nowhere"));
  TSetwrightFm window(chosen);
  Answers answers(QMessageBox::No);
  auto runner = answers.install();
  next(window);
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_TRUE(answers.messages[0].text.startsWith(QStringLiteral("Корневая папка проекта не найдена:\n") +
                                                  chosen.rootFolder + QStringLiteral("\n\n")));
  EXPECT_EQ(window.currentPage(), 0);
  EXPECT_FALSE(window.document().isOpen());
  answers.setAnswer(QMessageBox::Yes);
  next(window);
  EXPECT_EQ(window.currentPage(), 1);
}

// Walking every page and saving writes what the command line's resave writes, keeps the old
// file as ".bak", closes the window and remembers the project.
TEST_F(MainWindow, WalkAndSaveWritesWhatResaveWrites) {
  const std::string project = dir_.file("demo/setup.ini");
  const std::string before = dir_.read("demo/setup.ini");
  ASSERT_TRUE(resaveDemo());
  {
    TSetwrightFm window(options());
    Answers answers;
    auto runner = answers.install();
    window.show();
    walkTo(window, 5);
    ASSERT_EQ(window.currentPage(), 5);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Редактор кофигурации - Готово"));
    EXPECT_EQ(child<QPushButton>(window, "NextBt")->text(), QStringLiteral("Готово"));
    EXPECT_TRUE(child<QPlainTextEdit>(window, "LogMemo")
                    ->toPlainText()
                    .startsWith(QStringLiteral("Проект: ") + QString::fromStdString(project)));
    next(window);
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_FALSE(window.isVisible());
  }
  EXPECT_EQ(dir_.read("demo/setup.ini"), dir_.read("resaved.ini"));
  EXPECT_EQ(dir_.read("demo/setup.ini.bak"), before);
  const std::string settings = dir_.read("setwright.ini");
  EXPECT_NE(settings.find("LastProject=" + text::fromUtf8(project)), std::string::npos) << settings;
}

// Choosing every program of the demo in turn (each shown, then stored when the next is chosen)
// and saving writes what the command line's resave writes: viewing changes nothing.
TEST_F(MainWindow, VisitingEveryProgramChangesNothing) {
  ASSERT_TRUE(resaveDemo());
  {
    TSetwrightFm window(options());
    Answers answers;
    auto runner = answers.install();
    window.show();
    walkTo(window, 4);
    ASSERT_EQ(window.currentPage(), 4);
    auto* tree = child<QTreeWidget>(window, "SelectProgTree");
    int visited = 0;
    for (int group = 0; group < tree->topLevelItemCount(); ++group) {
      QTreeWidgetItem* groupNode = tree->topLevelItem(group);
      for (int program = 0; program < groupNode->childCount(); ++program) {
        tree->setCurrentItem(groupNode->child(program));
        ++visited;
      }
    }
    EXPECT_EQ(visited, ProgramCount(window.document().project()));
    walkTo(window, 5);
    next(window);
    EXPECT_TRUE(answers.messages.empty());
  }
  EXPECT_EQ(dir_.read("demo/setup.ini"), dir_.read("resaved.ini"));
}

// A project made to strain the pages, in hostile/: `crowded` programs in its first group, all
// depending on each other when `dependent`, and in the second a name of 2000 characters, an empty name, a
// duplicate name, references to programs that do not exist, icon files missing or junk.
std::string writeHostileProject(testing::TempDir& dir, int crowded, bool dependent) {
  Project project;
  testing::GeneratorOptions generator;
  generator.groups = 2;
  generator.programs = 2 * crowded;
  generator.referencesPerProgram = 0;
  testing::GenerateProject(project, generator);
  std::vector<std::int32_t> everyone;
  for (const auto& program : GroupAt(project, 0)->Items) everyone.push_back(program->Number);
  for (const auto& program : GroupAt(project, 0)->Items) {
    if (!dependent) break;
    program->Depends = everyone;
    std::erase(program->Depends, program->Number);
  }
  const auto& others = GroupAt(project, 1)->Items;
  others[0]->Caption = std::string(2000, 'W');
  others[1]->Caption.clear();
  others[2]->Caption = others[3]->Caption;
  others[3]->DependsOr = {5000, 5001};
  others[4]->IconFile = "missing.ico";
  others[5]->IconFile = "junk.ico";
  EXPECT_TRUE(std::filesystem::create_directory(dir.file("hostile")));
  dir.write("hostile/junk.ico", std::string(1 << 20, '\x5a'));
  const std::string file = dir.file("hostile/setup.ini");
  const Status written = SaveProject(project, file, file);
  EXPECT_TRUE(written) << written.text();
  return file;
}

// Chooses every program of the tree in turn, each shown and then stored; returns how many.
int visitEveryProgram(TSetwrightFm& window) {
  auto* tree = child<QTreeWidget>(window, "SelectProgTree");
  int visited = 0;
  for (QTreeWidgetItemIterator node(tree); *node; ++node) {
    tree->setCurrentItem(*node);
    if ((*node)->parent() != nullptr) ++visited;
  }
  return visited;
}

TEST_F(MainWindow, AHostileProjectIsVisitedAndSavedUnchanged) {
  const std::string file = writeHostileProject(dir_, 60, true);
  ASSERT_TRUE(resaveDemo("hostile"));
  {
    TSetwrightFm window(options(file));
    Answers answers;
    auto runner = answers.install();
    window.show();
    walkTo(window, 4);
    ASSERT_EQ(window.currentPage(), 4);
    EXPECT_EQ(visitEveryProgram(window), 120);
    walkTo(window, 5);
    next(window);
    EXPECT_TRUE(answers.messages.empty());
  }
  EXPECT_EQ(dir_.read("hostile/setup.ini"), dir_.read("resaved.ini"));
}

// 300 programs that all depend on each other: the lists are longer than the runtime reads, so
// the save is refused with the reason, and the file stays as it was.
TEST_F(MainWindow, ReferenceListsTooLongToReadAreRefusedWithTheReason) {
  const std::string file = writeHostileProject(dir_, 150, false);
  const std::string before = dir_.read("hostile/setup.ini");
  TSetwrightFm window(options(file));
  Answers answers;
  auto runner = answers.install();
  window.show();
  walkTo(window, 4);
  auto& project = window.document().project();
  std::vector<std::int32_t> everyone;
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) everyone.push_back(program->Number);
  }
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) {
      program->Depends = everyone;
      std::erase(program->Depends, program->Number);
    }
  }
  EXPECT_EQ(visitEveryProgram(window), 300);
  walkTo(window, 5);
  next(window);
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].title, QStringLiteral("Ошибка при сохранении."));
  EXPECT_TRUE(answers.messages[0].text.contains(QStringLiteral("значение «Depends» длиннее 2047 знаков")))
      << answers.messages[0].text.toStdString();
  EXPECT_EQ(window.currentPage(), 5);
  EXPECT_EQ(dir_.read("hostile/setup.ini"), before);
}

// A save that fails says why and leaves the window open on the last page with the old file.
TEST_F(MainWindow, AFailedSaveKeepsTheWindowOpen) {
  TSetwrightFm window(options());
  Answers answers;
  auto runner = answers.install();
  window.show();
  walkTo(window, 5);
  ASSERT_EQ(window.currentPage(), 5);
  // Too many programs for the runtime: the save is refused.
  Project& project = window.document().project();
  for (int i = 0; i < 1001; ++i) {
    auto program = std::make_unique<TInstallItem>();
    program->Caption = "extra " + std::to_string(i);
    AttachProgram(project, project.Groups.front().get(), std::move(program));
  }
  const std::string before = dir_.read("demo/setup.ini");
  next(window);
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].title, QStringLiteral("Ошибка при сохранении."));
  EXPECT_EQ(answers.messages[0].icon, QMessageBox::Critical);
  EXPECT_FALSE(answers.messages[0].text.isEmpty());
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.currentPage(), 5);
  EXPECT_EQ(dir_.read("demo/setup.ini"), before);
}

// A read-only project file is not replaced: the window says why and stays.
TEST_F(MainWindow, AReadOnlyProjectFileIsNotReplaced) {
  const QString file = QString::fromStdString(dir_.file("demo/setup.ini"));
  const std::string before = dir_.read("demo/setup.ini");
  {
    TSetwrightFm window(options());
    Answers answers;
    auto runner = answers.install();
    window.show();
    walkTo(window, 5);
    ASSERT_EQ(window.currentPage(), 5);
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    next(window);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].title, QStringLiteral("Ошибка при сохранении."));
    EXPECT_TRUE(answers.messages[0].text.startsWith(QStringLiteral("Unable to write to ")))
        << answers.messages[0].text.toStdString();
    EXPECT_TRUE(window.isVisible());
  }
  EXPECT_EQ(dir_.read("demo/setup.ini"), before);
}

// "Save under another name" asks for the name; cancelling keeps the last page, a name without an
// extension gets ".ini".
TEST_F(MainWindow, SaveAsAsksForTheName) {
  TSetwrightFm window(options());
  Answers answers;
  bool confirm = false;
  answers.onFile = [&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.objectName(), QStringLiteral("SaveIniDialog"));
    if (!confirm) return static_cast<int>(QDialog::Rejected);
    dialog.selectFile(QString::fromStdString(dir_.file("copy")));
    static_cast<QDialog&>(dialog).accept();
    return dialog.result();
  };
  auto runner = answers.install();
  window.show();
  walkTo(window, 5);
  child<QRadioButton>(window, "SaveProjectAsRb")->click();
  next(window);
  EXPECT_EQ(window.currentPage(), 5);
  EXPECT_TRUE(window.isVisible());
  confirm = true;
  next(window);
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(dir_.read("copy.ini").empty());
}

// At the first show the nine sections are folded (those of the program panel come with it); the
// path and command fields of the header and stages pages carry the variables menu, other edits
// keep Qt's own.
// Every page, built when first reached, folds its sections as the window's first show does.
TEST_F(MainWindow, SectionsFoldAndPathFieldsCarryTheVariablesMenu) {
  TSetwrightFm window(options());
  window.show();
  walkTo(window, 5);
  ASSERT_EQ(window.currentPage(), 5);
  for (const char* folded :
       {"Button24", "Button3", "Button1", "Button7", "Button4", "Button5", "Button6", "Button12", "Button10"})
    EXPECT_EQ(child<QAbstractButton>(window, folded)->text(), QStringLiteral("+")) << folded;
  for (const char* open : {"Button22", "Button23", "Button25", "Button26", "Button27"})
    EXPECT_EQ(child<QAbstractButton>(window, open)->text(), QStringLiteral("-")) << open;
  int withMenu = 0;
  for (const QLineEdit* edit : window.findChildren<QLineEdit*>()) {
    if (edit->contextMenuPolicy() == Qt::CustomContextMenu) ++withMenu;
  }
  EXPECT_EQ(withMenu, 45);
  for (const char* plain : {"FileNameEdit", "PrAutorEdit", "PrTimeEd", "UserButtonCaptionEdit1",
                            "UserButtonHintEdit3", "PrgNameEd", "PrgDependsEd"})
    EXPECT_NE(child<QLineEdit>(window, plain)->contextMenuPolicy(), Qt::CustomContextMenu) << plain;
  for (const char* pathEdit : {"PrgFolderEd", "IconFileEd", "CommandEd6", "CheckTagFileEd"})
    EXPECT_EQ(child<QLineEdit>(window, pathEdit)->contextMenuPolicy(), Qt::CustomContextMenu) << pathEdit;
  EXPECT_NE(window.findChild<QMenu*>(QStringLiteral("EditExtendetMenu")), nullptr);
}

}  // namespace
}  // namespace sw
