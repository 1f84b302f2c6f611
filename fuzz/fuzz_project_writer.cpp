// Projects built from arbitrary bytes are written and read back: no text may add lines, keys
// or sections to the fixed sections, every line ends in CR LF, and the read-back check copes
// with anything, including the raw input taken as a written file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"
#include "model/project_keys.h"
#include "model/project_writer.h"
#include "model/save_check.h"
#include "platform/profile_reader.h"

namespace {

using namespace sw;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

std::vector<std::string_view> Chunks(std::string_view data) {
  std::vector<std::string_view> chunks;
  std::size_t start = 0;
  while (start <= data.size() && chunks.size() < 400) {
    const std::size_t end = std::min(data.find('\0', start), data.size());
    chunks.push_back(data.substr(start, end - start));
    start = end + 1;
  }
  return chunks;
}

void Build(Project& project, std::string_view data) {
  TInstallGroup* group = nullptr;
  TInstallItem* program = nullptr;
  for (std::string_view chunk : Chunks(data)) {
    if (chunk.empty()) continue;
    const unsigned kind = static_cast<unsigned char>(chunk[0]) % 8;
    const std::string text(chunk.substr(1));
    switch (kind) {
      case 0:
        project.Settings.Description = text;
        break;
      case 1:
        project.UserEnvironment.push_back(text);
        break;
      case 2:
        group = AddGroup(project, text, "");
        group->Expanded = text.size() % 3 != 0;
        group->Locked = text.size() % 3 == 2;
        break;
      case 3:
        if (group != nullptr) group->Description = text;
        break;
      case 4: {
        if (group == nullptr) break;
        std::unique_ptr<TInstallItem> added = NewProgram(group);
        added->Number = static_cast<std::int32_t>(text.size() * 37 % 1100);
        added->Caption = text;
        program = AttachProgram(project, group, std::move(added));
        break;
      }
      case 5:
        if (program != nullptr) {
          std::vector<std::int32_t> depends = program->Depends;
          depends.push_back(static_cast<std::int32_t>(text.size() % 1100));
          SetReferences(project, *program, &TInstallItem::Depends, std::move(depends));
        }
        break;
      case 6:
        if (program != nullptr) program->Command1 = text;
        break;
      default:
        project.UserButtons[text.size() % 3].Caption = text;
        break;
    }
  }
}

// The key names of a table as a written section must list them.
template <typename Keys>
std::vector<std::string> NamesOf(const Keys& keys, std::vector<std::string> names = {}) {
  for (const auto& key : keys) names.emplace_back(key.name);
  return names;
}

void CheckWritten(const Project& project) {
  const std::string text = ProjectFileText(project);
  Require(text.rfind("\r\n[Common_Info]\r\nVer=2.0\r\n", 0) == 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') Require(i + 1 < text.size() && text[i + 1] == '\n');
    if (text[i] == '\n') Require(i > 0 && text[i - 1] == '\r');
  }
  const ProfileFile file = ProfileFile::fromBytes(text);
  Require(file.keyNames(kCommonInfoSection) == NamesOf(kCommonInfoKeys, {std::string(kVersionKey)}));
  Require(file.keyNames(kSetupSection) == NamesOf(kSetupKeys));
  for (const char* name : {"UserButton_1", "UserButton_2", "UserButton_3"})
    Require(file.keyNames(name) == NamesOf(kUserButtonKeys));
  const LostItems lost = FindLostItems(project, file);
  if (!lost.empty()) Require(!LostItemsMessage(lost).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  Project project;
  Build(project, data);
  CheckWritten(project);
  RenumberPrograms(project);
  CheckWritten(project);
  // The raw input as the file that came back.
  FindLostItems(project, ProfileFile::fromBytes(data));
  return 0;
}
