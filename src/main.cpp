// Tintorb: the colour picker for web pages and programs.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/ui/PickClient.h"
#include "app/ui/Program.h"

int main(int argc, char** argv) {
  // Answered before Qt starts, so they work without a display.
  if (const int status = tintorb::AnswerInfoOption(argc, argv, stdout); status >= 0) return status;
  if (const tintorb::TPickOption pick = tintorb::FindPickOption(argc, argv); pick.given) {
    if (!pick.error.empty()) {
      std::fprintf(stderr, "%s\n", pick.error.c_str());
      return 2;
    }
    return tintorb::RunPickClient(argc, argv, pick.form);
  }
  tintorb::TApplication app(argc, argv);
  return tintorb::RunTintorb(app);
}
