#include "model/project_reader.h"

#include <string_view>
#include <unordered_map>
#include <utility>

#include "model/paths.h"
#include "model/picture_slots.h"
#include "model/program_pictures.h"
#include "model/project.h"
#include "model/project_keys.h"
#include "model/records.h"
#include "model/references.h"
#include "model/section_reading.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/icon_extractor.h"
#include "platform/icon_lists.h"
#include "platform/image_list.h"
#include "platform/profile_reader.h"
#include "platform/text.h"

namespace sw {

namespace {

void ReadProjectWideSettings(Project& project, const ProfileFile& file, SectionExistence& exists) {
  SectionReader(file, kCommonInfoSection).readKeys(kCommonInfoKeys, project.Settings, exists);
  SectionReader(file, kSetupSection).readKeys(kSetupKeys, project.Settings, exists);
  SectionReader(file, kPreinstallSection).readKeys(kStageKeys, project.Preinstall, exists);
  const SectionReader postinstall(file, kPostinstallSection);
  postinstall.readKeys(kStageKeys, project.Postinstall, exists);
  postinstall.readKeys(kEndActionKeys, project.Postinstall, exists);
  for (std::size_t i = 0; i < project.UserButtons.size(); ++i) {
    const std::string section = std::string(kUserButtonSectionPrefix) + std::to_string(i + 1);
    SectionReader(file, section).readKeys(kUserButtonKeys, project.UserButtons[i], exists);
  }
}

// The list keeps the values as written; the environment gets them expanded, in file order,
// so that a line can use the variables of the lines before it.
void ReadUserEnvironment(Project& project, const ProfileFile& file) {
  const SectionReader reader(file, kUserEnvironmentSection);
  project.UserEnvironment.clear();
  for (const std::string& name : file.keyNames(kUserEnvironmentSection)) {
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

// One group per key of SoftwareGroup, in file order; a file without keys there has no groups.
void ReadGroups(Project& project, const ProfileFile& file) {
  const SectionReader reader(file, kSoftwareGroupSection);
  for (const std::string& key : file.keyNames(kSoftwareGroupSection)) {
    GroupLine line = ParseGroupKey(key);
    TInstallGroup* group = AddGroup(project, std::move(line.name), reader.text(key));
    group->Expanded = line.expanded;
    group->Locked = line.locked;
  }
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
    if (found != groupsByName.end()) AttachProgram(project, found->second, std::move(program));
  }
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

Status CheckVersion(const ProfileFile& file, const std::string& shownName) {
  const std::string version = file.readString(kCommonInfoSection, kVersionKey, "");
  if (version == kProjectVersion) return {};
  if (version.empty()) {
    return Status::failed(Failure::NotAProject, shownName + " is not a project file",
                          "it has no Ver key in [Common_Info]");
  }
  return Status::failed(
      Failure::WrongVersion, shownName + " is a project file of another version",
      "Ver is \"" + text::toUtf8(version) + "\"; only \"" + std::string(kProjectVersion) + "\" is read");
}

}  // namespace

Status LoadProjectFromProfile(Project& project, const ProfileFile& file, const std::string& shownName) {
  if (Status version = CheckVersion(file, shownName); !version) return version;

  // The library icons live only for this load, in lists of the display lists' sizes.
  const ImageList* small = project.SmallProgramImages;
  ImageList librarySmall(small ? small->width() : kSmallPictureWidth,
                         small ? small->height() : kSmallPictureHeight);
  const ImageList* large = project.LargeProgramImages;
  ImageList libraryLarge(large ? large->width() : kLargePictureSize,
                         large ? large->height() : kLargePictureSize);
  IconSourceCache icons;
  SectionExistence sections(file);
  LoadContext context{&librarySmall, &libraryLarge, &icons, &sections};

  ReadProjectWideSettings(project, file, sections);
  SetSourceVariables(project);
  SetSelfVariable(project);
  SetRootVariable(project);
  // Pictures of an earlier load go, so every index of this load points at its own picture.
  ResetProgramPictureLists(project);
  ReadUserEnvironment(project, file);
  if (!project.Settings.CommonIconLib.empty()) {
    AppendFileIcons(IconLibraryPath(project.Settings), &librarySmall, &libraryLarge,
                    project.IconBackgroundColor, &icons);
  }
  ReadGroups(project, file);
  ReadPrograms(project, file, context);
  RunLoadTimePasses(project);
  return {};
}

Status LoadProject(Project& project, const std::string& path) {
  const Result<ProfileFile> file = ProfileFile::read(files::hostPath(path));
  if (!file) return file.status();
  return LoadProjectFromProfile(project, *file, text::toUtf8(path));
}

std::unique_ptr<TInstallItem> ReadProgram(Project& project, const ProfileFile& file,
                                          const std::string& section, LoadContext& context) {
  SectionExistence ownSections(file);
  SectionExistence& exists = context.sections ? *context.sections : ownSections;
  if (!exists(section)) return nullptr;
  auto program = std::make_unique<TInstallItem>();
  TInstallItem& p = *program;
  const SectionReader reader(file, section);
  p.Number = ReferenceNumber(section);
  p.Group = reader.text(kProgramGroupKey);
  reader.readKeys(kProgramKeys, p, exists);
  p.Selected = p.Default;
  p.Node = nullptr;
  p.SmallImage = LoadProgramPictures(project, p.IconFile, p.Folder, p.IconNumber, context);
  p.LargeImage = p.SmallImage - project.BuiltinImageCount + 1;
  return program;
}

}  // namespace sw
