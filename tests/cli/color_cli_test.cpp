// The colour commands of tintorb-cli, run as a script would run them.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "core/Color.h"
#include "core/ColorText.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;

struct Output {
  int status = -1;
  std::string out, err;
};

// Runs the binary without a shell, so arguments need no quoting.
Output Cli(const std::vector<std::string>& args) {
  TempDir dir;
  const std::string outPath = dir / "out", errPath = dir / "err";
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!std::freopen(outPath.c_str(), "w", stdout) || !std::freopen(errPath.c_str(), "w", stderr))
      ::_exit(127);
    const std::string bin = TINTORB_BINARY_DIR "/tintorb-cli";
    std::vector<char*> argv{const_cast<char*>(bin.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(bin.c_str(), argv.data());
    ::_exit(127);
  }
  int raw = 0;
  ::waitpid(pid, &raw, 0);
  Output r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = ReadFileBytes(outPath).value_or("");
  r.err = ReadFileBytes(errPath).value_or("");
  return r;
}

void ExpectUsageError(const std::vector<std::string>& args, const std::string& message = "") {
  const Output r = Cli(args);
  std::string shown;
  for (const auto& a : args) shown += " " + a;
  EXPECT_EQ(r.status, 2) << shown;
  EXPECT_EQ(r.out, "") << shown;
  EXPECT_FALSE(r.err.empty()) << shown;
  if (!message.empty()) {
    EXPECT_NE(r.err.find(message), std::string::npos) << shown << ": " << r.err;
  }
}

TEST(CliInfo, PrintsTheNineLinesOfTheWorkedExample) {
  const Output r = Cli({"info", "C86432"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "hex C86432\n"
            "rgb 200 100 50\n"
            "hsv 20 191 200\n"
            "hls 20 125 153\n"
            "yuv 124 -41 54\n"
            "cmyk 0 100 150 55\n"
            "websafe CC6633\n"
            "invert 379BCD\n"
            "contrast FFFFFF\n");
}

TEST(CliInfo, FurtherExamplesAndPasteReading) {
  EXPECT_EQ(Cli({"info", "#3399cc"}).out,
            "hex 3399CC\nrgb 51 153 204\nhsv 200 191 204\nhls 200 127 153\nyuv 128 42 -55\n"
            "cmyk 153 51 0 51\nwebsafe 3399CC\ninvert CC6633\ncontrast 000000\n");
  // Red: HLS (0, 127, 255) and YUV (76, -42, 127); black text on white.
  const std::string red = Cli({"info", "FF0000"}).out;
  EXPECT_NE(red.find("\nhls 0 127 255\n"), std::string::npos) << red;
  EXPECT_NE(red.find("\nyuv 76 -42 127\n"), std::string::npos) << red;
  EXPECT_NE(Cli({"info", "FFFFFF"}).out.find("\ncontrast 000000\n"), std::string::npos);
  // The grey that loses one unit of Y.
  EXPECT_NE(Cli({"info", "3F3F3F"}).out.find("\nyuv 62 0 0\n"), std::string::npos);
  // Read as a paste: text after six digits is ignored.
  EXPECT_EQ(Cli({"info", "ABCDEF;"}).out, Cli({"info", "abcdef"}).out);
}

TEST(CliInfo, RefusesWhatPasteRefuses) {
  ExpectUsageError({"info"});
  ExpectUsageError({"info", "#12345"}, "'#12345' is not a colour");
  ExpectUsageError({"info", "12G456"});
  ExpectUsageError({"info", "\"#ABCDEF\""});
  ExpectUsageError({"info", "ABCDEF", "123456"});
}

TEST(CliFrom, ConvertsEachModelBackToRgb) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"rgb", "200", "100", "50"}, "C86432"},
      {{"hsv", "20", "191", "200"}, "C86432"},
      {{"hls", "20", "125", "153"}, "C86432"},
      {{"yuv", "124", "-41", "54"}, "C76333"},  // (199, 99, 51)
      {{"cmyk", "0", "100", "150", "55"}, "C86432"},
      {{"hsv", "31", "255", "255"}, "FF8400"},   // (255, 132, 0)
      {{"hls", "30", "127", "255"}, "FE7F00"},   // (254, 127, 0)
      {{"yuv", "76", "-42", "127"}, "FE0001"},   // (254, 0, 1)
      {{"hsv", "359", "0", "77"}, "4D4D4D"},     // no saturation: hue ignored
      {{"yuv", "255", "127", "127"}, "FF78FF"},  // clamped
      {{"cmyk", "255", "255", "255", "255"}, "000000"},
  };
  for (const auto& [values, hex] : cases) {
    std::vector<std::string> args{"from"};
    args.insert(args.end(), values.begin(), values.end());
    const Output r = Cli(args);
    EXPECT_EQ(r.status, 0) << values[0] << ": " << r.err;
    EXPECT_EQ(r.out, hex + "\n") << values[0];
  }
}

TEST(CliFrom, RejectsValuesOutsideTheirRanges) {
  ExpectUsageError({"from", "hsv", "360", "0", "0"}, "H 360 is outside 0..359");
  ExpectUsageError({"from", "hls", "-1", "0", "0"});
  ExpectUsageError({"from", "rgb", "256", "0", "0"}, "R 256 is outside 0..255");
  ExpectUsageError({"from", "yuv", "0", "-129", "0"}, "U -129 is outside -128..127");
  ExpectUsageError({"from", "yuv", "0", "0", "128"});
  ExpectUsageError({"from", "cmyk", "0", "0", "0", "256"});
  ExpectUsageError({"from", "rgb", "99999999999999999999", "0", "0"});
  ExpectUsageError({"from", "rgb", "1.5", "0", "0"}, "'1.5' is not an integer");
  ExpectUsageError({"from", "rgb", "", "0", "0"});
  ExpectUsageError({"from", "rgb", "0x10", "0", "0"});
}

TEST(CliFrom, RejectsMissingOrExtraValuesAndUnknownModels) {
  ExpectUsageError({"from"});
  ExpectUsageError({"from", "rgb", "1", "2"}, "rgb takes 3 values, got 2");
  ExpectUsageError({"from", "rgb", "1", "2", "3", "4"});
  ExpectUsageError({"from", "cmyk", "1", "2", "3"});
  ExpectUsageError({"from", "lab", "1", "2", "3"}, "unknown model 'lab'");
  ExpectUsageError({"from", "RGB", "1", "2", "3"});
}

TEST(CliCopy, OptionTable) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--no-sharp", "--no-quote"}, "ABCDEF"},
      {{"--no-quote"}, "#ABCDEF"},
      {{"--no-sharp"}, "\"ABCDEF\""},
      {{}, "\"#ABCDEF\""},
      {{"--lower"}, "\"#abcdef\""},
      {{"--lower", "--color-tag"}, "COLOR=\"#abcdef\""},
      {{"--no-quote", "--color-tag"}, "COLOR=#ABCDEF"},
      {{"--no-sharp", "--no-quote", "--lower", "--color-tag"}, "COLOR=abcdef"},
      {{"--no-sharp", "--sharp", "--no-quote", "--quote"}, "\"#ABCDEF\""},  // last one wins
  };
  for (const auto& [options, text] : cases) {
    std::vector<std::string> args{"copy", "ABCDEF"};
    args.insert(args.end(), options.begin(), options.end());
    const Output r = Cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, text + "\n");
  }
  // Options may come before the colour too.
  EXPECT_EQ(Cli({"copy", "--lower", "#abcdef"}).out, "\"#abcdef\"\n");
}

TEST(CliCopy, EveryTagAndLiteralMatchesTheModel) {
  const TColor c = RGB(171, 205, 239);
  for (TTagAction a : kTagActions) {
    const std::string name(TagActionName(a));
    EXPECT_EQ(Cli({"copy", "ABCDEF", "--tag", name}).out, TagText(a, c, TCopyOptions{}) + "\n");
  }
  EXPECT_EQ(Cli({"copy", "ABCDEF", "--tag", "actTagFont"}).out, "<FONT COLOR=\"#ABCDEF\">\n");
  EXPECT_EQ(Cli({"copy", "ABCDEF", "--tag", "actTagStyleColor"}).out, "color: #ABCDEF\n");
  EXPECT_EQ(Cli({"copy", "ABCDEF", "--tag", "actTagStyleColor", "--no-sharp"}).out,
            "color: ABCDEF\n");
  EXPECT_EQ(Cli({"copy", "ABCDEF", "--tag", "actVLink", "--lower", "--color-tag"}).out,
            "VLink=\"#abcdef\"\n");
  EXPECT_EQ(Cli({"copy", "ABCDEF", "--literal", "actDelphi"}).out, "$00EFCDAB\n");
  EXPECT_EQ(Cli({"copy", "ABCDEF", "--literal", "actVisualBasic"}).out, "&HEFCDAB\n");
  EXPECT_EQ(Cli({"copy", "ABCDEF", "--literal", "actIAppli"}).out,
            "g.getColorOfRGB(171, 205, 239)\n");
  EXPECT_EQ(Cli({"copy", "ABCDEF", "--literal", "actIAppli16"}).out,
            "g.getColorOfRGB(0xAB, 0xCD, 0xEF)\n");
  // Literals ignore every option.
  EXPECT_EQ(Cli({"copy", "0000ff", "--lower", "--color-tag", "--literal", "actDelphi"}).out,
            "$00FF0000\n");
  EXPECT_EQ(Cli({"copy", "0000FF", "--lower", "--literal", "actIAppli16"}).out,
            "g.getColorOfRGB(0x00, 0x00, 0xFF)\n");
}

TEST(CliCopy, BadUsage) {
  ExpectUsageError({"copy"}, "expected a COLOR");
  ExpectUsageError({"copy", "ABCDEF", "FEDCBA"});
  ExpectUsageError({"copy", "ABCDE"});
  ExpectUsageError({"copy", "ABCDEF", "--upper"}, "unknown option '--upper'");
  ExpectUsageError({"copy", "ABCDEF", "--tag"}, "--tag needs an ACTION");
  ExpectUsageError({"copy", "ABCDEF", "--tag", "actDelphi"}, "unknown tag action 'actDelphi'");
  ExpectUsageError({"copy", "ABCDEF", "--literal", "actTagFont"});
  ExpectUsageError({"copy", "ABCDEF", "--tag", "actTagHR", "--literal", "actDelphi"});
  ExpectUsageError({"copy", "ABCDEF", "--tag", "actTagHR", "--tag", "actTagTD"});
}

TEST(CliCss, EveryFormInOrderOrOne) {
  const Output all = Cli({"css", "#9932cc"});
  EXPECT_EQ(all.status, 0) << all.err;
  std::vector<std::string> forms;
  for (size_t at = 0; at < all.out.size();) {
    const size_t nl = all.out.find('\n', at);
    const std::string line = all.out.substr(at, nl - at);
    forms.push_back(line.substr(0, line.find(' ')));
    at = nl + 1;
  }
  EXPECT_EQ(forms, (std::vector<std::string>{"hex", "rgb", "rgb-legacy", "hsl", "hwb", "lab", "lch",
                                             "oklab", "oklch", "p3", "name"}));
  EXPECT_NE(all.out.find("\nname darkorchid\n"), std::string::npos) << all.out;
  EXPECT_EQ(Cli({"css", "123456"}).out.find("name"), std::string::npos);
  EXPECT_EQ(Cli({"css", "123456", "--form", "oklch"}).out, "oklch(31.92% 0.07245 251.17)\n");
  EXPECT_EQ(Cli({"css", "FF0000", "--form", "hex"}).out, "#FF0000\n");
  const Output none = Cli({"css", "123456", "--form", "name"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  ExpectUsageError({"css", "123456", "--form", "cmyk"}, "cmyk");
  ExpectUsageError({"css", "123456", "--form"});
  ExpectUsageError({"css"});
  ExpectUsageError({"css", "red"});
}

TEST(CliContrast, RatioApcaAndLevels) {
  EXPECT_EQ(Cli({"contrast", "777777", "FFFFFF"}).out,
            "ratio 4.48\napca 71.1\naa fail\naa-large pass\naaa fail\naaa-large fail\n");
  EXPECT_EQ(Cli({"contrast", "FFFFFF", "000000"}).out,
            "ratio 21\napca -107.9\naa pass\naa-large pass\naaa pass\naaa-large pass\n");
  EXPECT_EQ(Cli({"contrast", "000000", "#FFFFFF"}).out.substr(0, 20), "ratio 21\napca 106.0\n");
  ExpectUsageError({"contrast", "000000"});
  ExpectUsageError({"contrast", "000000", "FFFFFF", "000000"});
  ExpectUsageError({"contrast", "000000", "white"});
}

TEST(CliPaste, PrintsWhatPasteSetsOrFails) {
  struct Case {
    const char* text;
    const char* out;
  } cases[] = {{"oklch(62.8% 0.2577 29.23)", "FF0000\n"},
               {" rebeccapurple ", "663399\n"},
               {"abcdef;", "ABCDEF\n"},
               {"#abc", "AABBCC\n"}};
  for (const Case& c : cases) {
    const Output r = Cli({"paste", c.text});
    EXPECT_EQ(r.status, 0) << c.text;
    EXPECT_EQ(r.out, c.out) << c.text;
  }
  for (const char* text : {"\"#ABCDEF\"", "rgb(1 2)", ""}) {
    const Output r = Cli({"paste", text});
    EXPECT_EQ(r.status, 1) << text;
    EXPECT_EQ(r.out, "") << text;
  }
  ExpectUsageError({"paste"});
  ExpectUsageError({"paste", "red", "blue"});
}

TEST(CliCommands, HelpForEveryCommandGoesToStdout) {
  for (const char* cmd : {"info", "from", "copy"}) {
    const Output r = Cli({cmd, "--help"});
    EXPECT_EQ(r.status, 0) << cmd;
    EXPECT_EQ(r.err, "") << cmd;
    EXPECT_EQ(r.out.rfind(std::string("usage: tintorb-cli ") + cmd, 0), 0u) << r.out;
  }
  EXPECT_NE(Cli({"copy", "--help"}).out.find("actIAppli16"), std::string::npos);
  const Output all = Cli({"--help"});
  EXPECT_EQ(all.status, 0);
  for (const char* cmd : {"info COLOR", "from MODEL", "copy COLOR"})
    EXPECT_NE(all.out.find(cmd), std::string::npos) << cmd;
}

TEST(CliCommands, UnwritableOutputIsAnError) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!std::freopen("/dev/full", "w", stdout) || !std::freopen("/dev/null", "w", stderr))
      ::_exit(127);
    ::execl(TINTORB_BINARY_DIR "/tintorb-cli", "tintorb-cli", "info", "ABCDEF", nullptr);
    ::_exit(127);
  }
  int raw = 0;
  ::waitpid(pid, &raw, 0);
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 2);
}

}  // namespace
}  // namespace tintorb
