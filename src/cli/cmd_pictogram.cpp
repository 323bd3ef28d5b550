// tintorb-cli pictogram: the PNG picture the pictogram sheet saves for a glyph.
#include <charconv>

#include "cli/Cli.h"
#include "collections/Pictogram.h"

namespace tintorb::cli {
namespace {

int ParseInt(const std::string& text, const std::string& what, int lo, int hi) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || v < lo || v > hi)
    throw UsageError(what + " '" + text + "' is not a number from " + std::to_string(lo) + " to " +
                     std::to_string(hi));
  return v;
}

TColor ParseColor(const std::string& text, const std::string& what) {
  TColor c = 0;
  // Exactly six hex digits, with or without "#": longer text is a typo, not a colour.
  const size_t digits = text.size() - (!text.empty() && text[0] == '#' ? 1 : 0);
  if (digits != 6 || !TryHexToColor(text, c))
    throw UsageError(what + " '" + text + "' is not a colour (RRGGBB or #RRGGBB)");
  return c;
}

int Run(const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  int mode = -1;
  TColor fore = clBlack, back = clWhite;
  bool foreGiven = false, backGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--mode" || a == "--fore" || a == "--back") {
      if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
      const std::string& v = args[++i];
      if (a == "--mode") {
        mode = ParseInt(v, "mode", 0, 2);
      } else if (a == "--fore") {
        fore = ParseColor(v, "--fore");
        foreGiven = true;
      } else {
        back = ParseColor(v, "--back");
        backGiven = true;
      }
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      throw UsageError("unknown option '" + a + "'");
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) throw UsageError("expected INDEX and OUT.png");
  if (mode < 0) throw UsageError("--mode is required");
  if ((foreGiven || backGiven) && mode != ecSelected)
    throw UsageError("--fore and --back apply to --mode 2 only");
  const int index = ParseInt(positional[0], "INDEX", 0, kPictogramCount - 1);
  MakePictogramPNG(index, mode, fore, back).SaveToFile(positional[1]);
  return 0;
}

const Register reg({
    "pictogram",
    "pictogram INDEX --mode 0|1|2 [--fore COLOR] [--back COLOR] OUT.png",
    "Saves pictogram INDEX (0-251, the row of the pictogram sheet) as the PNG\n"
    "picture the sheet's save command writes:\n"
    "  --mode 0  the glyph in its standard colour on white, 8-bit indexed,\n"
    "            white transparent;\n"
    "  --mode 1  black on white, 1-bit, white transparent;\n"
    "  --mode 2  --fore on --back (default 000000 on FFFFFF), 24-bit RGB.\n"
    "COLOR is RRGGBB or #RRGGBB. OUT.png is replaced only once it is complete.\n",
    Run,
});

}  // namespace
}  // namespace tintorb::cli
