// main() of the widget test programs: an offscreen QApplication with the fake
// desktop seam installed, so no test can open a real dialog or touch the
// real clipboard.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/Fakes.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tintorb::testing::ScopedFakes fakes;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
