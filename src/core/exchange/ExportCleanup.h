#pragma once

// Export files hold the congregation's data unencrypted. At start-up the monthly report exports and the XML
// list are offered for deletion ("Uwaga !!"), and the contact, emergency-contact and card-header exports
// are deleted. Both the data folder and its Exports/ folder are looked at: exports are written to Exports/,
// data folders of older versions keep them beside the data.

#include <string>
#include <vector>

#include "core/platform/DataFolder.h"
#include "core/platform/Result.h"

namespace vardo {

/// The files the warning lists, as names relative to the data folder ("marzec.csv", "Exports/marzec.rpt",
/// "publist.xml"): month by month, ".csv" before ".rpt", each in the data folder before Exports/; then
/// publist.xml. Empty when no monthly export exists: the warning is then not shown.
std::vector<std::string> ExportFilesToOffer(const DataFolder& folder);

/// The exports deleted at every start: contact.tsv, 3rdparty.tsv, cardhdr.tsv and publist.xml, in the data
/// folder and in Exports/. Returns the names that could not be deleted (an absent file is no failure).
std::vector<std::string> RemoveTransientExports(const DataFolder& folder);

/// The warning's list and choice.
class ExportCleanup {
public:
    explicit ExportCleanup(std::vector<std::string> files);

    const std::vector<std::string>& Files() const { return m_files; }
    /// The three paragraphs of the text beside the list.
    static std::string Text();
    /// With one file it is selected; with more, none is.
    bool IsSelected(std::size_t file) const { return m_selected.at(file); }
    void SetSelected(std::size_t file, bool on) { m_selected.at(file) = on; }
    std::size_t SelectedCount() const;

    /// OK: deletes every selected file. Fails (Io) naming the files that could not be deleted; the others
    /// are deleted all the same.
    Status DeleteSelected(const DataFolder& folder) const;

private:
    std::vector<std::string> m_files;
    std::vector<bool> m_selected;
};

} // namespace vardo
