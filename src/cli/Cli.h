// tintorb-cli: every command lives in its own cmd_*.cpp and registers itself.
#pragma once

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tintorb::cli {

// Thrown for bad usage or bad input: printed to stderr, exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Command {
  std::string name;
  std::string synopsis;  // one line: "info COLOR"
  std::string help;      // printed by "tintorb-cli NAME --help"
  // Arguments after the command name; returns the exit status.
  std::function<int(const std::vector<std::string>& args)> run;
};

std::vector<Command>& Registry();

struct Register {
  explicit Register(Command c) { Registry().push_back(std::move(c)); }
};

}  // namespace tintorb::cli
