#pragma once

#include <iosfwd>

namespace tovrin::cli {

// The whole command line front end; main() only forwards to it, so tests can
// drive it in-process.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace tovrin::cli
