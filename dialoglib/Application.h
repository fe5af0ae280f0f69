#pragma once

namespace tovrin::dialoglib {

// Makes sure a QApplication exists for the calling host program: the
// host's own is used when it has one, else one is created on the first
// call and kept for the life of the process. False when widgets cannot be
// shown: the host runs a non-GUI application, or there is no display to
// connect to (Qt would abort the host process rather than fail).
bool EnsureApplication();

}  // namespace tovrin::dialoglib
