#pragma once

#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "burner/BurnerEvents.h"

namespace tovrin::cli {

// The output of several burners at once. On a terminal each burner has one
// line that is rewritten in place; otherwise every event is a plain line
// prefixed with its burner, so logs of a gang stay readable.
class GangConsole {
public:
    GangConsole(std::ostream& out, std::ostream& err, std::vector<std::string> burners, bool liveLines);

    // The events of burner index, for its link; used from its own thread.
    std::unique_ptr<burner::BurnerEvents> EventsFor(std::size_t index);

    void SetLine(std::size_t index, const std::string& text);
    void Note(std::size_t index, const std::string& text, bool isError);

private:
    std::mutex mutex_;
    std::ostream& out_;
    std::ostream& err_;
    std::vector<std::string> burners_;
    std::vector<std::string> lines_;
    bool live_;
    bool started_ = false;
};

}  // namespace tovrin::cli
