#include "dialogs/dialog_resources.h"

#include <QtGlobal>

// The resource initialiser lives in a static library; naming it keeps it linked in.
static void initDialogResources() { Q_INIT_RESOURCE(dialogs); }

namespace sw::dialogs {

void ensureDialogResources() {
  static const bool initialised = (initDialogResources(), true);
  (void)initialised;
}

}  // namespace sw::dialogs
