// What a failed system call means, in the words the user reads.
#pragma once

#include <string>

namespace tintorb {

// The Japanese text of an errno value ("ディスクの空き容量が足りません" for
// ENOSPC); an unusual value is named by its number.
std::string SystemErrorText(int err);

}  // namespace tintorb
