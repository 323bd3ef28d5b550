#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "collections/Scheme.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;

struct Result {
  int status;
  std::string out, err;
};

Result Cli(const std::string& args) {
  TempDir dir;
  const std::string cmd = std::string("'") + TINTORB_BINARY_DIR + "/tintorb-cli' scheme " + args +
                          " >'" + dir / "out" + "' 2>'" + dir / "err" + "'";
  const int raw = std::system(cmd.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(dir / "out").value_or(""),
          ReadFileBytes(dir / "err").value_or("")};
}

TEST(CliScheme, PrintsOneCodePerEntry) {
  auto r = Cli("ForeToBack --fore 000000 --back '#FFFFFF' --count 3");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "000000\n808080\nFFFFFF\n");

  r = Cli("pentards --fore C86432 --back 000000 --seed 1");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.size(), 5u * 7u);
  EXPECT_EQ(r.out.substr(7, 7), "FFFFFF\n");
  EXPECT_EQ(r.out.substr(21, 7), "000000\n");

  // Without --count a counted template makes the prompt's default of 8.
  r = Cli("GradValueDark --fore FF0000 --back 000000");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 7), "FF0000\n");
  EXPECT_EQ(r.out.substr(r.out.size() - 7), "000000\n");
  EXPECT_EQ(r.out.size(), 8u * 7u);
}

TEST(CliScheme, SeedMakesRandomTemplatesRepeatable) {
  const auto a = Cli("RandomHue --fore 3366CC --back FFFFFF --count 20 --seed 42");
  const auto b = Cli("RandomHue --fore 3366CC --back FFFFFF --count 20 --seed 42");
  const auto c = Cli("RandomHue --fore 3366CC --back FFFFFF --count 20 --seed 43");
  ASSERT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_NE(a.out, c.out);
  // The same computation as the model's with the same seed.
  TScheme s;
  ApplySchemeTemplate(s, TSchemeTemplate::RandomHue, 20);
  RandSeed(42);
  s.Recalculate(HexToColor("3366CC"), clWhite);
  std::string expected;
  for (int i = 0; i < s.Count(); ++i) expected += ColorToHex(s.Items(i).Color) + "\n";
  EXPECT_EQ(a.out, expected);
}

TEST(CliScheme, BadUsageIsRefusedWithAReason) {
  struct Case {
    const char* args;
    const char* says;
  } cases[] = {
      {"Nonsense --fore 000000 --back 000000",
       "unknown template 'Nonsense'; templates: Dyards Triads SplitComplementary"},
      {"Triads --back 000000", "--fore is required"},
      {"Triads --fore 000000", "--back is required"},
      {"Triads --fore 12345 --back 000000", "--fore '12345' is not a colour"},
      {"Triads --fore 000000 --back GGGGGG", "--back 'GGGGGG' is not a colour"},
      {"Triads --fore 000000 --back 000000 --count 4", "fixed size"},
      {"GradHue --fore 000000 --back 000000 --count 0", "not a positive integer"},
      {"GradHue --fore 000000 --back 000000 --count x", "not a positive integer"},
      {"GradHue --fore 000000 --back 000000 --count 4097", "more than the 4096"},
      {"GradHue --fore 000000 --back 000000 --count 99999999999999", "more than the 4096"},
      {"GradHue --fore 000000 --back 000000 --seed -1", "--seed '-1'"},
      {"GradHue --fore 000000 --back 000000 --count", "--count needs a value"},
      {"GradHue --fore 000000 --back 000000 --colour 1", "unknown option"},
  };
  for (const auto& c : cases) {
    const auto r = Cli(c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << " -> " << r.err;
    EXPECT_EQ(r.out, "") << c.args;
  }
  const auto cap = Cli("ForeToBack --fore 000000 --back FFFFFF --count 4096");
  EXPECT_EQ(cap.status, 0);
  EXPECT_EQ(cap.out.size(), 4096u * 7u);
}

}  // namespace
}  // namespace tintorb
