// The status views printed: report kinds, columns, wrapping, pages.

#include "core/reports/StatusReport.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "core/reports/RecordingCanvas.h"

namespace vardo {
namespace {

constexpr int kDpi = 300;

ReportEnvironment Environment() {
    ReportEnvironment environment = ForPrinting(ReportEnvironment{}, false);
    environment.today = Date{2025, 3, 10};
    return environment;
}

StatusLine Line(std::string name, std::string detail, std::string reason) {
    StatusLine line;
    line.name = std::move(name);
    line.detail = std::move(detail);
    line.reason = std::move(reason);
    return line;
}

std::vector<const RecordingCanvas::TextItem*> TextsWith(const RecordingCanvas& canvas, std::string_view text) {
    std::vector<const RecordingCanvas::TextItem*> found;
    for (const auto& item : canvas.Texts())
        if (item.text == text)
            found.push_back(&item);
    return found;
}

TEST(StatusReportKinds, EveryViewHasItsOwnReportKindAndName) {
    for (int i = 0; i < kStatusViewKinds; ++i) {
        const auto view = static_cast<StatusViewKind>(i);
        const ReportKind kind = StatusReportKind(view);
        EXPECT_EQ(StatusViewOfReport(kind), view);
        EXPECT_EQ(ReportKindFromNumber(static_cast<int>(kind)), kind);
        EXPECT_EQ(ReportKindName(kind), "status-" + std::string(StatusViewName(view)));
        EXPECT_EQ(StatusViewFromName(StatusViewName(view)), view);
        EXPECT_FALSE(ReportKindTakesGroup(kind));
    }
    EXPECT_EQ(ReportKindFromName("status-irregular"), ReportKind::StatusIrregular);
    EXPECT_EQ(StatusViewOfReport(ReportKind::SpecialNeedsGroup), std::nullopt);
    EXPECT_EQ(StatusViewOfReport(ReportKind::CongregationAnalysis), std::nullopt);
    EXPECT_EQ(StatusViewFromName("status-irregular"), std::nullopt);
    // Clear of the Reports menu's numbers.
    EXPECT_GT(static_cast<int>(StatusReportKind(StatusViewKind::NoReport)),
              static_cast<int>(ReportKind::SpecialNeedsGroup));
}

TEST(StatusReport, NameDetailAndReasonStandInTheirColumns) {
    StatusReportContent content{"Głosiciele nieregularni ( 2 )", "Grupa: Zbór", {}};
    content.lines.push_back(Line("Adamska, Anna", "(3)\t601 222 333", "brak sprawozdań: lip, wrz"));
    content.lines.push_back(Line("Bielski, Bogdan", "Sty!", "brak sprawozdań: sty! (uwaga)"));
    const auto report = MakeStatusReport(content);
    RecordingCanvas canvas(kDpi, kDpi);
    const ReportEnvironment environment = Environment();
    EXPECT_EQ(report->CountPages(canvas, environment), 1);
    report->Draw(canvas, environment);

    ASSERT_NE(canvas.Find("Głosiciele nieregularni ( 2 )"), nullptr);
    ASSERT_NE(canvas.Find("Grupa: Zbór"), nullptr);
    const auto* nameHead = canvas.Find("Nazwisko i imię");
    const auto* reasonHead = canvas.Find("Powód");
    ASSERT_NE(nameHead, nullptr);
    ASSERT_NE(reasonHead, nullptr);
    const auto* name = canvas.Find("Adamska, Anna");
    const auto* detail = canvas.Find("(3)  601 222 333"); // the tab becomes two blanks
    const auto* reason = canvas.Find("brak sprawozdań: lip, wrz");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(detail, nullptr);
    ASSERT_NE(reason, nullptr);
    EXPECT_EQ(name->y, detail->y);
    EXPECT_EQ(name->y, reason->y);
    EXPECT_LT(name->x, detail->x);
    EXPECT_LT(detail->x, reason->x);
    EXPECT_EQ(reason->x, reasonHead->x);
    EXPECT_GT(name->y, nameHead->y);
    const auto* second = canvas.Find("Bielski, Bogdan");
    ASSERT_NE(second, nullptr);
    EXPECT_GT(second->y, name->y);
    // The column heads are underlined across the columns.
    EXPECT_TRUE(std::any_of(canvas.Lines().begin(), canvas.Lines().end(), [&](const auto& line) {
        return line.y1 == line.y2 && line.y1 > nameHead->y && line.y1 < name->y && line.x2 > reasonHead->x;
    }));
}

TEST(StatusReport, LongReasonsWrapInTheirColumnAndPushTheNextRowDown) {
    std::string reason;
    for (int i = 0; i < 12; ++i)
        reason += "brak sprawozdań od maja 2024 ";
    StatusReportContent content{"Nowi głosiciele ( 2 )", "", {}};
    content.lines.push_back(Line("Adamska, Anna", "2025 luty", reason));
    content.lines.push_back(Line("Bielski, Bogdan", "2025 styczeń", "krótko"));
    RecordingCanvas canvas(kDpi, kDpi);
    MakeStatusReport(content)->Draw(canvas, Environment());

    const auto* head = canvas.Find("Powód");
    const auto* first = canvas.Find("Adamska, Anna");
    const auto* next = canvas.Find("Bielski, Bogdan");
    ASSERT_NE(head, nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(next, nullptr);
    std::vector<int> ys;
    std::string joined;
    for (const auto& item : canvas.Texts()) {
        if (item.x != head->x || item.y < first->y || item.y >= next->y)
            continue;
        ys.push_back(item.y);
        joined += item.text + " ";
        EXPECT_LE(item.bounds.right, head->x + kDpi * 3); // 3 inches from the reason column to the text's right
    }
    ASSERT_GE(ys.size(), 3u);
    const int step = ys[1] - ys[0];
    EXPECT_GT(step, 0);
    EXPECT_EQ(next->y - first->y, static_cast<int>(ys.size()) * step);
    // Nothing of the reason is lost by the wrapping.
    EXPECT_EQ(std::count(joined.begin(), joined.end(), 'm'), std::count(reason.begin(), reason.end(), 'm'));
}

TEST(StatusReport, LongListsRunOverPagesWithTheHeadsOnEachPage) {
    StatusReportContent content{"Zainteresowani ( 150 )", "", {}};
    for (int i = 0; i < 150; ++i)
        content.lines.push_back(Line("Osoba " + std::to_string(i), "", "osoba zainteresowana"));
    const auto report = MakeStatusReport(content);
    RecordingCanvas canvas(kDpi, kDpi);
    const ReportEnvironment environment = Environment();
    const int pages = report->CountPages(canvas, environment);
    EXPECT_GE(pages, 3);
    report->Draw(canvas, environment);
    EXPECT_EQ(static_cast<int>(TextsWith(canvas, "Powód").size()), pages);
    EXPECT_EQ(static_cast<int>(TextsWith(canvas, "Zainteresowani ( 150 )").size()), pages);
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(TextsWith(canvas, "Osoba " + std::to_string(i)).size(), 1u) << i;

    // Printing page 2 alone, inside a page run, shows the second page's persons and its heads.
    RecordingCanvas page2(kDpi, kDpi);
    {
        PageRun run(*report, page2, environment);
        DrawReportPage(*report, page2, environment, 2);
    }
    const auto visible = page2.TextStrings(true);
    EXPECT_NE(std::find(visible.begin(), visible.end(), "Powód"), visible.end());
    EXPECT_EQ(std::find(visible.begin(), visible.end(), "Osoba 0"), visible.end());
    EXPECT_NE(std::find(visible.begin(), visible.end(), "Osoba 60"), visible.end());
}

TEST(StatusReport, AnEmptyViewSaysSo) {
    const auto report = MakeStatusReport(StatusReportContent{"Przeprowadzeni ( 0 )", "", {}});
    RecordingCanvas canvas(kDpi, kDpi);
    EXPECT_EQ(report->CountPages(canvas, Environment()), 1);
    report->Draw(canvas, Environment());
    EXPECT_NE(canvas.Find("Nikt nie spełnia warunków tego zestawienia."), nullptr);
    EXPECT_NE(canvas.Find("Przeprowadzeni ( 0 )"), nullptr);
}

TEST(StatusReport, SubtitleNamesTheChoicesAndTheWorkingMonth) {
    PublisherDatabase database;
    AppointmentTable appointments;
    Settings settings;
    const WorkingMonth month = WorkingMonthFor(2025, 3, 10);
    const StatusData data{database, appointments, settings, StatusBasis::Of(month, database.Header(), nullptr), 2025,
                          3};
    StatusQuery query;
    query.kind = StatusViewKind::Inactive;
    query.period = StatusPeriod::OverTwelveMonths;
    EXPECT_EQ(StatusReportSubtitle(data, query, nullptr), "Okres: Ponad 12 mies; Miesiąc roboczy = luty");
    query.kind = StatusViewKind::CollectionForm;
    query.month = 0;
    query.group = 4;
    EXPECT_EQ(StatusReportSubtitle(data, query, nullptr), "Miesiąc: styczeń; Grupa: Grupa #4; Miesiąc roboczy = luty");
    query.kind = StatusViewKind::NoReport; // the month stands in the title already
    query.group = 0;
    EXPECT_EQ(StatusReportSubtitle(data, query, nullptr), "Grupa: Zbór; Miesiąc roboczy = luty");

    const StatusReportContent content = MakeStatusReportContent(data, query, nullptr);
    EXPECT_EQ(content.title, "Brak raportu dla styczeń  ( 0 )");
    EXPECT_TRUE(content.lines.empty());
}

} // namespace
} // namespace vardo
