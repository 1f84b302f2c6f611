#include "wizard/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "dialogs/dialog_runner.h"
#include "model/project_document.h"
#include "platform/text.h"
#include "programs/depends_dialog.h"
#include "programs/program_tree.h"
#include "support/icon_fixtures.h"
#include "support/temp_dir.h"
#include "support/tree_copy.h"
#include "support/widget_lookup.h"

namespace sw {
namespace {

using testing::child;
using Numbers = std::vector<std::int32_t>;

const std::string kDemo = std::string(SETWRIGHT_SOURCE_DIR) + "/examples/demo";
// The demo's browser icon is one solid colour (the demo's own test keeps it so).
constexpr QRgb kBrowserColour = qRgb(0x00, 0x83, 0x8F);

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// A group's kind as its key in the file marks it: "#" locked, "+" expanded.
std::string kindOf(const TInstallGroup& group) { return group.Locked ? "#" : group.Expanded ? "+" : ""; }

// A program as typed into the panel; `icon` is an index into the demo's icon library, or -1 for
// the icon file in the program's own folder.
struct Program {
  int groupRow;  // the group's place in the tree when the program is added
  const char* caption;
  const char* folder;
  const char* command;
  int icon;
};

const std::vector<Program> kPrograms = {
    {2, "Браузер", "Internet\\Browser", "browser.exe /silent", -1},
    {2, "Почта", "Internet\\Mail", "mail.exe /S", 5},
    {1, "Драйверы", "Drivers\\Chipset", "setup.exe -s", 1},
    {1, "Архиватор", "System\\Archiver", "archiver.exe /S", 2},
    {0, "Редактор", "Office\\Suite", "setup.exe /quiet", 3},
    {0, "Таблицы", "Office\\Calc", "calc.msi /qn", 7},
    {2, "Мессенджер", "Internet\\Messenger", "im.exe /S", 9},
};
const Program kChat = {2, "Чат", "Internet\\Chat", "chat.exe /S", 11};

class BuildFromNothing : public ::testing::Test {
 protected:
  // The demo's icon library and icon files below the root folder; settings of the test's own.
  MainWindowOptions prepared() const {
    EXPECT_TRUE(testing::copyTree(kDemo + "/Soft", dir_.file("Soft")));
    MainWindowOptions options;
    options.settingsFile = dir_.file("setwright.ini");
    return options;
  }

  void click(const char* button) { child<QAbstractButton>(window_, button)->click(); }
  void type(const char* edit, const QString& value) { child<QLineEdit>(window_, edit)->setText(value); }
  QString shown(const char* edit) { return child<QLineEdit>(window_, edit)->text(); }
  QTreeWidget& tree() { return *child<QTreeWidget>(window_, "SelectProgTree"); }

  void addGroup(const char* name, const char* description, const char* kind) {
    click("GrpAddBt");
    type("NameGroupEd", Q(name));
    child<QPlainTextEdit>(window_, "DescrGroupEd")->setPlainText(Q(description));
    click(kind);
  }

  QTreeWidgetItem* node(const char* caption) {
    const QList<QTreeWidgetItem*> found = tree().findItems(Q(caption), Qt::MatchExactly | Qt::MatchRecursive);
    EXPECT_EQ(found.size(), 1) << caption;
    return found.value(0);
  }
  void select(const char* caption) { tree().setCurrentItem(node(caption)); }

  void addProgram(const Program& program) {
    tree().setCurrentItem(tree().topLevelItem(program.groupRow));
    click("PrgAddBt");
    type("PrgNameEd", Q(program.caption));
    type("PrgFolderEd", QString::fromLatin1(program.folder));
    type("CommandEd1", QString::fromLatin1(program.command));
    type("IconFileEd", program.icon < 0 ? QStringLiteral("browser.ico") : QString());
    type("IconNumEd", QString::number(std::max(program.icon, 0)));
  }

  // The dependencies dialog of the selected program: each named program goes into the list of
  // its add button, in order, and OK closes it.
  void setDependencies(std::vector<std::pair<const char*, const char*>> moves) {
    onDepends_ = [moves](TDependsFm& dialog) {
      auto* all = child<QListWidget>(dialog, "AllPrgListBox");
      for (const auto& [button, caption] : moves) {
        const QList<QListWidgetItem*> found = all->findItems(Q(caption), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << caption;
        all->setCurrentItem(found.front());
        child<QPushButton>(dialog, button)->click();
      }
    };
    click("PrgDependsEdBt");
  }

  testing::TempDir dir_;
  std::function<void(TDependsFm&)> onDepends_;
  // No message box is expected on the whole way: any other dialog fails the test.
  dialogs::ScopedDialogRunner runner_{[this](QDialog& dialog) {
    auto* depends = qobject_cast<TDependsFm*>(&dialog);
    if (depends == nullptr) {
      ADD_FAILURE() << "an unexpected dialog: " << dialog.windowTitle().toStdString();
      return static_cast<int>(QDialog::Rejected);
    }
    onDepends_(*depends);
    child<QPushButton>(*depends, "OkBt")->click();
    return depends->result();
  }};
  TSetwrightFm window_{prepared()};
};

// A user builds a project from an empty start: three groups of the three kinds, programs with
// library icons and references, moves and a deletion; the saved file holds exactly that, with
// the references following the save's renumbering.
TEST_F(BuildFromNothing, WizardBuildsAndSavesAProject) {
  window_.show();
  click("NewProjectRb");
  type("FileNameEdit", QStringLiteral("setup.ini"));
  type("RootFolderEdit", QString::fromStdString(dir_.path()));
  click("NextBt");
  ASSERT_EQ(window_.currentPage(), 1);
  type("PrRootEdit", QStringLiteral("%ROOT%\\Soft"));
  type("PrIconLibEdit", QStringLiteral("icons.dll"));
  click("NextBt");
  click("NextBt");
  ASSERT_EQ(window_.currentPage(), 3);

  addGroup("Система", "Драйверы и утилиты", "BlockedGroupRb");
  addGroup("Интернет", "Браузер и почта", "ExpandGroupRb");
  addGroup("Офис", "Документы и таблицы", "NormGroupRb");
  // Офис up to the middle, then Система down below it.
  auto* groups = child<QListWidget>(window_, "GroupListBox");
  groups->setCurrentRow(2);
  click("GrpUpBt");
  groups->setCurrentRow(0);
  click("GrpDownBt");
  click("NextBt");
  ASSERT_EQ(window_.currentPage(), 4);
  ASSERT_EQ(tree().topLevelItemCount(), 3);

  for (const Program& program : kPrograms) addProgram(program);
  select("Почта");
  setDependencies({{"DepAddBt", "Браузер"},
                   {"DepAddBt", "Драйверы"},
                   {"DepOrAddBt", "Редактор"},
                   {"DepOrAddBt", "Мессенджер"},
                   {"ExclAddBt", "Архиватор"}});
  EXPECT_EQ(shown("PrgDependsEd"), Q("Браузер  Драйверы"));
  EXPECT_EQ(shown("PrgOrDependsEd"), Q("Редактор  Мессенджер"));
  EXPECT_EQ(shown("PrgExcludeEd"), Q("Архиватор"));
  select("Таблицы");
  setDependencies({{"ExclAddBt", "Мессенджер"}, {"ExclAddBt", "Почта"}});

  // The deleted program had the highest number, so the next program added takes it again: a
  // reference left behind would now name that program.
  const std::int32_t freed = SelectProgTree::programOf(node("Мессенджер"))->Number;
  select("Мессенджер");
  click("PrgDeleteBt");
  addProgram(kChat);
  ASSERT_EQ(SelectProgTree::programOf(node("Чат"))->Number, freed);
  select("Почта");
  EXPECT_EQ(shown("PrgOrDependsEd"), Q("Редактор"));

  select("Браузер");
  click("PrgDownBt");
  select("Архиватор");
  click("PrgUpBt");
  select("Редактор");
  QTest::keyClick(child<QComboBox>(window_, "GroupCb2"), Qt::Key_Down);  // from Офис to Система
  EXPECT_EQ(node("Редактор")->parent(), tree().topLevelItem(1));

  click("NextBt");
  ASSERT_EQ(window_.currentPage(), 5);
  click("NextBt");
  EXPECT_FALSE(window_.isVisible());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir_.file("setup.ini.bak"))));

  ProjectDocument saved;
  const Status opened = saved.open("setup.ini", dir_.path());
  ASSERT_TRUE(opened.ok()) << opened.text();
  const Project& project = saved.project();
  ASSERT_EQ(GroupCount(project), 3);
  const std::vector<std::vector<std::string>> expected = {
      {"Офис", "", "Документы и таблицы", "Таблицы"},
      {"Система", "#", "Драйверы и утилиты", "Архиватор", "Драйверы", "Редактор"},
      {"Интернет", "+", "Браузер и почта", "Почта", "Браузер", "Чат"}};
  std::int32_t number = 0;
  std::vector<const TInstallItem*> byNumber;
  for (std::size_t g = 0; g < expected.size(); ++g) {
    const TInstallGroup& group = *project.Groups[g];
    std::vector<std::string> seen = {text::toUtf8(group.Name), kindOf(group),
                                     text::toUtf8(group.Description)};
    for (const auto& program : group.Items) {
      seen.push_back(text::toUtf8(program->Caption));
      EXPECT_EQ(program->Number, number++) << seen.back();
      byNumber.push_back(program.get());
      const auto typed = std::find_if(kPrograms.begin(), kPrograms.end(), [&](const Program& p) {
        return text::fromUtf8(p.caption) == program->Caption;
      });
      const Program& input = typed != kPrograms.end() ? *typed : kChat;
      EXPECT_EQ(program->Folder, input.folder) << seen.back();
      EXPECT_EQ(program->Command1, input.command) << seen.back();
      EXPECT_EQ(program->IconFile, input.icon < 0 ? "browser.ico" : "") << seen.back();
      EXPECT_EQ(program->IconNumber, std::max(input.icon, 0)) << seen.back();
      const QImage& picture = saved.largePictures().at(program->LargeImage);
      EXPECT_EQ(picture.pixel(16, 16),
                input.icon < 0 ? kBrowserColour : testing::iconLibraryColour(input.icon))
          << seen.back();
    }
    EXPECT_EQ(seen, expected[g]);
  }
  ASSERT_EQ(byNumber.size(), 7u);

  // Таблицы 0, Архиватор 1, Драйверы 2, Редактор 3, Почта 4, Браузер 5, Чат 6.
  const TInstallItem& mail = *byNumber[4];
  EXPECT_EQ(mail.Depends, (Numbers{5, 2}));
  EXPECT_EQ(mail.DependsOr, (Numbers{3}));
  EXPECT_EQ(mail.Exclude, (Numbers{1}));
  EXPECT_EQ(byNumber[0]->Exclude, (Numbers{4}));
  for (const TInstallItem* program : byNumber) {
    if (program == &mail) continue;
    EXPECT_TRUE(program->Depends.empty() && program->DependsOr.empty()) << text::toUtf8(program->Caption);
    if (program != byNumber[0]) {
      EXPECT_TRUE(program->Exclude.empty()) << text::toUtf8(program->Caption);
    }
  }
}

}  // namespace
}  // namespace sw
