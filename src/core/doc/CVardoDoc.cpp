#include "core/doc/CVardoDoc.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/exchange/Restore.h"
#include "core/platform/Strings.h"
#include "core/reporting/StatusLine.h"
#include "core/store/ChangeCaptures.h"
#include "core/store/LegacySideFiles.h"

namespace vardo {
namespace {

bool FolderExists(const DataFolder& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder.Root(), ec);
}

} // namespace

CVardoDoc::CVardoDoc() {
    OnNewDocument();
    // The totals follow every change of the data, so that the main panel and the reports read them ready.
    m_totalsSubscription = m_changes.Subscribe([this](const ChangeEvent& event) {
        if (event.kind != ChangeEvent::Kind::Saved)
            RefreshMonthTotals();
    });
}

CVardoDoc::~CVardoDoc() = default;

void CVardoDoc::OnNewDocument() {
    m_folder = DataFolder();
    m_languageTag = std::string(vardo::LanguageTag());
    m_settingsFile = IniFile();
    m_settings = vardo::Settings();
    m_workingMonth = vardo::WorkingMonth();
    m_database.reset();
    m_databaseFile = DatabaseFile();
    m_side = std::make_unique<SideTables>();
    m_documentWord = 0;
    m_converted = false;
    m_loadChanged = false;
    m_pastMonthMode = false;
    m_past = PastMonthState();
    m_monthCycle = MonthCycle();
    m_snapshotMask = 0;
    m_changes.ClearCaptures();
    m_changes.MarkReloaded(false);
}

std::string CVardoDoc::StartupNoteText() {
    return std::string(Str(StrId::StartupNote1)) + "  " + std::string(Str(StrId::StartupNote2)) + "  " +
           std::string(Str(StrId::StartupNote3));
}

std::span<PublisherRecord> CVardoDoc::Persons() {
    if (!m_database || m_database->PersonCount() == 0)
        return {};
    return {&m_database->Record(1), static_cast<std::size_t>(m_database->PersonCount())};
}

std::span<const PublisherRecord> CVardoDoc::Persons() const {
    if (!m_database || m_database->PersonCount() == 0)
        return {};
    return {&m_database->Record(1), static_cast<std::size_t>(m_database->PersonCount())};
}

void CVardoDoc::ApplyNameOrder() {
    NameOrder order;
    order.languageTag = m_languageTag;
    order.allLastNameFirst = m_side->namesOption.LastNameFirst();
    order.firstNameFirstOrder = m_settings.firstNameFirst != 0;
    m_database->SetNameOrder(std::move(order));
}

Status CVardoDoc::Load(const DataFolder& folder, const Clock& clock, Prompter& prompter,
                       const StartupOptions& options) {
    OnNewDocument();
    if (!FolderExists(folder))
        return Status::Fail(Failure::NotFound, FormatArgs(Str(StrId::DataFolderMissing), {folder.Root().string()}));
    // A restore cut short leaves the folder half switched; settle it before anything is read.
    if (RecoverInterruptedRestore(folder, prompter) == RecoveryResult::Failed)
        return Status::Fail(Failure::Io, FormatArgs(Str(StrId::DataFolderNeedsRepair), {folder.Root().string()}));
    // Temporary files of a save that was killed half-way are of no use to anyone.
    (void)folder.RemoveStaleTemporaries();
    const Date today = clock.Today();
    if (today.year < kFirstSupportedYear || today.year > kLastSupportedYear)
        return Status::Fail(Failure::Invalid,
                            FormatArgs(Str(StrId::DateOutOfRange), {today.ToIso(), std::to_string(kFirstSupportedYear),
                                                                    std::to_string(kLastSupportedYear)}));
    return LoadFolder(folder, prompter, options, &clock, nullptr);
}

Status CVardoDoc::LoadFolder(const DataFolder& folder, Prompter& prompter, const StartupOptions& options,
                             const Clock* clock, const vardo::WorkingMonth* forcedMonth) {
    m_folder = folder;

    if (forcedMonth != nullptr) {
        // A reload keeps the working month it is given and never writes the settings file.
        if (auto file = LoadSettingsFile(m_folder))
            m_settingsFile = std::move(file.value());
        m_settings = ReadSettings(m_settingsFile, m_folder.Root().string(), m_languageTag);
        m_workingMonth = *forcedMonth;
        // The records are read afresh into a new database, whatever month the run started in.
        m_workingMonth.startupMonthIndex = m_workingMonth.monthIndex;
        m_workingMonth.startupYearIndex = m_workingMonth.yearIndex;
        m_side->namesOption.Load(m_folder, prompter);
    } else {
        ReadSettingsAndWorkingMonth(*clock, prompter);
    }

    auto database = PublisherDatabase::Create();
    if (!database) {
        prompter.Message(database.error(), Severity::Error);
        const Status failed = database.status();
        OnNewDocument();
        return failed;
    }
    m_database = std::move(database.value());
    ApplyNameOrder();

    LoadRegister(prompter);

    // Password gate: the register opens only for the right password. A past month is reached only from the
    // opened register, so its snapshot asks no password of its own.
    const HeaderRecord& header = m_database->Header();
    if (!m_pastMonthMode && header.HasPassword() &&
        !(options.checkPassword && options.checkPassword(header.Password()))) {
        OnNewDocument();
        return Status::Fail(Failure::Refused, std::string(Str(StrId::PasswordRefused)));
    }

    CompleteStartup(prompter);
    RegisterCaptures();
    m_changes.MarkReloaded(m_loadChanged);

    if (options.showStartupNote && m_settings.noStartupNote != 1)
        prompter.Message(StartupNoteText());
    // Leftover files of the tabular exports are looked for and removed here once the exports exist.
    return Status::Ok();
}

void CVardoDoc::ReadSettingsAndWorkingMonth(const Clock& clock, Prompter& prompter) {
    // A settings file that cannot be read leaves the defaults; it is written again at the next save.
    if (auto file = LoadSettingsFile(m_folder))
        m_settingsFile = std::move(file.value());
    m_settings = ReadSettings(m_settingsFile, m_folder.Root().string(), m_languageTag);

    const std::string before = m_settingsFile.Serialize();
    if (auto month = ComputeWorkingMonth(clock, m_settings, m_settingsFile))
        m_workingMonth = month.value();
    // The reset of an early start is written at once, so that it holds even when nothing is saved. Write
    // failures of the settings file are not reported.
    if (m_settingsFile.Serialize() != before)
        (void)SaveSettingsFile(m_settingsFile, m_folder);

    m_side->namesOption.Load(m_folder, prompter);
}

void CVardoDoc::LoadRegister(Prompter& prompter) {
    SideTables& side = *m_side;
    side.extensions.LoadOwnerList(m_folder, prompter);

    const DatabaseLoadResult loaded = m_databaseFile.LoadDatabase(
        *m_database, m_folder, DatabaseLoadContext::From(m_workingMonth, m_pastMonthMode), prompter);
    m_converted = loaded.converted;
    m_loadChanged = loaded.changed;
    m_documentWord = loaded.documentWord.value_or(0);
    m_monthCycle = MonthCycle();

    if (loaded.converted)
        ConvertOlderSideFiles(prompter);
    m_monthCycle.lateReports.LoadMarkers(*m_database, m_workingMonth);
    // Card totals and groups are read even without a register file: the save rewrites (or, without groups,
    // deletes) their files, so skipping them would lose groups set up before the first person.
    side.cardTotals.Load(m_folder, prompter);
    if (side.groups.Load(m_folder, prompter))
        m_loadChanged = true;
    side.participation.Apply(m_folder, Persons(), prompter);

    LoadSideTables(prompter);
}

void CVardoDoc::ConvertOlderSideFiles(Prompter& prompter) {
    legacy::ConversionMonth when;
    when.yearIndex = m_workingMonth.yearIndex;
    when.calendarYear = m_workingMonth.todayYear;
    when.todayMonthNumber = m_workingMonth.todayMonth;
    when.workingMonthIndex = m_workingMonth.monthIndex;
    when.workingMonthCarried =
        legacy::WorkingMonthCarried(m_database->Header(), m_workingMonth.yearIndex, m_workingMonth.monthIndex);
    // Each converter reports a file it cannot write; the conversion goes on with the others.
    (void)legacy::ConvertRemarks(m_folder, when);
    (void)legacy::ConvertCardTotals(m_folder, when, prompter);
    // The late markers of oddmo7.dat were taken into the register's records when it was converted.
}

void CVardoDoc::LoadSideTables(Prompter& prompter) {
    SideTables& side = *m_side;
    side.appointments.Load(m_folder, prompter);
    if (!m_pastMonthMode && m_database->PersonCount() > 0)
        side.emergency.CompactAtStartup(m_folder, EmergencyKeysOf(Persons()), prompter);
    else
        side.emergency.LoadKeyTable(m_folder, prompter);
    side.specialNeeds.LoadKeyTable(m_folder, SpecialNeedsKeysOf(Persons()), prompter);
}

void CVardoDoc::CompleteStartup(Prompter& prompter) {
    SideTables& side = *m_side;
    if (m_converted) {
        legacy::ConversionMonth when;
        when.yearIndex = m_workingMonth.yearIndex;
        when.calendarYear = m_workingMonth.todayYear;
        when.todayMonthNumber = m_workingMonth.todayMonth;
        when.workingMonthIndex = m_workingMonth.monthIndex;
        (void)legacy::ConvertMeetings(m_folder, when, prompter);
        HeaderRecord& header = m_database->Header();
        const bool initialisedThisYear =
            header.InitialisedYear(m_workingMonth.monthIndex, ParitySlot(m_workingMonth.yearIndex)) ==
            static_cast<std::uint16_t>(m_workingMonth.yearIndex);
        header.SetMonthState(m_workingMonth.monthIndex, initialisedThisYear ? MonthState::Open : MonthState::Closed);
    }
    side.attendance.Load(m_folder, prompter);
    // A snapshot is never written: its remarks are read as they are, without compaction or undo copy.
    if (m_pastMonthMode)
        side.remarks.Load(m_folder, Persons(), prompter);
    else
        side.remarks.LoadAtStartup(m_folder, Persons(), prompter);
    m_snapshotMask = m_pastMonthMode ? 0 : ComputeSnapshotMask(m_folder, m_workingMonth.monthIndex);
    RefreshMonthTotals();
}

void CVardoDoc::RefreshMonthTotals() {
    if (!IsLoaded() || !m_side) {
        m_monthCycle.totals.Clear();
        return;
    }
    m_monthCycle.totals = vardo::ComputeMonthTotals(*m_database, m_monthCycle.lateReports, m_workingMonth);
    // The history copy is kept while the month is open, as the month's figures may still change.
    if (!m_pastMonthMode && GetMonthState(m_workingMonth.monthIndex) == MonthState::Open)
        StoreMonthHistory(m_side->cardTotals, m_monthCycle.totals, m_workingMonth.monthIndex,
                          m_workingMonth.SlotOf(m_workingMonth.monthIndex));
}

Status CVardoDoc::Save(Prompter& prompter, bool always) {
    if (!IsLoaded())
        return Status::Fail(Failure::Refused, std::string(Str(StrId::NothingLoaded)));
    if (m_pastMonthMode)
        return Status::Fail(Failure::Refused, std::string(Str(StrId::NoSaveInPastMonth)));
    if (!always && !IsModified())
        return Status::Ok();

    SideTables& side = *m_side;
    const int yearIndex = m_workingMonth.yearIndex;
    const MonthIndex monthIndex = m_workingMonth.monthIndex;
    std::vector<std::string> notWritten;
    auto note = [&](const Status& status, std::string_view name) {
        if (!status)
            notWritten.emplace_back(name);
    };

    RefreshMonthTotals();
    m_monthCycle.lateReports.StoreMarkers(*m_database, m_workingMonth);

    // The participation flags of the older report format leave the records for tlt15.dat; when that file
    // cannot be written the records keep them, so nothing is lost and the failure stays silent.
    (void)side.participation.Write(m_folder, Persons(), yearIndex, monthIndex);
    note(m_databaseFile.SaveDatabase(*m_database, m_folder, monthIndex, m_documentWord, m_pastMonthMode, prompter),
         Str(StrId::DatabaseFileName));
    note(side.cardTotals.Save(m_folder, prompter), CardTotals::kFileName);
    note(side.groups.Save(m_folder, prompter), GroupTable::kFileName);

    note(side.attendance.Save(m_folder, prompter), MeetingAttendance::kFileName);
    note(side.appointments.Save(m_folder, prompter), AppointmentTable::kFileName);
    note(side.remarks.WriteAll(m_folder), RemarkTable::kFileName);
    note(side.namesOption.Save(m_folder, prompter), NamesOption::kFileName);
    WriteSettings(m_settings, m_settingsFile, m_languageTag);
    note(SaveSettingsFile(m_settingsFile, m_folder), SettingsFileName());

    side.participation.Apply(m_folder, Persons(), prompter);

    if (!notWritten.empty()) {
        // The data stays marked as modified, so that the exit question still offers to save it.
        std::string names;
        for (const std::string& name : notWritten)
            names += (names.empty() ? "" : ", ") + name;
        return Status::Fail(Failure::Io, FormatArgs(Str(StrId::FilesNotSaved), {names}));
    }
    m_changes.MarkSaved();
    return Status::Ok();
}

void CVardoDoc::RegisterCaptures() {
    SideTables& side = *m_side;
    m_changes.SetCapture(DataArea::Register, CaptureOf(*m_database));
    m_changes.SetCapture(DataArea::Extensions, CaptureWithFile(m_folder, std::string(ExtensionFile::kFileName),
                                                               CaptureByCopy(side.extensions)));
    m_changes.SetCapture(DataArea::Emergency, CaptureWithFile(m_folder, std::string(EmergencyFile::kFileName),
                                                              CaptureByCopy(side.emergency)));
    m_changes.SetCapture(DataArea::SpecialNeeds, CaptureWithFile(m_folder, std::string(SpecialNeedsFile::kFileName),
                                                                 CaptureByCopy(side.specialNeeds)));
    m_changes.SetCapture(DataArea::Appointments, CaptureByCopy(side.appointments));
    // Permanent deletion rewrites the remark file at once.
    m_changes.SetCapture(DataArea::Remarks,
                         CaptureWithFile(m_folder, std::string(RemarkTable::kFileName), CaptureByCopy(side.remarks)));
    m_changes.SetCapture(DataArea::Participation, CaptureByCopy(side.participation));
    m_changes.SetCapture(DataArea::CardTotals, CaptureByCopy(side.cardTotals));
    m_changes.SetCapture(DataArea::Groups, CaptureByCopy(side.groups));
    m_changes.SetCapture(DataArea::Attendance, CaptureByCopy(side.attendance));
    m_changes.SetCapture(DataArea::NamesOption, CaptureByCopy(side.namesOption));
    m_changes.SetCapture(DataArea::Settings, [this]() -> ChangeHub::Restore {
        auto settings = std::make_shared<vardo::Settings>(m_settings);
        auto file = std::make_shared<IniFile>(m_settingsFile);
        auto month = std::make_shared<vardo::WorkingMonth>(m_workingMonth);
        return [this, settings, file, month] {
            m_settings = *settings;
            m_settingsFile = *file;
            m_workingMonth = *month;
        };
    });
    m_changes.SetCapture(DataArea::MonthCycle, CaptureByCopy(m_monthCycle));
}

RegistryContext CVardoDoc::MakeRegistryContext(Prompter& prompter) {
    SideTables& side = *m_side;
    return RegistryContext{*m_database,
                           side.appointments,
                           side.extensions,
                           side.groups,
                           m_settings,
                           m_workingMonth,
                           m_folder,
                           prompter,
                           m_changes,
                           m_languageTag,
                           [this](PublisherId id) { return m_side->remarks.ClearPersonRemarks(m_folder, id); },
                           &side.emergency,
                           &side.specialNeeds,
                           [this](const PublisherRecord& person) {
                               return PersonStatusLine(
                                   person, StatusBasis::Of(m_workingMonth, m_database->Header(), &m_side->remarks));
                           }};
}

ReportingContext CVardoDoc::MakeReportingContext(Prompter& prompter) {
    return ReportingContext{*m_database,
                            m_side->remarks,
                            m_side->cardTotals,
                            m_workingMonth,
                            prompter,
                            m_changes,
                            [this](const PublisherRecord& person, MonthIndex month) {
                                return m_monthCycle.lateReports.IsLate(person.Id(), month);
                            },
                            [this](PublisherRecord& person, MonthIndex month) {
                                m_monthCycle.lateReports.Add(person.Id(), month, m_workingMonth.monthIndex);
                            },
                            [this](PublisherId id) { m_monthCycle.lastEnteredId = id; }};
}

void CVardoDoc::ToggleStartupNote() {
    DocumentChange change(m_changes, "Notka startowa");
    change.Touch(DataArea::Settings);
    m_settings.noStartupNote = m_settings.noStartupNote != 0 ? 0 : 1;
    change.Commit();
}

void CVardoDoc::ToggleAutoCapitalize() {
    DocumentChange change(m_changes, "Automatyczne wielkie litery");
    change.Touch(DataArea::Settings);
    m_settings.autoCapitalize = m_settings.autoCapitalize != 0 ? 0 : 1;
    change.Commit();
}

void CVardoDoc::ToggleFirstNameFirst(Prompter& prompter) {
    DocumentChange change(m_changes, "Kolejność imion");
    change.Touch(DataArea::Settings | DataArea::NamesOption | DataArea::Register);
    m_settings.firstNameFirst = m_settings.firstNameFirst != 0 ? 0 : 1;
    if (m_settings.firstNameFirst != 0)
        m_side->namesOption.SetLastNameFirst(false);
    ApplyNameOrder();
    m_database->SortRecords();
    m_database->RebuildIndex(&prompter);
    change.Commit();
}

Status CVardoDoc::SetPassword(std::string_view password) {
    DocumentChange change(m_changes, "Hasło");
    change.Touch(DataArea::Register);
    if (!m_database->Header().SetPassword(password))
        return Status::Fail(Failure::Invalid, std::string(Str(StrId::PasswordNotStorable)));
    change.Commit();
    return Status::Ok();
}

bool CVardoDoc::ConfirmExit(Prompter& prompter) {
    if (!IsLoaded() || !IsModified() || m_pastMonthMode)
        return true;
    switch (prompter.Ask(Str(StrId::SaveChanges), Buttons::YesNoCancel, Answer::Yes)) {
    case Answer::Yes: {
        const Status saved = Save(prompter);
        if (!saved)
            prompter.Message(saved.message(), Severity::Error);
        return saved.ok();
    }
    case Answer::No:
        (void)RemarkTable::RestoreFromUndo(m_folder);
        return true;
    default:
        return false;
    }
}

void CVardoDoc::Close() {
    if (IsLoaded())
        (void)RemarkTable::RemoveUndo(DataFolderRoot());
    OnNewDocument();
}

} // namespace vardo
