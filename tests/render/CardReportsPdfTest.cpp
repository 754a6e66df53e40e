// The demo congregation's card-header labels, card totals view and attendance record printed to PDF and read
// back with pdftotext.

#include <gtest/gtest.h>

#include "DemoDocument.h"
#include "PdfText.h"
#include "core/platform/Strings.h"
#include "core/reporting/Attendance.h"
#include "core/reports/AttendanceRecordReport.h"
#include "core/reports/CardLabels.h"
#include "core/reports/RecordCard.h"
#include "render/ReportOutput.h"

namespace vardo {
namespace {

using test::DemoDocumentTest;

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST_F(DemoDocumentTest, LabelsOfTheActiveListTwentyToASheet) {
    LabelSource source;
    source.database = &m_doc.Database();
    source.workingMonth = m_doc.GetWorkingMonth();
    int men = 0;
    for (const IndexEntry& entry : m_doc.Database().List(PublisherCategory::Publisher)) {
        source.records.push_back(entry.recordNumber);
        men += entry.record->IsMale() ? 1 : 0;
    }
    ASSERT_GT(source.records.size(), 20u);
    source.firstPosition = 3;
    ReportEnvironment environment;
    environment.options = ReportOptionsFromSettings(m_doc.GetSettings());
    const auto pdf = m_dir.Path() / "etykiety.pdf";
    const Result<int> pages = RenderReportToPdf(*MakeCardLabelsReport(source), environment, pdf);
    ASSERT_TRUE(pages.ok()) << pages.error();
    EXPECT_EQ(pages.value(), static_cast<int>((2 + source.records.size() - 1) / 20 + 1));
    const auto text = test::PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    for (RecordNumber record : source.records) {
        const PublisherRecord& person = m_doc.Database().Record(record);
        EXPECT_NE(text->find(person.FirstName() + " " + person.LastName()), std::string::npos) << person.LastName();
    }
    EXPECT_EQ(CountOf(*text, "Mężczyzna [X]"), static_cast<std::size_t>(men));
}

TEST_F(DemoDocumentTest, CardTotalsViewNamesTheCategoryAndItsSums) {
    CardSource source;
    source.database = &m_doc.Database();
    source.workingMonth = m_doc.GetWorkingMonth();
    source.options.onePerPage = true;
    source.totals = CardTotalsChoice{CardTotalsCategory::Publishers, CardTotalsSource::Register, nullptr};
    const WorkingMonth month = m_doc.GetWorkingMonth();
    const CardMonthFigures working = CardTotalsMonth(m_doc.Database(), *source.totals, month.Year(), month.monthIndex);
    ASSERT_GT(working.reports, 0);
    const auto pdf = m_dir.Path() / "sumy.pdf";
    const Result<int> pages = RenderReportToPdf(*MakeCardTotalsReport(source), ReportEnvironment{}, pdf);
    ASSERT_TRUE(pages.ok()) << pages.error();
    EXPECT_EQ(pages.value(), 1);
    const auto text = test::PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_NE(text->find("Głosiciele Zborowi"), std::string::npos);
    // The working month's line: its name, the number of reports and the Bible studies.
    const std::size_t line = text->find(std::string(MonthName(month.monthIndex)));
    ASSERT_NE(line, std::string::npos);
    const std::string row = text->substr(line, text->find('\n', line) - line);
    EXPECT_NE(row.find(" " + std::to_string(working.reports) + " "), std::string::npos) << row;
    EXPECT_NE(row.find(std::to_string(working.studies)), std::string::npos) << row;
}

TEST_F(DemoDocumentTest, AttendanceRecordHoldsBothMeetingsAndTheAverages) {
    MeetingAttendance& attendance = m_doc.Side().attendance;
    const WorkingMonth month = m_doc.GetWorkingMonth();
    const YearSlot slot = month.SlotOf(month.monthIndex);
    StoreAttendanceMonth(attendance, MeetingKind::Midweek, month.monthIndex, slot, {120, 0, 131, 0, 0});
    StoreAttendanceMonth(attendance, MeetingKind::Weekend, month.monthIndex, slot, {10, 11, 11, 0, 0});
    AttendanceRecordSource source;
    source.attendance = &attendance;
    source.workingMonth = month;
    const auto pdf = m_dir.Path() / "frekwencja.pdf";
    const Result<int> pages = RenderReportToPdf(*MakeAttendanceRecordReport(source), ReportEnvironment{}, pdf);
    ASSERT_TRUE(pages.ok()) << pages.error();
    EXPECT_EQ(pages.value(), 1);
    const auto text = test::PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_NE(text->find("ZESTAWIENIE OBECNOŚCI NA ZEBRANIACH ZBOROWYCH"), std::string::npos);
    const std::size_t midweek = text->find("Zebranie w tygodniu");
    const std::size_t weekend = text->find("Zebranie w weekend");
    ASSERT_NE(midweek, std::string::npos);
    ASSERT_NE(weekend, std::string::npos);
    EXPECT_LT(midweek, weekend);
    const std::size_t midweekAverage = text->find("125,50");
    const std::size_t weekendAverage = text->find("10,67");
    EXPECT_GT(midweekAverage, midweek);
    EXPECT_LT(midweekAverage, weekend);
    EXPECT_GT(weekendAverage, weekend);
    EXPECT_NE(weekendAverage, std::string::npos);
    EXPECT_EQ(CountOf(*text, "Śr. obecności w każdym miesiącu"), 2u);
}

} // namespace
} // namespace vardo
