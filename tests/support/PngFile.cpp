#include "support/PngFile.h"

#include <zlib.h>

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <stdexcept>

namespace tintorb::testing {

std::vector<std::string> PngFile::Types() const {
  std::vector<std::string> t;
  for (const auto& c : chunks) t.push_back(c.type);
  return t;
}

const PngChunk* PngFile::Find(const std::string& type) const {
  for (const auto& c : chunks)
    if (c.type == type) return &c;
  return nullptr;
}

std::string PngFile::IdatStream() const {
  std::string s;
  for (const auto& c : chunks)
    if (c.type == "IDAT") s += c.data;
  return s;
}

static uint32_t ReadBE32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 |
         uint32_t(uint8_t(b[at + 2])) << 8 | uint32_t(uint8_t(b[at + 3]));
}

PngFile ParsePng(const std::string& bytes) {
  PngFile f;
  static const std::string kSig("\x89PNG\r\n\x1a\n", 8);
  if (bytes.compare(0, 8, kSig) != 0) return f;
  f.signatureOk = true;
  size_t at = 8;
  while (at + 12 <= bytes.size()) {
    const uint32_t n = ReadBE32(bytes, at);
    if (at + 12 + size_t(n) > bytes.size()) return f;
    PngChunk c;
    c.type = bytes.substr(at + 4, 4);
    c.data = bytes.substr(at + 8, n);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data() + at + 4), uInt(n + 4));
    c.crcOk = crc == ReadBE32(bytes, at + 8 + n);
    f.chunks.push_back(c);
    at += 12 + n;
    if (c.type == "IEND") {
      f.complete = at == bytes.size();
      return f;
    }
  }
  return f;
}

std::string Inflate(const std::string& zlibStream) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit");
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zlibStream.data()));
  z.avail_in = uInt(zlibStream.size());
  std::string out;
  std::array<char, 65536> buf;
  int r;
  do {
    z.next_out = reinterpret_cast<Bytef*>(buf.data());
    z.avail_out = uInt(buf.size());
    r = inflate(&z, Z_NO_FLUSH);
    if (r != Z_OK && r != Z_STREAM_END) {
      inflateEnd(&z);
      throw std::runtime_error("bad zlib stream");
    }
    out.append(buf.data(), buf.size() - z.avail_out);
  } while (r != Z_STREAM_END);
  const bool trailing = z.avail_in != 0;
  inflateEnd(&z);
  if (trailing) throw std::runtime_error("bytes after the zlib stream");
  return out;
}

std::string BigEndian32(uint32_t v) {
  return Bytes({int(v >> 24), int((v >> 16) & 255), int((v >> 8) & 255), int(v & 255)});
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(char(uint8_t(b)));
  return s;
}

PngcheckResult Pngcheck(const std::string& path) {
  PngcheckResult r;
  const std::string cmd = "pngcheck -v '" + path + "' 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
  const int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

}  // namespace tintorb::testing
