// Shared by the fuzz targets: dialogs that answer without a window, and a
// check that aborts (so libFuzzer keeps the input) when a property breaks.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Desktop.h"

namespace tintorb::fuzz {

class TSilentDialogs : public TDialogs {
 public:
  void Information(const std::string&, const std::string&) override {}
  void Warning(const std::string&, const std::string&) override {}
  void Error(const std::string&, const std::string&) override {}
  bool YesNo(const std::string&, const std::string&) override { return false; }
  bool OkCancel(const std::string&, const std::string&) override { return false; }
  bool InputBox(const std::string&, const std::string&, std::string&) override { return false; }
  bool ChooseColor(TColor&) override { return false; }
  bool ChooseFont(TFontSpec&) override { return false; }
  std::optional<std::string> SaveFile(const TSaveFileRequest&) override { return std::nullopt; }
};

inline void InstallSilentDialogs() {
  static TSilentDialogs dialogs;
  InstallDialogs(&dialogs);
}

#define FUZZ_CHECK(cond)                                                               \
  do {                                                                                 \
    if (!(cond)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

}  // namespace tintorb::fuzz
