// The files the program and tintorb-cli write in the program's directory.
#pragma once

#include <string>
#include <string_view>

namespace tintorb {

// The settings file and the group files, by file name.
bool IsProgramFileName(std::string_view name);
// Removes what killed writes of those files left behind (the folder may hold
// the user's own "*.tmp-<digits>" files, which stay); returns how many went.
int RemoveProgramTemporaries(const std::string& dir);

}  // namespace tintorb
