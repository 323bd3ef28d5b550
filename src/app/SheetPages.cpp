#include "app/SheetPages.h"

namespace tintorb {

int ChooseActivePage(int n, const std::vector<bool>& visible) {
  const int count = static_cast<int>(visible.size());
  if (count == 0) return -1;
  if (n < 0) n = 0;
  if (n >= count) n = count - 1;
  if (visible[n]) return n;
  for (int i = n + 1; i < count; ++i)
    if (visible[i]) return i;
  for (int i = n - 1; i >= 0; --i)
    if (visible[i]) return i;
  return -1;
}

}  // namespace tintorb
