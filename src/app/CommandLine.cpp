#include "app/CommandLine.h"

#include <cstring>

#ifndef TINTORB_HELP_PAGE
#define TINTORB_HELP_PAGE "/usr/share/tintorb/tintorb-help.html"
#endif

namespace tintorb {

namespace {

// The manual page tintorb(1) is made from this text at build time.
constexpr const char* kHelp =
    "usage: tintorb [--help | --version]\n"
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
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "files:\n"
    "  tintorb.ini      the settings, read at start and written at exit\n"
    "  GROUP.tintorb    one file per favourites group, beside the settings\n"
    "Both are Shift_JIS (CP932) text with CR LF line ends and live in the program\n"
    "directory: $TINTORB_HOME when that is set; else the folder of the executable\n"
    "when the program runs from its build folder or a portable folder it may\n"
    "write to; else $XDG_CONFIG_HOME/tintorb (normally ~/.config/tintorb), which\n"
    "is always the case for an installed copy. The help page of an installed copy\n"
    "is " TINTORB_HELP_PAGE
    ".\n"
    "\n"
    "environment:\n"
    "  TINTORB_HOME     the program directory to use instead of the above\n"
    "  XDG_CONFIG_HOME  the base of the settings folder (default ~/.config)\n"
    "\n"
    "exit status:\n"
    "  0  the main window was closed\n"
    "  other  Qt could not start, for example without a display\n"
    "\n"
    "see also:\n"
    "  tintorb-cli(1)\n";

}  // namespace

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
