// The two options the program answers before it opens a window.
#pragma once

#include <cstdio>

namespace tintorb {

// "--help" and "--version" print to `out` and give the exit status 0; anything
// else gives -1 and the program starts as usual (other arguments are ignored).
int AnswerInfoOption(int argc, const char* const* argv, std::FILE* out);

}  // namespace tintorb
