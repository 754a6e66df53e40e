#pragma once

// The document: every piece of data of one run on one data folder, with the start-up (load) and save
// sequences. The data lives in one object per module; commands of other modules work on those objects.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/doc/SideTables.h"
#include "core/exchange/MonthlySnapshot.h"
#include "core/platform/Clock.h"
#include "core/platform/DataFolder.h"
#include "core/platform/IniFile.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/registry/RegistryContext.h"
#include "core/reporting/ReportingContext.h"
#include "core/reporting/MonthCycle.h"
#include "core/reporting/MonthDialogPresenter.h"
#include "core/store/DatabaseFile.h"
#include "core/store/DocumentChange.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/Settings.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// Choices of the caller for the start-up.
struct StartupOptions {
    /// Asks the user for the password of a protected register (the stored password is given, UTF-8); true
    /// when the right one was entered. Without it a protected register does not open.
    std::function<bool(std::string_view storedPassword)> checkPassword;
    /// Show the start-up note (unless the setting "Nag" switches it off).
    bool showStartupNote = true;
};

class CVardoDoc {
public:
    CVardoDoc();
    ~CVardoDoc();
    CVardoDoc(const CVardoDoc&) = delete;
    CVardoDoc& operator=(const CVardoDoc&) = delete;

    /// Back to a new document: no data folder, no register, default settings, nothing modified.
    void OnNewDocument();

    /// Start-up on a data folder, in this order: settings and working month from `clock` (an early start
    /// reset before the 25th is written to the settings file at once), names option, register (converting
    /// the older format when needed) with its side tables, the password, attendance and remarks. Messages
    /// and questions go through `prompter`. Fails, leaving a new document, when the folder does not exist,
    /// today lies outside the covered years, the memory cannot be had or the password is refused. Damaged
    /// files are copied aside and reported, never a reason to fail.
    Status Load(const DataFolder& folder, const Clock& clock, Prompter& prompter, const StartupOptions& options = {});

    /// File > Save: writes every file of the register in the fixed order (participation flags, tdat9.bin,
    /// card totals, groups, attendance, appointments, remarks, names option, settings). A file that cannot
    /// be written is reported by the table that writes it and the remaining files are still written. The
    /// modified flag is cleared only when every file was written; the result names the files that were not.
    /// Refused while a past month is viewed. `always` writes even when nothing is modified (vardo-cli resave).
    Status Save(Prompter& prompter, bool always = false);

    /// The exit question "Zapisać zmiany?" when the data is modified (Yes / No / Cancel, Yes the default):
    /// Yes saves, No restores the remark file of the start, Cancel keeps the program open. True when the
    /// program may close; a save that fails keeps it open. The caller then calls Close().
    bool ConfirmExit(Prompter& prompter);
    /// Every exit: removes the remark undo copy and releases the data (a new document remains).
    void Close();

    /// True after a successful Load.
    bool IsLoaded() const { return m_database != nullptr; }
    /// Some data differs from what the files hold.
    bool IsModified() const { return m_changes.IsModified(); }
    /// The one path of changes to the data: commands open a DocumentChange on it; observers subscribe to it.
    ChangeHub& Changes() { return m_changes; }
    /// The Save command is enabled: modified and no past month viewed.
    bool CanSave() const { return IsLoaded() && IsModified() && !m_pastMonthMode; }
    /// The register was converted from the older format during Load.
    bool WasConverted() const { return m_converted; }
    /// A past month is viewed read-only.
    bool PastMonthMode() const { return m_pastMonthMode; }

    const DataFolder& Folder() const { return m_folder; }
    /// Language tag of this build ("polish").
    const std::string& LanguageTag() const { return m_languageTag; }

    /// The register. Only after Load (a programming error otherwise).
    PublisherDatabase& Database() { return *m_database; }
    const PublisherDatabase& Database() const { return *m_database; }
    /// The persons, records 1..Count()−1, as one span (empty before Load).
    std::span<PublisherRecord> Persons();
    std::span<const PublisherRecord> Persons() const;

    SideTables& Side() { return *m_side; }
    const SideTables& Side() const { return *m_side; }

    vardo::Settings& GetSettings() { return m_settings; }
    const vardo::Settings& GetSettings() const { return m_settings; }
    /// The settings file as read, for the sections other modules keep there (report fonts and options).
    IniFile& SettingsFile() { return m_settingsFile; }
    const IniFile& SettingsFile() const { return m_settingsFile; }

    vardo::WorkingMonth& GetWorkingMonth() { return m_workingMonth; }
    const vardo::WorkingMonth& GetWorkingMonth() const { return m_workingMonth; }

    /// The document word kept in the header at offset 192 (owned by the month cycle).
    std::uint16_t DocumentWord() const { return m_documentWord; }
    void SetDocumentWord(std::uint16_t word) { m_documentWord = word; }

    /// Text of the start-up note (strings 1235, 1236 and 1237 joined by two spaces).
    static std::string StartupNoteText();

    // --- Commands ----------------------------------------------------------------------------------------

    /// What the people-editing rules work on, over this document's data and change path. Only after Load.
    RegistryContext MakeRegistryContext(Prompter& prompter);
    /// What the report-entry rules work on: the register, remarks and card totals, the change path, and the
    /// month cycle's late-report list and last entered publisher. Only after Load.
    ReportingContext MakeReportingContext(Prompter& prompter);
    /// Options > start-up note off / automatic capitals: flips the setting (one change).
    void ToggleStartupNote();
    void ToggleAutoCapitalize();
    /// Options > first name first: flips the setting and re-sorts the register in the new order.
    void ToggleFirstNameFirst(Prompter& prompter);
    /// Sets the register's password (empty switches it off); one change. Invalid when the text cannot be
    /// stored (nothing changes then).
    Status SetPassword(std::string_view password);
    // --- Month cycle ---------------------------------------------------------------------------------------

    /// Late reports, the working month's totals and the last entered publisher.
    MonthCycle& GetMonthCycle() { return m_monthCycle; }
    const MonthCycle& GetMonthCycle() const { return m_monthCycle; }
    /// State of a calendar month in the header. Only after Load.
    MonthState GetMonthState(MonthIndex month) const { return m_database->Header().GetMonthState(month); }
    /// The time-accounting command goes straight to the entry list (no month dialog): the working month is
    /// Open.
    bool WorkingMonthOpen() const;
    /// What the month dialog opens with: the working month, the month states, today's day, the early start.
    MonthDialogInput MonthDialogState() const;
    /// The month dialog closed with OK: for an initialisation the snapshot of the month before is written
    /// first (a snapshot that cannot be written asks whether to go on; No stops with nothing changed and
    /// fails). Then the month states, the working month and an early start are taken over; a changed month
    /// re-reads today from `clock`, rebuilds the lists and reloads the remarks; an initialisation empties
    /// the month (InitialiseMonth). Marks the document modified. Refused while a past month is viewed.
    Status ApplyMonthChoice(const MonthChoice& choice, const Clock& clock, Prompter& prompter);
    /// CloseMonth (close button of the entry list): fails, changing nothing, when the working month is not
    /// Open or a past month is viewed.
    Status CloseWorkingMonth();
    /// ComputeMonthTotals for the working month into the month cycle; while the working month is Open the
    /// totals are also copied into the card totals' history of that month. Runs at load, after every
    /// committed change and before a save.
    void RefreshMonthTotals();
    /// The working month's totals as last computed.
    const MonthTotals& Totals() const { return m_monthCycle.totals; }
    /// "Wymaż Stare Sprawozdania": the question, then the late-report list is emptied. True when emptied.
    bool EraseLateReports(Prompter& prompter);
    /// Receives the history entry of every snapshot written (the backup history keeps it).
    void SetSnapshotHistoryHook(std::function<void(const SnapshotHistoryEntry&)> hook) {
        m_snapshotHook = std::move(hook);
    }

    // --- Past months ----------------------------------------------------------------------------------------

    /// SnapshotMask found at Load: bit k (1..6) = the month k back has a snapshot. 0 while a past month is
    /// viewed.
    std::uint16_t SnapshotMask() const { return m_snapshotMask; }
    /// The real working month (while a past month is viewed, the one the data folder works on).
    const vardo::WorkingMonth& RealWorkingMonth() const { return m_pastMonthMode ? m_past.realMonth : m_workingMonth; }
    /// Month index and year of the month k (1..6) before the real working month.
    MonthIndex PastMonthIndex(int k) const;
    int PastMonthYear(int k) const;
    /// The data folder (the snapshot's data folder while a past month is viewed).
    const DataFolder& DataFolderRoot() const { return m_pastMonthMode ? m_past.dataFolder : m_folder; }
    /// Views the month k (1..6) months before the real working month from its snapshot, read-only: unsaved
    /// changes are first offered for saving ("Zapisać zmiany?", Yes / No / Cancel; No restores the remark
    /// file of the start), then the document is reloaded from Roll/Vd9_<n> with that month as the working
    /// month. Fails, leaving the document as it was, on Cancel, a failed save, or a missing snapshot.
    Status LoadPastMonth(int k, Prompter& prompter);
    /// Back from a past month: reloads the data folder with the real working month.
    Status ReturnToWorkingMonth(Prompter& prompter);

private:
    void ReadSettingsAndWorkingMonth(const Clock& clock, Prompter& prompter);
    void LoadRegister(Prompter& prompter);
    void ConvertOlderSideFiles(Prompter& prompter);
    void LoadSideTables(Prompter& prompter);
    void CompleteStartup(Prompter& prompter);
    void ApplyNameOrder();
    void RegisterCaptures();
    Status LoadFolder(const DataFolder& folder, Prompter& prompter, const StartupOptions& options, const Clock* clock,
                      const vardo::WorkingMonth* forcedMonth);

    struct PastMonthState {
        vardo::WorkingMonth realMonth;
        DataFolder dataFolder;
        int earlyYear = 0;
        int earlyMonth = 0;
    };

    DataFolder m_folder;
    std::string m_languageTag;
    IniFile m_settingsFile;
    vardo::Settings m_settings;
    vardo::WorkingMonth m_workingMonth;
    std::unique_ptr<PublisherDatabase> m_database;
    DatabaseFile m_databaseFile;
    std::unique_ptr<SideTables> m_side;
    std::uint16_t m_documentWord = 0;
    ChangeHub m_changes;
    ChangeHub::Subscription m_totalsSubscription;
    bool m_converted = false;
    bool m_loadChanged = false;
    bool m_pastMonthMode = false;
    PastMonthState m_past;
    MonthCycle m_monthCycle;
    std::uint16_t m_snapshotMask = 0;
    std::function<void(const SnapshotHistoryEntry&)> m_snapshotHook;
};

} // namespace vardo
