#include "core/reports/CardTotalsView.h"

#include "core/platform/Strings.h"

namespace vardo {

CardMonthFigures CategoryFigures(const MonthTotals& totals, CardTotalsCategory category) {
    CardMonthFigures figures;
    int quarters = 0;
    auto addRow = [&](int row) {
        figures.reports += totals.Value(row, MonthTotals::kReportCountColumn);
        figures.placements += totals.Value(row, MonthTotals::kPlacementsColumn);
        figures.videos += totals.Value(row, MonthTotals::kVideosColumn);
        figures.hours += totals.Value(row, MonthTotals::kHoursColumn);
        figures.returnVisits += totals.Value(row, MonthTotals::kReturnVisitsColumn);
        figures.studies += totals.Value(row, MonthTotals::kStudiesColumn);
        quarters += totals.Value(row, MonthTotals::kQuarterHourColumn);
    };
    switch (category) {
    case CardTotalsCategory::Publishers:
        addRow(0);
        break;
    case CardTotalsCategory::Auxiliary:
        addRow(1);
        break;
    case CardTotalsCategory::Pioneers:
        addRow(2);
        addRow(3);
        break;
    }
    figures.hours += quarters / 4;
    return figures;
}

MonthTotals RegisterMonthTotals(const PublisherDatabase& database, int year, MonthIndex month) {
    // The working month whose branch report this month was: the date one month on.
    const WorkingMonth working = month == 11 ? WorkingMonthFor(year + 1, 1, 1) : WorkingMonthFor(year, month + 2, 1);
    return ComputeMonthTotals(database, LateReportList{}, working);
}

CardMonthFigures CardTotalsMonth(const PublisherDatabase& database, const CardTotalsChoice& choice, int year,
                                 MonthIndex month) {
    if (choice.source == CardTotalsSource::Reported) {
        if (choice.history == nullptr)
            return {};
        const YearSlot slot = SlotOfMonthCount(ToMonthCount(year, month));
        return CategoryFigures(MonthHistory(*choice.history, month, slot), choice.category);
    }
    return CategoryFigures(RegisterMonthTotals(database, year, month), choice.category);
}

std::string CardTotalsCategoryName(CardTotalsCategory category) {
    switch (category) {
    case CardTotalsCategory::Publishers:
        return std::string(Str(StrId::CardTotalsPublishers));
    case CardTotalsCategory::Auxiliary:
        return std::string(Str(StrId::AuxiliaryPioneers));
    case CardTotalsCategory::Pioneers:
        break;
    }
    return std::string(Str(StrId::ExpCatPioneers));
}

} // namespace vardo
