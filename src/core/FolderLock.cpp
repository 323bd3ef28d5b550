#include "core/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>

#include "core/ProgramDir.h"
#include "core/TextFile.h"

namespace tintorb {

namespace {

std::string HostName() {
  char buf[256] = {};
  if (::gethostname(buf, sizeof buf - 1) != 0) return {};
  return buf;
}

std::string FileNameOf(std::string path) {
  const std::string deleted = " (deleted)";
  if (path.size() > deleted.size() && path.ends_with(deleted))
    path.resize(path.size() - deleted.size());
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The pid still runs the program named in the lock (a reused pid does not count).
bool OwnerAlive(const TLockOwner& owner) {
  if (owner.pid <= 0 || owner.pid > 0x7FFFFFFF) return false;
  if (!owner.host.empty() && owner.host != HostName()) return true;  // cannot tell: assume alive
  if (::kill(pid_t(owner.pid), 0) != 0 && errno == ESRCH) return false;
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/" + std::to_string(owner.pid) + "/exe", ec);
  if (ec) return true;  // no /proc, or not ours to read: the pid is alive
  return FileNameOf(exe.string()) == FileNameOf(owner.program);
}

}  // namespace

std::string LockFilePath(const std::string& dir) {
  return dir + "/" + kLockFileName;
}

std::optional<TLockOwner> ReadLockOwner(const std::string& lockPath) {
  const auto bytes = ReadFileBytes(lockPath);
  if (!bytes) return std::nullopt;
  std::string lines[3];
  size_t pos = 0;
  for (auto& line : lines) {
    if (pos >= bytes->size()) break;
    size_t end = bytes->find('\n', pos);
    if (end == std::string::npos) end = bytes->size();
    line = bytes->substr(pos, end - pos);
    pos = end + 1;
  }
  TLockOwner owner;
  if (lines[0].empty() || lines[0].size() > 18) return std::nullopt;
  for (char c : lines[0]) {
    if (c < '0' || c > '9') return std::nullopt;
    owner.pid = owner.pid * 10 + (c - '0');
  }
  if (owner.pid <= 0) return std::nullopt;
  owner.program = lines[1];
  owner.host = lines[2];
  return owner;
}

bool LockFileHeld(const std::string& lockPath) {
  const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno != ENOENT && errno != ENOTDIR;
  const int r = ::flock(fd, LOCK_SH | LOCK_NB);
  const int err = errno;
  ::close(fd);  // also drops our shared lock
  if (r != 0 && err == EWOULDBLOCK) return true;
  // Free, or a file system without flock: the pid decides. An owner that died
  // before writing its pid left nothing to wait for.
  const auto owner = ReadLockOwner(lockPath);
  return owner && OwnerAlive(*owner);
}

TFolderLock::~TFolderLock() {
  Unlock();
}

TFolderLock::TResult TFolderLock::TryLock(const std::string& lockPath) {
  Unlock();
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::flock(fd, LOCK_EX | LOCK_NB);
      const std::string text =
          std::to_string(::getpid()) + "\n" + ExecutableName() + "\n" + HostName() + "\n";
      if (::write(fd, text.data(), text.size()) != ssize_t(text.size())) {
        ::unlink(lockPath.c_str());
        ::close(fd);
        return TResult::CannotCreate;  // a full disk
      }
      ::fdatasync(fd);
      fd_ = fd;
      path_ = lockPath;
      return TResult::Locked;
    }
    if (errno != EEXIST) return TResult::CannotCreate;
    if (LockFileHeld(lockPath)) return TResult::HeldByOther;
    // Left by a copy that was killed: remove it the way QLockFile does, under
    // our own flock so that a live owner's file is never removed.
    const int stale = ::open(lockPath.c_str(), O_WRONLY | O_CLOEXEC);
    if (stale < 0) continue;
    if (::flock(stale, LOCK_EX | LOCK_NB) == 0) ::unlink(lockPath.c_str());
    ::close(stale);
  }
  return TResult::HeldByOther;
}

void TFolderLock::Unlock() {
  if (fd_ < 0) return;
  ::unlink(path_.c_str());
  ::close(fd_);
  fd_ = -1;
  path_.clear();
}

}  // namespace tintorb
