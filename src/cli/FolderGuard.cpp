#include "cli/FolderGuard.h"

#include <stdexcept>

#include "cli/Cli.h"

namespace tintorb::cli {

void LockProgramDir(TFolderLock& lock, const std::string& dir) {
  switch (lock.TryLock(dir)) {
    case TFolderLock::TResult::Locked:
      return;
    case TFolderLock::TResult::CannotLock:
      throw std::runtime_error(FolderLockFailureText(dir, lock.Error()) + " nothing was written");
    case TFolderLock::TResult::HeldByOther:
      break;
  }
  std::string who = "Tintorb";
  if (const auto owner = FolderLockOwner(dir))
    who = (owner->program.empty() ? "a process" : owner->program) + " (pid " +
          std::to_string(owner->pid) + ")";
  throw UsageError("'" + dir + "' is in use by " + who +
                   ": close it first, or its exit would overwrite this command's changes");
}

}  // namespace tintorb::cli
