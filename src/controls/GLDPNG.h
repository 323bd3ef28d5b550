// PNG writer: a bitmap in one of the usual desktop pixel layouts, written as a
// PNG file row by row through one zlib stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Color.h"

namespace tintorb {

class EGLDPNG : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TGLDPixelFormat { pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

int BitsPerPixel(TGLDPixelFormat format);
bool IsIndexedFormat(TGLDPixelFormat format);

// A bitmap in its own pixel layout. Rows are stored top row first, each packed
// to ceil(width * bits / 8) bytes: indexed pixels most significant bits first,
// 15-bit pixels little-endian words 0RRRRRGGGGGBBBBB, 16-bit words
// RRRRRGGGGGGBBBBB, 24-bit pixels B, G, R and 32-bit pixels B, G, R, X.
class TGLDBitmap {
 public:
  TGLDBitmap() = default;
  TGLDBitmap(int width, int height, TGLDPixelFormat format);  // all bytes zero

  int Width() const { return width_; }
  int Height() const { return height_; }
  TGLDPixelFormat PixelFormat() const { return format_; }
  bool Indexed() const { return IsIndexedFormat(format_); }
  size_t RowBytes() const { return rowBytes_; }
  uint8_t* ScanLine(int y) { return pixels_.data() + size_t(y) * rowBytes_; }
  const uint8_t* ScanLine(int y) const { return pixels_.data() + size_t(y) * rowBytes_; }

  const std::vector<TRGBRec>& Palette() const { return palette_; }
  // Indexed layouts only, at most 2^bits entries; throws EGLDPNG otherwise.
  void SetPalette(std::vector<TRGBRec> palette);

  int PixelIndex(int x, int y) const;  // indexed layouts
  void SetPixelIndex(int x, int y, int index);
  TColor PixelColor(int x, int y) const;           // any layout; indexed through the palette
  void SetPixelColor(int x, int y, TColor color);  // RGB layouts
  void Fill(TColor color);                         // RGB layouts

  // Marks the bitmap as drawn with one colour transparent (-1: opaque).
  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor color) { transparentColor_ = color; }
  bool Transparent() const { return transparentColor_ != -1; }

 private:
  void CheckPoint(int x, int y) const;

  int width_ = 0, height_ = 0;
  TGLDPixelFormat format_ = TGLDPixelFormat::pf24bit;
  size_t rowBytes_ = 0;
  std::vector<uint8_t> pixels_;
  std::vector<TRGBRec> palette_;
  TColor transparentColor_ = -1;
};

// The first palette entry at the smallest |dR| + |dG| + |dB| (-1 for an empty palette).
int NearestPaletteIndex(const std::vector<TRGBRec>& palette, TColor color);

// Where encoded bytes go.
class TGLDByteSink {
 public:
  virtual ~TGLDByteSink() = default;
  virtual void Write(const uint8_t* data, size_t size) = 0;
};

class TGLDMemorySink : public TGLDByteSink {
 public:
  std::string bytes;
  void Write(const uint8_t* data, size_t size) override {
    bytes.append(reinterpret_cast<const char*>(data), size);
  }
};

// Writes into a new temporary file beside `path`; Commit() moves it over `path`.
// Destroyed without Commit(), the temporary file is removed, so a failed save
// never leaves a half-written picture. Errors throw EFileWriteError.
class TGLDFileSink : public TGLDByteSink {
 public:
  explicit TGLDFileSink(const std::string& path);
  ~TGLDFileSink() override;
  TGLDFileSink(const TGLDFileSink&) = delete;
  TGLDFileSink& operator=(const TGLDFileSink&) = delete;

  void Write(const uint8_t* data, size_t size) override;
  void Commit();

 private:
  void Flush();
  [[noreturn]] void Fail(int err);

  std::string path_, tmp_;
  int fd_ = -1;
  std::vector<uint8_t> buffer_;
  size_t used_ = 0;
};

struct TUtcTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
using TUtcClock = TUtcTime (*)();
TUtcTime CurrentUtcTime();

class TGLDPNG;

// Byte output shared by the picture encoders.
class TGLDCustomWriteStream {
 public:
  explicit TGLDCustomWriteStream(TGLDByteSink& sink) : sink_(sink) {}
  virtual ~TGLDCustomWriteStream() = default;
  uint64_t Position() const { return position_; }

 protected:
  void WriteBuffer(const void* data, size_t size);

 private:
  TGLDByteSink& sink_;
  uint64_t position_ = 0;
};

class TGLDCustomGraphicWriteStream : public TGLDCustomWriteStream {
 public:
  using TGLDCustomWriteStream::TGLDCustomWriteStream;
  virtual void WriteImage(const TGLDPNG& image) = 0;
};

class TGLDPNGWriteStream : public TGLDCustomGraphicWriteStream {
 public:
  explicit TGLDPNGWriteStream(TGLDByteSink& sink, TUtcClock clock = &CurrentUtcTime)
      : TGLDCustomGraphicWriteStream(sink), clock_(clock) {}
  void WriteImage(const TGLDPNG& image) override;

 private:
  void WriteChunk(const char* type, const uint8_t* data, size_t size);
  void WriteChunk(const char* type, const std::vector<uint8_t>& data) {
    WriteChunk(type, data.data(), data.size());
  }
  void WriteImageData(const TGLDPNG& image);

  TUtcClock clock_;
};

// The picture object: the bitmap and the writer's settings.
class TGLDPNG {
 public:
  static constexpr int kMinIDATSize = 256;
  static constexpr int kMaxIDATSize = 100000;

  TGLDPNG() = default;

  // Takes the bitmap over as it is (layout and palette).
  void Assign(TGLDBitmap bitmap);
  const TGLDBitmap& Bitmap() const { return bitmap_; }

  TColor BackgroundColor() const { return backgroundColor_; }  // -1: none
  void SetBackgroundColor(TColor color) { backgroundColor_ = color; }
  TColor TransparentColor() const { return transparentColor_; }  // -1: none
  void SetTransparentColor(TColor color);
  double Gamma() const { return gamma_; }
  void SetGamma(double gamma) { gamma_ = gamma; }
  int IDATSize() const { return idatSize_; }
  void SetIDATSize(int size);  // 256..100000, else EGLDPNG
  int CompressionLevel() const { return compressionLevel_; }
  void SetCompressionLevel(int level);  // -1 (zlib's default, 6) or 0..9
  const std::string& Comment() const { return comment_; }
  void SetComment(std::string comment) { comment_ = std::move(comment); }
  bool Copyright() const { return copyright_; }
  void SetCopyright(bool on) { copyright_ = on; }
  bool StampTime() const { return stampTime_; }
  void SetStampTime(bool on) { stampTime_ = on; }

  void SaveToSink(TGLDByteSink& sink, TUtcClock clock = &CurrentUtcTime) const;
  // Creates or replaces the file; on any error the old file stays as it was.
  void SaveToFile(const std::string& path, TUtcClock clock = &CurrentUtcTime) const;

  static void CheckIDATSize(int size);

 private:
  TGLDBitmap bitmap_;
  TColor backgroundColor_ = -1;
  TColor transparentColor_ = -1;
  double gamma_ = 0.45455;
  int idatSize_ = 32768;
  int compressionLevel_ = -1;
  std::string comment_;
  bool copyright_ = false;
  bool stampTime_ = true;
};

}  // namespace tintorb
