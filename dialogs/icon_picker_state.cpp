#include "dialogs/icon_picker_state.h"

#include <algorithm>

#include "platform/text.h"

namespace sw::dialogs {
namespace {

// A path as compared: '/' for both separators, letters folded (Windows names ignore case).
std::string comparable(std::string_view path) {
  std::string result = text::lowerCase(path);
  std::replace(result.begin(), result.end(), '\\', '/');
  return result;
}

}  // namespace

IconPickerState& iconPickerState() {
  static IconPickerState state;
  return state;
}

bool sameIconFile(std::string_view a, std::string_view b) { return comparable(a) == comparable(b); }

bool isLibraryPath(std::string_view file) { return sameIconFile(file, iconPickerState().libraryPath); }

}  // namespace sw::dialogs
