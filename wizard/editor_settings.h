#pragma once
// The editor's own settings file: the last project and the window's placement between runs. An
// INI file named after the executable with ".ini", beside it, or in the user's configuration
// folder when the program is installed (its folder cannot be written or is a bin folder).

#include <QRect>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_writer.h"

namespace sw {

struct EditorSettingsValues {
  std::string lastProject;  // 1251, as the project was opened or saved
  std::string lastRootDir;
  bool maximize = false;
  // Each missing or non-numeric value stays unset: the window keeps its own.
  std::optional<int> left, top, width, height;
};

class EditorSettings {
 public:
  // `hostPath`: the settings file's host path.
  explicit EditorSettings(std::string hostPath);

  // The settings file of the running program, as settingsPathFor chooses it.
  static std::string defaultPath();

  const std::string& path() const { return path_; }

  // Reads the file afresh; a missing or unreadable file gives the defaults.
  EditorSettingsValues read() const;
  // Writes the last project, then the placement unless maximized, then the maximize flag. A
  // file that cannot be written is left alone: the settings are a convenience, and the program
  // must still end.
  void write(const std::string& lastProject, const std::string& lastRootDir, bool maximized,
             const QRect& frame) const;

 private:
  bool holdsAlready(const std::vector<ProfileEntry>& entries) const;

  std::string path_;
};

// Where the settings file `fileName` of an executable in `executableDir` goes: beside it when
// `besideWritable` and the folder is not the bin folder of an installation (any folder named
// "bin", as /usr/bin, /usr/local/bin or ~/bin), otherwise in `configDir`.
QString settingsPathFor(const QString& executableDir, const QString& fileName, const QString& configDir,
                        bool besideWritable);

// An integer as the settings file stores it: optional blanks and sign, decimal digits or a hex
// number after "$" or "0x"; anything else, or a value beyond 32 bits, is no number.
std::optional<int> parseSettingsInteger(std::string_view text);

}  // namespace sw
