#include "cli/project_json.h"

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/json_writer.h"
#include "model/project.h"
#include "model/project_keys.h"
#include "platform/environment.h"
#include "platform/image_list.h"
#include "platform/text.h"

namespace sw::cli {
namespace {

void member(JsonWriter& json, std::string_view name, const std::string& value) {
  json.key(name).value(std::string_view(value));
}
void member(JsonWriter& json, std::string_view name, bool value) { json.key(name).value(value); }
void member(JsonWriter& json, std::string_view name, std::int32_t value) {
  json.key(name).value(static_cast<std::int64_t>(value));
}
void member(JsonWriter& json, std::string_view name, const std::vector<std::int32_t>& numbers) {
  json.key(name);
  json.beginInline();
  json.beginArray();
  for (std::int32_t number : numbers) json.value(static_cast<std::int64_t>(number));
  json.endArray();
  json.endInline();
}

template <typename Record>
void member(JsonWriter& json, std::string_view name, const KeyField<Record>& field, const Record& record) {
  std::visit([&](auto pointer) { member(json, name, record.*pointer); }, field);
}

// Every key of a table, named as the key, in the table's order.
template <typename Record, typename Keys>
void members(JsonWriter& json, const Keys& keys, const Record& record) {
  for (const ProjectKey<Record>& key : keys) member(json, key.name, key.field, record);
}

void writeSettings(JsonWriter& json, const ProjectSettings& settings) {
  json.key("settings").beginObject();
  member(json, "Autor", settings.Autor);
  member(json, "Date", settings.Date);
  member(json, "Description", settings.Description);
  members(json, kSetupKeys, settings);
  json.endObject();
}

void writeStage(JsonWriter& json, std::string_view name, const TStageSet& stage, bool withEndAction) {
  json.key(name).beginObject();
  members(json, kStageKeys, stage);
  if (withEndAction) members(json, kEndActionKeys, stage);
  json.endObject();
}

void writeUserButtons(JsonWriter& json, const Project& project) {
  json.key("UserButtons").beginArray();
  for (const TUserFuncItem& button : project.UserButtons) {
    json.beginObject();
    members(json, kUserButtonKeys, button);
    json.endObject();
  }
  json.endArray();
}

void writeUserEnvironment(JsonWriter& json, const Project& project) {
  json.key("UserEnvironment").beginArray();
  for (const std::string& line : project.UserEnvironment) json.value(std::string_view(line));
  json.endArray();
}

// SELF, ROOT, CDROM, SOURCE, then the user variables in list order; a name that differs from
// an earlier one only in letter case is the same variable and is listed once.
std::vector<std::string> variableNames(const Project& project) {
  std::vector<std::string> names = {"SELF", "ROOT", "CDROM", "SOURCE"};
  for (const std::string& line : project.UserEnvironment) {
    const std::string name = line.substr(0, line.find('='));
    if (name.empty()) continue;
    bool seen = false;
    for (const std::string& earlier : names) seen = seen || text::equalsNoCase(earlier, name);
    if (!seen) names.push_back(name);
  }
  return names;
}

void writeVariables(JsonWriter& json, const Project& project) {
  json.key("variables").beginObject();
  for (const std::string& name : variableNames(project)) {
    if (const auto value = env::variable(name)) member(json, name, *value);
  }
  json.endObject();
}

// The members of a program in the order of the dump, which is not the file's: the keys of the
// file and the values the load derives.
const std::vector<std::pair<std::string_view, KeyField<TInstallItem>>>& programMembers() {
  static const auto members = [] {
    const std::vector<std::pair<std::string_view, KeyField<TInstallItem>>> derived = {
        {"Number", &TInstallItem::Number},
        {"Group", &TInstallItem::Group},
        {"SmallImage", &TInstallItem::SmallImage},
        {"LargeImage", &TInstallItem::LargeImage},
        {"Selected", &TInstallItem::Selected}};
    constexpr std::string_view order[] = {
        "Number",          "Group",      "Caption",      "Description",  "Depends",   "DependsOr",
        "Exclude",         "Folder",     "SourceFolder", "CheckTagFile", "MinToTray", "PreCopyCommand",
        "PostCopyCommand", "PreRegFile", "Command1",     "Command2",     "Command3",  "Command4",
        "Command5",        "Command6",   "PostRegFile",  "KillWait",     "IconFile",  "IconNumber",
        "SkreenShotImage", "SmallImage", "LargeImage",   "Default",      "Fixed",     "Visible",
        "RebootNeed",      "Selected"};
    std::vector<std::pair<std::string_view, KeyField<TInstallItem>>> ordered;
    for (std::string_view name : order) {
      for (const auto& key : kProgramKeys)
        if (key.name == name) ordered.emplace_back(name, key.field);
      for (const auto& [derivedName, field] : derived)
        if (derivedName == name) ordered.emplace_back(name, field);
    }
    return ordered;
  }();
  return members;
}

void writeProgram(JsonWriter& json, const TInstallItem& program) {
  json.beginObject();
  for (const auto& [name, field] : programMembers()) member(json, name, field, program);
  json.endObject();
}

void writeGroups(JsonWriter& json, const Project& project) {
  json.key("Groups").beginArray();
  for (const auto& group : project.Groups) {
    json.beginObject();
    member(json, "Name", group->Name);
    member(json, "Description", group->Description);
    member(json, "Expanded", group->Expanded);
    member(json, "Locked", group->Locked);
    member(json, "State", static_cast<std::int32_t>(GroupStateNumber(group->State)));
    json.key("Items").beginArray();
    for (const auto& program : group->Items) writeProgram(json, *program);
    json.endArray();
    json.endObject();
  }
  json.endArray();
}

void writePictureCounts(JsonWriter& json, const Project& project) {
  json.key("pictures").beginObject();
  member(json, "small", project.SmallProgramImages ? project.SmallProgramImages->count() : 0);
  member(json, "large", project.LargeProgramImages ? project.LargeProgramImages->count() : 0);
  json.endObject();
}

}  // namespace

void WriteProjectJson(std::ostream& out, const Project& project, bool loaded) {
  JsonWriter json(out);
  json.beginObject();
  member(json, "loaded", loaded);
  writeSettings(json, project.Settings);
  writeStage(json, "Preinstall", project.Preinstall, false);
  writeStage(json, "Postinstall", project.Postinstall, true);
  writeUserButtons(json, project);
  writeUserEnvironment(json, project);
  writeVariables(json, project);
  writeGroups(json, project);
  writePictureCounts(json, project);
  json.endObject();
}

}  // namespace sw::cli
