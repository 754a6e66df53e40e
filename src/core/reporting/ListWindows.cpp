#include "core/reporting/ListWindows.h"

#include <algorithm>

#include "core/platform/Strings.h"
#include "core/reporting/ListMoves.h"
#include "core/reporting/ReportRules.h"
#include "core/reporting/StatusViews.h"

namespace vardo {
namespace {

std::string Boxed(std::string_view title) {
    return " " + std::string(title) + " ";
}

// "Lis 2024"; the year alone without a month, nothing without either.
std::string MonthAndYear(int month, int year) {
    std::string text = month >= 1 && month <= kMonthsPerYear ? std::string(MonthAbbreviation(month - 1)) : "";
    if (year != 0)
        text += (text.empty() ? "" : " ") + std::to_string(year);
    return text;
}

} // namespace

// --- MoveMonthChoice -----------------------------------------------------------------------------------------

MoveMonthChoice::MoveMonthChoice(const WorkingMonth& working, std::string caption, bool withYear, bool withRegular)
    : m_caption(std::move(caption)), m_withYear(withYear), m_withRegular(withRegular), m_month(working.monthIndex + 1),
      m_year(working.Year()), m_lastYear(working.Year()) {}

std::vector<std::string> MoveMonthChoice::MonthTexts() const {
    std::vector<std::string> texts;
    for (int m = 0; m < kMonthsPerYear; ++m)
        texts.emplace_back(MonthName(m));
    return texts;
}

void MoveMonthChoice::SetMonthEntry(int entry) {
    m_month = std::clamp(entry, 0, kMonthsPerYear - 1) + 1;
}

std::vector<std::string> MoveMonthChoice::YearTexts() const {
    std::vector<std::string> texts;
    for (int year = kFirstRemovalYear; year <= m_lastYear; ++year)
        texts.push_back(std::to_string(year));
    return texts;
}

void MoveMonthChoice::SetYearEntry(int entry) {
    m_year = std::clamp(kFirstRemovalYear + entry, kFirstRemovalYear, m_lastYear);
}

// --- TwoListWindow -------------------------------------------------------------------------------------------

TwoListWindow::TwoListWindow(ReportingContext& reporting, RegistryContext& registry, std::vector<StatusPeriod> periods,
                             StatusPeriod period)
    : m_reporting(reporting), m_registry(registry), m_periods(std::move(periods)), m_period(period) {}

const std::vector<ListWindowLine>& TwoListWindow::Lines(ListSide side) const {
    return side == ListSide::Left ? m_left : m_right;
}

int TwoListWindow::Selected(ListSide side) const {
    return side == ListSide::Left ? m_leftRow : m_rightRow;
}

void TwoListWindow::Select(ListSide side, int row) {
    const int count = static_cast<int>(Lines(side).size());
    const int clamped = count == 0 ? -1 : std::clamp(row, 0, count - 1);
    (side == ListSide::Left ? m_leftRow : m_rightRow) = clamped;
}

RecordNumber TwoListWindow::SelectedRecord() const {
    const int row = Selected(m_active);
    if (row < 0)
        return 0;
    return Lines(m_active)[static_cast<std::size_t>(row)].record;
}

std::string TwoListWindow::SelectedName() const {
    const RecordNumber record = SelectedRecord();
    return record == 0 ? std::string() : NameOf(record);
}

std::string TwoListWindow::PeriodText() const {
    return std::string(vardo::PeriodText(m_period));
}

void TwoListWindow::NextPeriod() {
    const auto at = std::find(m_periods.begin(), m_periods.end(), m_period);
    m_period = at == m_periods.end() || at + 1 == m_periods.end() ? m_periods.front() : *(at + 1);
    Refill();
}

void TwoListWindow::Refill() {
    m_left = BuildLeft();
    m_right = BuildRight();
    Select(ListSide::Left, m_leftRow < 0 ? 0 : m_leftRow);
    Select(ListSide::Right, m_rightRow < 0 ? 0 : m_rightRow);
}

void TwoListWindow::ActivateInitialSide() {
    m_active = m_right.empty() ? ListSide::Left : ListSide::Right;
    Select(ListSide::Left, 0);
    Select(ListSide::Right, 0);
}

StatusBasis TwoListWindow::Basis() const {
    return StatusBasis::Of(m_reporting.month, m_reporting.database.Header(), &m_reporting.remarks);
}

std::string TwoListWindow::NameOf(RecordNumber record) const {
    return m_reporting.database.DisplayNameOfRecord(record, false);
}

Status TwoListWindow::DeleteSelectedPermanently() {
    const RecordNumber record = SelectedRecord();
    if (record == 0)
        return Status::Fail(Failure::NotFound, std::string(Str(StrId::NoPersonSelected)));
    if (m_registry.prompter.Ask(FormatArgs(Str(StrId::ConfirmDelete), {NameOf(record)}), Buttons::OkCancel,
                                Answer::Cancel) != Answer::Ok)
        return Status::Cancelled();
    Status removed = vardo::RemovePermanently(m_registry, record);
    Refill();
    return removed;
}

// --- InactiveListWindow --------------------------------------------------------------------------------------

InactiveListWindow::InactiveListWindow(ReportingContext& reporting, RegistryContext& registry, Mode mode)
    : TwoListWindow(reporting, registry,
                    {StatusPeriod::SixMonths, StatusPeriod::ServiceYear, StatusPeriod::TwelveMonths,
                     StatusPeriod::OverTwelveMonths, StatusPeriod::All},
                    StatusPeriod::All),
      m_mode(mode) {
    Refill();
    ActivateInitialSide();
}

std::string InactiveListWindow::Title() const {
    return std::string(Str(m_mode == Mode::Inactive ? StrId::InactiveWindowTitle : StrId::DeletedWindowTitle));
}

std::string InactiveListWindow::LeftTitle() const {
    return m_mode == Mode::Inactive ? Boxed(Str(StrId::InactivePublishers)) : Boxed(Str(StrId::DeletedListBox));
}

std::string InactiveListWindow::RightTitle() const {
    return m_mode == Mode::Inactive ? std::string(Str(StrId::InactiveCandidatesBox)) : std::string();
}

std::string InactiveListWindow::OkText() const {
    if (m_mode == Mode::Deleted)
        return std::string(Str(StrId::RestoreCaption));
    return std::string(Str(Active() == ListSide::Right ? StrId::MoveToInactiveButton : StrId::ReactivateButton));
}

std::vector<ListWindowLine> InactiveListWindow::BuildLeft() const {
    const PublisherDatabase& database = m_reporting.database;
    const bool lastNameFirst = database.SortsLastNameFirst();
    std::vector<ListWindowLine> lines;
    if (m_mode == Mode::Deleted) {
        for (const IndexEntry& entry : database.List(PublisherCategory::Deleted)) {
            const PublisherRecord& person = database.Record(entry.recordNumber);
            const int month = person.StatusChangeMonth() & 0xFF;
            const int yearOffset = person.StatusChangeMonth() >> 8;
            const std::string monthText =
                month >= 1 && month <= kMonthsPerYear ? std::string(MonthAbbreviation(month - 1)) : std::string("   ");
            const std::string yearText = yearOffset == 0 ? std::string() : std::to_string(yearOffset + 1950);
            lines.push_back(
                {entry.recordNumber, person.Id(),
                 database.DisplayNameOfRecord(entry.recordNumber, lastNameFirst) + "\t" + monthText + " " + yearText});
        }
        return lines;
    }
    const StatusBasis basis = Basis();
    for (const IndexEntry& entry : database.List(PublisherCategory::Inactive)) {
        const PublisherRecord& person = database.Record(entry.recordNumber);
        if (!InactiveIn(person, Period(), basis))
            continue;
        const int month = person.StatusMonth() >> 4;
        lines.push_back({entry.recordNumber, person.Id(),
                         database.DisplayNameOfRecord(entry.recordNumber, lastNameFirst) + "\t" +
                             MonthAndYear(month, month == 0 ? 0 : InactiveYear(person))});
    }
    return lines;
}

std::vector<ListWindowLine> InactiveListWindow::BuildRight() const {
    std::vector<ListWindowLine> lines;
    if (m_mode != Mode::Inactive)
        return lines;
    const PublisherDatabase& database = m_reporting.database;
    const bool lastNameFirst = database.SortsLastNameFirst();
    const StatusBasis basis = Basis();
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = database.Record(entry.recordNumber);
        if (IsInactiveCandidate(person, basis))
            lines.push_back({entry.recordNumber, person.Id(),
                             database.DisplayNameOfRecord(entry.recordNumber, lastNameFirst) + "\t" +
                                 InactiveCandidateReason(person, basis)});
    }
    return lines;
}

Status InactiveListWindow::Ok(const MonthAsker& askMonth) {
    const RecordNumber record = SelectedRecord();
    if (record == 0)
        return Status::Fail(Failure::NotFound, std::string(Str(StrId::NoPersonSelected)));
    const std::string name = NameOf(record);
    const WorkingMonth& working = m_reporting.month;
    Status moved = Status::Ok();
    if (m_mode == Mode::Deleted) {
        const auto choice = askMonth(MoveMonthChoice(working, name, false));
        if (!choice)
            return Status::Cancelled();
        moved = Restore(m_reporting, record, choice->Month());
    } else if (Active() == ListSide::Right) {
        if (Status room = CanMakeInactive(m_reporting.database); !room)
            return room;
        const auto choice =
            askMonth(MoveMonthChoice(working, MonthDialogCaption(name, Str(StrId::VerbMadeInactive)), true));
        if (!choice)
            return Status::Cancelled();
        moved = MakeInactive(m_reporting, record, choice->Month(), choice->Year());
    } else {
        const auto choice =
            askMonth(MoveMonthChoice(working, MonthDialogCaption(name, Str(StrId::VerbReactivated)), false));
        if (!choice)
            return Status::Cancelled();
        moved = Reactivate(m_reporting, record, choice->Month());
    }
    Refill();
    return moved;
}

Status InactiveListWindow::Remove(const RemovalChoice& choice) {
    if (choice.Permanent())
        return DeleteSelectedPermanently();
    const RecordNumber record = SelectedRecord();
    if (record == 0)
        return Status::Fail(Failure::NotFound, std::string(Str(StrId::NoPersonSelected)));
    Status removed = RemoveTemporarily(m_registry, record, choice.Month(), choice.Year());
    Refill();
    return removed;
}

// --- MovedListWindow -----------------------------------------------------------------------------------------

MovedListWindow::MovedListWindow(ReportingContext& reporting, RegistryContext& registry)
    : TwoListWindow(reporting, registry,
                    {StatusPeriod::SixMonths, StatusPeriod::ServiceYear, StatusPeriod::TwelveMonths},
                    StatusPeriod::TwelveMonths) {
    Refill();
    ActivateInitialSide();
}

std::string MovedListWindow::LeftTitle() const {
    return std::string(Str(StrId::MovedListBox));
}

std::string MovedListWindow::RightTitle() const {
    return FormatArgs(Str(StrId::NoReportFor), {MonthName(m_reporting.month.monthIndex)});
}

void MovedListWindow::SetFromInactive(bool on) {
    m_fromInactive = on;
    Refill();
}

std::string MovedListWindow::OkText() const {
    return std::string(Str(Active() == ListSide::Right ? StrId::MoveAwayButton : StrId::EraseMovedButton));
}

std::vector<ListWindowLine> MovedListWindow::BuildLeft() const {
    const PublisherDatabase& database = m_reporting.database;
    const bool lastNameFirst = database.SortsLastNameFirst();
    const StatusBasis basis = Basis();
    std::vector<ListWindowLine> lines;
    for (const IndexEntry& entry : database.List(PublisherCategory::Moved)) {
        const PublisherRecord& person = database.Record(entry.recordNumber);
        if (!MovedIn(person, Period(), basis))
            continue;
        lines.push_back({entry.recordNumber, person.Id(),
                         database.DisplayNameOfRecord(entry.recordNumber, lastNameFirst) + "\t" +
                             MonthAndYear(person.StatusMonth() >> 4, 0)});
    }
    return lines;
}

std::vector<ListWindowLine> MovedListWindow::BuildRight() const {
    const PublisherDatabase& database = m_reporting.database;
    const bool lastNameFirst = database.SortsLastNameFirst();
    const WorkingMonth& working = m_reporting.month;
    const YearSlot slot = working.SlotOf(working.monthIndex);
    std::vector<ListWindowLine> lines;
    const PublisherCategory list = m_fromInactive ? PublisherCategory::Inactive : PublisherCategory::Publisher;
    for (const IndexEntry& entry : database.List(list)) {
        const PublisherRecord& person = database.Record(entry.recordNumber);
        if (!m_fromInactive && HasReport(person, working.monthIndex, slot))
            continue;
        std::string text = database.DisplayNameOfRecord(entry.recordNumber, lastNameFirst);
        if (m_fromInactive) {
            const int month = person.StatusMonth() >> 4;
            text += "\t" + MonthAndYear(month, month == 0 ? 0 : InactiveYear(person));
        }
        lines.push_back({entry.recordNumber, person.Id(), std::move(text)});
    }
    return lines;
}

Status MovedListWindow::Ok(const MonthAsker& askMonth) {
    if (Active() == ListSide::Left)
        return DeleteSelectedPermanently();
    const RecordNumber record = SelectedRecord();
    if (record == 0)
        return Status::Fail(Failure::NotFound, std::string(Str(StrId::NoPersonSelected)));
    if (Status room = CanMoveAway(m_reporting.database); !room)
        return room;
    const auto choice = askMonth(
        MoveMonthChoice(m_reporting.month, MonthDialogCaption(NameOf(record), Str(StrId::VerbMovedAway)), false));
    if (!choice)
        return Status::Cancelled();
    Status moved = MoveAway(m_reporting, record, choice->Month());
    Refill();
    return moved;
}

Status MovedListWindow::Undo(const MonthAsker& askMonth) {
    const RecordNumber record = Active() == ListSide::Left ? SelectedRecord() : 0;
    if (record == 0)
        return Status::Fail(Failure::NotFound, std::string(Str(StrId::NoPersonSelected)));
    const std::string name = NameOf(record);
    if (m_registry.prompter.Ask(FormatArgs(Str(StrId::ConfirmUndoMove), {name}), Buttons::OkCancel, Answer::Cancel) !=
        Answer::Ok)
        return Status::Cancelled();
    Status undone = Status::Ok();
    if (ReturnsToInactive(m_reporting.database.Record(record))) {
        undone = UndoMove(m_reporting, record, 0, false);
    } else {
        const auto choice = askMonth(
            MoveMonthChoice(m_reporting.month, MonthDialogCaption(name, Str(StrId::VerbReturned)), false, true));
        if (!choice)
            return Status::Cancelled();
        undone = UndoMove(m_reporting, record, choice->Month(), choice->Regular());
    }
    Refill();
    return undone;
}

} // namespace vardo
