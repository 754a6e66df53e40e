#include "core/reports/RecordCard.h"

#include <algorithm>
#include <limits>
#include <string>

#include "core/platform/Strings.h"
#include "core/reporting/ActivityStatus.h"
#include "core/reporting/Attendance.h"
#include "core/reporting/MonthTotals.h"
#include "core/reporting/ReportRules.h"
#include "core/reports/PageMetrics.h"
#include "core/reports/ReportPrimitives.h"

namespace vardo {
namespace {

// Table rows: the heading, twelve months and the closing rows, 16 in all. The new format's four-line
// headings take three rows above its one closing row; the old format has two of each.
constexpr int kTableRows = 16;
constexpr int kNewColumns[] = {88, 180, 250, 335, 420};
constexpr int kOldColumns[] = {88, 165, 250, 335, 420, 505, 515};

LogicalFont CardFont(const Canvas& canvas, int tenthsOfPoint, int weight) {
    LogicalFont font;
    font.face = "Calibri";
    font.height = -(tenthsOfPoint * canvas.DpiY() / 720);
    font.weight = weight;
    font.pitchAndFamily = 34;
    font.charSet = 238;
    return font;
}

void Text(Canvas& canvas, const LogicalFont& font, TextAlign align, int x, int y, const std::string& text) {
    if (text.empty())
        return;
    canvas.SetFont(font);
    canvas.SetTextAlign(align);
    canvas.DrawText(x, y, text);
}

// An X box with its lower-right corner at (x, y), crossed when set.
void XBox(Canvas& canvas, int x, int y, bool set) {
    const int w = canvas.DpiX() / 10;
    const int h = canvas.DpiY() / 10;
    canvas.SetPen(Pen{std::max(canvas.DpiX() / 120, 1), 0x000000, PenStyle::Solid});
    canvas.DrawRectangle(Rect{x - w, y - h, x, y});
    if (set) {
        canvas.DrawLine(x - w, y - h, x, y);
        canvas.DrawLine(x - w, y, x, y - h);
    }
}

std::string Trimmed(std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Words of a heading in lines no wider than `width`, broken at blanks and after hyphens.
std::vector<std::string> WrapHeading(const Canvas& canvas, const std::string& text, int width) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        word += c;
        if (c == ' ' || c == '-') {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty())
        words.push_back(word);
    std::vector<std::string> lines;
    for (const std::string& w : words) {
        if (!lines.empty() && canvas.TextExtent(Trimmed(lines.back() + w)).width <= width)
            lines.back() += w;
        else
            lines.push_back(w);
    }
    for (std::string& line : lines)
        line = Trimmed(line);
    if (lines.size() > 4)
        lines.resize(4);
    return lines;
}

// The twelve months of one table: from `firstMonth` on; `current` when the table holds the working month's
// year (its totals follow the current year's options); `serviceYear` is printed above the first column (0:
// the rolling mode prints none).
struct TableSpan {
    MonthCount firstMonth = 0;
    bool current = false;
    int serviceYear = 0;
};

void DrawTable(const CardSource& source, Canvas& canvas, const PublisherRecord& person, int left, int top, int width,
               int height, const TableSpan& span);

class CardsReport : public Report {
public:
    CardsReport(const CardSource& source, std::vector<RecordNumber> records)
        : m_source(source), m_records(std::move(records)) {}
    int CountPages(Canvas&, const ReportEnvironment&) const override {
        return std::max<int>(static_cast<int>(m_records.size()), 1);
    }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        const int pageHeight = PageBandHeight(canvas, environment);
        if (m_source.totals) {
            PrintCard(m_source, canvas, environment, PublisherRecord{}, 0);
            return;
        }
        for (std::size_t i = 0; i < m_records.size(); ++i) {
            const int top = static_cast<int>(i) * pageHeight;
            if (!canvas.MayShow(Rect{0, top, canvas.DpiX() * 9, top + pageHeight}))
                continue;
            PrintCard(m_source, canvas, environment, m_source.database->Record(m_records[i]), top);
        }
    }

private:
    CardSource m_source;
    std::vector<RecordNumber> m_records;
};

} // namespace

std::string CardTitleText(const CardSource& source) {
    switch (source.cardMode) {
    case 1:
        return std::string(Str(StrId::CardTitle));
    case 2:
        return std::string(Str(source.previousYear ? StrId::PeriodTwentyFourMonths : StrId::CardModeTwelveMonths));
    case 3:
        return std::string(Str(StrId::CardModeOverTwelveMonths));
    default:
        return std::string(Str(StrId::CardModeServiceYear));
    }
}

void DrawCardHeader(const CardSource& source, Canvas& canvas, const PublisherRecord& person, int left, int top,
                    int width) {
    const int dpiX = canvas.DpiX();
    const int dpiY = canvas.DpiY();
    Text(canvas, CardFont(canvas, 150, 700), {HAlign::Center, VAlign::Bottom}, left + width / 2, top,
         CardTitleText(source));
    const LogicalFont header = CardFont(canvas, 125, 700);
    const int line = dpiY / 4;
    const std::string name = person.FirstName() + " " + person.LastName();
    // With HideBir only the year of birth is printed.
    std::string birth = RecordDateToIso(person.BirthDate()).substr(0, 10);
    if (source.options.hideBirthDay && birth.size() >= 4)
        birth = birth.substr(0, 4);
    const std::string baptism = Trimmed(person.BaptismDate());
    const int y1 = top + line;
    const bool totalsView = source.totals.has_value();
    Text(canvas, header, {HAlign::Left, VAlign::Top}, left, y1,
         std::string(Str(StrId::CardNameLabel)) + ":  " +
             (totalsView ? CardTotalsCategoryName(source.totals->category) : name));
    Text(canvas, header, {HAlign::Left, VAlign::Top}, left, y1 + line,
         std::string(Str(StrId::CardBirthLabel)) + ":  " + (totalsView ? "" : birth));
    Text(canvas, header, {HAlign::Left, VAlign::Top}, left, y1 + 2 * line,
         std::string(Str(StrId::CardBaptismLabel)) + ":  " + (totalsView ? "" : RecordDateToIso(person.BaptismDate())));
    if (!totalsView && source.options.showGroups && person.Group() != 0 && source.groups)
        Text(canvas, header, {HAlign::Right, VAlign::Top}, left + width, y1,
             source.groups->DisplayName(person.Group() - 1));

    const LogicalFont label = CardFont(canvas, 100, 400);
    auto box = [&](int percent, int row, bool set, StrId text) {
        const int x = left + width * percent / 100 + dpiX / 10;
        // The third row stands below the baptism line, clear of the table under the header.
        const int y = y1 + line * (row + 1) + (row == 2 ? line * 3 / 5 : 0);
        XBox(canvas, x, y, set && !totalsView);
        Text(canvas, label, {HAlign::Left, VAlign::Bottom}, x + dpiX / 20, y, std::string(Str(text)));
    };
    const bool baptised = baptism.size() >= 5;
    const WorkingMonth& month = source.workingMonth;
    const PioneerCode code = person.Pioneer(month.monthIndex, month.SlotOf(month.monthIndex));
    box(64, 0, person.IsMale(), StrId::CardMale);
    box(86, 0, person.IsFemale(), StrId::CardFemale);
    box(64, 1, baptised && person.Hope() != 'A', StrId::CardOtherSheep);
    box(86, 1, baptised && person.Hope() == 'A', StrId::CardAnointed);
    box(2, 2, person.GetAppointment() == Appointment::Elder, StrId::Elder);
    box(14, 2, person.GetAppointment() == Appointment::MinisterialServant, StrId::MinisterialServant);
    box(38, 2, code == PioneerCode::Regular, StrId::CardRegularPioneer);
    box(56, 2, code == PioneerCode::Special, StrId::SpecialPioneer);
    box(80, 2, person.IsFieldMissionary(), StrId::FieldMissionary);
}

void DrawCardTable(const CardSource& source, Canvas& canvas, const PublisherRecord& person, int left, int top,
                   int width, int height, int serviceYear) {
    const WorkingMonth& month = source.workingMonth;
    const TableSpan span{ToMonthCount(serviceYear - 1, 8), serviceYear == ServiceYearOf(month.Year(), month.monthIndex),
                         serviceYear};
    DrawTable(source, canvas, person, left, top, width, height, span);
}

void DrawCardTableFrom(const CardSource& source, Canvas& canvas, const PublisherRecord& person, int left, int top,
                       int width, int height, MonthCount firstMonth, bool latest) {
    DrawTable(source, canvas, person, left, top, width, height, TableSpan{firstMonth, latest, 0});
}

namespace {

void DrawTable(const CardSource& source, Canvas& canvas, const PublisherRecord& person, int left, int top, int width,
               int height, const TableSpan& span) {
    const int dpiX = canvas.DpiX();
    const int rowHeight = height / kTableRows;
    // The format follows the service year of the table's last month.
    const MonthCount lastMonth = static_cast<MonthCount>(span.firstMonth + 11);
    const bool newFormat = ServiceYearOf(2000 + YearIndexOf(lastMonth), MonthIndexOf(lastMonth)) > 2023;
    const int headingRows = newFormat ? 3 : 2;
    const int closingRow = headingRows + 12;
    std::vector<int> columns;
    for (int c : newFormat ? std::vector<int>(std::begin(kNewColumns), std::end(kNewColumns))
                           : std::vector<int>(std::begin(kOldColumns), std::end(kOldColumns)))
        columns.push_back(left + c * dpiX / 100);
    if (!newFormat)
        columns.erase(columns.begin() + 6); // the remark column starts at the last position
    const int right = left + width;
    const int bottom = top + rowHeight * kTableRows;
    canvas.SetPen(Pen{4 * std::max(dpiX / 300, 1), 0x000000, PenStyle::Solid});
    canvas.DrawRectangle(Rect{left, top, right, bottom});
    canvas.SetPen(Pen{std::max(dpiX / 300, 1), 0x000000, PenStyle::Solid});
    for (int x : columns)
        canvas.DrawLine(x, top, x, bottom);
    for (int row = headingRows; row < kTableRows; ++row) {
        if (row == closingRow)
            canvas.SetPen(Pen{3 * std::max(dpiX / 300, 1), 0x000000, PenStyle::Solid});
        canvas.DrawLine(left, top + row * rowHeight, right, top + row * rowHeight);
        if (row == closingRow)
            canvas.SetPen(Pen{std::max(dpiX / 300, 1), 0x000000, PenStyle::Solid});
    }

    const LogicalFont bold = CardFont(canvas, 100, 700);
    const LogicalFont regular = CardFont(canvas, 100, 400);
    canvas.SetFont(bold);
    const int textLine = canvas.Metrics().height;
    if (span.serviceYear != 0) {
        Text(canvas, bold, {HAlign::Center, VAlign::Top}, (left + columns[0]) / 2, top + rowHeight / 4,
             std::string(Str(StrId::ServiceYearHeading)));
        Text(canvas, bold, {HAlign::Center, VAlign::Top}, (left + columns[0]) / 2, top + rowHeight / 4 + textLine,
             FormatPrintf("%d", span.serviceYear));
    }
    const std::vector<StrId> headings =
        newFormat ? std::vector<StrId>{StrId::CardParticipated, StrId::CardStudies, StrId::AuxiliaryPioneers,
                                       StrId::CardHours, StrId::CardRemarks}
                  : std::vector<StrId>{StrId::CardPublications, StrId::CardVideos,  StrId::CardHoursOld,
                                       StrId::CardReturnVisits, StrId::CardStudies, StrId::CardRemarks};
    for (std::size_t c = 0; c < headings.size(); ++c) {
        const int from = columns[c];
        const int to = c + 1 < columns.size() ? columns[c + 1] : right;
        canvas.SetFont(bold);
        const auto lines = WrapHeading(canvas, std::string(Str(headings[c])), to - from - dpiX / 20);
        int y = top + (headingRows * rowHeight - static_cast<int>(lines.size()) * textLine) / 2;
        for (const std::string& line : lines) {
            Text(canvas, bold, {HAlign::Center, VAlign::Top}, (from + to) / 2, y, line);
            y += textLine;
        }
    }

    const WorkingMonth& month = source.workingMonth;
    // An inactive publisher's current card stays empty from the month of becoming inactive on.
    int inactiveFrom = std::numeric_limits<int>::max();
    if (span.current && !source.totals && person.Category() == PublisherCategory::Inactive)
        if (const int m = person.StatusMonth() >> 4; m >= 1 && m <= kMonthsPerYear)
            inactiveFrom = ToMonthCount(InactiveYear(person), m - 1);
    int totals[5] = {};
    int reported = 0;
    int pioneerHours = 0;
    int shownMonths = 0; // months of the totals view with figures
    int totalHours = 0;  // their hours
    for (int row = 0; row < 12; ++row) {
        const int count = span.firstMonth + row;
        const MonthIndex m = MonthIndexOf(static_cast<MonthCount>(count));
        const int year = 2000 + YearIndexOf(static_cast<MonthCount>(count));
        const int y = top + (headingRows + row) * rowHeight;
        const int textY = y + (rowHeight - textLine) / 2;
        std::string label(MonthName(m));
        LogicalFont labelFont = regular;
        if (row == 0 || m == 0) {
            // The year before the name; one blank between them when the usual four leave no room, and a
            // smaller font when even that does not fit the column.
            const int room = columns[0] - left - dpiX / 10;
            canvas.SetFont(regular);
            label = FormatPrintf("%d    %s", year, std::string(MonthName(m)).c_str());
            if (canvas.TextExtent(label).width > room)
                label = FormatPrintf("%d %s", year, std::string(MonthName(m)).c_str());
            const int labelWidth = canvas.TextExtent(label).width;
            if (labelWidth > room)
                labelFont.height = static_cast<int>(static_cast<long>(labelFont.height) * room / labelWidth);
        }
        Text(canvas, labelFont, {HAlign::Left, VAlign::Top}, left + dpiX / 20, textY, label);
        const bool totalsView = source.totals.has_value();
        if (count > month.monthCount || (count == month.monthCount && !source.workingMonthInitialised && !totalsView) ||
            count <= month.monthCount - 24 || count >= inactiveFrom)
            continue;
        if (totalsView) {
            const CardMonthFigures figures = CardTotalsMonth(*source.database, *source.totals, year, m);
            ++shownMonths;
            auto cell = [&](std::size_t column, int value) {
                Text(canvas, regular, {HAlign::Center, VAlign::Top}, (columns[column] + columns[column + 1]) / 2, textY,
                     FormatPrintf("%d", value));
            };
            totalHours += figures.hours;
            if (newFormat) {
                cell(0, figures.reports);
                cell(1, figures.studies);
                cell(3, figures.hours);
            } else {
                const int values[5] = {figures.placements, figures.videos, figures.hours, figures.returnVisits,
                                       figures.studies};
                for (std::size_t c = 0; c < 5; ++c) {
                    totals[c] += values[c];
                    cell(c, values[c]);
                }
                Text(canvas, regular, {HAlign::Left, VAlign::Top}, columns[5] + dpiX / 20, textY,
                     FormatPrintf("%s: %d", std::string(Str(StrId::HistoryReportsLabel)).c_str(), figures.reports));
            }
            continue;
        }
        const YearSlot slot = SlotOfMonthCount(static_cast<MonthCount>(count));
        const ReportCell cell = person.Cell(m, slot);
        const std::string remark =
            source.remarks && cell.remark != 0 ? RemarkText(*source.remarks, person, m, slot).text : std::string();
        const int center = rowHeight - (rowHeight - dpiX / 7) / 2;
        if (newFormat) {
            if (Participated(person, m, slot))
                DrawCheckBox(canvas, (columns[0] + columns[1]) / 2 + dpiX / 14, y + center, true, 7);
            if (cell.BibleStudies() != 0)
                Text(canvas, regular, {HAlign::Center, VAlign::Top}, (columns[1] + columns[2]) / 2, textY,
                     FormatPrintf("%d", cell.BibleStudies()));
            if (cell.Pioneer() == PioneerCode::Auxiliary)
                DrawCheckBox(canvas, (columns[2] + columns[3]) / 2 + dpiX / 14, y + center, true, 7);
            if (cell.hours != 0 && (cell.Pioneer() != PioneerCode::None || person.IsFieldMissionary()))
                Text(canvas, regular, {HAlign::Center, VAlign::Top}, (columns[3] + columns[4]) / 2, textY,
                     FormatPrintf("%d", cell.hours));
            if (cell.Pioneer() != PioneerCode::None)
                pioneerHours += cell.hours;
            Text(canvas, regular, {HAlign::Left, VAlign::Top}, columns[4] + dpiX / 20, textY, remark);
        } else {
            const int values[5] = {cell.placements, cell.videos, cell.hours, cell.returnVisits, cell.BibleStudies()};
            static constexpr const char* kQuarters[] = {"", ",15", ",30", ",45"};
            for (int c = 0; c < 5; ++c) {
                totals[c] += values[c];
                const std::string text = c == 2 ? FormatPrintf("%d%s", values[c], kQuarters[cell.QuarterHours()])
                                                : FormatPrintf("%d", values[c]);
                if (values[c] != 0 || (c == 2 && cell.QuarterHours() != 0))
                    Text(canvas, regular, {HAlign::Center, VAlign::Top},
                         (columns[static_cast<std::size_t>(c)] + columns[static_cast<std::size_t>(c) + 1]) / 2, textY,
                         text);
            }
            if (HasReport(cell))
                ++reported;
            std::string note;
            if (cell.Pioneer() == PioneerCode::Auxiliary)
                note += std::string(Str(StrId::AuxiliaryPioneers)) + " ";
            if (cell.Flag())
                note += std::string(Str(StrId::CardLessThanHour)) + " ";
            Text(canvas, regular, {HAlign::Left, VAlign::Top}, columns[5] + dpiX / 20, textY, note + remark);
        }
    }
    const bool current = span.current;
    const int totalsY = top + closingRow * rowHeight + (rowHeight - textLine) / 2;
    Text(canvas, bold, {HAlign::Left, VAlign::Top}, left + dpiX / 20, totalsY, std::string(Str(StrId::CardTotal)));
    const bool hideTotals = (source.options.hiddenAverages >> (current ? 2 : 3)) & 1;
    const bool hideAverages = (source.options.hiddenAverages >> (current ? 0 : 1)) & 1;
    if (source.totals.has_value() && newFormat) {
        // Hours per month: over the months elapsed in the current year, over all twelve in a past one.
        const int months = current ? shownMonths : 12;
        if (!hideTotals && months != 0)
            Text(canvas, regular, {HAlign::Center, VAlign::Top}, (columns[3] + columns[4]) / 2, totalsY,
                 FormatPrintf("%4.1f", static_cast<double>(totalHours) / months));
        return;
    }
    if (source.totals.has_value())
        reported = current ? shownMonths : 12;
    if (newFormat) {
        if (!hideTotals)
            Text(canvas, regular, {HAlign::Center, VAlign::Top}, (columns[3] + columns[4]) / 2, totalsY,
                 FormatPrintf("%d", pioneerHours));
        return;
    }
    Text(canvas, bold, {HAlign::Left, VAlign::Top}, left + dpiX / 20, totalsY + rowHeight,
         std::string(Str(StrId::CardAverage)));
    for (std::size_t c = 0; c < 5; ++c) {
        const int x = (columns[c] + columns[c + 1]) / 2;
        if (!hideTotals)
            Text(canvas, regular, {HAlign::Center, VAlign::Top}, x, totalsY, FormatPrintf("%d", totals[c]));
        if (!hideAverages && reported != 0)
            Text(canvas, regular, {HAlign::Center, VAlign::Top}, x, totalsY + rowHeight,
                 FormatPrintf(columns[c + 1] - columns[c] < dpiX * 3 / 4 ? "%3.1f" : "%4.1f",
                              static_cast<double>(totals[c]) / reported));
    }
}

} // namespace

void PrintCard(const CardSource& source, Canvas& canvas, const ReportEnvironment& environment,
               const PublisherRecord& person, int pageTop) {
    const int dpiX = canvas.DpiX();
    const int dpiY = canvas.DpiY();
    const int left = dpiX / 2;
    const int width = environment.a4 ? dpiX * 29 / 4 : dpiX * 15 / 2;
    DrawCardHeader(source, canvas, person, left, pageTop + dpiY, width);
    const WorkingMonth& month = source.workingMonth;
    const int serviceYear = ServiceYearOf(month.Year(), month.monthIndex);
    const int height = dpiY * 7 / 2 * 9 / 8;
    if (source.cardMode == 2) {
        // The last twelve months, and with the previous-year toggle the twelve before them below.
        const auto latest = static_cast<MonthCount>(month.monthCount - 11);
        DrawCardTableFrom(source, canvas, person, left, pageTop + 2 * dpiY + dpiY / 4, width, height, latest, true);
        if (source.previousYear)
            DrawCardTableFrom(source, canvas, person, left, pageTop + dpiY * 13 / 2 + dpiY / 4, width, height,
                              static_cast<MonthCount>(latest - 12), false);
        return;
    }
    const bool onlyPrevious = source.previousYear && source.options.onePerPage;
    DrawCardTable(source, canvas, person, left, pageTop + 2 * dpiY + dpiY / 4, width, height,
                  onlyPrevious ? serviceYear - 1 : serviceYear);
    if (!source.options.onePerPage)
        DrawCardTable(source, canvas, person, left, pageTop + dpiY * 13 / 2 + dpiY / 4, width, height, serviceYear - 1);
}

std::unique_ptr<Report> MakeCardsReport(const CardSource& source, std::vector<RecordNumber> records) {
    return std::make_unique<CardsReport>(source, std::move(records));
}

std::unique_ptr<Report> MakeCardTotalsReport(const CardSource& source) {
    return std::make_unique<CardsReport>(source, std::vector<RecordNumber>{});
}

std::vector<RecordNumber> CardBatchOrder(const PublisherDatabase& database, const WorkingMonth& month, bool inactive) {
    const CategoryList& list = database.List(inactive ? PublisherCategory::Inactive : PublisherCategory::Publisher);
    const MonthIndex m = month.monthIndex;
    const YearSlot s = month.SlotOf(m);
    std::vector<RecordNumber> order;
    auto take = [&](auto&& predicate) {
        for (const IndexEntry& entry : list)
            if (predicate(*entry.record) && std::find(order.begin(), order.end(), entry.recordNumber) == order.end())
                order.push_back(entry.recordNumber);
    };
    take([&](const PublisherRecord& p) { return SectionOf(p, m, s) == 1; });
    for (int g = 1; g <= 20; ++g)
        take([&](const PublisherRecord& p) { return p.Group() == g; });
    take([](const PublisherRecord&) { return true; });
    return order;
}

} // namespace vardo
