// Kill at any moment: the real program is closed through its menu (Alt+F, X)
// while this helper kills it with SIGKILL at a random moment of its exit
// writes; then every settings and group file must be the complete old or the
// complete new file. The next round starts on the killed copy's stale lock.
// Usage: kill_at_exit PROGRAM ROUNDS [SEED]   (under an X server: xvfb-run -a)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kGroups = 6;
constexpr int kRowsPerGroup = 4000;

[[noreturn]] void Die(const std::string& what) {
  std::fprintf(stderr, "FAIL: %s\n", what.c_str());
  std::exit(1);
}

std::string ReadAll(const fs::path& p, bool* exists = nullptr) {
  std::ifstream in(p, std::ios::binary);
  if (exists) *exists = bool(in);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteAll(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) Die("cannot write " + p.string());
}

std::string Crlf(const std::string& lf) {
  std::string out;
  for (char c : lf) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string Marker(int round) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08d", round);
  return buf;
}

// The files as this helper leaves them before a round: LF line ends, which the
// program rewrites as CR LF, so old and new always differ.
std::map<std::string, std::string> OldFiles(int round) {
  std::map<std::string, std::string> files;
  // With a History section the recent-copies write (the last one) gives the
  // same file as the main write before it.
  std::string ini =
      "[Round]\nMarker=" + Marker(round) + "\n[History]\nCount=1\nH0=\"#FF0000\"\n[Bulk]\n";
  for (int i = 0; i < 3000; ++i)
    ini += "Key" + std::to_string(i) + "=value of key number " + std::to_string(i) + "\n";
  files["tintorb.ini"] = ini;
  for (int g = 0; g < kGroups; ++g) {
    std::string rows;
    for (int i = 0; i < kRowsPerGroup; ++i) {
      char row[64];
      std::snprintf(row, sizeof row, "%06X,round %s row %d\n", (i * 2654435761u) & 0xFFFFFF,
                    Marker(round).c_str(), i);
      rows += row;
    }
    files["group" + std::to_string(g) + ".tintorb"] = rows;
  }
  return files;
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
  return s;
}

pid_t Start(const std::string& program, const fs::path& home) {
  const pid_t pid = fork();
  if (pid < 0) Die("fork");
  if (pid == 0) {
    setenv("TINTORB_HOME", home.c_str(), 1);
    const int log = open((home.string() + ".log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(log, 1);
    dup2(log, 2);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

// Waits for the main window to be mapped, focuses it and chooses 終了 in the
// File menu. (Polled: search --sync sleeps half a second between looks.)
bool CloseThroughMenu(pid_t pid) {
  const auto until = Clock::now() + std::chrono::seconds(20);
  while (std::system("xdotool search --onlyvisible --name '^Tintorb \\[' windowfocus --sync "
                     ">/dev/null 2>&1") != 0) {
    if (Clock::now() > until || waitpid(pid, nullptr, WNOHANG) == pid) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  // Typed (XTEST) into the focused window, as a person does.
  return std::system("xdotool key --clearmodifiers --delay 30 alt+f x >/dev/null 2>&1") == 0;
}

// Waits until the program creates a file (its first exit write), up to ms.
bool WaitForFirstWrite(int fd, int ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(ms);
  char buf[4096];
  while (Clock::now() < until) {
    pollfd p{fd, POLLIN, 0};
    const int left =
        int(std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count());
    if (poll(&p, 1, std::max(left, 1)) <= 0) continue;
    const ssize_t n = read(fd, buf, sizeof buf);
    for (ssize_t at = 0; at < n;) {
      const auto* ev = reinterpret_cast<const inotify_event*>(buf + at);
      const std::string name = ev->len ? ev->name : "";
      if (name.rfind("tintorb.lock", 0) != 0) return true;
      at += ssize_t(sizeof(inotify_event) + ev->len);
    }
  }
  return false;
}

void Drain(int fd) {
  char buf[4096];
  while (read(fd, buf, sizeof buf) > 0) {
  }
}

int WatchDir(const fs::path& home) {
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0 || inotify_add_watch(fd, home.c_str(), IN_CREATE | IN_MOVED_TO) < 0) Die("inotify");
  return fd;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Die("usage: kill_at_exit PROGRAM ROUNDS [SEED]");
  const std::string program = argv[1];
  const int rounds = std::atoi(argv[2]);
  const unsigned seed = argc > 3 ? unsigned(std::atoi(argv[3])) : 22u;
  const fs::path home = fs::temp_directory_path() / ("tintorb-kill-" + std::to_string(getpid()));
  fs::remove_all(home);
  fs::create_directories(home);
  std::mt19937 rng(seed);
  const int watch = WatchDir(home);

  // Calibration: one whole exit gives the new files and how long the writes take.
  auto old0 = OldFiles(0);
  for (const auto& [name, bytes] : old0) WriteAll(home / name, bytes);
  pid_t pid = Start(program, home);
  Drain(watch);
  if (!CloseThroughMenu(pid)) Die("could not close the program through its menu");
  if (!WaitForFirstWrite(watch, 10000)) Die("no exit write after closing");
  const auto t0 = Clock::now();
  auto lastRename = t0;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) != pid) {
    pollfd p{watch, POLLIN, 0};
    if (poll(&p, 1, 5) <= 0) continue;
    char buf[4096];
    for (ssize_t n = read(watch, buf, sizeof buf), at = 0; at < n;) {
      const auto* ev = reinterpret_cast<const inotify_event*>(buf + at);
      if (ev->mask & IN_MOVED_TO) lastRename = Clock::now();
      at += ssize_t(sizeof(inotify_event) + ev->len);
    }
  }
  const auto writeTime = lastRename - t0;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    Die("the calibration run did not end normally");
  std::map<std::string, std::string> new0;
  for (const auto& [name, bytes] : old0) {
    new0[name] = ReadAll(home / name);
    if (new0[name] == bytes) Die(name + " was not rewritten");
  }
  for (int g = 0; g < kGroups; ++g) {
    const std::string name = "group" + std::to_string(g) + ".tintorb";
    if (new0[name] != Crlf(old0[name])) Die(name + " was not rewritten row for row");
  }
  const long long spanUs = std::chrono::duration_cast<std::chrono::microseconds>(writeTime).count();
  std::printf("exit writes take %.1f ms (first file created to last renamed); %d rounds, seed %u\n",
              spanUs / 1000.0, rounds, seed);

  int killedMid = 0, killedBefore = 0, killedAfter = 0, endedFirst = 0, newFiles = 0, oldFiles = 0;
  std::uniform_int_distribution<long long> delay(0, spanUs + spanUs / 5);
  for (int round = 1; round <= rounds; ++round) {
    const auto old = OldFiles(round);
    for (const auto& [name, bytes] : old) WriteAll(home / name, bytes);
    for (const auto& e : fs::directory_iterator(home))  // temporary files of killed writes
      if (e.path().filename().string().find(".tmp") != std::string::npos) fs::remove(e.path());
    pid = Start(program, home);
    Drain(watch);
    if (!CloseThroughMenu(pid)) {
      const bool gone = waitpid(pid, &status, WNOHANG) == pid;
      std::system("xdotool search --name '' getwindowname %@ 2>/dev/null | sort | uniq -c >&2");
      Die("round " + std::to_string(round) + ": the program did not come up (" +
          (gone ? "it ended, status " + std::to_string(status) : "no window") + "); its output:\n" +
          ReadAll(home.string() + ".log") + "lock file: " + ReadAll(home / "tintorb.lock"));
    }
    if (!WaitForFirstWrite(watch, 10000))
      Die("round " + std::to_string(round) + ": no exit write after closing");
    const long long us = delay(rng);
    std::this_thread::sleep_for(std::chrono::microseconds(us));
    const bool ended = waitpid(pid, &status, WNOHANG) == pid;
    if (!ended) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
    }
    bool anyNew = false, anyOld = false;
    for (const auto& [name, oldBytes] : old) {
      bool exists = false;
      const std::string got = ReadAll(home / name, &exists);
      const std::string want = Replace(new0.at(name), Marker(0), Marker(round));
      if (got == want) {
        anyNew = true;
        ++newFiles;
      } else if (got == oldBytes) {
        anyOld = true;
        ++oldFiles;
      } else {
        Die("round " + std::to_string(round) + " (kill after " + std::to_string(us) +
            " us): " + name +
            (exists
                 ? " is neither the old nor the new file (" + std::to_string(got.size()) + " bytes)"
                 : " is missing"));
      }
    }
    if (ended)
      ++endedFirst;
    else if (anyNew && anyOld)
      ++killedMid;
    else if (anyOld)
      ++killedBefore;
    else
      ++killedAfter;
  }
  std::printf(
      "%d rounds passed: killed before the first file was replaced %d, between files %d, after "
      "the last %d; ended before the kill %d; files found old %d, new %d\n",
      rounds, killedBefore, killedMid, killedAfter, endedFirst, oldFiles, newFiles);
  fs::remove_all(home);
  fs::remove(home.string() + ".log");
  return 0;
}
