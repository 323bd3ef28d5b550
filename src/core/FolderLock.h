// One writer per program directory, for the program and tintorb-cli alike:
// flock() on the directory itself. No file is created or removed, so there is
// no moment in which two processes can both believe they hold it, a full disk
// does not matter, and the kernel releases it when its holder dies.
#pragma once

#include <optional>
#include <string>

namespace tintorb {

struct TLockOwner {
  long long pid = 0;
  std::string program;  // file name of the owner's executable; empty when unknown
};

// The process that holds the lock of `dir`, as the kernel lists it; nullopt
// when nobody holds it or the list cannot be read.
std::optional<TLockOwner> FolderLockOwner(const std::string& dir);

class TFolderLock {
 public:
  enum class TResult { Locked, HeldByOther, CannotLock };

  TFolderLock() = default;
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

  // Never waits. CannotLock leaves the errno in Error().
  TResult TryLock(const std::string& dir);
  void Unlock();
  bool Locked() const { return fd_ >= 0; }
  int Error() const { return err_; }

 private:
  int fd_ = -1;
  int err_ = 0;
};

// Why the lock of `dir` could not be taken (err from Error()), in Japanese.
std::string FolderLockFailureText(const std::string& dir, int err);

}  // namespace tintorb
