// tintorb-cli palette-from-image on pictures ImageMagick wrote: the output,
// the group file with --dir, and bad files refused with nothing written.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "support/CliRun.h"

namespace tintorb::testing {
namespace {

std::string Chunk(const std::string& type, const std::string& data) {
  std::string body = type + data;
  const uint32_t crc =
      uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size())));
  auto be = [](uint32_t v) {
    return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  };
  return be(uint32_t(data.size())) + body + be(crc);
}

class PaletteFromImageCli : public ::testing::Test {
 protected:
  void SetUp() override {
    // Six blocks across 99 x 10: areas 300, 230, 210, 120, 80, 50.
    const std::string cmd =
        "convert -size 99x10 xc:black -fill '#00FF00' -draw 'rectangle 0,0 11,9' -fill '#FF0000' "
        "-draw 'rectangle 12,0 41,9' -fill '#0000FF' -draw 'rectangle 42,0 46,9' -fill "
        "'#123456' -draw 'rectangle 47,0 67,9' -fill white -draw 'rectangle 68,0 75,9' 'PNG24:" +
        (in / "blocks.png") + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }
  TempDir in, dir, scratch;
};

TEST_F(PaletteFromImageCli, SixBlocksByAreaAndAGroupUnderAFreeName) {
  const std::string want =
      "#FF0000\t30%\n#000000\t23%\n#123456\t21%\n#00FF00\t12%\n#FFFFFF\t8%\n#0000FF\t5%\n";
  RunResult r = RunCli("palette-from-image '" + (in / "blocks.png") + "'", scratch);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, want);

  WriteFileAtomic(dir / "blocks.tintorb", "000000,old\r\n");
  r = RunCli(
      "palette-from-image '" + (in / "blocks.png") + "' --count 6 --dir '" + dir.path() + "'",
      scratch);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, want + "blocks1\t6\n");
  EXPECT_EQ(FilesIn(dir.path())["blocks1.tintorb"],
            "FF0000,30%\r\n000000,23%\r\n123456,21%\r\n00FF00,12%\r\nFFFFFF,8%\r\n0000FF,5%\r\n");
}

TEST_F(PaletteFromImageCli, BadPicturesExitTwoNamingTheFileAndWriteNothing) {
  const std::string png = *ReadFileBytes(in / "blocks.png");
  const std::string sig = "\x89PNG\r\n\x1a\n";
  const std::string ihdr = std::string("\0\0\x75\x30\0\0\x75\x30\x08\x02\0\0\0", 13);  // 30000²
  WriteFileAtomic(in / "bomb.png", sig + Chunk("IHDR", ihdr) +
                                       Chunk("IDAT", std::string(4000, 'x')) + Chunk("IEND", ""));
  WriteFileAtomic(in / "cut.png", png.substr(0, png.size() - 30));
  WriteFileAtomic(in / "text.png", "not a picture\n");
  const struct {
    const char* file;
    const char* says;
  } cases[] = {{"bomb.png", "30000x30000"}, {"cut.png", "cut off"}, {"text.png", "not a picture"}};
  for (const auto& c : cases) {
    // Far less address space than 30000 x 30000 pixels would take.
    const std::string cmd =
        "ulimit -v 1500000; '" TINTORB_BINARY_DIR "/tintorb-cli' palette-from-image '" +
        (in / c.file) + "' --dir '" + dir.path() + "' 2>'" + (scratch / "err") + "' >/dev/null";
    const int raw = std::system(cmd.c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 2) << c.file;
    const std::string err = ReadFileBytes(scratch / "err").value_or("");
    EXPECT_NE(err.find(in / c.file), std::string::npos) << err;
    EXPECT_NE(err.find(c.says), std::string::npos) << err;
  }
  EXPECT_TRUE(FilesIn(dir.path()).empty());
}

}  // namespace
}  // namespace tintorb::testing
