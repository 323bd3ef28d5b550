#include "support/Fakes.h"

#include "core/ProgramDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace tintorb::testing {

TColor FakeDesktop::ScreenPixel(int x, int y) {
  ++pixelReads;
  if (pixelFn) return pixelFn(x, y);
  auto it = pixels.find({x, y});
  return it == pixels.end() ? defaultPixel : it->second;
}

TColor FakeDesktop::SysColor(int index) {
  auto it = sysColors.find(index);
  return it == sysColors.end() ? DefaultSysColor(index) : it->second;
}

void FakeDialogs::Information(const std::string& text, const std::string&) {
  log.push_back("Information: " + text);
}
void FakeDialogs::Warning(const std::string& text, const std::string&) {
  log.push_back("Warning: " + text);
}
void FakeDialogs::Error(const std::string& text, const std::string&) {
  log.push_back("Error: " + text);
}
bool FakeDialogs::YesNo(const std::string& text, const std::string&) {
  log.push_back("YesNo: " + text);
  if (yesNoAnswers.empty()) return false;
  const bool a = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return a;
}
bool FakeDialogs::OkCancel(const std::string& text, const std::string&) {
  log.push_back("OkCancel: " + text);
  if (okCancelAnswers.empty()) return false;
  const bool a = okCancelAnswers.front();
  okCancelAnswers.pop_front();
  return a;
}
bool FakeDialogs::InputBox(const std::string& caption, const std::string& prompt,
                           std::string& value) {
  log.push_back("InputBox: " + caption + " / " + prompt);
  inputPresets.push_back(value);
  if (inputAnswers.empty()) return false;
  auto a = inputAnswers.front();
  inputAnswers.pop_front();
  if (!a) return false;
  value = *a;
  return true;
}
bool FakeDialogs::ChooseColor(TColor& color) {
  log.push_back("ChooseColor: " + ColorToHex(color));
  if (colorAnswers.empty()) return false;
  auto a = colorAnswers.front();
  colorAnswers.pop_front();
  if (!a) return false;
  color = *a;
  return true;
}
bool FakeDialogs::ChooseFont(TFontSpec& font) {
  log.push_back("ChooseFont: " + font.name);
  if (fontAnswers.empty()) return false;
  auto a = fontAnswers.front();
  fontAnswers.pop_front();
  if (!a) return false;
  font = *a;
  return true;
}
std::optional<std::string> FakeDialogs::SaveFile(const TSaveFileRequest& request) {
  log.push_back("SaveFile: " + request.filter);
  saveRequests.push_back(request);
  if (saveAnswers.empty()) return std::nullopt;
  auto a = saveAnswers.front();
  saveAnswers.pop_front();
  return a;
}
std::vector<std::string> FakeDialogs::OpenFiles(const TOpenFilesRequest& request) {
  log.push_back("OpenFiles: " + request.filter);
  if (openAnswers.empty()) return {};
  auto a = openAnswers.front();
  openAnswers.pop_front();
  return a;
}
std::vector<std::string> FakeDialogs::Of(const std::string& kind) const {
  std::vector<std::string> out;
  const std::string prefix = kind + ": ";
  for (const auto& l : log)
    if (l.rfind(prefix, 0) == 0) out.push_back(l.substr(prefix.size()));
  return out;
}

namespace {
TDesktop* TryDesktop() {
  try {
    return &Desktop();
  } catch (...) {
    return nullptr;
  }
}
TDialogs* TryDialogs() {
  try {
    return &Dialogs();
  } catch (...) {
    return nullptr;
  }
}
thread_local std::vector<std::pair<TDesktop*, TDialogs*>> g_saved;
}  // namespace

ScopedFakes::ScopedFakes() {
  g_saved.emplace_back(TryDesktop(), TryDialogs());
  InstallDesktop(&desktop);
  InstallDialogs(&dialogs);
}
ScopedFakes::~ScopedFakes() {
  InstallDesktop(g_saved.back().first);
  InstallDialogs(g_saved.back().second);
  g_saved.pop_back();
}

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "tintorb-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
}
TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

ProgramHome::ProgramHome() {
  setenv("TINTORB_HOME", path().c_str(), 1);
  ResetProgramDirForTests();
}
ProgramHome::~ProgramHome() {
  unsetenv("TINTORB_HOME");
  ResetProgramDirForTests();
}

}  // namespace tintorb::testing
