// tintorb-cli favorites: the program's start-up loading of the favourites.
#include <cstdio>
#include <filesystem>

#include "app/IniFile.h"
#include "app/ProgramFiles.h"
#include "cli/Cli.h"
#include "cli/ConsoleDialogs.h"
#include "cli/FolderGuard.h"
#include "collections/Favorites.h"

namespace tintorb::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  std::string dir;
  bool migrateFav = false;
  for (const auto& a : args) {
    if (a == "--migrate-fav")
      migrateFav = true;
    else if (a.rfind("--", 0) == 0)
      throw UsageError("unknown option '" + a + "'");
    else if (dir.empty())
      dir = a;
    else
      throw UsageError("expected one DIR");
  }
  if (dir.empty()) throw UsageError("expected DIR");
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) throw UsageError("'" + dir + "' is not a directory");

  TFolderLock lock;
  LockProgramDir(lock, dir);
  if (lock.Locked()) RemoveProgramTemporaries(dir);  // what a killed writer left
  TConsoleDialogs dialogs(migrateFav);
  TIniFile ini(dir + "/tintorb.ini");
  if (!ini.ReadProblem().empty()) Dialogs().Warning(ini.ReadProblem());  // left alone
  TFavorites favorites;
  const TFavoritesSource source = LoadFavorites(favorites, ini, dir);
  int status = 0;
  // Built-in groups exist only in memory: written as the program does at
  // exit. Groups of the old settings layout were written while moving them;
  // when that failed they stay in the settings file.
  if (source == TFavoritesSource::BuiltIn && !favorites.SaveToDir(dir)) status = 1;
  if (favorites.IniMigrationPending()) status = 1;
  for (int i = 0; i < favorites.Count(); ++i)
    std::printf("%s\t%d\n", favorites.GroupName(i).c_str(), favorites.Group(i).Count());
  return ini.ReadProblem().empty() ? status : 1;
}

const Register reg({
    "favorites",
    "favorites DIR [--migrate-fav]",
    "Runs the program's start-up loading of the favourites on DIR as the\n"
    "program's directory: the old layout in DIR/tintorb.ini, else the group\n"
    "files DIR/*.tintorb, else the old *.fav files (the question is answered\n"
    "No unless --migrate-fav is given), else the built-in groups. Groups that\n"
    "the start-up made in memory (built-in or from the settings file) are\n"
    "written to DIR as at the end of a run; groups of the settings file leave\n"
    "it only once their files are on disk. Prints one line per group:\n"
    "NAME<TAB>COUNT. Exit status 1 when a group file could not be written;\n"
    "2 while Tintorb runs on DIR. A settings file that is not a readable\n"
    "regular file (a FIFO, a device, too large) is left alone: status 1.\n",
    Run,
});

}  // namespace
}  // namespace tintorb::cli
