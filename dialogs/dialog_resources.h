#pragma once
// The pictures compiled into the dialogs (the preview button's glyph).

namespace sw::dialogs {

// Registers the dialogs' resources; safe to call any number of times.
void ensureDialogResources();

}  // namespace sw::dialogs
