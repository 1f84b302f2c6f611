#pragma once
// The editor speaks Russian: Qt's own texts (the standard parts of the file dialogs, the
// buttons of message boxes) are shown in Russian too, from Qt's translations where installed.

class QCoreApplication;

namespace sw {

// Installs Qt's Russian translations into the application; false when they are not installed
// (Qt's English texts stay).
bool installQtTranslations(QCoreApplication& application);

}  // namespace sw
