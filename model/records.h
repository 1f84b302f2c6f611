#pragma once
// The records of a project: settings, stage command sets, user buttons, groups and programs.
// Every string holds code page 1251 bytes exactly as in the project file; field names are the
// file's key names, letter for letter.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/picture_slots.h"

class QTreeWidgetItem;

namespace sw {

struct TInstallGroup;

// One installable program.
struct TInstallItem {
  TInstallGroup* Owner = nullptr;
  QTreeWidgetItem* Node = nullptr;
  std::int32_t Number = 0;
  std::int32_t OldNumber = 0;
  std::string Group;
  std::string Caption;
  std::string Description;
  std::vector<std::int32_t> Depends;
  std::vector<std::int32_t> DependsOr;
  std::vector<std::int32_t> Exclude;
  std::string Folder;
  std::string SourceFolder;  // not edited; written back when not empty
  std::string CheckTagFile;
  bool MinToTray = false;
  std::string PreCopyCommand;   // not edited; written back when not empty
  std::string PostCopyCommand;  // not edited; written back when not empty
  std::string PreRegFile;
  std::string Command1, Command2, Command3, Command4, Command5, Command6;
  std::string PostRegFile;
  std::int32_t KillWait = 0;
  std::string IconFile;
  std::int32_t IconNumber = 0;
  std::string SkreenShotImage;
  std::int32_t SmallImage = kDefaultProgramPicture;
  std::int32_t LargeImage = kDefaultLargeProgramPicture;
  bool Default = false;
  bool Fixed = false;
  bool Visible = true;
  bool RebootNeed = false;
  bool Selected = false;  // derived at load, never written

  static constexpr std::array<std::string TInstallItem::*, 6> Commands = {
      &TInstallItem::Command1, &TInstallItem::Command2, &TInstallItem::Command3,
      &TInstallItem::Command4, &TInstallItem::Command5, &TInstallItem::Command6};
};

// How many of a group's programs are selected. The runtime's check state has three values,
// in which Some and NoPrograms are one (GroupStateNumber).
enum class GroupSelection : std::uint8_t { None, All, Some, NoPrograms };

// The runtime's number for a state: 0 none selected, 1 all, 2 some or no programs.
inline int GroupStateNumber(GroupSelection state) {
  return state == GroupSelection::NoPrograms ? 2 : static_cast<int>(state);
}

// A program group; its position in the project's Groups is its order in the file.
struct TInstallGroup {
  GroupSelection State = GroupSelection::None;
  QTreeWidgetItem* Node = nullptr;
  std::string Name;
  std::string Description;
  bool Expanded = false;
  bool Locked = false;
  std::vector<std::unique_ptr<TInstallItem>> Items;
  bool AllFixed = false;
};

// One of the three user buttons.
struct TUserFuncItem {
  std::string Caption;
  std::string Hint;
  std::string Picture;
  std::string Folder;
  std::string Command;
  std::string Text;
  bool Visible = false;
};

// The commands run before (Preinstall) or after (Postinstall) the programs.
struct TStageSet {
  std::string Folder;
  std::string PreRegFile;
  std::string Command1, Command2, Command3, Command4;
  std::string PostRegFile;
  bool Reboot = false;    // Postinstall only
  bool PowerOff = false;  // Postinstall only

  static constexpr std::array<std::string TStageSet::*, 4> Commands = {
      &TStageSet::Command1, &TStageSet::Command2, &TStageSet::Command3, &TStageSet::Command4};
};

// Project-wide settings with the values of a new project.
struct ProjectSettings {
  std::string Autor;
  std::string Date;
  std::string Description;
  std::string RootInstallDir;
  std::string CommonIconLib;
  std::string CommonShotFolder;
  std::string LogFile = "%SystemDrive%\\InstallLog.txt";
  bool LogInstall = true;
  bool DetaliseLog = true;
  bool EnableUserInput = true;
  bool EnableCloseMsg = true;
  bool EnableWelcomeDlg = true;
  bool AdminRightsRequired = false;
  bool CheckFDD = false;
  bool CheckCd = true;
  bool CheckFlash = true;
  bool CheckHDD = false;
  bool CheckNet = false;
  std::string SourceTagFile;
  std::int32_t DefaultTimer = 0;
  std::string ReadMeText;
  std::string LicenseText;
  std::string RunOnceKey = "999";
  std::string RunValyeName = "TEMP_VELMORA";
  bool UseRunKey = false;
  bool ShowLog = false;
  bool AutoClose = true;
  bool BeepOnStart = true;
  bool SupressReboot = false;
};

}  // namespace sw
