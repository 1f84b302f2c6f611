#pragma once
// The mouse press that activates the window: a press over a section, or over a control inside it,
// that brings the window to the front also brings that section into view
// (SectionScrollArea::GroupBoxMouseActivate), and the activation proceeds as usual.
//
// Window systems usually report the activation just before the press that caused it, so a press
// counts as activating when its window is not active, or when it is the first press since the
// window became active and comes at most kActivatingPressMs after that.

namespace sw {

inline constexpr int kActivatingPressMs = 250;

// Starts watching the application's mouse presses; once per application, however often called.
void watchActivatingPresses();

}  // namespace sw
