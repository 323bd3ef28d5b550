#include "core/TextFile.h"

#include <fcntl.h>
#include <iconv.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/ErrorText.h"

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

namespace {

bool HasNonAscii(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Valid UTF-8 with a non-ASCII byte is read as UTF-8 when there is no BOM.
bool LooksLikeUtf8(std::string_view bytes) {
  return HasNonAscii(bytes) && IsValidUtf8(bytes);
}

const std::string kReplacement = "\xEF\xBF\xBD";

// The bytes of `utf8` in the file encoding asked for, and the one used.
std::string Encode(std::string_view utf8, TTextEncoding& encoding) {
  if (encoding == TTextEncoding::Utf8) return std::string(utf8);
  if (encoding == TTextEncoding::Cp932) {
    // CP932 bytes that are valid UTF-8 would come back as other text.
    if (auto cp = Utf8ToCp932(utf8); cp && !LooksLikeUtf8(*cp)) return *cp;
    encoding = TTextEncoding::Utf8Bom;
  }
  return kBom + std::string(utf8);
}

// Damaged UTF-8: every valid character is kept, each stray byte becomes
// U+FFFD. Counts what the bytes look like, to tell damaged UTF-8 from CP932.
struct TUtf8Evidence {
  size_t wide = 0;    // valid three- and four-byte characters (kana, kanji, ...)
  size_t narrow = 0;  // valid two-byte characters
  size_t strays = 0;  // bytes that start no valid character
};

std::string DecodeDamagedUtf8(std::string_view bytes, TUtf8Evidence* evidence = nullptr) {
  std::string out;
  out.reserve(bytes.size());
  TUtf8Evidence ev;
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t n = Utf8Len(bytes.substr(i));
    if (n == 1 && static_cast<unsigned char>(bytes[i]) < 0x80) {
      out += bytes[i++];
    } else if (n > 1 && IsValidUtf8(bytes.substr(i, n))) {
      out.append(bytes.substr(i, n));
      i += n;
      ++(n == 2 ? ev.narrow : ev.wide);
    } else {
      out += kReplacement;
      ++i;
      ++ev.strays;
    }
  }
  if (evidence) *evidence = ev;
  return out;
}

}  // namespace

std::string DecodeTextFile(std::string_view bytes, TTextFileForm* form) {
  TTextFileForm f;
  std::string out;
  if (bytes.substr(0, 3) == kBom) {
    f.encoding = TTextEncoding::Utf8Bom;
    bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) {
      out = bytes;
    } else {
      f.damaged = true;
      out = DecodeDamagedUtf8(bytes);
    }
  } else if (!HasNonAscii(bytes)) {
    out = bytes;  // the same in either encoding: CP932 stays the default
  } else if (IsValidUtf8(bytes)) {
    f.encoding = TTextEncoding::Utf8;
    out = bytes;
  } else {
    // UTF-8 with a few stray bytes (a cut copy, a byte from another tool)
    // stays UTF-8. CP932 kana and kanji often pair up into two-byte UTF-8
    // forms, but hardly ever into three-byte ones without a stray byte beside
    // each.
    TUtf8Evidence ev;
    out = DecodeDamagedUtf8(bytes, &ev);
    if (ev.wide > 0 && ev.wide >= 4 * (ev.strays + ev.narrow)) {
      f.encoding = TTextEncoding::Utf8;
      f.damaged = true;
    } else {
      out = Cp932ToUtf8(bytes);
      // CP932 has no form of U+FFFD, so one in the text marks undecodable bytes.
      f.damaged = out.find(kReplacement) != std::string::npos;
    }
  }
  if (form) *form = f;
  return out;
}

std::string EncodeTextFile(std::string_view utf8, TTextEncoding encoding) {
  return Encode(utf8, encoding);
}

TFileRead ReadRegularFile(const std::string& path, size_t limit) {
  TFileRead r;
  // O_NONBLOCK: opening a FIFO for reading would wait for a writer forever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    r.failure = errno == ENOENT ? TReadFailure::Missing : TReadFailure::Failed;
    r.err = errno;
    return r;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    r.failure = TReadFailure::Failed;
    r.err = errno;
  } else if (!S_ISREG(st.st_mode)) {
    r.failure = TReadFailure::NotRegular;
    r.fileType = st.st_mode & S_IFMT;
  } else if (size_t(st.st_size) > limit) {
    r.failure = TReadFailure::TooLarge;
    r.size = size_t(st.st_size);
  }
  std::string out;
  if (r.failure == TReadFailure::None) {
    out.reserve(size_t(st.st_size));
    char buf[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        r.failure = TReadFailure::Failed;
        r.err = errno;
        break;
      }
      if (n == 0) break;
      out.append(buf, size_t(n));
      // A file that grows while it is read stops at the limit too.
      if (out.size() > limit) {
        r.failure = TReadFailure::TooLarge;
        r.size = out.size();
        break;
      }
    }
  }
  ::close(fd);
  if (r.failure == TReadFailure::None) r.bytes = std::move(out);
  return r;
}

namespace {

std::string FileTypeName(unsigned type) {
  switch (type) {
    case S_IFIFO:
      return "名前付きパイプ (FIFO)";
    case S_IFCHR:
    case S_IFBLK:
      return "デバイス";
    case S_IFDIR:
      return "フォルダ";
    case S_IFSOCK:
      return "ソケット";
  }
  return "通常のファイル以外のもの";
}

std::string ErrnoText(int err) {
  switch (err) {
    case EACCES:
    case EPERM:
      return "読み取りの権限がありません";
    case EIO:
      return "入出力エラーが起きました";
    case ELOOP:
      return "シンボリックリンクが循環しています";
    case ENOTDIR:
      return "途中にフォルダでないものがあります";
    case ENAMETOOLONG:
      return "名前が長すぎます";
  }
  return std::string("読み取れません (") + std::strerror(err) + ")";
}

}  // namespace

std::string ReadFailureText(const std::string& path, const TFileRead& read) {
  const std::string name = "'" + path + "' ";
  switch (read.failure) {
    case TReadFailure::None:
      return {};
    case TReadFailure::Missing:
      return name + "がありません";
    case TReadFailure::NotRegular:
      return name + "は" + FileTypeName(read.fileType) + "で、通常のファイルではありません";
    case TReadFailure::TooLarge:
      return name + "は大きすぎます (" + std::to_string(read.size) + " バイト、上限 " +
             std::to_string(kReadFileLimit >> 20) + " MiB)";
    case TReadFailure::Failed:
      break;
  }
  return name + "は" + ErrnoText(read.err);
}

std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit) {
  return ReadRegularFile(path, limit).bytes;
}

namespace {

[[noreturn]] void ThrowWriteError(const std::string& path, int err) {
  throw EFileWriteError("'" + path + "' に書き込めません: " + SystemErrorText(err));
}

// Writes all bytes; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= size_t(n);
  }
  return true;
}

// Sets the permission bits (unless `mode` is negative), writes, syncs and
// closes; false with errno set on failure. The descriptor is closed either way.
bool FinishFile(int fd, int mode, std::string_view bytes) {
  const bool ok =
      (mode < 0 || ::fchmod(fd, mode_t(mode)) == 0) && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int err = errno;
  if (::close(fd) != 0 && ok) return false;
  errno = err;
  return ok;
}

// The file that `path` names once every symbolic link on its last component is
// followed; a dangling link names the file it would create.
std::string ResolveLinks(const std::string& path) {
  std::filesystem::path p = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p.string();
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::read_symlink(p, ec);
    if (ec) ThrowWriteError(path, ec.value());
    p = target.is_absolute() ? target : p.parent_path() / target;
  }
  ThrowWriteError(path, ELOOP);
}

}  // namespace

std::string TemporaryName(const std::string& target) {
  const std::string suffix = ".tmp-" + std::to_string(getpid());
  const size_t slash = target.rfind('/') + 1;  // npos + 1 == 0
  std::string name = target.substr(slash);
  const size_t room = 255 - suffix.size();
  if (name.size() > room) {
    // Cut before the extension, which tells the clean-up whose file it was.
    const size_t dot = name.rfind('.');
    const size_t ext = dot != std::string::npos && name.size() - dot <= 16 ? name.size() - dot : 0;
    name = name.substr(0, room - ext) + name.substr(name.size() - ext);
  }
  return target.substr(0, slash) + name + suffix;
}

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
  const std::string target = ResolveLinks(path);
  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  const std::string tmp = TemporaryName(target);
  ::unlink(tmp.c_str());  // a leftover of a crashed run with the same id
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) ThrowWriteError(path, errno);
  // The umask may have taken bits away; the file being replaced had them.
  if (!FinishFile(fd, exists ? int(st.st_mode & 07777) : -1, bytes)) {
    const int err = errno;
    ::unlink(tmp.c_str());
    ThrowWriteError(path, err);
  }
  if (std::rename(tmp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    ThrowWriteError(path, err);
  }
  // The rename itself reaches the disk only with its folder.
  const std::string dir = std::filesystem::path(target).parent_path().string();
  const int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    const bool synced = ::fsync(dfd) == 0 || errno == EINVAL;  // EINVAL: cannot be synced
    const int err = errno;
    ::close(dfd);
    if (!synced) ThrowWriteError(path, err);
  }
}

int RemoveStaleTemporaries(const std::string& dir,
                           const std::function<bool(std::string_view)>& isOwnFile) {
  namespace fs = std::filesystem;
  int removed = 0;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    const size_t at = name.rfind(".tmp-");
    if (at == std::string::npos || at + 5 == name.size() || name.size() - at > 5 + 9) continue;
    if (name.find_first_not_of("0123456789", at + 5) != std::string::npos) continue;
    // The folder may be a user's own: only temporaries of our files go.
    if (!isOwnFile(std::string_view(name).substr(0, at))) continue;
    const long pid = std::stol(name.substr(at + 5));
    // A live process may be writing it right now (another tool on the folder).
    if (pid <= 0 || pid == long(getpid()) || ::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue;
    std::error_code rm;
    if (entry.is_regular_file(rm) && fs::remove(entry.path(), rm)) ++removed;
  }
  return removed;
}

namespace {

// Copies the bytes now at `path` to a backup beside it with the same
// permission bits; returns its path, or "" when there is no file to keep.
std::string KeepOriginal(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return {};
  struct stat st {};
  const mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0600;
  for (int n = 1; n <= 100; ++n) {
    const std::string bak = path + ".bak" + (n == 1 ? "" : "." + std::to_string(n));
    // A backup of the same bytes from an earlier run is kept, not doubled.
    if (const auto old = ReadFileBytes(bak)) {
      if (*old == *bytes) return bak;
      continue;
    }
    const int fd = ::open(bak.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0 || !FinishFile(fd, int(mode), *bytes)) {
      const int err = errno;
      if (fd >= 0) ::unlink(bak.c_str());
      throw EFileWriteError("'" + bak + "' に元のファイルを残せないため、'" + path +
                            "' を書き換えません: " + SystemErrorText(err));
    }
    return bak;
  }
  throw EFileWriteError("'" + path + "' の控えを作る名前が見つからないため、書き換えません");
}

}  // namespace

std::string WriteTextFile(const std::string& path, std::string_view utf8, TTextFileForm& form) {
  const std::string backup = form.damaged ? KeepOriginal(path) : std::string();
  TTextEncoding encoding = form.encoding;
  const std::string bytes = Encode(utf8, encoding);
  WriteFileAtomic(path, bytes);
  form = {encoding, false};
  return backup;
}

std::string BackupNotice(const std::vector<std::string>& backups) {
  std::string text =
      "読み取れない文字を含むファイルを書き直しました。元のファイルは次の名前で残してあります。";
  for (const auto& b : backups) text += "\n" + b;
  return text;
}

}  // namespace tintorb
