#include <map>
#include <ostream>

#include "cli/commands.h"

namespace sw::cli {
namespace {

constexpr const char* kUsage =
    "usage: setwright-cli COMMAND ARGUMENTS\n"
    "\n"
    "  dump PROJECT --root DIR [--pictures OUTDIR]\n"
    "      load a project as the editor does and print it as JSON\n"
    "  resave PROJECT --root DIR --out FILE\n"
    "      load a project and save it to FILE with the editor's save step\n"
    "  new --root DIR --out FILE\n"
    "      create a new project and save it to FILE\n"
    "  ini FILE [--queries QFILE]\n"
    "      show how the installer runtime reads an INI file, as JSON\n"
    "  icons FILE [--out OUTDIR]\n"
    "      count the icons of a file; with --out, write each as small-NNN.png and large-NNN.png\n"
    "  check PROJECT --root DIR [--json] [--strict]\n"
    "      report what would break on the target machine or at the next save, one finding a\n"
    "      line as compilers print them (or JSON)\n"
    "\n"
    "Exit status: 0 success, 1 the project did not load, 2 usage error, 3 the save or the output\n"
    "failed (or memory ran out), 4 check found an error (with --strict, also a warning).\n";

using Command = int (*)(const Arguments&, std::ostream&, std::ostream&);

const std::map<std::string, Command>& commands() {
  static const std::map<std::string, Command> table = {{"dump", runDump},   {"resave", runResave},
                                                       {"new", runNew},     {"ini", runIni},
                                                       {"icons", runIcons}, {"check", runCheck}};
  return table;
}

}  // namespace

int runCli(const Arguments& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return kExitUsage;
  }
  for (const auto& arg : args) {
    if (arg == "--help" || arg == "-h") {
      out << kUsage;
      return kExitOk;
    }
  }
  const auto found = commands().find(args.front());
  if (found == commands().end()) {
    err << "setwright-cli: unknown command '" << args.front() << "'\n\n" << kUsage;
    return kExitUsage;
  }
  return found->second(Arguments(args.begin() + 1, args.end()), out, err);
}

}  // namespace sw::cli
