#include "wizard/user_env_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <utility>

#include "dialogs/dialog_runner.h"
#include "platform/text.h"

namespace sw {
namespace {

// On a name cell: whether the line had "=" (a line without one is written back without it).
constexpr int kHasEqualsRole = Qt::UserRole;
// On a name cell: the row waits for input and is no line yet.
constexpr int kPendingRole = Qt::UserRole + 1;

// Sets a flag for as long as it lives, and puts back what the flag was.
class Guard {
 public:
  explicit Guard(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~Guard() { flag_ = before_; }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

 private:
  bool& flag_;
  bool before_;
};

}  // namespace

// Commits a name cell only when the grid accepts the name; a refused name leaves the cell as it
// was, and the grid tells why once the editor has closed.
class EnvNameDelegate : public QStyledItemDelegate {
 public:
  explicit EnvNameDelegate(UserEnvGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    if (const auto* edit = qobject_cast<QLineEdit*>(editor)) {
      const QString refusal = grid_->refusalFor(index.row(), edit->text());
      if (!refusal.isEmpty()) {
        grid_->refuse(refusal);
        return;
      }
    }
    QStyledItemDelegate::setModelData(editor, model, index);
  }

 private:
  UserEnvGrid* grid_;
};

UserEnvGrid::UserEnvGrid(QWidget* parent) : QTableWidget(parent) {
  setColumnCount(2);
  setHorizontalHeaderLabels({QStringLiteral("Имя переменной"), QStringLiteral("Значение переменной")});
  verticalHeader()->hide();
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  setColumnWidth(0, 166);
  setColumnWidth(1, 304);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setWordWrap(false);
  // Rows as high as an edit, not the roomier default of item views.
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  setItemDelegateForColumn(0, new EnvNameDelegate(this));
  connect(this, &QTableWidget::itemChanged, this, &UserEnvGrid::cellChanged);
  setLines({});
}

std::vector<std::string> UserEnvGrid::lines() const {
  std::vector<std::string> result;
  for (int row = 0; row < rowCount(); ++row) {
    if (isPending(row)) continue;
    std::string line = text::fromQString(item(row, 0)->text());
    const std::string value = text::fromQString(item(row, 1)->text());
    if (item(row, 0)->data(kHasEqualsRole).toBool() || !value.empty()) line += "=" + value;
    result.push_back(std::move(line));
  }
  return result;
}

void UserEnvGrid::setLines(const std::vector<std::string>& lines) {
  {
    const Guard filling(filling_);
    setRowCount(0);
    setRowCount(std::max<int>(1, static_cast<int>(lines.size())));
    if (lines.empty()) setRow(0, {}, {}, false, true);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      const std::size_t equals = line.find('=');
      const bool hasEquals = equals != std::string::npos;
      const std::string_view whole(line);
      setRow(static_cast<int>(i), text::toQString(whole.substr(0, equals)),
             hasEquals ? text::toQString(whole.substr(equals + 1)) : QString(), hasEquals, false);
    }
    setCurrentCell(0, 0);
  }
  emit linesChanged();
}

int UserEnvGrid::lineCount() const {
  int count = 0;
  for (int row = 0; row < rowCount(); ++row) count += isPending(row) ? 0 : 1;
  return count;
}

void UserEnvGrid::addLine(const QString& name, const QString& value) {
  int row = rowCount();
  for (int candidate = 0; candidate < rowCount(); ++candidate) {
    if (isPending(candidate)) row = candidate;
  }
  {
    const Guard filling(filling_);
    if (row == rowCount()) insertRow(row);
    setRow(row, name, value, true, false);
  }
  setCurrentCell(row, 0);
  emit linesChanged();
}

void UserEnvGrid::deleteCurrentRow() {
  const int row = currentRow();
  if (row < 0) return;
  const bool wasLine = !isPending(row);
  if (rowCount() == 1) {
    // An empty list keeps its one empty row.
    if (!wasLine) return;
    const Guard filling(filling_);
    setRow(0, {}, {}, false, true);
  } else {
    const int column = std::max(currentColumn(), 0);
    const Guard filling(filling_);
    removeRow(row);
    setCurrentCell(std::min(row, rowCount() - 1), column);
  }
  if (wasLine) emit linesChanged();
}

QString UserEnvGrid::refusalFor(int row, const QString& name) const {
  if (row < 0 || row >= rowCount() || name == item(row, 0)->text()) return {};
  const std::string wanted = text::fromQString(name);
  for (int other = 0; other < rowCount(); ++other) {
    // Variable names ignore letter case, so these would be one variable.
    if (other != row && !isPending(other) &&
        text::equalsNoCase(text::fromQString(item(other, 0)->text()), wanted))
      return QStringLiteral("A key with the name of \"%1\" already exists").arg(name);
  }
  if (name.contains(u'=')) return QStringLiteral("Key may not contain equals sign (\"=\")");
  return {};
}

QSize UserEnvGrid::sizeHint() const {
  const int frame = 2 * frameWidth();
  const int width = columnWidth(0) + columnWidth(1) + frame + verticalScrollBar()->sizeHint().width();
  const int height =
      horizontalHeader()->sizeHint().height() + 5 * verticalHeader()->defaultSectionSize() + frame;
  return {width, height};
}

void UserEnvGrid::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const int column = std::max(currentColumn(), 0);
  const int last = rowCount() - 1;
  if (event->key() == Qt::Key_Down && modifiers == Qt::NoModifier && currentRow() == last &&
      !isPending(last)) {
    setCurrentCell(appendPendingRow(), column);
    return;
  }
  if (event->key() == Qt::Key_Insert && modifiers == Qt::NoModifier) {
    setCurrentCell(isPending(last) ? last : appendPendingRow(), column);
    return;
  }
  if (event->key() == Qt::Key_Delete && modifiers == Qt::ControlModifier) {
    deleteCurrentRow();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void UserEnvGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableWidget::closeEditor(editor, hint);
  // Told only now: a message box opened while the editor still had focus would commit it again.
  if (!refusal_.isEmpty()) {
    const QString message = std::exchange(refusal_, QString());
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Редактор кофигурации"), message, QMessageBox::Ok,
                    window());
    box.setWindowModality(Qt::ApplicationModal);
    dialogs::runDialog(box);
  }
}

void UserEnvGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableWidget::currentChanged(current, previous);
  if (filling_ || !current.isValid() || !previous.isValid() || current.row() == previous.row()) return;
  // A row appended for input and left empty goes again.
  if (isPending(previous.row()) && rowCount() > 1) {
    const Guard filling(filling_);
    removeRow(previous.row());
  }
}

bool UserEnvGrid::isPending(int row) const {
  const QTableWidgetItem* name = item(row, 0);
  return name != nullptr && name->data(kPendingRole).toBool();
}

void UserEnvGrid::setRow(int row, const QString& name, const QString& value, bool hasEquals, bool pending) {
  const Guard filling(filling_);
  auto* nameItem = new QTableWidgetItem(name);
  nameItem->setData(kHasEqualsRole, hasEquals);
  nameItem->setData(kPendingRole, pending);
  setItem(row, 0, nameItem);
  setItem(row, 1, new QTableWidgetItem(value));
}

int UserEnvGrid::appendPendingRow() {
  const Guard filling(filling_);
  const int row = rowCount();
  insertRow(row);
  setRow(row, {}, {}, false, true);
  return row;
}

void UserEnvGrid::cellChanged(QTableWidgetItem* changed) {
  if (filling_) return;
  const int row = changed->row();
  if (isPending(row)) {
    if (item(row, 0)->text().isEmpty() && item(row, 1)->text().isEmpty()) return;
    // Something typed into the waiting row makes it a line.
    const Guard filling(filling_);
    item(row, 0)->setData(kPendingRole, false);
    item(row, 0)->setData(kHasEqualsRole, true);
  }
  emit linesChanged();
}

void UserEnvGrid::refuse(const QString& message) { refusal_ = message; }

}  // namespace sw
