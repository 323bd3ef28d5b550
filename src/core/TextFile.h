// Bytes on disk: CP932 conversion and safe whole-file writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tintorb {

// UTF-8 -> CP932. Returns nullopt when some character has no CP932 form; the
// caller decides what to do (numeric references, or UTF-8 with a BOM).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
// UTF-8 -> CP932 replacing every unencodable character with "&#N;".
std::string Utf8ToCp932Html(std::string_view utf8);
// CP932 -> UTF-8; undecodable bytes become U+FFFD. Never fails.
std::string Cp932ToUtf8(std::string_view bytes);

// Reads a settings or group file: UTF-8 when it starts with a BOM, CP932 otherwise.
std::string DecodeTextFile(std::string_view bytes);
// Encodes for a settings or group file: CP932 when it can hold every character,
// otherwise UTF-8 with a BOM.
std::string EncodeTextFile(std::string_view utf8);

// Whole-file read; nullopt when the file cannot be opened.
std::optional<std::string> ReadFileBytes(const std::string& path);

class EFileWriteError : public std::exception {
 public:
  explicit EFileWriteError(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Writes to a temporary file in the same directory and renames it over `path`,
// so a failed write leaves the old file as it was. Throws EFileWriteError.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

bool IsValidUtf8(std::string_view s);

}  // namespace tintorb
