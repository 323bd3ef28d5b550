// Texts derived from a command's caption.
#pragma once

#include <string>
#include <string_view>

namespace tintorb {

// The caption as a tooltip shows it: without its accelerator ("コピー(&C)" ->
// "コピー", "&File" -> "File", "&&" -> "&") and without a trailing "...".
std::string CaptionWithoutAccelerator(std::string_view caption);

}  // namespace tintorb
