#pragma once
// The project file's names in one place: its sections, the keys of each in the order the editor
// writes them with the field each fills and the value a missing key reads as, the group line
// prefixes and the program section names. The reader, the writer, the save check and the dump
// walk these tables rather than naming every key again.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/records.h"

namespace sw {

inline constexpr std::string_view kCommonInfoSection = "Common_Info";
inline constexpr std::string_view kSetupSection = "Setup";
inline constexpr std::string_view kPreinstallSection = "Preinstall";
inline constexpr std::string_view kPostinstallSection = "Postinstall";
inline constexpr std::string_view kUserButtonSectionPrefix = "UserButton_";  // followed by 1, 2 or 3
inline constexpr std::string_view kUserEnvironmentSection = "UserEnvironmentVariable";
inline constexpr std::string_view kSoftwareGroupSection = "SoftwareGroup";

// Common_Info/Ver: the one key that tells a project file, and the only version read.
inline constexpr std::string_view kVersionKey = "Ver";
inline constexpr std::string_view kProjectVersion = "2.0";

// A program section is any section whose lower-case name holds the marker; the editor names
// them with the prefix and the number in at least three digits.
inline constexpr std::string_view kProgramSectionMarker = "installitem_";
inline constexpr std::string_view kProgramSectionPrefix = "Installitem_";
inline constexpr std::string_view kProgramGroupKey = "Group";

// The first character of a SoftwareGroup key: "+" an expanded group, "#" an expanded and
// locked one; any other character is part of an ordinary group's name.
inline constexpr char kExpandedGroupPrefix = '+';
inline constexpr char kLockedGroupPrefix = '#';

// A field of a record that one key fills.
template <typename Record>
using KeyField = std::variant<std::string Record::*, bool Record::*, std::int32_t Record::*,
                              std::vector<std::int32_t> Record::*>;

enum class WhenWritten : std::uint8_t {
  Always,    // also when empty, as "Key="
  NotEmpty,  // keys the editor does not edit but must not lose
};

template <typename Record>
struct ProjectKey {
  std::string_view name;
  KeyField<Record> field;
  std::string_view textDefault = {};  // what a missing text key reads as
  std::int32_t numberDefault = 0;     // what a missing integer or boolean key reads as
  WhenWritten written = WhenWritten::Always;
};

// Common_Info after Ver.
inline const auto kCommonInfoKeys = std::to_array<ProjectKey<ProjectSettings>>({
    {"Autor", &ProjectSettings::Autor, "NoName"},
    {"Description", &ProjectSettings::Description, "No Description"},
    {"Date", &ProjectSettings::Date, "XX.XX.XX"},
});

// A missing BeepOnStart reads as 0 although a new project has it on.
inline const auto kSetupKeys = std::to_array<ProjectKey<ProjectSettings>>({
    {"RootInstallDir", &ProjectSettings::RootInstallDir},
    {"CommonIconLib", &ProjectSettings::CommonIconLib},
    {"CommonShotFolder", &ProjectSettings::CommonShotFolder},
    {"LogFile", &ProjectSettings::LogFile, "%SystemDrive%\\InstallLog.txt"},
    {"LogInstall", &ProjectSettings::LogInstall, {}, 1},
    {"DetaliseLog", &ProjectSettings::DetaliseLog, {}, 1},
    {"EnableUserInput", &ProjectSettings::EnableUserInput, {}, 1},
    {"EnableCloseMsg", &ProjectSettings::EnableCloseMsg, {}, 1},
    {"EnableWelcomeDlg", &ProjectSettings::EnableWelcomeDlg, {}, 1},
    {"AdminRightsRequired", &ProjectSettings::AdminRightsRequired},
    {"CheckFDD", &ProjectSettings::CheckFDD},
    {"CheckCd", &ProjectSettings::CheckCd, {}, 1},
    {"CheckFlash", &ProjectSettings::CheckFlash, {}, 1},
    {"CheckHDD", &ProjectSettings::CheckHDD},
    {"CheckNet", &ProjectSettings::CheckNet},
    {"SourceTagFile", &ProjectSettings::SourceTagFile},
    {"DefaultTimer", &ProjectSettings::DefaultTimer},
    {"ReadMeText", &ProjectSettings::ReadMeText},
    {"LicenseText", &ProjectSettings::LicenseText},
    {"RunOnceKey", &ProjectSettings::RunOnceKey, "999"},
    {"RunValyeName", &ProjectSettings::RunValyeName, "TEMP_VELMORA"},
    {"UseRunKey", &ProjectSettings::UseRunKey},
    {"ShowLog", &ProjectSettings::ShowLog},
    {"AutoClose", &ProjectSettings::AutoClose, {}, 1},
    {"SupressReboot", &ProjectSettings::SupressReboot},
    {"BeepOnStart", &ProjectSettings::BeepOnStart},
});

// Preinstall and Postinstall; Postinstall goes on with kEndActionKeys.
inline const auto kStageKeys = std::to_array<ProjectKey<TStageSet>>({
    {"Folder", &TStageSet::Folder},
    {"PreRegFile", &TStageSet::PreRegFile},
    {"Command1", &TStageSet::Command1},
    {"Command2", &TStageSet::Command2},
    {"Command3", &TStageSet::Command3},
    {"Command4", &TStageSet::Command4},
    {"PostRegFile", &TStageSet::PostRegFile},
});

inline const auto kEndActionKeys = std::to_array<ProjectKey<TStageSet>>({
    {"Reboot", &TStageSet::Reboot},
    {"PowerOff", &TStageSet::PowerOff},
});

inline const auto kUserButtonKeys = std::to_array<ProjectKey<TUserFuncItem>>({
    {"Caption", &TUserFuncItem::Caption},
    {"Hint", &TUserFuncItem::Hint},
    {"Picture", &TUserFuncItem::Picture},
    {"Folder", &TUserFuncItem::Folder},
    {"Command", &TUserFuncItem::Command},
    {"Text", &TUserFuncItem::Text},
    {"Visible", &TUserFuncItem::Visible},
});

// A program section after its Group key (which the writer takes from the owning group).
inline const auto kProgramKeys = std::to_array<ProjectKey<TInstallItem>>({
    {"Caption", &TInstallItem::Caption},
    {"Description", &TInstallItem::Description},
    {"Depends", &TInstallItem::Depends},
    {"DependsOr", &TInstallItem::DependsOr},
    {"Exclude", &TInstallItem::Exclude},
    {"Folder", &TInstallItem::Folder},
    {"SourceFolder", &TInstallItem::SourceFolder, {}, 0, WhenWritten::NotEmpty},
    {"CheckTagFile", &TInstallItem::CheckTagFile},
    {"PreCopyCommand", &TInstallItem::PreCopyCommand, {}, 0, WhenWritten::NotEmpty},
    {"PostCopyCommand", &TInstallItem::PostCopyCommand, {}, 0, WhenWritten::NotEmpty},
    {"IconFile", &TInstallItem::IconFile},
    {"IconNumber", &TInstallItem::IconNumber, {}, -1},
    {"SkreenShotImage", &TInstallItem::SkreenShotImage},
    {"MinToTray", &TInstallItem::MinToTray},
    {"PreRegFile", &TInstallItem::PreRegFile},
    {"Command1", &TInstallItem::Command1},
    {"Command2", &TInstallItem::Command2},
    {"Command3", &TInstallItem::Command3},
    {"Command4", &TInstallItem::Command4},
    {"Command5", &TInstallItem::Command5},
    {"Command6", &TInstallItem::Command6},
    {"PostRegFile", &TInstallItem::PostRegFile},
    {"KillWait", &TInstallItem::KillWait},
    {"Default", &TInstallItem::Default},
    {"Fixed", &TInstallItem::Fixed},
    {"Visible", &TInstallItem::Visible, {}, 1},
    {"RebootNeed", &TInstallItem::RebootNeed},
});

// The three reference lists of a program, in the order they are written.
inline constexpr std::array<std::vector<std::int32_t> TInstallItem::*, 3> kReferenceLists = {
    &TInstallItem::Depends, &TInstallItem::DependsOr, &TInstallItem::Exclude};

// The SoftwareGroup key of a group: its kind prefix followed by its name.
std::string GroupKey(const TInstallGroup& group);
// The kind prefix of a group, or '\0' for an ordinary group.
char GroupKindPrefix(const TInstallGroup& group);

// A group as one SoftwareGroup key describes it.
struct GroupLine {
  std::string name;
  bool expanded = false;
  bool locked = false;
};
GroupLine ParseGroupKey(std::string_view key);

// "Installitem_%3.3d".
std::string ProgramSectionName(std::int32_t number);
// Whether a section name is a program section (the marker in any letter case).
bool IsProgramSection(std::string_view sectionName);
// The number after the first marker: its next three characters read as an integer, 0 when
// they are none.
std::int32_t ReferenceNumber(std::string_view sectionName);

}  // namespace sw
