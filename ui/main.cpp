#include <QApplication>
#include <string>
#include <vector>

#include "platform/easypod/hidapi/UsbBackend.h"
#include "ui/CVerantApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tovrin"));
    // QApplication has taken its own options out of argv by now.
    const std::vector<std::string> arguments(argv, argv + argc);
    tovrin::ui::CVerantApp app(tovrin::easypod::UsbBurnerBackend());
    return app.Run(arguments);
}
