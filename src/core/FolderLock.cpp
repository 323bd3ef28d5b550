#include "core/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "core/TextFile.h"

namespace tintorb {

namespace {

std::string ProgramOf(long long pid) {
  std::error_code ec;
  std::string exe =
      std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", ec).string();
  const std::string deleted = " (deleted)";
  if (exe.ends_with(deleted)) exe.resize(exe.size() - deleted.size());
  if (ec || exe.empty()) {
    // Another user's process: its command name is still readable.
    exe = ReadFileBytes("/proc/" + std::to_string(pid) + "/comm", 4096).value_or("");
    while (!exe.empty() && exe.back() == '\n') exe.pop_back();
  }
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? exe : exe.substr(slash + 1);
}

}  // namespace

std::optional<TLockOwner> FolderLockOwner(const std::string& dir) {
  struct stat st {};
  if (::stat(dir.c_str(), &st) != 0) return std::nullopt;
  const auto locks = ReadFileBytes("/proc/locks", 64u << 20);
  if (!locks) return std::nullopt;
  // "1: FLOCK  ADVISORY  WRITE 4711 00:2a:1234 0 EOF"; blocked waiters have "->".
  std::optional<TLockOwner> inodeOnly;  // file systems whose stat() device differs
  std::istringstream lines(*locks);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream f(line);
    std::string n, kind, mode, access, file;
    long long pid = 0;
    if (!(f >> n >> kind) || kind != "FLOCK" || !(f >> mode >> access >> pid >> file)) continue;
    unsigned maj = 0, min = 0;
    unsigned long long ino = 0;
    if (std::sscanf(file.c_str(), "%x:%x:%llu", &maj, &min, &ino) != 3) continue;
    if (ino != st.st_ino) continue;
    if (maj == major(st.st_dev) && min == minor(st.st_dev)) return TLockOwner{pid, ProgramOf(pid)};
    if (!inodeOnly) inodeOnly = TLockOwner{pid, ProgramOf(pid)};
  }
  return inodeOnly;
}

TFolderLock::~TFolderLock() {
  Unlock();
}

TFolderLock::TResult TFolderLock::TryLock(const std::string& dir) {
  Unlock();
  err_ = 0;
  // Close-on-exec: a helper the program starts must not keep the folder locked.
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    err_ = errno;
    return TResult::CannotLock;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    if (e == EWOULDBLOCK) return TResult::HeldByOther;
    err_ = e;
    return TResult::CannotLock;
  }
  fd_ = fd;
  return TResult::Locked;
}

void TFolderLock::Unlock() {
  if (fd_ < 0) return;
  ::close(fd_);  // drops the flock
  fd_ = -1;
}

std::string FolderLockFailureText(const std::string& dir, int err) {
  std::string why;
  switch (err) {
    case ENOENT:
      why = "フォルダがありません";
      break;
    case ENOTDIR:
      why = "フォルダではありません";
      break;
    case EACCES:
    case EPERM:
      why = "フォルダを開く権限がありません";
      break;
    case ENOLCK:
    case EINVAL:
    case EOPNOTSUPP:
    case EBADF:
      why = "このファイルシステムはロックに対応していません";
      break;
    default:
      why = std::strerror(err);
  }
  return "'" + dir + "' をロックできません (" + why + ")。";
}

}  // namespace tintorb
