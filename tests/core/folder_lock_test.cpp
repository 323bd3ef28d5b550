// The program directory's lock as tintorb-cli takes it: held while its owner
// lives, taken over when the owner died (killed, or before writing its pid).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/FolderLock.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;

// The pid of a process that has already ended.
pid_t DeadPid() {
  const pid_t pid = fork();
  if (pid == 0) _exit(0);
  waitpid(pid, nullptr, 0);
  return pid;
}

TEST(FolderLock, HeldWhileLockedWithTheOwnerWrittenAsQLockFileDoes) {
  TempDir dir;
  const std::string path = LockFilePath(dir.path());
  EXPECT_FALSE(LockFileHeld(path));
  {
    TFolderLock lock;
    ASSERT_EQ(lock.TryLock(path), TFolderLock::TResult::Locked);
    const auto owner = ReadLockOwner(path);
    ASSERT_TRUE(owner);
    EXPECT_EQ(owner->pid, getpid());
    EXPECT_EQ(owner->program, ExecutableName());
    EXPECT_TRUE(LockFileHeld(path));
    TFolderLock second;
    EXPECT_EQ(second.TryLock(path), TFolderLock::TResult::HeldByOther);
    EXPECT_TRUE(lock.Locked());
  }
  EXPECT_FALSE(LockFileHeld(path));
  EXPECT_FALSE(ReadFileBytes(path));  // removed on release
}

TEST(FolderLock, FilesOfDeadOwnersAreTakenOver) {
  const pid_t dead = DeadPid();
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  const std::string cases[] = {
      std::to_string(dead) + "\n" + ExecutableName() + "\n" + host + "\n",  // killed
      "",                                                                   // died before writing
      "garbage\n",
      // A live pid that runs another program (a pid reused after a crash).
      std::to_string(getppid()) + "\nno-such-program\n" + host + "\n",
  };
  for (const auto& content : cases) {
    TempDir dir;
    const std::string path = LockFilePath(dir.path());
    WriteFileAtomic(path, content);
    EXPECT_FALSE(LockFileHeld(path)) << content;
    TFolderLock lock;
    EXPECT_EQ(lock.TryLock(path), TFolderLock::TResult::Locked) << content;
    EXPECT_EQ(ReadLockOwner(path)->pid, getpid());
  }
}

TEST(FolderLock, AnOwnerAliveWithoutItsFlockStillHolds) {
  // Written by a live copy on a file system without flock: the pid decides.
  TempDir dir;
  const std::string path = LockFilePath(dir.path());
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  WriteFileAtomic(path, std::to_string(getpid()) + "\n" + ExecutableName() + "\n" + host + "\n");
  EXPECT_TRUE(LockFileHeld(path));
  TFolderLock lock;
  EXPECT_EQ(lock.TryLock(path), TFolderLock::TResult::HeldByOther);
}

TEST(FolderLock, ReadOnlyDirectoryCannotBeLocked) {
  TFolderLock lock;
  EXPECT_EQ(lock.TryLock("/proc/tintorb.lock"), TFolderLock::TResult::CannotCreate);
}

}  // namespace
}  // namespace tintorb
