#pragma once
// The keys of a project that name files, folders or commands, and how the runtime takes each:
// the tables the file checks and the variable check walk.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/records.h"

namespace sw::cli {

enum class PathKind : std::uint8_t {
  Folder,      // a folder that must be there
  File,        // a file that must be there
  Command,     // a command line: its file part, when it has a known extension
  TagFile,     // a program's tag file, looked up as the load does
  Screenshot,  // a picture in the screenshot folder
  Icon,        // an icon file or library
  Unchecked,   // a path whose place is not known here (read for its variables only)
};

template <typename Record>
struct PathField {
  std::string_view key;
  std::string Record::*field;
  PathKind kind;
};

// Folder first: the others are found in it.
inline constexpr std::array<PathField<TStageSet>, 7> kStagePaths = {{
    {"Folder", &TStageSet::Folder, PathKind::Folder},
    {"PreRegFile", &TStageSet::PreRegFile, PathKind::File},
    {"Command1", &TStageSet::Command1, PathKind::Command},
    {"Command2", &TStageSet::Command2, PathKind::Command},
    {"Command3", &TStageSet::Command3, PathKind::Command},
    {"Command4", &TStageSet::Command4, PathKind::Command},
    {"PostRegFile", &TStageSet::PostRegFile, PathKind::File},
}};

inline constexpr std::array<PathField<TUserFuncItem>, 4> kButtonPaths = {{
    {"Folder", &TUserFuncItem::Folder, PathKind::Folder},
    {"Picture", &TUserFuncItem::Picture, PathKind::File},
    {"Command", &TUserFuncItem::Command, PathKind::Command},
    {"Text", &TUserFuncItem::Text, PathKind::File},
}};

inline constexpr std::array<PathField<TInstallItem>, 15> kProgramPaths = {{
    {"Folder", &TInstallItem::Folder, PathKind::Folder},
    {"CheckTagFile", &TInstallItem::CheckTagFile, PathKind::TagFile},
    {"PreCopyCommand", &TInstallItem::PreCopyCommand, PathKind::Command},
    {"PostCopyCommand", &TInstallItem::PostCopyCommand, PathKind::Command},
    {"IconFile", &TInstallItem::IconFile, PathKind::Icon},
    {"SkreenShotImage", &TInstallItem::SkreenShotImage, PathKind::Screenshot},
    {"PreRegFile", &TInstallItem::PreRegFile, PathKind::File},
    {"Command1", &TInstallItem::Command1, PathKind::Command},
    {"Command2", &TInstallItem::Command2, PathKind::Command},
    {"Command3", &TInstallItem::Command3, PathKind::Command},
    {"Command4", &TInstallItem::Command4, PathKind::Command},
    {"Command5", &TInstallItem::Command5, PathKind::Command},
    {"Command6", &TInstallItem::Command6, PathKind::Command},
    {"PostRegFile", &TInstallItem::PostRegFile, PathKind::File},
    {"SourceFolder", &TInstallItem::SourceFolder, PathKind::Unchecked},
}};

// Project-wide keys of [Setup]. The icon library lies in the installation root; the others
// in the project's root folder.
inline constexpr std::array<PathField<ProjectSettings>, 7> kSetupPaths = {{
    {"RootInstallDir", &ProjectSettings::RootInstallDir, PathKind::Folder},
    {"CommonIconLib", &ProjectSettings::CommonIconLib, PathKind::Icon},
    {"CommonShotFolder", &ProjectSettings::CommonShotFolder, PathKind::Folder},
    {"SourceTagFile", &ProjectSettings::SourceTagFile, PathKind::File},
    {"ReadMeText", &ProjectSettings::ReadMeText, PathKind::File},
    {"LicenseText", &ProjectSettings::LicenseText, PathKind::File},
    {"LogFile", &ProjectSettings::LogFile, PathKind::Unchecked},
}};

}  // namespace sw::cli
