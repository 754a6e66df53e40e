#include "gui/exchange/ExchangeCommands.h"

#include <cctype>
#include <fstream>
#include <iterator>

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include "core/exchange/Backup.h"
#include "core/exchange/CsvImport.h"
#include "core/exchange/GroupReportFile.h"
#include "core/exchange/PublistDocument.h"
#include "core/exchange/TabularExports.h"
#include "core/platform/Strings.h"
#include "core/reporting/Attendance.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/QtText.h"
#include "gui/exchange/BackupCommands.h"
#include "gui/exchange/CGroupReportDlg.h"
#include "gui/exchange/CPersonPickDlg.h"
#include "gui/exchange/CsvWizardDialog.h"
#include "gui/exchange/DataExportDialog.h"
#include "gui/exchange/ExportCleanupDialog.h"
#include "gui/exchange/ReportImportDialog.h"

namespace vardo {
namespace {

std::string DialogChooser(QWidget* parent, const std::string& title, const std::string& filter,
                          const std::string& folder) {
    return ToUtf8(QFileDialog::getOpenFileName(parent, ToQt(title), ToQt(folder), ToQt(filter)));
}

OpenFileChooser& Chooser() {
    static OpenFileChooser chooser = DialogChooser;
    return chooser;
}

ProgramRunner& MailRunner() {
    static ProgramRunner runner = RunProgram;
    return runner;
}

/// "Otrzymane Raporty z Grup (.t19) (*.t19)".
std::string Filter(StrId label, const char* pattern) {
    return std::string(Str(label)) + " (" + pattern + ")";
}

bool EndsWithNoCase(const std::string& path, std::string_view ending) {
    if (path.size() < ending.size())
        return false;
    for (std::size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(path[path.size() - ending.size() + i])) !=
            std::tolower(static_cast<unsigned char>(ending[i])))
            return false;
    return true;
}

/// The whole file; a message and nullopt when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path, Prompter& prompter) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        prompter.Message(FormatArgs(Str(StrId::CannotReadFile), {path}), Severity::Error);
        return std::nullopt;
    }
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (in.bad()) {
        prompter.Message(FormatArgs(Str(StrId::CannotReadFile), {path}), Severity::Error);
        return std::nullopt;
    }
    return bytes;
}

/// RFC 5322 date of a day.
std::string MailDate(const Date& date) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return FormatPrintf("%d %s %04d 00:00:00 +0000", date.day, kMonths[(date.month + 11) % 12], date.year);
}

/// The backup question before an import; Yes opens the backup dialog of the main window.
void OfferBackup(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    if (!AskBackupBeforeImport(clock, doc.SettingsFile(), prompter))
        return;
    for (QWidget* widget = parent; widget != nullptr; widget = widget->parentWidget())
        if (auto* frame = qobject_cast<CMainFrame*>(widget)) {
            (void)RunBackupDialog(*frame, doc, prompter, clock, BackupDialogPresenter::Mode::Backup);
            return;
        }
}

bool CanImport(CVardoDoc& doc, Prompter& prompter) {
    if (!doc.IsLoaded())
        return false;
    if (doc.PastMonthMode()) {
        prompter.Message(Str(StrId::PastMonthReadOnly), Severity::Information);
        return false;
    }
    return true;
}

std::optional<int> Preview(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock,
                           const ReportingContext& context, ImportSource source, std::vector<IncomingPerson> persons,
                           const std::string& path) {
    OfferBackup(parent, doc, prompter, clock);
    return ReportImportDialog::Run(parent, context, source, std::move(persons), path);
}

ExportSource MakeExportSource(CVardoDoc& doc) {
    return {doc.Database(), doc.Side().remarks, doc.Side().cardTotals, doc.GetWorkingMonth(),
            [&doc](const PublisherRecord& person) {
                return doc.Side().extensions.Read(doc.Folder(), person.ExtensionKey(), person.Id());
            }};
}

std::string SpecialNeedsTextOf(CVardoDoc& doc, const PublisherRecord& person) {
    if (person.SpecialNeedsKey() == 0)
        return {};
    const auto record = doc.Side().specialNeeds.Read(doc.Folder(), person.SpecialNeedsKey());
    return record ? record->Text() : std::string();
}

void Exported(CVardoDoc& doc, Prompter& prompter, const Result<std::string>& path) {
    if (!path) {
        prompter.Message(path.error(), Severity::Error);
        return;
    }
    OfferExportsFolder(doc, prompter, path.value());
}

} // namespace

void SetOpenFileChooser(OpenFileChooser chooser) {
    Chooser() = chooser ? std::move(chooser) : OpenFileChooser(DialogChooser);
}

void SetMailRunner(ProgramRunner runner) {
    MailRunner() = runner ? std::move(runner) : ProgramRunner(RunProgram);
}

void OpenGroupReport(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock, int group) {
    if (!CanImport(doc, prompter))
        return;
    if (doc.Side().groups.Count() < 1) {
        prompter.Message(Str(StrId::GroupFileNoGroups), Severity::Information);
        return;
    }
    if (group < 1 || group > doc.Side().groups.Count())
        group = 1;
    const MonthCycle& cycle = doc.GetMonthCycle();
    GroupReportContext context{doc.Database(),
                               doc.Side().remarks,
                               doc.Side().groups,
                               doc.Side().extensions,
                               doc.GetSettings(),
                               doc.GetWorkingMonth(),
                               doc.Folder(),
                               doc.Changes(),
                               [&cycle](const PublisherRecord& person, MonthIndex month) {
                                   return cycle.lateReports.IsLate(person.Id(), month);
                               }};
    CGroupReportDlg dialog(context, group, prompter, MailDate(clock.Today()), MailRunner(), parent);
    dialog.exec();
}

namespace {

// The file chosen to import: empty when the user chose none or a file of another kind.
std::string ChooseImportFile(QWidget* parent, const CVardoDoc& doc, const std::string& title, StrId filter,
                             const char* extension) {
    const std::string pattern = std::string("*") + extension;
    const std::string path = Chooser()(parent, title, Filter(filter, pattern.c_str()), doc.Folder().Root().string());
    return path.empty() || !EndsWithNoCase(path, extension) ? std::string() : path;
}

// The preview of what the file brings, or the reason why it brings nothing.
std::optional<int> PreviewIncoming(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock,
                                   const ReportingContext& context, ImportSource source,
                                   Result<std::vector<IncomingPerson>> persons, const std::string& path) {
    if (!persons) {
        prompter.Message(persons.error(), Severity::Warning);
        return std::nullopt;
    }
    return Preview(parent, doc, prompter, clock, context, source, std::move(persons.value()), path);
}

} // namespace

std::optional<int> ImportGroupFile(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    if (!CanImport(doc, prompter))
        return std::nullopt;
    const std::string path =
        ChooseImportFile(parent, doc, std::string(Str(StrId::GroupFileOpenTitle)), StrId::GroupFileFilter, ".t19");
    if (path.empty())
        return std::nullopt;
    const std::optional<std::string> bytes = ReadFile(path, prompter);
    if (!bytes)
        return std::nullopt;
    const Result<GroupReportData> data = ReadGroupReportFile(*bytes);
    if (!data) {
        prompter.Message(data.error(), Severity::Error);
        return std::nullopt;
    }
    const ReportingContext context = doc.MakeReportingContext(prompter);
    return PreviewIncoming(parent, doc, prompter, clock, context, ImportSource::GroupFile,
                           IncomingFromGroupFile(data.value(), context), path);
}

std::optional<int> ImportXmlReports(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    if (!CanImport(doc, prompter))
        return std::nullopt;
    const std::string month(MonthName(doc.GetWorkingMonth().monthIndex));
    const std::string path = Chooser()(parent, FormatArgs(Str(StrId::XmlReportsOpenTitle), {month}),
                                       Filter(StrId::XmlFilter, "*.xml"), doc.Folder().Root().string());
    if (path.empty())
        return std::nullopt;
    CXmlDoc xml;
    if (!EndsWithNoCase(path, ".xml") || !xml.LoadFile(path)) {
        prompter.Message(Str(StrId::XmlMissingTags), Severity::Warning);
        return std::nullopt;
    }
    const ReportingContext context = doc.MakeReportingContext(prompter);
    return PreviewIncoming(parent, doc, prompter, clock, context, ImportSource::Xml,
                           IncomingFromXmlReports(xml, context), path);
}

std::optional<int> ImportCsvReports(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    if (!CanImport(doc, prompter))
        return std::nullopt;
    const std::string month(MonthName(doc.GetWorkingMonth().monthIndex));
    const std::string path =
        ChooseImportFile(parent, doc, FormatArgs(Str(StrId::CsvOpenTitle), {month}), StrId::CsvFilter, ".csv");
    if (path.empty())
        return std::nullopt;
    const std::optional<std::string> bytes = ReadFile(path, prompter);
    if (!bytes)
        return std::nullopt;
    Result<CsvTable> table = ParseCsv(*bytes);
    if (!table) {
        prompter.Message(table.error(), Severity::Warning);
        return std::nullopt;
    }
    const ReportingContext context = doc.MakeReportingContext(prompter);
    std::optional<CsvReports> reports = CsvWizardDialog::Run(parent, context, doc.Folder(), std::move(table.value()));
    if (!reports)
        return std::nullopt;
    return Preview(parent, doc, prompter, clock, context, ImportSource::Csv, std::move(reports->persons), path);
}

bool RunXmlExport(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    if (!doc.IsLoaded())
        return false;
    CPersonPickDlg dialog(PersonPick(doc.Database(), PublistKind::Active), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const PersonPick& pick = dialog.Presenter();
    const PublistExportSource source{
        doc.Database(),
        doc.Side().remarks,
        doc.GetWorkingMonth(),
        [&doc](const PublisherRecord& person) {
            return doc.Side().extensions.Read(doc.Folder(), person.ExtensionKey(), person.Id());
        },
        [&doc](const PublisherRecord& person) { return SpecialNeedsTextOf(doc, person); },
        [&doc](const PublisherRecord& person) { return PublistHouseholdOf(doc.Database(), person); }};
    const std::string xml = BuildPublist(source, pick.Kind(), pick.PickedRecords(), clock.Today());
    const Result<std::string> path = WriteExport(doc.Folder(), PublistFileName(pick.Kind()), xml);
    if (!path) {
        prompter.Message(path.error(), Severity::Error);
        return false;
    }
    prompter.Message(std::string(Str(StrId::ExportCreated)) + path.value(), Severity::Information);
    return true;
}

std::optional<int> RunXmlImport(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    if (!CanImport(doc, prompter))
        return std::nullopt;
    OfferBackup(parent, doc, prompter, clock);
    const std::string path = Chooser()(parent, std::string(Str(StrId::XmlImportOpenTitle)),
                                       Filter(StrId::XmlFilter, "*.xml"), doc.Folder().Root().string());
    if (path.empty())
        return std::nullopt;
    CXmlDoc xml;
    if (!EndsWithNoCase(path, ".xml") || !xml.LoadFile(path)) {
        prompter.Message(Str(StrId::XmlMissingTags), Severity::Warning);
        return std::nullopt;
    }
    PersonPick pick([&xml, &doc](PublistKind kind) { return ReadPublistPersons(xml, kind, doc.Database()); },
                    PublistKind::Active);
    if (pick.Empty()) {
        prompter.Message(Str(StrId::XmlMissingTags), Severity::Warning);
        return std::nullopt;
    }
    CPersonPickDlg dialog(std::move(pick), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    RegistryContext context = doc.MakeRegistryContext(prompter);
    const Result<int> imported =
        ImportPublist(xml, dialog.Presenter().Kind(), dialog.Presenter().ImportChoice(), context, doc.Side().remarks);
    if (!imported) {
        prompter.Message(imported.error(), Severity::Error);
        return std::nullopt;
    }
    prompter.Message(FormatArgs(Str(StrId::XmlImported), {std::to_string(imported.value())}), Severity::Information);
    return imported.value();
}

void RunDataExport(QWidget* parent, CVardoDoc& doc, Prompter& prompter) {
    if (!doc.IsLoaded())
        return;
    DataExportDialog dialog(doc.GetWorkingMonth(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Exported(doc, prompter, dialog.Choice().Write(MakeExportSource(doc), doc.Folder()));
}

void RunEmergencyExport(QWidget* parent, CVardoDoc& doc, Prompter& prompter) {
    (void)parent;
    if (!doc.IsLoaded())
        return;
    const ExportSource base = MakeExportSource(doc);
    const EmergencyExportSource source{
        base,
        [&doc](const PublisherRecord& person) -> std::optional<EmergencyContactRecord> {
            if (person.EmergencyKey() == 0)
                return std::nullopt;
            return doc.Side().emergency.Read(doc.Folder(), person.EmergencyKey());
        },
        [&doc](const PublisherRecord& person) { return SpecialNeedsTextOf(doc, person); }};
    Exported(doc, prompter, WriteExport(doc.Folder(), Str(StrId::EmergencyFileName), EmergencyExport(source)));
}

void RunAttendanceExport(QWidget* parent, CVardoDoc& doc, Prompter& prompter) {
    (void)parent;
    if (!doc.IsLoaded())
        return;
    doc.RefreshMonthTotals();
    Exported(doc, prompter,
             ExportAttendanceCsv(doc.Folder(), doc.Side().attendance, doc.Side().cardTotals, doc.GetWorkingMonth()));
}

void OfferExportsFolder(CVardoDoc& doc, Prompter& prompter, const std::string& path) {
    if (prompter.Ask(FormatArgs(Str(StrId::ExportedShowFolder), {path}), Buttons::YesNo, Answer::Yes) == Answer::Yes)
        QDesktopServices::openUrl(QUrl::fromLocalFile(ToQt(doc.Folder().Resolve(kExportsFolder).string())));
}

void CleanUpExportsAtStartup(QWidget* parent, CVardoDoc& doc, Prompter& prompter) {
    if (!doc.IsLoaded() || doc.PastMonthMode())
        return;
    if (std::vector<std::string> files = ExportFilesToOffer(doc.Folder()); !files.empty()) {
        ExportCleanupDialog dialog{ExportCleanup(std::move(files)), parent};
        if (dialog.exec() == QDialog::Accepted)
            if (const Status deleted = dialog.Cleanup().DeleteSelected(doc.Folder()); !deleted)
                prompter.Message(deleted.message(), Severity::Warning);
    }
    if (const std::vector<std::string> left = RemoveTransientExports(doc.Folder()); !left.empty()) {
        std::string names;
        for (const std::string& name : left)
            names += (names.empty() ? "" : ", ") + doc.Folder().Resolve(name).string();
        prompter.Message(FormatArgs(Str(StrId::CleanupFailed), {names}), Severity::Warning);
    }
}

void RegisterExchangeCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    CMainFrame* window = &frame;
    CVardoDoc* document = &doc;
    Prompter* asker = &prompter;
    const Clock* today = &clock;
    frame.RegisterDocumentCommand(cmd::kXmlExport, [=] { (void)RunXmlExport(window, *document, *asker, *today); });
    frame.RegisterDocumentCommand(cmd::kXmlImport, [=] {
        (void)RunXmlImport(window, *document, *asker, *today);
        window->UpdateCommands();
    });
    frame.RegisterDocumentCommand(cmd::kDataExport, [=] { RunDataExport(window, *document, *asker); });
    frame.RegisterDocumentCommand(cmd::kEmergencyExport, [=] { RunEmergencyExport(window, *document, *asker); });
    frame.RegisterDocumentCommand(cmd::kAttendanceExport, [=] { RunAttendanceExport(window, *document, *asker); });
    frame.UpdateCommands();
}

} // namespace vardo
