#pragma once
// The routines behind the "..." buttons: each opens the right dialog in the right folder,
// offers a relative result and hands back the new text of the field. Values are 1251 text as
// the fields hold them (variables unexpanded, commands with their parameters); they change only
// when the user confirms, and the routine then returns true.

#include <QString>
#include <string>

class QWidget;

namespace sw {

// A program's command: the file with its parameters, which the dialog shows for editing.
bool PickProgramCommand(QWidget* owner, const std::string& rootFolder, const std::string& itemFolder,
                        std::string& value);
// A registry file.
bool PickRegFile(QWidget* owner, const std::string& rootFolder, const std::string& itemFolder,
                 std::string& value);
// Any file with the caller's filter ("Description|*.a;*.b|...") and title; with
// `showParameters` the parameters are edited too and kept, otherwise dropped.
bool PickFile(QWidget* owner, const std::string& rootFolder, const std::string& itemFolder,
              std::string& value, const QString& filter, const QString& title, bool showParameters);

// A picture (a screenshot, a button's picture), with a preview in the dialog.
bool PickPictureFile(QWidget* owner, const std::string& rootFolder, const std::string& itemFolder,
                     std::string& value);

// A folder, in the folder browser: `title` above the tree, the tree rooted at `browseRoot` when
// it is given and exists, `path` preselected (cleared first when it names no folder). On OK
// `path` becomes the chosen folder (absolute) and `relative` the checkbox's state; with
// `allowRelative` false the checkbox is disabled and `relative` comes back as it went in.
bool BrowseFolder(QWidget* owner, const QString& title, const std::string& browseRoot, std::string& path,
                  bool& relative, bool allowRelative);

}  // namespace sw
