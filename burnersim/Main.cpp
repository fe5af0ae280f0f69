// tovrin-burnersim: the burner model as a daemon on a Unix socket, for
// demos and end-to-end tests. Stopping it is unplugging the burner.
#include <csignal>

#include <CLI/CLI.hpp>
#include <atomic>
#include <charconv>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "burnersim/BurnerFirmware.h"
#include "burnersim/RequestLogFile.h"
#include "burnersim/SimulatorDaemon.h"

namespace {

std::atomic<bool> stopRequested{false};

void RequestStop(int) {
    stopRequested.store(true);
}

std::optional<uint32_t> ParseHexId(std::string text) {
    if (text.starts_with("0x") || text.starts_with("0X")) text.erase(0, 2);
    if (text.empty() || text.size() > 8) return std::nullopt;
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Burner simulator daemon: serves the burner's firmware model on a Unix socket"};
    std::string socketPath;
    std::string firmwareText{tovrin::burnersim::kDefaultFirmwareVersion};
    std::string idText;
    std::string logPath;
    uint32_t refusals = 0;
    std::optional<uint64_t> unplugAfter;
    uint32_t latencyMs = 0;
    app.add_option("--socket", socketPath, "Socket to listen on")->required();
    app.add_option("--firmware", firmwareText, "Firmware version text (35 bytes are sent at most)");
    app.add_option("--id", idText, "Burner identity, hexadecimal");
    app.add_option("--log", logPath, "Append one line of hex per request block received");
    app.add_option("--refuse", refusals, "Refuse every download packet this many times");
    app.add_option("--unplug-after", unplugAfter, "Unplug after this many request blocks");
    app.add_option("--latency-ms", latencyMs, "Time each report takes, in milliseconds");
    CLI11_PARSE(app, argc, argv);

    tovrin::burnersim::FirmwareSettings settings;
    settings.firmwareVersion = firmwareText;
    settings.refusalsPerPacket = refusals;
    if (!idText.empty()) {
        const auto id = ParseHexId(idText);
        if (!id) {
            std::cerr << "tovrin-burnersim: --id wants up to 8 hexadecimal digits, not " << idText << "\n";
            return 2;
        }
        settings.burnerId = *id;
    }
    tovrin::burnersim::BurnerFirmware firmware(settings);
    std::unique_ptr<tovrin::burnersim::RequestLogFile> log;
    if (!logPath.empty()) {
        auto opened = tovrin::burnersim::RequestLogFile::Open(logPath);
        if (!opened) {
            std::cerr << "tovrin-burnersim: " << opened.error().message << "\n";
            return 1;
        }
        log = std::move(*opened);
        firmware.SetRequestLog(log->Sink());
    }

    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    tovrin::burnersim::DaemonOptions options;
    options.socketPath = socketPath;
    options.unplugAfterRequests = unplugAfter;
    options.latencyPerReport = std::chrono::milliseconds(latencyMs);
    const auto served = tovrin::burnersim::ServeBurner(options, firmware, stopRequested);
    if (!served) {
        std::cerr << "tovrin-burnersim: " << served.error().message << "\n";
        return 1;
    }
    return 0;
}
