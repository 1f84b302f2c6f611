#include "widgets/edit_extended_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <span>
#include <string_view>

#include "model/runtime_variables.h"

namespace sw {
namespace {

// Qt's line edit folds an insertion into the typing next to it as one undo step; moving the caret
// away and back closes the step, as a click would, so that undo takes a menu change back alone.
void endUndoStep(QLineEdit& edit) {
  const int caret = edit.cursorPosition();
  if (caret > 0) {
    edit.setCursorPosition(caret - 1);
  } else if (!edit.text().isEmpty()) {
    edit.setCursorPosition(caret + 1);
  } else {
    return;
  }
  edit.setCursorPosition(caret);
}

void addVariables(QMenu& menu, std::span<const std::string_view> names) {
  for (std::string_view name : names) {
    const QString caption = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    QAction* item = menu.addAction(caption);
    // The name inserted is kept apart from the caption, which a style may decorate.
    item->setData(caption);
  }
}

void addHeading(QMenu& menu, const QString& caption) {
  menu.addAction(caption)->setEnabled(false);
  menu.addSeparator();
}

}  // namespace

EditExtendetMenu::EditExtendetMenu(QWidget* parent) : QMenu(parent) {
  setObjectName(QStringLiteral("EditExtendetMenu"));
  undo_ = addItem("UndoMi", QStringLiteral("Отменить"), &EditExtendetMenu::UndoMiClick);
  addSeparator();
  cut_ = addItem("CutMi", QStringLiteral("Вырезать"), &EditExtendetMenu::CutMiClick);
  copy_ = addItem("CopyMi", QStringLiteral("Копировать"), &EditExtendetMenu::CopyMiClick);
  insert_ = addItem("InsertMi", QStringLiteral("Вставить"), &EditExtendetMenu::InsertMiClick);
  delete_ = addItem("DeleteMi", QStringLiteral("Удалить"), &EditExtendetMenu::DeleteMiClick);
  addSeparator();
  selectAll_ = addItem("SelAllMi", QStringLiteral("Выделить все"), &EditExtendetMenu::SelAllMiClick);
  addSeparator();

  auto* variableMenu = new QMenu(QStringLiteral("Вставить переменную"), this);
  buildVariableMenu(*variableMenu);
  variables_ = addMenu(variableMenu);
  variables_->setObjectName(QStringLiteral("SysVarMi"));
  setDefaultAction(variables_);
  // Bold through the item's own font as well, so the menu is measured for the bold caption.
  QFont bold = font();
  bold.setBold(true);
  variables_->setFont(bold);

  connect(this, &QMenu::aboutToShow, this, &EditExtendetMenu::EditExtendetMenuPopup);
}

QAction* EditExtendetMenu::addItem(const char* name, const QString& caption,
                                   void (EditExtendetMenu::*click)()) {
  QAction* item = addAction(caption);
  item->setObjectName(QString::fromLatin1(name));
  connect(item, &QAction::triggered, this, click);
  return item;
}

void EditExtendetMenu::buildVariableMenu(QMenu& menu) {
  addHeading(menu, QStringLiteral("Внутренние переменные:"));
  addVariables(menu, InternalVariableNames);
  addHeading(menu, QStringLiteral("Системные переменные:"));
  addVariables(menu, SystemVariableNames);
  connect(&menu, &QMenu::triggered, this, &EditExtendetMenu::SysVarMiClick);
}

void EditExtendetMenu::attach(QLineEdit* edit) {
  if (edit == nullptr) return;
  edit->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(edit, &QWidget::customContextMenuRequested, this, &EditExtendetMenu::openOnSender,
          Qt::UniqueConnection);
}

QLineEdit* EditExtendetMenu::target() const { return target_; }

void EditExtendetMenu::prepareFor(QLineEdit* edit) {
  target_ = edit;
  EditExtendetMenuPopup();
}

void EditExtendetMenu::openOnSender(const QPoint& position) {
  auto* edit = qobject_cast<QLineEdit*>(sender());
  if (edit == nullptr) return;
  target_ = edit;
  popup(edit->mapToGlobal(position));
}

QLineEdit* EditExtendetMenu::editableTarget() const {
  return target_ != nullptr && !target_->isReadOnly() ? target_.data() : nullptr;
}

void EditExtendetMenu::EditExtendetMenuPopup() {
  if (target_ == nullptr) return;
  const bool editable = !target_->isReadOnly();
  const bool selection = !target_->selectedText().isEmpty();
  undo_->setEnabled(editable && target_->isUndoAvailable());
  cut_->setEnabled(editable && selection);
  copy_->setEnabled(selection);
  insert_->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
  delete_->setEnabled(editable && selection);
  selectAll_->setEnabled(target_->text() != target_->selectedText());
  variables_->setEnabled(editable);
}

void EditExtendetMenu::UndoMiClick() {
  if (QLineEdit* edit = editableTarget()) edit->undo();
}

void EditExtendetMenu::CutMiClick() {
  QLineEdit* edit = editableTarget();
  if (edit == nullptr || !edit->hasSelectedText()) return;
  edit->cut();
  endUndoStep(*edit);
}

void EditExtendetMenu::CopyMiClick() {
  if (target_ != nullptr) target_->copy();
}

void EditExtendetMenu::InsertMiClick() {
  if (QLineEdit* edit = editableTarget()) edit->paste();
}

void EditExtendetMenu::DeleteMiClick() {
  QLineEdit* edit = editableTarget();
  // Without a selection Qt's delete would take the character after the caret.
  if (edit == nullptr || !edit->hasSelectedText()) return;
  edit->del();
  endUndoStep(*edit);
}

void EditExtendetMenu::SelAllMiClick() {
  if (target_ != nullptr) target_->selectAll();
}

void EditExtendetMenu::SysVarMiClick(QAction* item) {
  QLineEdit* edit = editableTarget();
  // Only variable items carry a name; the headings carry none.
  if (edit == nullptr || item == nullptr || item->parent() != variables_->menu() || !item->data().isValid())
    return;
  if (!edit->hasSelectedText()) endUndoStep(*edit);
  edit->insert(item->data().toString());
  endUndoStep(*edit);
}

}  // namespace sw
