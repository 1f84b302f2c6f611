#pragma once
// The window's own pictures: the banner above the pages and the side pictures of the first and
// last pages, JPEG files compiled in and decoded with libjpeg when first shown.

class QLabel;

namespace sw {

enum class WizardPicture { Banner, StartSide, SummarySide };

// Puts the picture into `label`; below a side picture the label shows the picture's last colour.
void showWizardPicture(QLabel& label, WizardPicture picture);

}  // namespace sw
