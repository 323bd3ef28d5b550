// Favourites: start-up loading of the built-in group files and of 20,000
// group files, saving them at the end of a run, sorting a large group and its
// two exports.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "collections/Favorites.h"
#include "platform/Desktop.h"

namespace tintorb {
namespace {

// Nothing here should ask anything; a dialog would be a bug.
class NoDialogs : public TDialogs {
 public:
  void Information(const std::string&, const std::string&) override {}
  void Warning(const std::string&, const std::string&) override {}
  void Error(const std::string&, const std::string&) override {}
  bool YesNo(const std::string&, const std::string&) override { return false; }
  bool OkCancel(const std::string&, const std::string&) override { return false; }
  bool InputBox(const std::string&, const std::string&, std::string&) override { return false; }
  bool ChooseColor(TColor&) override { return false; }
  bool ChooseFont(TFontSpec&) override { return false; }
  std::optional<std::string> SaveFile(const TSaveFileRequest&) override { return std::nullopt; }
};

struct Env {
  NoDialogs dialogs;
  std::string dir;
  Env() {
    InstallDialogs(&dialogs);
    std::string tmpl = (std::filesystem::temp_directory_path() / "tintorb-bench-XXXXXX").string();
    dir = ::mkdtemp(tmpl.data());
  }
  ~Env() { std::filesystem::remove_all(dir); }
};

Env& TheEnv() {
  static Env env;
  return env;
}

void BM_CreateBuiltInGroups(benchmark::State& state) {
  TheEnv();
  for (auto _ : state) {
    TFavorites f;
    CreateBuiltInGroups(f);
    benchmark::DoNotOptimize(f.Count());
  }
}
BENCHMARK(BM_CreateBuiltInGroups);

void BM_SaveBuiltInGroupsToDir(benchmark::State& state) {
  Env& env = TheEnv();
  TFavorites f;
  CreateBuiltInGroups(f);
  for (auto _ : state) f.SaveToDir(env.dir);
}
BENCHMARK(BM_SaveBuiltInGroupsToDir)->Unit(benchmark::kMillisecond);

void BM_LoadBuiltInGroupsFromDir(benchmark::State& state) {
  Env& env = TheEnv();
  {
    TFavorites f;
    CreateBuiltInGroups(f);
    f.SaveToDir(env.dir);
  }
  for (auto _ : state) {
    TFavorites f;
    benchmark::DoNotOptimize(f.LoadFromDir(env.dir));
  }
}
BENCHMARK(BM_LoadBuiltInGroupsFromDir)->Unit(benchmark::kMillisecond);

// A folder of `count` one-row group files, made once per count.
const std::string& ManyGroupFiles(int count) {
  static std::map<int, std::string> dirs;
  auto& dir = dirs[count];
  if (dir.empty()) {
    dir = TheEnv().dir + "/many" + std::to_string(count);
    std::filesystem::create_directory(dir);
    TFavorites f;
    for (int i = 0; i < count; ++i) f.Group(f.AddGroup("g" + std::to_string(i))).Add("123456", "x");
    f.SaveToDir(dir);
  }
  return dir;
}

void BM_LoadManyGroupFiles(benchmark::State& state) {
  const std::string& dir = ManyGroupFiles(int(state.range(0)));
  for (auto _ : state) {
    TFavorites f;
    benchmark::DoNotOptimize(f.LoadFromDir(dir));
  }
}
BENCHMARK(BM_LoadManyGroupFiles)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

// The end of a run that loaded every file and changed one group.
void BM_ExitWriteOfManyGroupFiles(benchmark::State& state) {
  const std::string& dir = ManyGroupFiles(int(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    TFavorites f;
    f.LoadFromDir(dir);
    f.Group(0).Add("654321", std::to_string(state.iterations()));
    state.ResumeTiming();
    f.SaveToDir(dir);
  }
}
BENCHMARK(BM_ExitWriteOfManyGroupFiles)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

TNamedColorList BigGroup(int rows) {
  TFavorites f;
  CreateBuiltInGroups(f);
  TNamedColorList big;
  for (int i = 0; big.Count() < rows; ++i) {
    const TNamedColorList& g = f.Group(i % f.Count());
    big.AddRow(g.Row(i % g.Count()));
  }
  return big;
}

void BM_SortKind(benchmark::State& state) {
  TheEnv();
  const TNamedColorList source = BigGroup(int(state.range(1)));
  for (auto _ : state) {
    state.PauseTiming();
    TNamedColorList l = source;
    state.ResumeTiming();
    l.Sort(int(state.range(0)));
  }
  state.SetItemsProcessed(state.iterations() * state.range(1));
}
BENCHMARK(BM_SortKind)->ArgsProduct({{0, 1, 2, 3}, {390, 10000}})->Unit(benchmark::kMillisecond);

void BM_HtmlPage(benchmark::State& state) {
  TheEnv();
  const TNamedColorList l = BigGroup(int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(l.HTMLText({"t", "Sample", clWhite, ""}));
}
BENCHMARK(BM_HtmlPage)->Arg(390)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ActBytes(benchmark::State& state) {
  TheEnv();
  const TNamedColorList l = BigGroup(256);
  for (auto _ : state) benchmark::DoNotOptimize(l.ACTBytes());
}
BENCHMARK(BM_ActBytes);

}  // namespace
}  // namespace tintorb
