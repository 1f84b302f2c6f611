#pragma once
// Qt's file dialog sizes its detail columns and its side bar for short English texts; these
// keep the Russian sizes, types, dates and place names whole.

class QFileDialog;

namespace sw::dialogs {

// From now on the detail columns fit each listed folder and the side bar its names when shown.
void fitFileLists(QFileDialog& dialog);

}  // namespace sw::dialogs
