// main() of the widget test programs: the program's own application object
// (with its top-level error handler), offscreen, with the fake desktop seam
// installed, so no test can open a real dialog or touch the real clipboard.
#include <gtest/gtest.h>

#include "app/ui/Program.h"

#include "support/Fakes.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  tintorb::TApplication app(argc, argv);
  tintorb::testing::ScopedFakes fakes;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
