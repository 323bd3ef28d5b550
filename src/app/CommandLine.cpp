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
    "With --pick, picks one colour from the screen, as a key bound on the desktop\n"
    "runs it: the pick window opens over a frozen picture of the whole screen with\n"
    "the cross at the pointer (X11) or in the middle (Wayland). The mouse, the arrow\n"
    "keys, Page Up/Down and Home/End move it; a click, Return or Space takes the\n"
    "colour (Ctrl, Shift and Alt held widen the averaged square); a digit stores the\n"
    "pixel in that swatch; Esc cancels. The colour taken becomes the current colour,\n"
    "its text in FORM (below) goes to the clipboard and the recent copies, a desktop\n"
    "notification shows it, and it is printed on standard output, so\n"
    "c=$(tintorb --pick=hex) works in a script. A copy running on the program\n"
    "directory does the pick; else the program starts as usual and picks. It keeps\n"
    "running, so the clipboard stays filled. The help page says how to bind the\n"
    "command to a key on GNOME, KDE, Xfce and sway.\n"
    "\n"
    "options:\n"
    "  --pick[=FORM]  pick a colour from the screen and print its text\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "pick forms:\n"
    "  copy  the text of the Copy command, with the copy options (the default)\n"
    "  hex  #FFA500\n"
    "  rgb  rgb(255 165 0)\n"
    "  rgb-legacy  rgb(255, 165, 0)\n"
    "  hsl  hsl(38.8 100% 50%)\n"
    "  hwb  hwb(38.8 0% 0%)\n"
    "  lab  lab(75.59 27.52 79.12)\n"
    "  lch  lch(75.59 83.77 70.82)\n"
    "  oklab  oklab(79.27% 0.0566 0.1614)\n"
    "  oklch  oklch(79.27% 0.171 70.67)\n"
    "  p3  color(display-p3 0.9497 0.6629 0.233)\n"
    "  name  orange (the CSS colour keyword; none for most colours)\n"
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
