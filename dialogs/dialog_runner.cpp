#include "dialogs/dialog_runner.h"

#include <QDialog>
#include <utility>

namespace sw::dialogs {
namespace {

DialogRunner& currentRunner() {
  static DialogRunner runner;
  return runner;
}

}  // namespace

int runDialog(QDialog& dialog) {
  if (const DialogRunner& runner = currentRunner()) return runner(dialog);
  return dialog.exec();
}

ScopedDialogRunner::ScopedDialogRunner(DialogRunner runner) : previous_(std::move(currentRunner())) {
  currentRunner() = std::move(runner);
}

ScopedDialogRunner::~ScopedDialogRunner() { currentRunner() = std::move(previous_); }

}  // namespace sw::dialogs
