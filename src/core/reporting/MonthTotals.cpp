#include "core/reporting/MonthTotals.h"

#include <string>
#include <string_view>

#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// One step back in the two-year arrays: the slot flips when the step goes from January to December.
void StepBack(MonthIndex& month, YearSlot& slot) {
    if (month == 0) {
        month = 11;
        slot = 1 - slot;
    } else {
        --month;
    }
}

void AddReport(MonthTotals& totals, int row, const PublisherRecord& person, MonthIndex month, YearSlot slot) {
    auto add = [&](int column, int amount) {
        totals.SetValue(row, column, static_cast<std::uint16_t>(totals.Value(row, column) + amount));
    };
    add(MonthTotals::kReportCountColumn, 1);
    add(MonthTotals::kStudiesColumn, person.StudyWord(month, slot) & kStudyCountMask);
    if (row == 0)
        return;
    add(MonthTotals::kPlacementsColumn, person.Placements(month, slot));
    add(MonthTotals::kVideosColumn, person.Videos(month, slot));
    add(MonthTotals::kHoursColumn, person.Hours(month, slot));
    add(MonthTotals::kReturnVisitsColumn, person.ReturnVisits(month, slot));
}

} // namespace

bool HasTime(const PublisherRecord& person, MonthIndex month, YearSlot slot) {
    return person.Hours(month, slot) != 0 || (person.StudyWord(month, slot) & kQuarterHoursMask) != 0;
}

bool Participated(const PublisherRecord& person, MonthIndex month, YearSlot slot) {
    return HasTime(person, month, slot) || (person.StudyWord(month, slot) & kStudyFlagBit) != 0;
}

bool IsBaptised(const PublisherRecord& person) {
    return Trimmed(person.RawText(TextField::BaptismDate)).size() > 5;
}

int SectionOf(const PublisherRecord& person, MonthIndex month, YearSlot slot) {
    const PioneerCode code = person.Pioneer(month, slot);
    if (code == PioneerCode::Regular || code == PioneerCode::Special)
        return 1;
    const std::string_view baptism = person.RawText(TextField::BaptismDate);
    return baptism.size() > 4 && baptism[4] > '/' ? 2 : 3;
}

MonthTotals ComputeMonthTotals(const PublisherDatabase& database, const LateReportList& lateReports,
                               const WorkingMonth& month) {
    MonthTotals totals;
    const MonthIndex working = month.monthIndex;
    const YearSlot workingSlot = month.SlotOf(working);
    const CategoryList& active = database.List(PublisherCategory::Publisher);
    for (const IndexEntry& entry : active) {
        const PublisherRecord& person = *entry.record;
        if (person.IsSpecialFullTime() || person.IsFieldMissionary())
            continue;
        for (const LateReportEntry& late : lateReports.Entries()) {
            if (late.id != person.Id() || late.reportMonth >= kMonthsPerYear || late.reportMonth == working)
                continue;
            const MonthIndex m = late.reportMonth;
            const YearSlot s = month.SlotOf(m);
            const int category = static_cast<int>(person.Pioneer(m, s));
            if (Participated(person, m, s) && category <= 2)
                AddReport(totals, category, person, m, s);
        }
        if (Participated(person, working, workingSlot))
            AddReport(totals, static_cast<int>(person.Pioneer(working, workingSlot)), person, working, workingSlot);
    }
    totals.SetValue(0, MonthTotals::kActiveColumn, static_cast<std::uint16_t>(active.size()));
    return totals;
}

void StoreMonthHistory(CardTotals& history, const MonthTotals& totals, MonthIndex month, YearSlot slot) {
    for (int row = 0; row < MonthTotals::kRows; ++row)
        for (int column = 0; column < MonthTotals::kColumns; ++column)
            history.SetValue(month, row, column, slot, totals.Value(row, column));
}

MonthTotals MonthHistory(const CardTotals& history, MonthIndex month, YearSlot slot) {
    MonthTotals totals;
    for (int row = 0; row < MonthTotals::kRows; ++row)
        for (int column = 0; column < MonthTotals::kColumns; ++column)
            totals.SetValue(row, column, history.Value(month, row, column, slot));
    return totals;
}

int TotalOfColumn(const MonthTotals& totals, int column) {
    int sum = 0;
    for (int row = 0; row < 3; ++row) {
        sum += totals.Value(row, column);
        if (column == MonthTotals::kHoursColumn)
            sum += totals.Value(row, MonthTotals::kQuarterHourColumn) / 4;
    }
    return sum;
}

double CategoryAverage(const PublisherDatabase& database, const WorkingMonth& month, int category, int months,
                       ReportField field, int group, int filter) {
    if (database.Count() <= 1 || months <= 0)
        return 0.0;
    long sum = 0;
    long quarters = 0;
    long reports = 0;
    MonthIndex m = month.monthIndex;
    YearSlot s = month.SlotOf(m);
    for (int step = 0; step < months; ++step, StepBack(m, s)) {
        for (const IndexEntry& entry : database.List(PublisherCategory::Publisher)) {
            const PublisherRecord& person = *entry.record;
            if (group != 0 && person.Group() != group)
                continue;
            if ((filter & 3) != 0 && static_cast<int>(person.GetAppointment()) != (filter & 3))
                continue;
            if (category != kAnyCategory && static_cast<int>(person.Pioneer(m, s)) != category)
                continue;
            if ((filter & 0x10) != 0 && !person.InUserCategory())
                continue;
            if (!Participated(person, m, s))
                continue;
            ++reports;
            switch (field) {
            case ReportField::Placements:
                sum += person.Placements(m, s);
                break;
            case ReportField::Videos:
                sum += person.Videos(m, s);
                break;
            case ReportField::Hours:
                sum += person.Hours(m, s);
                quarters += (person.StudyWord(m, s) & kQuarterHoursMask) >> kQuarterHoursShift;
                break;
            case ReportField::ReturnVisits:
                sum += person.ReturnVisits(m, s);
                break;
            case ReportField::Studies:
                sum += person.StudyWord(m, s) & kStudyCountMask;
                break;
            }
        }
    }
    if (reports == 0)
        return 0.0;
    if (field == ReportField::Hours)
        return static_cast<double>(sum + quarters / 4 + (quarters % 4 == 3 ? 1 : 0)) / static_cast<double>(reports);
    return static_cast<double>(sum) / static_cast<double>(reports);
}

} // namespace vardo
