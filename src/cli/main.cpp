#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace tintorb::cli {

std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}

}  // namespace tintorb::cli

namespace {

// The manual page tintorb-cli(1) and the shell completion are made from this
// text and each command's --help, so a new command shows up in both.
void PrintUsage(std::FILE* out) {
  std::fputs(
      "usage: tintorb-cli COMMAND [ARGS...]\n\n"
      "Tintorb's colour arithmetic, text forms and file exports, for scripts.\n\n"
      "commands:\n",
      out);
  auto commands = tintorb::cli::Registry();
  std::sort(commands.begin(), commands.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  for (const auto& c : commands) std::fprintf(out, "  %s\n", c.synopsis.c_str());
  std::fputs(
      "\n'tintorb-cli COMMAND --help' describes one command; 'tintorb-cli --version'\n"
      "prints the version.\n"
      "\n"
      "exit status:\n"
      "  0  success\n"
      "  1  the command ran but did not fully succeed (its --help says when)\n"
      "  2  bad usage or bad input, or the output could not be written\n"
      "\n"
      "examples:\n"
      "  tintorb-cli info FF0000\n"
      "  tintorb-cli copy 336699 --lower --no-quote\n"
      "  tintorb-cli copy 336699 --tag actTagFont\n"
      "  tintorb-cli from hsv 210 170 153\n"
      "  tintorb-cli scheme Triads --fore 3366CC --back FFFFFF\n"
      "  tintorb-cli pictogram 0 --mode 2 --fore CC0000 sun.png\n"
      "\n"
      "see also:\n"
      "  tintorb(1)\n",
      out);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tintorb::cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(stderr);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(stdout);
    return 0;
  }
  if (args[0] == "--version") {
    std::printf("tintorb-cli %s\n", TINTORB_VERSION);
    return 0;
  }
  for (const auto& c : Registry()) {
    if (c.name != args[0]) continue;
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
      std::printf("usage: tintorb-cli %s\n\n%s", c.synopsis.c_str(), c.help.c_str());
      return 0;
    }
    try {
      const int status = c.run(rest);
      // A full disk or a closed pipe must not pass for success.
      if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "tintorb-cli %s: cannot write the output\n", c.name.c_str());
        return 2;
      }
      return status;
    } catch (const UsageError& e) {
      std::fprintf(stderr, "tintorb-cli %s: %s\n", c.name.c_str(), e.what());
      return 2;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "tintorb-cli %s: %s\n", c.name.c_str(), e.what());
      return 2;
    }
  }
  std::fprintf(stderr, "tintorb-cli: unknown command '%s'\n", args[0].c_str());
  PrintUsage(stderr);
  return 2;
}
