// Tintorb: the colour picker for web pages and programs.
#include "app/CommandLine.h"
#include "app/ui/Program.h"

int main(int argc, char** argv) {
  // Answered before Qt starts, so they work without a display.
  if (const int status = tintorb::AnswerInfoOption(argc, argv, stdout); status >= 0) return status;
  tintorb::TApplication app(argc, argv);
  return tintorb::RunTintorb(app);
}
