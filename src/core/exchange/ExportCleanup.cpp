#include "core/exchange/ExportCleanup.h"

#include "core/exchange/TabularExports.h"
#include "core/platform/Strings.h"
#include "core/store/MonthMath.h"

namespace vardo {
namespace {

constexpr std::string_view kPublist = "publist.xml";

/// "name" and "Exports/name".
std::vector<std::string> Places(std::string_view name) {
    return {std::string(name), std::string(kExportsFolder) + "/" + std::string(name)};
}

} // namespace

std::vector<std::string> ExportFilesToOffer(const DataFolder& folder) {
    std::vector<std::string> files;
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
        for (const char* extension : {".csv", ".rpt"})
            for (const std::string& name : Places(std::string(MonthName(m)) + extension))
                if (folder.Exists(name) && !folder.IsFolder(name))
                    files.push_back(name);
    if (files.empty())
        return files;
    for (const std::string& name : Places(kPublist))
        if (folder.Exists(name) && !folder.IsFolder(name))
            files.push_back(name);
    return files;
}

std::vector<std::string> RemoveTransientExports(const DataFolder& folder) {
    std::vector<std::string> failed;
    for (const std::string_view name :
         {std::string_view("contact.tsv"), Str(StrId::EmergencyFileName), std::string_view("cardhdr.tsv"), kPublist})
        for (const std::string& place : Places(name))
            if (folder.Exists(place) && !folder.IsFolder(place) && !folder.Remove(place))
                failed.push_back(place);
    return failed;
}

ExportCleanup::ExportCleanup(std::vector<std::string> files)
    : m_files(std::move(files)), m_selected(m_files.size(), m_files.size() == 1) {}

std::string ExportCleanup::Text() {
    return std::string(Str(StrId::CleanupNotEncrypted)) + "\n" + std::string(Str(StrId::CleanupProtect)) + "\n\n" +
           std::string(Str(StrId::CleanupClickOk));
}

std::size_t ExportCleanup::SelectedCount() const {
    std::size_t count = 0;
    for (const bool on : m_selected)
        count += on ? 1 : 0;
    return count;
}

Status ExportCleanup::DeleteSelected(const DataFolder& folder) const {
    std::string failed;
    for (std::size_t i = 0; i < m_files.size(); ++i)
        if (m_selected[i] && folder.Exists(m_files[i]) && !folder.Remove(m_files[i]))
            failed += (failed.empty() ? "" : ", ") + folder.Resolve(m_files[i]).string();
    if (!failed.empty())
        return Status::Fail(Failure::Io, FormatArgs(Str(StrId::CleanupFailed), {failed}));
    return Status::Ok();
}

} // namespace vardo
