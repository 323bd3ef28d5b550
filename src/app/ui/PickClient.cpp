#include "app/ui/PickClient.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cstdio>
#include <string_view>
#include <vector>

#include "app/ui/PickCommand.h"
#include "app/ui/SingleInstance.h"
#include "core/LocalSocket.h"
#include "core/ProgramDir.h"

namespace tintorb {

namespace {

constexpr int kStartLimitMs = 30000;  // a slow first start of a desktop session

// Closes the connection however the client ends.
struct TSocket {
  int fd = -1;
  ~TSocket() { CloseLocal(fd); }
};

bool Connect(TSocket& socket, const std::string& path) {
  socket.fd = ConnectLocal(path, 1000);
  return socket.fd >= 0;
}

// The program as usual (same arguments but --pick), in a session of its own
// so that it outlives this process and a Ctrl+C given to it; its standard
// output is not ours, so c=$(tintorb --pick) ends when we do.
pid_t StartProgram(int argc, char** argv) {
  std::vector<char*> args{argv[0]};
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a != "--pick" && !a.starts_with("--pick=")) args.push_back(argv[i]);
  }
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  setsid();
  const int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
  }
  setenv(kStartedToPickVariable, "1", 1);
  execv("/proc/self/exe", args.data());
  _exit(127);
}

}  // namespace

int RunPickClient(int argc, char** argv, TPickForm form) {
  QCoreApplication app(argc, argv);
  const std::string name =
      QFile::encodeName(InstanceSocketPath(QString::fromStdString(ProgramDir()))).toStdString();
  TSocket socket;
  bool connected = Connect(socket, name);
  if (!connected) {
    pid_t child = StartProgram(argc, argv);
    QElapsedTimer waited;
    waited.start();
    while (!(connected = Connect(socket, name)) && child > 0 && waited.elapsed() < kStartLimitMs) {
      // A program that ended at once may have found another copy starting.
      if (waitpid(child, nullptr, WNOHANG) == child) {
        child = 0;
        connected = Connect(socket, name);
        break;
      }
      QThread::msleep(5);
    }
  }
  if (!connected) {
    std::fputs("tintorb: the program could not be started to pick a colour\n", stderr);
    return 2;
  }
  SendLocal(socket.fd, "pick " + std::string(PickFormName(form)) + "\n", 1000);
  // The user may take as long as they like.
  QByteArray answer;
  while (!answer.endsWith('\n') && WaitReadable(socket.fd, -1)) {
    char chunk[512];
    const long got = ReadLocal(socket.fd, chunk, sizeof chunk);
    if (got <= 0) break;
    answer.append(chunk, got);
  }
  if (answer.startsWith("taken ")) {
    const QByteArray text = answer.mid(6);
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
    return 0;
  }
  if (answer == "none\n") return 1;
  if (answer == "busy\n") {
    std::fputs("tintorb: a pick is already under way\n", stderr);
    return 1;
  }
  if (answer == "ok\n") {
    std::fputs("tintorb: the running copy cannot pick; close it and try again\n", stderr);
    return 2;
  }
  std::fputs("tintorb: the program ended before the pick\n", stderr);
  return 2;
}

}  // namespace tintorb
