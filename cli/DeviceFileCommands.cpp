#include <memory>
#include <ostream>
#include <string>

#include "catalogue/EncipheredText.h"
#include "cli/CatalogueCommands.h"
#include "platform/system/FileIo.h"

namespace tovrin::cli {
namespace {

void Decipher(CliContext& context, const std::string& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) {
        context.Fail(kExitFailed, "cannot read " + path);
        return;
    }
    const std::string plaintext = catalogue::DefinitionPlaintext(*bytes);
    context.out.write(plaintext.data(), static_cast<std::streamsize>(plaintext.size()));
    context.out.flush();
}

void Encipher(CliContext& context, const std::string& path, const std::string& output) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) {
        context.Fail(kExitFailed, "cannot read " + path);
        return;
    }
    auto cipherText = catalogue::EncipherDefinitionText(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!cipherText) {
        context.Fail(kExitFailed, path + ": " + cipherText.error().message);
        return;
    }
    if (Status written = WriteFileAtomically(output, *cipherText); !written)
        context.Fail(kExitFailed, written.error().message);
}

}  // namespace

void AddDeviceFileCommands(CLI::App& app, CliContext& context) {
    CLI::App* device = app.add_subcommand("device", "Device-definition files: decipher and encipher");
    device->require_subcommand(1);

    auto decipherFile = std::make_shared<std::string>();
    CLI::App* decipher =
        device->add_subcommand("decipher", "Print a definition file's plaintext, byte for byte");
    decipher->add_option("FILE", *decipherFile, "Definition file")->required();
    context.OnCommand(decipher, [&context, decipherFile] { Decipher(context, *decipherFile); });

    struct EncipherOptions {
        std::string file;
        std::string output;
    };
    auto encipherOptions = std::make_shared<EncipherOptions>();
    CLI::App* encipher =
        device->add_subcommand("encipher", "Write the enciphered form of a plaintext definition");
    encipher->add_option("FILE", encipherOptions->file, "Plaintext INI file")->required();
    encipher->add_option("-o,--output", encipherOptions->output, "Enciphered file to write")->required();
    context.OnCommand(encipher, [&context, encipherOptions] {
        Encipher(context, encipherOptions->file, encipherOptions->output);
    });
}

}  // namespace tovrin::cli
