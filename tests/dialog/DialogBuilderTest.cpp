#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "platform/dialog/CHexEdit.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogBuilder.h"
#include "platform/dialog/Fonts.h"
#include "tests/dialog/SampleTemplates.h"

using namespace tovrin::dialog;
using namespace tovrin::dialog::testing;

namespace {

class CountingDialog : public Dialog {
public:
    using Dialog::Dialog;
    int initCount = 0;

protected:
    void OnInitDialog() override {
        ++initCount;
        SetControlText(1050, QStringLiteral("29B1"));
    }
};

// The classic rounding, written out independently of the layer.
int Scaled(int units, int base, int divisor) {
    return static_cast<int>(std::lround(static_cast<double>(units) * base / divisor));
}

}  // namespace

class DialogBuilderTest : public QObject {
    Q_OBJECT
private slots:
    void everyControlHasItsIdAndKind_data();
    void everyControlHasItsIdAndKind();
    void positionsComeFromTheTemplateFont();
    void initialStatesFollowTheFlags();
    void initialisationRunsOnceBeforeTheFirstShow();
    void templateFacesMapToInstalledCjkFaces();
};

void DialogBuilderTest::everyControlHasItsIdAndKind_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("className");
    QTest::newRow("read-only edit") << 1000 << "QLineEdit";
    QTest::newRow("push button") << 1002 << "QPushButton";
    QTest::newRow("static") << 1050 << "QLabel";
    QTest::newRow("combo box") << 1029 << "QComboBox";
    QTest::newRow("check box") << 1034 << "QCheckBox";
    QTest::newRow("radio button") << 1031 << "QRadioButton";
    QTest::newRow("hexadecimal edit") << 1041 << "tovrin::dialog::CHexEdit";
    QTest::newRow("multi-line edit") << 1005 << "QPlainTextEdit";
    QTest::newRow("progress bar") << 1063 << "QProgressBar";
    QTest::newRow("tab control") << 1008 << "QTabWidget";
}

void DialogBuilderTest::everyControlHasItsIdAndKind() {
    QFETCH(int, id);
    QFETCH(QString, className);
    Dialog dialog(kSampleTemplate);
    auto* widget = dialog.findChild<QWidget*>(QStringLiteral("id%1").arg(id));
    QVERIFY(widget != nullptr);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(dialog.Control(id), widget);
}

void DialogBuilderTest::positionsComeFromTheTemplateFont() {
    Dialog dialog(kSampleTemplate);
    const QFontMetrics metrics(dialog.font());
    const int advance =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (advance / 26 + 1) / 2;
    const int baseY = metrics.height();
    QCOMPARE(dialog.Units().x, baseX);
    QCOMPARE(dialog.Units().y, baseY);

    QCOMPARE(dialog.size(), QSize(Scaled(338, baseX, 4), Scaled(235, baseY, 8)));
    QCOMPARE(dialog.Control(1000)->geometry(),
             QRect(Scaled(7, baseX, 4), Scaled(10, baseY, 8), Scaled(141, baseX, 4), Scaled(12, baseY, 8)));
    QCOMPARE(dialog.Control(1005)->geometry(),
             QRect(Scaled(8, baseX, 4), Scaled(158, baseY, 8), Scaled(186, baseX, 4), Scaled(70, baseY, 8)));
    // A combo box's template height is its dropped-down list; the box keeps its own.
    const QWidget* combo = dialog.Control(1029);
    QCOMPARE(combo->pos(), QPoint(Scaled(247, baseX, 4), Scaled(61, baseY, 8)));
    QCOMPARE(combo->width(), Scaled(75, baseX, 4));
    QVERIFY(combo->height() < Scaled(117, baseY, 8));
}

void DialogBuilderTest::initialStatesFollowTheFlags() {
    Dialog dialog(kSampleTemplate);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QVERIFY(!dialog.IsControlEnabled(1009));
    QVERIFY(!dialog.IsControlEnabled(1));
    QVERIFY(dialog.IsControlEnabled(1029));
    QVERIFY(!dialog.Control(1051)->isVisible());
    QVERIFY(dialog.Control(1050)->isVisible());
    QVERIFY(dialog.IsControlReadOnly(1000));
    QVERIFY(dialog.IsControlReadOnly(1005));
    QVERIFY(dialog.IsControlReadOnly(1035));
    QVERIFY(!dialog.IsControlReadOnly(1041));
    QVERIFY(dialog.Combo(1029)->isEditable());
    QVERIFY(!dialog.Combo(8000)->isEditable());
    QCOMPARE(dialog.ControlText(1002), QStringLiteral("选择文件..."));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("样例"));
}

void DialogBuilderTest::initialisationRunsOnceBeforeTheFirstShow() {
    CountingDialog dialog(kSampleTemplate);
    QCOMPARE(dialog.initCount, 0);
    dialog.show();
    QCOMPARE(dialog.initCount, 1);
    QCOMPARE(dialog.ControlText(1050), QStringLiteral("29B1"));
    dialog.hide();
    dialog.show();
    dialog.Initialize();
    QCOMPARE(dialog.initCount, 1);

    // A modeless window created hidden is initialised without being shown.
    CountingDialog hidden(kSampleTemplate);
    hidden.Initialize();
    QCOMPARE(hidden.initCount, 1);
    QVERIFY(!hidden.isVisible());
}

void DialogBuilderTest::templateFacesMapToInstalledCjkFaces() {
    struct Case {
        const char* face;
        QString expected;
    };
    const Case cases[] = {
        {"宋体", MonospacedCjkFace()},
        {"MS Shell Dlg", ProportionalCjkFace()},
        {"Microsoft Sans Serif", ProportionalCjkFace()},
        {"System", ProportionalCjkFace()},
    };
    QCOMPARE(MonospacedCjkFace(), QStringLiteral("WenQuanYi Micro Hei Mono"));
    QCOMPARE(ProportionalCjkFace(), QStringLiteral("WenQuanYi Micro Hei"));
    for (const Case& c : cases) {
        const QFont font = TemplateFont({c.face, 10});
        QCOMPARE(QFontInfo(font).family(), c.expected);
        const QFontMetrics metrics(font);
        for (const QChar ch : QStringLiteral("滚码设置芯片名称下载成功数据缓冲区"))
            QVERIFY(metrics.inFont(ch));
    }
    // SimSun's stand-in lines hexadecimal digits up.
    const QFontMetrics mono(TemplateFont({"宋体", 10}));
    QCOMPARE(mono.horizontalAdvance(QStringLiteral("1111")), mono.horizontalAdvance(QStringLiteral("WWWW")));
}

QTEST_MAIN(DialogBuilderTest)
#include "DialogBuilderTest.moc"
