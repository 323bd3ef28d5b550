// The program directory's lock: one holder at a time, across processes and
// spellings of the folder, released by the kernel when its holder dies; and a
// folder that cannot be locked says why instead of "in use".
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "core/FolderLock.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;

TEST(FolderLock, OneHolderAcrossProcessesUntilItDies) {
  TempDir dir;
  std::filesystem::create_directory_symlink(dir.path(), dir.path() + "/link");
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    TFolderLock held;
    const char ok = held.TryLock(dir.path()) == TFolderLock::TResult::Locked ? '1' : '0';
    [[maybe_unused]] auto n = write(ready[1], &ok, 1);
    pause();
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, '1');
  for (const std::string& spelling : {dir.path(), dir.path() + "/link/.", dir.path() + "/"}) {
    TFolderLock lock;
    EXPECT_EQ(lock.TryLock(spelling), TFolderLock::TResult::HeldByOther) << spelling;
    const auto owner = FolderLockOwner(spelling);
    ASSERT_TRUE(owner) << spelling;
    EXPECT_EQ(owner->pid, child);
    EXPECT_EQ(owner->program, ExecutableName());
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  TFolderLock lock;
  EXPECT_EQ(lock.TryLock(dir.path()), TFolderLock::TResult::Locked);
  EXPECT_EQ(FolderLockOwner(dir.path())->pid, getpid());
  TFolderLock second;  // a second open of the folder in the same process
  EXPECT_EQ(second.TryLock(dir.path() + "/link"), TFolderLock::TResult::HeldByOther);
  lock.Unlock();
  EXPECT_FALSE(FolderLockOwner(dir.path()));
  // No file of its own: the folder holds only the test's link.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(FolderLock, AFolderThatCannotBeLockedSaysWhy) {
  TempDir dir;
  WriteFileAtomic(dir / "file", "x");
  const struct {
    std::string path, why;
  } cases[] = {
      {dir / "missing", "フォルダがありません"},
      {dir / "file", "フォルダではありません"},
  };
  for (const auto& c : cases) {
    TFolderLock lock;
    EXPECT_EQ(lock.TryLock(c.path), TFolderLock::TResult::CannotLock) << c.path;
    EXPECT_FALSE(lock.Locked());
    EXPECT_EQ(FolderLockFailureText(c.path, lock.Error()),
              "'" + c.path + "' をロックできません (" + c.why + ")。");
  }
}

}  // namespace
}  // namespace tintorb
