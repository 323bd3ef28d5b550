// Runs the built tintorb-cli from tests and collects what it left behind.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb::testing {

struct RunResult {
  int status;
  std::string out, err;
};

// Runs tintorb-cli with already quoted arguments; output goes through files
// in `scratch`, which must not be the directory under test.
inline RunResult RunCli(const std::string& args, const TempDir& scratch) {
  const std::string outPath = scratch / "stdout.txt", errPath = scratch / "stderr.txt";
  const std::string cmd = std::string("'") + TINTORB_BINARY_DIR + "/tintorb-cli' " + args + " >'" +
                          outPath + "' 2>'" + errPath + "'";
  const int raw = std::system(cmd.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(outPath).value_or(""),
          ReadFileBytes(errPath).value_or("")};
}

// File name → bytes of every entry in `dir`.
inline std::map<std::string, std::string> FilesIn(const std::string& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    out[e.path().filename().string()] = *ReadFileBytes(e.path().string());
  return out;
}

}  // namespace tintorb::testing
