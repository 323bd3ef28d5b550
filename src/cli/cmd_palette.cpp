// tintorb-cli import / export-gpl / export-ase / export-css: palettes of other
// programs into favourites groups and a group out to them.
#include <cstdio>
#include <filesystem>

#include "app/ProgramFiles.h"
#include "cli/Cli.h"
#include "cli/ConsoleDialogs.h"
#include "cli/FolderGuard.h"
#include "collections/PaletteFiles.h"
#include "core/TextFile.h"

namespace tintorb::cli {
namespace {

namespace fs = std::filesystem;

int RunImport(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  std::string dir;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--dir") {
      if (i + 1 >= args.size()) throw UsageError("--dir needs a value");
      dir = args[++i];
    } else if (args[i].rfind("--", 0) == 0) {
      throw UsageError("unknown option '" + args[i] + "'");
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.empty() || dir.empty()) throw UsageError("expected FILE... and --dir DIR");
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) throw UsageError("'" + dir + "' is not a directory");

  // The running program would drop these groups at its exit, or its own
  // writes would be lost: refuse while it holds the folder.
  TFolderLock lock;
  LockProgramDir(lock, dir);
  if (lock.Locked()) RemoveProgramTemporaries(dir);  // what a killed writer left

  // Every file is read before anything is written.
  std::vector<TPaletteGroup> groups;
  for (const auto& f : files) {
    try {
      for (auto& g : ReadPaletteFile(f)) groups.push_back(std::move(g));
    } catch (const EPaletteFormatError& e) {
      throw UsageError(e.what());
    }
  }

  TConsoleDialogs dialogs;
  TFavorites favorites;
  favorites.LoadFromDir(dir);
  const std::vector<int> added = AddPaletteGroups(favorites, groups);
  if (added.size() != groups.size()) throw UsageError("a group name was refused; nothing written");

  std::vector<std::string> written;
  for (int index : added) {
    const std::string path =
        (fs::path(dir) / TFavorites::GroupFileName(favorites.GroupName(index))).string();
    try {
      favorites.Group(index).SaveToFile(path);
      written.push_back(path);
    } catch (const EFileWriteError& e) {
      for (const auto& w : written) fs::remove(w, ec);
      throw UsageError(std::string(e.what()) + "; nothing written");
    }
  }
  for (int index : added)
    std::printf("%s\t%d\n", favorites.GroupName(index).c_str(), favorites.Group(index).Count());
  return 0;
}

// The group of a group file and its name (the file name without extension).
TPaletteGroup LoadGroup(const std::string& path) {
  TPaletteGroup g;
  if (!g.colors.LoadFromFile(path)) throw UsageError("cannot read '" + path + "'");
  const std::string file = fs::path(path).filename().string();
  bool ok = false;
  g.name = TFavorites::GroupNameOfFile(file, &ok);
  if (!ok) g.name = fs::path(path).stem().string();
  return g;
}

int RunExport(const std::vector<std::string>& args, int kind) {
  if (args.size() != 2) throw UsageError("expected GROUPFILE and OUT");
  const TPaletteGroup g = LoadGroup(args[0]);
  const std::string bytes = kind == 0   ? GplBytes(g.name, g.colors)
                            : kind == 1 ? AseBytes({g})
                                        : CssVariablesText(g.name, g.colors);
  WriteFileAtomic(args[1], bytes);
  return 0;
}

const Register import({
    "import",
    "import FILE... --dir DIR",
    "Adds the palettes FILE... (GIMP .gpl, Adobe Swatch Exchange .ase, Adobe\n"
    "Color Table .act; files over 16 MiB are refused) as favourites groups to\n"
    "the favourites folder DIR. Each palette group becomes a group named after\n"
    "the palette (else the file name); a taken name gets the smallest free\n"
    "number appended, and one too long for a file name is shortened (said on\n"
    "stderr). Each new group file is written atomically; prints\n"
    "NAME<TAB>ROWS per new group. A bad file exits 2 naming the file and the\n"
    "line or byte offset, and nothing is written.\n",
    RunImport,
});

const Register gpl({
    "export-gpl",
    "export-gpl GROUPFILE OUT",
    "Writes a favourites group file (*.tintorb) as a GIMP palette (UTF-8, LF)\n"
    "named after the group.\n",
    [](const std::vector<std::string>& a) { return RunExport(a, 0); },
});

const Register ase({
    "export-ase",
    "export-ase GROUPFILE OUT",
    "Writes a favourites group file as Adobe Swatch Exchange: one group of\n"
    "RGB entries named after the group.\n",
    [](const std::vector<std::string>& a) { return RunExport(a, 1); },
});

const Register css({
    "export-css",
    "export-css GROUPFILE OUT",
    "Writes a favourites group file as CSS custom properties on :root, one\n"
    "unique property per colour with the colour's name in a comment.\n",
    [](const std::vector<std::string>& a) { return RunExport(a, 2); },
});

}  // namespace
}  // namespace tintorb::cli
