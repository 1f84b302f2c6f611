#include "model/section_reading.h"

#include "model/values.h"
#include "platform/profile_reader.h"

namespace sw {

bool SectionExistence::operator()(std::string_view section) const { return file_.sectionExists(section); }

std::string SectionReader::text(std::string_view key, std::string_view defaultText) const {
  return file_.readString(section_, key, defaultText);
}

std::int32_t SectionReader::integer(std::string_view key, std::int32_t defaultValue) const {
  return ReadInteger(text(key), defaultValue);
}

bool SectionReader::boolean(std::string_view key, bool defaultValue) const {
  return ReadBoolean(text(key), defaultValue);
}

std::vector<std::int32_t> SectionReader::references(std::string_view key, SectionExistence& exists) const {
  const std::string value = text(key);
  std::vector<std::int32_t> numbers;
  std::size_t pos = 0;
  std::string entry;
  while (NextReference(value, pos, entry)) {
    if (exists(entry)) numbers.push_back(ReferenceNumber(entry));
  }
  return numbers;
}

}  // namespace sw
