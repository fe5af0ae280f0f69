#include "optionlib/ConfigBitsDlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <string>

#include "platform/text/GbkText.h"
#include "tests/dialoglibs/QtTestApplication.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::optionlib {
namespace {

class ConfigBitsDlgTest : public ::testing::Test {
protected:
    void SetUp() override { testing::TestApplication(); }

    QComboBox* List(const CConfigBitsDlg& dialog, int row) { return dialog.Combo(8000 + row); }
    QLabel* Label(const CConfigBitsDlg& dialog, int row) { return dialog.ControlAs<QLabel>(6000 + row); }

    testing::TempDirectory dir_;
};

// Word 0 (value 0x000A): a named 3-bit field, a complement item and an
// unnamed 1-bit field. Word 1 (0x0003): a field whose patterns miss.
std::string TwoWordDescription(const std::string& prefix) {
    return "[" + prefix +
           "]\nOptionWords=2\nOptInitVal0=10\nOptInitVal1=3\nOptItems0=3\nOptItems1=1\n"
           "OptAddr0=8199\nOptAddr1=8200\n"
           "[" +
           prefix + "0_Item0]\nName=" + text::Utf8ToGbk("振荡器") +
           "\nItemCount=3\nItem0_Name=" + text::Utf8ToGbk("内部") +
           "\nItem0_Val=000\nItem1_Name=A\nItem1_Val=101\nItem2_Name=B\nItem2_Val=101\nBitStart=3\nBitEnd=1\n"
           "[" +
           prefix +
           "0_Item1]\nItemType=2\nItem1_Val=1\nItem0_ReverseBitStart=8\nItem0_ReverseBitEnd=9\n"
           "[" +
           prefix +
           "0_Item2]\nItemCount=2\nItem0_Name=on\nItem0_Val=1\nItem1_Name=off\nItem1_Val=0\n"
           "BitStart=0\nBitEnd=0\n"
           "[" +
           prefix +
           "1_Item0]\nName=a\xFE\xFE"
           "b\nItemCount=2\nItem0_Name=x\nItem0_Val=10\n"
           "Item1_Name=y\nItem1_Val=01\nBitStart=1\nBitEnd=0\n";
}

TEST_F(ConfigBitsDlgTest, OpensEachListOnItsFieldsValue) {
    const auto path = dir_.Write("m.ini", TwoWordDescription("MardOption"));
    CConfigBitsDlg dialog(Variant::Mard, path.string(), {}, 0x000A);
    dialog.Initialize();
    EXPECT_EQ(dialog.windowTitle(), "Configuration Bits");
    ASSERT_EQ(dialog.RowCount(), 3);  // the complement item has no row

    EXPECT_EQ(Label(dialog, 0)->text(), "振荡器");
    EXPECT_EQ(Label(dialog, 1)->text(), "未定义");
    EXPECT_EQ(Label(dialog, 2)->text(), "a\nb");
    EXPECT_EQ(List(dialog, 0)->itemText(0), "内部");
    EXPECT_EQ(List(dialog, 0)->currentIndex(), 2);  // the later of two equal patterns
    EXPECT_EQ(List(dialog, 1)->currentIndex(), 1);
    EXPECT_EQ(List(dialog, 2)->currentIndex(), 0);  // no pattern matches
    for (int row = 0; row < 3; ++row) {
        EXPECT_FALSE(Label(dialog, row)->isHidden()) << row;
        EXPECT_FALSE(List(dialog, row)->isHidden()) << row;
    }
    EXPECT_TRUE(Label(dialog, 3)->isHidden());
    EXPECT_TRUE(List(dialog, 3)->isHidden());
}

TEST_F(ConfigBitsDlgTest, OkComposesTheChosenValuesAndComplements) {
    const auto path = dir_.Write("m.ini", TwoWordDescription("MardOption"));
    CConfigBitsDlg dialog(Variant::Mard, path.string(), {}, 0xF00A);
    dialog.Initialize();
    List(dialog, 0)->setCurrentIndex(0);  // bits 3..1 = 000
    List(dialog, 1)->setCurrentIndex(0);  // bit 0 = 1
    List(dialog, 2)->setCurrentIndex(1);  // bits 1..0 of word 1 = 01
    QTest::mouseClick(dialog.PushButton(1), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // Word 0 bits 8..9 are the complement of word 1's (00 -> 11).
    EXPECT_EQ(dialog.Values(), (std::vector<uint16_t>{0xF301, 0x0001}));
}

TEST_F(ConfigBitsDlgTest, CancelKeepsTheStartingValues) {
    const auto path = dir_.Write("r.ini", TwoWordDescription("RylOption"));
    CConfigBitsDlg dialog(Variant::Ryl, path.string(), {}, 0);
    dialog.Initialize();
    ASSERT_EQ(dialog.RowCount(), 3);
    List(dialog, 0)->setCurrentIndex(0);
    QTest::mouseClick(dialog.PushButton(2), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Values(), (std::vector<uint16_t>{10, 3}));
}

TEST_F(ConfigBitsDlgTest, RylOkReadsTheAddresses) {
    const auto path = dir_.Write("r.ini", TwoWordDescription("RylOption"));
    CConfigBitsDlg dialog(Variant::Ryl, path.string(), {}, 0);
    dialog.Initialize();
    dialog.accept();
    EXPECT_EQ(dialog.Addresses(), (std::vector<uint16_t>{8199, 8200}));
    EXPECT_EQ(dialog.FileOptionWords(), 2);
    EXPECT_EQ(dialog.Values(), (std::vector<uint16_t>{0x000A, 0x0002}));  // Ryl has no complement
}

// One word per 20 rows, every item a 1-bit field.
std::string DescriptionWithRows(int rows) {
    const int words = (rows + 19) / 20;
    std::string text = "[MardOption]\nOptionWords=" + std::to_string(words) + "\n";
    for (int w = 0; w < words; ++w)
        text += "OptItems" + std::to_string(w) + "=" + std::to_string(std::min(20, rows - 20 * w)) + "\n";
    return text;
}

TEST_F(ConfigBitsDlgTest, SizesTheWindowFromTheRowCount) {
    struct Case {
        int rows;
        int columns;
        int referenceRow;
    };
    for (const Case& c : {Case{20, 2, 19}, Case{21, 2, 19}, Case{41, 3, 19}, Case{5, 1, 4}}) {
        const auto path = dir_.Write("rows.ini", DescriptionWithRows(c.rows));
        CConfigBitsDlg dialog(Variant::Mard, path.string(), {}, 0);
        dialog.Initialize();
        ASSERT_EQ(dialog.RowCount(), c.rows);
        const int columnWidth = List(dialog, 0)->geometry().right() + 1 - Label(dialog, 0)->x() + 25;
        const int referenceBottom = List(dialog, c.referenceRow)->geometry().bottom() + 1;
        EXPECT_EQ(dialog.width(), c.columns * columnWidth + 15) << c.rows;
        EXPECT_EQ(dialog.height(), referenceBottom + 75) << c.rows;
        const QRect group = dialog.Control(10000)->geometry();
        EXPECT_EQ(group, QRect(10, 5, c.columns * columnWidth - 10, referenceBottom)) << c.rows;
        const auto* ok = dialog.PushButton(1);
        const auto* cancel = dialog.PushButton(2);
        const int gap = (dialog.width() - 2 * ok->width()) / 3;
        EXPECT_EQ(ok->pos(), QPoint(gap, dialog.height() - ok->height() - 8)) << c.rows;
        EXPECT_EQ(cancel->pos(), QPoint(2 * gap + ok->width(), ok->y())) << c.rows;
    }
}

TEST_F(ConfigBitsDlgTest, VariantsDifferInRoomBelowAndButtonHeight) {
    std::string text = "[RylOption]\nOptionWords=1\nOptItems0=3\n";
    CConfigBitsDlg ryl(Variant::Ryl, dir_.Write("r.ini", text).string(), {}, 0);
    ryl.Initialize();
    CConfigBitsDlg mard(Variant::Mard,
                        dir_.Write("m.ini", "[MardOption]\nOptionWords=1\nOptItems0=3\n").string(), {}, 0);
    mard.Initialize();
    const int referenceBottom = List(ryl, 2)->geometry().bottom() + 1;
    EXPECT_EQ(ryl.height(), referenceBottom + 70);
    EXPECT_EQ(ryl.Control(10000)->height(), referenceBottom + 5);
    const auto* rylOk = ryl.PushButton(1);
    const auto* mardOk = mard.PushButton(1);
    EXPECT_EQ(rylOk->y(), ryl.height() - rylOk->height() - 5);
    EXPECT_GT(mardOk->height(), rylOk->height());
}

TEST_F(ConfigBitsDlgTest, AMissingFileIsCreatedAndShowsNoRows) {
    const auto path = dir_ / "missing.ini";
    CConfigBitsDlg dialog(Variant::Mard, path.string(), {}, 0x55);
    dialog.Initialize();
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(dialog.RowCount(), 0);
    EXPECT_TRUE(dialog.Values().empty());
}

TEST_F(ConfigBitsDlgTest, TakesTheKeyboardFocusWhenShown) {
    const auto path = dir_.Write("m.ini", TwoWordDescription("MardOption"));
    CConfigBitsDlg dialog(Variant::Mard, path.string(), {}, 0x000A);
    dialog.Initialize();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), List(dialog, 0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace tovrin::optionlib
