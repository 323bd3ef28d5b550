// Unix-domain stream sockets on a path, with plain libc: the single-instance
// channel between copies of the program, without linking Qt Network.
#pragma once

#include <string>
#include <string_view>

namespace tintorb {

// A listening socket at path that only this user can reach; whatever was at
// path is replaced (the caller holds the directory's lock, so it is a dead
// copy's). Non-blocking, close-on-exec; -1 on failure.
int ListenLocal(const std::string& path);

// Non-blocking, close-on-exec connections; -1 when none arrives.
int AcceptLocal(int listener);

// A connection to the socket at path, waiting up to timeoutMs while its queue
// is full; -1 when nobody listens there. Non-blocking, close-on-exec.
int ConnectLocal(const std::string& path, int timeoutMs);

// Sends all of data, waiting up to timeoutMs for room; a peer that has gone
// is a failure, not a signal.
bool SendLocal(int fd, std::string_view data, int timeoutMs);

// Waits up to timeoutMs (-1: for ever) until fd has data or was closed.
bool WaitReadable(int fd, int timeoutMs);

// Reads what is there without waiting; 0 at the peer's end, -1 when nothing
// is there yet or on errors.
long ReadLocal(int fd, char* buffer, unsigned long size);

// Closes fd when it is open.
void CloseLocal(int fd);

}  // namespace tintorb
