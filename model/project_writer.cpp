// The project file in one pass: the bytes that writing key by key into an empty file and then
// putting an empty line before every line holding '[' would give.

#include "model/project_writer.h"

#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/project.h"
#include "model/project_keys.h"
#include "model/save_check.h"
#include "model/values.h"
#include "platform/file_replace.h"
#include "platform/profile_index.h"
#include "platform/profile_reader.h"
#include "platform/profile_writer.h"
#include "platform/text.h"

namespace sw {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string OnOneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  profile::appendOnOneLine(line, text);
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
    profile::appendOnOneLine(out_, name);
    out_ += ']';
    out_ += kLineEnd;
  }
  void text(std::string_view key, std::string_view value) {
    if (spaced_ && (HoldsBracket(key) || HoldsBracket(value))) out_ += kLineEnd;
    profile::appendOnOneLine(out_, key);
    out_ += '=';
    profile::appendOnOneLine(out_, value);
    out_ += kLineEnd;
  }
  void boolean(std::string_view key, bool value) { text(key, WriteBoolean(value)); }
  void integer(std::string_view key, std::int32_t value) { text(key, std::to_string(value)); }

  // Every key of a table from its field, in the table's order.
  template <typename Record, typename Keys>
  void keys(const Keys& table, const Record& record) {
    for (const ProjectKey<Record>& key : table) {
      std::visit([&](auto field) { value(key, record.*field); }, key.field);
    }
  }

 private:
  template <typename Record>
  void value(const ProjectKey<Record>& key, const std::string& text) {
    if (key.written == WhenWritten::NotEmpty && text.empty()) return;
    this->text(key.name, text);
  }
  template <typename Record>
  void value(const ProjectKey<Record>& key, bool flag) {
    boolean(key.name, flag);
  }
  template <typename Record>
  void value(const ProjectKey<Record>& key, std::int32_t number) {
    integer(key.name, number);
  }
  template <typename Record>
  void value(const ProjectKey<Record>& key, const std::vector<std::int32_t>& numbers) {
    text(key.name, WriteReferenceList(numbers));
  }

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
  static std::string LookupKey(std::string_view key) { return text::lowerCase(profile::stripBlanks(key)); }

  std::vector<std::pair<std::string, std::string>> lines_;
  std::unordered_map<std::string, std::size_t> lineByKey_;
};

void WriteProjectWideSettings(LineWriter& w, const Project& project) {
  w.section(kCommonInfoSection);
  w.text(kVersionKey, kProjectVersion);
  w.keys(kCommonInfoKeys, project.Settings);
  w.section(kSetupSection);
  w.keys(kSetupKeys, project.Settings);
  w.section(kPreinstallSection);
  w.keys(kStageKeys, project.Preinstall);
  w.section(kPostinstallSection);
  w.keys(kStageKeys, project.Postinstall);
  w.keys(kEndActionKeys, project.Postinstall);
  for (std::size_t i = 0; i < project.UserButtons.size(); ++i) {
    w.section(std::string(kUserButtonSectionPrefix) + std::to_string(i + 1));
    w.keys(kUserButtonKeys, project.UserButtons[i]);
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
  section.write(w, kUserEnvironmentSection);
}

void WriteProgramSection(LineWriter& w, const TInstallItem& p) {
  w.section(ProgramSectionName(p.Number));
  w.text(kProgramGroupKey, p.Owner != nullptr ? p.Owner->Name : p.Group);
  w.keys(kProgramKeys, p);
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
  if (!groupLines.empty()) groupLines.write(w, kSoftwareGroupSection);
  for (const TInstallItem* program : sections) WriteProgramSection(w, *program);
}

}  // namespace

std::string ProjectFileText(const Project& project) {
  std::string out;
  out.reserve(4096 + static_cast<std::size_t>(ProgramCount(project)) * 900);
  LineWriter w(out, true);
  WriteProjectWideSettings(w, project);
  WriteUserEnvironment(w, project.UserEnvironment);
  WriteGroupsAndPrograms(w, project);
  return out;
}

void WriteProgram(std::string& out, const TInstallItem& program) {
  LineWriter w(out, false);
  WriteProgramSection(w, program);
}

Status SaveProject(const Project& project, const std::string& hostTarget, const std::string& shownName) {
  files::ReplaceOptions options;
  options.shownName = shownName;
  // The file is read back as the loader would read it before it may replace the old one.
  options.verify = [&](const std::string& temporary) -> Status {
    const Result<ProfileFile> written = ProfileFile::read(temporary);
    if (!written)
      return Status::failed(Failure::System, files::unableToWrite(shownName), written.status().text());
    return CheckWrittenProject(project, *written);
  };
  return files::replaceFile(hostTarget, ProjectFileText(project), options);
}

}  // namespace sw
