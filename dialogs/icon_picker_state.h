#pragma once
// What the icon picker remembers between its uses, for the whole process: the icon file it
// shows, the icon chosen in it and the project's icon library. All text is 1251.

#include <string>
#include <string_view>

namespace sw::dialogs {

struct IconPickerState {
  std::string currentIconFile;
  int selectedIconIndex = -1;
  // Empty when the project's icon library does not exist.
  std::string libraryPath;
};

IconPickerState& iconPickerState();

// Whether two paths name the same file as Windows sees it: separators of either kind, letter
// case ignored. Two empty paths are the same.
bool sameIconFile(std::string_view a, std::string_view b);
// Whether `file` is the library path (also when both are empty).
bool isLibraryPath(std::string_view file);

}  // namespace sw::dialogs
