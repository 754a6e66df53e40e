#include "cli/ImportPreviewOutput.h"

#include <cstdio>

#include "cli/ReportingCommand.h"
#include "core/exchange/Backup.h"

namespace vardo::cli {

bool TakeFlag(std::vector<std::string>& args, std::string_view name) {
    for (auto it = args.begin(); it != args.end(); ++it)
        if (*it == name) {
            args.erase(it);
            return true;
        }
    return false;
}

std::string ImportPreviewLine(const ReportImport& import, std::size_t entry, const WorkingMonth& month) {
    const ImportListEntry& e = import.Entries()[entry];
    const int back = (month.monthIndex - e.month + kMonthsPerYear) % kMonthsPerYear;
    const auto count = static_cast<MonthCount>(month.monthCount - back);
    const std::string name = e.late ? e.label.substr(0, e.label.rfind(" (")) : e.label;
    return name + "\t" + MonthArgumentText(count) + "\t" + (e.late ? "yes" : "no") + "\t" +
           (e.replacesValues ? "yes" : "no") + "\t" + (e.replacesRemark ? "yes" : "no") + "\n";
}

int RunReportImport(OpenedDocument& opened, ReportImport& import, bool dryRun) {
    const WorkingMonth& month = opened.Doc().GetWorkingMonth();
    for (std::size_t i = 0; i < import.Entries().size(); ++i)
        std::fputs(ImportPreviewLine(import, i, month).c_str(), stdout);
    if (dryRun || import.Entries().empty())
        return 0;
    const Result<int> stored = import.Import();
    if (!stored) {
        opened.Error(stored.error());
        return 1;
    }
    return SaveIfModified(opened);
}

void AskBackupFirst(OpenedDocument& opened) {
    if (AskBackupBeforeImport(opened.GetClock(), opened.Doc().SettingsFile(), opened.Prompter()))
        std::fputs("vardo-cli: kopia zapasowa: vardo-cli backup\n", stderr);
}

} // namespace vardo::cli
