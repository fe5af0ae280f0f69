#include "platform/dialog/Screenshot.h"

#include <QImage>
#include <QtTest>
#include <cstdlib>

#include "platform/dialog/Dialog.h"
#include "tests/dialog/SampleTemplates.h"
#include "tests/support/TempDirectory.h"

using namespace tovrin::dialog;
using namespace tovrin::dialog::testing;

class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void aDialogWithChineseTextRendersToPng();
    void anUnwritablePathLeavesNoFile();
};

void ScreenshotTest::aDialogWithChineseTextRendersToPng() {
    Dialog dialog(kSampleTemplate);
    dialog.SetControlText(1005, QStringLiteral("\r\n2026-12-11 16:00:00 \r\n\r\n下载成功!\r\n"));
    dialog.SetControlText(1000, QStringLiteral("/HOME/USER/DEMO.HEX"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    tovrin::testing::TempDirectory folder;
    const std::filesystem::path file = folder / "sample.png";
    QVERIFY(SaveWidgetPng(dialog, file));
    QImage image;
    QVERIFY(image.load(QString::fromStdString(file.string()), "PNG"));
    QCOMPARE(image.size(), dialog.size() * dialog.devicePixelRatio());
    // Set TOVRIN_SCREENSHOT_DIR to keep the picture for a look.
    if (const char* keep = std::getenv("TOVRIN_SCREENSHOT_DIR")) {
        QVERIFY(SaveWidgetPng(dialog, std::filesystem::path(keep) / "dialog-sample.png"));
    }
}

void ScreenshotTest::anUnwritablePathLeavesNoFile() {
    Dialog dialog(kOkCancelTemplate);
    tovrin::testing::TempDirectory folder;
    const std::filesystem::path file = folder / "missing" / "about.png";
    QVERIFY(!SaveWidgetPng(dialog, file));
    QVERIFY(!std::filesystem::exists(file));
}

QTEST_MAIN(ScreenshotTest)
#include "ScreenshotTest.moc"
