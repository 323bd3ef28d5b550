#include "app/CommandLine.h"

#include <cstring>

namespace tintorb {

namespace {

// The manual page tintorb(1) is made from this text at build time.
constexpr const char* kHelp =
    "usage: tintorb [--pick[=FORM] | --help | --version]\n"
    "\n"
    "Tintorb, the colour picker for web pages and programs (Japanese user interface).\n"
    "\n"
    "Opens the main window: set the current colour with the ten sheets (RGB/CMYK, HSV,\n"
    "HLS, YUV, palette, HTML colour names, favourites, scheme generator, font list,\n"
    "pictograms), the colour well or by picking from anywhere on the screen, and copy\n"
    "it as the text that a web page or a program needs. The Help item of the File\n"
    "menu opens the help page (in Japanese).\n"
    "Other arguments are ignored, except Qt's own options such as -platform.\n"
    "\n"
    "options:\n"
    "  --pick[=FORM]  pick a colour from the screen and print its text (below)\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "picking from a key:\n"
    "  tintorb --pick opens the pick window over a frozen picture of the whole\n"
    "  screen: the cross starts at the pointer (X11) or in the middle (Wayland);\n"
    "  the mouse, the arrow keys, Page Up/Down and Home/End move it; a click,\n"
    "  Return or Space takes the colour (Ctrl, Shift and Alt held widen the\n"
    "  averaged square); a digit stores the pixel in that swatch; Esc cancels.\n"
    "  The taken colour becomes the current colour, its text goes to the\n"
    "  clipboard and the recent copies, a desktop notification shows it, and\n"
    "  the text is printed on standard output, so c=$(tintorb --pick=hex) works.\n"
    "  A copy already running on the program directory does the pick; else the\n"
    "  program starts as usual and picks. It keeps running afterwards, so the\n"
    "  clipboard stays filled. Bind the command to a key in the desktop's\n"
    "  keyboard settings (the help page says how).\n"
    "  FORM is one of:\n"
    "  copy  the text of the Copy command, with the copy options (the default)\n"
    "  hex, rgb, rgb-legacy, hsl, hwb, lab, lch, oklab, oklch, p3, name\n"
    "        the CSS texts of the CSS menu (name: the CSS colour keyword)\n"
    "\n"
    "files:\n"
    "  tintorb.ini      the settings, read at start and written at exit\n"
    "  GROUP.tintorb    one file per favourites group, beside the settings\n"
    "Both are Shift_JIS (CP932) text with CR LF line ends and live in the program\n"
    "directory: $TINTORB_HOME when that is set; else the folder of the executable\n"
    "when the program runs from its build folder or a portable folder it may\n"
    "write to; else $XDG_CONFIG_HOME/tintorb (normally ~/.config/tintorb), which\n"
    "is always the case for an installed copy. The help page of an installed copy\n"
    "is PREFIX/share/tintorb/tintorb-help.html.\n"
    "\n"
    "environment:\n"
    "  TINTORB_HOME     the program directory to use instead of the above\n"
    "  XDG_CONFIG_HOME  the base of the settings folder (default ~/.config)\n"
    "\n"
    "exit status:\n"
    "  0  the main window was closed; with --pick, a colour was taken\n"
    "  1  with --pick: nothing was copied (Esc, a digit, or name for a colour\n"
    "     that has no CSS keyword)\n"
    "  2  with --pick: an unknown FORM, or the program could not be reached\n"
    "  other  Qt could not start, for example without a display\n"
    "\n"
    "see also:\n"
    "  tintorb-cli(1)\n";

}  // namespace

std::optional<TPickForm> PickFormFromName(std::string_view name) {
  if (name == "copy") return TPickForm{};
  if (const std::optional<TCssForm> css = CssFormFromName(name)) return TPickForm{false, *css};
  return std::nullopt;
}

std::string PickFormName(TPickForm form) {
  return form.copy ? "copy" : std::string(CssFormName(form.css));
}

std::string PickText(TPickForm form, TColor color, const TCopyOptions& options) {
  return form.copy ? CopyColorText(color, options) : CssText(form.css, color);
}

TPickOption FindPickOption(int argc, const char* const* argv) {
  TPickOption out;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg != "--pick" && !arg.starts_with("--pick=")) continue;
    out.given = true;
    const std::string_view name = arg == "--pick" ? "copy" : arg.substr(7);
    if (const std::optional<TPickForm> form = PickFormFromName(name)) {
      out.form = *form;
      out.error.clear();
    } else {
      out.error = "tintorb: unknown form '" + std::string(name) +
                  "' for --pick (copy, hex, rgb, rgb-legacy, hsl, hwb, lab, lch, oklab, oklch, "
                  "p3, name)";
    }
  }
  return out;
}

int AnswerInfoOption(int argc, const char* const* argv, std::FILE* out) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kHelp, out);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::fprintf(out, "tintorb %s\n", TINTORB_VERSION);
      return 0;
    }
  }
  return -1;
}

}  // namespace tintorb
