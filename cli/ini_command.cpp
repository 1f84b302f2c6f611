#include <ostream>
#include <set>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/options.h"
#include "cli/profile_queries.h"
#include "platform/file_io.h"
#include "platform/profile_reader.h"

namespace sw::cli {
namespace {

constexpr std::string_view kDefaultMarker = "<<default>>";

void writeList(JsonWriter& json, const ProfileList& list) {
  json.beginInline();
  json.beginObject();
  json.key("count").value(static_cast<std::int64_t>(list.count));
  json.key("names").beginArray();
  for (const auto& name : list.names) json.value(name);
  json.endArray();
  json.endObject();
  json.endInline();
}

void writeOptional(JsonWriter& json, const std::optional<std::string>& text) {
  if (text)
    json.value(*text);
  else
    json.null();
}

void writeValue(JsonWriter& json, const ProfileFile& file, std::string_view section, std::string_view key,
                const std::optional<std::string>& defaultText) {
  const ProfileValue found = file.value(section, key, defaultText);
  json.beginInline();
  json.beginObject();
  json.key("section").value(section);
  json.key("key").value(key);
  json.key("default");
  writeOptional(json, defaultText);
  json.key("value").value(found.value);
  json.key("length").value(static_cast<std::int64_t>(found.value.size()));
  json.endObject();
  json.endInline();
}

// Names in first-seen order, each once: lookups go by name, so a repeat would say the same.
std::vector<std::string> distinct(const std::vector<std::string>& names) {
  std::set<std::string> seen;
  std::vector<std::string> out;
  for (const auto& name : names)
    if (seen.insert(name).second) out.push_back(name);
  return out;
}

void writeReport(std::ostream& out, const ProfileFile& file, const std::vector<ProfileQuery>& queries,
                 bool hasQueries) {
  JsonWriter json(out);
  json.beginObject();
  const ProfileList sections = file.sectionList();
  json.key("sections");
  writeList(json, sections);

  const std::vector<std::string> sectionNames = distinct(sections.names);
  std::vector<std::vector<std::string>> keysOf;
  json.key("keys").beginObject();
  for (const auto& section : sectionNames) {
    const ProfileList keys = file.keyList(section, "");
    json.key(section);
    writeList(json, keys);
    keysOf.push_back(distinct(keys.names));
  }
  json.endObject();

  json.key("values").beginArray();
  const std::optional<std::string> marker{std::string(kDefaultMarker)};
  for (std::size_t i = 0; i < sectionNames.size(); ++i)
    for (const auto& key : keysOf[i]) writeValue(json, file, sectionNames[i], key, marker);
  for (const auto& query : queries)
    if (!query.keyList) writeValue(json, file, query.section, query.key, query.defaultText);
  json.endArray();

  bool anyKeyList = false;
  for (const auto& query : queries) anyKeyList = anyKeyList || query.keyList;
  if (hasQueries && anyKeyList) {
    json.key("extra_key_lists").beginArray();
    for (const auto& query : queries) {
      if (!query.keyList) continue;
      const ProfileList list = file.keyList(query.section, query.defaultText);
      json.beginInline();
      json.beginObject();
      json.key("section").value(query.section);
      json.key("default");
      writeOptional(json, query.defaultText);
      json.key("count").value(static_cast<std::int64_t>(list.count));
      json.key("names").beginArray();
      for (const auto& name : list.names) json.value(name);
      json.endArray();
      json.endObject();
      json.endInline();
    }
    json.endArray();
  }
  json.endObject();
}

// A lookup list is a few lines; anything near this size is not one.
constexpr std::uint64_t kMaxQueriesBytes = std::uint64_t{64} << 20;

}  // namespace

int runIni(const Arguments& args, std::ostream& out, std::ostream& err) {
  const ParsedOptions options = parseOptions(args, {"queries"});
  if (!options.error.empty()) {
    reportError(err, "ini", options.error);
    return kExitUsage;
  }
  if (options.positional.size() != 1) {
    reportError(err, "ini", "expected one INI file (usage: ini FILE [--queries QFILE])");
    return kExitUsage;
  }
  // Folders, pipes, devices and files over the reader's limit are refused, never read in part.
  const Result<ProfileFile> file = ProfileFile::read(absolutePath(options.positional.front()));
  if (!file) {
    reportError(err, "ini", "", file.status());
    return kExitUsage;
  }
  ProfileQueries queries;
  const auto queriesOption = options.values.find("queries");
  if (queriesOption != options.values.end()) {
    const std::string queriesPath = absolutePath(queriesOption->second);
    Result<std::string> queryBytes = files::readFile(queriesPath, kMaxQueriesBytes);
    if (!queryBytes) {
      reportError(err, "ini", "", queryBytes.status());
      return kExitUsage;
    }
    queries = parseProfileQueries(*queryBytes);
    if (!queries.error.empty()) {
      reportError(err, "ini", queriesPath + ": " + queries.error);
      return kExitUsage;
    }
  }
  writeReport(out, *file, queries.queries, queriesOption != options.values.end());
  return kExitOk;
}

}  // namespace sw::cli
