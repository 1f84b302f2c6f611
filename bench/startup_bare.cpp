// The yardstick of startup_editor: a bare Qt Widgets program that shows one empty window, draws
// it once and ends.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(646, 613);
  window.show();
  QCoreApplication::processEvents();
  return window.grab().isNull() ? 1 : 0;
}
