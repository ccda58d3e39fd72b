#include "modes/modes.h"

#include <gtest/gtest.h>

#include <string>

#include "base/memory_console.h"

namespace ugraph {
namespace {

TEST(ModesTest, EveryModeHasItsOwnEntry) {
  for (std::size_t i = 0; i < kModes.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(kModes[i].mode), i) << i;
    EXPECT_NE(kModes[i].run, nullptr);
    // Only the dialogue ends with 1 when its output fails; the options'
    // modes with 2, as for any other failure of theirs.
    EXPECT_EQ(kModes[i].failedStatus, kModes[i].mode == Mode::kDialogue ? 1 : 2)
        << i;
  }
  EXPECT_EQ(kModes.size(), static_cast<std::size_t>(Mode::kUsageError) + 1);
}

TEST(ModesTest, RunsThePickedModeAndEndsItsOutput) {
  testing::MemoryConsole io("");
  Options help;
  help.mode = Mode::kHelp;
  EXPECT_EQ(runMode(help, io.console()), 0);
  EXPECT_EQ(io.unflushedView().rfind("Usage: ugraph ", 0), 0u);

  testing::MemoryConsole version("");
  Options v;
  v.mode = Mode::kVersion;
  EXPECT_EQ(runMode(v, version.console()), 0);
  EXPECT_EQ(version.output().rfind("ugraph ", 0), 0u);

  Options wrong;
  wrong.mode = Mode::kUsageError;
  EXPECT_EQ(runMode(wrong, version.console()), 2);
}

}  // namespace
}  // namespace ugraph
