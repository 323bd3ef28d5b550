// The program directory's lock: one holder for every spelling of the folder,
// no file of its own; a folder that cannot be locked says why, not "in use".
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/FolderLock.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;

// Other processes are the race and single-instance end-to-end scripts' part.
TEST(FolderLock, OneHolderForEverySpellingAndNoFileOfItsOwn) {
  TempDir dir;
  std::filesystem::create_directory_symlink(dir.path(), dir / "link");
  TFolderLock held, second;
  ASSERT_EQ(held.TryLock(dir / "link/."), TFolderLock::TResult::Locked);
  EXPECT_EQ(second.TryLock(dir.path()), TFolderLock::TResult::HeldByOther);
  EXPECT_EQ(FolderLockOwner(dir.path())->pid, getpid());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // the link
  held.Unlock();
  EXPECT_EQ(second.TryLock(dir.path()), TFolderLock::TResult::Locked);
}

TEST(FolderLock, AFolderThatCannotBeLockedSaysWhy) {
  TempDir dir;
  WriteFileAtomic(dir / "file", "x");
  for (const auto& [path, why] : {std::pair{dir / "missing", "フォルダがありません"},
                                  std::pair{dir / "file", "フォルダではありません"}}) {
    TFolderLock lock;
    EXPECT_EQ(lock.TryLock(path), TFolderLock::TResult::CannotLock) << path;
    EXPECT_EQ(FolderLockFailureText(path, lock.Error()),
              "'" + path + "' をロックできません (" + why + ")。");
  }
}

}  // namespace
}  // namespace tintorb
