#include "tests/dialoglibs/QtTestApplication.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace tovrin::testing {

QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "dialoglibs_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own globals may already be gone at exit.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

void AnswerNextDialog(QList<Qt::Key> keys) {
    auto* timer = new QTimer(&TestApplication());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, keys, polls = 0]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        if (!QApplication::focusWidget() && ++polls < 200) return;
        timer->deleteLater();
        timer->stop();
        if (!QApplication::focusWidget()) {
            modal->close();
            return;
        }
        for (Qt::Key key : keys) QTest::keyClick(QApplication::focusWidget(), key);
    });
    timer->start();
}

}  // namespace tovrin::testing
