// tintorb-cli contrast: WCAG 2 ratio and levels, and APCA Lc, of text on a background.
#include <cstdio>

#include "cli/Args.h"
#include "core/Contrast.h"
#include "core/CssColor.h"

namespace tintorb::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() != 2) throw UsageError("expected FORE and BACK");
  const TColor fore = ParseColorArg(args[0]), back = ParseColorArg(args[1]);
  const double ratio = ContrastRatio(fore, back);
  const TWcagLevels l = WcagLevels(ratio);
  auto line = [](const char* name, bool pass) {
    std::printf("%s %s\n", name, pass ? "pass" : "fail");
  };
  std::printf("ratio %s\n", FormatCssNumber(ratio, 2).c_str());
  std::printf("apca %s\n", FormatFixed(ApcaContrast(fore, back), 1).c_str());
  line("aa", l.aa);
  line("aa-large", l.aaLarge);
  line("aaa", l.aaa);
  line("aaa-large", l.aaaLarge);
  return 0;
}

const Register reg({
    "contrast",
    "contrast FORE BACK",
    "Prints the WCAG 2 contrast ratio of text FORE on background BACK ('ratio R'),\n"
    "its APCA lightness contrast ('apca Lc'), then 'aa', 'aa-large', 'aaa' and\n"
    "'aaa-large', each 'pass' or 'fail'.\n",
    Run,
});

}  // namespace
}  // namespace tintorb::cli
