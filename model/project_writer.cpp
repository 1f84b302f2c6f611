// The project file in one pass: the bytes that writing key by key into an empty file and then
// putting an empty line before every line holding '[' would give.

#include "model/project_writer.h"

#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/project.h"
#include "model/save_check.h"
#include "model/values.h"
#include "model/verified_file.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sw {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Each line break (CR LF, CR or LF) becomes one blank, so no text can add lines to the file.
void AppendOnOneLine(std::string& out, std::string_view text) {
  // Nearly every text has no line break: two vectorised searches settle that.
  if (text.find('\r') == std::string_view::npos && text.find('\n') == std::string_view::npos) {
    out.append(text);
    return;
  }
  const char* run = text.data();
  const char* const end = run + text.size();
  for (const char* p = run; p < end; ++p) {
    if (*p != '\r' && *p != '\n') continue;
    out.append(run, p);
    out += ' ';
    if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
    run = p + 1;
  }
  out.append(run, end);
}

std::string OnOneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  AppendOnOneLine(line, text);
  return line;
}

bool HoldsBracket(std::string_view text) { return text.find('[') != std::string_view::npos; }

// Lines in file order; with `spaced`, an empty line before every line holding '['.
class LineWriter {
 public:
  LineWriter(std::string& out, bool spaced) : out_(out), spaced_(spaced) {}

  void section(std::string_view name) {
    if (spaced_) out_ += kLineEnd;
    out_ += '[';
    AppendOnOneLine(out_, name);
    out_ += ']';
    out_ += kLineEnd;
  }
  void text(std::string_view key, std::string_view value) {
    if (spaced_ && (HoldsBracket(key) || HoldsBracket(value))) out_ += kLineEnd;
    AppendOnOneLine(out_, key);
    out_ += '=';
    AppendOnOneLine(out_, value);
    out_ += kLineEnd;
  }
  void boolean(std::string_view key, bool value) { text(key, value ? "1" : "0"); }
  void integer(std::string_view key, std::int32_t value) { text(key, std::to_string(value)); }

 private:
  std::string& out_;
  bool spaced_;
};

// A section whose keys come from the model (group lines, user variables): a key written again
// replaces the value of its first line, which keeps its place and spelling. Keys match as
// lookups do: letter case folded, blanks, tabs, VT, FF and Ctrl-Z around the name ignored.
class KeyedSection {
 public:
  void put(std::string_view key, std::string_view value) {
    std::string line = OnOneLine(key);
    auto [found, added] = lineByKey_.try_emplace(LookupKey(line), lines_.size());
    if (added) {
      lines_.emplace_back(std::move(line), OnOneLine(value));
    } else {
      lines_[found->second].second = OnOneLine(value);
    }
  }
  bool empty() const { return lines_.empty(); }
  void write(LineWriter& writer, std::string_view name) const {
    writer.section(name);
    for (const auto& [key, value] : lines_) writer.text(key, value);
  }

 private:
  static std::string LookupKey(std::string_view key) {
    constexpr std::string_view strip = " \t\v\f\x1a";
    const std::size_t first = key.find_first_not_of(strip);
    if (first == std::string_view::npos) return {};
    const std::size_t last = key.find_last_not_of(strip);
    return text::lowerCase(key.substr(first, last - first + 1));
  }

  std::vector<std::pair<std::string, std::string>> lines_;
  std::unordered_map<std::string, std::size_t> lineByKey_;
};

void WriteCommonInfo(LineWriter& w, const ProjectSettings& s) {
  w.section("Common_Info");
  w.text("Ver", "2.0");
  w.text("Autor", s.Autor);
  w.text("Description", s.Description);
  w.text("Date", s.Date);
}

void WriteSetup(LineWriter& w, const ProjectSettings& s) {
  w.section("Setup");
  w.text("RootInstallDir", s.RootInstallDir);
  w.text("CommonIconLib", s.CommonIconLib);
  w.text("CommonShotFolder", s.CommonShotFolder);
  w.text("LogFile", s.LogFile);
  w.boolean("LogInstall", s.LogInstall);
  w.boolean("DetaliseLog", s.DetaliseLog);
  w.boolean("EnableUserInput", s.EnableUserInput);
  w.boolean("EnableCloseMsg", s.EnableCloseMsg);
  w.boolean("EnableWelcomeDlg", s.EnableWelcomeDlg);
  w.boolean("AdminRightsRequired", s.AdminRightsRequired);
  w.boolean("CheckFDD", s.CheckFDD);
  w.boolean("CheckCd", s.CheckCd);
  w.boolean("CheckFlash", s.CheckFlash);
  w.boolean("CheckHDD", s.CheckHDD);
  w.boolean("CheckNet", s.CheckNet);
  w.text("SourceTagFile", s.SourceTagFile);
  w.integer("DefaultTimer", s.DefaultTimer);
  w.text("ReadMeText", s.ReadMeText);
  w.text("LicenseText", s.LicenseText);
  w.text("RunOnceKey", s.RunOnceKey);
  w.text("RunValyeName", s.RunValyeName);
  w.boolean("UseRunKey", s.UseRunKey);
  w.boolean("ShowLog", s.ShowLog);
  w.boolean("AutoClose", s.AutoClose);
  w.boolean("SupressReboot", s.SupressReboot);
  w.boolean("BeepOnStart", s.BeepOnStart);
}

void WriteStage(LineWriter& w, std::string_view name, const TStageSet& stage, bool endAction) {
  w.section(name);
  w.text("Folder", stage.Folder);
  w.text("PreRegFile", stage.PreRegFile);
  w.text("Command1", stage.Command1);
  w.text("Command2", stage.Command2);
  w.text("Command3", stage.Command3);
  w.text("Command4", stage.Command4);
  w.text("PostRegFile", stage.PostRegFile);
  if (!endAction) return;
  w.boolean("Reboot", stage.Reboot);
  w.boolean("PowerOff", stage.PowerOff);
}

void WriteUserButtons(LineWriter& w, const std::array<TUserFuncItem, 3>& buttons) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const TUserFuncItem& button = buttons[i];
    w.section("UserButton_" + std::to_string(i + 1));
    w.text("Caption", button.Caption);
    w.text("Hint", button.Hint);
    w.text("Picture", button.Picture);
    w.text("Folder", button.Folder);
    w.text("Command", button.Command);
    w.text("Text", button.Text);
    w.boolean("Visible", button.Visible);
  }
}

void WriteUserEnvironment(LineWriter& w, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  KeyedSection section;
  for (const std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      section.put(line, {});
    } else {
      section.put(std::string_view(line).substr(0, equals), std::string_view(line).substr(equals + 1));
    }
  }
  section.write(w, "UserEnvironmentVariable");
}

std::string GroupKey(const TInstallGroup& group) {
  if (group.Locked) return "#" + group.Name;
  if (group.Expanded) return "+" + group.Name;
  return group.Name;
}

void WriteProgramSection(LineWriter& w, const TInstallItem& p) {
  w.section(ProgramSectionName(p.Number));
  w.text("Group", p.Owner != nullptr ? p.Owner->Name : p.Group);
  w.text("Caption", p.Caption);
  w.text("Description", p.Description);
  w.text("Depends", WriteReferenceList(p.Depends));
  w.text("DependsOr", WriteReferenceList(p.DependsOr));
  w.text("Exclude", WriteReferenceList(p.Exclude));
  w.text("Folder", p.Folder);
  w.text("CheckTagFile", p.CheckTagFile);
  w.text("IconFile", p.IconFile);
  w.integer("IconNumber", p.IconNumber);
  w.text("SkreenShotImage", p.SkreenShotImage);
  w.boolean("MinToTray", p.MinToTray);
  w.text("PreRegFile", p.PreRegFile);
  w.text("Command1", p.Command1);
  w.text("Command2", p.Command2);
  w.text("Command3", p.Command3);
  w.text("Command4", p.Command4);
  w.text("Command5", p.Command5);
  w.text("Command6", p.Command6);
  w.text("PostRegFile", p.PostRegFile);
  w.integer("KillWait", p.KillWait);
  w.boolean("Default", p.Default);
  w.boolean("Fixed", p.Fixed);
  w.boolean("Visible", p.Visible);
  w.boolean("RebootNeed", p.RebootNeed);
}

// The group lines, and the program sections in group and item order. Programs sharing a
// number share a section name: the later one's keys replace the earlier one's, in its place.
void WriteGroupsAndPrograms(LineWriter& w, const Project& project) {
  KeyedSection groupLines;
  std::vector<const TInstallItem*> sections;
  std::unordered_map<std::int32_t, std::size_t> sectionByNumber;
  for (const auto& group : project.Groups) {
    if (group->Items.empty()) continue;
    groupLines.put(GroupKey(*group), group->Description);
    for (const auto& program : group->Items) {
      auto [found, added] = sectionByNumber.try_emplace(program->Number, sections.size());
      if (added) {
        sections.push_back(program.get());
      } else {
        sections[found->second] = program.get();
      }
    }
  }
  if (!groupLines.empty()) groupLines.write(w, "SoftwareGroup");
  for (const TInstallItem* program : sections) WriteProgramSection(w, *program);
}

}  // namespace

void RenumberPrograms(Project& project) {
  std::unordered_map<std::int32_t, std::int32_t> newByOld;
  std::int32_t next = 0;
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) {
      program->OldNumber = program->Number;
      program->Number = next++;
      newByOld[program->OldNumber] = program->Number;  // the last program with that number wins
    }
  }
  // An entry that no program had as its number is dropped: a reused number must never make it
  // point at some other program.
  auto remap = [&newByOld](std::vector<std::int32_t>& list) {
    std::size_t kept = 0;
    for (std::int32_t entry : list) {
      auto found = newByOld.find(entry);
      if (found != newByOld.end()) list[kept++] = found->second;
    }
    list.resize(kept);
  };
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) {
      remap(program->Exclude);
      remap(program->Depends);
      remap(program->DependsOr);
    }
  }
  InvalidateProgramIndex(project);
}

std::string ProjectFileText(const Project& project) {
  std::string out;
  out.reserve(4096 + static_cast<std::size_t>(ProgramCount(project)) * 900);
  LineWriter w(out, true);
  WriteCommonInfo(w, project.Settings);
  WriteSetup(w, project.Settings);
  WriteStage(w, "Preinstall", project.Preinstall, false);
  WriteStage(w, "Postinstall", project.Postinstall, true);
  WriteUserButtons(w, project.UserButtons);
  WriteUserEnvironment(w, project.UserEnvironment);
  WriteGroupsAndPrograms(w, project);
  return out;
}

void WriteProgram(std::string& out, const TInstallItem& program) {
  LineWriter w(out, false);
  WriteProgramSection(w, program);
}

SaveResult SaveProject(const Project& project, const std::string& path) {
  const std::string bytes = ProjectFileText(project);
  return ReplaceVerified(files::hostPath(path), bytes, path, [&project](const ProfileFile& written) {
    return CheckWrittenProject(project, written);
  });
}

}  // namespace sw
