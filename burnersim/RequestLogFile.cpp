#include "burnersim/RequestLogFile.h"

namespace tovrin::burnersim {

Result<std::unique_ptr<RequestLogFile>> RequestLogFile::Open(const std::filesystem::path& path) {
    std::ofstream stream(path, std::ios::app | std::ios::binary);
    if (!stream) return Error{"cannot open the request log " + path.string()};
    return std::unique_ptr<RequestLogFile>(new RequestLogFile(std::move(stream)));
}

void RequestLogFile::Append(std::string_view line) {
    stream_ << line << '\n';
    stream_.flush();
}

}  // namespace tovrin::burnersim
