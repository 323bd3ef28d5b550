// The desktop seam: what the program takes from the windowing system that a
// test cannot drive. The Qt implementations live in platform/ui; tests install
// the scripted fakes of tests/support.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Color.h"

namespace tintorb {

struct TPoint {
  int x = 0, y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// One installed font family as the font-list sheet needs it.
struct TFontFamilyInfo {
  std::string name;
  bool scalable = false;  // outline font ("TrueType")
  bool japanese = false;  // supports the Japanese writing system
  bool fixedPitch = false;
  bool symbol = false;
  bool printer = false;  // reported by the default printer
  bool screen = true;    // usable on the screen
};

// A picture held in memory: 0xAARRGGBB words row by row, sRGB.
struct TPicture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

class TDesktop {
 public:
  virtual ~TDesktop() = default;
  virtual TColor ScreenPixel(int x, int y) = 0;  // RGB at screen coordinates
  // The w x h pixels at (x, y), row by row. The default reads them one by one;
  // the Qt desktop grabs the square once.
  virtual std::vector<TColor> ScreenRect(int x, int y, int w, int h);
  virtual TPoint CursorPos() = 0;
  virtual TColor SysColor(int index) = 0;  // Windows index 0..28
  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  // The image on the clipboard (what screenshot tools copy), in sRGB.
  virtual std::optional<TPicture> ClipboardPicture() { return std::nullopt; }
  virtual void Beep() = 0;
  // Opens the help page; `failed` runs, at once or later on the UI thread,
  // when it could not be shown (no such file, no browser).
  virtual void OpenHelp(const std::string& path, std::function<void()> failed) = 0;
  virtual uint64_t PhysicalMemoryAvailable() = 0;
  virtual std::vector<TFontFamilyInfo> FontFamilies() = 0;
  virtual bool PrinterExists() = 0;
};

// Font as the font dialog and the settings' font group carry it.
struct TFontSpec {
  std::string name = "MS UI Gothic";
  int size = 9;  // points
  TColor color = 0;
  int style = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
  friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

struct TSaveFileRequest {
  std::string title;
  std::string defaultExt;  // without the dot, e.g. "html"
  std::string filter;      // Windows style: "HTML ファイル (*.html)|*.html|..."
  std::string fileName;    // initial name
  bool overwritePrompt = true;
};

struct TOpenFilesRequest {
  std::string title;
  std::string filter;  // Windows style, as in TSaveFileRequest
};

class TDialogs {
 public:
  virtual ~TDialogs() = default;
  virtual void Information(const std::string& text, const std::string& caption = "") = 0;
  virtual void Warning(const std::string& text, const std::string& caption = "") = 0;
  virtual void Error(const std::string& text, const std::string& caption = "") = 0;
  virtual bool YesNo(const std::string& text, const std::string& caption = "") = 0;
  virtual bool OkCancel(const std::string& text, const std::string& caption = "") = 0;
  // One-line input box; false on Cancel. `value` holds the preset text.
  virtual bool InputBox(const std::string& caption, const std::string& prompt,
                        std::string& value) = 0;
  // Colour dialog with the full panel open; false on Cancel.
  virtual bool ChooseColor(TColor& color) = 0;
  virtual bool ChooseFont(TFontSpec& font) = 0;
  virtual std::optional<std::string> SaveFile(const TSaveFileRequest& request) = 0;
  // Open-file dialog choosing one or more existing files; empty on Cancel.
  virtual std::vector<std::string> OpenFiles(const TOpenFilesRequest&) { return {}; }
};

// The installed instances (Qt ones in the program, fakes in tests).
TDesktop& Desktop();
TDialogs& Dialogs();
void InstallDesktop(TDesktop* desktop);
void InstallDialogs(TDialogs* dialogs);

}  // namespace tintorb
