#include <cstdio>

int main() {
  std::puts("usage: tintorb-cli COMMAND ...");
  return 0;
}
