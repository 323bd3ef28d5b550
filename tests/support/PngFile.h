// Reading PNG files back in tests: the chunk list, the inflated image data, and
// pngcheck's verdict (an independent decoder).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tintorb::testing {

struct PngChunk {
  std::string type;
  std::string data;
  bool crcOk = false;
};

// The chunks after the signature; empty when the signature is wrong. Stops at
// a truncated chunk (`complete` tells whether the file ended cleanly after IEND).
struct PngFile {
  bool signatureOk = false;
  bool complete = false;
  std::vector<PngChunk> chunks;

  std::vector<std::string> Types() const;
  const PngChunk* Find(const std::string& type) const;
  std::string IdatStream() const;  // all IDAT data concatenated
};
PngFile ParsePng(const std::string& bytes);

// zlib-inflates a complete stream; throws std::runtime_error on a bad stream.
std::string Inflate(const std::string& zlibStream);

std::string BigEndian32(uint32_t v);
std::string Bytes(std::initializer_list<int> bytes);

struct PngcheckResult {
  int status = -1;
  std::string output;
};
// Runs `pngcheck -v` on the file.
PngcheckResult Pngcheck(const std::string& path);

}  // namespace tintorb::testing
