#include "dialogs/pick_routines.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <functional>

#include "dialogs/command_dialog.h"
#include "dialogs/dialog_runner.h"
#include "platform/text.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

using dialogs::ScopedDialogRunner;

// What the routine showed in its dialog.
struct Shown {
  QString title;
  QString folder;
  QString fileName;  // the file name field
  QString parameters;
  bool relative = false;
  bool parametersShown = false;
};

// Records what the dialog shows, lets `act` change it, then confirms (or cancels).
ScopedDialogRunner drive(Shown& shown, std::function<void(TMyCmdDialog&)> act, bool confirm = true) {
  return ScopedDialogRunner([&shown, act, confirm](QDialog& dialog) {
    auto& command = dynamic_cast<TMyCmdDialog&>(dialog);
    shown.title = command.windowTitle();
    shown.folder = command.directory().absolutePath();
    shown.fileName = command.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
    shown.parameters = command.CmdParam();
    shown.relative = command.IsRelFilePath();
    shown.parametersShown = command.ShowParamBox();
    if (act) act(command);
    if (!confirm) return static_cast<int>(QDialog::Rejected);
    dialog.accept();  // QFileDialog's own accept, which checks the name
    return dialog.result();
  });
}

class PickRoutines : public ::testing::Test {
 protected:
  PickRoutines() {
    dir_.write("bin/setup.exe", "x");
    dir_.write("Soft/App/setup.exe", "x");
    dir_.write("Soft/Other/x.exe", "x");
    dir_.write("Tools/run.exe", "x");
    dir_.write("Tools/My Tool/tool.exe", "x");
    dir_.write("Reg/base.reg", "x");
  }
  std::string root() const { return text::fromUtf8(dir_.path()); }
  QString host(const char* relative) const { return QString::fromStdString(dir_.file(relative)); }

  testing::TempDir dir_;
};

TEST_F(PickRoutines, EmptyValueOpensInTheRootAndGivesARelativePath) {
  Shown shown;
  auto runner = drive(shown, [&](TMyCmdDialog& d) { d.selectFile(host("bin/setup.exe")); });
  std::string value;
  ASSERT_TRUE(PickProgramCommand(nullptr, root(), "", value));
  EXPECT_EQ(value, "bin\\setup.exe");
  EXPECT_EQ(shown.title, QStringLiteral("Открыть файл программы"));
  EXPECT_EQ(shown.folder, QString::fromStdString(dir_.path()));
  EXPECT_TRUE(shown.relative);
  EXPECT_TRUE(shown.parametersShown);
}

// The item folder is found on disk without regard to letter case, and the result is relative
// to it, also when the file lies beside it.
TEST_F(PickRoutines, RelativeItemFolderIsTheBase) {
  for (const auto& [chosen, expected] :
       {std::pair{"Soft/App/setup.exe", "setup.exe"}, std::pair{"Soft/Other/x.exe", "..\\Other\\x.exe"},
        std::pair{"bin/setup.exe", "..\\..\\bin\\setup.exe"}}) {
    Shown shown;
    auto runner = drive(shown, [&](TMyCmdDialog& d) { d.selectFile(host(chosen)); });
    std::string value;
    ASSERT_TRUE(PickProgramCommand(nullptr, root(), "SOFT\\app", value));
    EXPECT_EQ(value, expected);
    EXPECT_EQ(shown.folder, host("Soft/App"));
  }
}

// An absolute command opens in its own folder, unchecked, with its parameters (leading blank
// included); confirming it unchanged gives the same text back.
TEST_F(PickRoutines, AbsoluteCommandComesBackUnchanged) {
  const std::string command = text::fromUtf8(dir_.file("Tools/run.exe")) + " -q";
  Shown shown;
  auto runner = drive(shown, nullptr);
  std::string value = command;
  ASSERT_TRUE(PickProgramCommand(nullptr, root(), "Soft", value));
  EXPECT_EQ(value, command);
  EXPECT_EQ(shown.folder, host("Tools"));
  EXPECT_FALSE(shown.relative);
  EXPECT_EQ(shown.parameters, QStringLiteral(" -q"));
  EXPECT_TRUE(shown.fileName.endsWith(QStringLiteral("run.exe")));
}

// Parameters are joined as typed: no blank added, nothing trimmed, no quotes around a path with
// blanks; without the parameters row they are dropped.
TEST_F(PickRoutines, ParametersAreJoinedVerbatim) {
  Shown shown;
  {
    auto runner = drive(shown, [&](TMyCmdDialog& d) {
      d.selectFile(host("Tools/My Tool/tool.exe"));
      d.setCmdParam(QStringLiteral("/S  "));
      d.setIsRelFilePath(false);
    });
    std::string value = "old.exe /x";
    ASSERT_TRUE(PickProgramCommand(nullptr, root(), "", value));
    EXPECT_EQ(value, text::fromUtf8(dir_.file("Tools/My Tool/tool.exe")) + "/S  ");
  }
  {
    auto runner = drive(shown, [&](TMyCmdDialog& d) { d.selectFile(host("bin/setup.exe")); });
    std::string value = "bin\\setup.exe /quiet";
    ASSERT_TRUE(
        PickFile(nullptr, root(), "", value, QStringLiteral("Все файлы|*.*"), QStringLiteral("Файл"), false));
    EXPECT_EQ(value, "bin\\setup.exe");
    EXPECT_FALSE(shown.parametersShown);
    EXPECT_EQ(shown.title, QStringLiteral("Файл"));
  }
}

// A registry file is never split; its dialog has no parameters row.
TEST_F(PickRoutines, RegistryFileKeepsTheWholeValueAsItsName) {
  Shown shown;
  auto runner = drive(shown, [&](TMyCmdDialog& d) { d.selectFile(host("Reg/base.reg")); });
  std::string value = "tweaks.reg -x";
  ASSERT_TRUE(PickRegFile(nullptr, root(), "", value));
  EXPECT_EQ(value, "Reg\\base.reg");
  EXPECT_EQ(shown.fileName, QStringLiteral("tweaks.reg -x"));
  EXPECT_FALSE(shown.parametersShown);
  EXPECT_EQ(shown.title, QStringLiteral("Открыть файл реестра"));
}

// Cancel leaves the value; a value that starts with a quote counts as relative and its quotes
// stay in the file name and the parameters the dialog receives.
TEST_F(PickRoutines, CancelAndQuotedValues) {
  Shown shown;
  auto runner = drive(shown, nullptr, false);
  std::string value = "\"C:\\Program Files\\x.exe\" /a";
  EXPECT_FALSE(PickProgramCommand(nullptr, root(), "", value));
  EXPECT_EQ(value, "\"C:\\Program Files\\x.exe\" /a");
  EXPECT_TRUE(shown.relative);
  EXPECT_EQ(shown.folder, QString::fromStdString(dir_.path()));
  EXPECT_EQ(shown.fileName, QStringLiteral("\"C:/Program Files/x.exe"));
  EXPECT_EQ(shown.parameters, QStringLiteral("\" /a"));
}

// A file typed that does not exist yet is returned as typed, relative to the base.
TEST_F(PickRoutines, AMissingFileMayBeTyped) {
  Shown shown;
  auto runner = drive(shown, [&](TMyCmdDialog& d) { d.selectFile(host("bin/new-setup.exe")); });
  std::string value;
  ASSERT_TRUE(PickProgramCommand(nullptr, root(), "", value));
  EXPECT_EQ(value, "bin\\new-setup.exe");
}

// Cyrillic and blank-holding folder names open and come back in the project's code page; a base
// folder that does not exist still gives a path relative to it.
TEST_F(PickRoutines, CyrillicFoldersAndAMissingBase) {
  dir_.write("Программы/Мой офис/setup.exe", "x");
  Shown shown;
  {
    auto runner = drive(shown, [&](TMyCmdDialog& d) { d.selectFile(host("Программы/Мой офис/setup.exe")); });
    std::string value;
    ASSERT_TRUE(PickProgramCommand(nullptr, root(), text::fromUtf8("Программы\\Мой офис"), value));
    EXPECT_EQ(shown.folder, host("Программы/Мой офис"));
    EXPECT_EQ(value, "setup.exe");
  }
  {
    auto runner = drive(shown, [&](TMyCmdDialog& d) {
      d.setIsRelFilePath(false);
      d.selectFile(host("Программы/Мой офис/setup.exe"));
    });
    std::string value;
    ASSERT_TRUE(PickProgramCommand(nullptr, root(), "", value));
    EXPECT_EQ(value, text::fromUtf8(dir_.file("Программы/Мой офис/setup.exe")));
  }
  auto runner = drive(shown, [&](TMyCmdDialog& d) { d.selectFile(host("bin/setup.exe")); });
  std::string value;
  ASSERT_TRUE(PickProgramCommand(nullptr, root(), "Missing\\Folder", value));
  EXPECT_EQ(value, "..\\..\\bin\\setup.exe");
}

}  // namespace
}  // namespace sw
