#include "cli_runner.h"

#include <QProcess>
#include <QStringList>
#include <fstream>
#include <sstream>

#include "cli/commands.h"

namespace sw::clitest {

CliRun runBinary(const std::vector<std::string>& args, const std::string& workingFolder) {
  QProcess process;
  QStringList arguments;
  for (const std::string& arg : args) arguments << QString::fromStdString(arg);
  if (!workingFolder.empty()) process.setWorkingDirectory(QString::fromStdString(workingFolder));
  process.start(QStringLiteral(SETWRIGHT_CLI_PATH), arguments);
  CliRun run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
  run.exitCode = process.exitCode();
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

CliRun runInProcess(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  CliRun run;
  run.exitCode = cli::runCli(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

std::vector<std::string> jsonMemberNames(const std::string& json) {
  // A name is a string followed by ':'; string values are skipped whole, escapes included.
  std::vector<std::string> names;
  std::size_t pos = 0;
  while ((pos = json.find('"', pos)) != std::string::npos) {
    std::string text;
    std::size_t end = pos + 1;
    for (; end < json.size() && json[end] != '"'; ++end) {
      if (json[end] == '\\') ++end;
      if (end < json.size()) text += json[end];
    }
    pos = end + 1;
    const std::size_t next = json.find_first_not_of(" \n", pos);
    if (next != std::string::npos && json[next] == ':') names.push_back(text);
  }
  return names;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace sw::clitest
