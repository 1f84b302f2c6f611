#include "programs/program_panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "dialogs/browse_folder_dialog.h"
#include "dialogs/command_dialog.h"
#include "dialogs/dialog_runner.h"
#include "dialogs/file_filter.h"
#include "dialogs/icon_picker_dialog.h"
#include "dialogs/icon_picker_state.h"
#include "model/picture_slots.h"
#include "model/program_pictures.h"
#include "model/project.h"
#include "platform/environment.h"
#include "platform/image_list.h"
#include "platform/text.h"
#include "programs/editor_state.h"
#include "support/file_dialog_record.h"
#include "support/icon_fixtures.h"
#include "support/temp_dir.h"
#include "support/widget_lookup.h"
#include "widgets/collapsible_section.h"
#include "widgets/up_down.h"

namespace sw {
namespace {

using dialogs::ScopedDialogRunner;
using testing::child;

// What a file dialog showed when a "..." button opened it.
using Opened = testing::OpenedFileDialog;

class ProgramPanelTest : public ::testing::Test {
 protected:
  ProgramPanelTest() {
    project_.SmallProgramImages = &small_;
    project_.LargeProgramImages = &large_;
    ResetProgramPictureLists(project_);
    project_.ProjectRootFolder = text::fromUtf8(dir_.path());
    first_ = AddGroup(project_, "First", "");
    second_ = AddGroup(project_, text::fromUtf8("Вторая"), "");
    program_ = addProgram(first_, 1, "Program");
    other_ = addProgram(first_, 2, "Other");
    panel_.setProject(project_, state_, small_, large_);
    panel_.fillGroups();
  }

  TInstallItem* addProgram(TInstallGroup* group, int number, const char* caption) {
    TInstallItem* program = AttachProgram(project_, group, NewProgram(group));
    program->Number = number;
    program->Caption = caption;
    return program;
  }
  // What selecting the program's node does.
  void select(TInstallItem* program) {
    state_.CurrentProgram = program;
    panel_.ShowProgram(program);
  }
  template <typename Widget = QLineEdit>
  Widget* at(const char* name) const {
    return child<Widget>(panel_, name);
  }
  void click(const char* name) const { at<QPushButton>(name)->click(); }
  QString host(const char* relative) const { return QString::fromStdString(dir_.file(relative)); }

  // Records each file dialog opened; with `chosen` it picks that file and confirms, else cancels.
  ScopedDialogRunner recordFileDialogs(std::vector<Opened>& opened, const char* chosen = nullptr) const {
    return testing::recordFileDialogs(opened, chosen ? host(chosen) : QString());
  }

  testing::TempDir dir_;
  ImageList small_{kSmallPictureWidth, kSmallPictureHeight};
  ImageList large_{kLargePictureSize, kLargePictureSize};
  Project project_;
  EditorState state_;
  TInstallGroup* first_ = nullptr;
  TInstallGroup* second_ = nullptr;
  TInstallItem* program_ = nullptr;
  TInstallItem* other_ = nullptr;
  ProgramPanel panel_;
};

// Types `text` into `widget` key by key, as the keyboard of any language does.
void type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

void expectSameProgram(const TInstallItem& a, const TInstallItem& b) {
  EXPECT_EQ(a.Owner, b.Owner);
  EXPECT_EQ(a.Group, b.Group);
  EXPECT_EQ(a.Number, b.Number);
  EXPECT_EQ(a.Caption, b.Caption);
  EXPECT_EQ(a.Description, b.Description);
  EXPECT_EQ(a.Depends, b.Depends);
  EXPECT_EQ(a.DependsOr, b.DependsOr);
  EXPECT_EQ(a.Exclude, b.Exclude);
  EXPECT_EQ(a.Folder, b.Folder);
  EXPECT_EQ(a.CheckTagFile, b.CheckTagFile);
  EXPECT_EQ(a.PreRegFile, b.PreRegFile);
  for (auto command : TInstallItem::Commands) EXPECT_EQ(a.*command, b.*command);
  EXPECT_EQ(a.PostRegFile, b.PostRegFile);
  EXPECT_EQ(a.KillWait, b.KillWait);
  EXPECT_EQ(a.IconFile, b.IconFile);
  EXPECT_EQ(a.IconNumber, b.IconNumber);
  EXPECT_EQ(a.SkreenShotImage, b.SkreenShotImage);
  EXPECT_EQ(a.SmallImage, b.SmallImage);
  EXPECT_EQ(a.LargeImage, b.LargeImage);
  EXPECT_EQ(a.Default, b.Default);
  EXPECT_EQ(a.Fixed, b.Fixed);
  EXPECT_EQ(a.Visible, b.Visible);
  EXPECT_EQ(a.RebootNeed, b.RebootNeed);
}

// Showing a program and storing it again changes nothing: numbers outside the arrows' ranges,
// a description with no-break spaces and every kind of line break, blanks and a byte without
// a character in 1251.
TEST_F(ProgramPanelTest, ShowingAndStoringChangesNothing) {
  TInstallItem& p = *program_;
  p.Caption = text::fromUtf8("  Программа ") + "\x98 ";
  p.Description = text::fromUtf8("Первая\xC2\xA0строка") + "\r\n" + "two\nthree\rfour\xA0";
  p.Folder = "%ROOT%\\Soft";
  p.IconFile = "icons.dll";
  p.SkreenShotImage = "shot.jpg";
  for (std::size_t i = 0; i < TInstallItem::Commands.size(); ++i)
    p.*TInstallItem::Commands[i] = "setup" + std::to_string(i + 1) + ".exe /q ";
  p.PreRegFile = "before.reg";
  p.PostRegFile = "after.reg";
  p.CheckTagFile = "tag.dat";
  p.Depends = {2};
  p.SourceFolder = "kept";
  for (const auto& [icon, wait, flag] : {std::tuple{-1, 250, true}, std::tuple{1500, -3, false}}) {
    p.IconNumber = icon;
    p.KillWait = wait;
    p.RebootNeed = p.Default = flag;
    p.Fixed = p.Visible = !flag;
    const TInstallItem before = p;
    select(&p);
    EXPECT_EQ(at("IconNumEd")->text(), QString::number(icon));
    EXPECT_EQ(at("PrgKillWaitEd")->text(), QString::number(wait));
    panel_.StoreProgram(&p);
    expectSameProgram(p, before);
    EXPECT_EQ(p.SourceFolder, "kept");
  }
  // The arrows clamp only their own position and step from there.
  EXPECT_EQ(at<UpDown>("IconNumEdUpDown")->position(), 999);
  EXPECT_EQ(at<UpDown>("UpDown3")->position(), 0);
  at<UpDown>("UpDown3")->stepUp();
  EXPECT_EQ(at("PrgKillWaitEd")->text(), QStringLiteral("1"));
}

// Each control is stored into its own field; numbers that are no numbers are stored as 0; a
// description typed with Enter and a no-break space keeps both.
TEST_F(ProgramPanelTest, EveryControlIsStoredIntoItsOwnField) {
  select(program_);
  const std::vector<std::pair<const char*, std::string TInstallItem::*>> edits = {
      {"PrgNameEd", &TInstallItem::Caption},          {"PrgFolderEd", &TInstallItem::Folder},
      {"IconFileEd", &TInstallItem::IconFile},        {"PrgScreenShotEd", &TInstallItem::SkreenShotImage},
      {"CommandEd1", &TInstallItem::Command1},        {"CommandEd2", &TInstallItem::Command2},
      {"CommandEd3", &TInstallItem::Command3},        {"CommandEd4", &TInstallItem::Command4},
      {"CommandEd5", &TInstallItem::Command5},        {"CommandEd6", &TInstallItem::Command6},
      {"PreRegEd", &TInstallItem::PreRegFile},        {"PostRegEd", &TInstallItem::PostRegFile},
      {"CheckTagFileEd", &TInstallItem::CheckTagFile}};
  for (const auto& [name, field] : edits) at(name)->setText(QString::fromLatin1(name));
  at("IconNumEd")->setText(QStringLiteral("17"));
  at("PrgKillWaitEd")->setText(QStringLiteral("5s"));
  auto* memo = at<QPlainTextEdit>("PrgDiskrEd");
  type(memo, QStringLiteral("Раз"));
  QTest::keyClick(memo, Qt::Key_Return);
  type(memo, QStringLiteral("два") + QChar(0xA0) + QStringLiteral("три"));
  at<QCheckBox>("PrgRebootCb")->click();
  panel_.StoreProgram(program_);
  for (const auto& [name, field] : edits) EXPECT_EQ(program_->*field, name);
  EXPECT_EQ(program_->IconNumber, 17);
  EXPECT_EQ(program_->KillWait, 0);
  EXPECT_EQ(program_->Description,
            text::fromUtf8("Раз") + "\r\n" + text::fromUtf8("два") + "\xA0" + text::fromUtf8("три"));
  EXPECT_TRUE(program_->RebootNeed);
  EXPECT_FALSE(program_->Default);
  EXPECT_FALSE(program_->Fixed);
  EXPECT_TRUE(program_->Visible);
  EXPECT_EQ(other_->Caption, "Other");
}

// Typing a name renames the program at every keystroke; filling the panel, the updating flag
// and having no program make it no edit.
TEST_F(ProgramPanelTest, NameTypingRenamesAtOnce) {
  select(program_);
  QSignalSpy renamed(&panel_, &ProgramPanel::programRenamed);
  at("PrgNameEd")->clear();
  type(at("PrgNameEd"), QStringLiteral("Имя"));
  EXPECT_EQ(program_->Caption, text::fromUtf8("Имя"));
  ASSERT_EQ(renamed.count(), 4);
  EXPECT_EQ(qvariant_cast<TInstallItem*>(renamed.last().at(0)), program_);

  select(other_);
  EXPECT_EQ(renamed.count(), 4);
  EXPECT_EQ(at("PrgNameEd")->text(), QStringLiteral("Other"));
  EXPECT_EQ(program_->Caption, text::fromUtf8("Имя"));

  state_.Updating = true;
  QTest::keyClicks(at("PrgNameEd"), QStringLiteral("x"));
  state_.Updating = false;
  state_.CurrentProgram = nullptr;
  QTest::keyClicks(at("PrgNameEd"), QStringLiteral("y"));
  EXPECT_EQ(other_->Caption, "Other");
  EXPECT_EQ(renamed.count(), 4);
}

// The three choice flags are stored at a click, each into its own field, Visible inverted.
TEST_F(ProgramPanelTest, ChoiceFlagsAreStoredAtOnce) {
  program_->Default = true;
  select(program_);
  QSignalSpy changed(&panel_, &ProgramPanel::programStateChanged);
  at<QCheckBox>("PrgVisibleCb")->click();
  EXPECT_FALSE(program_->Visible);
  EXPECT_TRUE(program_->Default);
  EXPECT_FALSE(program_->Fixed);
  at<QCheckBox>("PrgFixedCb")->click();
  at<QCheckBox>("PrgDefaultCb")->click();
  EXPECT_TRUE(program_->Fixed);
  EXPECT_FALSE(program_->Default);
  ASSERT_EQ(changed.count(), 3);
  EXPECT_EQ(qvariant_cast<TInstallItem*>(changed.at(0).at(0)), program_);

  select(other_);
  EXPECT_FALSE(at<QCheckBox>("PrgVisibleCb")->isChecked());
  state_.Updating = true;
  at<QCheckBox>("PrgDefaultCb")->click();
  EXPECT_FALSE(other_->Default);
  EXPECT_EQ(changed.count(), 3);
}

// Choosing another group stores the whole panel and moves the program to the end of that group;
// choosing back moves it back to the end of its first group.
TEST_F(ProgramPanelTest, GroupChoiceMovesTheProgramToTheEndOfTheGroup) {
  TInstallItem* resident = addProgram(second_, 3, "Resident");
  select(program_);
  auto* box = at<QComboBox>("GroupCb2");
  ASSERT_EQ(box->count(), 2);
  EXPECT_EQ(box->itemText(1), QStringLiteral("Вторая"));
  EXPECT_EQ(box->currentIndex(), 0);
  at("PrgFolderEd")->setText(QStringLiteral("Typed"));
  QSignalSpy moved(&panel_, &ProgramPanel::programMovedToGroup);

  QTest::keyClick(box, Qt::Key_Down);
  EXPECT_EQ(program_->Owner, second_);
  EXPECT_EQ(program_->Group, second_->Name);
  ASSERT_EQ(second_->Items.size(), 2u);
  EXPECT_EQ(second_->Items[0].get(), resident);
  EXPECT_EQ(second_->Items[1].get(), program_);
  ASSERT_EQ(first_->Items.size(), 1u);
  EXPECT_EQ(program_->Folder, "Typed");
  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(qvariant_cast<TInstallItem*>(moved.at(0).at(0)), program_);

  // Storing without a new choice moves nothing.
  panel_.StoreProgram(program_);
  EXPECT_EQ(moved.count(), 1);

  QTest::keyClick(box, Qt::Key_Up);
  EXPECT_EQ(program_->Owner, first_);
  EXPECT_EQ(first_->Items.back().get(), program_);
  EXPECT_EQ(first_->Items.front().get(), other_);
  EXPECT_EQ(moved.count(), 2);

  // A panel whose list was never filled has no group to move to: the program stays.
  ProgramPanel unfilled;
  unfilled.setProject(project_, state_, small_, large_);
  unfilled.ShowProgram(program_);
  unfilled.StoreProgram(program_);
  EXPECT_EQ(program_->Owner, first_);
  EXPECT_EQ(first_->Items.size(), 2u);
}

// The command, registry and check file choosers start in the program folder as typed, not yet
// stored, each with its title; the screenshot chooser in the project's screenshot folder. A
// cancelled chooser changes nothing, a confirmed one fills the field beside its button only.
TEST_F(ProgramPanelTest, ChoosersStartInTheTypedProgramFolder) {
  for (const char* file : {"Soft/App/setup.exe", "Soft/App/tweak.reg", "Soft/App/tag.dat", "Shots/a.txt"})
    dir_.write(file, "x");
  project_.Settings.CommonShotFolder = "Shots";
  program_->Command2 = "old.exe /x";
  select(program_);
  at("PrgFolderEd")->setText(QStringLiteral("soft\\APP"));
  std::vector<Opened> opened;
  {
    auto runner = recordFileDialogs(opened);
    for (const char* button :
         {"CommandEdBt2", "PreRegEditBt", "PostRegEditBt", "CheckTagFileEdCb", "PrgScreenShotEdBt"})
      click(button);
  }
  ASSERT_EQ(opened.size(), 5u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(opened[i].folder, host("Soft/App")) << i;
  EXPECT_EQ(opened[4].folder, host("Shots"));
  EXPECT_EQ(opened[0].title, QStringLiteral("Открыть файл программы"));
  EXPECT_TRUE(opened[0].parametersShown);
  EXPECT_EQ(opened[1].title, QStringLiteral("Открыть файл реестра"));
  EXPECT_EQ(opened[2].title, QStringLiteral("Открыть файл реестра"));
  EXPECT_EQ(opened[3].title, QStringLiteral("Открыть файл проверочного тэга"));
  EXPECT_EQ(opened[3].filters, dialogs::qtNameFilters(QStringLiteral("Все файлы (*.*)|*.*")));
  EXPECT_FALSE(opened[3].parametersShown);
  EXPECT_EQ(opened[4].title, QStringLiteral("Открыть файл изображения"));
  EXPECT_EQ(at("CommandEd2")->text(), QStringLiteral("old.exe /x"));

  for (const auto& [button, file] :
       {std::pair{"CommandEdBt6", "Soft/App/setup.exe"}, std::pair{"PostRegEditBt", "Soft/App/tweak.reg"},
        std::pair{"CheckTagFileEdCb", "Soft/App/tag.dat"}}) {
    auto runner = recordFileDialogs(opened, file);
    click(button);
  }
  EXPECT_EQ(at("CommandEd6")->text(), QStringLiteral("setup.exe"));
  EXPECT_EQ(at("PostRegEd")->text(), QStringLiteral("tweak.reg"));
  EXPECT_EQ(at("CheckTagFileEd")->text(), QStringLiteral("tag.dat"));
  EXPECT_EQ(at("CommandEd5")->text(), QString());
  EXPECT_EQ(at("PreRegEd")->text(), QString());
}

// The folder button browses below the project root and keeps a relative folder relative.
TEST_F(ProgramPanelTest, FolderButtonChoosesBelowTheProjectRoot) {
  dir_.write("Soft/App/setup.exe", "x");
  select(program_);
  QString title;
  const QString chosen = host("Soft/App");
  const ScopedDialogRunner runner([&](QDialog& shown) {
    auto& browser = dynamic_cast<dialogs::BrowseFolderDialog&>(shown);
    title = browser.findChild<QLabel*>(QStringLiteral("FolderTitleLabel"))->text();
    auto* tree = browser.findChild<QTreeView*>(QStringLiteral("FolderTree"));
    tree->setCurrentIndex(qobject_cast<QFileSystemModel*>(tree->model())->index(chosen));
    browser.findChild<QPushButton*>(QStringLiteral("OkBt"))->click();
    return browser.result();
  });
  click("PrgFolderEdBt");
  EXPECT_EQ(title, QStringLiteral("Выбор папки программы"));
  EXPECT_EQ(at("PrgFolderEd")->text(), QStringLiteral("Soft\\App"));
}

class ProgramPanelIcons : public ProgramPanelTest {
 protected:
  static constexpr QRgb kRed = qRgb(200, 0, 0);
  static constexpr QRgb kGreen = qRgb(0, 200, 0);
  static constexpr QRgb kBlue = qRgb(0, 0, 200);

  ProgramPanelIcons() {
    dir_.write("Icons/Library.dll", testing::makeIconLibraryDll(6));
    dir_.write("Soft/App/app.ico", testing::makeIcoFile(32, kRed));
    dir_.write("app.ico", testing::makeIcoFile(32, kGreen));
    dir_.write("Abs/abs.ico", testing::makeIcoFile(32, kBlue));
    project_.Settings.CommonIconLib = "Icons\\Library.dll";
    env::setVariable("SW_PANEL_ICONS", dir_.file("Abs"));
    select(program_);
  }
  ~ProgramPanelIcons() override { env::unsetVariable("SW_PANEL_ICONS"); }

  // Picks icon `index` of the file the picker was given, as confirming it unchanged does.
  ScopedDialogRunner confirmGivenFile(int index) const {
    return ScopedDialogRunner([index](QDialog& dialog) {
      EXPECT_NE(qobject_cast<dialogs::TPicIconDlgFm*>(&dialog), nullptr);
      dialogs::iconPickerState().selectedIconIndex = index;
      return static_cast<int>(QDialog::Accepted);
    });
  }
  // The colours the program's pictures show now: small, large and the panel's own.
  std::tuple<QRgb, QRgb, QRgb> pictures() const {
    const QImage shown = at<QLabel>("IconImage")->pixmap().toImage();
    return {small_.at(program_->SmallImage).pixel(8, 10), large_.at(program_->LargeImage).pixel(16, 16),
            shown.isNull() ? 0 : shown.pixel(16, 16)};
  }
  std::tuple<QRgb, QRgb, QRgb> allOf(QRgb colour) const { return {colour, colour, colour}; }
};

// The project's library, reached through the picker's own list: the file stays empty, the
// index is the one picked, and a program on the shared default pictures gets its own.
TEST_F(ProgramPanelIcons, EmptyFileTakesTheIconFromTheLibrary) {
  const QImage builtinSmall = small_.at(kDefaultProgramPicture);
  const QImage builtinLarge = large_.at(kDefaultLargeProgramPicture);
  QSignalSpy changed(&panel_, &ProgramPanel::programPictureChanged);
  at("IconNumEd")->setText(QStringLiteral("2"));
  int offered = -1;
  {
    const ScopedDialogRunner runner([&offered](QDialog& dialog) {
      auto& picker = dynamic_cast<dialogs::TPicIconDlgFm&>(dialog);
      auto* list = picker.findChild<QListWidget*>(QStringLiteral("IconPiclist"));
      offered = list->currentRow();
      list->setCurrentRow(4);
      picker.findChild<QPushButton*>(QStringLiteral("OkBt"))->click();
      return picker.result();
    });
    click("IconFileEdBt");
  }
  EXPECT_EQ(offered, 2);  // the number typed, not yet stored
  EXPECT_EQ(pictures(), allOf(testing::iconLibraryColour(4)));
  EXPECT_EQ(at("IconFileEd")->text(), QString());
  EXPECT_EQ(at("IconNumEd")->text(), QStringLiteral("4"));
  EXPECT_GE(program_->SmallImage, kBuiltinSmallPictures);
  EXPECT_EQ(program_->LargeImage, program_->SmallImage - kBuiltinSmallPictures + 1);
  EXPECT_EQ(small_.at(kDefaultProgramPicture), builtinSmall);
  EXPECT_EQ(large_.at(kDefaultLargeProgramPicture), builtinLarge);
  EXPECT_EQ(other_->SmallImage, kDefaultProgramPicture);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(qvariant_cast<TInstallItem*>(changed.at(0).at(0)), program_);
  // The name and number follow only with the store.
  EXPECT_EQ(program_->IconNumber, 0);
  panel_.StoreProgram(program_);
  EXPECT_EQ(program_->IconNumber, 4);
}

// A relative icon file lies in the program folder as typed (relative to the project root, or
// absolute), or in the root when there is none; an absolute one, also through a variable, is
// taken as it is. The program keeps its slots; a file without icons and a cancelled picker
// leave the pictures.
TEST_F(ProgramPanelIcons, IconFileIsResolvedAgainstTheTypedFolder) {
  const std::string absoluteFolder = text::fromUtf8(dir_.file("Soft/App"));
  struct Case {
    std::string folder;
    const char* file;
    QRgb colour;
  };
  int slot = -1;
  for (const Case& c :
       {Case{"Soft\\App", "\\app.ico", kRed}, Case{"", "app.ico", kGreen},
        Case{absoluteFolder, "app.ico", kRed}, Case{"Soft", "%SW_PANEL_ICONS%\\abs.ico", kBlue}}) {
    at("PrgFolderEd")->setText(text::toQString(c.folder));
    at("IconFileEd")->setText(QString::fromLatin1(c.file));
    auto runner = confirmGivenFile(0);
    click("IconFileEdBt");
    EXPECT_EQ(pictures(), allOf(c.colour)) << c.folder << " " << c.file;
    if (slot < 0) slot = program_->SmallImage;
    EXPECT_EQ(program_->SmallImage, slot);
  }
  const int pictureCount = small_.count();
  QSignalSpy changed(&panel_, &ProgramPanel::programPictureChanged);
  {
    at("IconFileEd")->setText(QStringLiteral("missing.ico"));
    auto runner = confirmGivenFile(3);
    click("IconFileEdBt");
  }
  EXPECT_EQ(pictures(), allOf(kBlue));
  EXPECT_EQ(at("IconNumEd")->text(), QStringLiteral("3"));
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(small_.count(), pictureCount);

  program_->IconFile = "missing.ico";
  program_->IconNumber = -1;
  panel_.ShowProgram(program_);
  {
    const ScopedDialogRunner runner([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    click("IconFileEdBt");
  }
  EXPECT_EQ(at("IconNumEd")->text(), QStringLiteral("-1"));
  EXPECT_EQ(at("IconFileEd")->text(), QStringLiteral("missing.ico"));
  EXPECT_EQ(pictures(), allOf(kBlue));
}

// The reference lists show their captions two blanks apart; the dependencies editor is asked
// for the current program and its lists are shown again when it changed them.
TEST_F(ProgramPanelTest, ReferencesShowCaptionsAndFollowTheirEditor) {
  addProgram(second_, 3, "Third");
  addProgram(second_, 4, "Fourth");
  SetReferences(project_, *program_, &TInstallItem::Depends, {2, 3, 4});
  SetReferences(project_, *program_, &TInstallItem::Exclude, {4});
  select(program_);
  EXPECT_EQ(at("PrgDependsEd")->text(), QStringLiteral("Other  Third  Fourth"));
  EXPECT_EQ(at("PrgOrDependsEd")->text(), QString());
  EXPECT_EQ(at("PrgExcludeEd")->text(), QStringLiteral("Fourth"));
  EXPECT_TRUE(at("PrgDependsEd")->isReadOnly());

  bool changes = false;
  TInstallItem* asked = nullptr;
  panel_.setDependsEditor([&](QWidget*, Project& project, TInstallItem& program) {
    asked = &program;
    SetReferences(project, program, &TInstallItem::DependsOr, {3});
    return changes;
  });
  click("PrgDependsEdBt");
  EXPECT_EQ(asked, program_);
  EXPECT_EQ(at("PrgOrDependsEd")->text(), QString());
  changes = true;
  click("PrgDependsEdBt");
  EXPECT_EQ(at("PrgOrDependsEd")->text(), QStringLiteral("Third"));
  panel_.StoreProgram(program_);
  EXPECT_EQ(program_->DependsOr, std::vector<std::int32_t>{3});
}

// The five sections in order with their titles and fold buttons; at the panel's width in the
// window every text fits unfolded; the twelve path and command edits carry the shared menu.
TEST_F(ProgramPanelTest, SectionsFitTheNarrowColumn) {
  panel_.resize(277, 530);
  panel_.show();
  int top = 0;
  for (const auto& [name, title, button] : std::vector<std::tuple<const char*, QString, QString>>{
           {"GroupBox4", " Общие свойства ", "Button2"},
           {"GroupBox5", " Зависимости и исключения ", "Button4"},
           {"GroupBox7", " Команды установки ", "Button5"},
           {"GroupBox6", " Работа с реестром ", "Button6"},
           {"GroupBox18", " Проверка наличия программы ", "Button12"}}) {
    auto* section = at<CollapsibleSection>(name);
    EXPECT_EQ(section->title(), title);
    EXPECT_EQ(section->foldButton()->objectName(), button);
    EXPECT_EQ(section->y(), top) << name;
    EXPECT_LE(section->width(), at<QScrollArea>("PrgScrollBox")->viewport()->width()) << name;
    top = section->geometry().bottom() + 1;
  }
  for (const QWidget* text : panel_.findChildren<QWidget*>()) {
    if (qobject_cast<const QLabel*>(text) == nullptr && qobject_cast<const QCheckBox*>(text) == nullptr)
      continue;
    if (text->objectName() == QStringLiteral("IconImage")) continue;
    // A caption that wraps needs the height of its lines; one that does not, its whole width.
    if (text->hasHeightForWidth())
      EXPECT_GE(text->height(), text->heightForWidth(text->width())) << text->objectName().toStdString();
    else
      EXPECT_GE(text->width(), text->sizeHint().width()) << text->objectName().toStdString();
  }
  QStringList names;
  for (const QLineEdit* edit : panel_.pathEdits()) names << edit->objectName();
  EXPECT_EQ(names, (QStringList{"PrgFolderEd", "IconFileEd", "PrgScreenShotEd", "PreRegEd", "PostRegEd",
                                "CommandEd1", "CommandEd2", "CommandEd3", "CommandEd4", "CommandEd5",
                                "CommandEd6", "CheckTagFileEd"}));
}

}  // namespace
}  // namespace sw
