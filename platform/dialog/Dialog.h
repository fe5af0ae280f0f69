#pragma once

#include <QDialog>
#include <QHash>
#include <QString>
#include <span>
#include <vector>

#include "platform/dialog/ControlState.h"
#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/DialogUnits.h"

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace tovrin::dialog {

class CHexEdit;

// Ids of the two commands every dialog has.
inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;

// A dialog built from a template. The widgets exist once the constructor
// returns; OnInitDialog runs once, before the dialog is first shown (or
// earlier through Initialize(), for modeless windows created hidden).
//
// Commands: button kOkId calls accept(), and so does Enter unless it presses
// the focused or the default push button, or a control kOkId is disabled;
// button kCancelId, Escape and the close box call reject(). Override those
// to change what the OK and cancel commands do.
// Handlers are slots connected to each widget's own signal, e.g.
//   connect(Button(1002), &QPushButton::clicked, this, &MyDialog::OnSelectFile);
// (for combo boxes use QComboBox::activated: it fires on user choices only).
class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);
    ~Dialog() override;

    const DialogTemplate& Template() const { return template_; }
    const BaseUnits& Units() const { return units_; }

    // Runs OnInitDialog the first time only.
    void Initialize();
    bool IsInitialized() const { return initialized_; }

    void setVisible(bool visible) override;

    // Adds a control at a pixel rectangle of the client area, for dialogs
    // whose controls depend on data; the template's position is not used.
    QWidget* AddControl(const ControlTemplate& control, const QRect& pixels);

    // --- Controls by id. An unknown id, or one of another kind, is
    // reported with qWarning and the call does nothing (or returns empty).
    QWidget* Control(int id) const;
    template <class Widget>
    Widget* ControlAs(int id) const {
        return qobject_cast<Widget*>(Control(id));
    }
    QAbstractButton* Button(int id) const;
    QPushButton* PushButton(int id) const;
    QComboBox* Combo(int id) const;
    CHexEdit* HexEdit(int id) const;
    QProgressBar* Progress(int id) const;
    QTabWidget* Tabs(int id) const;

    // Text of edits, statics, buttons, group boxes and the edit field of a
    // combo box. Multi-line texts may use "\r\n".
    QString ControlText(int id) const;
    void SetControlText(int id, const QString& text);

    void EnableControl(int id, bool enabled);
    bool IsControlEnabled(int id) const;
    void SetControlReadOnly(int id, bool readOnly);
    bool IsControlReadOnly(int id) const;
    void ShowControl(int id, bool visible);

    // Check boxes and radio buttons. Checking a radio button unchecks the
    // others of its group.
    void SetChecked(int id, bool checked);
    bool IsChecked(int id) const;
    // The position of the checked button among the radio buttons of the
    // group holding radioId, in template order; -1 when none is checked.
    int RadioGroupIndex(int radioId) const;
    // Checks the index-th radio button of the group; -1 unchecks them all.
    void SetRadioGroupIndex(int radioId, int index);

    // Combo boxes: positions count from 0; -1 stands for none.
    int ComboAdd(int id, const QString& text);                // at the end, or in order when sorted
    int ComboInsert(int id, int index, const QString& text);  // -1 appends; returns the position
    bool ComboDelete(int id, int index);
    void ComboReset(int id);
    int ComboCount(int id) const;
    QString ComboEntryText(int id, int index) const;
    int ComboSelection(int id) const;
    void SetComboSelection(int id, int index);
    // CB_FINDSTRING: see FindEntryWithPrefix.
    int ComboFindPrefix(int id, int startAfter, const QString& prefix) const;
    void SetComboEntryData(int id, int index, qint64 data);
    qint64 ComboEntryData(int id, int index) const;

    // Progress bars.
    void SetProgressRange(int id, int minimum, int maximum);
    void SetProgressPosition(int id, int position);

    // Multi-line edits: scrolls by whole lines (negative: up).
    void ScrollEditLines(int id, int lines);

    // Applies states computed elsewhere, in order.
    void ApplyControlStates(std::span<const ControlState> states);

protected:
    // The dialog's own initialisation; the base does nothing.
    virtual void OnInitDialog() {}

    void keyPressEvent(QKeyEvent* event) override;

private:
    struct RadioGroup {
        QButtonGroup* buttons = nullptr;
        std::vector<int> ids;  // template order
    };

    void Register(const ControlTemplate& control, QWidget* widget);
    const RadioGroup* GroupOf(int radioId) const;
    QWidget* Lookup(int id, const char* operation) const;
    void PlaceWindow();

    const DialogTemplate& template_;
    BaseUnits units_;
    bool initialized_ = false;
    bool placed_ = false;
    QHash<int, QWidget*> controls_;
    QHash<int, ControlFlags> flags_;
    std::vector<RadioGroup> groups_;
    bool groupOpen_ = false;  // the next radio button joins groups_.back()
};

}  // namespace tovrin::dialog
