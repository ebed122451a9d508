// About's exact text per variant, and selectors the plug-in does not handle.
#include <cstring>

#include "plugin_under_test.h"

using testing::ElementsAre;
using testing::IsEmpty;

class AboutAndDispatch : public PluginTest {};
ZELKRA_FOR_BOTH_VARIANTS(AboutAndDispatch);

TEST_P(AboutAndDispatch, AboutWritesTheVariantsTextAndReleasesWhatItTook) {
  const host::CommandResult about = effect_.about();

  EXPECT_EQ(about.err, PF_Err_NONE);
  EXPECT_EQ(about.out.out_flags, 0);
  if (is_32bit()) {
    EXPECT_EQ(about.return_msg(), "Zelkra15Puzzle, v1.0\rDiridiridar!");
    EXPECT_THAT(log().calls_of("AcquireSuite"), ElementsAre("AcquireSuite(\"PF ANSI Suite\", 1)"));
  } else {
    EXPECT_EQ(about.return_msg(), "Zelkra15puzzle, v1.00\rDiridiridar!");
    EXPECT_EQ(log().count("AcquireSuite"), 0u);
  }
  EXPECT_EQ(log().count("sprintf"), 1u);
  EXPECT_THAT(held(), IsEmpty());
}

TEST_P(AboutAndDispatch, UnhandledSelectorsReturnZeroAndTouchNothing) {
  std::vector<PF_Cmd> unhandled = {2, 7, 9, 10, 11, 12, 15, 22, 25, static_cast<PF_Cmd>(0xFFFFFFFF)};
  if (is_32bit()) unhandled.push_back(PF_Cmd_GLOBAL_SETDOWN);

  for (PF_Cmd cmd : unhandled) {
    SCOPED_TRACE(cmd);
    PF_OutData before;
    std::memset(&before, 0xA5, sizeof(before));
    const host::CommandResult result = effect_.run(cmd, {.out = before});
    EXPECT_EQ(result.err, PF_Err_NONE);
    EXPECT_EQ(std::memcmp(&result.out, &before, sizeof(before)), 0);
  }
  EXPECT_THAT(log().calls(), IsEmpty());
  EXPECT_THAT(held(), IsEmpty());
}
