#include "widgets/memo_text.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace sw {

QString memoText(const QPlainTextEdit& memo) {
  const QString raw = memo.document()->toRawText();
  QString text;
  text.reserve(raw.size());
  for (const QChar c : raw) {
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
      text += QStringLiteral("\r\n");
    else
      text += c;
  }
  return text;
}

}  // namespace sw
