// The waiting side of `tintorb --pick`: asks the copy running on the program
// directory to pick, starting the program when none runs, and prints the
// text of the colour taken.
#pragma once

#include "app/CommandLine.h"

namespace tintorb {

// The exit status: 0 a text was printed, 1 nothing was copied, 2 no program
// could be asked.
int RunPickClient(int argc, char** argv, TPickForm form);

}  // namespace tintorb
