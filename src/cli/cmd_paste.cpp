// tintorb-cli paste: the colour that pasting a text would set.
#include <cstdio>

#include "cli/Cli.h"
#include "core/ColorText.h"

namespace tintorb::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() != 1) throw UsageError("expected one TEXT (quote it)");
  TColor c = 0;
  if (!AcceptPastedText(args[0], c)) return 1;
  std::printf("%s\n", ColorToHex(c).c_str());
  return 0;
}

const Register reg({
    "paste",
    "paste TEXT",
    "Prints the six hex digits that pasting TEXT sets as the current colour\n"
    "(plain hex, or any CSS colour text); exit status 1 and no output when the\n"
    "text is not accepted.\n",
    Run,
});

}  // namespace
}  // namespace tintorb::cli
