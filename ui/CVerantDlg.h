#pragma once

#include <QMenu>
#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "burner/BurnerLink.h"
#include "catalogue/CatalogueLoader.h"
#include "image/StatusLog.h"
#include "image/Workbench.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/PromptService.h"
#include "ui/DialogBurnerEvents.h"
#include "ui/MainDialogTemplate.h"
#include "ui/ResponsiveTransport.h"

class QCloseEvent;
class QContextMenuEvent;
class QDragEnterEvent;
class QDropEvent;

namespace tovrin::ui {

class CProgress;

// System-menu command of the about box.
inline constexpr int kAboutCommand = 0x10;
inline constexpr std::string_view kAboutMenuText = "&About Verant...";

inline constexpr std::string_view kSourceFileFilter =
    "QVB Files (*.qvb)|*.qvb|Hex Files (*.hex)|*.hex|All Files (*.*)|*.*||";

struct MainDialogSetup {
    std::filesystem::path programDirectory;
    dialog::PromptService& prompts;
    easypod::HidTransport& transport;
};

// The main window: moves values and enabled states between its controls and
// the Workbench and the burner link, which decide them.
class CVerantDlg : public dialog::Dialog {
    Q_OBJECT
public:
    explicit CVerantDlg(MainDialogSetup setup, QWidget* parent = nullptr);
    ~CVerantDlg() override;

    // The option dialogs' synchronous call with the OptionByteBuffer they
    // changed: takes it into the header and shows it. Returns 0.
    int ReceiveOptionBytes(std::span<const uint8_t> optionBytes);
    // The select-file command once a file is chosen (also the command line's
    // SOURCE and a file dropped on the window).
    void OpenSource(const std::filesystem::path& path);
    // A report in the StatusLog (edit 1005), with its time-stamp line.
    void ReportStatus(std::string_view text);
    // Enabled states the link computed for the programming-settings controls.
    void ApplySettingsStates(std::span<const burner::ControlEnabling> states);

    image::Workbench& Workbench() { return *workbench_; }
    burner::BurnerLink& Link() { return *link_; }
    dialog::PromptService& Prompts() { return prompts_; }
    CProgress* Progress() const { return progress_; }
    QMenu* SystemMenu() const { return systemMenu_; }
    QTimer& ProbeTimer() { return probeTimer_; }
    // True while a download transfers packets.
    bool TransferRunning() const { return transferRunning_; }
    const std::vector<catalogue::SkippedDefinitionFile>& SkippedDefinitions() const { return load_.skipped; }

    // The secondary dialogs of buttons 5, 6 and 1055 come with later
    // changes; each runs after the header was built.
    std::function<void()> openConfigurationWords;
    std::function<void()> openDataBuffer;
    std::function<void()> openPinTest;

public slots:
    // Enter and button 1: the download command.
    void accept() override;
    void OnSysCommand(int command);

protected:
    void OnInitDialog() override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnSelectFile();
    void OnChipChange(int position);
    void OnDownload();
    void OnChipChecksum();
    void OnRollingCodeEnable();
    void OnAddressCount();
    void OnSecondaryDialog(const std::function<void()>& open);

    // Control values -> Workbench member values, and back.
    void ControlsToState();
    void StateToControls();
    void ShowHeaderTexts();
    void ApplyRollingCodeStates();
    void ApplyLoadStates();
    burner::LinkInputs InputsForLink();

    dialog::PromptService& prompts_;
    std::filesystem::path programDirectory_;
    ResponsiveTransport transport_;
    DialogBurnerEvents events_;
    catalogue::CatalogueLoad load_;
    std::unique_ptr<image::Workbench> workbench_;
    std::unique_ptr<burner::BurnerLink> link_;
    image::StatusLog statusLog_;
    QTimer probeTimer_;
    CProgress* progress_ = nullptr;
    QMenu* systemMenu_ = nullptr;
    bool transferRunning_ = false;
    // What the link sends, copied at the start of each exchange.
    std::vector<uint8_t> sentImage_;
    std::vector<uint8_t> sentPattern_;
    std::vector<uint8_t> sentPattern2_;
};

}  // namespace tovrin::ui
