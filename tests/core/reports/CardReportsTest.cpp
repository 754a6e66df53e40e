// The record card's totals view and year-of-birth header, the card-header labels and the printed attendance
// record, as drawn on the recording canvas.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CardRows.h"
#include "Persons.h"
#include "core/platform/Prompter.h"
#include "core/reporting/Attendance.h"
#include "core/reports/AttendanceRecordReport.h"
#include "core/reports/CardLabels.h"
#include "core/reports/RecordCard.h"
#include "core/reports/RecordingCanvas.h"

namespace vardo::test {
namespace {

constexpr MonthIndex kJanuary = 0;
constexpr MonthIndex kFebruary = 1;
constexpr int kDpi = 600;

YearSlot SlotOf(int year, MonthIndex month) {
    return SlotOfMonthCount(ToMonthCount(year, month));
}

class CardReportsTest : public ::testing::Test {
protected:
    CardReportsTest() {
        m_database.SetCount(1);
        m_database.RebuildIndex();
        m_month = WorkingMonthFor(2025, 3, 10); // working month February 2025
    }
    // Adding a person sorts the register: persons are held by id, their records looked up when needed.
    PublisherId Add(const char* first, const char* last) { return AddPersonTo(m_database, first, last, m_prompter); }
    PublisherRecord& P(PublisherId id) { return *m_database.FindById(id); }
    RecordNumber R(PublisherId id) const { return m_database.RecordNumberOfId(id); }
    void Report(PublisherId id, int year, MonthIndex month, PioneerCode code, int hours, int studies) {
        ReportCell cell;
        cell.SetPioneer(code);
        cell.hours = static_cast<std::uint16_t>(hours);
        cell.SetBibleStudies(studies);
        cell.SetFlag(true);
        P(id).SetCell(month, SlotOf(year, month), cell);
    }
    void DrawPage(const ::vardo::Report& report, RecordingCanvas& canvas, int page = 1) {
        DrawReportPage(report, canvas, m_environment, page);
    }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    WorkingMonth m_month;
    ReportEnvironment m_environment = ForPrinting(ReportEnvironment{}, true);
};

// --- Card totals view ----------------------------------------------------------------------------------

TEST_F(CardReportsTest, TotalsCountEachReportUnderItsMonthsCategory) {
    const PublisherId anna = Add("Anna", "Nowak");
    const PublisherId jan = Add("Jan", "Kowalski");
    const PublisherId ewa = Add("Ewa", "Lis");
    const PublisherId piotr = Add("Piotr", "Duda");
    Report(anna, 2025, kFebruary, PioneerCode::None, 0, 2);
    Report(jan, 2025, kFebruary, PioneerCode::Auxiliary, 30, 1);
    Report(jan, 2025, kJanuary, PioneerCode::None, 0, 0);
    Report(ewa, 2025, kFebruary, PioneerCode::Regular, 50, 3);
    Report(piotr, 2025, kFebruary, PioneerCode::Special, 100, 4);
    m_database.RebuildIndex();

    const CardTotalsChoice publishers{CardTotalsCategory::Publishers, CardTotalsSource::Register, nullptr};
    const CardMonthFigures february = CardTotalsMonth(m_database, publishers, 2025, kFebruary);
    EXPECT_EQ(february.reports, 1);
    EXPECT_EQ(february.studies, 2);
    // Jan was a publisher in January and an auxiliary pioneer in February.
    EXPECT_EQ(CardTotalsMonth(m_database, publishers, 2025, kJanuary).reports, 1);
    const CardMonthFigures auxiliary = CardTotalsMonth(
        m_database, CardTotalsChoice{CardTotalsCategory::Auxiliary, CardTotalsSource::Register, nullptr}, 2025,
        kFebruary);
    EXPECT_EQ(auxiliary, (CardMonthFigures{1, 0, 0, 30, 0, 1}));
    // Regular and special pioneers together.
    const CardMonthFigures pioneers =
        CardTotalsMonth(m_database, CardTotalsChoice{CardTotalsCategory::Pioneers, CardTotalsSource::Register, nullptr},
                        2025, kFebruary);
    EXPECT_EQ(pioneers.reports, 2);
    EXPECT_EQ(pioneers.hours, 150);
    EXPECT_EQ(pioneers.studies, 7);
    // A month nobody reported.
    EXPECT_EQ(CardTotalsMonth(m_database, publishers, 2024, 10), CardMonthFigures{});
}

TEST_F(CardReportsTest, TotalsLeaveOutSpecialServiceAndOtherLists) {
    const PublisherId anna = Add("Anna", "Nowak");
    const PublisherId jan = Add("Jan", "Kowalski");
    Report(anna, 2025, kFebruary, PioneerCode::Regular, 70, 0);
    Report(jan, 2025, kFebruary, PioneerCode::Regular, 70, 0);
    P(jan).SetFieldMissionary(true);
    const PublisherId moved = AddPersonTo(m_database, "Olga", "Wilk", m_prompter, PublisherCategory::Inactive);
    Report(moved, 2025, kFebruary, PioneerCode::Regular, 70, 0);
    m_database.RebuildIndex();
    const CardMonthFigures pioneers =
        CardTotalsMonth(m_database, CardTotalsChoice{CardTotalsCategory::Pioneers, CardTotalsSource::Register, nullptr},
                        2025, kFebruary);
    EXPECT_EQ(pioneers.reports, 1);
    EXPECT_EQ(pioneers.hours, 70);
}

TEST_F(CardReportsTest, ReportedTotalsComeFromTheMonthHistory) {
    const PublisherId anna = Add("Anna", "Nowak");
    Report(anna, 2025, kFebruary, PioneerCode::Auxiliary, 30, 1);
    m_database.RebuildIndex();
    CardTotals history;
    MonthTotals reported;
    reported.SetValue(1, MonthTotals::kReportCountColumn, 7);
    reported.SetValue(1, MonthTotals::kHoursColumn, 210);
    reported.SetValue(1, MonthTotals::kQuarterHourColumn, 9);
    reported.SetValue(1, MonthTotals::kStudiesColumn, 5);
    StoreMonthHistory(history, reported, kFebruary, SlotOf(2025, kFebruary));
    const CardTotalsChoice choice{CardTotalsCategory::Auxiliary, CardTotalsSource::Reported, &history};
    const CardMonthFigures february = CardTotalsMonth(m_database, choice, 2025, kFebruary);
    EXPECT_EQ(february.reports, 7);
    EXPECT_EQ(february.hours, 212);
    EXPECT_EQ(february.studies, 5);
    // The other year's slot of February holds nothing.
    EXPECT_EQ(CardTotalsMonth(m_database, choice, 2024, kFebruary), CardMonthFigures{});
}

TEST_F(CardReportsTest, TotalsViewDrawsCategorySumsAndHoursPerMonth) {
    const PublisherId ewa = Add("Ewa", "Lis");
    const PublisherId piotr = Add("Piotr", "Duda");
    Report(ewa, 2025, kFebruary, PioneerCode::Regular, 50, 3);
    Report(piotr, 2025, kFebruary, PioneerCode::Regular, 100, 4);
    Report(ewa, 2024, 9, PioneerCode::Regular, 60, 2); // October 2024
    P(ewa).SetBirthDate(" 5051990");
    P(ewa).SetMale(true);
    m_database.RebuildIndex();
    CardSource source;
    source.database = &m_database;
    source.workingMonth = m_month;
    source.workingMonthInitialised = false; // the totals view shows the working month all the same
    source.options.onePerPage = true;
    source.totals = CardTotalsChoice{CardTotalsCategory::Pioneers, CardTotalsSource::Register, nullptr};
    const auto report = MakeCardTotalsReport(source);
    RecordingCanvas canvas(kDpi, kDpi);
    ASSERT_EQ(report->CountPages(canvas, m_environment), 1);
    DrawPage(*report, canvas);
    EXPECT_NE(canvas.Find("Imię i nazwisko:  Pionierzy (Peł i Spe)"), nullptr);
    EXPECT_NE(canvas.Find("Data urodzenia:  "), nullptr);
    // Reports, Bible studies, hours.
    EXPECT_EQ(CardRow(canvas, "luty"), (std::vector<std::string>{"2", "7", "150"}));
    EXPECT_EQ(CardRow(canvas, "październik"), (std::vector<std::string>{"1", "2", "60"}));
    EXPECT_TRUE(CardRow(canvas, "marzec").empty());
    // 210 hours over the six months September..February.
    EXPECT_EQ(CardRow(canvas, "Ogółem"), (std::vector<std::string>{"35.0"}));
    // No box is crossed: every rectangle drawn is an unmarked box or the frame.
    for (const auto& line : canvas.Lines())
        EXPECT_FALSE(line.x1 != line.x2 && line.y1 != line.y2) << "a diagonal line (a crossed box)";
}

TEST_F(CardReportsTest, PersonsCardLeavesTheUninitialisedWorkingMonthEmpty) {
    const PublisherId ewa = Add("Ewa", "Lis");
    Report(ewa, 2025, kFebruary, PioneerCode::Regular, 50, 3);
    Report(ewa, 2025, kJanuary, PioneerCode::Regular, 40, 3);
    m_database.RebuildIndex();
    CardSource source;
    source.database = &m_database;
    source.workingMonth = m_month;
    source.workingMonthInitialised = false;
    source.options.onePerPage = true;
    const auto report = MakeCardsReport(source, {R(ewa)});
    RecordingCanvas canvas(kDpi, kDpi);
    DrawPage(*report, canvas);
    EXPECT_TRUE(CardRow(canvas, "luty").empty());
    EXPECT_EQ(CardRow(canvas, "2025    styczeń"), (std::vector<std::string>{"3", "40"}));
}

TEST_F(CardReportsTest, HiddenBirthDayLeavesTheYearOfBirth) {
    const PublisherId ewa = Add("Ewa", "Lis");
    P(ewa).SetBirthDate(" 5051990");
    P(ewa).SetBaptismDate(" 6072019");
    m_database.RebuildIndex();
    CardSource source;
    source.database = &m_database;
    source.workingMonth = m_month;
    RecordingCanvas full(kDpi, kDpi);
    DrawPage(*MakeCardsReport(source, {R(ewa)}), full);
    EXPECT_NE(full.Find("Data urodzenia:  1990-05-05"), nullptr);
    EXPECT_NE(full.Find("Data chrztu:  2019-06-07"), nullptr);
    source.options.hideBirthDay = true;
    RecordingCanvas hidden(kDpi, kDpi);
    DrawPage(*MakeCardsReport(source, {R(ewa)}), hidden);
    EXPECT_NE(hidden.Find("Data urodzenia:  1990"), nullptr);
}

TEST_F(CardReportsTest, CardHeadingsAndHeaderBoxesStayClearOfTheTableRows) {
    const PublisherId ewa = Add("Ewa", "Lis");
    m_database.RebuildIndex();
    for (const int serviceYear : {2025, 2023}) {
        CardSource source;
        source.database = &m_database;
        source.workingMonth = serviceYear == 2025 ? m_month : WorkingMonthFor(2023, 3, 10);
        source.options.onePerPage = true;
        RecordingCanvas canvas(kDpi, kDpi);
        DrawPage(*MakeCardsReport(source, {R(ewa)}), canvas);
        // The table's frame is the widest rectangle; the first month row starts at the horizontal line above
        // September's label.
        Rect frame;
        for (const auto& item : canvas.Rectangles())
            if (item.rect.Width() > frame.Width())
                frame = item.rect;
        const auto* september = FindCardLabel(canvas, std::to_string(serviceYear - 1) + "    wrzesień");
        ASSERT_NE(september, nullptr);
        int firstRow = frame.top;
        for (const auto& line : canvas.Lines())
            if (line.y1 == line.y2 && line.y1 <= september->y)
                firstRow = std::max(firstRow, line.y1);
        ASSERT_GT(firstRow, frame.top);
        int firstColumn = frame.right;
        for (const auto& line : canvas.Lines())
            if (line.x1 == line.x2 && line.x1 > frame.left)
                firstColumn = std::min(firstColumn, line.x1);
        EXPECT_LE(september->bounds.right, firstColumn) << september->text;
        for (const auto& item : canvas.Texts()) {
            if (item.bounds.top < frame.top) {
                EXPECT_LE(item.bounds.bottom, frame.top) << item.text << " runs into the table";
            } else if (item.bounds.top < firstRow) {
                EXPECT_LE(item.bounds.bottom, firstRow) << item.text << " runs into the first month";
            }
        }
        for (const auto& item : canvas.Rectangles()) {
            if (item.rect.top < frame.top) {
                EXPECT_LT(item.rect.bottom, frame.top - kDpi / 20) << "a header box touches the table";
            }
        }
    }
}

// --- Card-header labels --------------------------------------------------------------------------------

TEST(CardLabelPlaces, PositionsRunRowByRowOverSheets) {
    EXPECT_EQ(PlaceOfLabel(0, 1), (LabelPlace{0, 0, 0}));
    EXPECT_EQ(PlaceOfLabel(1, 1), (LabelPlace{0, 0, 1}));
    EXPECT_EQ(PlaceOfLabel(2, 1), (LabelPlace{0, 1, 0}));
    // Position 20 is the lower right label; the next goes to the second sheet's first.
    EXPECT_EQ(PlaceOfLabel(0, 20), (LabelPlace{0, 9, 1}));
    EXPECT_EQ(PlaceOfLabel(1, 20), (LabelPlace{1, 0, 0}));
    // Positions outside 1..20 count as 1.
    EXPECT_EQ(PlaceOfLabel(0, 0), (LabelPlace{0, 0, 0}));
    EXPECT_EQ(PlaceOfLabel(0, 21), (LabelPlace{0, 0, 0}));
    EXPECT_EQ(LabelPageCount(20, 1), 1);
    EXPECT_EQ(LabelPageCount(21, 1), 2);
    EXPECT_EQ(LabelPageCount(1, 20), 1);
    EXPECT_EQ(LabelPageCount(2, 20), 2);
    EXPECT_EQ(LabelPageCount(0, 5), 1);
}

TEST_F(CardReportsTest, SortedLabelsGoSectionBySection) {
    const PublisherId unbaptised = Add("Adam", "Zając");
    const PublisherId baptised = Add("Anna", "Nowak");
    const PublisherId pioneer = Add("Ewa", "Lis");
    const PublisherId baptised2 = Add("Jan", "Bąk");
    P(baptised).SetBaptismDate(" 5052019");
    P(baptised2).SetBaptismDate(" 6062018");
    P(pioneer).SetBaptismDate(" 6062018");
    Report(pioneer, 2025, kFebruary, PioneerCode::Regular, 50, 0);
    const std::vector<RecordNumber> chosen = {R(unbaptised), R(baptised), R(pioneer), R(baptised2)};
    EXPECT_EQ(LabelOrder(m_database, m_month, chosen, false), chosen);
    EXPECT_EQ(LabelOrder(m_database, m_month, chosen, true),
              (std::vector<RecordNumber>{R(pioneer), R(baptised), R(baptised2), R(unbaptised)}));
}

TEST_F(CardReportsTest, LabelsCarryHeaderDataAtTheirPlaces) {
    std::vector<PublisherId> ids;
    for (int i = 0; i < 3; ++i)
        ids.push_back(Add(("Imię" + std::to_string(i)).c_str(), "Nowak"));
    PublisherRecord& first = P(ids[0]);
    first.SetMale(true);
    first.SetAddress("ul. Długa 5, Kraków");
    first.SetPhone1("12 345 67 89");
    first.SetPhone2("600 100 200");
    first.SetBirthDate(" 5051990");
    P(ids[2]).SetFemale(true);
    m_environment.options.labelLeftMargin = 20;
    m_environment.options.topMargin = 50;
    LabelSource source;
    source.database = &m_database;
    source.workingMonth = m_month;
    source.records = {R(ids[0]), R(ids[1]), R(ids[2])};
    source.firstPosition = 20;
    const auto report = MakeCardLabelsReport(source);
    RecordingCanvas canvas(kDpi, kDpi);
    ASSERT_EQ(report->CountPages(canvas, m_environment), 2);
    const LabelGeometry geometry = LabelGeometryFor(canvas, m_environment);
    EXPECT_EQ(geometry.left, kDpi / 5);
    EXPECT_EQ(geometry.width, 4 * kDpi + kDpi / 20);
    EXPECT_EQ(geometry.top, kDpi / 2);

    DrawPage(*report, canvas, 1);
    DrawPage(*report, canvas, 2);
    // The first label at position 20: lower right of sheet 1.
    const auto* name = canvas.Find("Imię0 Nowak");
    ASSERT_NE(name, nullptr);
    EXPECT_GT(name->x, geometry.left + geometry.width);
    EXPECT_LT(name->x, geometry.left + geometry.width + kDpi / 2);
    EXPECT_GT(name->y, geometry.top + 9 * kDpi);
    EXPECT_LT(name->y, geometry.top + 10 * kDpi);
    const auto* gender = canvas.Find("Mężczyzna [X]");
    ASSERT_NE(gender, nullptr);
    EXPECT_EQ(gender->x, geometry.left + geometry.width + kDpi * 10 / 3);
    EXPECT_EQ(gender->align.horizontal, HAlign::Right);
    EXPECT_EQ(gender->y, name->y);
    EXPECT_NE(canvas.Find("ul. Długa 5, Kraków"), nullptr);
    EXPECT_NE(canvas.Find("12 345 67 89  /  Komórka   600 100 200"), nullptr);
    EXPECT_NE(canvas.Find("Data urodzenia:  1990-05-05"), nullptr);
    // The next two go to the top row of the second sheet.
    const int band = PageBandHeight(canvas, m_environment);
    const auto* second = canvas.Find("Imię1 Nowak");
    const auto* third = canvas.Find("Imię2 Nowak");
    ASSERT_NE(second, nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(second->y, third->y);
    EXPECT_GT(second->y, band + geometry.top);
    EXPECT_LT(second->y, band + geometry.top + kDpi);
    EXPECT_LT(second->x, geometry.left + kDpi / 2);
    EXPECT_EQ(third->x - second->x, geometry.width);
    EXPECT_NE(canvas.Find("Kobieta [X]"), nullptr);
}

TEST_F(CardReportsTest, LabelOptionsDropTheBirthDateAndTheMobileMark) {
    const PublisherId anna = Add("Anna", "Nowak");
    P(anna).SetPhone1("12 345");
    P(anna).SetPhone2("600 100");
    P(anna).SetBirthDate(" 5051990");
    m_environment.options.birthDateOnCards = false;
    LabelSource source;
    source.database = &m_database;
    source.workingMonth = m_month;
    source.records = {R(anna)};
    RecordingCanvas canvas(kDpi, kDpi);
    DrawPage(*MakeCardLabelsReport(source), canvas);
    EXPECT_NE(canvas.Find("12 345  /  600 100"), nullptr);
    for (const std::string& text : canvas.TextStrings())
        EXPECT_EQ(text.find("1990"), std::string::npos) << text;
    // The second layout: surname first, the birth date beside the name.
    m_environment.options.birthDateOnCards = true;
    m_environment.options.otherLabelLayout = true;
    RecordingCanvas other(kDpi, kDpi);
    DrawPage(*MakeCardLabelsReport(source), other);
    const auto* name = other.Find("Nowak Anna");
    const auto* birth = other.Find("1990-05-05");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(birth, nullptr);
    EXPECT_EQ(name->y, birth->y);
}

// --- Attendance record ---------------------------------------------------------------------------------

TEST(AttendanceAverageText, DecimalCommaAndTwoPlaces) {
    EXPECT_EQ(AttendanceAverageText(0.0), "0,00");
    EXPECT_EQ(AttendanceAverageText(125.5), "125,50");
    EXPECT_EQ(AttendanceAverageText(32.0 / 3.0), "10,67");
}

TEST_F(CardReportsTest, AttendanceRecordPrintsBothMeetingsAndBothYears) {
    MeetingAttendance attendance;
    StoreAttendanceMonth(attendance, MeetingKind::Midweek, kFebruary, SlotOf(2025, kFebruary), {120, 0, 131, 0, 0});
    StoreAttendanceMonth(attendance, MeetingKind::Midweek, kJanuary, SlotOf(2025, kJanuary), {100, 100, 0, 0, 0});
    StoreAttendanceMonth(attendance, MeetingKind::Weekend, 9, SlotOf(2023, 9), {80, 90, 0, 0, 0}); // Oct 2023
    // March 2025 lies after the working month: its slot still holds March 2023, which is shown nowhere.
    StoreAttendanceMonth(attendance, MeetingKind::Midweek, 2, SlotOf(2023, 2), {50, 0, 0, 0, 0});
    AttendanceRecordSource source;
    source.attendance = &attendance;
    source.workingMonth = m_month;
    m_environment.options.dateStamp = true;
    m_environment.today = Date{2025, 3, 10};
    const auto report = MakeAttendanceRecordReport(source);
    RecordingCanvas canvas(kDpi, kDpi);
    ASSERT_EQ(report->CountPages(canvas, m_environment), 1);
    DrawPage(*report, canvas);
    const auto texts = canvas.TextStrings(true);
    const auto at = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) - texts.begin();
    };
    ASSERT_LT(at("ZESTAWIENIE OBECNOŚCI NA ZEBRANIACH ZBOROWYCH"), static_cast<long>(texts.size()));
    ASSERT_LT(at("Zebranie w tygodniu"), at("Zebranie w weekend"));
    EXPECT_LT(at("Rok służbowy 2024/2025"), static_cast<long>(texts.size()));
    EXPECT_LT(at("Rok służbowy 2023/2024"), at("Rok służbowy 2024/2025"));
    // The midweek table is drawn first: its February holds the current year's figures only.
    std::vector<std::string> rows;
    for (const auto& item : canvas.Texts())
        if (item.text == "luty")
            rows.push_back(item.text);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(CardRow(canvas, "luty"), (std::vector<std::string>{"0", "0", "0,00", "2", "251", "125,50"}));
    EXPECT_EQ(CardRow(canvas, "styczeń"), (std::vector<std::string>{"0", "0", "0,00", "2", "200", "100,00"}));
    // Months after the working month stay empty in the current year.
    EXPECT_EQ(CardRow(canvas, "marzec"), (std::vector<std::string>{"0", "0", "0,00"}));
    // The date stamp stands above the title's line, clear of the long title on any font.
    const auto* title = canvas.Find("ZESTAWIENIE OBECNOŚCI NA ZEBRANIACH ZBOROWYCH");
    const auto stamp = std::find_if(canvas.Texts().begin(), canvas.Texts().end(),
                                    [](const auto& item) { return item.text.starts_with("Drukuję"); });
    ASSERT_NE(stamp, canvas.Texts().end());
    EXPECT_LE(stamp->bounds.bottom, title->bounds.top);
    // Mean of the monthly averages: the current year over January and February only.
    EXPECT_EQ(CardRow(canvas, "Śr. obecności w każdym miesiącu"), (std::vector<std::string>{"0,00", "112,75"}));
}

} // namespace
} // namespace vardo::test
