#include "wizard/stages_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>
#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/browse_folder_dialog.h"
#include "dialogs/command_dialog.h"
#include "dialogs/dialog_runner.h"
#include "dialogs/file_filter.h"
#include "model/project.h"
#include "platform/text.h"
#include "support/file_dialog_record.h"
#include "support/temp_dir.h"
#include "support/widget_lookup.h"

namespace sw {
namespace {

using dialogs::ScopedDialogRunner;
using testing::child;

const QString kUserCommandFilter = QStringLiteral(
    "Исполняемые файлы (*.exe; *.com)|*.exe;*.com|Коммандные файлы (*.cmd; *.bat)|*.cmd;*.bat|Тексторые "
    "файлы (*.txt; *.rtf)|*.txt;*.rtf|Все файлы (*.*)|*.*");
const QString kUserTextFilter =
    QStringLiteral("Тексторые файлы (*.txt; *.rtf)|*.txt;*.rtf|Все файлы (*.*)|*.*");

// What a file dialog showed when a "..." button opened it.
using Opened = testing::OpenedFileDialog;

class StagesPageTest : public ::testing::Test {
 protected:
  StagesPageTest() {
    for (const char* file : {"One/one.exe", "Two/two.exe", "Two/two.txt", "Three/three.exe", "Pre/pre.reg",
                             "Post/post.reg", "Post/post.cmd"})
      dir_.write(file, "x");
    project_.ProjectRootFolder = text::fromUtf8(dir_.path());
    page_.setProject(project_);
  }

  QLineEdit* edit(const std::string& name) const { return child<QLineEdit>(page_, name.c_str()); }
  void click(const char* name) const { child<QPushButton>(page_, name)->click(); }
  QString host(const char* relative) const { return QString::fromStdString(dir_.file(relative)); }

  // Records each file dialog opened; with `chosen` it picks that file and confirms, else cancels.
  ScopedDialogRunner recordFileDialogs(std::vector<Opened>& opened, const char* chosen = nullptr) const {
    return testing::recordFileDialogs(opened, chosen ? host(chosen) : QString());
  }

  testing::TempDir dir_;
  Project project_;
  StagesPage page_;
};

// Every text field of the page with the model string it stands for.
std::vector<std::pair<std::string, std::string*>> textFields(Project& p) {
  std::vector<std::pair<std::string, std::string*>> fields;
  for (const auto& [prefix, stage] :
       {std::pair{"PreInstall", &p.Preinstall}, std::pair{"PostInstall", &p.Postinstall}}) {
    const std::string name = prefix;
    fields.insert(fields.end(), {{name + "FolderEdit", &stage->Folder},
                                 {name + "BeforeRegEdit", &stage->PreRegFile},
                                 {name + "AfterRegEdit", &stage->PostRegFile},
                                 {name + "CommandEdit1", &stage->Command1},
                                 {name + "CommandEdit2", &stage->Command2},
                                 {name + "CommandEdit3", &stage->Command3},
                                 {name + "CommandEdit4", &stage->Command4}});
  }
  for (std::size_t i = 0; i < p.UserButtons.size(); ++i) {
    TUserFuncItem& b = p.UserButtons[i];
    const std::string n = std::to_string(i + 1);
    fields.insert(fields.end(), {{"UserButtonCaptionEdit" + n, &b.Caption},
                                 {"UserButtonHintEdit" + n, &b.Hint},
                                 {"UserButtonPictEdit" + n, &b.Picture},
                                 {"UserButtonFolderEdit" + n, &b.Folder},
                                 {"UserButtonCommandEdit" + n, &b.Command},
                                 {"UserButtonViewTextEdit" + n, &b.Text}});
  }
  return fields;
}

// Each field is shown in its own control and stored from it byte for byte: Cyrillic, the byte
// without a character in 1251, blanks at either end.
TEST_F(StagesPageTest, EveryFieldShowsAndStoresInItsOwnControl) {
  const auto fields = textFields(project_);
  int n = 0;
  for (const auto& [name, value] : fields)
    *value = text::fromUtf8("  Значение ") + std::to_string(++n) + "\x98\\%ROOT% ";
  project_.UserButtons[0].Visible = true;
  project_.UserButtons[1].Visible = false;
  project_.UserButtons[2].Visible = true;
  page_.ShowStagesPage();
  for (const auto& [name, value] : fields) EXPECT_EQ(edit(name)->text(), text::toQString(*value)) << name;
  EXPECT_TRUE(child<QCheckBox>(page_, "UserButtonVisibleCb1")->isChecked());
  EXPECT_FALSE(child<QCheckBox>(page_, "UserButtonVisibleCb2")->isChecked());
  EXPECT_TRUE(child<QCheckBox>(page_, "UserButtonVisibleCb3")->isChecked());

  const std::vector<std::string> shown = [&] {
    std::vector<std::string> values;
    for (const auto& field : fields) values.push_back(*field.second);
    return values;
  }();
  page_.StoreStagesPage();
  for (std::size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(*fields[i].second, shown[i]) << fields[i].first;
  EXPECT_TRUE(project_.UserButtons[0].Visible);
  EXPECT_FALSE(project_.UserButtons[1].Visible);

  // Typed text goes to the field of its control only.
  for (const auto& [name, value] : fields) edit(name)->setText(QString::fromStdString(name));
  child<QCheckBox>(page_, "UserButtonVisibleCb2")->click();
  child<QCheckBox>(page_, "UserButtonVisibleCb3")->click();
  page_.StoreStagesPage();
  for (const auto& [name, value] : fields) EXPECT_EQ(*value, name);
  EXPECT_TRUE(project_.UserButtons[0].Visible);
  EXPECT_TRUE(project_.UserButtons[1].Visible);
  EXPECT_FALSE(project_.UserButtons[2].Visible);
}

// Power off wins over reboot and reboot over closing; each show starts again from closing, and
// the store writes the one choice.
TEST_F(StagesPageTest, EndActionIsOneChoice) {
  auto* close = child<QRadioButton>(page_, "CloseProgRb");
  auto* reboot = child<QRadioButton>(page_, "RebootRb");
  auto* powerOff = child<QRadioButton>(page_, "PowerOffBt");
  EXPECT_EQ(powerOff->text(), QStringLiteral("Выключить компьютер"));

  project_.Postinstall.Reboot = true;
  project_.Postinstall.PowerOff = true;
  page_.ShowStagesPage();
  EXPECT_TRUE(powerOff->isChecked());
  EXPECT_FALSE(reboot->isChecked());
  page_.StoreStagesPage();
  EXPECT_FALSE(project_.Postinstall.Reboot);
  EXPECT_TRUE(project_.Postinstall.PowerOff);

  project_.Postinstall.Reboot = true;
  project_.Postinstall.PowerOff = false;
  page_.ShowStagesPage();
  EXPECT_TRUE(reboot->isChecked());
  EXPECT_FALSE(powerOff->isChecked());

  project_.Postinstall.Reboot = false;
  page_.ShowStagesPage();
  EXPECT_TRUE(close->isChecked());
  EXPECT_FALSE(reboot->isChecked());

  reboot->click();
  page_.StoreStagesPage();
  EXPECT_TRUE(project_.Postinstall.Reboot);
  EXPECT_FALSE(project_.Postinstall.PowerOff);
  close->click();
  EXPECT_FALSE(reboot->isChecked());
  page_.StoreStagesPage();
  EXPECT_FALSE(project_.Postinstall.Reboot);
  EXPECT_FALSE(project_.Postinstall.PowerOff);
  // The pre-install stage has no end action.
  EXPECT_FALSE(project_.Preinstall.Reboot);
  EXPECT_FALSE(project_.Preinstall.PowerOff);
}

// A user button runs a command or shows a text: a picked command empties the same button's
// text, a picked text its command; other buttons, typing and a cancelled pick clear nothing.
TEST_F(StagesPageTest, PickedCommandOrTextEmptiesTheOtherOfTheSameButton) {
  for (std::size_t i = 0; i < 3; ++i) {
    project_.UserButtons[i].Command = "run" + std::to_string(i + 1) + ".exe";
    project_.UserButtons[i].Text = "read" + std::to_string(i + 1) + ".txt";
  }
  project_.UserButtons[1].Folder = "Two";
  page_.ShowStagesPage();
  std::vector<Opened> opened;
  {
    auto runner = recordFileDialogs(opened);
    click("UserButtonCommandEditBt2");
  }
  EXPECT_EQ(edit("UserButtonViewTextEdit2")->text(), QStringLiteral("read2.txt"));
  {
    auto runner = recordFileDialogs(opened, "Two/two.exe");
    click("UserButtonCommandEditBt2");
  }
  EXPECT_EQ(edit("UserButtonCommandEdit2")->text(), QStringLiteral("two.exe"));
  EXPECT_EQ(edit("UserButtonViewTextEdit2")->text(), QString());
  for (const char* other : {"1", "3"}) {
    EXPECT_EQ(edit(std::string("UserButtonCommandEdit") + other)->text(),
              QStringLiteral("run") + other + QStringLiteral(".exe"));
    EXPECT_EQ(edit(std::string("UserButtonViewTextEdit") + other)->text(),
              QStringLiteral("read") + other + QStringLiteral(".txt"));
  }

  QTest::keyClicks(edit("UserButtonViewTextEdit2"), QStringLiteral("typed.txt"));
  EXPECT_EQ(edit("UserButtonCommandEdit2")->text(), QStringLiteral("two.exe"));
  {
    auto runner = recordFileDialogs(opened, "Two/two.txt");
    click("UserButtonViewTextEditBt2");
  }
  EXPECT_EQ(edit("UserButtonViewTextEdit2")->text(), QStringLiteral("two.txt"));
  EXPECT_EQ(edit("UserButtonCommandEdit2")->text(), QString());
  EXPECT_EQ(edit("UserButtonCommandEdit1")->text(), QStringLiteral("run1.exe"));
  page_.StoreStagesPage();
  EXPECT_EQ(project_.UserButtons[1].Text, "two.txt");
  EXPECT_EQ(project_.UserButtons[1].Command, "");
}

// The picture, command and text pickers of a button open in that button's folder, each with
// its own title and filter.
TEST_F(StagesPageTest, ButtonPickersStartInTheirOwnButtonsFolder) {
  project_.UserButtons[0].Folder = "One";
  project_.UserButtons[1].Folder = "Two";
  project_.UserButtons[2].Folder = "Three";
  page_.ShowStagesPage();
  std::vector<Opened> opened;
  {
    auto runner = recordFileDialogs(opened);
    click("UserButtonPictEditBt3");
    click("UserButtonCommandEditBt3");
    click("UserButtonViewTextEditBt3");
  }
  ASSERT_EQ(opened.size(), 3u);
  for (const Opened& dialog : opened) EXPECT_EQ(dialog.folder, host("Three")) << dialog.title.toStdString();
  EXPECT_EQ(opened[0].title, QStringLiteral("Открыть файл изображения"));
  EXPECT_EQ(opened[1].title, QStringLiteral("Открыть файл пользователя"));
  EXPECT_EQ(opened[1].filters, dialogs::qtNameFilters(kUserCommandFilter));
  EXPECT_TRUE(opened[1].parametersShown);
  EXPECT_EQ(opened[2].title, QStringLiteral("Открыть файл пользователя"));
  EXPECT_EQ(opened[2].filters, dialogs::qtNameFilters(kUserTextFilter));
  EXPECT_FALSE(opened[2].parametersShown);
}

// The registry and command pickers of a stage open in that stage's folder, and the pick lands
// in the edit beside the button.
TEST_F(StagesPageTest, StagePickersStartInTheirOwnStagesFolder) {
  project_.Preinstall.Folder = "Pre";
  project_.Postinstall.Folder = "Post";
  page_.ShowStagesPage();
  std::vector<Opened> opened;
  {
    auto runner = recordFileDialogs(opened);
    click("PostInstallBeforeRegEditBt");
    click("PostInstallCommandEdit3Bt");
    click("PreInstallAfterRegEditBt");
  }
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0].folder, host("Post"));
  EXPECT_EQ(opened[0].title, QStringLiteral("Открыть файл реестра"));
  EXPECT_EQ(opened[1].folder, host("Post"));
  EXPECT_EQ(opened[1].title, QStringLiteral("Открыть файл программы"));
  EXPECT_EQ(opened[2].folder, host("Pre"));

  {
    auto runner = recordFileDialogs(opened, "Post/post.reg");
    click("PostInstallAfterRegEditBt");
  }
  {
    auto runner = recordFileDialogs(opened, "Post/post.cmd");
    click("PostInstallCommandEdit4Bt");
  }
  page_.StoreStagesPage();
  EXPECT_EQ(project_.Postinstall.PostRegFile, "post.reg");
  EXPECT_EQ(project_.Postinstall.Command4, "post.cmd");
  EXPECT_EQ(project_.Postinstall.PreRegFile, "");
  EXPECT_EQ(project_.Postinstall.Command3, "");
  EXPECT_EQ(project_.Preinstall.PostRegFile, "");
}

// The folder buttons browse below the project root with their own title and fill their own edit.
TEST_F(StagesPageTest, FolderButtonsFillTheirOwnFolder) {
  page_.ShowStagesPage();
  QStringList titles;
  const QString chosen = host("Two");
  const ScopedDialogRunner runner([&](QDialog& shown) {
    auto& browser = dynamic_cast<dialogs::BrowseFolderDialog&>(shown);
    titles << browser.findChild<QLabel*>(QStringLiteral("FolderTitleLabel"))->text();
    auto* tree = browser.findChild<QTreeView*>(QStringLiteral("FolderTree"));
    tree->setCurrentIndex(qobject_cast<QFileSystemModel*>(tree->model())->index(chosen));
    browser.findChild<QPushButton*>(QStringLiteral("OkBt"))->click();
    return browser.result();
  });
  click("UserButtonFolderEditBt2");
  click("PostInstallFolderEditBt");
  EXPECT_EQ(titles,
            (QStringList{QStringLiteral("Выбор папки кнопки №2"), QStringLiteral("Выбор папки программы")}));
  EXPECT_EQ(edit("UserButtonFolderEdit2")->text(), QStringLiteral("Two"));
  EXPECT_EQ(edit("PostInstallFolderEdit")->text(), QStringLiteral("Two"));
  EXPECT_EQ(edit("UserButtonFolderEdit1")->text(), QString());
  EXPECT_EQ(edit("UserButtonFolderEdit3")->text(), QString());
  EXPECT_EQ(edit("PreInstallFolderEdit")->text(), QString());
}

// The path and command edits carry the shared menu; captions and hints do not.
TEST_F(StagesPageTest, PathEditsAreThePathAndCommandFields) {
  const QList<QLineEdit*> edits = page_.pathEdits();
  std::set<QString> names;
  for (const QLineEdit* e : edits) names.insert(e->objectName());
  EXPECT_EQ(edits.size(), 26);
  EXPECT_EQ(names.size(), 26u);
  for (const auto& [name, value] : textFields(project_)) {
    const bool captionOrHint =
        name.find("Caption") != std::string::npos || name.find("Hint") != std::string::npos;
    EXPECT_EQ(names.count(QString::fromStdString(name)), captionOrHint ? 0u : 1u) << name;
  }
}

}  // namespace
}  // namespace sw
