#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "platform/dialog/TextConversion.h"
#include "platform/system/InstanceLock.h"
#include "tests/support/TempDirectory.h"
#include "ui/CVerantApp.h"

using tovrin::InstanceLock;
using tovrin::testing::TempDirectory;
using tovrin::ui::CVerantApp;

class AppTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ::setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1); }

    // Through the real message box: the refusal is the first thing a user sees.
    void aSecondStartIsRefusedWithAWarning() {
        const InstanceLock first = InstanceLock::Acquire(tovrin::ui::kInstanceLockName);
        QCOMPARE(first.state(), InstanceLock::State::Held);

        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        poll.start(10);
        const int status = CVerantApp().Run(std::vector<std::string>{"tovrin", "--burner", "sim"});
        QCOMPARE(status, 1);
        QCOMPARE(caption, QStringLiteral("Tovrin"));
        QCOMPARE(text, tovrin::dialog::FromUtf8(tovrin::ui::kAlreadyRunningText));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, 1);
        QVERIFY(QApplication::topLevelWidgets().size() <= 1 ||
                std::none_of(QApplication::topLevelWidgets().begin(), QApplication::topLevelWidgets().end(),
                             [](QWidget* w) { return w->isVisible(); }));
    }

    void theCommandLineRendersTheWindowAfterALoadAndADownload() {
        TempDirectory out;
        const std::string samples = std::getenv("TOVRIN_SAMPLES");
        for (const bool download : {false, true}) {
            // A copy, so that the run cannot touch the source tree's LastSelChip.TXT.
            TempDirectory programDir;
            std::filesystem::copy(samples, programDir.path(), std::filesystem::copy_options::recursive);
            const std::filesystem::path shot = out / (download ? "download.png" : "load.png");
            std::vector<std::string> arguments{
                "tovrin",       "--program-dir", programDir.path().string(),        "--burner", "sim",
                "--screenshot", shot.string(),   (programDir / "demo.hex").string()};
            if (download) arguments.insert(arguments.begin() + 1, "--download");
            QCOMPARE(CVerantApp().Run(arguments), 0);
            const QImage image(tovrin::dialog::FromPath(shot));
            QVERIFY(!image.isNull());
            QVERIFY(image.width() > 300);
        }
    }

    void badCommandLinesAreUsageErrors() {
        QCOMPARE(CVerantApp().Run(std::vector<std::string>{"tovrin", "--burner", "floppy"}), 2);
        QCOMPARE(CVerantApp().Run(std::vector<std::string>{"tovrin", "--download"}), 2);
        QCOMPARE(CVerantApp().Run(std::vector<std::string>{"tovrin", "--no-such-option"}), 2);
    }

private:
    TempDirectory runtime_;
};

QTEST_MAIN(AppTest)
#include "AppTest.moc"
