#include <gtest/gtest.h>

#include <string>

#include "core/TextFile.h"
#include "support/CliRun.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::RunCli;
using testing::TempDir;

TEST(CliCvd, SimulatesColoursAndChecksAGroupFile) {
  TempDir dir, scratch;
  struct Case {
    std::string args;
    int status;
    std::string out;
  } const cases[] = {
      {"cvd FF0000 '#00a000' --type deutan", 0, "#A39000\n#958521\n"},
      {"cvd --severity 50 FF0000 --type protan", 0, "#B45600\n"},
      {"cvd C86432 --type achroma", 0, "#808080\n"},
      {"cvd FF0000 --type green", 2, ""},
      {"cvd FF0000 --type protan --severity 101", 2, ""},
      {"cvd FF0000", 2, ""},
  };
  for (const Case& c : cases) {
    const auto r = RunCli(c.args, scratch);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_EQ(r.out, c.out) << c.args;
  }

  const std::string mixed = dir / "mixed.tintorb", greys = dir / "greys.tintorb";
  WriteFileAtomic(mixed, "FF0000,red\r\n808080,grey\r\n00A000,green\r\n");
  WriteFileAtomic(greys, "000000,black\r\nFFFFFF,white\r\n808080,grey\r\n");
  auto r = RunCli("cvd-check '" + mixed + "'", scratch);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, "deutan\t#FF0000\t#00A000\t5.1\n");
  r = RunCli("cvd-check '" + mixed + "' --severity 50", scratch);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  r = RunCli("cvd-check '" + greys + "'", scratch);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(RunCli("cvd-check '" + (dir / "absent.tintorb") + "'", scratch).status, 2);
}

}  // namespace
}  // namespace tintorb
