// One copy per program directory: a second start brings the first to the front
// and ends; a lock nobody answers for makes the start wait, then give up; a
// dead copy's lock is taken over.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>
#include <QWidget>
#include <atomic>
#include <thread>

#include "app/ui/SingleInstance.h"
#include "core/FolderLock.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;
using TStart = TSingleInstance::TStart;

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

TEST(SingleInstance, SecondStartBringsTheFirstToTheFrontAndEnds) {
  TempDir dir;
  TSingleInstance first(Q(dir.path()));
  ASSERT_EQ(first.Acquire(0), TStart::First);
  EXPECT_TRUE(first.Locked());
  QWidget window;
  window.showMinimized();
  first.SetWindow(&window);

  // The second copy blocks as a starting program does; this thread answers.
  std::atomic<int> second{-1};
  std::thread starter([&] {
    TSingleInstance copy(Q(dir.path()));
    second = int(copy.Acquire(0));
  });
  QTRY_VERIFY_WITH_TIMEOUT(second != -1, 5000);
  starter.join();
  EXPECT_EQ(second, int(TStart::AnotherRunning));
  EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
  EXPECT_TRUE(window.isVisible());
}

TEST(SingleInstance, ALockNobodyAnswersForIsWaitedForThenBusy) {
  TempDir dir;
  TFolderLock cli;  // tintorb-cli at work: holds the lock, has no window
  ASSERT_EQ(cli.TryLock(LockFilePath(dir.path())), TFolderLock::TResult::Locked);
  TSingleInstance copy(Q(dir.path()));
  EXPECT_EQ(copy.Acquire(300), TStart::Busy);
  cli.Unlock();
  EXPECT_EQ(copy.Acquire(300), TStart::First);
  EXPECT_TRUE(copy.Locked());
}

TEST(SingleInstance, LocksOfDeadCopiesAreTakenOver) {
  const pid_t dead = fork();
  if (dead == 0) _exit(0);
  waitpid(dead, nullptr, 0);
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  // A killed program's QLockFile, and one that died before writing anything
  // (which QLockFile alone would keep forever).
  for (const std::string& content :
       {std::to_string(dead) + "\ntintorb\n" + host + "\n", std::string()}) {
    TempDir dir;
    WriteFileAtomic(LockFilePath(dir.path()), content);
    TSingleInstance copy(Q(dir.path()));
    EXPECT_EQ(copy.Acquire(0), TStart::First) << content;
    EXPECT_TRUE(copy.Locked());
    EXPECT_EQ(ReadLockOwner(LockFilePath(dir.path()))->pid, getpid());
  }
}

TEST(SingleInstance, ServerNamesDifferPerDirectoryAndAgreeForOneReachedTwoWays) {
  TempDir a, b;
  EXPECT_NE(InstanceServerName(Q(a.path())), InstanceServerName(Q(b.path())));
  EXPECT_EQ(InstanceServerName(Q(a.path())), InstanceServerName(Q(a.path() + "/.")));
}

}  // namespace
}  // namespace tintorb
