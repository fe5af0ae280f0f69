// The C interface of libPickwell.
#include <unistd.h>

#include <string>

#include "devicesel/DeviceListing.h"
#include "devicesel/PickwellDlg.h"
#include "dialoglib/Application.h"
#include "tovrin/pickwell.h"

#define TOVRIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using tovrin::devicesel::CPickwellDlg;

// Kept between calls for as long as the library is loaded.
std::string baseDirectory;
std::string preselectedName;

int RunPickwell(char* out) {
    if (!out || !tovrin::dialoglib::EnsureApplication()) return 0;
    CPickwellDlg dialog(baseDirectory, preselectedName);
    if (dialog.exec() != QDialog::Accepted) return 0;
    if (dialog.Result()) tovrin::devicesel::CopyResult(*dialog.Result(), out);
    return 1;
}

}  // namespace

TOVRIN_EXPORT int Pickwell(char* out) {
    try {
        return RunPickwell(out);
    } catch (...) {
        return 0;
    }
}

TOVRIN_EXPORT int PickwellEx(char* out, const char* current) {
    try {
        if (!out || !current) return 0;
        // A current directory that does not fit the path buffer is refused.
        char directory[tovrin::devicesel::kMaxPathBytes];
        if (!::getcwd(directory, sizeof directory)) return 0;
        baseDirectory = directory;
        preselectedName = current;
        return RunPickwell(out);
    } catch (...) {
        return 0;
    }
}
