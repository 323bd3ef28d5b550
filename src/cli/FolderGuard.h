// Commands that write a program directory's files (settings, group files) hold
// its lock while they run and refuse while the program runs on it: the
// program's end-of-run writes would undo theirs, or theirs would be lost.
#pragma once

#include <string>

#include "core/FolderLock.h"

namespace tintorb::cli {

// Throws UsageError (exit status 2) when the program (or another command)
// holds the directory, and an error naming the reason when the directory
// cannot be locked at all: the command then writes nothing.
void LockProgramDir(TFolderLock& lock, const std::string& dir);

}  // namespace tintorb::cli
