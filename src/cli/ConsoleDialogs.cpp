#include "cli/ConsoleDialogs.h"

#include <cstdio>
#include <stdexcept>

namespace tintorb::cli {

namespace {

// Message texts use CR for line breaks, as message boxes do.
void Print(const char* kind, std::string text) {
  for (auto& c : text)
    if (c == '\r') c = '\n';
  std::fprintf(stderr, "tintorb-cli: %s: %s\n", kind, text.c_str());
}

}  // namespace

TConsoleDialogs::TConsoleDialogs(bool yesAnswer) : yes_(yesAnswer) {
  try {
    previous_ = &Dialogs();
  } catch (const std::exception&) {
    previous_ = nullptr;
  }
  InstallDialogs(this);
}

TConsoleDialogs::~TConsoleDialogs() {
  InstallDialogs(previous_);
}

void TConsoleDialogs::Information(const std::string& text, const std::string&) {
  Print("information", text);
}
void TConsoleDialogs::Warning(const std::string& text, const std::string&) {
  Print("warning", text);
}
void TConsoleDialogs::Error(const std::string& text, const std::string&) {
  Print("error", text);
}
bool TConsoleDialogs::YesNo(const std::string& text, const std::string&) {
  Print("question", text + (yes_ ? "\n-> はい" : "\n-> いいえ"));
  return yes_;
}
bool TConsoleDialogs::OkCancel(const std::string& text, const std::string&) {
  Print("question", text + "\n-> キャンセル");
  return false;
}
bool TConsoleDialogs::InputBox(const std::string&, const std::string&, std::string&) {
  return false;
}
bool TConsoleDialogs::ChooseColor(TColor&) {
  return false;
}
bool TConsoleDialogs::ChooseFont(TFontSpec&) {
  return false;
}
std::optional<std::string> TConsoleDialogs::SaveFile(const TSaveFileRequest&) {
  return std::nullopt;
}

}  // namespace tintorb::cli
