// The exports called in-process, from a host that has its own QApplication.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <array>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/dialoglibs/QtTestApplication.h"
#include "tests/support/TempDirectory.h"
#include "tovrin/mard.h"
#include "tovrin/pickwell.h"
#include "tovrin/ryl.h"

namespace tovrin::testing {
namespace {

template <class Function>
Function* Export(const char* library, const char* name) {
    // Kept loaded: Mard's first-word value lives as long as the library does.
    void* handle = ::dlopen(library, RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(handle, nullptr) << ::dlerror();
    return handle ? reinterpret_cast<Function*>(::dlsym(handle, name)) : nullptr;
}

constexpr uint16_t kUntouched = 0xEEEE;

class ExportsTest : public ::testing::Test {
protected:
    void SetUp() override { TestApplication(); }
    TempDirectory dir_;
};

TEST_F(ExportsTest, MardWritesStartingValuesOnCancelWithTheFirstWordKept) {
    auto* dialog = Export<decltype(MardOptionDlg)>(TOVRIN_MARD_LIBRARY, "MardOptionDlg");
    auto* dialogEx = Export<decltype(MardOptionDlgEx)>(TOVRIN_MARD_LIBRARY, "MardOptionDlgEx");
    ASSERT_TRUE(dialog && dialogEx);
    const std::string path =
        dir_.Write("m.ini", "[MardOption]\nOptionWords=2\nOptInitVal0=4660\nOptInitVal1=21\n").string();
    std::array<uint16_t, 3> values;

    values.fill(kUntouched);
    AnswerNextDialog({Qt::Key_Escape});
    EXPECT_EQ(dialog(path.c_str(), values.data()), 0);
    // Word 0 never starts from the file: 0 until MardOptionDlgEx sets it.
    EXPECT_EQ(values, (std::array<uint16_t, 3>{0, 21, kUntouched}));

    values.fill(kUntouched);
    AnswerNextDialog({Qt::Key_Escape});
    EXPECT_EQ(dialogEx(path.c_str(), values.data(), 0x71234), 0);
    EXPECT_EQ(values, (std::array<uint16_t, 3>{0x1234, 21, kUntouched}));

    values.fill(kUntouched);
    AnswerNextDialog({Qt::Key_Return});
    EXPECT_EQ(dialog(path.c_str(), values.data()), 1);
    EXPECT_EQ(values, (std::array<uint16_t, 3>{0x1234, 21, kUntouched}));
    // The host's own application was used, not replaced.
    EXPECT_EQ(QCoreApplication::instance(), &TestApplication());
}

TEST_F(ExportsTest, RylWritesOnlyOnOk) {
    auto* dialog = Export<decltype(RylOptionDlg)>(TOVRIN_RYL_LIBRARY, "RylOptionDlg");
    ASSERT_TRUE(dialog);
    const std::string path = dir_.Write("r.ini", "[RylOption]\nOptionWords=0\n").string();
    std::array<uint16_t, 20> buffer;

    buffer.fill(kUntouched);
    buffer[0] = 0;
    AnswerNextDialog({Qt::Key_Escape});
    EXPECT_EQ(dialog(path.c_str(), buffer.data()), 0);
    EXPECT_EQ(buffer[1], kUntouched);

    // Count 0 and no words in the file: OK gives count 0 and a second word 0.
    AnswerNextDialog({Qt::Key_Return});
    EXPECT_EQ(dialog(path.c_str(), buffer.data()), 1);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0);
    EXPECT_EQ(buffer[2], kUntouched);

    // Two words passed in: starting values from the buffer, addresses from the file.
    const std::string withItems =
        dir_.Write("a.ini", "[RylOption]\nOptionWords=5\nOptAddr0=8199\nOptAddr1=8200\n").string();
    buffer.fill(kUntouched);
    buffer[0] = 2;
    buffer[2] = 0x3FFF;
    buffer[4] = 0x0102;
    AnswerNextDialog({Qt::Key_Return});
    EXPECT_EQ(dialog(withItems.c_str(), buffer.data()), 1);
    EXPECT_EQ((std::array<uint16_t, 6>{buffer[0], buffer[1], buffer[2], buffer[3], buffer[4], buffer[5]}),
              (std::array<uint16_t, 6>{2, 8199, 0x3FFF, 8200, 0x0102, kUntouched}));
}

TEST_F(ExportsTest, RefuseAPathThatDoesNotFitAndLeaveTheBufferAlone) {
    auto* ryl = Export<decltype(RylOptionDlg)>(TOVRIN_RYL_LIBRARY, "RylOptionDlg");
    auto* mard = Export<decltype(MardOptionDlg)>(TOVRIN_MARD_LIBRARY, "MardOptionDlg");
    ASSERT_TRUE(ryl && mard);
    for (std::size_t length : {std::size_t{260}, std::size_t{1000}}) {
        const std::string path = (dir_.path() / std::string(length, 'x')).string().substr(0, length);
        std::array<uint16_t, 18> buffer;
        buffer.fill(kUntouched);
        EXPECT_EQ(ryl(path.c_str(), buffer.data()), 0);
        EXPECT_EQ(mard(path.c_str(), buffer.data()), 0);
        EXPECT_EQ(buffer[0], kUntouched);
        EXPECT_EQ(buffer[17], kUntouched);
    }
    EXPECT_EQ(ryl(nullptr, nullptr), 0);
    EXPECT_EQ(mard(nullptr, nullptr), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

TEST_F(ExportsTest, PickwellRemembersTheDirectoryAndName) {
    auto* pickwell = Export<decltype(Pickwell)>(TOVRIN_PICKWELL_LIBRARY, "Pickwell");
    auto* pickwellEx = Export<decltype(PickwellEx)>(TOVRIN_PICKWELL_LIBRARY, "PickwellEx");
    ASSERT_TRUE(pickwell && pickwellEx);
    for (const char* name : {"QVB1A.dev", "QVB1B.dev", "QVB1C.dev"})
        dir_.Write(std::string("Device/") + name, "");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    char out[260];

    std::strcpy(out, "kept");
    AnswerNextDialog({Qt::Key_Escape});
    EXPECT_EQ(pickwellEx(out, "QVB1B"), 0);
    EXPECT_STREQ(out, "kept");

    AnswerNextDialog({Qt::Key_Return});
    EXPECT_EQ(pickwellEx(out, "QVB1B"), 1);
    EXPECT_STREQ(out, "B");

    // Elsewhere, Pickwell still lists the recorded directory and preselects the name.
    std::filesystem::current_path(previous);
    AnswerNextDialog({Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(pickwell(out), 1);
    EXPECT_STREQ(out, "C");
    EXPECT_EQ(pickwellEx(nullptr, "x"), 0);
    EXPECT_EQ(pickwell(nullptr), 0);
}

TEST_F(ExportsTest, PickwellOkOnAnEmptyListLeavesOutAlone) {
    auto* pickwellEx = Export<decltype(PickwellEx)>(TOVRIN_PICKWELL_LIBRARY, "PickwellEx");
    ASSERT_TRUE(pickwellEx);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    char out[260] = "kept";
    AnswerNextDialog({Qt::Key_Return});
    EXPECT_EQ(pickwellEx(out, ""), 1);
    std::filesystem::current_path(previous);
    EXPECT_STREQ(out, "kept");
}

}  // namespace
}  // namespace tovrin::testing
