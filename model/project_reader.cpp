#include "model/project_reader.h"

#include <string_view>
#include <unordered_map>
#include <utility>

#include "model/paths.h"
#include "model/program_pictures.h"
#include "model/project.h"
#include "model/records.h"
#include "model/references.h"
#include "model/values.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/icon_extractor.h"
#include "platform/icon_lists.h"
#include "platform/image_list.h"
#include "platform/profile_reader.h"
#include "platform/text.h"

namespace sw {

namespace {

constexpr std::string_view kRequiredVersion = "2.0";
constexpr std::string_view kProgramSectionMarker = "installitem_";
constexpr int kDefaultSmallWidth = 16;
constexpr int kDefaultSmallHeight = 20;
constexpr int kDefaultLargeSize = 32;

// Section names match without regard to letter case and end at a zero byte, so the folded
// name up to that byte is what decides.
bool SectionExists(const ProfileFile& file, std::string_view name,
                   std::unordered_map<std::string, bool>& known) {
  name = name.substr(0, name.find('\0'));
  auto [entry, added] = known.try_emplace(text::lowerCase(name), false);
  if (added) entry->second = file.sectionExists(name);
  return entry->second;
}

// Reads the keys of one section with their defaults.
class SectionReader {
 public:
  SectionReader(const ProfileFile& file, std::string_view section) : file_(file), section_(section) {}

  std::string text(std::string_view key, std::string_view defaultText = {}) const {
    return file_.readString(section_, key, defaultText);
  }
  std::int32_t integer(std::string_view key, std::int32_t defaultValue) const {
    return ReadInteger(text(key), defaultValue);
  }
  bool boolean(std::string_view key, bool defaultValue) const { return ReadBoolean(text(key), defaultValue); }
  // The numbers of the entries that name an existing section; other entries are dropped.
  std::vector<std::int32_t> references(std::string_view key,
                                       std::unordered_map<std::string, bool>& known) const {
    const std::string value = text(key);
    std::vector<std::int32_t> numbers;
    std::size_t pos = 0;
    std::string entry;
    while (NextReference(value, pos, entry)) {
      if (SectionExists(file_, entry, known)) numbers.push_back(ReferenceNumber(entry));
    }
    return numbers;
  }

 private:
  const ProfileFile& file_;
  std::string_view section_;
};

void ReadCommonInfo(const ProfileFile& file, ProjectSettings& settings) {
  const SectionReader common(file, "Common_Info");
  settings.Autor = common.text("Autor", "NoName");
  settings.Description = common.text("Description", "No Description");
  settings.Date = common.text("Date", "XX.XX.XX");
}

// The defaults here are the file's, not a new project's: BeepOnStart is off when missing.
void ReadSetup(const ProfileFile& file, ProjectSettings& s) {
  const SectionReader setup(file, "Setup");
  s.RootInstallDir = setup.text("RootInstallDir");
  s.CommonIconLib = setup.text("CommonIconLib");
  s.CommonShotFolder = setup.text("CommonShotFolder");
  s.LogFile = setup.text("LogFile", "%SystemDrive%\\InstallLog.txt");
  s.LogInstall = setup.boolean("LogInstall", true);
  s.DetaliseLog = setup.boolean("DetaliseLog", true);
  s.EnableUserInput = setup.boolean("EnableUserInput", true);
  s.EnableCloseMsg = setup.boolean("EnableCloseMsg", true);
  s.EnableWelcomeDlg = setup.boolean("EnableWelcomeDlg", true);
  s.AdminRightsRequired = setup.boolean("AdminRightsRequired", false);
  s.CheckFDD = setup.boolean("CheckFDD", false);
  s.CheckCd = setup.boolean("CheckCd", true);
  s.CheckFlash = setup.boolean("CheckFlash", true);
  s.CheckHDD = setup.boolean("CheckHDD", false);
  s.CheckNet = setup.boolean("CheckNet", false);
  s.SourceTagFile = setup.text("SourceTagFile");
  s.DefaultTimer = setup.integer("DefaultTimer", 0);
  s.ReadMeText = setup.text("ReadMeText");
  s.LicenseText = setup.text("LicenseText");
  s.RunOnceKey = setup.text("RunOnceKey", "999");
  s.RunValyeName = setup.text("RunValyeName", "TEMP_VELMORA");
  s.UseRunKey = setup.boolean("UseRunKey", false);
  s.ShowLog = setup.boolean("ShowLog", false);
  s.AutoClose = setup.boolean("AutoClose", true);
  s.SupressReboot = setup.boolean("SupressReboot", false);
  s.BeepOnStart = setup.boolean("BeepOnStart", false);
}

void ReadStageSet(const ProfileFile& file, std::string_view section, TStageSet& stage) {
  const SectionReader reader(file, section);
  stage.Folder = reader.text("Folder");
  stage.PreRegFile = reader.text("PreRegFile");
  stage.Command1 = reader.text("Command1");
  stage.Command2 = reader.text("Command2");
  stage.Command3 = reader.text("Command3");
  stage.Command4 = reader.text("Command4");
  stage.PostRegFile = reader.text("PostRegFile");
}

void ReadUserButton(const ProfileFile& file, int number, TUserFuncItem& button) {
  const std::string section = "UserButton_" + std::to_string(number);
  const SectionReader reader(file, section);
  button.Caption = reader.text("Caption");
  button.Hint = reader.text("Hint");
  button.Picture = reader.text("Picture");
  button.Folder = reader.text("Folder");
  button.Command = reader.text("Command");
  button.Text = reader.text("Text");
  button.Visible = reader.boolean("Visible", false);
}

void ReadProjectWideSettings(Project& project, const ProfileFile& file) {
  ReadCommonInfo(file, project.Settings);
  ReadSetup(file, project.Settings);
  ReadStageSet(file, "Preinstall", project.Preinstall);
  ReadStageSet(file, "Postinstall", project.Postinstall);
  const SectionReader postinstall(file, "Postinstall");
  project.Postinstall.Reboot = postinstall.boolean("Reboot", false);
  project.Postinstall.PowerOff = postinstall.boolean("PowerOff", false);
  for (int number = 1; number <= static_cast<int>(project.UserButtons.size()); ++number) {
    ReadUserButton(file, number, project.UserButtons[static_cast<std::size_t>(number - 1)]);
  }
}

// The list keeps the values as written; the environment gets them expanded, in file order,
// so that a line can use the variables of the lines before it.
void ReadUserEnvironment(Project& project, const ProfileFile& file) {
  const SectionReader reader(file, "UserEnvironmentVariable");
  project.UserEnvironment.clear();
  for (const std::string& name : file.keyNames("UserEnvironmentVariable")) {
    std::string value = reader.text(name);
    project.UserEnvironment.push_back(name + "=" + value);
    if (!name.empty()) env::setVariable(name, ExpandVariables(value));
  }
}

std::string IconLibraryPath(const ProjectSettings& settings) {
  const std::string library = StripLeadMarker(ExpandVariables(settings.CommonIconLib));
  if (IsAbsolutePath(settings.CommonIconLib)) return library;
  return WithTrailingBackslash(ExpandVariables(settings.RootInstallDir)) + library;
}

// One group per key of SoftwareGroup; false when there is none.
bool ReadGroups(Project& project, const ProfileFile& file) {
  const std::vector<std::string> keys = file.keyNames("SoftwareGroup");
  if (keys.empty()) return false;
  const SectionReader reader(file, "SoftwareGroup");
  for (const std::string& key : keys) {
    const char kind = key.empty() ? '\0' : key.front();
    const bool prefixed = kind == '+' || kind == '#';
    TInstallGroup* group = AddGroup(project, prefixed ? key.substr(1) : key, reader.text(key));
    group->Expanded = prefixed;
    group->Locked = kind == '#';
  }
  return true;
}

bool IsProgramSection(std::string_view name) {
  // The marker is ASCII, so folding ASCII letters finds it in any letter case.
  std::string lowered(name);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered.find(kProgramSectionMarker) != std::string::npos;
}

// Programs join their group in section order; a program whose Group names no group (exactly,
// letter case included) is dropped.
void ReadPrograms(Project& project, const ProfileFile& file, LoadContext& context) {
  std::unordered_map<std::string, TInstallGroup*> groupsByName;
  for (const auto& group : project.Groups) groupsByName.emplace(group->Name, group.get());
  for (const std::string& section : file.sectionNames()) {
    if (!IsProgramSection(section)) continue;
    std::unique_ptr<TInstallItem> program = ReadProgram(project, file, section, context);
    if (!program) continue;
    const auto found = groupsByName.find(program->Group);
    if (found != groupsByName.end()) AttachProgram(project, found->second, program);
  }
  InvalidateProgramIndex(project);
}

void RunLoadTimePasses(Project& project) {
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) CheckProgramTag(project, *program);
  }
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) ApplyFixedExclusions(project, *program);
  }
  ApplyDefaultSelection(project);
  for (const auto& group : project.Groups) group->State = GroupState(*group);
}

}  // namespace

bool LoadProjectFromProfile(Project& project, const ProfileFile& file) {
  if (file.readString("Common_Info", "Ver", "") != kRequiredVersion) return false;

  // The library icons live only for this load, in lists of the display lists' sizes.
  const ImageList* small = project.SmallProgramImages;
  ImageList librarySmall(small ? small->width() : kDefaultSmallWidth,
                         small ? small->height() : kDefaultSmallHeight);
  const ImageList* large = project.LargeProgramImages;
  ImageList libraryLarge(large ? large->width() : kDefaultLargeSize,
                         large ? large->height() : kDefaultLargeSize);
  IconSourceCache icons;
  std::unordered_map<std::string, bool> knownSections;
  LoadContext context{&librarySmall, &libraryLarge, &icons, &knownSections};

  ReadProjectWideSettings(project, file);
  SetSourceVariables(project);
  SetSelfVariable(project);
  SetRootVariable(project);
  // Pictures of an earlier load go, so every index of this load points at its own picture.
  ResetProgramPictureLists(project);
  ReadUserEnvironment(project, file);
  if (!project.Settings.CommonIconLib.empty()) {
    AppendFileIcons(IconLibraryPath(project.Settings), &librarySmall, &libraryLarge, &icons);
  }
  if (!ReadGroups(project, file)) return false;
  ReadPrograms(project, file, context);
  RunLoadTimePasses(project);
  return true;
}

bool LoadProject(Project& project, const std::string& path) {
  const ProfileFile file = ProfileFile::load(files::hostPath(path));
  return LoadProjectFromProfile(project, file);
}

std::unique_ptr<TInstallItem> ReadProgram(Project& project, const ProfileFile& file,
                                          const std::string& section, LoadContext& context) {
  std::unordered_map<std::string, bool> localSections;
  std::unordered_map<std::string, bool>& known =
      context.knownSections ? *context.knownSections : localSections;
  if (!SectionExists(file, section, known)) return nullptr;
  auto program = std::make_unique<TInstallItem>();
  TInstallItem& p = *program;
  const SectionReader reader(file, section);
  p.Number = ReferenceNumber(section);
  p.Group = reader.text("Group");
  p.Caption = reader.text("Caption");
  p.Description = reader.text("Description");
  p.Depends = reader.references("Depends", known);
  p.DependsOr = reader.references("DependsOr", known);
  p.Exclude = reader.references("Exclude", known);
  p.Folder = reader.text("Folder");
  p.SourceFolder = reader.text("SourceFolder");
  p.CheckTagFile = reader.text("CheckTagFile");
  p.PreCopyCommand = reader.text("PreCopyCommand");
  p.PostCopyCommand = reader.text("PostCopyCommand");
  p.IconFile = reader.text("IconFile");
  p.IconNumber = reader.integer("IconNumber", -1);
  p.SkreenShotImage = reader.text("SkreenShotImage");
  p.MinToTray = reader.boolean("MinToTray", false);
  p.PreRegFile = reader.text("PreRegFile");
  for (std::size_t i = 0; i < TInstallItem::Commands.size(); ++i) {
    p.*TInstallItem::Commands[i] = reader.text("Command" + std::to_string(i + 1));
  }
  p.PostRegFile = reader.text("PostRegFile");
  p.KillWait = reader.integer("KillWait", 0);
  p.Default = reader.boolean("Default", false);
  p.Fixed = reader.boolean("Fixed", false);
  p.Visible = reader.boolean("Visible", true);
  p.RebootNeed = reader.boolean("RebootNeed", false);
  p.Selected = p.Default;
  p.Node = nullptr;
  p.SmallImage = LoadProgramPictures(project, p.IconFile, p.Folder, p.IconNumber, context);
  p.LargeImage = p.SmallImage - project.BuiltinImageCount + 1;
  return program;
}

}  // namespace sw
