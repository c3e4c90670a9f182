// The command-line program's tests run the program with QProcess and paint
// PDF files with the page painter: both want an application object, a GUI
// one for the fonts (offscreen: no screen needed).

#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
