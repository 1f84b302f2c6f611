#pragma once
// Finding a window's controls by their object names, as the widget tests drive them.

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

namespace sw::testing {

// The child of `parent` named `name`; a test failure (and null) when there is none.
template <typename Widget>
Widget* child(const QWidget& parent, const char* name) {
  auto* found = parent.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

}  // namespace sw::testing
