// Reads a written project file back the way the loader does (groups from the group lines,
// programs attached to the first group of their exact name, references only to sections that
// exist) and compares the result with the project.

#include "model/save_check.h"

#include <array>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "model/project.h"
#include "model/project_keys.h"
#include "model/project_writer.h"
#include "model/section_reading.h"
#include "platform/profile_index.h"
#include "platform/profile_reader.h"
#include "platform/text.h"

namespace sw {
namespace {

constexpr int kMaxPrograms = 1000;  // three digits in a section name
constexpr std::size_t kMaxMessageLines = 12;

// Groups of the same name and kind share one group line and come back as one group.
struct ExpectedGroup {
  const TInstallGroup* record = nullptr;  // the first of them, named in messages
  std::string name;
  char kind = '\0';
  std::vector<const TInstallItem*> programs;
};

struct ReadGroup {
  std::string name;
  char kind = '\0';
  bool matched = false;
};

struct ReadProgram {
  std::size_t group = 0;
  std::size_t position = 0;  // within its group
  std::int32_t number = 0;
  std::array<std::vector<std::int32_t>, kReferenceLists.size()> references;
  bool matched = false;
};

struct ReadBack {
  std::vector<ReadGroup> groups;
  std::vector<ReadProgram> programs;
  std::unordered_map<std::string, std::vector<std::size_t>> programsBySection;  // lower-case name
};

// The key of a reference list, found in the key table by its field.
std::string_view ReferenceKeyName(std::size_t list) {
  for (const auto& key : kProgramKeys) {
    const auto* field = std::get_if<std::vector<std::int32_t> TInstallItem::*>(&key.field);
    if (field != nullptr && *field == kReferenceLists[list]) return key.name;
  }
  return {};
}

ReadBack ReadWritten(const ProfileFile& file) {
  ReadBack back;
  std::unordered_map<std::string, std::size_t> firstGroupByName;
  for (const std::string& key : file.keyNames(kSoftwareGroupSection)) {
    GroupLine line = ParseGroupKey(key);
    const char kind = line.locked ? kLockedGroupPrefix : line.expanded ? kExpandedGroupPrefix : '\0';
    firstGroupByName.try_emplace(line.name, back.groups.size());
    back.groups.push_back({std::move(line.name), kind, false});
  }
  std::vector<std::size_t> groupSizes(back.groups.size(), 0);
  SectionExistence exists(file);
  for (const std::string& section : file.sectionNames()) {
    if (!IsProgramSection(section) || !exists(section)) continue;
    const SectionReader reader(file, section);
    const auto group = firstGroupByName.find(reader.text(kProgramGroupKey));
    if (group == firstGroupByName.end()) continue;  // the loader drops it
    ReadProgram program;
    program.group = group->second;
    program.position = groupSizes[group->second]++;
    program.number = ReferenceNumber(section);
    for (std::size_t list = 0; list < kReferenceLists.size(); ++list) {
      program.references[list] = reader.references(ReferenceKeyName(list), exists);
    }
    back.programsBySection[text::lowerCase(section)].push_back(back.programs.size());
    back.programs.push_back(std::move(program));
  }
  return back;
}

std::vector<ExpectedGroup> ExpectedGroups(const Project& project) {
  std::vector<ExpectedGroup> expected;
  std::unordered_map<std::string, std::size_t> byKindAndName;
  for (const auto& group : project.Groups) {
    if (group->Items.empty()) continue;
    const char kind = GroupKindPrefix(*group);
    auto [found, added] = byKindAndName.try_emplace(std::string(1, kind) + group->Name, expected.size());
    if (added) expected.push_back({group.get(), group->Name, kind, {}});
    for (const auto& program : group->Items) expected[found->second].programs.push_back(program.get());
  }
  return expected;
}

// For each expected group, the read group it comes back as (in order), or -1.
std::vector<std::ptrdiff_t> MatchGroups(const std::vector<ExpectedGroup>& expected, ReadBack& back) {
  std::vector<std::ptrdiff_t> match(expected.size(), -1);
  std::size_t next = 0;
  for (std::size_t e = 0; e < expected.size(); ++e) {
    for (std::size_t r = next; r < back.groups.size(); ++r) {
      if (back.groups[r].name == expected[e].name && back.groups[r].kind == expected[e].kind) {
        match[e] = static_cast<std::ptrdiff_t>(r);
        back.groups[r].matched = true;
        next = r + 1;
        break;
      }
    }
  }
  return match;
}

class ProgramMatcher {
 public:
  ProgramMatcher(const std::vector<ExpectedGroup>& expected, ReadBack& back) : back_(back) {
    for (const ExpectedGroup& group : expected) {
      for (const TInstallItem* program : group.programs) {
        numbers_.insert(program->Number);
        ++sectionUse_[SectionOf(*program)];
      }
    }
  }

  // True when the program comes back in read group `group`, after position `lastPosition`,
  // with its number and references.
  bool comesBack(const TInstallItem& program, std::ptrdiff_t group, std::ptrdiff_t& lastPosition) {
    const std::string section = SectionOf(program);
    if (sectionUse_[section] != 1) return false;
    const auto found = back_.programsBySection.find(section);
    if (found == back_.programsBySection.end() || found->second.size() != 1) return false;
    ReadProgram& read = back_.programs[found->second.front()];
    read.matched = true;
    if (static_cast<std::ptrdiff_t>(read.group) != group || read.number != program.Number ||
        static_cast<std::ptrdiff_t>(read.position) <= lastPosition)
      return false;
    for (std::size_t list = 0; list < kReferenceLists.size(); ++list) {
      if (read.references[list] != Resolving(program.*kReferenceLists[list])) return false;
    }
    lastPosition = static_cast<std::ptrdiff_t>(read.position);
    return true;
  }

 private:
  static std::string SectionOf(const TInstallItem& program) {
    return text::lowerCase(ProgramSectionName(program.Number));
  }
  // The entries a faithful file gives back: those naming a program of the project.
  std::vector<std::int32_t> Resolving(const std::vector<std::int32_t>& list) const {
    std::vector<std::int32_t> kept;
    kept.reserve(list.size());
    for (std::int32_t number : list) {
      if (numbers_.count(number) != 0) kept.push_back(number);
    }
    return kept;
  }

  ReadBack& back_;
  std::unordered_set<std::int32_t> numbers_;
  std::unordered_map<std::string, int> sectionUse_;
};

// Line breaks and other control bytes shown as blanks, so a name stays on its message line.
std::string Shown(std::string_view name) {
  std::string shown(name);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return shown;
}

std::string Cp(std::string_view utf8) { return text::fromUtf8(utf8); }

// What in a group's name the file cannot carry, as far as the name alone tells.
std::string GroupNameProblem(const Project& project, const TInstallGroup& group) {
  const std::string& name = group.Name;
  if (name.empty()) return Cp("пустое имя");
  if (name.find_first_of("\r\n") != std::string::npos) return Cp("перевод строки в имени");
  if (GroupKindPrefix(group) == '\0' && (name[0] == kExpandedGroupPrefix || name[0] == kLockedGroupPrefix))
    return Cp("имя обычной группы начинается с «+» или «#»");
  if (profile::isProfileBlank(name.front()) || profile::isProfileBlank(name.back()))
    return Cp("пробел в начале или в конце имени");
  if (name.find('=') != std::string::npos) return Cp("в имени есть «=»");
  if (name[0] == '[' || name[0] == ';') return Cp("имя начинается с «") + name[0] + Cp("»");
  if (name.size() >= 2 && (name[0] == '"' || name[0] == '\'') && name.back() == name[0])
    return Cp("имя в кавычках");
  for (const auto& other : project.Groups) {
    if (other.get() == &group || other->Items.empty() || other->Name == name) continue;
    if (text::equalsNoCase(other->Name, name))
      return Cp("имя отличается от «") + Shown(other->Name) + Cp("» только регистром букв");
  }
  for (const auto& other : project.Groups) {
    if (other.get() != &group && !other->Items.empty() && other->Name == name &&
        GroupKindPrefix(*other) != GroupKindPrefix(group))
      return Cp("группа с таким именем, но другого вида, уже есть");
  }
  return {};
}

// A value of the program's section longer than the reader's buffer takes: it would come back cut.
std::string TooLongValue(const TInstallItem& program) {
  std::string section;
  WriteProgram(section, program);
  std::size_t start = 0;
  while (start < section.size()) {
    std::size_t end = section.find('\n', start);
    if (end == std::string::npos) end = section.size();
    std::string_view line(section.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && line.size() - equals - 1 >= kProfileValueBufferSize) {
      return Cp("значение «") + std::string(line.substr(0, equals)) + Cp("» длиннее ") +
             std::to_string(kProfileValueBufferSize - 1) + Cp(" знаков, а читается не больше");
    }
    start = end + 1;
  }
  return {};
}

// Why a group whose name is fine still loses its programs: the first of them with a cut value.
std::string GroupContentProblem(const TInstallGroup& group) {
  for (const auto& program : group.Items) {
    std::string problem = TooLongValue(*program);
    if (!problem.empty()) return Cp("у программы «") + Shown(program->Caption) + "» " + problem;
  }
  return {};
}

}  // namespace

LostItems FindLostItems(const Project& project, const ProfileFile& written) {
  LostItems lost;
  lost.programCount = ProgramCount(project);
  const std::vector<ExpectedGroup> expected = ExpectedGroups(project);
  ReadBack back = ReadWritten(written);
  const std::vector<std::ptrdiff_t> match = MatchGroups(expected, back);
  ProgramMatcher matcher(expected, back);

  for (std::size_t e = 0; e < expected.size(); ++e) {
    std::vector<const TInstallItem*> lostHere;
    std::ptrdiff_t lastPosition = -1;
    for (const TInstallItem* program : expected[e].programs) {
      if (match[e] < 0 || !matcher.comesBack(*program, match[e], lastPosition)) lostHere.push_back(program);
    }
    if (lostHere.size() == expected[e].programs.size()) {
      lost.groups.push_back(expected[e].record);
      std::string reason = GroupNameProblem(project, *expected[e].record);
      if (reason.empty()) reason = GroupContentProblem(*expected[e].record);
      lost.groupReasons.push_back(std::move(reason));
    } else {
      for (const TInstallItem* program : lostHere) {
        lost.programs.push_back(program);
        lost.programReasons.push_back(TooLongValue(*program));
      }
    }
  }
  for (const ReadGroup& group : back.groups) lost.strays += group.matched ? 0 : 1;
  for (const ReadProgram& program : back.programs) lost.strays += program.matched ? 0 : 1;
  return lost;
}

std::string LostItemsMessage(const LostItems& lost) {
  std::string message = Cp("Проект не сохранён: при записи в файл потерялись бы эти группы и программы.");
  if (lost.programCount > kMaxPrograms) {
    message += "\r\n" + Cp("В проекте ") + std::to_string(lost.programCount) +
               Cp(" программ, а файл проекта вмещает не больше 1000.");
  }
  std::vector<std::string> lines;
  for (std::size_t g = 0; g < lost.groups.size(); ++g) {
    std::string line = Cp("Группа «") + Shown(lost.groups[g]->Name) + Cp("»");
    if (g < lost.groupReasons.size() && !lost.groupReasons[g].empty()) line += ": " + lost.groupReasons[g];
    lines.push_back(std::move(line));
  }
  for (std::size_t p = 0; p < lost.programs.size(); ++p) {
    const TInstallItem* program = lost.programs[p];
    const std::string groupName = program->Owner != nullptr ? program->Owner->Name : program->Group;
    std::string line =
        Cp("Программа «") + Shown(program->Caption) + Cp("» из группы «") + Shown(groupName) + Cp("»");
    if (p < lost.programReasons.size() && !lost.programReasons[p].empty())
      line += ": " + lost.programReasons[p];
    lines.push_back(std::move(line));
  }
  for (std::size_t i = 0; i < lines.size() && i < kMaxMessageLines; ++i) message += "\r\n" + lines[i];
  if (lines.size() > kMaxMessageLines) {
    message += "\r\n" + Cp("... и ещё ") + std::to_string(lines.size() - kMaxMessageLines) + ".";
  }
  // Stray groups and programs come from names that are already listed; alone, they are counted.
  if (lines.empty() && lost.strays > 0) {
    message += "\r\n" + Cp("Лишние группы и программы в файле: ") + std::to_string(lost.strays) + ".";
  }
  return message;
}

Status CheckWrittenProject(const Project& project, const ProfileFile& written) {
  const LostItems lost = FindLostItems(project, written);
  if (lost.empty()) return {};
  return Status::failed(Failure::Refused, text::toUtf8(LostItemsMessage(lost)));
}

}  // namespace sw
