// tintorb-cli from: a colour given in one of the models, as RGB hex.
#include <cstdio>

#include "cli/Args.h"

namespace tintorb::cli {
namespace {

struct TComponent {
  const char* name;
  int lo, hi;
};

int Run(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("expected MODEL and its values");
  const std::string& model = args[0];
  const std::vector<std::string> v(args.begin() + 1, args.end());
  auto read = [&](std::initializer_list<TComponent> parts) {
    if (v.size() != parts.size())
      throw UsageError(model + " takes " + std::to_string(parts.size()) + " values, got " +
                       std::to_string(v.size()));
    std::vector<int> out;
    size_t i = 0;
    for (const TComponent& p : parts) out.push_back(ParseIntArg(v[i++], p.name, p.lo, p.hi));
    return out;
  };
  TColor c;
  if (model == "rgb") {
    const auto x = read({{"R", 0, 255}, {"G", 0, 255}, {"B", 0, 255}});
    c = RGB(x[0], x[1], x[2]);
  } else if (model == "hsv") {
    const auto x = read({{"H", 0, 359}, {"S", 0, 255}, {"V", 0, 255}});
    c = HSVToColor(MakeHSV(uint16_t(x[0]), uint8_t(x[1]), uint8_t(x[2])));
  } else if (model == "hls") {
    const auto x = read({{"H", 0, 359}, {"L", 0, 255}, {"S", 0, 255}});
    c = HLSToColor(MakeHLS(uint16_t(x[0]), uint8_t(x[1]), uint8_t(x[2])));
  } else if (model == "yuv") {
    const auto x = read({{"Y", 0, 255}, {"U", -128, 127}, {"V", -128, 127}});
    c = YUVToColor(MakeYUV(uint8_t(x[0]), int8_t(x[1]), int8_t(x[2])));
  } else if (model == "cmyk") {
    const auto x = read({{"C", 0, 255}, {"M", 0, 255}, {"Y", 0, 255}, {"K", 0, 255}});
    c = CMYKToColor(MakeCMYK(uint8_t(x[0]), uint8_t(x[1]), uint8_t(x[2]), uint8_t(x[3])));
  } else {
    throw UsageError("unknown model '" + model + "' (rgb, hsv, hls, yuv or cmyk)");
  }
  std::printf("%s\n", ColorToHex(c).c_str());
  return 0;
}

const Register reg({
    "from",
    "from MODEL V1 V2 V3 [V4]",
    "Converts a colour given in MODEL to RGB and prints it as RRGGBB, with the\n"
    "program's own arithmetic (the sheets show the same numbers).\n"
    "Models:\n"
    "  rgb R G B        each 0..255\n"
    "  hsv H S V        H 0..359, S and V 0..255\n"
    "  hls H L S        H 0..359, L and S 0..255\n"
    "  yuv Y U V        Y 0..255, U and V -128..127\n"
    "  cmyk C M Y K     each 0..255\n"
    "Values are decimal integers. A value out of range, or too few or too many\n"
    "values, is an error (exit status 2).\n",
    Run,
});

}  // namespace
}  // namespace tintorb::cli
