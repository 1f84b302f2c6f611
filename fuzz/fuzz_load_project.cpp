// Project file bytes in -> load -> save -> load again: no crash, no hang, no runaway memory.

#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/project.h"
#include "model/project_document.h"
#include "model/project_reader.h"
#include "model/project_writer.h"
#include "platform/environment.h"
#include "platform/profile_reader.h"

namespace {

const QTemporaryDir& WorkFolder() {
  static const QTemporaryDir folder;
  return folder;
}

struct LoadedProject {
  sw::ProjectDocument document;
  sw::Project& project = document.project();

  LoadedProject() { project.ProjectRootFolder = WorkFolder().path().toStdString(); }

  // The loaded file sets its variables in this process; forget them so that the environment
  // does not grow with every input.
  ~LoadedProject() {
    for (const std::string& line : project.UserEnvironment) {
      const std::size_t equals = line.find('=');
      sw::env::unsetVariable(std::string_view(line).substr(0, equals));
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  LoadedProject first;
  if (!sw::LoadProjectFromProfile(first.project, sw::ProfileFile::fromBytes(bytes), "input")) return 0;

  const std::string saved = WorkFolder().filePath(QStringLiteral("saved.ini")).toStdString();
  if (!sw::SaveProject(first.project, saved, saved)) return 0;
  LoadedProject second;
  (void)sw::LoadProject(second.project, saved);
  return 0;
}
