#pragma once
// The grid of the project's user environment variables: one row per "NAME=value" line, names
// and values edited in place. A list without lines still shows one empty row, and a row the
// keyboard appends stays out of the lines until something is typed into it. Names are unique
// and hold no "=": a name cell that breaks this is refused with a message and keeps its text.

#include <QTableWidget>
#include <string>
#include <vector>

namespace sw {

class UserEnvGrid : public QTableWidget {
  Q_OBJECT

 public:
  explicit UserEnvGrid(QWidget* parent = nullptr);

  // The lines in 1251. A line without "=" is a name with an empty value and comes back as it
  // went in; a line with several is split at the first.
  std::vector<std::string> lines() const;
  void setLines(const std::vector<std::string>& lines);
  int lineCount() const;

  // Fills the empty row that waits for input, if there is one, else appends a row; the cursor
  // goes to it. No check of the name is made.
  void addLine(const QString& name, const QString& value);
  // Deletes the row under the cursor; the cursor stays on the same row number, or moves up
  // when the last row went.
  void deleteCurrentRow();

  // Why the name cell of `row` may not become `name`; empty when it may.
  QString refusalFor(int row, const QString& name) const;

  QSize sizeHint() const override;

 signals:
  void linesChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  friend class EnvNameDelegate;

  bool isPending(int row) const;
  void setRow(int row, const QString& name, const QString& value, bool hasEquals, bool pending);
  int appendPendingRow();
  void cellChanged(QTableWidgetItem* item);
  void refuse(const QString& message);

  bool filling_ = false;
  QString refusal_;
};

}  // namespace sw
