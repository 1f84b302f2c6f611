#include "cli/project_json.h"

#include <string>
#include <string_view>
#include <vector>

#include "cli/json_writer.h"
#include "model/project.h"
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

void writeSettings(JsonWriter& json, const ProjectSettings& s) {
  json.key("settings").beginObject();
  member(json, "Autor", s.Autor);
  member(json, "Date", s.Date);
  member(json, "Description", s.Description);
  member(json, "RootInstallDir", s.RootInstallDir);
  member(json, "CommonIconLib", s.CommonIconLib);
  member(json, "CommonShotFolder", s.CommonShotFolder);
  member(json, "LogFile", s.LogFile);
  member(json, "LogInstall", s.LogInstall);
  member(json, "DetaliseLog", s.DetaliseLog);
  member(json, "EnableUserInput", s.EnableUserInput);
  member(json, "EnableCloseMsg", s.EnableCloseMsg);
  member(json, "EnableWelcomeDlg", s.EnableWelcomeDlg);
  member(json, "AdminRightsRequired", s.AdminRightsRequired);
  member(json, "CheckFDD", s.CheckFDD);
  member(json, "CheckCd", s.CheckCd);
  member(json, "CheckFlash", s.CheckFlash);
  member(json, "CheckHDD", s.CheckHDD);
  member(json, "CheckNet", s.CheckNet);
  member(json, "SourceTagFile", s.SourceTagFile);
  member(json, "DefaultTimer", s.DefaultTimer);
  member(json, "ReadMeText", s.ReadMeText);
  member(json, "LicenseText", s.LicenseText);
  member(json, "RunOnceKey", s.RunOnceKey);
  member(json, "RunValyeName", s.RunValyeName);
  member(json, "UseRunKey", s.UseRunKey);
  member(json, "ShowLog", s.ShowLog);
  member(json, "AutoClose", s.AutoClose);
  member(json, "SupressReboot", s.SupressReboot);
  member(json, "BeepOnStart", s.BeepOnStart);
  json.endObject();
}

void writeStage(JsonWriter& json, std::string_view name, const TStageSet& stage, bool withEndAction) {
  json.key(name).beginObject();
  member(json, "Folder", stage.Folder);
  member(json, "PreRegFile", stage.PreRegFile);
  member(json, "Command1", stage.Command1);
  member(json, "Command2", stage.Command2);
  member(json, "Command3", stage.Command3);
  member(json, "Command4", stage.Command4);
  member(json, "PostRegFile", stage.PostRegFile);
  if (withEndAction) {
    member(json, "Reboot", stage.Reboot);
    member(json, "PowerOff", stage.PowerOff);
  }
  json.endObject();
}

void writeUserButtons(JsonWriter& json, const Project& project) {
  json.key("UserButtons").beginArray();
  for (const TUserFuncItem& button : project.UserButtons) {
    json.beginObject();
    member(json, "Caption", button.Caption);
    member(json, "Hint", button.Hint);
    member(json, "Picture", button.Picture);
    member(json, "Folder", button.Folder);
    member(json, "Command", button.Command);
    member(json, "Text", button.Text);
    member(json, "Visible", button.Visible);
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

void writeReferences(JsonWriter& json, std::string_view name, const std::vector<std::int32_t>& numbers) {
  json.key(name);
  json.beginInline();
  json.beginArray();
  for (std::int32_t number : numbers) json.value(static_cast<std::int64_t>(number));
  json.endArray();
  json.endInline();
}

void writeProgram(JsonWriter& json, const TInstallItem& p) {
  json.beginObject();
  member(json, "Number", p.Number);
  member(json, "Group", p.Group);
  member(json, "Caption", p.Caption);
  member(json, "Description", p.Description);
  writeReferences(json, "Depends", p.Depends);
  writeReferences(json, "DependsOr", p.DependsOr);
  writeReferences(json, "Exclude", p.Exclude);
  member(json, "Folder", p.Folder);
  member(json, "SourceFolder", p.SourceFolder);
  member(json, "CheckTagFile", p.CheckTagFile);
  member(json, "MinToTray", p.MinToTray);
  member(json, "PreCopyCommand", p.PreCopyCommand);
  member(json, "PostCopyCommand", p.PostCopyCommand);
  member(json, "PreRegFile", p.PreRegFile);
  member(json, "Command1", p.Command1);
  member(json, "Command2", p.Command2);
  member(json, "Command3", p.Command3);
  member(json, "Command4", p.Command4);
  member(json, "Command5", p.Command5);
  member(json, "Command6", p.Command6);
  member(json, "PostRegFile", p.PostRegFile);
  member(json, "KillWait", p.KillWait);
  member(json, "IconFile", p.IconFile);
  member(json, "IconNumber", p.IconNumber);
  member(json, "SkreenShotImage", p.SkreenShotImage);
  member(json, "SmallImage", p.SmallImage);
  member(json, "LargeImage", p.LargeImage);
  member(json, "Default", p.Default);
  member(json, "Fixed", p.Fixed);
  member(json, "Visible", p.Visible);
  member(json, "RebootNeed", p.RebootNeed);
  member(json, "Selected", p.Selected);
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
    member(json, "State", static_cast<std::int32_t>(group->State));
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
