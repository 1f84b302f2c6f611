#include "wizard/header_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <utility>
#include <vector>

#include "dialogs/dialog_runner.h"
#include "model/project.h"
#include "model/project_document.h"
#include "platform/text.h"
#include "support/temp_dir.h"
#include "support/widget_lookup.h"
#include "widgets/collapsible_section.h"
#include "widgets/up_down.h"
#include "wizard/user_env_grid.h"

namespace sw {
namespace {

using dialogs::ScopedDialogRunner;
using testing::child;

const std::vector<std::pair<std::string ProjectSettings::*, const char*>> kTextFields = {
    {&ProjectSettings::Date, "PrTimeEd"},
    {&ProjectSettings::Autor, "PrAutorEdit"},
    {&ProjectSettings::Description, "PrDeskrEdit"},
    {&ProjectSettings::RootInstallDir, "PrRootEdit"},
    {&ProjectSettings::SourceTagFile, "PrTagEdit"},
    {&ProjectSettings::LogFile, "PrLogEdit"},
    {&ProjectSettings::RunOnceKey, "PrRunOnceEdit"},
    {&ProjectSettings::RunValyeName, "PrRunEdit"},
    {&ProjectSettings::CommonIconLib, "PrIconLibEdit"},
    {&ProjectSettings::CommonShotFolder, "PrScrShotFolderEdit"},
    {&ProjectSettings::ReadMeText, "PrReadMeFileEdit"},
    {&ProjectSettings::LicenseText, "PrLicenseFileEdit"},
};

const std::vector<std::pair<bool ProjectSettings::*, const char*>> kCheckFields = {
    {&ProjectSettings::CheckFDD, "PrFddDriveCb"},
    {&ProjectSettings::CheckFlash, "PrFlashDriveCb"},
    {&ProjectSettings::CheckHDD, "PrHddDriveCb"},
    {&ProjectSettings::CheckCd, "PrCDdriveCb"},
    {&ProjectSettings::CheckNet, "PrLanDriveCb"},
    {&ProjectSettings::LogInstall, "PrLogEnableCb"},
    {&ProjectSettings::DetaliseLog, "PrLogDetalizeCb"},
    {&ProjectSettings::AdminRightsRequired, "PrAdminRightCb"},
    {&ProjectSettings::EnableWelcomeDlg, "PrWelcomPageCb"},
    {&ProjectSettings::EnableCloseMsg, "PrCloseMsgCb"},
    {&ProjectSettings::AutoClose, "PrAutocloseCb"},
    {&ProjectSettings::ShowLog, "PrShowLogCb"},
    {&ProjectSettings::EnableUserInput, "PrBlockUserInputCb"},
};

// A message box the page showed.
struct Message {
  QString title;
  QString text;
  QMessageBox::Icon icon;
};

class HeaderPageTest : public ::testing::Test {
 protected:
  HeaderPageTest() { page_.setProject(project_); }

  template <typename Widget>
  Widget* at(const char* name) {
    return child<Widget>(page_, name);
  }
  QString text(const char* name) { return at<QLineEdit>(name)->text(); }
  UserEnvGrid* grid() { return at<UserEnvGrid>("UserEnvListEd"); }
  // Shows `project_`, then stores the page into a fresh project.
  Project showAndStore() {
    page_.ShowHeaderPage();
    Project stored;
    page_.setProject(stored);
    page_.StoreHeaderPage();
    page_.setProject(project_);
    return stored;
  }
  // Types `value` into a cell's editor and presses Enter, answering message boxes with OK.
  void typeInto(int row, int column, const QString& value) {
    // An editor closed before is only deleted by the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    grid()->setCurrentCell(row, column);
    grid()->editItem(grid()->item(row, column));
    auto* editor = grid()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(value);
    QTest::keyClick(editor, Qt::Key_Return);
    // Enter commits through a queued call.
    QCoreApplication::processEvents();
  }
  ScopedDialogRunner recordMessages() {
    return ScopedDialogRunner([this](QDialog& dialog) {
      auto* box = qobject_cast<QMessageBox*>(&dialog);
      if (box == nullptr) {
        ADD_FAILURE() << "an unexpected dialog";
        return static_cast<int>(QDialog::Rejected);
      }
      messages_.push_back({box->windowTitle(), box->text(), box->icon()});
      return static_cast<int>(QMessageBox::Ok);
    });
  }

  Project project_;
  HeaderPage page_;
  std::vector<Message> messages_;
};

TEST_F(HeaderPageTest, EveryTextSettingHasItsOwnEditAndComesBackByteForByte) {
  int n = 0;
  for (const auto& [field, edit] : kTextFields) {
    // Cyrillic, the byte without a character, blanks at both ends: none of it may change.
    project_.Settings.*field = " \xC8\xEC\xFF\x98 " + std::to_string(++n) + "  ";
  }
  project_.UserEnvironment = {"PATH=%ROOT%\\bin", "NOEQUALS",     "A==b=c",
                              "EMPTY=",           " spaced = v ", "\xC8\xCC\xDF=\xE7\xED\xE0\xF7\x98",
                              "=no name"};
  for (const int timer : {5000, 15, -7}) {
    project_.Settings.DefaultTimer = timer;
    const Project stored = showAndStore();
    for (const auto& [field, edit] : kTextFields) {
      EXPECT_EQ(text::fromQString(text(edit)), project_.Settings.*field) << edit;
      EXPECT_EQ(stored.Settings.*field, project_.Settings.*field) << edit;
    }
    EXPECT_EQ(text("PrWaitTimerEdit"), QString::number(timer));
    EXPECT_EQ(stored.Settings.DefaultTimer, timer);
    EXPECT_EQ(stored.UserEnvironment, project_.UserEnvironment);
  }
  EXPECT_EQ(text("PrVersionEdit"), QStringLiteral("2.0"));
  EXPECT_TRUE(at<QLineEdit>("PrVersionEdit")->isReadOnly());
}

// Each setting alone set, the rest clear: only its own check box shows it and only it is stored.
TEST_F(HeaderPageTest, EveryFlagHasItsOwnCheckBox) {
  for (const auto& [field, box] : kCheckFields) {
    for (const auto& [other, unused] : kCheckFields) project_.Settings.*other = false;
    project_.Settings.*field = true;
    project_.Settings.BeepOnStart = false;
    const Project stored = showAndStore();
    for (const auto& [other, otherBox] : kCheckFields) {
      EXPECT_EQ(at<QCheckBox>(otherBox)->isChecked(), other == field) << box << " shown in " << otherBox;
      EXPECT_EQ(stored.Settings.*other, other == field) << box << " stored as " << otherBox;
    }
    // No control of the page touches it.
    EXPECT_TRUE(stored.Settings.BeepOnStart);
  }
}

TEST_F(HeaderPageTest, RunKeyChoiceAndBothKeysAreStored) {
  EXPECT_TRUE(at<QRadioButton>("PrRunOnceEditRb")->isChecked());
  EXPECT_TRUE(at<QRadioButton>("PrRunOnceEditRb")->text().isEmpty());
  project_.Settings.UseRunKey = true;
  page_.ShowHeaderPage();
  EXPECT_TRUE(at<QRadioButton>("PrRunEditRb")->isChecked());
  EXPECT_FALSE(at<QRadioButton>("PrRunOnceEditRb")->isChecked());

  at<QRadioButton>("PrRunOnceEditRb")->click();
  EXPECT_FALSE(at<QRadioButton>("PrRunEditRb")->isChecked());
  EXPECT_TRUE(at<QLineEdit>("PrRunEdit")->isEnabled());
  at<QLineEdit>("PrRunOnceEdit")->setText(QStringLiteral("123"));
  at<QLineEdit>("PrRunEdit")->setText(QStringLiteral("MY_VALUE"));
  page_.StoreHeaderPage();
  EXPECT_FALSE(project_.Settings.UseRunKey);
  EXPECT_EQ(project_.Settings.RunOnceKey, "123");
  EXPECT_EQ(project_.Settings.RunValyeName, "MY_VALUE");
}

TEST_F(HeaderPageTest, TimerStoresItsTextAsADecimalNumberOrZero) {
  const std::vector<std::pair<QString, int>> cases = {
      {"15", 15}, {"abc", 0}, {"", 0}, {"-3", -3}, {"+4", 4}, {"12a", 0}, {"99999999999", 0}, {" 7", 0}};
  for (const auto& [typed, stored] : cases) {
    at<QLineEdit>("PrWaitTimerEdit")->setText(typed);
    page_.StoreHeaderPage();
    EXPECT_EQ(project_.Settings.DefaultTimer, stored) << typed.toStdString();
  }
}

// The arrows keep to 0..999 and write their position; the edit shows any number untouched.
TEST_F(HeaderPageTest, TimerArrowsStepWithinTheirRange) {
  auto* edit = at<QLineEdit>("PrWaitTimerEdit");
  auto* arrows = at<UpDown>("PrWaitTimerEditUpDown");
  EXPECT_EQ(edit->maximumWidth(), 41);
  EXPECT_EQ(arrows->buddy(), edit);
  QToolButton* up = arrows->findChild<QToolButton*>("UpButton");
  QToolButton* down = arrows->findChild<QToolButton*>("DownButton");
  ASSERT_TRUE(up != nullptr && down != nullptr);

  project_.Settings.DefaultTimer = 5000;
  page_.ShowHeaderPage();
  EXPECT_EQ(edit->text(), QStringLiteral("5000"));
  EXPECT_EQ(arrows->position(), 999);
  up->click();
  EXPECT_EQ(edit->text(), QStringLiteral("999"));
  down->click();
  EXPECT_EQ(edit->text(), QStringLiteral("998"));

  // A typed number is where the next step starts; text that is none leaves the position.
  edit->setText(QStringLiteral("41"));
  QTest::keyClick(edit, Qt::Key_Up);
  EXPECT_EQ(edit->text(), QStringLiteral("42"));
  edit->setText(QStringLiteral("abc"));
  down->click();
  EXPECT_EQ(edit->text(), QStringLiteral("41"));
  edit->setText(QStringLiteral("0"));
  down->click();
  EXPECT_EQ(edit->text(), QStringLiteral("0"));
}

TEST_F(HeaderPageTest, DateButtonPutsToday) {
  at<QPushButton>("Button8")->click();
  EXPECT_EQ(text::fromQString(text("PrTimeEd")), TodayShortDate());
  EXPECT_EQ(at<QPushButton>("Button8")->text(), QStringLiteral("S"));
}

TEST_F(HeaderPageTest, AddingFillsTheEmptyRowThenAppends) {
  auto* remove = at<QPushButton>("DelUserEnvBt");
  EXPECT_FALSE(remove->isEnabled());
  page_.ShowHeaderPage();
  EXPECT_EQ(grid()->rowCount(), 1);
  EXPECT_TRUE(grid()->lines().empty());
  EXPECT_FALSE(remove->isEnabled());

  at<QPushButton>("AdduserEnvBt")->click();
  at<QPushButton>("AdduserEnvBt")->click();
  EXPECT_EQ(grid()->rowCount(), 2);
  const std::string line = text::fromQString(QStringLiteral("Новая переменная=значение переменной"));
  EXPECT_EQ(grid()->lines(), (std::vector<std::string>{line, line}));
  EXPECT_TRUE(remove->isEnabled());

  remove->click();
  EXPECT_EQ(grid()->currentRow(), 0);
  remove->click();
  EXPECT_TRUE(grid()->lines().empty());
  EXPECT_EQ(grid()->rowCount(), 1);
  EXPECT_FALSE(remove->isEnabled());
}

TEST_F(HeaderPageTest, GridRefusesDuplicateNamesAndEqualsSigns) {
  page_.show();
  project_.UserEnvironment = {"ONE=1", "Two=2"};
  page_.ShowHeaderPage();
  auto runner = recordMessages();
  for (const QString& refused : {QStringLiteral("ONE"), QStringLiteral("one"), QStringLiteral("A=B")}) {
    typeInto(1, 0, refused);
    EXPECT_EQ(grid()->item(1, 0)->text(), QStringLiteral("Two"));
  }
  ASSERT_EQ(messages_.size(), 3U);
  EXPECT_EQ(messages_[0].text, QStringLiteral("A key with the name of \"ONE\" already exists"));
  EXPECT_EQ(messages_[1].text, QStringLiteral("A key with the name of \"one\" already exists"));
  EXPECT_EQ(messages_[2].text, QStringLiteral("Key may not contain equals sign (\"=\")"));
  for (const Message& message : messages_) {
    EXPECT_EQ(message.title, QStringLiteral("Редактор кофигурации"));
    EXPECT_EQ(message.icon, QMessageBox::Warning);
  }

  typeInto(1, 0, QStringLiteral("TWO"));
  typeInto(1, 1, QStringLiteral("a=b"));
  EXPECT_EQ(messages_.size(), 3U);
  EXPECT_EQ(grid()->lines(), (std::vector<std::string>{"ONE=1", "TWO=a=b"}));
}

TEST_F(HeaderPageTest, GridKeysAppendAndDeleteRows) {
  page_.show();
  project_.UserEnvironment = {"A=1", "B=2"};
  page_.ShowHeaderPage();
  grid()->setFocus();
  grid()->setCurrentCell(1, 0);
  QTest::keyClick(grid(), Qt::Key_Down);
  EXPECT_EQ(grid()->rowCount(), 3);
  EXPECT_EQ(grid()->currentRow(), 2);
  // The new row is no line until something is typed into it, and goes when left empty.
  EXPECT_EQ(grid()->lines().size(), 2U);
  QTest::keyClick(grid(), Qt::Key_Up);
  EXPECT_EQ(grid()->rowCount(), 2);

  QTest::keyClick(grid(), Qt::Key_Insert);
  EXPECT_EQ(grid()->currentRow(), 2);
  typeInto(2, 0, QStringLiteral("C"));
  EXPECT_EQ(grid()->lines(), (std::vector<std::string>{"A=1", "B=2", "C="}));

  grid()->setCurrentCell(0, 0);
  QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(grid()->lines(), (std::vector<std::string>{"B=2", "C="}));
  EXPECT_EQ(grid()->currentRow(), 0);
  grid()->setCurrentCell(1, 0);
  QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(grid()->lines(), (std::vector<std::string>{"B=2"}));
  EXPECT_EQ(grid()->currentRow(), 0);
}

class HeaderPageButtons : public HeaderPageTest {
 protected:
  void SetUp() override {
    for (const char* folder : {"Root/Soft/App", "Root/Other", "Elsewhere"})
      ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir_.file(folder))));
    project_.ProjectRootFolder = text::fromUtf8(dir_.file("Root"));
  }
  QString host(const char* relative) const {
    return QDir::toNativeSeparators(QString::fromStdString(dir_.file(relative)));
  }

  testing::TempDir dir_;
};

// A relative folder opens inside the root with the relative option on and comes back relative;
// an absolute one opens at itself with the option off and comes back absolute.
TEST_F(HeaderPageButtons, FolderButtonKeepsTheFieldRelativeOrAbsolute) {
  struct Case {
    const char* button;
    const char* edit;
    QString typed;
    QString start;
    bool relative;
    QString pick;
    QString result;
    bool rootedAtProject;
  };
  const std::vector<Case> cases = {
      {"PrRootEditBt", "PrRootEdit", "Soft\\App", host("Root/Soft/App"), true, host("Root/Other"), "Other",
       false},
      {"PrRootEditBt", "PrRootEdit", host("Elsewhere"), host("Elsewhere"), false, host("Root/Soft"),
       host("Root/Soft"), false},
      {"PrScrShotFolderEditBt", "PrScrShotFolderEdit", "Other", host("Root/Other"), true,
       host("Root/Soft/App"), "Soft\\App", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    at<QLineEdit>(c.edit)->setText(c.typed);
    bool shown = false;
    const ScopedDialogRunner runner([&](QDialog& dialog) {
      shown = true;
      auto* tree = dialog.findChild<QTreeView*>("FolderTree");
      auto* model = qobject_cast<QFileSystemModel*>(tree->model());
      EXPECT_EQ(tree->currentIndex(), model->index(c.start));
      EXPECT_EQ(dialog.findChild<QCheckBox*>("RelativePathCb")->isChecked(), c.relative);
      EXPECT_EQ(tree->rootIndex().isValid(), c.rootedAtProject);
      EXPECT_EQ(dialog.parentWidget(), page_.window());
      tree->setCurrentIndex(model->index(c.pick));
      dialog.findChild<QPushButton*>("OkBt")->click();
      return dialog.result();
    });
    at<QPushButton>(c.button)->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(text(c.edit), c.result);
  }
}

TEST_F(HeaderPageButtons, FileButtonsAskWithTheirTitleAndFilter) {
  const std::vector<std::pair<const char*, const char*>> buttons = {
      {"PrTagEditBt", "PrTagEdit"},
      {"PrIconLibEditBt", "PrIconLibEdit"},
      {"PrReadMeFileEditBt", "PrReadMeFileEdit"},
      {"PrLicenseFileEditBt", "PrLicenseFileEdit"}};
  QStringList titles;
  QStringList filters;
  const ScopedDialogRunner runner([&](QDialog& dialog) {
    auto& files = dynamic_cast<QFileDialog&>(dialog);
    titles << files.windowTitle();
    filters << files.nameFilters().value(0);
    return static_cast<int>(QDialog::Rejected);
  });
  for (const auto& [button, edit] : buttons) {
    at<QLineEdit>(edit)->setText(QStringLiteral("kept.txt"));
    at<QPushButton>(button)->click();
    EXPECT_EQ(text(edit), QStringLiteral("kept.txt")) << button;
  }
  EXPECT_EQ(titles, (QStringList{"Выбор маркерного файла", "Выбор библиотеки иконок", "Выбор файла ReadMe",
                                 "Выбор файла лицензии"}));
  const QStringList expected = {"Все файлы (*.*)", "Библиотеки пиктограмм (*.dll; *.icl)",
                                "Тексторые файлы (*.txt; *.rtf)", "Тексторые файлы (*.txt; *.rtf)"};
  ASSERT_EQ(filters.size(), expected.size());
  for (qsizetype i = 0; i < filters.size(); ++i)
    EXPECT_TRUE(filters[i].startsWith(expected[i])) << filters[i].toStdString();
}

// Labels sit above their edits, and no control takes the corner where a section's fold button goes.
TEST_F(HeaderPageTest, SectionsStackInOrderWithTheirCornersFree) {
  page_.resize(640, 530);
  page_.show();
  auto* area = at<QScrollArea>("HeaderScrollBox");
  EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(area->frameShape(), QFrame::NoFrame);
  int top = 0;
  for (const auto& [name, title] : std::vector<std::pair<const char*, QString>>{
           {"GroupBox10", " Описание проекта "},
           {"GroupBox12", " Главные свойства проекта "},
           {"GroupBox11", " Настройка интерфейса "},
           {"GroupBox19", " Пользовательские переменные окружения "}}) {
    auto* section = at<QGroupBox>(name);
    EXPECT_EQ(section->title(), title);
    EXPECT_EQ(section->y(), top) << name;
    top = section->geometry().bottom() + 1;
    const QRect corner(section->width() - 20, 0, 20, 16);
    const QWidget* foldButton = qobject_cast<CollapsibleSection*>(section)->foldButton();
    for (const QWidget* control : section->findChildren<QWidget*>()) {
      // Only the section's own fold button stands in its corner.
      if (control->isVisible() && control->parentWidget() == section && control != foldButton) {
        EXPECT_FALSE(control->geometry().intersects(corner)) << control->objectName().toStdString();
      }
    }
  }
  for (const QLabel* label : page_.findChildren<QLabel*>()) {
    if (const QWidget* edit = label->buddy()) {
      EXPECT_LE(label->geometry().bottom(), edit->geometry().top()) << label->objectName().toStdString();
    }
  }
  QStringList names;
  for (const QLineEdit* edit : page_.pathEdits()) names << edit->objectName();
  EXPECT_EQ(names, (QStringList{"PrRootEdit", "PrTagEdit", "PrLogEdit", "PrIconLibEdit",
                                "PrScrShotFolderEdit", "PrReadMeFileEdit", "PrLicenseFileEdit"}));
  EXPECT_EQ(grid()->columnWidth(0), 166);
  EXPECT_EQ(grid()->columnWidth(1), 304);
  EXPECT_EQ(grid()->horizontalHeaderItem(1)->text(), QStringLiteral("Значение переменной"));
}

}  // namespace
}  // namespace sw
