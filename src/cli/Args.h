// Argument readers shared by the colour commands of tintorb-cli.
#pragma once

#include <charconv>
#include <string>

#include "cli/Cli.h"
#include "core/Color.h"

namespace tintorb::cli {

// COLOR is read exactly as a pasted text is: an optional "#", then six hex digits.
inline TColor ParseColorArg(const std::string& text) {
  TColor c = 0;
  if (!TryHexToColor(text, c))
    throw UsageError("'" + text + "' is not a colour (six hex digits, optionally after '#')");
  return c;
}

// A decimal integer in lo..hi; `what` names it in the message.
inline int ParseIntArg(const std::string& text, const std::string& what, int lo, int hi) {
  long long v = 0;
  const char* end = text.data() + text.size();
  const auto [p, ec] = std::from_chars(text.data(), end, v);
  if (text.empty() || ec == std::errc::invalid_argument || p != end)
    throw UsageError(what + " '" + text + "' is not an integer");
  if (ec == std::errc::result_out_of_range || v < lo || v > hi)
    throw UsageError(what + " " + text + " is outside " + std::to_string(lo) + ".." +
                     std::to_string(hi));
  return int(v);
}

}  // namespace tintorb::cli
