// Mean OKLab distance of every pixel of a picture to the nearest of the given
// colours: the quality figure of bench/palette_vs_imagemagick.sh.
// Usage: palette_quality IMAGE RRGGBB...
#include <cstdio>
#include <string>
#include <vector>

#include "core/Color.h"
#include "core/ImagePalette.h"
#include "platform/picture/PictureFile.h"

int main(int argc, char** argv) {
  using namespace tintorb;
  if (argc < 3) {
    std::fputs("usage: palette_quality IMAGE RRGGBB...\n", stderr);
    return 2;
  }
  const TPictureRead read = ReadPicture(argv[1]);
  if (read.image.isNull()) {
    std::fprintf(stderr, "%s\n", PictureErrorText(argv[1], read, false).c_str());
    return 2;
  }
  std::vector<TColor> palette;
  for (int i = 2; i < argc; ++i) {
    std::string hex = argv[i];
    if (!hex.empty() && hex[0] == '#') hex.erase(0, 1);
    TColor c = 0;
    if (!TryHexToColor(hex, c)) return std::fprintf(stderr, "bad colour %s\n", argv[i]), 2;
    palette.push_back(c);
  }
  std::printf("%.5f\n", MeanPaletteDistance(PixelsOf(read.image), palette));
  return 0;
}
