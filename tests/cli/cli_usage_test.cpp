#include <gtest/gtest.h>

#include "cli/commands.h"
#include "cli_runner.h"

namespace sw::clitest {
namespace {

TEST(CliUsage, HelpGoesToStandardOutputAndSucceeds) {
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"--help"}, {"dump", "--help"}, {"new", "-h"}}) {
    const CliRun run = runBinary(args);
    EXPECT_EQ(run.exitCode, cli::kExitOk) << args.front();
    EXPECT_NE(run.out.find("usage: setwright-cli"), std::string::npos);
    EXPECT_NE(run.out.find("resave PROJECT --root DIR --out FILE"), std::string::npos);
    EXPECT_NE(run.out.find("check PROJECT --root DIR [--json] [--strict]"), std::string::npos);
    EXPECT_NE(run.out.find("4 check found an error"), std::string::npos);
    EXPECT_EQ(run.err.find("setwright-cli"), std::string::npos);
  }
}

TEST(CliUsage, NoCommandOrUnknownCommandIsUsageError) {
  const CliRun none = runBinary({});
  EXPECT_EQ(none.exitCode, cli::kExitUsage);
  EXPECT_TRUE(none.out.empty());
  const CliRun unknown = runBinary({"convert", "x.ini"});
  EXPECT_EQ(unknown.exitCode, cli::kExitUsage);
  EXPECT_NE(unknown.err.find("unknown command"), std::string::npos);
}

// Every malformed call of the project commands is a usage error with a message on standard
// error and nothing on standard output; none of them may touch a file.
TEST(CliUsage, MalformedProjectCommandsAreUsageErrors) {
  const std::vector<std::vector<std::string>> calls = {
      {"dump"},
      {"dump", "p.ini"},
      {"dump", "--root", "d"},
      {"dump", "p.ini", "--root"},
      {"dump", "p.ini", "--root", "d", "--colour", "red"},
      {"dump", "p.ini", "--root", "d", "--root", "e"},
      {"dump", "p.ini", "q.ini", "--root", "d"},
      {"dump", "p.ini", "--root", ""},
      {"dump", "", "--root", "d"},
      {"resave", "p.ini", "--root", "d"},
      {"resave", "--root", "d", "--out", "o.ini"},
      {"resave", "p.ini", "--out", "o.ini"},
      {"resave", "p.ini", "--root", "d", "--out", "o.ini", "--pictures", "x"},
      {"new", "--root", "d"},
      {"new", "--out", "o.ini"},
      {"new", "extra", "--root", "d", "--out", "o.ini"},
      {"new", "--root", "d", "--out"},
      {"check"},
      {"check", "p.ini"},
      {"check", "p.ini", "--root", "d", "--json", "x"},
      {"check", "p.ini", "--root", "d", "--strict", "--strict"},
      {"check", "p.ini", "--root", "d", "--json=yes"},
      {"check", "p.ini", "--root", "d", "-q"},
  };
  for (const auto& call : calls) {
    std::string joined;
    for (const auto& arg : call) joined += "'" + arg + "' ";
    const CliRun run = runInProcess(call);
    EXPECT_EQ(run.exitCode, cli::kExitUsage) << joined;
    EXPECT_TRUE(run.out.empty()) << joined;
    EXPECT_NE(run.err.find("usage: setwright-cli " + call.front()), std::string::npos) << joined << run.err;
  }
}

}  // namespace
}  // namespace sw::clitest
