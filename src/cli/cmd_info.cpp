// tintorb-cli info: one colour in every model the program shows.
#include <cstdio>

#include "cli/Args.h"

namespace tintorb::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() != 1) throw UsageError("expected one COLOR");
  const TColor c = ParseColorArg(args[0]);
  const TRGBRec rgb = ColorToRGBRec(c);
  const THSV hsv = ColorToHSV(c);
  const THLS hls = ColorToHLS(c);
  const TYUV yuv = ColorToYUV(c);
  const TCMYK cmyk = ColorToCMYK(c);
  std::printf("hex %s\n", ColorToHex(c).c_str());
  std::printf("rgb %d %d %d\n", rgb.R, rgb.G, rgb.B);
  std::printf("hsv %d %d %d\n", hsv.H, hsv.S, hsv.V);
  std::printf("hls %d %d %d\n", hls.H, hls.L, hls.S);
  std::printf("yuv %d %d %d\n", yuv.Y, yuv.U, yuv.V);
  std::printf("cmyk %d %d %d %d\n", cmyk.C, cmyk.M, cmyk.Y, cmyk.K);
  std::printf("websafe %s\n", ColorToHex(WebSafeColor(c)).c_str());
  std::printf("invert %s\n", ColorToHex(InvertColor(c)).c_str());
  std::printf("contrast %s\n", ColorToHex(ContrastTextColor(c)).c_str());
  return 0;
}

const Register reg({
    "info",
    "info COLOR",
    "Prints COLOR in every colour model, one per line:\n"
    "  hex RRGGBB\n"
    "  rgb R G B\n"
    "  hsv H S V\n"
    "  hls H L S\n"
    "  yuv Y U V\n"
    "  cmyk C M Y K\n"
    "  websafe RRGGBB   (nearest web-safe colour)\n"
    "  invert RRGGBB    (255 minus each component)\n"
    "  contrast RRGGBB  (FFFFFF or 000000: the readable text colour on COLOR)\n"
    "COLOR is six hex digits, red first, optionally after '#', read as a pasted\n"
    "text is read (anything after the six digits is ignored).\n",
    Run,
});

}  // namespace
}  // namespace tintorb::cli
