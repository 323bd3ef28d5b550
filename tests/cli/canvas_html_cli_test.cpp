#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "canvas/CanvasHtml.h"
#include "canvas/CanvasLayout.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;

struct RunResult {
  int status;
  std::string err;
};

RunResult RunCli(const std::string& args, const TempDir& dir) {
  const std::string errPath = dir / "stderr.txt";
  const std::string cmd =
      std::string("'") + TINTORB_BINARY_DIR + "/tintorb-cli' " + args + " 2>'" + errPath + "'";
  const int raw = std::system(cmd.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(errPath).value_or("")};
}

TEST(CliCanvasHtml, WritesThePageTheWindowWould) {
  TempDir dir;
  WriteFileAtomic(dir / "layout.txt",
                  "background 000080\n100 50 200 100 FF0000\n0 0 400 300 00FF00\n");
  const auto r = RunCli("canvas-html '" + dir / "layout.txt" + "' '" + dir / "out.html" + "'", dir);
  ASSERT_EQ(r.status, 0) << r.err;

  // The same canvas built the way the window builds it: added back-most first.
  TCanvas canvas;
  auto* back = canvas.AddItem(800, 600, RGB(0, 255, 0));
  back->SetBoundsRect({0, 0, 400, 300});
  auto* front = canvas.AddItem(800, 600, RGB(255, 0, 0));
  front->SetBoundsRect({100, 50, 300, 150});
  EXPECT_EQ(ReadFileBytes(dir / "out.html"), CanvasHtmlBytes(canvas.Items, RGB(0, 0, 0x80)));
}

TEST(CliCanvasHtml, BadInputFailsWithoutTouchingTheOutput) {
  TempDir dir;
  WriteFileAtomic(dir / "out.html", "keep");
  WriteFileAtomic(dir / "layout.txt", "10 10 10 10 FF0000\n10 10 ten 10 FF0000\n");
  auto r = RunCli("canvas-html '" + dir / "layout.txt" + "' '" + dir / "out.html" + "'", dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("line 2: WIDTH 'ten' is not an integer"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFileBytes(dir / "out.html"), "keep");

  r = RunCli("canvas-html '" + dir / "absent.txt" + "' '" + dir / "out.html" + "'", dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("cannot read"), std::string::npos) << r.err;

  r = RunCli("canvas-html '" + dir / "layout.txt" + "'", dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(ReadFileBytes(dir / "out.html"), "keep");
}

}  // namespace
}  // namespace tintorb
