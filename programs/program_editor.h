#pragma once
// What the programs page needs of the panel that edits one program: show a program, copy the
// panel back into it, and scroll the panel to its first section. The panel implements it; the
// page and its tree know only this.

namespace sw {

struct TInstallItem;

class ProgramEditor {
 public:
  virtual ~ProgramEditor() = default;
  // Fills the panel from `program`; none does nothing (the page hides the panel then).
  virtual void ShowProgram(TInstallItem* program) = 0;
  // Copies the panel into `program`; none does nothing.
  virtual void StoreProgram(TInstallItem* program) = 0;
  // Brings the panel's first section (" Общие свойства ") into view.
  virtual void scrollToGeneral() = 0;
};

}  // namespace sw
