#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "collections/Pictogram.h"
#include "core/TextFile.h"
#include "support/Fakes.h"
#include "support/PngFile.h"

namespace tintorb {
namespace {

using testing::TempDir;

struct RunResult {
  int status;
  std::string out, err;
};

RunResult Cli(const std::string& args, const TempDir& dir) {
  const std::string cmd = std::string("'") + TINTORB_BINARY_DIR + "/tintorb-cli' " + args + " >'" +
                          dir / "stdout.txt" + "' 2>'" + dir / "stderr.txt" + "'";
  const int raw = std::system(cmd.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(dir / "stdout.txt").value_or(""),
          ReadFileBytes(dir / "stderr.txt").value_or("")};
}

// Every chunk but the time stamp, which differs from run to run.
std::vector<testing::PngChunk> Timeless(const std::string& bytes) {
  auto chunks = testing::ParsePng(bytes).chunks;
  std::erase_if(chunks, [](const auto& c) { return c.type == "tIME"; });
  return chunks;
}

std::string Expected(int index, int mode, TColor fore, TColor back) {
  TGLDMemorySink sink;
  MakePictogramPNG(index, mode, fore, back).SaveToSink(sink);
  return sink.bytes;
}

void ExpectSameChunks(const std::string& got, const std::string& want) {
  const auto a = Timeless(got), b = Timeless(want);
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].type, b[i].type);
    EXPECT_EQ(a[i].data, b[i].data) << a[i].type;
  }
  ASSERT_NE(testing::ParsePng(got).Find("tIME"), nullptr);
}

TEST(CliPictogram, WritesWhatTheSheetSavesInEachMode) {
  TempDir dir;
  const std::string out = dir / "p.png";
  auto r = Cli("pictogram 0 --mode 0 '" + out + "'", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  ExpectSameChunks(*ReadFileBytes(out), Expected(0, 0, 0, 0));

  r = Cli("pictogram 176 --mode 1 '" + out + "'", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  ExpectSameChunks(*ReadFileBytes(out), Expected(176, 1, 0, 0));

  r = Cli("pictogram 251 --mode 2 --fore '#123456' --back fedcba '" + out + "'", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  ExpectSameChunks(*ReadFileBytes(out),
                   Expected(251, 2, RGB(0x12, 0x34, 0x56), RGB(0xFE, 0xDC, 0xBA)));

  r = Cli("pictogram 5 '" + out + "' --mode 2", dir);  // options anywhere; black on white
  ASSERT_EQ(r.status, 0) << r.err;
  ExpectSameChunks(*ReadFileBytes(out), Expected(5, 2, clBlack, clWhite));
  EXPECT_EQ(testing::Pngcheck(out).status, 0);
}

TEST(CliPictogram, BadArgumentsFailAndLeaveTheOldFile) {
  TempDir dir;
  const std::string out = dir / "p.png";
  WriteFileAtomic(out, "keep");
  const struct {
    std::string args, message;
  } cases[] = {
      {"252 --mode 0", "INDEX '252' is not a number from 0 to 251"},
      {"-1 --mode 0", "INDEX '-1'"},
      {"x --mode 0", "INDEX 'x'"},
      {"3 --mode 3", "mode '3' is not a number from 0 to 2"},
      {"3", "--mode is required"},
      {"3 --mode 2 --fore red", "--fore 'red' is not a colour"},
      {"3 --mode 2 --back 1234567", "--back '1234567' is not a colour"},
      {"3 --mode 0 --fore 000000", "--fore and --back apply to --mode 2 only"},
      {"3 --mode 0 --zoom", "unknown option '--zoom'"},
  };
  for (const auto& c : cases) {
    const auto r = Cli("pictogram " + c.args + " '" + out + "'", dir);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    EXPECT_EQ(ReadFileBytes(out), "keep") << c.args;
  }
  auto r = Cli("pictogram 3 --mode", dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--mode needs a value"), std::string::npos) << r.err;
  r = Cli("pictogram 3 --mode 0", dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("expected INDEX and OUT.png"), std::string::npos) << r.err;
  // An unwritable place: an error, and nothing left behind.
  r = Cli("pictogram 3 --mode 0 '" + dir / "no/such/dir.png" + "'", dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no/such/dir.png"), std::string::npos) << r.err;
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 3);  // p.png, stdout.txt, stderr.txt
}

TEST(CliPictogram, HelpNamesTheModes) {
  TempDir dir;
  const auto r = Cli("pictogram --help", dir);
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("pictogram INDEX --mode 0|1|2"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace tintorb
