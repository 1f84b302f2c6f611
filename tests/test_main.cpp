#include <gtest/gtest.h>
#include <QGuiApplication>

// Pictures and fonts need a GUI application object; tests never need a display.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
