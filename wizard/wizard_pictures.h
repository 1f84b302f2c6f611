#pragma once
// The window's own pictures: the banner above the pages and the side pictures of the first and
// last pages, JPEG files compiled in and decoded with libjpeg when the window is made.

class QLabel;

namespace sw {

void setWizardPictures(QLabel& banner, QLabel& startSide, QLabel& summarySide);

}  // namespace sw
