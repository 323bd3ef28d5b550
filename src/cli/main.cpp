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

void PrintUsage(std::FILE* out) {
  std::fputs("usage: tintorb-cli COMMAND [ARGS...]\n\ncommands:\n", out);
  auto commands = tintorb::cli::Registry();
  std::sort(commands.begin(), commands.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  for (const auto& c : commands) std::fprintf(out, "  %s\n", c.synopsis.c_str());
  std::fputs("\n'tintorb-cli COMMAND --help' describes one command.\n", out);
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
