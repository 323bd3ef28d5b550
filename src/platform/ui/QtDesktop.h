// The desktop seam on Qt: screen grabs, the system palette, the clipboard,
// the standard dialogs.
#pragma once

#include "platform/Desktop.h"

class QWidget;

namespace tintorb {

class TQtDesktop : public TDesktop {
 public:
  TColor ScreenPixel(int x, int y) override;
  std::vector<TColor> ScreenRect(int x, int y, int w, int h) override;
  TPoint CursorPos() override;
  TColor SysColor(int index) override;
  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  std::optional<TPicture> ClipboardPicture() override;
  void Beep() override;
  void OpenHelp(const std::string& path, std::function<void()> failed) override;
  uint64_t PhysicalMemoryAvailable() override;
  std::vector<TFontFamilyInfo> FontFamilies() override;
  bool PrinterExists() override;
};

class TQtDialogs : public TDialogs {
 public:
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
};

// The Windows system-colour index 0..28 read from the application palette.
TColor PaletteSysColor(int index);

// Installs the Qt desktop and dialogs for the life of the program, the palette
// as the model's system-colour resolver, and the font substitutes.
void InstallQtDesktop();

}  // namespace tintorb
