#pragma once
// The context menu shared by every edit that holds a path or a command: the usual clipboard
// commands and a submenu that inserts the name of a runtime variable at the caret. One menu
// serves all its edits and acts on the one it was opened on; other edits keep Qt's own menu.

#include <QMenu>
#include <QPointer>

class QAction;
class QLineEdit;

namespace sw {

class EditExtendetMenu : public QMenu {
  Q_OBJECT

 public:
  explicit EditExtendetMenu(QWidget* parent = nullptr);

  // Makes a right click (or the menu key) on `edit` open this menu in place of Qt's standard one.
  // Registering an edit twice changes nothing.
  void attach(QLineEdit* edit);

  // The edit the menu was last opened on; null before the first opening and once it is gone.
  QLineEdit* target() const;
  // What opening the menu on `edit` does before it is shown: the target set and the items enabled
  // for it. Lets the items be driven without showing the menu.
  void prepareFor(QLineEdit* edit);

 public slots:
  void EditExtendetMenuPopup();
  void UndoMiClick();
  void CutMiClick();
  void CopyMiClick();
  void InsertMiClick();
  void DeleteMiClick();
  void SelAllMiClick();
  // Inserts the variable of `item`, one of the submenu's variable items.
  void SysVarMiClick(QAction* item);

 private slots:
  void openOnSender(const QPoint& position);

 private:
  QAction* addItem(const char* name, const QString& caption, void (EditExtendetMenu::*click)());
  void buildVariableMenu(QMenu& menu);
  // The target when it may be changed by the menu; read-only edits are left as they are.
  QLineEdit* editableTarget() const;

  QPointer<QLineEdit> target_;
  QAction* undo_ = nullptr;
  QAction* cut_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* insert_ = nullptr;
  QAction* delete_ = nullptr;
  QAction* selectAll_ = nullptr;
  QAction* variables_ = nullptr;
};

}  // namespace sw
