#include "core/TextFile.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tintorb {

namespace {

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  // Converts as much as possible; returns false at an unconvertible or
  // incomplete sequence, leaving `in` pointing at it.
  bool Convert(const char*& in, size_t& inLeft, std::string& out) {
    char buf[1024];
    while (inLeft > 0) {
      char* o = buf;
      size_t oLeft = sizeof buf;
      const size_t r = iconv(cd_, const_cast<char**>(&in), &inLeft, &o, &oLeft);
      out.append(buf, size_t(o - buf));
      if (r == size_t(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

// Length of the UTF-8 sequence starting at s[0] (1 for a stray byte).
size_t Utf8Len(std::string_view s) {
  const unsigned char c = static_cast<unsigned char>(s[0]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
  return std::min(n, s.size());
}

uint32_t Utf8CodePoint(std::string_view s) {
  const unsigned char c = static_cast<unsigned char>(s[0]);
  if (s.size() == 1) return c;
  uint32_t cp = c & (0x7F >> s.size());
  for (size_t i = 1; i < s.size(); ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
  return cp;
}

const std::string kBom = "\xEF\xBB\xBF";

}  // namespace

namespace {

// Some characters convert to a near match only: U+301C becomes the full-width
// tilde, U+00A5 a backslash, U+2212 a full-width hyphen. Reading such bytes back
// gives another text, so these count as characters CP932 cannot hold.
class TCp932Encoder {
 public:
  std::optional<std::string> Encode(std::string_view utf8) {
    if (!enc_.ok()) return std::nullopt;
    std::string out;
    const char* in = utf8.data();
    size_t left = utf8.size();
    const bool done = enc_.Convert(in, left, out);
    enc_.reset();
    if (!done || Cp932ToUtf8(out) != utf8) return std::nullopt;
    return out;
  }

 private:
  Iconv enc_{"CP932", "UTF-8"};
};

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  return TCp932Encoder().Encode(utf8);
}

std::string Utf8ToCp932Html(std::string_view utf8) {
  TCp932Encoder encoder;
  if (auto whole = encoder.Encode(utf8)) return *whole;
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    std::string_view ch = utf8.substr(i, Utf8Len(utf8.substr(i)));
    if (!IsValidUtf8(ch)) {
      out += "&#65533;";  // a stray byte: the replacement character
      ++i;
      continue;
    }
    if (auto bytes = encoder.Encode(ch))
      out += *bytes;
    else
      out += "&#" + std::to_string(Utf8CodePoint(ch)) + ";";
    i += ch.size();
  }
  return out;
}

std::string Cp932ToUtf8(std::string_view bytes) {
  Iconv cv("UTF-8", "CP932");
  std::string out;
  const char* in = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    if (cv.ok() && cv.Convert(in, left, out)) break;
    out += "\xEF\xBF\xBD";
    ++in;
    --left;
    if (cv.ok()) cv.reset();
  }
  return out;
}

bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n;
    uint32_t cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c >> 5) == 6) {
      n = 2;
      cp = c & 0x1F;
    } else if ((c >> 4) == 14) {
      n = 3;
      cp = c & 0x0F;
    } else if ((c >> 3) == 30) {
      n = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      const unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc >> 6) != 2) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if ((n == 2 && cp < 0x80) || (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) ||
        cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += n;
  }
  return true;
}

std::string DecodeTextFile(std::string_view bytes) {
  if (bytes.substr(0, 3) == kBom) {
    bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) return std::string(bytes);
    // Damaged UTF-8: keep every valid character, mark the rest.
    std::string out;
    size_t i = 0;
    while (i < bytes.size()) {
      const size_t n = Utf8Len(bytes.substr(i));
      if (IsValidUtf8(bytes.substr(i, n))) {
        out.append(bytes.substr(i, n));
        i += n;
      } else {
        out += "\xEF\xBF\xBD";
        ++i;
      }
    }
    return out;
  }
  return Cp932ToUtf8(bytes);
}

std::string EncodeTextFile(std::string_view utf8) {
  if (auto cp = Utf8ToCp932(utf8)) return *cp;
  return kBom + std::string(utf8);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string out;
  struct stat st {};
  // A directory opens fine but reads nothing: not a file to take as empty.
  bool ok = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
  char buf[65536];
  while (ok) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    out.append(buf, size_t(n));
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return out;
}

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
  const std::string tmp = path + ".tmp-" + std::to_string(getpid());
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw EFileWriteError("'" + path + "' に書き込めません: " + std::strerror(errno));
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      ::unlink(tmp.c_str());
      throw EFileWriteError("'" + path + "' に書き込めません: " + std::strerror(err));
    }
    p += n;
    left -= size_t(n);
  }
  const bool synced = ::fsync(fd) == 0;
  const int syncErr = errno;
  if (::close(fd) != 0 || !synced) {
    const int err = synced ? errno : syncErr;
    ::unlink(tmp.c_str());
    throw EFileWriteError("'" + path + "' に書き込めません: " + std::strerror(err));
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    throw EFileWriteError("'" + path + "' に書き込めません: " + std::strerror(err));
  }
}

}  // namespace tintorb
