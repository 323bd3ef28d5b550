// tintorb-cli scheme: the scheme sheet's templates without the window.
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "collections/Scheme.h"
#include "core/Color.h"

namespace tintorb::cli {
namespace {

TColor ParseColor(const std::string& option, const std::string& text) {
  TColor c = 0;
  if (!TryHexToColor(text, c) || (text[0] == '#' ? text.size() != 7 : text.size() != 6))
    throw UsageError(option + " '" + text + "' is not a colour (RRGGBB or #RRGGBB)");
  return c;
}

int Run(const std::vector<std::string>& args) {
  std::string templ;
  std::string fore, back, count, seed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
      out = args[++i];
    };
    if (a == "--fore") {
      value(fore);
    } else if (a == "--back") {
      value(back);
    } else if (a == "--count") {
      value(count);
    } else if (a == "--seed") {
      value(seed);
    } else if (!a.empty() && a[0] == '-') {
      throw UsageError("unknown option '" + a + "'");
    } else if (templ.empty()) {
      templ = a;
    } else {
      throw UsageError("unexpected argument '" + a + "'");
    }
  }
  if (templ.empty()) throw UsageError("expected TEMPLATE");
  const TSchemeTemplateInfo* info = FindSchemeTemplate(templ);
  if (!info) {
    std::string known;
    for (const auto& t : SchemeTemplates()) known += std::string(" ") + t.Name;
    throw UsageError("unknown template '" + templ + "'; templates:" + known);
  }
  if (fore.empty()) throw UsageError("--fore is required");
  if (back.empty()) throw UsageError("--back is required");
  const TColor foreColor = ParseColor("--fore", fore);
  const TColor backColor = ParseColor("--back", back);

  int n = 0;
  if (info->CountTitle) {
    n = ParseSchemeCount(count.empty() ? kSchemeCountDefault : count);
    if (n < 1) throw UsageError("--count '" + count + "' is not a positive integer");
    if (n > kMaxSchemeCount)
      throw UsageError("--count " + count + " is more than the " + std::to_string(kMaxSchemeCount) +
                       " entries a scheme may have");
  } else if (!count.empty()) {
    throw UsageError(std::string("--count does not apply to ") + info->Name +
                     ", which has a fixed size");
  }

  if (seed.empty()) {
    RandomizeFromClock();
  } else {
    size_t used = 0;
    unsigned long long s = 0;
    try {
      s = std::stoull(seed, &used, 10);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used == 0 || used != seed.size() || seed[0] == '-')
      throw UsageError("--seed '" + seed + "' is not a non-negative integer");
    RandSeed(s);
  }

  TScheme scheme;
  ApplySchemeTemplate(scheme, info->Template, n);
  scheme.Recalculate(foreColor, backColor);
  std::string out;
  for (int i = 0; i < scheme.Count(); ++i) out += ColorToHex(scheme.Items(i).Color) + "\n";
  std::fputs(out.c_str(), stdout);
  return 0;
}

std::string Help() {
  std::string h =
      "Prints the colours of a scheme template, one RRGGBB per entry, computed from\n"
      "the foreground and background colours as the scheme sheet computes them.\n"
      "COLOR is RRGGBB or #RRGGBB. --count N (1.." +
      std::to_string(kMaxSchemeCount) +
      ", default 8) sets the size of the counted\n"
      "templates; --seed S fixes the random draws (otherwise seeded from the clock).\n"
      "Templates:\n";
  for (const auto& t : SchemeTemplates())
    h += std::string("  ") + t.Name + (t.CountTitle ? " (counted)" : "") + "\n";
  return h;
}

const Register reg({
    "scheme",
    "scheme TEMPLATE --fore COLOR --back COLOR [--count N] [--seed S]",
    Help(),
    Run,
});

}  // namespace
}  // namespace tintorb::cli
