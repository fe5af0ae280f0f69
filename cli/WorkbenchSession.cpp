#include "cli/WorkbenchSession.h"

#include <ostream>

#include "cli/TextFormat.h"
#include "platform/text/GbkText.h"

namespace tovrin::cli {

void ReportSkippedDefinitions(CliContext& context, const catalogue::CatalogueLoad& load) {
    for (const auto& skipped : load.skipped)
        context.err << "tovrin-cli: skipped Device/" << text::GbkToUtf8(skipped.fileName) << ": "
                    << skipped.reason << "\n";
}

std::string UnknownChipMessage(const CliContext& context, const std::string& name) {
    return "no chip named \"" + name + "\" in " + (context.programDirectory / "Device").string() +
           " (names are case-sensitive; see `tovrin-cli chips`)";
}

WorkbenchSession::WorkbenchSession(CliContext& context)
    : context_(context), load_(catalogue::LoadCatalogue(context.programDirectory)) {
    ReportSkippedDefinitions(context, load_);
    workbench_ = std::make_unique<image::Workbench>(context.programDirectory, load_.catalogue);
    if (load_.initialSelection) workbench_->SelectInitialChip(*load_.initialSelection);
}

bool WorkbenchSession::ChangeChip(const std::string& name) {
    const auto& entries = load_.catalogue.Entries();
    for (std::size_t position = 0; position < entries.size(); ++position) {
        if (entries[position].name == name) {
            workbench_->ChangeChip(position);
            return true;
        }
    }
    context_.Fail(kExitUsage, UnknownChipMessage(context_, name));
    return false;
}

bool WorkbenchSession::SelectSource(const std::string& path, image::SelectFileReport* reportOut) {
    image::SelectFileReport report = workbench_->SelectSourceFile(path);
    if (reportOut) *reportOut = report;
    if (!report.success) {
        context_.out << WithLineFeeds(report.statusText) << "\n";
        context_.Fail(kExitFailed, "cannot load " + path);
        return false;
    }
    return true;
}

}  // namespace tovrin::cli
