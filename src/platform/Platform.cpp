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
void InstallDesktop(TDesktop* desktop) {
  g_desktop = desktop;
}
void InstallDialogs(TDialogs* dialogs) {
  g_dialogs = dialogs;
}

}  // namespace tintorb
