// Renders the three dialogs as the README shows them:
//   dialoglibs_screenshots OUTPUT_DIR OPTIONS_INI DEVICE_BASE_DIR
#include <QApplication>
#include <cstdio>
#include <filesystem>

#include "devicesel/PickwellDlg.h"
#include "optionlib/ConfigBitsDlg.h"
#include "platform/dialog/Screenshot.h"

namespace {

bool Save(QWidget& widget, const std::filesystem::path& file) {
    const tovrin::Status status = tovrin::dialog::SaveWidgetPng(widget, file);
    if (!status) std::fprintf(stderr, "%s: %s\n", file.c_str(), status.error().message.c_str());
    return status.ok();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: dialoglibs_screenshots OUTPUT_DIR OPTIONS_INI DEVICE_BASE_DIR\n");
        return 2;
    }
    QApplication application(argc, argv);
    const std::filesystem::path output = argv[1];
    using tovrin::optionlib::CConfigBitsDlg;
    using tovrin::optionlib::Variant;
    bool ok = true;

    CConfigBitsDlg ryl(Variant::Ryl, argv[2], {}, 0);
    ryl.Initialize();
    ok = Save(ryl, output / "ryl-configuration-bits.png") && ok;

    CConfigBitsDlg mard(Variant::Mard, argv[2], {}, 0x3FF7);
    mard.Initialize();
    ok = Save(mard, output / "mard-configuration-bits.png") && ok;

    tovrin::devicesel::CPickwellDlg pickwell(argv[3], "Q3L88");
    pickwell.Initialize();
    ok = Save(pickwell, output / "pickwell.png") && ok;
    return ok ? 0 : 1;
}
