// Linked into a test build of examples/libhost: answers the dialog that
// the loaded library opens by typing LIBHOST_KEYS (comma-separated: ok,
// cancel, down, up) into the widget holding the keyboard focus, so that a
// dialog that does not take the focus is never answered.
#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPollMilliseconds = 20;
constexpr int kGiveUpAfterPolls = 250;

QList<Qt::Key> KeysToType() {
    QList<Qt::Key> keys;
    const char* text = std::getenv("LIBHOST_KEYS");
    if (!text) return keys;
    for (const QString& name : QString::fromLatin1(text).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (name == QLatin1String("ok")) keys << Qt::Key_Return;
        if (name == QLatin1String("cancel")) keys << Qt::Key_Escape;
        if (name == QLatin1String("down")) keys << Qt::Key_Down;
        if (name == QLatin1String("up")) keys << Qt::Key_Up;
    }
    return keys;
}

void StartAnswering() {
    const QList<Qt::Key> keys = KeysToType();
    if (keys.isEmpty()) return;
    auto* timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(kPollMilliseconds);
    QObject::connect(timer, &QTimer::timeout, [timer, keys, polls = 0]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        if (!QApplication::focusWidget()) {
            if (++polls < kGiveUpAfterPolls) return;
            std::fprintf(stderr, "libhost: the dialog never took the keyboard focus\n");
            timer->stop();
            modal->close();
            return;
        }
        timer->stop();
        for (Qt::Key key : keys) QTest::keyClick(QApplication::focusWidget(), key);
    });
    timer->start();
}

void WhenApplicationStarts() {
    // The constructor is still running; start once the event loop turns.
    QTimer::singleShot(0, StartAnswering);
}

const bool registered = [] {
    qAddPreRoutine(WhenApplicationStarts);
    return true;
}();

}  // namespace
