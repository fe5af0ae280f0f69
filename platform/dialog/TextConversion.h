#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace tovrin::dialog {

QString FromUtf8(std::string_view text);
std::string ToUtf8(const QString& text);

// Texts keep the Windows "\r\n" line ends in the libraries; widgets show "\n".
QString WithLineFeeds(QString text);

// File names as the file system spells them (bytes on Linux).
std::filesystem::path ToPath(const QString& fileName);
QString FromPath(const std::filesystem::path& path);

}  // namespace tovrin::dialog
