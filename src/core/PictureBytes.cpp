#include "core/PictureBytes.h"

#include <cstdint>
#include <cstdlib>

namespace tintorb {

namespace {

// The end marker somewhere in the last few kilobytes (writers may pad).
bool TailHas(std::string_view bytes, std::string_view marker) {
  const size_t from = bytes.size() > 4096 ? bytes.size() - 4096 : 0;
  return bytes.find(marker, from) != std::string_view::npos;
}

uint32_t Le32(std::string_view b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

uint16_t Le16(std::string_view b, size_t at) {
  return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

bool BmpComplete(std::string_view b) {
  if (b.size() < 30) return false;
  const uint64_t offBits = Le32(b, 10);
  const uint32_t headerSize = Le32(b, 14);
  uint64_t width = 0, height = 0, bpp = 0, compression = 0, imageSize = 0;
  if (headerSize == 12) {  // OS/2 core header
    width = Le16(b, 18), height = Le16(b, 20), bpp = Le16(b, 24);
  } else {
    if (b.size() < 38) return false;
    width = uint64_t(std::llabs(int32_t(Le32(b, 18))));
    height = uint64_t(std::llabs(int32_t(Le32(b, 22))));
    bpp = Le16(b, 28), compression = Le32(b, 30), imageSize = Le32(b, 34);
  }
  uint64_t need = 0;
  if (compression == 0 || compression == 3 || compression == 6)
    need = (width * bpp + 31) / 32 * 4 * height;
  else
    need = imageSize;  // run-length data: as long as the header says
  return offBits + need <= b.size();
}

}  // namespace

bool PictureBytesComplete(std::string_view format, std::string_view bytes) {
  if (format == "png") return TailHas(bytes, std::string_view("IEND\xAE\x42\x60\x82", 8));
  if (format == "jpeg" || format == "jpg") return TailHas(bytes, "\xFF\xD9");
  if (format == "gif") {
    // The trailer byte ends the file; some writers pad with zeros after it.
    const size_t end = bytes.find_last_not_of('\0');
    return end != std::string_view::npos && bytes[end] == '\x3B';
  }
  if (format == "bmp") return BmpComplete(bytes);
  return true;
}

}  // namespace tintorb
