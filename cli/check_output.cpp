#include "cli/check_output.h"

#include <ostream>

#include "cli/json_writer.h"
#include "platform/text.h"

namespace sw::cli {
namespace {

std::string_view textSeverity(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "error";
    case Severity::Warning:
      return "warning";
    case Severity::Info:
      break;
  }
  return "note";
}

std::string_view jsonSeverity(Severity severity) {
  return severity == Severity::Info ? "info" : textSeverity(severity);
}

// One finding is one line, whatever its message holds.
std::string oneLine(std::string_view message) {
  std::string line(message);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

std::string counted(int count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

void WriteCheckText(std::ostream& out, const std::string& shownProject, const CheckReport& report) {
  for (const Finding& finding : report.findings()) {
    out << shownProject << ':';
    if (finding.line > 0) out << finding.line << ':';
    out << ' ' << textSeverity(finding.severity) << ": " << text::toUtf8(oneLine(finding.message)) << " ["
        << finding.code << "]\n";
  }
  out << counted(report.count(Severity::Error), "error", "errors") << ", "
      << counted(report.count(Severity::Warning), "warning", "warnings") << ", "
      << counted(report.count(Severity::Info), "note", "notes") << '\n';
}

void WriteCheckJson(std::ostream& out, const std::string& project, bool loaded, const CheckReport& report) {
  JsonWriter json(out);
  json.beginObject();
  json.key("project").value(project);
  json.key("loaded").value(loaded);
  json.key("findings");
  json.beginArray();
  for (const Finding& finding : report.findings()) {
    json.beginInline();
    json.beginObject();
    json.key("severity").value(jsonSeverity(finding.severity));
    json.key("code").value(finding.code);
    json.key("section").value(finding.section);
    json.key("key").value(finding.key);
    json.key("line").value(finding.line);
    json.key("group").value(finding.group);
    json.key("program").value(finding.program);
    json.key("message").value(finding.message);
    json.endObject();
    json.endInline();
  }
  json.endArray();
  json.key("counts");
  json.beginInline();
  json.beginObject();
  json.key("error").value(report.count(Severity::Error));
  json.key("warning").value(report.count(Severity::Warning));
  json.key("info").value(report.count(Severity::Info));
  json.endObject();
  json.endInline();
  json.endObject();
}

}  // namespace sw::cli
