#include "ui/DialogBurnerEvents.h"

#include "burner/BurnerCommands.h"
#include "image/ControlIds.h"
#include "image/Workbench.h"
#include "platform/dialog/TextConversion.h"
#include "platform/text/GbkText.h"
#include "ui/CProgress.h"
#include "ui/CVerantDlg.h"

namespace tovrin::ui {

void DialogBurnerEvents::ReportStatus(std::string_view text) {
    dialog_.ReportStatus(text);
}

void DialogBurnerEvents::AddFirmwareVersion(std::string_view text) {
    dialog_.ComboAdd(control::kFirmwareVersionList, dialog::FromUtf8(text::GbkToUtf8(text)));
}

void DialogBurnerEvents::SelectFirmwareVersion(int index) {
    dialog_.SetComboSelection(control::kFirmwareVersionList, index);
}

void DialogBurnerEvents::ClearFirmwareVersions() {
    dialog_.ComboReset(control::kFirmwareVersionList);
}

void DialogBurnerEvents::SetConnectionText(std::string_view text) {
    dialog_.SetControlText(control::kConnectionText, dialog::FromUtf8(text));
}

void DialogBurnerEvents::ShowProgress() {
    if (CProgress* progress = dialog_.Progress()) progress->show();
}

void DialogBurnerEvents::HideProgress() {
    if (CProgress* progress = dialog_.Progress()) progress->hide();
}

void DialogBurnerEvents::SetProgressTotal(int total) {
    if (CProgress* progress = dialog_.Progress()) progress->SetTotal(total);
}

void DialogBurnerEvents::SetProgressPosition(int position) {
    if (CProgress* progress = dialog_.Progress()) progress->ShowPosition(position);
}

void DialogBurnerEvents::ShowMessage(std::string_view text) {
    dialog_.Prompts().Notify(text);
}

bool DialogBurnerEvents::AskYesNo(image::Question kind, std::string_view question) {
    return dialog_.Prompts().Ask(static_cast<int>(kind), question);
}

void DialogBurnerEvents::EnableButton(int id, bool enabled) {
    dialog_.EnableControl(id, enabled);
}

void DialogBurnerEvents::SetSettingsControls(std::span<const burner::ControlEnabling> states) {
    dialog_.ApplySettingsStates(states);
}

void DialogBurnerEvents::StopTimer(int timerId) {
    if (timerId == control::kProbeTimerId) dialog_.ProbeTimer().stop();
}

void DialogBurnerEvents::StartTimer(int timerId, int periodMs) {
    if (timerId == control::kProbeTimerId) dialog_.ProbeTimer().start(periodMs);
}

}  // namespace tovrin::ui
