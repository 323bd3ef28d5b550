#include "core/ProgramDir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace tintorb {

namespace fs = std::filesystem;

namespace {

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
  const std::string exeDir = ExecutableDir();
  if (!exeDir.empty() && ::access(exeDir.c_str(), W_OK) == 0) return exeDir;
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

std::string ExecutableName() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string("tintorb") : exe.filename().string();
}

void ResetProgramDirForTests() {
  Cached().reset();
}

}  // namespace tintorb
