// The options the program answers before it opens a window, and the forms of
// the text that `tintorb --pick` prints.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "core/ColorText.h"
#include "core/CssColor.h"

namespace tintorb {

// "--help" and "--version" print to `out` and give the exit status 0; anything
// else gives -1 and the program starts as usual (other arguments are ignored).
int AnswerInfoOption(int argc, const char* const* argv, std::FILE* out);

// What a pick copies: the text of the copy command (with the copy options), or
// one CSS form.
struct TPickForm {
  bool copy = true;
  TCssForm css = TCssForm::hex;
  friend bool operator==(const TPickForm&, const TPickForm&) = default;
};

// "copy" or a CSS form name ("hex", "rgb-legacy", ...).
std::optional<TPickForm> PickFormFromName(std::string_view name);
std::string PickFormName(TPickForm form);
// Empty for the name form of a colour that no CSS keyword has.
std::string PickText(TPickForm form, TColor color, const TCopyOptions& options);

// The --pick option among the arguments.
struct TPickOption {
  bool given = false;
  TPickForm form;
  std::string error;  // set for an unknown form
};
TPickOption FindPickOption(int argc, const char* const* argv);

}  // namespace tintorb
