#include "core/ProgramDir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

// The build sets it from the install layout; other builds (the fuzz targets) take
// the usual one.
#ifndef TINTORB_DATA_RELDIR
#define TINTORB_DATA_RELDIR "../share/tintorb"
#endif

namespace tintorb {

namespace fs = std::filesystem;

namespace {

constexpr const char* kHelpFile = "tintorb-help.html";

std::optional<std::string>& Cached() {
  static std::optional<std::string> dir;
  return dir;
}

std::string Resolve() {
  if (const char* home = std::getenv("TINTORB_HOME"); home && *home) {
    std::error_code ec;
    fs::create_directories(home, ec);
    return fs::path(home).lexically_normal().string();
  }
  // An installed program never writes beside itself, even when root or a
  // user-owned prefix makes its folder writable.
  const std::string exeDir = ExecutableDir();
  if (!exeDir.empty() && InstalledDataDir().empty() && ::access(exeDir.c_str(), W_OK) == 0)
    return exeDir;
  fs::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    base = xdg;
  else if (const char* h = std::getenv("HOME"); h && *h)
    base = fs::path(h) / ".config";
  else
    base = fs::temp_directory_path();
  const fs::path dir = base / "tintorb";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return dir.string();
}

}  // namespace

const std::string& ProgramDir() {
  auto& dir = Cached();
  if (!dir) {
    std::string d = Resolve();
    while (d.size() > 1 && d.back() == '/') d.pop_back();
    dir = d;
  }
  return *dir;
}

std::string ExecutableDir() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

std::string InstalledDataDir() {
  const std::string exeDir = ExecutableDir();
  if (exeDir.empty()) return {};
  // TINTORB_DATA_RELDIR is the data folder relative to the installed binary,
  // so the check holds for any prefix the tree was installed into.
  const fs::path dir = (fs::path(exeDir) / TINTORB_DATA_RELDIR).lexically_normal();
  std::error_code ec;
  return fs::is_regular_file(dir / kHelpFile, ec) ? dir.string() : std::string();
}

std::string HelpFilePath() {
  const std::string installed = InstalledDataDir();
  return (installed.empty() ? ExecutableDir() : installed) + "/" + kHelpFile;
}

std::string ExecutableName() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string("tintorb") : exe.filename().string();
}

void ResetProgramDirForTests() {
  Cached().reset();
}

}  // namespace tintorb
