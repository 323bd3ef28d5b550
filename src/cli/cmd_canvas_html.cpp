// tintorb-cli canvas-html: the canvas window's HTML export from a layout file.
#include <cstdio>

#include "canvas/CanvasHtml.h"
#include "canvas/CanvasLayout.h"
#include "cli/Cli.h"
#include "core/TextFile.h"

namespace tintorb::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() != 2) throw UsageError("expected LAYOUT and OUT");
  const TFileRead read = ReadRegularFile(args[0]);
  if (!read.bytes) throw UsageError("cannot read " + ReadFailureText(args[0], read));
  const auto& bytes = read.bytes;
  TCanvasLayout layout;
  try {
    layout = ParseCanvasLayout(*bytes);
  } catch (const ECanvasLayoutError& e) {
    throw UsageError(args[0] + ": " + e.what());
  }
  ExportCanvasHtml(args[1], layout.Items, layout.Background);
  return 0;
}

const Register reg({
    "canvas-html",
    "canvas-html LAYOUT OUT",
    "Writes the HTML page of positioned layers that the canvas window exports.\n"
    "LAYOUT is a text file with one item per line, front-most first:\n"
    "  LEFT TOP WIDTH HEIGHT RRGGBB\n"
    "optionally preceded by a line 'background RRGGBB' (default FFFFFF).\n"
    "Values are pixels of the 4096 x 4096 canvas. OUT is written as Shift_JIS\n"
    "with CR LF line ends, replacing any existing file.\n",
    Run,
});

}  // namespace
}  // namespace tintorb::cli
