// The document's commands of the month cycle and of the past-month view.

#include "core/doc/CVardoDoc.h"

#include "core/exchange/BackupHistory.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {} // namespace

bool CVardoDoc::WorkingMonthOpen() const {
    return IsLoaded() && GetMonthState(m_workingMonth.monthIndex) == MonthState::Open;
}

MonthDialogInput CVardoDoc::MonthDialogState() const {
    MonthDialogInput input;
    input.monthCount = m_workingMonth.monthCount;
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
        input.states[m] = GetMonthState(m);
    input.day = m_workingMonth.todayDay;
    input.earlyStartInForce = m_settings.earlyYear != 0;
    input.languageTag = m_languageTag;
    return input;
}

Status CVardoDoc::ApplyMonthChoice(const MonthChoice& choice, const Clock& clock, Prompter& prompter) {
    if (!IsLoaded())
        return Status::Fail(Failure::Refused, std::string(Str(StrId::NothingLoaded)));
    if (m_pastMonthMode)
        return Status::Fail(Failure::Refused, std::string(Str(StrId::PastMonthReadOnly)));

    // The snapshot keeps the month before as last saved, before anything of it is cleared. Losing it
    // silently would lose the only copy of that month's figures, so a failure asks first.
    if (choice.initialise) {
        const SnapshotOutcome snapshot =
            WriteMonthlySnapshot(m_folder, choice.month, 2000 + choice.yearIndex, clock.Today());
        if (!snapshot.status) {
            const std::string question =
                FormatArgs(Str(StrId::SnapshotFailed),
                           {m_folder.Resolve(SnapshotFolderName(snapshot.number)).string(), snapshot.status.message()});
            if (prompter.Ask(question, Buttons::YesNo, Answer::No) != Answer::Yes)
                return Status::Fail(Failure::Cancelled, std::string(Str(StrId::InitialiseStopped)));
        }
        if (snapshot.written) {
            // The history lets a restore offer the snapshot; a history that cannot be written loses only that.
            (void)BackupHistory::Push(m_folder, {snapshot.entry.text, snapshot.entry.path.string()});
            if (m_snapshotHook)
                m_snapshotHook(snapshot.entry);
        }
    }

    DocumentChange change(m_changes, choice.initialise ? "Rozpoczęcie miesiąca" : "Zmiana miesiąca roboczego");
    change.Touch(DataArea::Register | DataArea::Settings | DataArea::MonthCycle | DataArea::Remarks);
    if (choice.initialise)
        change.Touch(DataArea::Attendance | DataArea::CardTotals);
    HeaderRecord& header = m_database->Header();
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
        header.SetMonthState(m, choice.states[m]);
    if (choice.earlyStart) {
        m_settings.earlyYear = choice.earlyStart->first;
        m_settings.earlyMonth = choice.earlyStart->second;
    }
    const MonthIndex previousIndex = m_workingMonth.monthIndex;
    m_workingMonth.monthIndex = choice.month;
    m_workingMonth.yearIndex = static_cast<std::int8_t>(choice.yearIndex);
    m_workingMonth.monthCount = choice.monthCount;
    if (choice.month != previousIndex) {
        const Date today = clock.Today();
        const WorkingMonth fresh =
            WorkingMonthFor(today.year, today.month, today.day, m_settings.earlyYear, m_settings.earlyMonth);
        m_workingMonth.todayYear = fresh.todayYear;
        m_workingMonth.todayMonth = fresh.todayMonth;
        m_workingMonth.todayDay = fresh.todayDay;
        m_workingMonth.currentYearByte = fresh.currentYearByte;
        m_database->RebuildIndex(&prompter);
        m_side->remarks.Load(m_folder, Persons(), prompter);
    }
    if (choice.initialise) {
        MonthData data{*m_database,        m_side->remarks, m_side->attendance,
                       m_side->cardTotals, m_monthCycle,    m_workingMonth};
        const InitialiseOutcome outcome = InitialiseMonth(data, m_folder, choice.month, ParitySlot(choice.yearIndex));
        if (!outcome.remarksWritten)
            prompter.Message(outcome.remarksWritten.message(), Severity::Warning);
    }
    change.Commit();
    return Status::Ok();
}

Status CVardoDoc::CloseWorkingMonth() {
    if (!IsLoaded())
        return Status::Fail(Failure::Refused, std::string(Str(StrId::NothingLoaded)));
    if (m_pastMonthMode)
        return Status::Fail(Failure::Refused, std::string(Str(StrId::PastMonthReadOnly)));
    DocumentChange change(m_changes, "Zamknięcie miesiąca");
    change.Touch(DataArea::Register);
    if (!CloseMonth(m_database->Header(), m_workingMonth))
        return Status::Fail(Failure::Refused,
                            FormatArgs(Str(StrId::MonthNotOpen), {MonthName(m_workingMonth.monthIndex)}));
    change.Commit();
    return Status::Ok();
}

bool CVardoDoc::EraseLateReports(Prompter& prompter) {
    if (!IsLoaded() || m_pastMonthMode)
        return false;
    DocumentChange change(m_changes, "Wymazanie starych sprawozdań");
    change.Touch(DataArea::MonthCycle);
    if (!vardo::EraseLateReports(m_monthCycle, prompter))
        return false;
    change.Commit();
    return true;
}

MonthIndex CVardoDoc::PastMonthIndex(int k) const {
    return (RealWorkingMonth().monthIndex - k % kMonthsPerYear + kMonthsPerYear) % kMonthsPerYear;
}

int CVardoDoc::PastMonthYear(int k) const {
    const vardo::WorkingMonth& real = RealWorkingMonth();
    return real.Year() - (PastMonthIndex(k) >= real.monthIndex ? 1 : 0);
}

Status CVardoDoc::LoadPastMonth(int k, Prompter& prompter) {
    if (!IsLoaded())
        return Status::Fail(Failure::Refused, std::string(Str(StrId::NothingLoaded)));
    if (k < 1 || k > kViewableSnapshots)
        return Status::Fail(FormatArgs(Str(StrId::PastMonthRange), {std::to_string(kViewableSnapshots)}));
    const DataFolder dataFolder = DataFolderRoot();
    const int number = PastMonthIndex(k) + 1;
    if (!IsSnapshotPresent(dataFolder, number))
        return Status::Fail(
            FormatArgs(Str(StrId::SnapshotMissing),
                       {MonthName(PastMonthIndex(k)), dataFolder.Resolve(SnapshotFolderName(number)).string()}));

    if (!m_pastMonthMode && IsModified()) {
        switch (prompter.Ask(Str(StrId::SaveChanges), Buttons::YesNoCancel, Answer::Yes)) {
        case Answer::Yes:
            if (Status saved = Save(prompter); !saved)
                return saved;
            break;
        case Answer::No:
            (void)RemarkTable::RestoreFromUndo(dataFolder);
            break;
        default:
            return Status::Cancelled();
        }
    }
    (void)RemarkTable::RemoveUndo(dataFolder);

    PastMonthState past;
    past.realMonth = RealWorkingMonth();
    past.dataFolder = dataFolder;
    past.earlyYear = m_pastMonthMode ? m_past.earlyYear : m_settings.earlyYear;
    past.earlyMonth = m_pastMonthMode ? m_past.earlyMonth : m_settings.earlyMonth;
    vardo::WorkingMonth viewed = past.realMonth;
    viewed.monthIndex = PastMonthIndex(k);
    viewed.yearIndex = static_cast<std::int8_t>(PastMonthYear(k) - 2000);
    viewed.monthCount = ToMonthCount(PastMonthYear(k), viewed.monthIndex);

    auto hook = std::move(m_snapshotHook);
    OnNewDocument();
    m_snapshotHook = std::move(hook);
    m_pastMonthMode = true;
    m_past = past;
    StartupOptions options;
    options.showStartupNote = false;
    return LoadFolder(dataFolder.Sub(SnapshotFolderName(number)), prompter, options, nullptr, &viewed);
}

Status CVardoDoc::ReturnToWorkingMonth(Prompter& prompter) {
    if (!m_pastMonthMode)
        return Status::Ok();
    const PastMonthState past = m_past;
    auto hook = std::move(m_snapshotHook);
    OnNewDocument();
    m_snapshotHook = std::move(hook);
    StartupOptions options;
    options.showStartupNote = false;
    options.checkPassword = [](std::string_view) { return true; };
    Status loaded = LoadFolder(past.dataFolder, prompter, options, nullptr, &past.realMonth);
    if (loaded) {
        m_settings.earlyYear = past.earlyYear;
        m_settings.earlyMonth = past.earlyMonth;
    }
    return loaded;
}

} // namespace vardo
