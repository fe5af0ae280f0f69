#include "platform/dialog/Fonts.h"

#include <QFontDatabase>
#include <initializer_list>
#include <mutex>

#include "platform/dialog/TextConversion.h"

namespace tovrin::dialog {
namespace {

// Faces of the Windows dialogs: SimSun's Latin glyphs are monospaced, the
// others are proportional.
constexpr std::initializer_list<const char*> kMonospacedWindowsFaces = {"宋体", "SimSun", "新宋体",
                                                                        "NSimSun"};
constexpr std::initializer_list<const char*> kProportionalWindowsFaces = {
    "MS Shell Dlg", "MS Shell Dlg 2", "MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "System",
    "Segoe UI",     "Arial",          "微软雅黑",      "Microsoft YaHei",      "黑体",   "SimHei"};

QString FirstInstalled(std::initializer_list<const char*> candidates, QFontDatabase::SystemFont fallback) {
    for (const char* face : candidates) {
        const QString family = QString::fromUtf8(face);
        if (QFontDatabase::hasFamily(family)) return family;
    }
    return QFontDatabase::systemFont(fallback).family();
}

}  // namespace

QString MonospacedCjkFace() {
    static const QString face = FirstInstalled(
        {"WenQuanYi Micro Hei Mono", "Noto Sans Mono CJK SC", "Noto Sans CJK SC", "Droid Sans Fallback"},
        QFontDatabase::FixedFont);
    return face;
}

QString ProportionalCjkFace() {
    static const QString face = FirstInstalled(
        {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"}, QFontDatabase::GeneralFont);
    return face;
}

void InstallFontSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] {
        const auto substitute = [](std::initializer_list<const char*> faces, const QString& target) {
            for (const char* face : faces) {
                const QString family = QString::fromUtf8(face);
                if (!QFontDatabase::hasFamily(family)) QFont::insertSubstitution(family, target);
            }
        };
        substitute(kMonospacedWindowsFaces, MonospacedCjkFace());
        substitute(kProportionalWindowsFaces, ProportionalCjkFace());
    });
}

QFont TemplateFont(const FontSpec& spec) {
    InstallFontSubstitutions();
    QFont font(FromUtf8(spec.face));
    font.setPointSize(spec.pointSize > 0 ? spec.pointSize : 8);
    return font;
}

}  // namespace tovrin::dialog
