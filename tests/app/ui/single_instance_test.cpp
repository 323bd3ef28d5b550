// One copy per program directory: a second start brings the first to the front
// and ends; a lock nobody answers for makes the start wait, then give up.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

TEST(SingleInstance, ADeadCopysSocketIsReplacedByOneOnlyTheUserReaches) {
  TempDir dir;
  const std::string path = InstanceSocketPath(Q(dir.path())).toStdString();
  {  // left behind by a killed copy: bound, nobody listening
    const int stale = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(stale);
  }
  {
    TSingleInstance first(Q(dir.path()));
    ASSERT_EQ(first.Acquire(0), TStart::First);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 0077, 0u);
    std::atomic<int> second{-1};
    std::thread starter([&] { second = int(TSingleInstance(Q(dir.path())).Acquire(0)); });
    QTRY_VERIFY_WITH_TIMEOUT(second != -1, 5000);
    starter.join();
    EXPECT_EQ(second, int(TStart::AnotherRunning));
  }
  EXPECT_NE(access(path.c_str(), F_OK), 0) << "the socket outlives its copy";
}

TEST(SingleInstance, ServerNamesDifferPerDirectoryAndAgreeForOneReachedTwoWays) {
  TempDir a, b;
  EXPECT_NE(InstanceServerName(Q(a.path())), InstanceServerName(Q(b.path())));
  EXPECT_EQ(InstanceServerName(Q(a.path())), InstanceServerName(Q(a.path() + "/.")));
}

}  // namespace
}  // namespace tintorb
