// A separate C host with no Qt application of its own loads each library
// with dlopen and answers the modal dialog from the keyboard.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/RunProcess.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::testing {
namespace {

// Runs libhost in the given directory, typing the keys into its dialog.
ProcessResult RunLibhost(const std::filesystem::path& directory, const std::vector<std::string>& arguments,
                         const std::string& keys) {
    std::vector<std::string> argv{"-c", "cd \"$0\" && exec \"$@\"", directory.string(), TOVRIN_LIBHOST};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunProcess("/bin/sh", argv, {}, {"LIBHOST_KEYS=" + keys, "QT_QPA_PLATFORM=offscreen"});
}

constexpr const char* kRylDescription =
    "[RylOption]\nOptionWords=1\nOptInitVal0=1\nOptItems0=1\nOptAddr0=8199\n"
    "[RylOption0_Item0]\nName=Mode\nItemCount=3\nItem0_Name=a\nItem0_Val=01\nItem1_Name=b\nItem1_Val=10\n"
    "Item2_Name=c\nItem2_Val=11\nBitStart=1\nBitEnd=0\n";

TEST(EndToEnd, RylAnsweredWithOkAndWithCancel) {
    TempDirectory dir;
    const std::string ini = dir.Write("r.ini", kRylDescription).string();

    ProcessResult ok = RunLibhost(dir.path(), {"ryl", TOVRIN_RYL_LIBRARY, ini, "0", "0"}, "down,ok");
    EXPECT_EQ(ok.exitCode, 0) << ok.standardError;
    EXPECT_EQ(ok.standardOutput,
              "result: 1\nwords: 0001 2007 0002 0000" +
                  std::string(" 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000\n"));

    ProcessResult cancel =
        RunLibhost(dir.path(), {"ryl", TOVRIN_RYL_LIBRARY, ini, "1", "0x00F2"}, "down,cancel");
    EXPECT_EQ(cancel.exitCode, 0) << cancel.standardError;
    EXPECT_EQ(cancel.standardOutput,
              "result: 0\nwords: 0001 0000 00F2 0000" +
                  std::string(" 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000\n"));
}

TEST(EndToEnd, MardAnsweredWithOkAndWithCancel) {
    TempDirectory dir;
    const std::string ini = dir.Write("m.ini",
                                      "[MardOption]\nOptionWords=2\nOptInitVal1=5\nOptItems0=1\nOptItems1=1\n"
                                      "[MardOption0_Item0]\nItemCount=2\nItem0_Name=off\nItem0_Val=0\nItem1_"
                                      "Name=on\nItem1_Val=1\nBitStart=4\nBitEnd=4\n"
                                      "[MardOption1_Item0]\nItemType=2\nItem0_Val=0\nItem0_ReverseBitStart="
                                      "0\nItem0_ReverseBitEnd=7\n")
                                .string();

    ProcessResult ok = RunLibhost(dir.path(), {"mardex", TOVRIN_MARD_LIBRARY, ini, "3", "0x8000"}, "down,ok");
    EXPECT_EQ(ok.exitCode, 0) << ok.standardError;
    EXPECT_EQ(ok.standardOutput, "result: 1\nvalues: 8010 00EF EEEE\n");

    ProcessResult cancel = RunLibhost(dir.path(), {"mard", TOVRIN_MARD_LIBRARY, ini, "3"}, "down,cancel");
    EXPECT_EQ(cancel.exitCode, 0) << cancel.standardError;
    EXPECT_EQ(cancel.standardOutput, "result: 0\nvalues: 0000 0005 EEEE\n");
}

TEST(EndToEnd, PickwellAnsweredWithOkAndWithCancel) {
    TempDirectory dir;
    dir.Write("Device/QVB1Q3L88.dev", "");
    dir.Write("Device/QVB1M8.dev", "");

    ProcessResult ok = RunLibhost(dir.path(), {"pickwellex", TOVRIN_PICKWELL_LIBRARY, "QVB1M8"}, "down,ok");
    EXPECT_EQ(ok.exitCode, 0) << ok.standardError;
    EXPECT_EQ(ok.standardOutput, "result: 1\nname: Q3L88\n");

    ProcessResult cancel = RunLibhost(dir.path(), {"pickwell", TOVRIN_PICKWELL_LIBRARY}, "down,cancel");
    EXPECT_EQ(cancel.exitCode, 0) << cancel.standardError;
    EXPECT_EQ(cancel.standardOutput, "result: 0\nname: (untouched)\n");
}

}  // namespace
}  // namespace tovrin::testing
