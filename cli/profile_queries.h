#pragma once
// The lookup lists that `setwright-cli ini --queries` reads: one lookup per line, fields
// separated by TAB, '#' comments; in a field "\\" is a backslash, "\xHH" a byte, and a
// field that is exactly "\N" a null pointer.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw::cli {

struct ProfileQuery {
  bool keyList = false;  // "@keys" lines: the key list of `section`
  std::string section;
  std::string key;                         // value lookups only
  std::optional<std::string> defaultText;  // nullopt: a null pointer
};

struct ProfileQueries {
  std::vector<ProfileQuery> queries;
  std::string error;  // the first malformed line, for people; empty when all were read
};

ProfileQueries parseProfileQueries(std::string_view bytes);

}  // namespace sw::cli
