#include <QApplication>
#include <string>
#include <vector>

#include "ui/CVerantApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tovrin"));
    // QApplication has taken its own options out of argv by now.
    const std::vector<std::string> arguments(argv, argv + argc);
    tovrin::ui::CVerantApp app;
    return app.Run(arguments);
}
