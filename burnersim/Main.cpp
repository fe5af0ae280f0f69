// tovrin-burnersim: the burner model as a daemon on a Unix socket, for
// demos and end-to-end tests. Stopping it is unplugging the burner.
#include <csignal>

#include <CLI/CLI.hpp>
#include <atomic>
#include <iostream>
#include <string>

#include "burnersim/SimulatorBackend.h"
#include "burnersim/SimulatorDaemon.h"
#include "burnersim/SimulatorSwitchOptions.h"

namespace {

std::atomic<bool> stopRequested{false};

void RequestStop(int) {
    stopRequested.store(true);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Burner simulator daemon: serves the burner's firmware model on a Unix socket"};
    std::string socketPath;
    tovrin::burnersim::SimulatorSwitches switches;
    app.add_option("--socket", socketPath, "Socket to listen on")->required();
    tovrin::burnersim::AddSimulatorSwitches(app, switches, "", "Simulated burner");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::ParseError& error) {
        // Usage errors exit 2, as tovrin-cli's do.
        std::cerr << "tovrin-burnersim: " << error.what() << "\n";
        return 2;
    }

    const auto settings = tovrin::burnersim::SettingsFromSwitches(switches);
    if (!settings) {
        std::cerr << "tovrin-burnersim: --" << settings.error().message << "\n";
        return 2;
    }
    auto burner = tovrin::burnersim::SimulatedBurner::Make(*settings);
    if (!burner) {
        std::cerr << "tovrin-burnersim: " << burner.error().message << "\n";
        return 1;
    }

    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    tovrin::burnersim::DaemonOptions options;
    options.socketPath = socketPath;
    const auto served = tovrin::burnersim::ServeBurner(options, (*burner)->Transport(), stopRequested);
    if (!served) {
        std::cerr << "tovrin-burnersim: " << served.error().message << "\n";
        return 1;
    }
    return 0;
}
