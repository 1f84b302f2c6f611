// Project file bytes in -> the whole project check, in both report forms: no crash, no hang, no
// runaway memory, whatever the file holds.

#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "model/project_keys.h"
#include "platform/environment.h"
#include "platform/file_replace.h"
#include "platform/profile_reader.h"

namespace {

const QTemporaryDir& WorkFolder() {
  static const QTemporaryDir folder;
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string root = WorkFolder().path().toStdString();
  const std::string project = root + "/setup.ini";
  if (!sw::files::replaceFile(project, bytes, sw::files::ReplaceOptions{})) return 0;

  std::ostringstream out;
  std::ostringstream err;
  (void)sw::cli::runCli({"check", project, "--root", root, "--json"}, out, err);
  (void)sw::cli::runCli({"check", project, "--root", root, "--strict"}, out, err);

  // The load set the file's variables in this process; forget them so the environment does
  // not grow with every input.
  const sw::ProfileFile file = sw::ProfileFile::fromBytes(bytes);
  for (const std::string& name : file.keyNames(sw::kUserEnvironmentSection)) sw::env::unsetVariable(name);
  return 0;
}
