// tintorb-cli export-html / export-act: the two exports of a favourites group.
#include <cstdio>

#include "cli/Cli.h"
#include "collections/Favorites.h"

namespace tintorb::cli {
namespace {

TNamedColorList LoadGroup(const std::string& path) {
  TNamedColorList list;
  if (!list.LoadFromFile(path)) throw UsageError("cannot read '" + path + "'");
  return list;
}

TColor ParseColor(const std::string& text) {
  const size_t digits = !text.empty() && text[0] == '#' ? text.size() - 1 : text.size();
  TColor c = 0;
  if (digits != 6 || !TryHexToColor(text, c))
    throw UsageError("COLOR '" + text + "' is not RRGGBB or #RRGGBB");
  return c;
}

int RunHtml(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  THTMLTableOptions options;
  options.SampleText = "Sample";
  options.SampleBackColor = clWhite;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--title" || a == "--sample" || a == "--back") {
      if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
      const std::string& v = args[++i];
      if (a == "--title")
        options.Title = v;
      else if (a == "--sample")
        options.SampleText = v;
      else
        options.SampleBackColor = ParseColor(v);
    } else if (a.rfind("--", 0) == 0) {
      throw UsageError("unknown option '" + a + "'");
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) throw UsageError("expected GROUPFILE and OUT");
  const TNamedColorList list = LoadGroup(files[0]);
  options.FileName = files[1];
  list.SaveToHTML(options);
  return 0;
}

int RunAct(const std::vector<std::string>& args) {
  if (args.size() != 2) throw UsageError("expected GROUPFILE and OUT");
  LoadGroup(args[0]).SaveToACT(args[1]);
  return 0;
}

const Register html({
    "export-html",
    "export-html GROUPFILE OUT [--title T] [--sample TEXT] [--back COLOR]",
    "Writes the HTML table page of a favourites group file (*.tintorb) as the\n"
    "favourites sheet exports it: Shift_JIS, CR LF. Defaults: no title, the\n"
    "sample text \"Sample\", a white (FFFFFF) sample background. COLOR is\n"
    "RRGGBB or #RRGGBB. A row without a comma is an error; OUT is not written.\n",
    RunHtml,
});

const Register act({
    "export-act",
    "export-act GROUPFILE OUT",
    "Writes the Adobe Color Table (.act) of a favourites group file: 768 bytes\n"
    "for exactly 256 colours, else 772 bytes with the colour count. More than\n"
    "256 colours is an error and OUT is not written.\n",
    RunAct,
});

}  // namespace
}  // namespace tintorb::cli
