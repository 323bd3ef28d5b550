// Where the settings file and the group files live.
#pragma once

#include <string>

namespace tintorb {

// Resolved once: $TINTORB_HOME when set; else the executable's directory when
// it is writable; else $XDG_CONFIG_HOME/tintorb (~/.config/tintorb), created on
// demand. Always ends without a slash.
const std::string& ProgramDir();
// Directory of the running executable (where the help page is installed).
std::string ExecutableDir();
// The executable's file name without directory (e.g. "tintorb").
std::string ExecutableName();
// Forgets the resolved directory so a test can point TINTORB_HOME elsewhere.
void ResetProgramDirForTests();

}  // namespace tintorb
