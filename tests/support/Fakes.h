// Scripted fakes of the desktop seam: tests set what the desktop answers and
// read back what the program asked of it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace tintorb::testing {

class FakeDesktop : public TDesktop {
 public:
  std::map<std::pair<int, int>, TColor> pixels;  // unset pixels read as `defaultPixel`
  TColor defaultPixel = 0;
  std::function<TColor(int, int)> pixelFn;  // overrides `pixels` when set
  TPoint cursor;
  std::map<int, TColor> sysColors;  // unset -> DefaultSysColor
  std::string clipboard;
  int beeps = 0;
  std::vector<std::string> helpOpened;
  uint64_t memory = 8ull << 30;
  std::vector<TFontFamilyInfo> fonts;
  bool printer = false;
  int pixelReads = 0;

  TColor ScreenPixel(int x, int y) override;
  TPoint CursorPos() override { return cursor; }
  TColor SysColor(int index) override;
  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  std::optional<TPicture> clipboardPicture;
  std::optional<TPicture> ClipboardPicture() override { return clipboardPicture; }
  void Beep() override { ++beeps; }
  bool helpFails = false;  // no browser
  void OpenHelp(const std::string& path, std::function<void()> failed) override {
    helpOpened.push_back(path);
    if (helpFails) failed();
  }
  uint64_t PhysicalMemoryAvailable() override { return memory; }
  std::vector<TFontFamilyInfo> FontFamilies() override { return fonts; }
  bool PrinterExists() override { return printer; }
};

// Every call is recorded as "Kind: text"; answers come from the queues (or the
// defaults when a queue is empty).
class FakeDialogs : public TDialogs {
 public:
  std::vector<std::string> log;
  std::deque<bool> yesNoAnswers;                        // default false (No)
  std::deque<bool> okCancelAnswers;                     // default false (Cancel)
  std::deque<std::optional<std::string>> inputAnswers;  // nullopt = Cancel; empty queue = Cancel
  std::deque<std::optional<TColor>> colorAnswers;
  std::deque<std::optional<TFontSpec>> fontAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::vector<TSaveFileRequest> saveRequests;
  std::deque<std::vector<std::string>> openAnswers;  // empty queue = Cancel
  std::vector<std::string> inputPresets;             // the preset text of each InputBox call

  void Information(const std::string& text, const std::string& caption = "") override;
  void Warning(const std::string& text, const std::string& caption = "") override;
  void Error(const std::string& text, const std::string& caption = "") override;
  bool YesNo(const std::string& text, const std::string& caption = "") override;
  bool OkCancel(const std::string& text, const std::string& caption = "") override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;
  bool ChooseColor(TColor& color) override;
  bool ChooseFont(TFontSpec& font) override;
  std::optional<std::string> SaveFile(const TSaveFileRequest& request) override;
  std::vector<std::string> OpenFiles(const TOpenFilesRequest& request) override;

  // The texts of the calls of one kind ("Warning", "Error", ...).
  std::vector<std::string> Of(const std::string& kind) const;
};

// Installs fresh fakes for the life of the object and restores the previous ones.
class ScopedFakes {
 public:
  ScopedFakes();
  ~ScopedFakes();
  FakeDesktop desktop;
  FakeDialogs dialogs;
};

// A fresh empty directory under the system temp dir, removed at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// A fresh directory that is the program directory (TINTORB_HOME) while it lives.
class ProgramHome : public TempDir {
 public:
  ProgramHome();
  ~ProgramHome();
};

}  // namespace tintorb::testing
