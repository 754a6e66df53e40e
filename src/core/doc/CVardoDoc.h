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
#include "core/platform/Clock.h"
#include "core/platform/DataFolder.h"
#include "core/platform/IniFile.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/registry/RegistryContext.h"
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
    /// Options > start-up note off / automatic capitals: flips the setting (one change).
    void ToggleStartupNote();
    void ToggleAutoCapitalize();
    /// Options > first name first: flips the setting and re-sorts the register in the new order.
    void ToggleFirstNameFirst(Prompter& prompter);
    /// Sets the register's password (empty switches it off); one change. Invalid when the text cannot be
    /// stored (nothing changes then).
    Status SetPassword(std::string_view password);

private:
    void ReadSettingsAndWorkingMonth(const Clock& clock, Prompter& prompter);
    void LoadRegister(Prompter& prompter);
    void ConvertOlderSideFiles(Prompter& prompter);
    void LoadSideTables(Prompter& prompter);
    void CompleteStartup(Prompter& prompter);
    void ApplyNameOrder();
    void RegisterCaptures();

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
    bool m_converted = false;
    bool m_loadChanged = false;
    bool m_pastMonthMode = false;
};

} // namespace vardo
