#pragma once
// Reading the keys of one project file section as the loader does, shared by the loader and
// the check of a written file: values with their defaults, and reference lists whose entries
// count only when they name a section that exists.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "model/project_keys.h"

namespace sw {

class ProfileFile;

// Whether a section exists for the runtime (it lists a key). Names match as lookups do
// (letter case folded, up to a zero byte); the file's index answers with one hash lookup.
class SectionExistence {
 public:
  explicit SectionExistence(const ProfileFile& file) : file_(file) {}
  bool operator()(std::string_view section) const;

 private:
  const ProfileFile& file_;
};

class SectionReader {
 public:
  SectionReader(const ProfileFile& file, std::string_view section) : file_(file), section_(section) {}

  std::string text(std::string_view key, std::string_view defaultText = {}) const;
  std::int32_t integer(std::string_view key, std::int32_t defaultValue) const;
  bool boolean(std::string_view key, bool defaultValue) const;
  // The numbers of the entries that name an existing section; other entries are dropped.
  std::vector<std::int32_t> references(std::string_view key, SectionExistence& exists) const;

  // Every key of the table into its field, a missing key as its default.
  template <typename Record, typename Keys>
  void readKeys(const Keys& keys, Record& record, SectionExistence& exists) const {
    for (const ProjectKey<Record>& key : keys) {
      std::visit([&](auto field) { record.*field = read(key, field, exists); }, key.field);
    }
  }

 private:
  template <typename Record, typename Value>
  Value read(const ProjectKey<Record>& key, Value Record::*, SectionExistence& exists) const {
    if constexpr (std::is_same_v<Value, std::string>) return text(key.name, key.textDefault);
    if constexpr (std::is_same_v<Value, bool>) return boolean(key.name, key.numberDefault != 0);
    if constexpr (std::is_same_v<Value, std::int32_t>) return integer(key.name, key.numberDefault);
    if constexpr (std::is_same_v<Value, std::vector<std::int32_t>>) return references(key.name, exists);
  }

  const ProfileFile& file_;
  std::string_view section_;
};

}  // namespace sw
