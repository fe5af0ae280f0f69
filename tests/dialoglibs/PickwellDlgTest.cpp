#include "devicesel/PickwellDlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "tests/dialoglibs/QtTestApplication.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::devicesel {
namespace {

class PickwellDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::TestApplication();
        for (const char* name : {"QVB1Q3L88.dev", "VB27.dev", "qvb1m8.DEV", "QVB2\xD6\xD0.dev", "QVB1.dev"})
            dir_.Write(std::string("Device/") + name, "");
    }
    testing::TempDirectory dir_;
};

TEST_F(PickwellDlgTest, ListsTheTitlesOnOneDeviceTab) {
    CPickwellDlg dialog(dir_.path(), "");
    dialog.Initialize();
    EXPECT_EQ(dialog.windowTitle(), "Pickwell");
    const auto* tabs = dialog.Tabs(1000);
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "Device");
    const QComboBox* list = dialog.Page()->Combo(1003);
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    EXPECT_EQ(texts, (QStringList{"QVB1", "qvb1m8", "QVB1Q3L88", "QVB2中", "VB27"}));
}

TEST_F(PickwellDlgTest, PreselectsTheNamedEntryUnlessEmptyOrVb27) {
    struct Case {
        const char* preselected;
        int entry;
    };
    for (const Case& c : {Case{"QVB1Q3L88", 2}, Case{"VB27", 0}, Case{"", 0}, Case{"qvb1q3l88", 0},
                          Case{"x", 0}, Case{"QVB2\xD6\xD0", 3}}) {
        CPickwellDlg dialog(dir_.path(), c.preselected);
        dialog.Initialize();
        EXPECT_EQ(dialog.Page()->Combo(1003)->currentIndex(), c.entry) << c.preselected;
    }
}

TEST_F(PickwellDlgTest, OkCutsTheFourCharacterPrefix) {
    struct Case {
        int entry;
        std::string result;
    };
    for (const Case& c : {Case{2, "Q3L88"}, Case{0, ""}, Case{3, "\xD6\xD0"}}) {
        CPickwellDlg dialog(dir_.path(), "");
        dialog.Initialize();
        dialog.Page()->Combo(1003)->setCurrentIndex(c.entry);
        QTest::mouseClick(dialog.PushButton(1), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        ASSERT_TRUE(dialog.Result().has_value()) << c.entry;
        EXPECT_EQ(*dialog.Result(), c.result);
    }
}

TEST_F(PickwellDlgTest, AnEmptyFolderMakesNoResult) {
    testing::TempDirectory empty;
    CPickwellDlg dialog(empty.path(), "QVB1Q3L88");
    dialog.Initialize();
    EXPECT_EQ(dialog.Page()->Combo(1003)->count(), 0);
    dialog.accept();
    EXPECT_FALSE(dialog.Result().has_value());
}

TEST_F(PickwellDlgTest, TheListTakesTheFocusAndEnterAnswers) {
    CPickwellDlg dialog(dir_.path(), "QVB1Q3L88");
    dialog.Initialize();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), dialog.Page()->Combo(1003));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), std::optional<std::string>("\xD6\xD0"));
}

}  // namespace
}  // namespace tovrin::devicesel
