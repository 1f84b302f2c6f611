// Findings about the files a project names: missing files and folders, tag files the load will
// not find, icon numbers past the last icon of their file.

#include <algorithm>
#include <string>

#include "cli/check_report.h"
#include "cli/file_locator.h"
#include "cli/path_fields.h"
#include "model/project.h"
#include "model/project_keys.h"
#include "model/references.h"

namespace sw::cli {
namespace {

// Where one finding goes: a project-wide section or a program's own.
struct Where {
  const CheckInput& input;
  CheckReport& report;
  std::string_view section;               // project-wide
  const TInstallItem* program = nullptr;  // or a program's section

  void warn(std::string_view code, std::string_view key, std::string message) const {
    if (program != nullptr) {
      report.addForProgram(Severity::Warning, code, input, *program, key, std::move(message));
    } else {
      report.add(Severity::Warning, code, input, section, key, std::move(message));
    }
  }
};

// The path with this machine's separators; it is not there, so it has no other name to show.
std::string shownPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string missingMessage(std::string_view key, std::string_view what, const std::string& path) {
  return std::string(key) + " names the " + std::string(what) + " " + quotedName(shownPath(path)) +
         ", which is not there";
}

class NamedFiles {
 public:
  explicit NamedFiles(const CheckInput& input) : input_(input), locator_(input.project) {}

  void checkSettings(CheckReport& report);
  // A stage or a user button: its files lie in its own folder, which lies in the project root.
  template <typename Record, std::size_t N>
  void checkInOwnFolder(CheckReport& report, std::string_view section, const Record& record,
                        const std::array<PathField<Record>, N>& paths);
  void checkProgram(CheckReport& report, const TInstallItem& program);

 private:
  // Checks one value against `base`; returns the place it names (for folder values).
  Place check(const Where& where, std::string_view key, PathKind kind, const std::string& value,
              const Place& base);
  void checkIconNumber(const Where& where, const std::string& file, std::int32_t number);
  void checkTagFile(const Where& where, const TInstallItem& program);

  const CheckInput& input_;
  FileLocator locator_;
  Place shotFolder_;
};

Place NamedFiles::check(const Where& where, std::string_view key, PathKind kind, const std::string& value,
                        const Place& base) {
  if (value.empty() || kind == PathKind::Unchecked) return std::nullopt;
  const Place& from = kind == PathKind::Screenshot ? shotFolder_ : base;
  // A missing folder is reported once, not with every file or folder in it.
  if (from && !locator_.folderThere(*from)) return std::nullopt;
  if (kind == PathKind::Folder) {
    Place folder = locator_.locate(value, from);
    if (folder && !locator_.folderThere(*folder))
      where.warn("missing-file", key, missingMessage(key, "folder", *folder));
    return folder;
  }
  Place file;
  if (kind == PathKind::Command) {
    if (const auto commandFile = CommandFile(value)) file = locator_.locate(*commandFile, from);
  } else {
    file = locator_.locate(value, from);
  }
  if (file && !locator_.fileThere(*file)) where.warn("missing-file", key, missingMessage(key, "file", *file));
  return file;
}

void NamedFiles::checkIconNumber(const Where& where, const std::string& file, std::int32_t number) {
  if (number < 0 || !locator_.fileThere(file)) return;
  const int count = locator_.iconCount(file);
  if (count <= 0 || number < count) return;
  where.warn("icon-index", "IconNumber",
             "IconNumber " + std::to_string(number) + " is past the last icon of " +
                 quotedName(shownPath(file)) + ", which has " + std::to_string(count) +
                 ": the runtime shows its first icon");
}

// As the load looks for it, since the load is what hides the program.
void NamedFiles::checkTagFile(const Where& where, const TInstallItem& program) {
  if (program.CheckTagFile.empty()) return;
  const std::string path = ProgramTagPath(input_.project, program);
  if (locator_.fileThere(path)) return;
  where.warn("missing-tag-file", "CheckTagFile",
             "the tag file " + quotedName(shownPath(path)) +
                 " is not there: the program loads hidden, fixed and not chosen, and a save writes it so");
}

void NamedFiles::checkSettings(CheckReport& report) {
  const Where where{input_, report, kSetupSection};
  const ProjectSettings& settings = input_.project.Settings;
  for (const auto& path : kSetupPaths) {
    const Place& base = path.kind == PathKind::Icon ? locator_.installRoot() : locator_.projectRoot();
    const Place place = check(where, path.key, path.kind, settings.*(path.field), base);
    if (path.field == &ProjectSettings::CommonShotFolder) shotFolder_ = place;
  }
  if (settings.CommonShotFolder.empty()) shotFolder_ = locator_.projectRoot();
}

template <typename Record, std::size_t N>
void NamedFiles::checkInOwnFolder(CheckReport& report, std::string_view section, const Record& record,
                                  const std::array<PathField<Record>, N>& paths) {
  const Where where{input_, report, section};
  const Place folder = locator_.folder(record.Folder, locator_.projectRoot());
  for (const auto& path : paths) {
    check(where, path.key, path.kind, record.*(path.field),
          path.kind == PathKind::Folder ? locator_.projectRoot() : folder);
  }
}

void NamedFiles::checkProgram(CheckReport& report, const TInstallItem& program) {
  const Where where{input_, report, {}, &program};
  const Place folder = locator_.folder(program.Folder, locator_.installRoot());
  for (const auto& path : kProgramPaths) {
    if (path.kind == PathKind::TagFile) {
      checkTagFile(where, program);
      continue;
    }
    const Place place = check(where, path.key, path.kind, program.*(path.field),
                              path.kind == PathKind::Folder ? locator_.installRoot() : folder);
    if (path.kind == PathKind::Icon && place) checkIconNumber(where, *place, program.IconNumber);
  }
  const ProjectSettings& settings = input_.project.Settings;
  if (program.IconFile.empty() && !settings.CommonIconLib.empty()) {
    if (const Place library = locator_.locate(settings.CommonIconLib, locator_.installRoot()))
      checkIconNumber(where, *library, program.IconNumber);
  }
}

}  // namespace

void CheckNamedFiles(const CheckInput& input, CheckReport& report) {
  NamedFiles files(input);
  files.checkSettings(report);
  files.checkInOwnFolder(report, kPreinstallSection, input.project.Preinstall, kStagePaths);
  files.checkInOwnFolder(report, kPostinstallSection, input.project.Postinstall, kStagePaths);
  for (std::size_t i = 0; i < input.project.UserButtons.size(); ++i) {
    files.checkInOwnFolder(report, std::string(kUserButtonSectionPrefix) + std::to_string(i + 1),
                           input.project.UserButtons[i], kButtonPaths);
  }
  for (const auto& group : input.project.Groups) {
    for (const auto& program : group->Items) files.checkProgram(report, *program);
  }
}

}  // namespace sw::cli
