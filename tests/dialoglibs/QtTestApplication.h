#pragma once

#include <QList>
#include <Qt>

class QApplication;

namespace tovrin::testing {

// The test program's own QApplication, made on first use.
QApplication& TestApplication();

// Types the keys into the focused widget of the next modal dialog, once it
// shows; a dialog without keyboard focus is closed unanswered instead.
void AnswerNextDialog(QList<Qt::Key> keys);

}  // namespace tovrin::testing
