#pragma once
// The text of a multi-line edit for the model. QPlainTextEdit::toPlainText() turns a no-break
// space (byte 0xA0 of code page 1251) into a blank, so a description shown and stored again
// would change; this reading keeps it, and gives each line break as CR LF, as a Windows memo
// hands its text over.

#include <QString>

class QPlainTextEdit;

namespace sw {

QString memoText(const QPlainTextEdit& memo);

}  // namespace sw
