#pragma once
// How the routines of the choosers run their modal dialogs: through one seam, so that a test
// can drive the real dialog (fill it, press its buttons) instead of waiting for a person. The
// shipped runner is QDialog::exec().

#include <functional>

class QDialog;

namespace sw::dialogs {

// Runs a dialog modally and returns its result (QDialog::Accepted or Rejected).
using DialogRunner = std::function<int(QDialog&)>;

int runDialog(QDialog& dialog);

// Replaces the runner while it lives (tests); the one before comes back when it goes.
class ScopedDialogRunner {
 public:
  explicit ScopedDialogRunner(DialogRunner runner);
  ~ScopedDialogRunner();
  ScopedDialogRunner(const ScopedDialogRunner&) = delete;
  ScopedDialogRunner& operator=(const ScopedDialogRunner&) = delete;

 private:
  DialogRunner previous_;
};

}  // namespace sw::dialogs
