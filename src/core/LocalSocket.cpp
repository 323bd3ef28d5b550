#include "core/LocalSocket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace tintorb {

namespace {

bool Address(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

int NewSocket() {
  return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

bool BindAndListen(int fd, const std::string& path) {
  sockaddr_un address;
  return Address(path, address) &&
         ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
         ::listen(fd, SOMAXCONN) == 0;
}

// Bound inside a fresh private directory and moved into place, so that no
// other user can connect in the moment between bind and chmod.
int ListenPrivately(const std::string& path) {
  const std::string parent = path.substr(0, path.rfind('/') + 1);
  std::string dir = parent + "tintorb-XXXXXX";
  if (!::mkdtemp(dir.data())) return -1;
  const std::string temporary = dir + "/s";
  int fd = NewSocket();
  if (fd >= 0 && (!BindAndListen(fd, temporary) || ::chmod(temporary.c_str(), S_IRWXU) != 0 ||
                  ::rename(temporary.c_str(), path.c_str()) != 0)) {
    CloseLocal(fd);
    fd = -1;
  }
  ::unlink(temporary.c_str());
  ::rmdir(dir.c_str());
  return fd;
}

}  // namespace

int ListenLocal(const std::string& path) {
  if (path.find('/') == std::string::npos) return -1;
  if (const int fd = ListenPrivately(path); fd >= 0) return fd;
  // A parent where no directory can be made: bind there, readable by the
  // umask's choice.
  ::unlink(path.c_str());
  const int fd = NewSocket();
  if (fd >= 0 && !BindAndListen(fd, path)) {
    CloseLocal(fd);
    return -1;
  }
  return fd;
}

int AcceptLocal(int listener) {
  int fd;
  do fd = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  while (fd < 0 && errno == EINTR);
  return fd;
}

int ConnectLocal(const std::string& path, int timeoutMs) {
  sockaddr_un address;
  if (!Address(path, address)) return -1;
  const int fd = NewSocket();
  if (fd < 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
    // A full queue: the listener is there but slow to accept.
    if ((errno == EAGAIN || errno == EINTR) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      continue;
    }
    if (errno == EINPROGRESS) {
      pollfd p{fd, POLLOUT, 0};
      int error = 0;
      socklen_t size = sizeof error;
      if (::poll(&p, 1, timeoutMs) == 1 &&
          ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0)
        return fd;
    }
    CloseLocal(fd);
    return -1;
  }
}

bool SendLocal(int fd, std::string_view data, int timeoutMs) {
  while (!data.empty()) {
    const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      data.remove_prefix(size_t(sent));
      continue;
    }
    if (sent < 0 && errno == EINTR) continue;
    pollfd p{fd, POLLOUT, 0};
    if (sent < 0 && errno == EAGAIN && ::poll(&p, 1, timeoutMs) == 1 && (p.revents & POLLOUT))
      continue;
    return false;
  }
  return true;
}

bool WaitReadable(int fd, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  int ready;
  do ready = ::poll(&p, 1, timeoutMs);
  while (ready < 0 && errno == EINTR);
  return ready == 1;
}

long ReadLocal(int fd, char* buffer, unsigned long size) {
  ssize_t got;
  do got = ::read(fd, buffer, size);
  while (got < 0 && errno == EINTR);
  return got;
}

void CloseLocal(int fd) {
  if (fd >= 0) ::close(fd);
}

}  // namespace tintorb
