#include "model/project_keys.h"

#include "model/values.h"

namespace sw {
namespace {

constexpr std::size_t kReferenceDigits = 3;

// The marker is ASCII, so folding the name's ASCII letters is enough to find it.
std::size_t FindMarker(std::string_view name) {
  const std::size_t size = kProgramSectionMarker.size();
  for (std::size_t at = 0; at + size <= name.size(); ++at) {
    std::size_t i = 0;
    while (i < size) {
      char c = name[at + i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != kProgramSectionMarker[i]) break;
      ++i;
    }
    if (i == size) return at;
  }
  return std::string_view::npos;
}

}  // namespace

char GroupKindPrefix(const TInstallGroup& group) {
  if (group.Locked) return kLockedGroupPrefix;
  return group.Expanded ? kExpandedGroupPrefix : '\0';
}

std::string GroupKey(const TInstallGroup& group) {
  const char prefix = GroupKindPrefix(group);
  return prefix == '\0' ? group.Name : prefix + group.Name;
}

GroupLine ParseGroupKey(std::string_view key) {
  const char kind = key.empty() ? '\0' : key.front();
  const bool prefixed = kind == kExpandedGroupPrefix || kind == kLockedGroupPrefix;
  return {std::string(prefixed ? key.substr(1) : key), prefixed, kind == kLockedGroupPrefix};
}

std::string ProgramSectionName(std::int32_t number) {
  // Without printf, which dominated the writing of reference lists.
  const auto magnitude = number < 0 ? -static_cast<std::int64_t>(number) : static_cast<std::int64_t>(number);
  std::string digits = std::to_string(magnitude);
  if (digits.size() < kReferenceDigits) digits.insert(0, kReferenceDigits - digits.size(), '0');
  std::string name(kProgramSectionPrefix);
  if (number < 0) name += '-';
  return name + digits;
}

bool IsProgramSection(std::string_view sectionName) {
  return FindMarker(sectionName) != std::string_view::npos;
}

std::int32_t ReferenceNumber(std::string_view sectionName) {
  const std::size_t found = FindMarker(sectionName);
  if (found == std::string_view::npos) return 0;
  return ReadInteger(sectionName.substr(found + kProgramSectionMarker.size(), kReferenceDigits), 0);
}

}  // namespace sw
