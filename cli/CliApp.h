#pragma once

#include <iosfwd>
#include <optional>

#include "platform/easypod/BurnerBackends.h"

namespace tovrin::cli {

// The whole command line front end; main() only forwards to it, with the
// real burners' backend (nullopt: only the simulator is known).
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           std::optional<easypod::BurnerBackendEntry> usbBackend);

}  // namespace tovrin::cli
