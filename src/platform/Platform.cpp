#include <stdexcept>

#include "platform/Desktop.h"

namespace tintorb {

namespace {
TDesktop* g_desktop = nullptr;
TDialogs* g_dialogs = nullptr;
}  // namespace

TDesktop& Desktop() {
  if (!g_desktop) throw std::logic_error("no desktop installed");
  return *g_desktop;
}
TDialogs& Dialogs() {
  if (!g_dialogs) throw std::logic_error("no dialogs installed");
  return *g_dialogs;
}
std::vector<TColor> TDesktop::ScreenRect(int x, int y, int w, int h) {
  std::vector<TColor> out;
  if (w <= 0 || h <= 0) return out;
  out.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.push_back(ScreenPixel(x + i, y + j));
  return out;
}

void InstallDesktop(TDesktop* desktop) {
  g_desktop = desktop;
}
void InstallDialogs(TDialogs* dialogs) {
  g_dialogs = dialogs;
}

}  // namespace tintorb
