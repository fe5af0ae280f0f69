#include "burner/RecordingEvents.h"

namespace tovrin::burner {

namespace {

// "Name argument", appended piecewise (GCC 12 misreads "literal" + string as overlapping copies).
std::string Call(std::string_view name, std::string_view argument) {
    std::string call;
    call.reserve(name.size() + 1 + argument.size());
    call.append(name).append(" ").append(argument);
    return call;
}

}  // namespace

bool RecordingEvents::IsEnabled(int id, bool defaultState) const {
    const auto found = enabled.find(id);
    return found == enabled.end() ? defaultState : found->second;
}

void RecordingEvents::ReportStatus(std::string_view text) {
    calls.push_back(Call("ReportStatus", text));
    statusReports.emplace_back(text);
}

void RecordingEvents::AddFirmwareVersion(std::string_view text) {
    calls.push_back(Call("AddFirmwareVersion", text));
    firmwareVersions.emplace_back(text);
}

void RecordingEvents::SelectFirmwareVersion(int index) {
    calls.push_back(Call("SelectFirmwareVersion", std::to_string(index)));
    // Selecting past the end of a list selects nothing, as a combo box does.
    selectedFirmwareVersion =
        index >= 0 && static_cast<std::size_t>(index) < firmwareVersions.size() ? index : -1;
}

void RecordingEvents::ClearFirmwareVersions() {
    calls.push_back("ClearFirmwareVersions");
    firmwareVersions.clear();
    selectedFirmwareVersion = -1;
}

void RecordingEvents::SetConnectionText(std::string_view text) {
    calls.push_back(Call("SetConnectionText", text));
    connectionText = text;
}

void RecordingEvents::ShowProgress() {
    calls.push_back("ShowProgress");
    progressVisible = true;
}

void RecordingEvents::HideProgress() {
    calls.push_back("HideProgress");
    progressVisible = false;
}

void RecordingEvents::SetProgressTotal(int total) {
    calls.push_back(Call("SetProgressTotal", std::to_string(total)));
    progressTotal = total;
    progressPosition = 0;
}

void RecordingEvents::SetProgressPosition(int position) {
    calls.push_back(Call("SetProgressPosition", std::to_string(position)));
    progressPosition = position;
}

void RecordingEvents::ShowMessage(std::string_view text) {
    calls.push_back(Call("ShowMessage", text));
    messages.emplace_back(text);
}

bool RecordingEvents::AskYesNo(image::Question kind, std::string_view text) {
    calls.push_back(Call("AskYesNo", text));
    questions.emplace_back(text);
    questionKinds.push_back(kind);
    if (answers.empty()) return defaultAnswer;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingEvents::EnableButton(int id, bool state) {
    calls.push_back(Call("EnableButton", std::to_string(id)).append(state ? " on" : " off"));
    enabled[id] = state;
}

void RecordingEvents::SetSettingsControls(std::span<const ControlEnabling> states) {
    std::string call = "SetSettingsControls";
    for (const auto& state : states) {
        call.append(" ").append(std::to_string(state.id)).append(state.enabled ? "+" : "-");
        enabled[state.id] = state.enabled;
    }
    calls.push_back(call);
}

void RecordingEvents::StopTimer(int timerId) {
    calls.push_back(Call("StopTimer", std::to_string(timerId)));
    timers[timerId] = false;
}

void RecordingEvents::StartTimer(int timerId, int periodMs) {
    calls.push_back(Call("StartTimer", std::to_string(timerId)).append(" ").append(std::to_string(periodMs)));
    timers[timerId] = true;
}

}  // namespace tovrin::burner
