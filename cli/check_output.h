#pragma once
// The two forms of a check's report: compiler-style lines for people, editors and CI, and JSON.

#include <iosfwd>
#include <string>

#include "cli/check_report.h"

namespace sw::cli {

// "PROJECT:LINE: severity: message [code]" per finding, then "N errors, N warnings, N notes".
// `shownProject` is the project as named on the command line.
void WriteCheckText(std::ostream& out, const std::string& shownProject, const CheckReport& report);
// One object: project (a model path, 1251), loaded, findings, counts.
void WriteCheckJson(std::ostream& out, const std::string& project, bool loaded, const CheckReport& report);

}  // namespace sw::cli
