// The settings file with many sections (left by other tools or grown by hand):
// reading it whole as a start does, and writing it back as an exit does.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/IniFile.h"
#include "core/TextFile.h"

namespace tintorb {
namespace {

std::string SettingsWithSections(int sections) {
  std::string text = "[Config]\r\nActivePage=0\r\n";
  for (int i = 0; i < sections; ++i)
    text += "[Section" + std::to_string(i) + "]\r\nKey=value " + std::to_string(i) + "\r\n";
  return text;
}

struct TempFile {
  std::string dir, path;
  explicit TempFile(const std::string& bytes) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tintorb-bench-XXXXXX").string();
    dir = ::mkdtemp(tmpl.data());
    path = dir + "/tintorb.ini";
    WriteFileAtomic(path, bytes);
  }
  ~TempFile() { std::filesystem::remove_all(dir); }
};

void BM_SettingsRead(benchmark::State& state) {
  const TempFile file(SettingsWithSections(int(state.range(0))));
  for (auto _ : state) {
    TIniFile ini(file.path);
    benchmark::DoNotOptimize(ini.ReadInteger("config", "activepage", -1));
  }
  state.SetLabel(std::to_string(std::filesystem::file_size(file.path) / 1000) + " kB");
}
BENCHMARK(BM_SettingsRead)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

// The exit: every section gets a key written, then the file is rewritten.
void BM_SettingsWrite(benchmark::State& state) {
  const int sections = int(state.range(0));
  const TempFile file(SettingsWithSections(sections));
  TIniFile ini(file.path);
  for (auto _ : state) {
    for (int i = 0; i < sections; ++i) ini.WriteInteger("SECTION" + std::to_string(i), "Seen", i);
    ini.UpdateFile();
  }
}
BENCHMARK(BM_SettingsWrite)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tintorb
