#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "collections/PaletteFiles.h"
#include "core/TextFile.h"
#include "support/CliRun.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

namespace fs = std::filesystem;
using testing::FilesIn;
using ::testing::HasSubstr;
using testing::RunCli;
using testing::TempDir;
using namespace std::string_literals;

TEST(CliPalette, ImportAddsUniquelyNamedGroupFilesAndPrintsThem) {
  TempDir dir, in, scratch;
  WriteFileAtomic(dir / "Web.tintorb", "000000,old\r\n");
  WriteFileAtomic(in / "a.gpl", "GIMP Palette\nName: web\n255 0 0 赤\n0 0 255\tblue sky\n");
  std::vector<TPaletteGroup> groups(2);
  groups[0].name = "Web";
  groups[0].colors.Add("00FF00", "g");
  WriteFileAtomic(in / "b.ase", AseBytes(groups));  // the second group is unnamed

  auto r = RunCli("import '" + in / "a.gpl" + "' '" + in / "b.ase" + "' --dir '" + dir.path() + "'",
                  scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "web1\t2\nWeb2\t1\nb\t0\n");
  const auto files = FilesIn(dir.path());
  EXPECT_EQ(files.size(), 4u);
  EXPECT_EQ(files.at("web1.tintorb"), *Utf8ToCp932("FF0000,赤\r\n0000FF,blue sky\r\n"));
  EXPECT_EQ(files.at("Web2.tintorb"), "00FF00,g\r\n");
  EXPECT_EQ(files.at("b.tintorb"), "");
  EXPECT_EQ(files.at("Web.tintorb"), "000000,old\r\n");

  // A name too long for a file: shortened and said so; the other file too.
  std::string name;
  for (int i = 0; i < 120; ++i) name += "色";
  WriteFileAtomic(in / "long.gpl", "GIMP Palette\nName: " + name + "\n1 2 3 x\n");
  r = RunCli("import '" + in / "long.gpl" + "' '" + in / "a.gpl" + "' --dir '" + dir.path() + "'",
             scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr(in / "long.gpl"));
  EXPECT_THAT(r.out, HasSubstr("\t1\nweb3\t2\n"));
  EXPECT_EQ(FilesIn(dir.path()).size(), 6u);
}

TEST(CliPalette, ABadFileExitsTwoNamingThePlaceAndWritesNothing) {
  TempDir dir, in, scratch;
  WriteFileAtomic(in / "good.gpl", "GIMP Palette\n1 2 3 x\n");
  WriteFileAtomic(in / "bad.gpl", "GIMP Palette\n#\n1 2 300 x\n");
  WriteFileAtomic(in / "bad.ase", "ASEF\x00\x01\x00\x00\x00\x00\x00\x01\x00\x01"s);
  auto r =
      RunCli("import '" + in / "good.gpl" + "' '" + in / "bad.gpl" + "' --dir '" + dir.path() + "'",
             scratch);
  EXPECT_EQ(r.status, 2);
  EXPECT_THAT(r.err, HasSubstr(in / "bad.gpl" + ": 3 行目: 色の値が 0..255 の範囲外です"));
  r = RunCli("import '" + in / "bad.ase" + "' --dir '" + dir.path() + "'", scratch);
  EXPECT_EQ(r.status, 2);
  EXPECT_THAT(r.err,
              HasSubstr(in / "bad.ase" + ": バイト 8: ブロック数がファイルの大きさに合いません"));
  EXPECT_TRUE(FilesIn(dir.path()).empty());
  EXPECT_EQ(r.out, "");
}

TEST(CliPalette, ExportsOneGroupFileInEachFormat) {
  TempDir dir, scratch;
  const std::string group = dir / "色 1.tintorb";
  WriteFileAtomic(group, *Utf8ToCp932("FF0000,赤\r\n00FF00,green\r\n"));
  TNamedColorList list;
  list.LoadFromFile(group);
  const struct {
    std::string command, bytes;
  } cases[] = {
      {"export-gpl", GplBytes("色 1", list)},
      {"export-ase", AseBytes({{"色 1", list}})},
      {"export-css", CssVariablesText("色 1", list)},
  };
  for (const auto& c : cases) {
    const std::string out = dir / ("out-" + c.command);
    auto r = RunCli(c.command + " '" + group + "' '" + out + "'", scratch);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(out).value_or(""), c.bytes) << c.command;
  }
  WriteFileAtomic(dir / "bad.tintorb", "no comma\r\n");
  auto r = RunCli("export-css '" + dir / "bad.tintorb" + "' '" + dir / "x.css" + "'", scratch);
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(fs::exists(dir / "x.css"));
}

}  // namespace
}  // namespace tintorb
