#include "cli/ImageCommands.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>
#include <string>

#include "cli/HeaderSettings.h"
#include "cli/TextFormat.h"
#include "cli/WorkbenchSession.h"
#include "image/Checksums.h"
#include "image/ImageHeader.h"
#include "platform/system/FileIo.h"
#include "platform/text/GbkText.h"

namespace tovrin::cli {
namespace {

using nlohmann::ordered_json;

struct ImageOptions {
    std::string chip;
    std::string source;
    std::string output;
    bool json = false;
    bool strict = false;
    HeaderSettings settings;
};

void BuildImage(CliContext& context, const ImageOptions& options) {
    WorkbenchSession session(context);
    if (!options.chip.empty() && !session.ChangeChip(options.chip)) return;
    image::SelectFileReport report;
    if (!session.SelectSource(options.source, &report)) return;
    if (options.strict && !report.warnings.empty()) {
        context.out << WithLineFeeds(report.statusText) << "\n";
        context.Fail(kExitFailed, "--strict: " + options.source + " loads with " +
                                      std::to_string(report.warnings.size()) + " warning(s)");
        return;
    }

    image::Workbench& workbench = session.workbench();
    if (Status applied = ApplyHeaderSettings(workbench, options.settings); !applied) {
        context.Fail(kExitUsage, applied.error().message);
        return;
    }
    workbench.BuildHeader();

    if (!options.output.empty()) {
        if (Status saved = workbench.SaveImageAs(options.output); !saved) {
            context.Fail(kExitFailed, saved.error().message);
            return;
        }
    }

    const auto& header = workbench.WorkingHeader();
    const std::string reportText = WithLineFeeds(report.statusText);
    if (options.json) {
        ordered_json result = {{"chip", text::GbkToUtf8(workbench.SelectedChipName())},
                               {"imageByteCount", workbench.ImageByteCount()},
                               {"sourceIsHex", workbench.SourceIsHex()},
                               {"romChecksum", workbench.RomChecksumText()},
                               {"qvbChecksum", workbench.QvbChecksumText()},
                               {"header", HexDigits(header)},
                               {"report", reportText},
                               {"warnings", report.warnings}};
        context.out << result.dump(2) << "\n";
        return;
    }
    context.out << "chip: " << text::GbkToUtf8(workbench.SelectedChipName()) << "\n"
                << "imageByteCount: " << workbench.ImageByteCount() << "\n"
                << "header byte 7: 0x" << Hex(header[image::header::kFlags], 2) << "\n"
                << "校验和(ROM): " << workbench.RomChecksumText() << "\n"
                << "校验和: " << workbench.QvbChecksumText() << "\n"
                << "report:" << reportText << "\n";
    if (report.messageBoxText) context.out << "notice:" << WithLineFeeds(*report.messageBoxText) << "\n";
    if (!options.output.empty()) context.out << "image written to " << options.output << "\n";
}

ordered_json FlagsJson(const image::DecodedHeader& h) {
    return {{"verify", h.verify},
            {"program", h.program},
            {"blankCheck", h.blankCheck},
            {"rollingCode", h.rollingCode},
            {"carried", h.carried},
            {"test", h.test},
            {"bit6", h.bit6}};
}

void ShowProjectInfo(CliContext& context, const std::string& path, bool json) {
    auto bytes = ReadFileBytes(path, image::kMaxSourceFileBytes);
    if (!bytes) {
        context.Fail(kExitFailed, "cannot read " + path);
        return;
    }
    if (bytes->size() < catalogue::kImageHeaderByteCount) {
        context.Fail(kExitFailed, path + " is " + std::to_string(bytes->size()) +
                                      " bytes long, shorter than the 80-byte image header");
        return;
    }
    image::ImageHeader header{};
    std::copy_n(bytes->begin(), header.size(), header.begin());
    const image::DecodedHeader h = image::DecodeHeader(header);
    const uint16_t recomputed = image::ComputeQvbChecksum(header, *bytes);
    const bool match = recomputed == h.qvbChecksum;

    std::string addresses[4];
    for (int i = 0; i < 4; ++i) addresses[i] = Hex(h.addresses[static_cast<std::size_t>(i)], 4);
    if (json) {
        ordered_json result = {{"chip", text::GbkToUtf8(h.chipName)},
                               {"fileByteCount", bytes->size()},
                               {"flags", FlagsJson(h)},
                               {"flagsByte", Hex(h.flags, 2)},
                               {"rollingCode",
                                {{"enabled", h.rollingCode},
                                 {"addressCount", h.addressCountIndex + 1},
                                 {"addresses", {addresses[0], addresses[1], addresses[2], addresses[3]}},
                                 {"initial", Hex(h.initialValue, 8)},
                                 {"step", Hex(h.step, 8)}}},
                               {"chipId", Hex(h.chipId, 4)},
                               {"optionBlock", HexDigits(h.optionBlock)},
                               {"romChecksum", image::ChecksumText(h.romChecksum)},
                               {"qvbChecksum", image::ChecksumText(h.qvbChecksum)},
                               {"recomputedQvbChecksum", image::ChecksumText(recomputed)},
                               {"checksumMatches", match}};
        context.out << result.dump(2) << "\n";
    } else {
        auto yesNo = [](bool b) { return b ? "on" : "off"; };
        context.out << "chip: " << text::GbkToUtf8(h.chipName) << "\n"
                    << "file bytes: " << bytes->size() << "\n"
                    << "flags: 0x" << Hex(h.flags, 2) << " (verify " << yesNo(h.verify) << ", program "
                    << yesNo(h.program) << ", blank check " << yesNo(h.blankCheck) << ", rolling code "
                    << yesNo(h.rollingCode) << ", test " << yesNo(h.test) << ", carried bit 4 "
                    << yesNo(h.carried) << ", bit 6 " << yesNo(h.bit6) << ")\n"
                    << "rolling code: " << (h.addressCountIndex + 1) << " address(es) " << addresses[0] << " "
                    << addresses[1] << " " << addresses[2] << " " << addresses[3] << ", initial "
                    << Hex(h.initialValue, 8) << ", step " << Hex(h.step, 8) << "\n"
                    << "option block: " << HexBytesSpaced(h.optionBlock) << "\n"
                    << "RomChecksum: " << image::ChecksumText(h.romChecksum) << "\n"
                    << "QvbChecksum: stored " << image::ChecksumText(h.qvbChecksum) << ", recomputed "
                    << image::ChecksumText(recomputed) << (match ? " (match)" : " (MISMATCH)") << "\n";
    }
    if (!match)
        context.Fail(kExitFailed, path + ": the stored QVB checksum does not match the file's content");
}

}  // namespace

void AddImageCommands(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<ImageOptions>();
    CLI::App* command =
        app.add_subcommand("image", "Load a source file into the programming image and build its header");
    command->add_option("--chip", options->chip, "Change to this chip first, as the chip list would");
    command->add_option("--source", options->source, "Intel HEX or QVB project file")->required();
    command->add_option("-o,--output", options->output, "Write the image (a project file) here");
    command->add_flag("--json", options->json, "Print JSON");
    command->add_flag("--strict", options->strict, "Fail when a HEX source loads with a warning");
    AddHeaderSettingOptions(*command, options->settings);
    context.OnCommand(command, [&context, options] { BuildImage(context, *options); });

    struct InfoOptions {
        std::string file;
        bool json = false;
    };
    auto info = std::make_shared<InfoOptions>();
    CLI::App* infoCommand =
        app.add_subcommand("info", "Decode a project file's header and check its checksum");
    infoCommand->add_option("FILE", info->file, "QVB project file")->required();
    infoCommand->add_flag("--json", info->json, "Print JSON");
    context.OnCommand(infoCommand, [&context, info] { ShowProjectInfo(context, info->file, info->json); });
}

}  // namespace tovrin::cli
