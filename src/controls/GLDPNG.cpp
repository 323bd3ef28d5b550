#include "controls/GLDPNG.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>

#include "core/ErrorText.h"
#include "core/TextFile.h"

namespace tintorb {

// ---------------------------------------------------------------- bitmap

int BitsPerPixel(TGLDPixelFormat format) {
  switch (format) {
    case TGLDPixelFormat::pf1bit:
      return 1;
    case TGLDPixelFormat::pf4bit:
      return 4;
    case TGLDPixelFormat::pf8bit:
      return 8;
    case TGLDPixelFormat::pf15bit:
    case TGLDPixelFormat::pf16bit:
      return 16;
    case TGLDPixelFormat::pf24bit:
      return 24;
    case TGLDPixelFormat::pf32bit:
      return 32;
  }
  return 24;
}

bool IsIndexedFormat(TGLDPixelFormat format) {
  return format == TGLDPixelFormat::pf1bit || format == TGLDPixelFormat::pf4bit ||
         format == TGLDPixelFormat::pf8bit;
}

TGLDBitmap::TGLDBitmap(int width, int height, TGLDPixelFormat format) : format_(format) {
  // PNG allows up to 2^31 - 1 in each direction; the byte count must fit in memory.
  if (width < 0 || height < 0) throw EGLDPNG("Bitmap: negative size");
  width_ = width;
  height_ = height;
  rowBytes_ = (size_t(width) * size_t(BitsPerPixel(format)) + 7) / 8;
  if (height > 0 && rowBytes_ > SIZE_MAX / size_t(height)) throw std::bad_alloc();
  pixels_.assign(rowBytes_ * size_t(height), 0);
}

void TGLDBitmap::SetPalette(std::vector<TRGBRec> palette) {
  if (!Indexed()) throw EGLDPNG("Bitmap: palette on an RGB bitmap");
  if (palette.size() > (size_t(1) << BitsPerPixel(format_)))
    throw EGLDPNG("Bitmap: too many palette entries for the pixel depth");
  palette_ = std::move(palette);
}

void TGLDBitmap::CheckPoint(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("Bitmap: pixel");
}

int TGLDBitmap::PixelIndex(int x, int y) const {
  CheckPoint(x, y);
  const uint8_t* row = ScanLine(y);
  switch (format_) {
    case TGLDPixelFormat::pf1bit:
      return (row[x / 8] >> (7 - x % 8)) & 1;
    case TGLDPixelFormat::pf4bit:
      return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
    case TGLDPixelFormat::pf8bit:
      return row[x];
    default:
      throw EGLDPNG("Bitmap: not an indexed bitmap");
  }
}

void TGLDBitmap::SetPixelIndex(int x, int y, int index) {
  CheckPoint(x, y);
  if (index < 0 || index >= (1 << BitsPerPixel(format_)) || size_t(index) >= palette_.size())
    throw EGLDPNG("Bitmap: palette index out of range");
  uint8_t* row = ScanLine(y);
  switch (format_) {
    case TGLDPixelFormat::pf1bit: {
      const uint8_t bit = uint8_t(0x80 >> (x % 8));
      row[x / 8] = uint8_t(index ? row[x / 8] | bit : row[x / 8] & ~bit);
      break;
    }
    case TGLDPixelFormat::pf4bit: {
      const int shift = x % 2 ? 0 : 4;
      row[x / 2] = uint8_t((row[x / 2] & ~(15 << shift)) | (index << shift));
      break;
    }
    case TGLDPixelFormat::pf8bit:
      row[x] = uint8_t(index);
      break;
    default:
      throw EGLDPNG("Bitmap: not an indexed bitmap");
  }
}

namespace {

// 5 or 6 significant bits to 8, replicating the top bits into the low ones so
// that full intensity stays full.
inline uint8_t Widen5(unsigned v) {
  return uint8_t((v << 3) | (v >> 2));
}
inline uint8_t Widen6(unsigned v) {
  return uint8_t((v << 2) | (v >> 4));
}

}  // namespace

TColor TGLDBitmap::PixelColor(int x, int y) const {
  CheckPoint(x, y);
  if (Indexed()) {
    const int i = PixelIndex(x, y);
    const TRGBRec c = size_t(i) < palette_.size() ? palette_[size_t(i)] : TRGBRec{};
    return RGBToColor(c);
  }
  const uint8_t* row = ScanLine(y);
  switch (format_) {
    case TGLDPixelFormat::pf15bit: {
      const unsigned w = row[x * 2] | (row[x * 2 + 1] << 8);
      return RGB(Widen5((w >> 10) & 31), Widen5((w >> 5) & 31), Widen5(w & 31));
    }
    case TGLDPixelFormat::pf16bit: {
      const unsigned w = row[x * 2] | (row[x * 2 + 1] << 8);
      return RGB(Widen5((w >> 11) & 31), Widen6((w >> 5) & 63), Widen5(w & 31));
    }
    case TGLDPixelFormat::pf24bit:
      return RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default:
      return RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
  }
}

void TGLDBitmap::SetPixelColor(int x, int y, TColor color) {
  CheckPoint(x, y);
  const TRGBRec c = ColorToRGBRec(color);
  uint8_t* row = ScanLine(y);
  switch (format_) {
    case TGLDPixelFormat::pf15bit: {
      const unsigned w = ((c.R >> 3) << 10) | ((c.G >> 3) << 5) | (c.B >> 3);
      row[x * 2] = uint8_t(w);
      row[x * 2 + 1] = uint8_t(w >> 8);
      break;
    }
    case TGLDPixelFormat::pf16bit: {
      const unsigned w = ((c.R >> 3) << 11) | ((c.G >> 2) << 5) | (c.B >> 3);
      row[x * 2] = uint8_t(w);
      row[x * 2 + 1] = uint8_t(w >> 8);
      break;
    }
    case TGLDPixelFormat::pf24bit:
      row[x * 3] = c.B;
      row[x * 3 + 1] = c.G;
      row[x * 3 + 2] = c.R;
      break;
    case TGLDPixelFormat::pf32bit:
      row[x * 4] = c.B;
      row[x * 4 + 1] = c.G;
      row[x * 4 + 2] = c.R;
      row[x * 4 + 3] = 0;
      break;
    default:
      throw EGLDPNG("Bitmap: colour on an indexed bitmap");
  }
}

void TGLDBitmap::Fill(TColor color) {
  if (width_ <= 0 || height_ <= 0) return;
  // One row by pixel, the rest copied: every pixel of a row is the same bytes.
  for (int x = 0; x < width_; ++x) SetPixelColor(x, 0, color);
  for (int y = 1; y < height_; ++y) std::memcpy(ScanLine(y), ScanLine(0), rowBytes_);
}

int NearestPaletteIndex(const std::vector<TRGBRec>& palette, TColor color) {
  const TRGBRec c = ColorToRGBRec(color);
  int best = -1, bestDistance = 0;
  const size_t n = palette.size() < 256 ? palette.size() : 256;
  for (size_t i = 0; i < n; ++i) {
    const TRGBRec& p = palette[i];
    const int d = std::abs(p.R - c.R) + std::abs(p.G - c.G) + std::abs(p.B - c.B);
    if (d == 0) return int(i);
    if (best < 0 || d < bestDistance) {
      best = int(i);
      bestDistance = d;
    }
  }
  return best;
}

// ---------------------------------------------------------------- sinks

namespace {

constexpr size_t kFileBufferSize = 64 * 1024;
std::atomic<unsigned> tempCounter{0};

std::string FileError(const std::string& path, int err) {
  return "'" + path + "' に書き込めません: " + SystemErrorText(err);
}

}  // namespace

TGLDFileSink::TGLDFileSink(const std::string& path) : path_(path), buffer_(kFileBufferSize) {
  // A fresh name each time: two saves to the same folder never share a temporary.
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    tmp_ = path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(tempCounter++);
    fd_ = ::open(tmp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) throw EFileWriteError(FileError(path_, errno));
}

TGLDFileSink::~TGLDFileSink() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(tmp_.c_str());
  }
}

void TGLDFileSink::Fail(int err) {
  ::close(fd_);
  fd_ = -1;
  ::unlink(tmp_.c_str());
  throw EFileWriteError(FileError(path_, err));
}

void TGLDFileSink::Flush() {
  const uint8_t* p = buffer_.data();
  size_t left = used_;
  while (left > 0) {
    const ssize_t n = ::write(fd_, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    p += n;
    left -= size_t(n);
  }
  used_ = 0;
}

void TGLDFileSink::Write(const uint8_t* data, size_t size) {
  if (fd_ < 0) throw EFileWriteError(FileError(path_, EBADF));
  while (size > 0) {
    const size_t n = std::min(size, buffer_.size() - used_);
    std::memcpy(buffer_.data() + used_, data, n);
    used_ += n;
    data += n;
    size -= n;
    if (used_ == buffer_.size()) Flush();
  }
}

void TGLDFileSink::Commit() {
  if (fd_ < 0) throw EFileWriteError(FileError(path_, EBADF));
  Flush();
  if (::fsync(fd_) != 0) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmp_.c_str());
    throw EFileWriteError(FileError(path_, err));
  }
  if (std::rename(tmp_.c_str(), path_.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp_.c_str());
    throw EFileWriteError(FileError(path_, err));
  }
}

TUtcTime CurrentUtcTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  gmtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// ---------------------------------------------------------------- encoder

void TGLDCustomWriteStream::WriteBuffer(const void* data, size_t size) {
  sink_.Write(static_cast<const uint8_t*>(data), size);
  position_ += size;
}

namespace {

void PutU16(std::vector<uint8_t>& v, unsigned x) {
  v.push_back(uint8_t(x >> 8));
  v.push_back(uint8_t(x));
}
void PutU32(std::vector<uint8_t>& v, uint32_t x) {
  PutU16(v, x >> 16);
  PutU16(v, x & 0xFFFF);
}
void PutText(std::vector<uint8_t>& v, std::string_view s) {
  v.insert(v.end(), s.begin(), s.end());
}
void PutRGB16(std::vector<uint8_t>& v, TColor color) {
  const TRGBRec c = ColorToRGBRec(color);
  PutU16(v, c.R);
  PutU16(v, c.G);
  PutU16(v, c.B);
}

// zlib's working memory goes through operator new like every other buffer, so
// an allocation failure is a std::bad_alloc and the bytes are counted alike.
voidpf ZAlloc(voidpf, uInt items, uInt size) {
  return ::operator new(size_t(items) * size, std::nothrow);
}
void ZFree(voidpf, voidpf p) {
  ::operator delete(p);
}

const char kWriteError[] = "Write Image (PNG): Write Error";

class TDeflater {
 public:
  explicit TDeflater(int level) {
    z_.zalloc = ZAlloc;
    z_.zfree = ZFree;
    z_.opaque = nullptr;
    if (deflateInit2(&z_, level, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
      throw EGLDPNG(kWriteError);
  }
  ~TDeflater() { deflateEnd(&z_); }
  TDeflater(const TDeflater&) = delete;
  TDeflater& operator=(const TDeflater&) = delete;
  z_stream& z() { return z_; }

 private:
  z_stream z_{};
};

}  // namespace

void TGLDPNGWriteStream::WriteChunk(const char* type, const uint8_t* data, size_t size) {
  uint8_t head[8];
  const uint32_t n = uint32_t(size);
  head[0] = uint8_t(n >> 24);
  head[1] = uint8_t(n >> 16);
  head[2] = uint8_t(n >> 8);
  head[3] = uint8_t(n);
  std::memcpy(head + 4, type, 4);
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, head + 4, 4);
  if (size > 0) crc = crc32(crc, data, uInt(size));
  uint8_t tail[4] = {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)};
  WriteBuffer(head, 8);
  if (size > 0) WriteBuffer(data, size);
  WriteBuffer(tail, 4);
}

void TGLDPNGWriteStream::WriteImage(const TGLDPNG& image) {
  TGLDPNG::CheckIDATSize(image.IDATSize());
  const TGLDBitmap& bmp = image.Bitmap();
  if (bmp.Width() <= 0 || bmp.Height() <= 0) throw EGLDPNG("Write PNG: empty image");
  const TGLDPixelFormat format = bmp.PixelFormat();
  const bool indexed = bmp.Indexed();
  if (indexed && bmp.Palette().empty()) throw EGLDPNG("Write PNG: indexed image without palette");

  static const uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  WriteBuffer(kSignature, 8);

  std::vector<uint8_t> d;
  PutU32(d, uint32_t(bmp.Width()));
  PutU32(d, uint32_t(bmp.Height()));
  d.push_back(indexed ? uint8_t(BitsPerPixel(format)) : 8);
  d.push_back(indexed ? 3 : 2);
  d.insert(d.end(), {0, 0, 0});  // deflate, adaptive filtering method, no interlace
  WriteChunk("IHDR", d);

  if (image.StampTime()) {
    const TUtcTime t = clock_();
    d.clear();
    PutU16(d, unsigned(t.year));
    d.insert(d.end(), {uint8_t(t.month), uint8_t(t.day), uint8_t(t.hour), uint8_t(t.minute),
                       uint8_t(t.second)});
    WriteChunk("tIME", d);
  }
  if (!image.Comment().empty()) {
    d.clear();
    PutText(d, "Comment");
    d.push_back(0);
    PutText(d, image.Comment());
    WriteChunk("tEXt", d);
  }
  d.clear();
  PutText(d, "Software");
  d.push_back(0);
  PutText(d, "GLDPNG ver 3.4");
  WriteChunk("tEXt", d);
  if (image.Copyright()) {
    d.clear();
    PutText(d, "Copyright");
    d.push_back(0);
    PutText(d, "On");
    WriteChunk("tEXt", d);
  }
  d.assign({'G', 'L', 'D', '3', 0, 0, 0, 0});
  WriteChunk("tpNG", d);

  const double g = std::trunc(image.Gamma() * 100000.0);
  if (g > 0 && g <= 4294967295.0) {
    d.clear();
    PutU32(d, uint32_t(g));
    WriteChunk("gAMA", d);
  }
  if (format == TGLDPixelFormat::pf15bit || format == TGLDPixelFormat::pf16bit) {
    d.assign({5, uint8_t(format == TGLDPixelFormat::pf16bit ? 6 : 5), 5});
    WriteChunk("sBIT", d);
  }
  if (indexed) {
    d.clear();
    for (const TRGBRec& c : bmp.Palette()) d.insert(d.end(), {c.R, c.G, c.B});
    WriteChunk("PLTE", d);
  }
  if (image.BackgroundColor() != -1) {
    d.clear();
    if (indexed)
      d.push_back(uint8_t(NearestPaletteIndex(bmp.Palette(), image.BackgroundColor())));
    else
      PutRGB16(d, image.BackgroundColor());
    WriteChunk("bKGD", d);
  }
  if (image.TransparentColor() != -1) {
    d.clear();
    if (indexed) {
      const int t = NearestPaletteIndex(bmp.Palette(), image.TransparentColor());
      d.assign(size_t(t), 0xFF);
      d.push_back(0);
    } else {
      PutRGB16(d, image.TransparentColor());
    }
    WriteChunk("tRNS", d);
  }

  WriteImageData(image);
  WriteChunk("IEND", nullptr, 0);
}

void TGLDPNGWriteStream::WriteImageData(const TGLDPNG& image) {
  const TGLDBitmap& bmp = image.Bitmap();
  const TGLDPixelFormat format = bmp.PixelFormat();
  const int width = bmp.Width();
  const size_t outBytes = bmp.Indexed() ? bmp.RowBytes() : size_t(width) * 3;

  // Only the current row and the one IDAT buffer are held, whatever the height.
  std::vector<uint8_t> row(1 + outBytes);
  std::vector<uint8_t> idat(size_t(image.IDATSize()));

  TDeflater deflater(image.CompressionLevel() < 0 ? Z_DEFAULT_COMPRESSION
                                                  : image.CompressionLevel());
  z_stream& z = deflater.z();
  z.next_out = idat.data();
  z.avail_out = uInt(idat.size());

  auto emitFull = [&] {
    WriteChunk("IDAT", idat.data(), idat.size());
    z.next_out = idat.data();
    z.avail_out = uInt(idat.size());
  };

  for (int y = 0; y < bmp.Height(); ++y) {
    const uint8_t* src = bmp.ScanLine(y);
    uint8_t* dst = row.data() + 1;
    row[0] = 0;  // filter type None
    switch (format) {
      case TGLDPixelFormat::pf1bit:
      case TGLDPixelFormat::pf4bit:
      case TGLDPixelFormat::pf8bit:
        std::memcpy(dst, src, outBytes);
        break;
      case TGLDPixelFormat::pf15bit:
      case TGLDPixelFormat::pf16bit: {
        const bool is16 = format == TGLDPixelFormat::pf16bit;
        for (int x = 0; x < width; ++x) {
          const unsigned w = src[x * 2] | (src[x * 2 + 1] << 8);
          if (is16) {
            *dst++ = Widen5((w >> 11) & 31);
            *dst++ = Widen6((w >> 5) & 63);
          } else {
            *dst++ = Widen5((w >> 10) & 31);
            *dst++ = Widen5((w >> 5) & 31);
          }
          *dst++ = Widen5(w & 31);
        }
        break;
      }
      case TGLDPixelFormat::pf24bit:
      case TGLDPixelFormat::pf32bit: {
        const int step = format == TGLDPixelFormat::pf24bit ? 3 : 4;
        for (int x = 0; x < width; ++x, src += step) {
          *dst++ = src[2];
          *dst++ = src[1];
          *dst++ = src[0];
        }
        break;
      }
    }

    z.next_in = row.data();
    z.avail_in = uInt(row.size());
    bool full;
    do {
      const int r = deflate(&z, Z_NO_FLUSH);
      if (r != Z_OK && r != Z_BUF_ERROR) throw EGLDPNG(kWriteError);
      full = z.avail_out == 0;
      if (full) emitFull();
    } while (full);
    // With output space left, deflate has taken the whole row.
    if (z.avail_in != 0) throw EGLDPNG(kWriteError);
  }

  for (;;) {
    const int r = deflate(&z, Z_FINISH);
    if (r != Z_OK && r != Z_STREAM_END && r != Z_BUF_ERROR) throw EGLDPNG(kWriteError);
    const bool full = z.avail_out == 0;
    if (full) emitFull();
    if (r == Z_STREAM_END) break;
    if (r == Z_BUF_ERROR && !full) throw EGLDPNG(kWriteError);  // no progress possible
  }
  // The remainder, if any: an IDAT chunk is never empty.
  const size_t rest = idat.size() - z.avail_out;
  if (rest > 0) WriteChunk("IDAT", idat.data(), rest);
}

// ---------------------------------------------------------------- picture

void TGLDPNG::Assign(TGLDBitmap bitmap) {
  bitmap_ = std::move(bitmap);
  if (transparentColor_ != -1) bitmap_.SetTransparentColor(transparentColor_);
}

void TGLDPNG::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  bitmap_.SetTransparentColor(color);
}

void TGLDPNG::CheckIDATSize(int size) {
  if (size < kMinIDATSize || size > kMaxIDATSize)
    throw EGLDPNG("Write PNG Param: Err IDAT Size(min:256  max:100000)");
}

void TGLDPNG::SetIDATSize(int size) {
  CheckIDATSize(size);
  idatSize_ = size;
}

void TGLDPNG::SetCompressionLevel(int level) {
  if (level < -1 || level > 9)
    throw EGLDPNG("Write PNG Param: Err Compression Level(min:-1  max:9)");
  compressionLevel_ = level;
}

void TGLDPNG::SaveToSink(TGLDByteSink& sink, TUtcClock clock) const {
  TGLDPNGWriteStream stream(sink, clock);
  stream.WriteImage(*this);
}

void TGLDPNG::SaveToFile(const std::string& path, TUtcClock clock) const {
  CheckIDATSize(idatSize_);
  TGLDFileSink sink(path);
  SaveToSink(sink, clock);
  sink.Commit();
}

}  // namespace tintorb
