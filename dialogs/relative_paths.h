#pragma once
// Where a pick routine opens its dialog and how it writes the chosen path: the base folder of a
// value (its own folder, the item's folder, or the project root), and a path made relative to a
// folder the way the runtime resolves it. Text is 1251; both '\' and '/' separate folders, so
// that Windows paths of the project and host paths of this machine meet.

#include <string>
#include <string_view>

namespace sw {

// The folder a file dialog opens in, with a trailing separator and variables expanded, and
// whether the value was relative (the dialog's relative checkbox starts so).
struct PickBase {
  std::string folder;
  bool relative = true;
};

// An absolute value: its own folder. Otherwise the item folder when that is absolute, else the
// root folder followed by the item folder when there is one.
PickBase PickBaseFolder(std::string_view rootFolder, std::string_view itemFolder, std::string_view value);

// `destination` relative to the folder `base` (which ends with a separator): "..\" for each
// folder of the base not shared, then the destination's own folders and its name, written with
// '\'. Folder names compare without regard to letter case; a destination on another drive
// comes back unchanged.
std::string RelativeToFolder(std::string_view base, std::string_view destination);

// The text before the last separator of a path; a root ("D:\", "/", "\\") keeps its separator.
std::string FolderPart(std::string_view path);

}  // namespace sw
