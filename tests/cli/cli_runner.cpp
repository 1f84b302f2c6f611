#include "cli_runner.h"

#include <QProcess>
#include <QStringList>
#include <fstream>
#include <sstream>

#include "cli/commands.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#endif

namespace sw::clitest {

#ifndef _WIN32
namespace {

std::string drain(int descriptor) {
  std::string bytes;
  char chunk[65536];
  for (ssize_t got; (got = ::read(descriptor, chunk, sizeof chunk)) != 0;) {
    if (got < 0) {
      if (errno == EINTR) continue;
      break;
    }
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(descriptor);
  return bytes;
}

}  // namespace

// The arguments go to the program byte for byte: names that are not UTF-8 must arrive as they
// are, which a QString cannot carry.
CliRun runBinary(const std::vector<std::string>& args, const std::string& workingFolder) {
  int out[2];
  int err[2];
  if (::pipe(out) != 0 || ::pipe(err) != 0) return {};
  std::vector<char*> argv;
  std::string program = SETWRIGHT_CLI_PATH;
  argv.push_back(program.data());
  std::vector<std::string> copies(args);
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    ::close(out[0]);
    ::close(err[0]);
    if (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0) ::_exit(127);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  CliRun run;
  std::thread errors([&] { run.err = drain(err[0]); });
  run.out = drain(out[0]);
  errors.join();
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  return run;
}
#else
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
#endif

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
