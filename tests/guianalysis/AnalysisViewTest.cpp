// The analysis kinds in the report view and the Reports menu, the month totals on the main panel following
// every change, the record-card and attendance commands of the main frame and the attendance CSV export.

#include <fstream>

#include <QAction>
#include <QPushButton>

#include "PdfText.h"
#include "Persons.h"
#include "ReportViewFixture.h"
#include "core/reporting/AttendanceEntry.h"
#include "core/reporting/MonthTotals.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/reporting/AttendanceDialog.h"
#include "gui/exchange/ExchangeCommands.h"
#include "gui/reports/AnalysisCommands.h"
#include "gui/reports/MonthTotalsWidget.h"
#include "gui/reports/RecordCardDialog.h"

namespace vardo::test {
namespace {

constexpr MonthIndex kFebruary = 1;
constexpr YearSlot kSlot2024 = 0;

class AnalysisViewTest : public ReportViewTest {
protected:
    void SetUp() override {
        ReportViewTest::SetUp();
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        m_frame->AttachView(*m_view);
        RegisterAnalysisCommands(*m_frame, m_doc, m_prompter, m_clock);
        m_frame->UpdateCommands();
    }
    void TearDown() override {
        m_view.reset();
        m_frame.reset();
    }
    MonthTotalsWidget* Totals() const { return m_frame->Panel().findChild<MonthTotalsWidget*>(); }

    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(AnalysisViewTest, AnalysisKindsAreEnabledAndShownInTheView) {
    for (const int id :
         {cmd::kCongregationAnalysisMonth, cmd::kCongregationAnalysisPioneers, cmd::kCongregationAnalysisAZ,
          cmd::kGroupAnalysis, cmd::kCongregationSummary, cmd::kAttendanceReport}) {
        EXPECT_TRUE(m_view->IsCommandEnabled(id)) << id;
        ASSERT_NE(m_frame->Action(id), nullptr) << id;
        EXPECT_TRUE(m_frame->Action(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(m_frame->Panel().ButtonFor(cmd::kCongregationAnalysisPioneers)->isEnabled());
    EXPECT_TRUE(m_frame->Panel().ButtonFor(cmd::kCongregationSummary)->isEnabled());

    m_view->OnCommand(cmd::kCongregationAnalysisMonth);
    ASSERT_EQ(m_view->Mode(), ViewMode::Report);
    ASSERT_NE(m_view->CurrentReport(), nullptr);
    EXPECT_GE(m_view->PageCount(), 2); // 150 persons and the branch table
    m_view->ShowReport(ReportKind::CongregationSummary);
    EXPECT_EQ(m_view->PageCount(), 1);
    m_view->ShowReport(ReportKind::GroupAnalysis, 1);
    ASSERT_NE(m_view->CurrentReport(), nullptr);
    EXPECT_EQ(m_view->Group(), 1);
}

TEST_F(AnalysisViewTest, TheAnalysisOnTheScreenFollowsAChangeOfTheData) {
    m_view->ShowReport(ReportKind::CongregationAnalysis);
    const int pages = m_view->PageCount();
    {
        // Eighty new publishers need more pages.
        DocumentChange change(m_doc.Changes(), "test");
        change.Touch(DataArea::Register);
        for (int i = 0; i < 80; ++i)
            AddPersonTo(m_doc.Database(), "Nowy", ("Nowak" + std::to_string(100 + i)).c_str(), m_prompter);
        change.Commit();
    }
    EXPECT_EQ(m_view->Kind(), ReportKind::CongregationAnalysis);
    EXPECT_GT(m_view->PageCount(), pages);
    m_doc.Changes().MarkSaved();
    EXPECT_EQ(m_view->Mode(), ViewMode::Report);
}

TEST_F(AnalysisViewTest, AnalysisPdfFromTheViewHoldsTheBranchTable) {
    m_view->ShowReport(ReportKind::CongregationAnalysis);
    const std::filesystem::path pdf = m_dir.Path() / "analysis.pdf";
    ASSERT_TRUE(m_view->ExportPdf(QString::fromStdString(pdf.string())));
    const auto text = PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_NE(text->find("luty raport do Biura Oddzału"), std::string::npos);
    EXPECT_NE(text->find("Raport z frekwencji"), std::string::npos);
    for (const IndexEntry& entry : m_doc.Database().List(PublisherCategory::Publisher))
        EXPECT_NE(text->find(entry.record->LastName()), std::string::npos) << entry.record->LastName();
}

TEST_F(AnalysisViewTest, MainPanelShowsTheMonthTotalsAndFollowsChanges) {
    MonthTotalsWidget* totals = Totals();
    ASSERT_NE(totals, nullptr);
    const MonthTotals& t = m_doc.Totals();
    EXPECT_TRUE(totals->title().contains(
        QStringLiteral("luty raport do Biura Oddzału - %1 Głosiciele czynni").arg(t.ActivePublishers())));
    EXPECT_EQ(totals->CellText(0, 0), QString::number(t.Value(0, MonthTotals::kReportCountColumn)));
    EXPECT_EQ(totals->CellText(0, 1), QString()); // publishers' hours are not reported
    EXPECT_EQ(totals->CellText(2, 1), QString::number(t.Value(2, MonthTotals::kHoursColumn)));
    const int reports = t.Value(0, 8) + t.Value(1, 8) + t.Value(2, 8);
    EXPECT_EQ(totals->CellText(4, 0), QString::number(reports));
    EXPECT_EQ(totals->CellText(4, 2), QString::number(TotalOfColumn(t, MonthTotals::kStudiesColumn)));

    // A regular pioneer's report gains ten hours: the panel shows it without being told.
    PublisherRecord* pioneer = nullptr;
    for (const IndexEntry& entry : m_doc.Database().List(PublisherCategory::Publisher)) {
        const PublisherRecord& p = *entry.record;
        if (p.Pioneer(kFebruary, kSlot2024) == PioneerCode::Regular && !p.IsSpecialFullTime() &&
            !p.IsFieldMissionary() && p.Cell(kFebruary, kSlot2024).hours > 0)
            pioneer = entry.record;
    }
    ASSERT_NE(pioneer, nullptr);
    const int before = totals->CellText(2, 1).toInt();
    {
        DocumentChange change(m_doc.Changes(), "test");
        change.Touch(DataArea::Register);
        ReportCell cell = pioneer->Cell(kFebruary, kSlot2024);
        cell.hours = static_cast<std::uint16_t>(cell.hours + 10);
        pioneer->SetCell(kFebruary, kSlot2024, cell);
        change.Commit();
    }
    EXPECT_EQ(totals->CellText(2, 1).toInt(), before + 10);
    EXPECT_EQ(totals->CellText(4, 1), QString::number(TotalOfColumn(m_doc.Totals(), MonthTotals::kHoursColumn)));
}

TEST_F(AnalysisViewTest, PanelAndMenuOpenTheCardsAndTheAttendanceDialogs) {
    ASSERT_TRUE(m_frame->Action(cmd::kRecordCard)->isEnabled());
    bool cardsOpened = false;
    OnNextDialog<RecordCardDialog>([&](RecordCardDialog& dialog) {
        cardsOpened = dialog.Presenter().Entries().size() > 0;
        dialog.reject();
    });
    m_frame->Panel().ButtonFor(cmd::kRecordCard)->click();
    EXPECT_TRUE(cardsOpened);

    bool attendanceOpened = false;
    OnNextDialog<AttendanceDialog>([&](AttendanceDialog& dialog) {
        attendanceOpened = dialog.windowTitle() == QStringLiteral("Frekwencja - luty - 2024");
        dialog.reject();
    });
    m_frame->Action(cmd::kAttendance)->trigger();
    EXPECT_TRUE(attendanceOpened);
}

TEST_F(AnalysisViewTest, AttendanceExportWritesTheHeaderAndFortyEightLines) {
    m_prompter.Script(Answer::No);
    RunAttendanceExport(nullptr, m_doc, m_prompter);
    const std::filesystem::path csv = m_doc.Folder().Resolve("Exports/Frekwencja.csv");
    std::ifstream in(csv);
    int lines = 0;
    for (std::string line; std::getline(in, line);)
        ++lines;
    EXPECT_EQ(lines, 49);
    EXPECT_TRUE(m_prompter.AnyShownContains(csv.string()));
}

} // namespace
} // namespace vardo::test
