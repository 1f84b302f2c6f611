#include "cli/profile_queries.h"

#include "model/values.h"

namespace sw::cli {
namespace {

// The bytes a field stands for; nullopt for "\N". An escape that is not understood is kept.
std::optional<std::string> unescapeField(std::string_view field) {
  if (field == "\\N") return std::nullopt;
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 1 < field.size() && field[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] == 'x' &&
               HexDigitValue(field[i + 2]) >= 0 && HexDigitValue(field[i + 3]) >= 0) {
      out += static_cast<char>(HexDigitValue(field[i + 2]) * 16 + HexDigitValue(field[i + 3]));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(
        line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// One lookup from the fields of a line; false when the line is not a lookup.
bool readQuery(const std::vector<std::string_view>& fields, ProfileQuery& query) {
  query.keyList = fields[0] == "@keys";
  // "SECTION KEY [DEFAULT]" or "@keys SECTION [DEFAULT]": two or three fields either way.
  if (fields.size() < 2 || fields.size() > 3) return false;
  const auto section = unescapeField(fields[query.keyList ? 1 : 0]);
  if (!section) return false;
  query.section = *section;
  if (query.keyList) {
    query.defaultText = fields.size() > 2 ? unescapeField(fields[2]) : std::optional<std::string>("");
    return true;
  }
  const auto key = unescapeField(fields[1]);
  if (!key) return false;
  query.key = *key;
  query.defaultText =
      fields.size() > 2 ? unescapeField(fields[2]) : std::optional<std::string>("<<default>>");
  return true;
}

}  // namespace

ProfileQueries parseProfileQueries(std::string_view bytes) {
  ProfileQueries result;
  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    ProfileQuery query;
    if (!readQuery(splitFields(line), query)) {
      if (result.error.empty()) result.error = "line " + std::to_string(lineNumber) + " is not a lookup";
      continue;
    }
    result.queries.push_back(std::move(query));
  }
  return result;
}

}  // namespace sw::cli
