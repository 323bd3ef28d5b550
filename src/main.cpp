// Tintorb: the colour picker for web pages and programs.
#include "app/ui/Program.h"

int main(int argc, char** argv) {
  tintorb::TApplication app(argc, argv);
  return tintorb::RunTintorb(app);
}
