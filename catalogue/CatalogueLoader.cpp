#include "catalogue/CatalogueLoader.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <system_error>
#include <utility>

#include "catalogue/AsciiText.h"
#include "catalogue/ChipDefinitionReader.h"
#include "catalogue/EncipheredText.h"
#include "platform/profile/Profile.h"
#include "platform/system/FileIo.h"

namespace tovrin::catalogue {

namespace {

constexpr std::string_view kDeviceFolder = "Device";
constexpr std::string_view kDefinitionExtension = ".dev";
constexpr std::string_view kLastSelectionFile = "LastSelChip.TXT";

struct DefinitionFile {
    std::string fileName;
    std::string chipName;
};

std::vector<DefinitionFile> ListDefinitionFiles(const std::filesystem::path& deviceFolder) {
    std::vector<DefinitionFile> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(deviceFolder, error), end; !error && it != end;
         it.increment(error)) {
        std::string fileName = it->path().filename().string();
        if (fileName.size() < kDefinitionExtension.size()) continue;
        const std::string_view extension =
            std::string_view(fileName).substr(fileName.size() - kDefinitionExtension.size());
        if (!EqualsIgnoringAsciiCase(extension, kDefinitionExtension)) continue;
        std::error_code statusError;
        if (it->is_directory(statusError)) continue;
        std::string chipName = fileName.substr(0, fileName.size() - kDefinitionExtension.size());
        files.push_back({std::move(fileName), std::move(chipName)});
    }
    // The directory gives its entries in no useful order; the chip list reads
    // alphabetically, as users expect.
    std::sort(files.begin(), files.end(), [](const DefinitionFile& a, const DefinitionFile& b) {
        const std::string la = text::AsciiLowerCopy(a.chipName);
        const std::string lb = text::AsciiLowerCopy(b.chipName);
        if (la != lb) return la < lb;
        return a.fileName < b.fileName;
    });
    return files;
}

// The definition's INI text; empty, so that every key takes its default,
// when the file cannot be read. An enciphered file is read no further than
// it is decoded.
std::string ReadDefinitionText(const std::filesystem::path& path) {
    std::error_code error;
    // Anything but a regular file (a FIFO would block the open) reads as unopenable.
    if (!std::filesystem::is_regular_file(path, error)) return {};
    std::optional<std::vector<uint8_t>> bytes = ReadFilePrefix(path, kMaxEncipheredCharacters);
    if (!bytes) return {};
    if (IsPlainDefinition(*bytes) && bytes->size() == kMaxEncipheredCharacters) {
        bytes = ReadFileBytes(path);
        if (!bytes) return {};
    }
    return DefinitionPlaintext(*bytes);
}

}  // namespace

CatalogueLoad LoadCatalogue(const std::filesystem::path& programDirectory) {
    CatalogueLoad load;
    const std::filesystem::path deviceFolder = programDirectory / kDeviceFolder;
    std::set<std::string, std::less<>> listedNames;

    for (const DefinitionFile& file : ListDefinitionFiles(deviceFolder)) {
        if (file.chipName.size() > kMaxChipNameLength) {
            load.skipped.push_back({file.fileName, "the chip name is longer than " +
                                                       std::to_string(kMaxChipNameLength) +
                                                       " bytes and does not fit the image header"});
            continue;
        }
        // Only a case-sensitive file system can hold both ab.dev and ab.DEV;
        // one chip name must not stand for two files.
        if (listedNames.contains(file.chipName)) {
            load.skipped.push_back(
                {file.fileName, "another file already gives the chip name " + file.chipName});
            continue;
        }

        const profile::Profile keys =
            profile::Profile::FromText(ReadDefinitionText(deviceFolder / file.fileName));
        Result<BuiltDefinition> built = BuildChipDefinition(keys, file.chipName);
        if (!built) {
            load.skipped.push_back({file.fileName, built.error().message});
            continue;
        }
        listedNames.insert(file.chipName);
        load.catalogue.Add(std::move(built->entry), std::move(built->definition));
    }

    if (!load.catalogue.Empty()) {
        const std::string lastChip = ReadFirstLine(programDirectory / kLastSelectionFile);
        load.initialSelection = load.catalogue.FindByPrefix(lastChip).value_or(0);
    }
    return load;
}

}  // namespace tovrin::catalogue
