// Where the settings file and the group files live.
#pragma once

#include <string>

namespace tintorb {

// Resolved once: $TINTORB_HOME when set; else the executable's directory when
// it is writable and the program is not installed; else
// $XDG_CONFIG_HOME/tintorb (~/.config/tintorb), created on demand. Always ends
// without a slash.
const std::string& ProgramDir();
// Directory of the running executable.
std::string ExecutableDir();
// The read-only data folder of an installed copy (<prefix>/share/tintorb), or
// empty when the program runs from its build folder or a portable folder.
std::string InstalledDataDir();
// The help page: in the installed data folder, else beside the executable.
std::string HelpFilePath();
// The executable's file name without directory (e.g. "tintorb").
std::string ExecutableName();
// Forgets the resolved directory so a test can point TINTORB_HOME elsewhere.
void ResetProgramDirForTests();

}  // namespace tintorb
