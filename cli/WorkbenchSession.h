#pragma once

#include <memory>
#include <string>

#include "catalogue/CatalogueLoader.h"
#include "cli/CliContext.h"
#include "image/Workbench.h"

namespace tovrin::cli {

// Names each definition file the loader skipped, and why, on standard error.
void ReportSkippedDefinitions(CliContext& context, const catalogue::CatalogueLoad& load);

// The usage error for a chip name that is not listed.
std::string UnknownChipMessage(const CliContext& context, const std::string& name);

// The main dialog's state right after its initialisation on the program
// directory: the catalogue loaded and the remembered chip applied.
class WorkbenchSession {
public:
    explicit WorkbenchSession(CliContext& context);

    image::Workbench& workbench() { return *workbench_; }
    const catalogue::DeviceCatalogue& catalogue() const { return load_.catalogue; }

    // Changes the chip as a selection in the chip list would (without
    // recording it in LastSelChip.TXT); false, with a usage error on the
    // context, when no chip has exactly this name.
    bool ChangeChip(const std::string& name);

    // The select-file command; false, with the failure report printed and
    // the failure recorded on the context, when the file does not load.
    bool SelectSource(const std::string& path, image::SelectFileReport* reportOut = nullptr);

private:
    CliContext& context_;
    catalogue::CatalogueLoad load_;
    std::unique_ptr<image::Workbench> workbench_;
};

}  // namespace tovrin::cli
