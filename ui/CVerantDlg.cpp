#include "ui/CVerantDlg.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

#include "burner/BurnerCommands.h"
#include "burner/SettingsControls.h"
#include "image/ControlIds.h"
#include "image/RollingCodeControls.h"
#include "platform/dialog/CHexEdit.h"
#include "platform/dialog/TextConversion.h"
#include "ui/CAboutDlg.h"
#include "ui/CProgress.h"

namespace tovrin::ui {

namespace {

constexpr std::string_view kInitialAddressText = "3FFF";
constexpr std::string_view kInitialValueText = "3FFFFFFF";
constexpr std::string_view kInitialStepText = "00000001";

// Check boxes in the order of their member values.
struct FlagBox {
    int id;
    bool image::HeaderControls::*member;
};
constexpr FlagBox kFlagBoxes[] = {
    {control::kVerifyCheckbox, &image::HeaderControls::verify},
    {control::kProgramCheckbox, &image::HeaderControls::program},
    {control::kBlankCheckCheckbox, &image::HeaderControls::blankCheck},
    {control::kTestCheckbox, &image::HeaderControls::test},
    {control::kRollingCodeEnable, &image::HeaderControls::rollingCodeEnabled},
};

}  // namespace

CVerantDlg::CVerantDlg(MainDialogSetup setup, QWidget* parent)
    : dialog::Dialog(kMainDialogTemplate, parent),
      prompts_(setup.prompts),
      programDirectory_(std::move(setup.programDirectory)),
      transport_(setup.transport, [this] { return transferRunning_; }),
      events_(*this) {
    setAcceptDrops(true);
    probeTimer_.setObjectName(QStringLiteral("timer1"));
    connect(&probeTimer_, &QTimer::timeout, this, [this] {
        if (link_) link_->OnTimer(control::kProbeTimerId);
    });
    connect(PushButton(control::kSelectFileButton), &QPushButton::clicked, this, &CVerantDlg::OnSelectFile);
    connect(Combo(control::kChipList), &QComboBox::activated, this, &CVerantDlg::OnChipChange);
    connect(PushButton(control::kChipChecksumButton), &QPushButton::clicked, this,
            &CVerantDlg::OnChipChecksum);
    connect(Button(control::kRollingCodeEnable), &QAbstractButton::clicked, this,
            &CVerantDlg::OnRollingCodeEnable);
    // The address-count buttons exclude each other as one group, whatever
    // lies between them in the template.
    auto* addressCount = new QButtonGroup(this);
    addressCount->setExclusive(true);
    for (int radio : control::kAddressCountRadios) {
        addressCount->addButton(Button(radio));
        connect(Button(radio), &QAbstractButton::clicked, this, &CVerantDlg::OnAddressCount);
    }
    connect(PushButton(control::kConfigurationButton), &QPushButton::clicked, this,
            [this] { OnSecondaryDialog(openConfigurationWords); });
    connect(PushButton(control::kDataBufferButton), &QPushButton::clicked, this,
            [this] { OnSecondaryDialog(openDataBuffer); });
    connect(PushButton(control::kPinTestButton), &QPushButton::clicked, this,
            [this] { OnSecondaryDialog(openPinTest); });
}

CVerantDlg::~CVerantDlg() = default;

void CVerantDlg::OnInitDialog() {
    probeTimer_.start(control::kProbeTimerPeriodMs);
    setWindowTitle(dialog::FromUtf8(image::ReadWindowCaption(programDirectory_)));

    // The window manager owns the system menu here, so its additions are the
    // window's context menu.
    systemMenu_ = new QMenu(this);
    systemMenu_->setObjectName(QStringLiteral("systemMenu"));
    systemMenu_->setSeparatorsCollapsible(false);
    systemMenu_->addSeparator();
    QAction* about = systemMenu_->addAction(dialog::FromUtf8(kAboutMenuText));
    connect(about, &QAction::triggered, this, [this] { OnSysCommand(kAboutCommand); });

    progress_ = new CProgress(this);
    progress_->Initialize();
    progress_->hide();

    for (int edit : control::kAddressEdits) HexEdit(edit)->SetText(kInitialAddressText);
    HexEdit(control::kInitialValue)->SetDigitCount(image::HexField::kLongDigits);
    HexEdit(control::kInitialValue)->SetText(kInitialValueText);
    HexEdit(control::kStep)->SetDigitCount(image::HexField::kLongDigits);
    HexEdit(control::kStep)->SetText(kInitialStepText);

    link_ = std::make_unique<burner::BurnerLink>(transport_, events_, [this] { return InputsForLink(); });

    load_ = catalogue::LoadCatalogue(programDirectory_);
    workbench_ = std::make_unique<image::Workbench>(programDirectory_, load_.catalogue,
                                                    [this](std::string_view text) { ReportStatus(text); });
    const auto& entries = load_.catalogue.Entries();
    for (std::size_t position = 0; position < entries.size(); ++position)
        ComboInsert(control::kChipList, static_cast<int>(position), dialog::FromUtf8(entries[position].name));
    if (load_.initialSelection) {
        SetComboSelection(control::kChipList, static_cast<int>(*load_.initialSelection));
        workbench_->SelectInitialChip(*load_.initialSelection);
    }

    EnableControl(control::kDownloadButton, false);
    EnableControl(control::kChipChecksumButton, false);
    StateToControls();
    ApplyRollingCodeStates();
    // Device-interface notifications are not needed: the probe alone decides presence.
    link_->ProbeBurner();
}

burner::LinkInputs CVerantDlg::InputsForLink() {
    if (!workbench_) return {};
    // The link works on its own copy, so that nothing the window does while
    // packets go out can change what they carry.
    burner::LinkInputs inputs = burner::LinkInputsFrom(*workbench_);
    sentImage_.assign(inputs.image.begin(), inputs.image.end());
    sentPattern_.assign(inputs.testPattern.begin(), inputs.testPattern.end());
    sentPattern2_.assign(inputs.testPattern2.begin(), inputs.testPattern2.end());
    inputs.image = sentImage_;
    inputs.testPattern = sentPattern_;
    inputs.testPattern2 = sentPattern2_;
    return inputs;
}

void CVerantDlg::ReportStatus(std::string_view text) {
    const image::StatusLog::Update update = statusLog_.Report(text);
    SetControlText(control::kStatusLog, dialog::FromUtf8(update.text));
    if (update.scrollLines > 0) ScrollEditLines(control::kStatusLog, update.scrollLines);
}

// The controls' values become the Workbench's through the same operations a
// command line uses; a control the Workbench refuses could not have changed.
void CVerantDlg::ControlsToState() {
    const image::HeaderControls& controls = workbench_->Controls();
    if (IsChecked(control::kRollingCodeEnable) != controls.rollingCodeEnabled)
        (void)workbench_->SetRollingCodeEnabled(IsChecked(control::kRollingCodeEnable));
    for (std::size_t i = 0; i < control::kAddressCountRadios.size(); ++i)
        if (IsChecked(control::kAddressCountRadios[i]) && controls.addressCountIndex != static_cast<int>(i))
            (void)workbench_->SetAddressCount(static_cast<int>(i) + 1);
    const auto takeHex = [&](int editId, const image::HexField& field) {
        const std::string text = dialog::ToUtf8(ControlText(editId));
        if (text != field.Text()) (void)workbench_->SetHexField(editId, text);
    };
    for (std::size_t i = 0; i < control::kAddressEdits.size(); ++i)
        takeHex(control::kAddressEdits[i], controls.addresses[i]);
    takeHex(control::kInitialValue, controls.initialValue);
    takeHex(control::kStep, controls.step);
    for (const FlagBox& box : kFlagBoxes)
        if (box.id != control::kRollingCodeEnable && IsChecked(box.id) != controls.*box.member)
            (void)workbench_->SetFlag(box.id, IsChecked(box.id));
}

void CVerantDlg::StateToControls() {
    const image::HeaderControls& controls = workbench_->Controls();
    for (const FlagBox& box : kFlagBoxes) SetChecked(box.id, controls.*box.member);
    const int index = std::clamp(controls.addressCountIndex, 0, 3);
    for (std::size_t i = 0; i < control::kAddressCountRadios.size(); ++i)
        SetChecked(control::kAddressCountRadios[i], static_cast<int>(i) == index);
    for (std::size_t i = 0; i < control::kAddressEdits.size(); ++i)
        HexEdit(control::kAddressEdits[i])->SetText(controls.addresses[i].Text());
    HexEdit(control::kInitialValue)->SetText(controls.initialValue.Text());
    HexEdit(control::kStep)->SetText(controls.step.Text());
    SetControlText(control::kSourcePathEdit, dialog::FromPath(workbench_->SourcePath()));
    if (const auto position = workbench_->SelectedPosition())
        SetComboSelection(control::kChipList, static_cast<int>(*position));
    ShowHeaderTexts();
}

void CVerantDlg::ShowHeaderTexts() {
    SetControlText(control::kQvbChecksumText, dialog::FromUtf8(workbench_->QvbChecksumText()));
    SetControlText(control::kRomChecksumText, dialog::FromUtf8(workbench_->RomChecksumText()));
    SetControlText(control::kConfigurationText, dialog::FromUtf8(workbench_->ConfigurationDisplay()));
}

void CVerantDlg::ApplyRollingCodeStates() {
    const image::RollingCodeControlSet set = workbench_->RollingCodeControlStates();
    std::vector<dialog::ControlState> states;
    for (const image::ControlState& control : set.controls) {
        dialog::ControlState state{control.id, control.enabled, control.readOnly, std::nullopt, std::nullopt};
        if (control.clearedToZero) state.text = image::kClearedAddressText;
        states.push_back(state);
    }
    ApplyControlStates(states);
}

void CVerantDlg::ApplySettingsStates(std::span<const burner::ControlEnabling> states) {
    for (const burner::ControlEnabling& state : states) EnableControl(state.id, state.enabled);
}

// What a load leaves to the controls: the chip list follows the source's kind,
// the test box the chip's pattern.
void CVerantDlg::ApplyLoadStates() {
    EnableControl(control::kChipList, workbench_->ChipListEnabled());
    EnableControl(control::kTestCheckbox, workbench_->TestCheckboxEnabled());
    ApplyRollingCodeStates();
}

void CVerantDlg::OnSelectFile() {
    if (transferRunning_) return;
    dialog::FileDialogRequest request;
    request.filter = kSourceFileFilter;
    request.defaultExtension = "*.qvb";
    request.initialFileName = "*.qvb";
    const std::optional<std::filesystem::path> chosen = prompts_.ChooseFileToOpen(request);
    if (!chosen) return;
    OpenSource(*chosen);
}

void CVerantDlg::OpenSource(const std::filesystem::path& path) {
    if (transferRunning_ || !workbench_) return;
    ControlsToState();
    const image::SelectFileReport report = workbench_->SelectSourceFile(path);
    ReportStatus(report.statusText);
    if (!report.success) {
        if (report.messageBoxText) prompts_.Notify(*report.messageBoxText);
        // A project file may have changed the chip before it was refused.
        StateToControls();
        return;
    }
    if (report.messageBoxText) prompts_.Notify(*report.messageBoxText);
    EnableControl(control::kDownloadButton, link_->BurnerPresent());
    ApplyLoadStates();
    const auto& controls = workbench_->Controls();
    const burner::SettingsControlStates settings = burner::ReenabledSettingsControls(burner::SettingsRulesFor(
        workbench_->PatternAllowsTest(), controls.rollingCodeEnabled, workbench_->SelectedChipName()));
    ApplySettingsStates(settings);
    StateToControls();
}

void CVerantDlg::OnChipChange(int position) {
    if (position < 0 || !workbench_) return;
    if (!workbench_->ChangeChip(static_cast<std::size_t>(position))) return;
    // A failure to record the chip costs only the next start's choice.
    (void)image::WriteLastSelectedChip(programDirectory_, workbench_->SelectedChipName());
    StateToControls();
    if (workbench_->SourceIsHex())
        ApplyLoadStates();
    else
        ApplyRollingCodeStates();
}

void CVerantDlg::accept() {
    OnDownload();
}

void CVerantDlg::OnDownload() {
    if (!workbench_ || transferRunning_ || link_->DownloadActive() ||
        !IsControlEnabled(control::kDownloadButton))
        return;
    ControlsToState();
    transferRunning_ = true;
    burner::RunDownloadCommand(*workbench_, *link_, events_);
    transferRunning_ = false;
    ShowHeaderTexts();
}

void CVerantDlg::OnChipChecksum() {
    if (!workbench_ || link_->DownloadActive()) return;
    ControlsToState();
    burner::RunChipChecksumCommand(*workbench_, *link_);
    ShowHeaderTexts();
}

void CVerantDlg::OnRollingCodeEnable() {
    if (link_->DownloadActive()) return;
    ControlsToState();
    ApplyRollingCodeStates();
    StateToControls();
}

void CVerantDlg::OnAddressCount() {
    if (link_->DownloadActive()) return;
    ControlsToState();
    ApplyRollingCodeStates();
    StateToControls();
}

void CVerantDlg::OnSecondaryDialog(const std::function<void()>& open) {
    if (link_->DownloadActive()) return;
    ControlsToState();
    workbench_->BuildHeader();
    ShowHeaderTexts();
    if (open) open();
}

int CVerantDlg::ReceiveOptionBytes(std::span<const uint8_t> optionBytes) {
    (void)workbench_->TakeOptionBytes(optionBytes);
    StateToControls();
    ApplyRollingCodeStates();
    return 0;
}

void CVerantDlg::OnSysCommand(int command) {
    if ((command & ~0xF) != kAboutCommand) return;
    CAboutDlg about(this);
    about.exec();
}

void CVerantDlg::closeEvent(QCloseEvent* event) {
    // The transfer runs inside a handler; the window waits for its end.
    if (transferRunning_) {
        event->ignore();
        return;
    }
    if (workbench_) (void)image::WriteLastSelectedChip(programDirectory_, workbench_->SelectedChipName());
    delete progress_;
    progress_ = nullptr;
    dialog::Dialog::closeEvent(event);
}

void CVerantDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (systemMenu_) systemMenu_->exec(event->globalPos());
}

void CVerantDlg::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!transferRunning_ && urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void CVerantDlg::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (transferRunning_ || urls.size() != 1 || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    OpenSource(dialog::ToPath(urls.front().toLocalFile()));
}

}  // namespace tovrin::ui
