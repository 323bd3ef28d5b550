#include "cli/FolderGuard.h"

#include "cli/Cli.h"

namespace tintorb::cli {

void LockProgramDir(TFolderLock& lock, const std::string& dir) {
  const std::string path = LockFilePath(dir);
  if (lock.TryLock(path) != TFolderLock::TResult::HeldByOther) return;
  std::string who = "Tintorb";
  if (const auto owner = ReadLockOwner(path))
    who = owner->program + " (pid " + std::to_string(owner->pid) + ")";
  throw UsageError("'" + dir + "' is in use by " + who +
                   ": close it first, or its exit would overwrite this command's changes");
}

}  // namespace tintorb::cli
