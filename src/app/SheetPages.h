// Which page becomes active when page n is asked for.
#pragma once

#include <vector>

namespace tintorb {

// n is clamped into the pages; a hidden page passes the turn to the next
// visible page above it, then below it. -1 when no page is visible.
int ChooseActivePage(int n, const std::vector<bool>& visible);

}  // namespace tintorb
