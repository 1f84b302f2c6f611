#pragma once
// The filters of the editor's open dialogs are written as "Description|*.a;*.b|...". Qt's file
// dialog wants "Description (*.a *.b)": this turns the one into the other, shows each
// description exactly as written, and matches the patterns without regard to letter case, as
// the runtime's system does (SETUP.EXE matches *.exe).

#include <QString>
#include <QStringList>

class QFileDialog;

namespace sw::dialogs {

// One Qt name filter per description; a description without patterns gets "*".
QStringList qtNameFilters(const QString& filter);

// Sets the dialog's filters from `filter`, selects the first, hides the pattern lists Qt would
// show after each description, and makes the patterns match in any letter case.
void applyFilter(QFileDialog& dialog, const QString& filter);

}  // namespace sw::dialogs
