#include "app/ProgramFiles.h"

#include "app/IniFile.h"
#include "collections/Favorites.h"
#include "core/TextFile.h"

namespace tintorb {

bool IsProgramFileName(std::string_view name) {
  const std::string_view ext = kGroupFileExt;
  // tintorb-cli reads and writes the program's settings file, not its own.
  return name == "tintorb.ini" || name == DefaultIniFileName() ||
         (name.size() > ext.size() && name.substr(name.size() - ext.size()) == ext);
}

int RemoveProgramTemporaries(const std::string& dir) {
  return RemoveStaleTemporaries(dir, IsProgramFileName);
}

}  // namespace tintorb
