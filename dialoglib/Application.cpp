#include "dialoglib/Application.h"

#include <QApplication>
#include <cstdlib>

namespace tovrin::dialoglib {
namespace {

bool HasDisplay() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

bool EnsureApplication() {
    if (QCoreApplication* existing = QCoreApplication::instance())
        return qobject_cast<QApplication*>(existing);
    if (!HasDisplay()) return false;
    // Qt keeps references to argc and argv for the application's life.
    static int argc = 1;
    static char name[] = "tovrin-dialog";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return application != nullptr;
}

}  // namespace tovrin::dialoglib
