#include <iostream>

#include "cli/CliApp.h"
#include "platform/easypod/hidapi/UsbBackend.h"

int main(int argc, char** argv) {
    return tovrin::cli::RunCli(argc, argv, std::cout, std::cerr, tovrin::easypod::UsbBurnerBackend());
}
