// Message boxes of the desktop seam for tintorb-cli: texts go to stderr, the
// Yes/No question takes a preset answer, every other dialog is cancelled.
#pragma once

#include "platform/Desktop.h"

namespace tintorb::cli {

class TConsoleDialogs : public TDialogs {
 public:
  explicit TConsoleDialogs(bool yesAnswer = false);
  ~TConsoleDialogs() override;  // puts back the dialogs installed before

  void Information(const std::string& text, const std::string& caption = "") override;
  void Warning(const std::string& text, const std::string& caption = "") override;
  void Error(const std::string& text, const std::string& caption = "") override;
  bool YesNo(const std::string& text, const std::string& caption = "") override;
  bool OkCancel(const std::string& text, const std::string& caption = "") override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;
  bool ChooseColor(TColor& color) override;
  bool ChooseFont(TFontSpec& font) override;
  std::optional<std::string> SaveFile(const TSaveFileRequest& request) override;

 private:
  bool yes_;
  TDialogs* previous_ = nullptr;
};

}  // namespace tintorb::cli
