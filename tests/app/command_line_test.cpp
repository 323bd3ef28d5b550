// The --pick option and the texts it prints.
#include <gtest/gtest.h>

#include <vector>

#include "app/CommandLine.h"

namespace tintorb {
namespace {

TEST(CommandLine, PickOptionAndItsForm) {
  const struct {
    std::vector<const char*> args;
    bool given;
    const char* form;  // PickFormName, or nullptr for an error
  } cases[] = {
      {{}, false, "copy"},
      {{"--pick"}, true, "copy"},
      {{"-platform", "xcb", "--pick=rgb-legacy"}, true, "rgb-legacy"},
      {{"--pick=oklch", "--pick=name"}, true, "name"},  // the last one counts
      {{"--pick=HEX"}, true, nullptr},
      {{"--pick="}, true, nullptr},
      {{"--picky"}, false, "copy"},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv{"tintorb"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const TPickOption o = FindPickOption(int(argv.size()), argv.data());
    SCOPED_TRACE(argv.size() > 1 ? argv.back() : "(none)");
    EXPECT_EQ(o.given, c.given);
    EXPECT_EQ(o.error.empty(), c.form != nullptr) << o.error;
    if (c.form) {
      EXPECT_EQ(PickFormName(o.form), c.form);
    }
  }
}

TEST(CommandLine, PickTextFollowsTheCopyOptionsOnlyForCopy) {
  const TCopyOptions lower{false, false, true, true};
  const TColor orange = RGB(255, 136, 0);
  EXPECT_EQ(PickText(*PickFormFromName("copy"), orange, lower), "COLOR=ff8800");
  EXPECT_EQ(PickText(*PickFormFromName("hex"), orange, lower), "#FF8800");
  EXPECT_EQ(PickText(*PickFormFromName("name"), RGB(255, 165, 0), lower), "orange");
  EXPECT_EQ(PickText(*PickFormFromName("name"), orange, lower), "");
}

}  // namespace
}  // namespace tintorb
