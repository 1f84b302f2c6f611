#include "dialogs/file_filter.h"

#include <QFileDialog>

namespace sw::dialogs {

QStringList qtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString& description = parts[i];
    QStringList patterns;
    if (i + 1 < parts.size()) {
      for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        patterns << pattern.trimmed();
      }
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    // Qt reads the patterns from the last parentheses; with HideNameFilterDetails it shows the
    // description without them, also when the description ends in parentheses of its own.
    filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters;
}

void applyFilter(QFileDialog& dialog, const QString& filter) {
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  const QStringList filters = qtNameFilters(filter);
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
}

}  // namespace sw::dialogs
