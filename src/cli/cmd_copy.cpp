// tintorb-cli copy: the text the program puts on the clipboard for a colour.
#include <cstdio>
#include <optional>

#include "cli/Args.h"
#include "core/ColorText.h"

namespace tintorb::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  TCopyOptions options;
  std::optional<TColor> color;
  std::optional<TTagAction> tag;
  std::optional<TLiteralAction> literal;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--sharp") {
      options.sharp = true;
    } else if (a == "--no-sharp") {
      options.sharp = false;
    } else if (a == "--quote") {
      options.quote = true;
    } else if (a == "--no-quote") {
      options.quote = false;
    } else if (a == "--lower") {
      options.lower = true;
    } else if (a == "--color-tag") {
      options.colorTag = true;
    } else if (a == "--tag" || a == "--literal") {
      if (i + 1 == args.size()) throw UsageError(a + " needs an ACTION");
      if (tag || literal) throw UsageError("give at most one --tag or --literal");
      const std::string& name = args[++i];
      if (a == "--tag") {
        tag = TagActionFromName(name);
        if (!tag) throw UsageError("unknown tag action '" + name + "'");
      } else {
        literal = LiteralActionFromName(name);
        if (!literal) throw UsageError("unknown literal action '" + name + "'");
      }
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError("unknown option '" + a + "'");
    } else if (color) {
      throw UsageError("expected one COLOR, got another: '" + a + "'");
    } else {
      color = ParseColorArg(a);
    }
  }
  if (!color) throw UsageError("expected a COLOR");
  std::string text;
  if (tag)
    text = TagText(*tag, *color, options);
  else if (literal)
    text = LiteralText(*literal, *color);
  else
    text = CopyColorText(*color, options);
  std::printf("%s\n", text.c_str());
  return 0;
}

std::string Help() {
  std::string h =
      "Prints the text that the program copies for COLOR.\n"
      "With neither --tag nor --literal: the copy command's text (for ABCDEF with\n"
      "the default options: \"#ABCDEF\", quotes included). Options, with the\n"
      "program's defaults:\n"
      "  --sharp | --no-sharp    put '#' in front (default on)\n"
      "  --quote | --no-quote    enclose in double quotes (default on)\n"
      "  --lower                 lower-case hex digits (default off)\n"
      "  --color-tag             put COLOR= in front (default off)\n"
      "  --tag ACTION            the text a tag menu command copies, which is not\n"
      "                          always its caption (the style colour is never\n"
      "                          quoted); COLOR= never applies\n"
      "  --literal ACTION        a program literal; no option applies\n"
      "Tag actions:";
  for (TTagAction a : kTagActions) h += " " + std::string(TagActionName(a));
  h += "\nLiteral actions:";
  for (TLiteralAction a : kLiteralActions) h += " " + std::string(LiteralActionName(a));
  h += "\n";
  return h;
}

const Register reg({
    "copy",
    "copy COLOR [--sharp|--no-sharp] [--quote|--no-quote] [--lower] [--color-tag] "
    "[--tag ACTION | --literal ACTION]",
    Help(),
    Run,
});

}  // namespace
}  // namespace tintorb::cli
