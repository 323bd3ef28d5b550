// One copy per program directory: a second start brings the first to the front
// and ends; a lock nobody answers for makes the start wait, then give up.
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
  ASSERT_EQ(cli.TryLock(dir.path()), TFolderLock::TResult::Locked);
  TSingleInstance copy(Q(dir.path()));
  EXPECT_EQ(copy.Acquire(300), TStart::Busy);
  cli.Unlock();
  EXPECT_EQ(copy.Acquire(300), TStart::First);
  EXPECT_TRUE(copy.Locked());
}

TEST(SingleInstance, ServerNamesDifferPerDirectoryAndAgreeForOneReachedTwoWays) {
  TempDir a, b;
  EXPECT_NE(InstanceServerName(Q(a.path())), InstanceServerName(Q(b.path())));
  EXPECT_EQ(InstanceServerName(Q(a.path())), InstanceServerName(Q(a.path() + "/.")));
}

}  // namespace
}  // namespace tintorb
