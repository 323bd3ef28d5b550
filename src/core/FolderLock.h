// One running copy per program directory: the lock file "tintorb.lock" in the
// directory, in the layout Qt's QLockFile writes (pid, program name, host name,
// one per line) and held with flock() while its owner lives, so the program's
// QLockFile and tintorb-cli see each other's locks.
#pragma once

#include <optional>
#include <string>

namespace tintorb {

inline constexpr const char* kLockFileName = "tintorb.lock";

// dir + "/tintorb.lock".
std::string LockFilePath(const std::string& dir);

struct TLockOwner {
  long long pid = 0;
  std::string program;  // file name of the owner's executable
  std::string host;
};

// The owner written in a lock file; nullopt when there is no file or it does
// not read.
std::optional<TLockOwner> ReadLockOwner(const std::string& lockPath);

// Whether a live process holds the lock file: its flock() is held, or (where
// flock is not available) its pid still runs the same program on this host.
// A file left by a killed owner is not held.
bool LockFileHeld(const std::string& lockPath);

// Takes the lock as QLockFile does; a stale file is taken over. Released by
// the destructor.
class TFolderLock {
 public:
  enum class TResult { Locked, HeldByOther, CannotCreate };

  TFolderLock() = default;
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

  TResult TryLock(const std::string& lockPath);
  void Unlock();
  bool Locked() const { return fd_ >= 0; }

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace tintorb
