// Whole projects through the command line against files kept in tests/data/golden: each
// NAME.ini is dumped (NAME.dump.json) and resaved (NAME.resaved.ini). The dump shows every
// key as the loader reads it, in the contract's order; the resave shows the writer's layout.
// SETWRIGHT_UPDATE_GOLDEN=1 rewrites the expected files from what the program does now.

#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>
#include <fstream>
#include <string>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli_runner.h"
#include "platform/files.h"
#include "platform/text.h"
#include "support/temp_dir.h"

namespace sw::clitest {
namespace {

using testing::TempDir;

const std::string kGoldenFolder = std::string(SETWRIGHT_TEST_DATA) + "/golden/";

bool updating() { return qEnvironmentVariableIsSet("SETWRIGHT_UPDATE_GOLDEN"); }

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// JSON string contents of a host path, as the dump writes it.
std::string jsonText(const std::string& hostPath) {
  const std::string quoted = cli::JsonWriter::quoted(text::fromUtf8(hostPath));
  return quoted.substr(1, quoted.size() - 2);
}

// The dump with the root folder and its drive, which differ from run to run, as placeholders.
std::string portableDump(std::string dump, const std::string& root) {
  const std::string drive = jsonText(text::toUtf8(files::driveOf(text::fromUtf8(root))));
  for (const char* name : {"\"CDROM\": \"", "\"SOURCE\": \""}) {
    replaceAll(dump, name + drive + "\"", std::string(name) + "<DRIVE>\"");
  }
  replaceAll(dump, jsonText(root), "<ROOT>");
  return dump;
}

void expectGolden(const std::string& file, const std::string& actual) {
  if (updating()) {
    writeBytes(kGoldenFolder + file, actual);
    return;
  }
  EXPECT_EQ(actual, readBytes(kGoldenFolder + file)) << file;
}

class GoldenProject : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenProject, DumpsAndResavesAsRecorded) {
  const std::string name = GetParam();
  TempDir root;
  const std::string project = root.write("setup.ini", readBytes(kGoldenFolder + name + ".ini"));
  root.write("Soft/Editor/editor.tag", "present");

  const CliRun dump = runBinary({"dump", project, "--root", root.path()});
  EXPECT_EQ(dump.exitCode, cli::kExitOk) << dump.err;
  EXPECT_EQ(dump.err, "");
  expectGolden(name + ".dump.json", portableDump(dump.out, root.path()));

  const std::string resaved = root.file("resaved.ini");
  const CliRun resave = runBinary({"resave", project, "--root", root.path(), "--out", resaved});
  ASSERT_EQ(resave.exitCode, cli::kExitOk) << resave.err;
  expectGolden(name + ".resaved.ini", readBytes(resaved));

  // What the editor writes, it reads back to the same file.
  const CliRun again = runBinary({"resave", resaved, "--root", root.path(), "--out", root.file("again.ini")});
  ASSERT_EQ(again.exitCode, cli::kExitOk) << again.err;
  EXPECT_EQ(readBytes(root.file("again.ini")), readBytes(resaved));
}

std::vector<std::string> goldenProjects() {
  std::vector<std::string> names;
  const QStringList files = QDir(QString::fromStdString(kGoldenFolder)).entryList({QStringLiteral("*.ini")});
  for (const QString& file : files) {
    if (!file.endsWith(QStringLiteral(".resaved.ini"))) names.push_back(file.chopped(4).toStdString());
  }
  return names;
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenProject, ::testing::ValuesIn(goldenProjects()), [](const auto& info) {
  std::string name = info.param;
  for (char& c : name)
    if (c == '-') c = '_';
  return name;
});

}  // namespace
}  // namespace sw::clitest
