#include "platform/dialog/Dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QtDebug>
#include <algorithm>
#include <string>

#include "platform/dialog/CHexEdit.h"
#include "platform/dialog/ComboListRules.h"
#include "platform/dialog/DialogBuilder.h"
#include "platform/dialog/Fonts.h"
#include "platform/dialog/TextConversion.h"

namespace tovrin::dialog {
namespace {

Qt::WindowFlags WindowFlagsFor(const DialogTemplate& t) {
    if (t.Has(dialog_flag::kChild)) return Qt::Widget;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (!t.Has(dialog_flag::kNoSystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (t.Has(dialog_flag::kMinMaxBoxes)) flags |= Qt::WindowMinMaxButtonsHint;
    return flags;
}

std::vector<std::string> EntriesOf(const QComboBox& combo) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(combo.count()));
    for (int i = 0; i < combo.count(); ++i) entries.push_back(ToUtf8(combo.itemText(i)));
    return entries;
}

// Checking or unchecking one radio button without the group's exclusivity
// getting in the way of an uncheck.
void SetRadioChecked(QButtonGroup* group, QAbstractButton* button, bool checked) {
    if (checked || group == nullptr) {
        button->setChecked(checked);
        return;
    }
    group->setExclusive(false);
    button->setChecked(false);
    group->setExclusive(true);
}

}  // namespace

Dialog::Dialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent, WindowFlagsFor(dialogTemplate)), template_(dialogTemplate) {
    // QDialog makes itself a window unless told otherwise afterwards.
    if (template_.Has(dialog_flag::kChild)) setWindowFlags(Qt::Widget);
    setFont(TemplateFont(template_.font));
    units_ = BaseUnitsOf(font());
    setWindowTitle(FromUtf8(template_.caption));
    const PixelRect client = ToPixels(units_, template_.x, template_.y, template_.cx, template_.cy);
    if (template_.Has(dialog_flag::kSizingBorder)) {
        resize(client.width, client.height);
    } else {
        setFixedSize(client.width, client.height);
    }
    for (const ControlTemplate& control : template_.controls) {
        const PixelRect pixels = ToPixels(units_, control.x, control.y, control.cx, control.cy);
        Register(control, BuildControl(control, this, ToQRect(pixels)));
    }
}

Dialog::~Dialog() = default;

void Dialog::Initialize() {
    if (initialized_) return;
    initialized_ = true;
    OnInitDialog();
}

void Dialog::setVisible(bool visible) {
    if (visible) {
        Initialize();
        if (!placed_) PlaceWindow();
    }
    QDialog::setVisible(visible);
}

void Dialog::PlaceWindow() {
    placed_ = true;
    if (!isWindow()) return;
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (template_.Has(dialog_flag::kPositioned)) {
        const QPoint offset(units_.HorizontalPixels(template_.x), units_.VerticalPixels(template_.y));
        move(owner ? owner->mapToGlobal(offset) : offset);
    } else if (template_.Has(dialog_flag::kCentered)) {
        const QRect area = owner
                               ? owner->frameGeometry()
                               : (screen() ? screen()->availableGeometry() : QRect(0, 0, width(), height()));
        move(area.center() - rect().center());
    }
}

QWidget* Dialog::AddControl(const ControlTemplate& control, const QRect& pixels) {
    QWidget* widget = BuildControl(control, this, pixels);
    Register(control, widget);
    return widget;
}

void Dialog::Register(const ControlTemplate& control, QWidget* widget) {
    if (control.Has(flag::kGroupStart)) groupOpen_ = false;
    if (control.kind == ControlKind::RadioButton) {
        if (!groupOpen_ || groups_.empty()) {
            RadioGroup group;
            group.buttons = new QButtonGroup(this);
            group.buttons->setExclusive(true);
            groups_.push_back(group);
            groupOpen_ = true;
        }
        RadioGroup& group = groups_.back();
        group.buttons->addButton(static_cast<QAbstractButton*>(widget), control.id);
        group.ids.push_back(control.id);
    }
    if (control.id == kNoControlId) return;
    controls_.insert(control.id, widget);
    flags_.insert(control.id, control.flags);
    if (control.kind == ControlKind::PushButton) {
        auto* button = static_cast<QPushButton*>(widget);
        if (control.id == kOkId) connect(button, &QPushButton::clicked, this, &QDialog::accept);
        if (control.id == kCancelId) connect(button, &QPushButton::clicked, this, &QDialog::reject);
    }
}

const Dialog::RadioGroup* Dialog::GroupOf(int radioId) const {
    for (const RadioGroup& group : groups_) {
        if (std::find(group.ids.begin(), group.ids.end(), radioId) != group.ids.end()) return &group;
    }
    return nullptr;
}

QWidget* Dialog::Lookup(int id, const char* operation) const {
    QWidget* widget = controls_.value(id, nullptr);
    if (widget == nullptr) qWarning("%s: dialog %d has no control %d", operation, template_.id, id);
    return widget;
}

QWidget* Dialog::Control(int id) const {
    return Lookup(id, "Control");
}

QAbstractButton* Dialog::Button(int id) const {
    return ControlAs<QAbstractButton>(id);
}
QPushButton* Dialog::PushButton(int id) const {
    return ControlAs<QPushButton>(id);
}
QComboBox* Dialog::Combo(int id) const {
    return ControlAs<QComboBox>(id);
}
CHexEdit* Dialog::HexEdit(int id) const {
    return ControlAs<CHexEdit>(id);
}
QProgressBar* Dialog::Progress(int id) const {
    return ControlAs<QProgressBar>(id);
}
QTabWidget* Dialog::Tabs(int id) const {
    return ControlAs<QTabWidget>(id);
}

QString Dialog::ControlText(int id) const {
    QWidget* widget = Lookup(id, "ControlText");
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) return edit->toPlainText();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget)) return box->title();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
    return {};
}

void Dialog::SetControlText(int id, const QString& rawText) {
    QWidget* widget = Lookup(id, "SetControlText");
    const QString text = WithLineFeeds(rawText);
    if (auto* hex = qobject_cast<CHexEdit*>(widget)) {
        const Status status = hex->SetText(ToUtf8(text));
        if (!status) qWarning("SetControlText %d: %s", id, status.error().message.c_str());
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        edit->setPlainText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        box->setTitle(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable()) {
            combo->setEditText(text);
        } else {
            const int index = combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
            if (index >= 0) combo->setCurrentIndex(index);
        }
    }
}

void Dialog::EnableControl(int id, bool enabled) {
    if (QWidget* widget = Lookup(id, "EnableControl")) widget->setEnabled(enabled);
}

bool Dialog::IsControlEnabled(int id) const {
    QWidget* widget = Lookup(id, "IsControlEnabled");
    return widget != nullptr && widget->isEnabled();
}

void Dialog::SetControlReadOnly(int id, bool readOnly) {
    QWidget* widget = Lookup(id, "SetControlReadOnly");
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setReadOnly(readOnly);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        edit->setReadOnly(readOnly);
    }
}

bool Dialog::IsControlReadOnly(int id) const {
    QWidget* widget = Lookup(id, "IsControlReadOnly");
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->isReadOnly();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) return edit->isReadOnly();
    return false;
}

void Dialog::ShowControl(int id, bool visible) {
    if (QWidget* widget = Lookup(id, "ShowControl")) widget->setVisible(visible);
}

void Dialog::SetChecked(int id, bool checked) {
    auto* button = qobject_cast<QAbstractButton*>(Lookup(id, "SetChecked"));
    if (button == nullptr) return;
    const RadioGroup* group = GroupOf(id);
    SetRadioChecked(group ? group->buttons : nullptr, button, checked);
}

bool Dialog::IsChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(Lookup(id, "IsChecked"));
    return button != nullptr && button->isChecked();
}

int Dialog::RadioGroupIndex(int radioId) const {
    const RadioGroup* group = GroupOf(radioId);
    if (group == nullptr) {
        qWarning("RadioGroupIndex: %d is no radio button of dialog %d", radioId, template_.id);
        return -1;
    }
    for (std::size_t i = 0; i < group->ids.size(); ++i) {
        if (group->buttons->button(group->ids[i])->isChecked()) return static_cast<int>(i);
    }
    return -1;
}

void Dialog::SetRadioGroupIndex(int radioId, int index) {
    const RadioGroup* group = GroupOf(radioId);
    if (group == nullptr) {
        qWarning("SetRadioGroupIndex: %d is no radio button of dialog %d", radioId, template_.id);
        return;
    }
    const int count = static_cast<int>(group->ids.size());
    if (index >= 0 && index < count) {
        group->buttons->button(group->ids[static_cast<std::size_t>(index)])->setChecked(true);
        return;
    }
    for (int id : group->ids) SetRadioChecked(group->buttons, group->buttons->button(id), false);
}

int Dialog::ComboAdd(int id, const QString& text) {
    QComboBox* combo = Combo(id);
    if (combo == nullptr) return -1;
    int index = combo->count();
    if (flags_.value(id) & flag::kSorted) {
        const std::vector<std::string> entries = EntriesOf(*combo);
        index = SortedInsertPosition(entries, ToUtf8(text));
    }
    combo->insertItem(index, text);
    return index;
}

int Dialog::ComboInsert(int id, int index, const QString& text) {
    QComboBox* combo = Combo(id);
    if (combo == nullptr) return -1;
    if (index < 0 || index > combo->count()) index = combo->count();
    combo->insertItem(index, text);
    return index;
}

bool Dialog::ComboDelete(int id, int index) {
    QComboBox* combo = Combo(id);
    if (combo == nullptr || index < 0 || index >= combo->count()) return false;
    combo->removeItem(index);
    return true;
}

void Dialog::ComboReset(int id) {
    if (QComboBox* combo = Combo(id)) {
        combo->clear();
        if (combo->isEditable()) combo->clearEditText();
    }
}

int Dialog::ComboCount(int id) const {
    QComboBox* combo = Combo(id);
    return combo ? combo->count() : 0;
}

QString Dialog::ComboEntryText(int id, int index) const {
    QComboBox* combo = Combo(id);
    return combo ? combo->itemText(index) : QString();
}

int Dialog::ComboSelection(int id) const {
    QComboBox* combo = Combo(id);
    return combo ? combo->currentIndex() : -1;
}

void Dialog::SetComboSelection(int id, int index) {
    QComboBox* combo = Combo(id);
    if (combo == nullptr) return;
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

int Dialog::ComboFindPrefix(int id, int startAfter, const QString& prefix) const {
    QComboBox* combo = Combo(id);
    if (combo == nullptr) return -1;
    const std::vector<std::string> entries = EntriesOf(*combo);
    return FindEntryWithPrefix(entries, startAfter, ToUtf8(prefix)).value_or(-1);
}

void Dialog::SetComboEntryData(int id, int index, qint64 data) {
    QComboBox* combo = Combo(id);
    if (combo != nullptr && index >= 0 && index < combo->count()) combo->setItemData(index, data);
}

qint64 Dialog::ComboEntryData(int id, int index) const {
    QComboBox* combo = Combo(id);
    if (combo == nullptr || index < 0 || index >= combo->count()) return 0;
    return combo->itemData(index).toLongLong();
}

void Dialog::SetProgressRange(int id, int minimum, int maximum) {
    if (QProgressBar* bar = Progress(id)) bar->setRange(minimum, std::max(minimum, maximum));
}

void Dialog::SetProgressPosition(int id, int position) {
    if (QProgressBar* bar = Progress(id)) bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

void Dialog::ScrollEditLines(int id, int lines) {
    if (auto* edit = ControlAs<QPlainTextEdit>(id)) {
        QScrollBar* bar = edit->verticalScrollBar();
        bar->setValue(bar->value() + lines);
    }
}

void Dialog::ApplyControlStates(std::span<const ControlState> states) {
    for (const ControlState& state : states) {
        QWidget* widget = Lookup(state.id, "ApplyControlStates");
        if (widget == nullptr) continue;
        widget->setEnabled(state.enabled);
        if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)) {
            SetControlReadOnly(state.id, state.readOnly);
        }
        if (state.text) SetControlText(state.id, FromUtf8(*state.text));
        if (state.checked) SetChecked(state.id, *state.checked);
    }
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    // A page leaves Enter, Escape and Tab to the dialog that holds it.
    if (template_.Has(dialog_flag::kChild)) {
        event->ignore();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Enter presses the focused push button, else the default button, else
    // it is the OK command, which a disabled OK button refuses.
    if (auto* focused = qobject_cast<QPushButton*>(focusWidget());
        focused != nullptr && focused->isEnabled()) {
        focused->click();
        return;
    }
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isVisible()) {
            if (button->isEnabled()) button->click();
            return;
        }
    }
    QWidget* ok = controls_.value(kOkId, nullptr);
    if (ok == nullptr || ok->isEnabled()) accept();
}

}  // namespace tovrin::dialog
