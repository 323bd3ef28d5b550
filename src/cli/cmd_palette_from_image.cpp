// tintorb-cli palette-from-image: the dominant colours of a picture, and
// optionally a favourites group of them.
#include <cstdio>
#include <filesystem>

#include "cli/Args.h"
#include "cli/Cli.h"
#include "cli/FolderGuard.h"
#include "collections/PaletteFiles.h"
#include "core/ColorText.h"
#include "core/TextFile.h"
#include "platform/picture/PictureFile.h"

namespace tintorb::cli {
namespace {

namespace fs = std::filesystem;

int Run(const std::vector<std::string>& args) {
  std::string image, dir;
  int count = kPaletteCountDefault;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--dir" || args[i] == "--count") {
      if (i + 1 >= args.size()) throw UsageError(args[i] + " needs a value");
      if (args[i] == "--dir")
        dir = args[++i];
      else
        count = ParseIntArg(args[++i], "--count", kPaletteCountMin, kPaletteCountMax);
    } else if (args[i].rfind("--", 0) == 0) {
      throw UsageError("unknown option '" + args[i] + "'");
    } else if (image.empty()) {
      image = args[i];
    } else {
      throw UsageError("expected one IMAGE");
    }
  }
  if (image.empty()) throw UsageError("expected IMAGE");
  std::error_code ec;
  if (!dir.empty() && !fs::is_directory(dir, ec))
    throw UsageError("'" + dir + "' is not a directory");
  TFolderLock lock;
  if (!dir.empty()) LockProgramDir(lock, dir);

  const TPictureRead read = ReadPicture(image);
  if (read.image.isNull()) throw UsageError(PictureErrorText(image, read, false));
  const TImagePalette palette = PaletteFromPixels(PixelsOf(read.image), count);
  if (palette.colors.empty()) throw UsageError("'" + image + "' has no opaque pixel");

  TPaletteGroup group;
  group.name = fs::path(image).stem().string();
  for (const auto& c : palette.colors)
    group.colors.Add(ColorToHex(c.color), ShareText(c.pixels, palette.total));

  std::string written;
  int rows = 0;
  if (!dir.empty()) {
    TFavorites favorites;
    favorites.LoadFromDir(dir);
    const std::vector<int> added = AddPaletteGroups(favorites, {group});
    if (added.size() != 1) throw UsageError("the group name was refused; nothing written");
    written = favorites.GroupName(added[0]);
    rows = favorites.Group(added[0]).Count();
    try {
      favorites.Group(added[0]).SaveToFile(
          (fs::path(dir) / TFavorites::GroupFileName(written)).string());
    } catch (const EFileWriteError& e) {
      throw UsageError(std::string(e.what()) + "; nothing written");
    }
  }
  for (const auto& c : palette.colors)
    std::printf("#%s\t%s\n", ColorToHex(c.color).c_str(),
                ShareText(c.pixels, palette.total).c_str());
  if (!dir.empty()) std::printf("%s\t%d\n", written.c_str(), rows);
  return 0;
}

const Register command({
    "palette-from-image",
    "palette-from-image IMAGE [--count N] [--dir DIR]",
    "Prints the N (2..32, default 8) dominant colours of the picture IMAGE\n"
    "(PNG, JPEG, WebP, GIF, BMP, TIFF; an embedded colour profile is applied,\n"
    "so the values are sRGB), one line #RRGGBB<TAB>SHARE% each, the largest\n"
    "share first. The colours are found by k-means in OKLab; a picture of N\n"
    "or fewer colours gives exactly its colours. With --dir the colours also\n"
    "become a favourites group in the folder DIR, named after the file (a\n"
    "taken name gets the smallest free number appended), each row named with\n"
    "its share; the group file is written atomically and GROUP<TAB>ROWS is\n"
    "printed last. A file that is not a picture, is cut off, or claims more\n"
    "than 100 megapixels exits 2 naming the file, and nothing is written.\n",
    Run,
});

}  // namespace
}  // namespace tintorb::cli
