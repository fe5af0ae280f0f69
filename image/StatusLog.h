#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace tovrin::image {

// The main dialog's report box (edit 1005): each report replaces the whole
// text, so only the latest one is visible.
class StatusLog {
public:
    struct Update {
        std::string text;     // the edit's new text, CR LF line ends
        int scrollLines = 0;  // lines to scroll down after setting it; 0 for none
    };

    // With endOfLine: the time-stamp line (nothing when localTime is null),
    // the message and CR LF; each such report counts, and past the ninth the
    // edit scrolls down by the count. Without it: the message and one blank.
    Update Report(std::string_view message, bool endOfLine, const std::tm* localTime);
    // The same, stamped with the current local time.
    Update Report(std::string_view message, bool endOfLine = true);

    int ReportCount() const { return reports_; }

private:
    int reports_ = 0;
};

// "\r\n%Y-%m-%d %H:%M:%S \r\n"; empty when time is null.
std::string StatusTimeStamp(const std::tm* localTime);

// The main window's caption: the first line of Version.TXT in the program
// directory, from GBK; empty when the file is missing.
std::string ReadWindowCaption(const std::filesystem::path& programDirectory);

}  // namespace tovrin::image
