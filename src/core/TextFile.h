// Bytes on disk: CP932 conversion and safe whole-file writes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintorb {

// UTF-8 -> CP932. Returns nullopt when some character has no CP932 form; the
// caller decides what to do (numeric references, or UTF-8 with a BOM).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
// UTF-8 -> CP932 replacing every unencodable character with "&#N;".
std::string Utf8ToCp932Html(std::string_view utf8);
// CP932 -> UTF-8; undecodable bytes become U+FFFD. Never fails.
std::string Cp932ToUtf8(std::string_view bytes);

enum class TTextEncoding { Cp932, Utf8Bom, Utf8 };

// How a settings or group file was read, kept with what was read from it so
// that rewriting it keeps its encoding.
struct TTextFileForm {
  TTextEncoding encoding = TTextEncoding::Cp932;
  bool damaged = false;  // some bytes decoded in neither encoding (now U+FFFD)
  friend bool operator==(const TTextFileForm&, const TTextFileForm&) = default;
};

// Reads a settings or group file: UTF-8 after a BOM; UTF-8 without one when
// the bytes are valid UTF-8 holding a non-ASCII byte; CP932 otherwise. Never
// fails: undecodable bytes become U+FFFD and `form->damaged` is set.
std::string DecodeTextFile(std::string_view bytes, TTextFileForm* form = nullptr);
// Encodes for a settings or group file. CP932 is used when it holds every
// character and its bytes cannot be mistaken for UTF-8 on reading; otherwise
// the text goes out as UTF-8 with a BOM. The UTF-8 forms are kept as they are.
std::string EncodeTextFile(std::string_view utf8, TTextEncoding encoding = TTextEncoding::Cp932);

// Files larger than this are refused unread (settings and group files of
// tens of megabytes still read).
inline constexpr size_t kReadFileLimit = size_t(256) << 20;

enum class TReadFailure {
  None,
  Missing,     // no such file (or a dangling link)
  NotRegular,  // a FIFO, a device, a socket or a folder: opened without blocking, never read
  TooLarge,    // over the limit
  Failed,      // no permission, an I/O error, ...
};

struct TFileRead {
  std::optional<std::string> bytes;  // set exactly when `failure` is None
  TReadFailure failure = TReadFailure::None;
  int err = 0;            // errno of Failed
  unsigned fileType = 0;  // st_mode & S_IFMT of NotRegular
  size_t size = 0;        // size of TooLarge
};

// Reads a whole regular file of at most `limit` bytes; never blocks on a FIFO
// and never reads an endless device.
TFileRead ReadRegularFile(const std::string& path, size_t limit = kReadFileLimit);
// Why `read` failed, in Japanese, naming the path: "'x' は名前付きパイプです ...".
std::string ReadFailureText(const std::string& path, const TFileRead& read);
// ReadRegularFile's bytes; nullopt whatever the failure.
std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit = kReadFileLimit);

class EFileWriteError : public std::exception {
 public:
  explicit EFileWriteError(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Writes to a temporary file beside the file that `path` names (through
// symbolic links), syncs it, renames it over that file and syncs the folder,
// so a failed write leaves the old file as it was. An existing file keeps its
// permission bits; a new one gets the mode the umask gives. Throws
// EFileWriteError.
void WriteFileAtomic(const std::string& path, std::string_view bytes);
// The temporary WriteFileAtomic writes first: "<file>.tmp-<pid>" beside the
// file, its name cut before the extension to fit in 255 bytes.
std::string TemporaryName(const std::string& target);

// Removes the temporary files that a killed write left in `dir` (those of
// processes that no longer run) of the files whose names `isOwnFile` accepts;
// returns how many went.
int RemoveStaleTemporaries(const std::string& dir,
                           const std::function<bool(std::string_view)>& isOwnFile);

// Writes a settings or group file in `form`'s encoding and then sets `form` to
// what is on disk. Before a damaged file is rewritten, its bytes are copied to
// "<path>.bak" (or "<path>.bak.2" ... when that name holds something else);
// returns that copy's path, empty when none was made. Throws EFileWriteError,
// also when the copy cannot be made (the file is then left alone).
std::string WriteTextFile(const std::string& path, std::string_view utf8, TTextFileForm& form);
// The warning shown once the originals of damaged files were kept.
std::string BackupNotice(const std::vector<std::string>& backups);

bool IsValidUtf8(std::string_view s);

}  // namespace tintorb
