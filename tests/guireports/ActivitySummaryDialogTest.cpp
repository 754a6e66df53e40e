// The activity summary dialog driven through its widgets, its printing and its command, and the statistics
// report in the report view, over the demo congregation.

#include <filesystem>
#include <string>

#include <QComboBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>

#include "ReportViewFixture.h"
#include "core/doc/StatisticsSources.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRouter.h"
#include "gui/reports/ActivityCommands.h"
#include "gui/reports/ActivitySummaryDialog.h"

namespace vardo {
namespace {

class ActivitySummaryDialogTest : public test::ReportViewTest {
protected:
    void SetUp() override {
        test::ReportViewTest::SetUp();
        m_environment.fonts = ReportFonts(m_doc.LanguageTag());
        m_environment.screen = m_view->ScreenResolution();
        m_environment.today = m_clock.Today();
        m_dialog = std::make_unique<ActivitySummaryDialog>(ActivityDataOf(m_doc), m_environment, m_prompter);
        m_dialog->resize(1000, 500);
    }
    template <class T>
    T* W(const char* name) {
        T* widget = m_dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QRadioButton* Radio(const char* name) { return W<QRadioButton>(name); }
    QComboBox* Combo(const char* name) { return W<QComboBox>(name); }
    QPushButton* Button(const char* name) { return W<QPushButton>(name); }

    ReportEnvironment m_environment;
    std::unique_ptr<ActivitySummaryDialog> m_dialog;
};

TEST_F(ActivitySummaryDialogTest, OpensOnTheRegisterTheCongregationAndTwelveMonths) {
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Podsumowanie aktywności"));
    EXPECT_TRUE(Radio("registerRadio")->isChecked());
    EXPECT_FALSE(Radio("branchRadio")->isChecked());
    EXPECT_EQ(Combo("categoryCombo")->count(), 4);
    EXPECT_EQ(Combo("categoryCombo")->currentText(), QStringLiteral("Zbór"));
    EXPECT_EQ(Combo("categoryCombo")->itemText(3), QStringLiteral("Pionierzy (Peł i Spe)"));
    EXPECT_EQ(Button("periodButton")->text(), QStringLiteral("&Sum/śred. dla 12 ost. mies."));
    EXPECT_EQ(Combo("measureCombo")->currentText(), QStringLiteral("Godziny"));
    EXPECT_EQ(Button("printButton")->text(), QStringLiteral("&Drukuj"));
    EXPECT_EQ(Button("closeButton")->text(), QStringLiteral("&Wyjdź"));
    // The demo's register has reports: the figures agree with the core's table.
    const ActivityTable expected = ComputeActivity(ActivityDataOf(m_doc), ActivityChoice{});
    EXPECT_EQ(m_dialog->Presenter().Table().hoursSum, expected.hoursSum);
    EXPECT_GT(expected.rows.back().participated, 0);
}

TEST_F(ActivitySummaryDialogTest, TogglesChangeSourceCategoryPeriodAndChart) {
    Button("periodButton")->click();
    EXPECT_EQ(Button("periodButton")->text(), QStringLiteral("&Sum/śred. dla 6 ost. mies."));
    EXPECT_EQ(m_dialog->Presenter().Table().months, 6);
    Button("periodButton")->click();
    EXPECT_EQ(Button("periodButton")->text(), QStringLiteral("&Sum/śred. dla Bieżący rok sł."));
    EXPECT_EQ(m_dialog->Presenter().Table().months, 6); // February: September to February
    Button("periodButton")->click();
    EXPECT_EQ(m_dialog->Presenter().Choice().period, ActivityPeriod::TwelveMonths);

    Radio("branchRadio")->click();
    EXPECT_EQ(m_dialog->Presenter().Choice().source, ActivitySource::Branch);
    Radio("registerRadio")->click();
    EXPECT_EQ(m_dialog->Presenter().Choice().source, ActivitySource::Register);
    Combo("categoryCombo")->setCurrentIndex(1);
    EXPECT_EQ(m_dialog->Presenter().Choice().category, ActivityCategory::Publishers);
    EXPECT_FALSE(m_dialog->Presenter().Table().hoursShown);
    Combo("measureCombo")->setCurrentIndex(1);
    EXPECT_EQ(m_dialog->Presenter().Choice().measure, ActivityMeasure::Studies);
}

TEST_F(ActivitySummaryDialogTest, TableAndChartAreDrawnWithInk) {
    m_dialog->show();
    const double table = test::InkShare(m_dialog->TableView().grab().toImage());
    const double chart = test::InkShare(m_dialog->ChartView().grab().toImage());
    EXPECT_GT(table, 0.01);
    EXPECT_LT(table, 0.6);
    EXPECT_GT(chart, 0.02);
    // Publishers' hours: the chart holds only its note, far less ink than twelve bars.
    Combo("categoryCombo")->setCurrentIndex(1);
    const double note = test::InkShare(m_dialog->ChartView().grab().toImage());
    EXPECT_LT(note, chart / 2);
}

TEST_F(ActivitySummaryDialogTest, PrintsAndSavesThePageWithTheChart) {
    Combo("categoryCombo")->setCurrentIndex(3);
    const std::filesystem::path printed = m_dir.Path() / "printed.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(printed.string()));
    ASSERT_TRUE(m_dialog->PrintOn(printer));
    ASSERT_TRUE(std::filesystem::exists(printed));
    if (const auto pages = test::PdfPages(printed)) {
        ASSERT_EQ(pages->size(), 1u);
        EXPECT_NE(pages->front().find("Podsumowanie aktywności"), std::string::npos) << pages->front();
        EXPECT_NE(pages->front().find("Pionierzy (Peł i Spe)"), std::string::npos);
        EXPECT_NE(pages->front().find("Sum/śred. dla 12 ost. mies."), std::string::npos);
        EXPECT_NE(pages->front().find("Godziny"), std::string::npos); // the chart's heading
    }

    const std::filesystem::path saved = m_dir.Path() / "saved.pdf";
    EXPECT_TRUE(m_dialog->SaveAsPdf(saved.string()));
    EXPECT_GT(std::filesystem::file_size(saved), 1000u);
    EXPECT_TRUE(m_prompter.AnyShownContains("Zapisano zestawienie aktywności w pliku"));
    m_prompter.Clear();
    EXPECT_FALSE(m_dialog->SaveAsPdf((m_dir.Path() / "missing" / "folder" / "x.pdf").string()));
    EXPECT_TRUE(m_prompter.AnyShownContains("Nie udało się zapisać pliku PDF"));
}

TEST_F(ActivitySummaryDialogTest, PrintWithoutADefaultPrinterSaysSo) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is installed";
    Button("printButton")->click();
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_EQ(m_prompter.Shown().front(), "Nie wybrano drukarki.  Zmień ustawienia drukarki i spróbuj ponownie.");
}

TEST_F(ActivitySummaryDialogTest, MenuCommandOpensTheDialog) {
    CMainFrame frame(m_doc, m_prompter);
    RegisterActivityCommands(frame, m_doc, m_prompter, m_clock);
    EXPECT_TRUE(frame.Router().StateOf(cmd::kActivitySummary).enabled);
    bool opened = false;
    test::OnNextDialog<ActivitySummaryDialog>([&opened](ActivitySummaryDialog& dialog) {
        opened = dialog.Presenter().Choice() == ActivityChoice{};
        dialog.findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
    });
    ASSERT_TRUE(frame.Router().Execute(cmd::kActivitySummary));
    EXPECT_TRUE(opened);
}

TEST_F(ActivitySummaryDialogTest, StatisticsShowInTheReportViewOnOnePage) {
    CommandRouter router;
    m_view->RegisterCommands(router);
    EXPECT_TRUE(router.StateOf(cmd::kStatistics).enabled);
    m_view->show();
    ASSERT_TRUE(router.Execute(cmd::kStatistics));
    EXPECT_EQ(m_view->Mode(), ViewMode::Report);
    EXPECT_EQ(m_view->Kind(), ReportKind::Statistics);
    EXPECT_EQ(m_view->PageCount(), 1);
    const double ink = test::InkShare(m_view->viewport()->grab().toImage());
    EXPECT_GT(ink, 0.005);
    EXPECT_LT(ink, 0.5);
}

} // namespace
} // namespace vardo
