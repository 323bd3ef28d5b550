// tintorb-cli cvd / cvd-check: colour-vision simulation of colours, and the
// pairs of a favourites group that become hard to tell apart.
#include <cstdio>

#include "cli/Args.h"
#include "collections/Favorites.h"
#include "core/ColorVision.h"
#include "core/CssColor.h"

namespace tintorb::cli {
namespace {

// Splits "--severity S" off the arguments; 100 when absent.
int TakeSeverity(std::vector<std::string>& args) {
  int severity = 100;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--severity") continue;
    if (i + 1 >= args.size()) throw UsageError("--severity needs a value");
    severity = ParseIntArg(args[i + 1], "severity", 0, 100);
    args.erase(args.begin() + long(i), args.begin() + long(i) + 2);
    --i;
  }
  return severity;
}

int RunCvd(const std::vector<std::string>& given) {
  std::vector<std::string> args = given;
  const int severity = TakeSeverity(args);
  std::optional<TCvdType> type;
  std::vector<TColor> colors;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--type") {
      if (i + 1 >= args.size()) throw UsageError("--type needs a value");
      type = CvdTypeFromName(args[++i]);
      if (!type || *type == TCvdType::None)
        throw UsageError("type '" + args[i] + "' is not protan, deutan, tritan or achroma");
    } else if (args[i].rfind("--", 0) == 0) {
      throw UsageError("unknown option '" + args[i] + "'");
    } else {
      colors.push_back(ParseColorArg(args[i]));
    }
  }
  if (!type) throw UsageError("--type is required");
  if (colors.empty()) throw UsageError("expected at least one COLOR");
  const TCvdFilter filter(*type, severity / 100.0);
  for (TColor c : colors) std::printf("#%s\n", ColorToHex(filter.Apply(c)).c_str());
  return 0;
}

int RunCheck(const std::vector<std::string>& given) {
  std::vector<std::string> args = given;
  const int severity = TakeSeverity(args);
  if (args.size() != 1 || args[0].rfind("--", 0) == 0) throw UsageError("expected GROUPFILE");
  TNamedColorList list;
  if (!list.LoadFromFile(args[0])) throw UsageError("cannot read '" + args[0] + "'");
  std::vector<TColor> colors;
  for (int i = 0; i < list.Count(); ++i) {
    TColor c = 0;
    if (TryHexToColor(list.GetColor(i).Hex, c)) colors.push_back(c);
  }
  const std::vector<TConfusablePair> pairs = ConfusablePairs(colors, severity / 100.0);
  for (const TConfusablePair& p : pairs)
    std::printf("%s\t#%s\t#%s\t%s\n", std::string(CvdTypeName(p.type)).c_str(),
                ColorToHex(p.a).c_str(), ColorToHex(p.b).c_str(),
                FormatFixed(p.difference, 1).c_str());
  return pairs.empty() ? 0 : 1;
}

const Register cvd({
    "cvd",
    "cvd COLOR... --type protan|deutan|tritan|achroma [--severity 0..100]",
    "Prints each COLOR as seen with the colour-vision deficiency TYPE, '#RRGGBB',\n"
    "one per line in order. Severity in percent, default 100 (the dichromat);\n"
    "achroma is the grey of the same relative luminance.\n",
    RunCvd,
});

const Register check({
    "cvd-check",
    "cvd-check GROUPFILE [--severity 0..100]",
    "Prints the pairs of colours of the favourites group file that are clearly\n"
    "apart for normal vision but hard to tell apart under a simulation, one per\n"
    "line: 'TYPE<tab>#RRGGBB<tab>#RRGGBB<tab>DIFFERENCE' (TYPE protan, deutan or\n"
    "tritan; DIFFERENCE the CIEDE2000 of the simulated colours, below 10).\n"
    "Exits 1 when there is any such pair, 0 when none.\n",
    RunCheck,
});

}  // namespace
}  // namespace tintorb::cli
