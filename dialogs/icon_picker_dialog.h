#pragma once
// The icon picker's window ("Смена значка"): the project's icon library or another file with
// icons, all icons of the file shown as large pictures. PickIcon (icon_picker.h) runs it; the
// state it works on is the process-wide one of icon_picker_state.h.

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "platform/image_list.h"

namespace Ui {
class TPicIconDlgFm;
}

namespace sw::dialogs {

class TPicIconDlgFm : public QDialog {
  Q_OBJECT

 public:
  explicit TPicIconDlgFm(QWidget* owner);
  ~TPicIconDlgFm() override;

  // Shows the icons of `file` (1251), one item per icon captioned by its index. A missing file
  // gives false; a file without icons gives false after a warning, and the list stays as it was.
  bool LoadIconList(const std::string& file);

  // The start of a use: the current icon file in the edit and its icons in the list, the
  // library's radio button enabled when there is a library, and the given source checked.
  void startUse(bool library);
  // Selects icon `index` when the list has it; anything else selects nothing.
  void selectIcon(int index);
  bool libraryChosen() const;

 public slots:
  void IconLibFileRbClick();
  void BrowseBtClick();
  void IconPiclistSelectItem();
  void IconPiclistDblClick();
  void OkBtClick();
  void CancelBtClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillList(int count);
  void showIconsOf(const std::string& file);
  void updateFileControls();
  void warnNoIcons();

  std::unique_ptr<Ui::TPicIconDlgFm> ui_;
  ImageList TempImagelist{32, 32};
  // The file whose icons the list shows (none when it gave none); unset before the first load.
  std::optional<std::string> shownFile_;
};

}  // namespace sw::dialogs
