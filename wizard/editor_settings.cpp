#include "wizard/editor_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <charconv>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "platform/profile_reader.h"
#include "platform/profile_writer.h"

namespace sw {
namespace {

constexpr std::string_view kProjects = "Projects";
constexpr std::string_view kInterface = "Interface";

bool canWriteBeside(const QFileInfo& file) {
  return file.exists() ? file.isWritable() : QFileInfo(file.absolutePath()).isWritable();
}

}  // namespace

// A file that holds every entry as it stands is not written again.
bool EditorSettings::holdsAlready(const std::vector<ProfileEntry>& entries) const {
  const Result<ProfileFile> file = ProfileFile::read(path_);
  if (!file) return false;
  for (const ProfileEntry& entry : entries) {
    // A default no value can have tells a missing key from an empty one.
    if (file->readString(entry.section, entry.key, "\n") != entry.value) return false;
  }
  return true;
}

EditorSettings::EditorSettings(std::string hostPath) : path_(std::move(hostPath)) {}

std::string EditorSettings::defaultPath() {
  const QFileInfo program(QCoreApplication::applicationFilePath());
  const QString name = program.completeBaseName() + QStringLiteral(".ini");
  const QString folder = program.absolutePath();
  const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  const QString chosen =
      settingsPathFor(folder, name, configFolder, canWriteBeside(QFileInfo(QDir(folder).filePath(name))));
  QDir().mkpath(QFileInfo(chosen).absolutePath());
  return QFile::encodeName(chosen).toStdString();
}

QString settingsPathFor(const QString& executableDir, const QString& fileName, const QString& configDir,
                        bool besideWritable) {
  const QString folder = QDir::cleanPath(executableDir);
  // Root may write to /usr/bin, yet a file there would be shared by every user and owned by no package.
  const bool installed =
      QFileInfo(folder).fileName().compare(QStringLiteral("bin"), Qt::CaseInsensitive) == 0;
  return QDir(besideWritable && !installed ? folder : QDir::cleanPath(configDir)).filePath(fileName);
}

EditorSettingsValues EditorSettings::read() const {
  EditorSettingsValues values;
  const Result<ProfileFile> file = ProfileFile::read(path_);
  if (!file) return values;
  values.lastProject = file->readString(kProjects, "LastProject", "");
  values.lastRootDir = file->readString(kProjects, "LastRootDir", "");
  values.maximize = parseSettingsInteger(file->readString(kInterface, "Maximize", "")).value_or(0) != 0;
  values.left = parseSettingsInteger(file->readString(kInterface, "Left", ""));
  values.top = parseSettingsInteger(file->readString(kInterface, "Top", ""));
  values.width = parseSettingsInteger(file->readString(kInterface, "Width", ""));
  values.height = parseSettingsInteger(file->readString(kInterface, "Height", ""));
  return values;
}

void EditorSettings::write(const std::string& lastProject, const std::string& lastRootDir, bool maximized,
                           const QRect& frame) const {
  const std::string left = std::to_string(frame.left());
  const std::string top = std::to_string(frame.top());
  const std::string width = std::to_string(frame.width());
  const std::string height = std::to_string(frame.height());
  std::vector<ProfileEntry> entries{{kProjects, "LastProject", lastProject},
                                    {kProjects, "LastRootDir", lastRootDir}};
  // A maximized window keeps the last normal placement for when it is restored.
  if (!maximized) {
    entries.push_back({kInterface, "Left", left});
    entries.push_back({kInterface, "Top", top});
    entries.push_back({kInterface, "Width", width});
    entries.push_back({kInterface, "Height", height});
  }
  entries.push_back({kInterface, "Maximize", maximized ? "1" : "0"});
  if (holdsAlready(entries)) return;
  // One replacement for all keys; the settings are a convenience that need not wait for the
  // disk. A file that cannot be written is left as it is.
  (void)writeProfileStrings(path_, entries, false);
}

std::optional<int> parseSettingsInteger(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  const std::int64_t value =
      negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  if (magnitude > std::uint64_t{1} << 32 || value < std::numeric_limits<int>::min() ||
      value > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace sw
