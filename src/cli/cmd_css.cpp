// tintorb-cli css: the CSS texts of a colour.
#include <cstdio>
#include <optional>

#include "cli/Args.h"
#include "core/CssColor.h"

namespace tintorb::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  std::optional<TColor> color;
  std::optional<TCssForm> form;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--form") {
      if (i + 1 == args.size()) throw UsageError("--form needs a FORM");
      form = CssFormFromName(args[++i]);
      if (!form) throw UsageError("unknown form '" + args[i] + "'");
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError("unknown option '" + a + "'");
    } else if (color) {
      throw UsageError("expected one COLOR, got another: '" + a + "'");
    } else {
      color = ParseColorArg(a);
    }
  }
  if (!color) throw UsageError("expected a COLOR");
  if (form) {
    const std::string text = CssText(*form, *color);
    if (text.empty()) return 1;  // no keyword has this value
    std::printf("%s\n", text.c_str());
    return 0;
  }
  for (TCssForm f : kCssForms) {
    const std::string text = CssText(f, *color);
    if (!text.empty()) std::printf("%s %s\n", std::string(CssFormName(f)).c_str(), text.c_str());
  }
  return 0;
}

std::string Help() {
  std::string h =
      "Prints the CSS texts of COLOR, one per line as '<form> <text>', or with\n"
      "--form only that text (exit status 1 for 'name' when no keyword fits).\n"
      "Forms:";
  for (TCssForm f : kCssForms) h += " " + std::string(CssFormName(f));
  return h + "\n";
}

const Register reg({"css", "css COLOR [--form FORM]", Help(), Run});

}  // namespace
}  // namespace tintorb::cli
