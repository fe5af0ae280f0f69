#include <gtest/gtest.h>

#include "tests/support/RunProcess.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::testing {
namespace {

TEST(Quarn, EchoesEveryArgumentFollowedByABlankThenOneLineFeed) {
    struct Case {
        std::vector<std::string> arguments;
        std::string expectedAfterName;
    };
    const Case cases[] = {
        {{}, " \n"},
        {{"a.asm", "-o", "a.out"}, " a.asm -o a.out \n"},
        {{"with blank", ""}, " with blank  \n"},  // one argument each, unquoted
    };
    const auto quarn = BinaryDirectory() / "quarn";
    for (const Case& c : cases) {
        ProcessResult run = RunProcess(quarn, c.arguments);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.standardOutput, quarn.string() + c.expectedAfterName);
        EXPECT_EQ(run.standardError, "");
    }
}

}  // namespace
}  // namespace tovrin::testing
