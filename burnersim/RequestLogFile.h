#pragma once

#include <filesystem>
#include <fstream>
#include <memory>

#include "burnersim/BurnerFirmware.h"
#include "platform/system/Result.h"

namespace tovrin::burnersim {

// Appends the firmware's request lines to a file, each flushed as written,
// so a log survives a simulator that is stopped at any moment.
class RequestLogFile {
public:
    static Result<std::unique_ptr<RequestLogFile>> Open(const std::filesystem::path& path);

    void Append(std::string_view line);
    RequestLog Sink() {
        return [this](std::string_view line) { Append(line); };
    }

private:
    explicit RequestLogFile(std::ofstream stream) : stream_(std::move(stream)) {}
    std::ofstream stream_;
};

}  // namespace tovrin::burnersim
