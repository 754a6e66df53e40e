// The averages and hours reports in the report view, and the pioneer progress window.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>

#include "ReportViewFixture.h"
#include "core/reports/HoursReports.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRouter.h"
#include "gui/reports/PioneerProgressDialog.h"
#include "gui/reports/ReportGroupDialog.h"

namespace vardo::test {
namespace {

constexpr int kAveragesCongregation = 32796;
constexpr int kAveragesGroup = 32797;
constexpr int kAveragesUserCategory = 32836;
constexpr int kHoursCongregation = 32807;
constexpr int kHoursAuxiliary = 32816;
constexpr int kServiceYear = 32818;
constexpr int kPioneerHoursReport = 32806;

TEST_F(ReportViewTest, AveragesAndHoursCommandsShowTheirReports) {
    for (const int id : {kAveragesCongregation, kHoursCongregation, kHoursAuxiliary, kServiceYear, kPioneerHoursReport})
        EXPECT_TRUE(m_view->IsCommandEnabled(id)) << id;
    // The user-category kinds wait for the category to be switched on.
    m_doc.GetSettings().userCategoryEnabled = 0;
    EXPECT_FALSE(m_view->IsCommandEnabled(kAveragesUserCategory));
    m_doc.GetSettings().userCategoryEnabled = 1;
    EXPECT_TRUE(m_view->IsCommandEnabled(kAveragesUserCategory));

    const struct {
        int id;
        ReportKind kind;
    } commands[] = {{kAveragesCongregation, ReportKind::AveragesCongregation},
                    {kHoursCongregation, ReportKind::HoursCongregation},
                    {kServiceYear, ReportKind::ServiceYearCongregation},
                    {kPioneerHoursReport, ReportKind::PioneerHours}};
    for (const auto& command : commands) {
        m_view->OnCommand(command.id);
        ASSERT_EQ(m_view->Mode(), ViewMode::Report) << command.id;
        EXPECT_EQ(m_view->Kind(), command.kind);
        ASSERT_NE(m_view->CurrentReport(), nullptr) << command.id;
        m_view->ReturnToMainPanel();
    }
    // The whole-congregation hours report lists every active publisher: pages enough for them all.
    m_view->OnCommand(kHoursCongregation);
    EXPECT_GE(m_view->PageCount(), 1);
}

TEST_F(ReportViewTest, GroupAveragesAskForTheGroupFirst) {
    OnNextDialog<ReportGroupDialog>([](ReportGroupDialog& dialog) { dialog.accept(); });
    m_view->OnCommand(kAveragesGroup);
    ASSERT_EQ(m_view->Mode(), ViewMode::Report);
    EXPECT_EQ(m_view->Kind(), ReportKind::AveragesGroup);
    EXPECT_GE(m_view->Group(), 1);
}

TEST_F(ReportViewTest, HoursReportShowsOnScreenWithInk) {
    m_view->show();
    m_view->OnCommand(kHoursCongregation);
    const double ink = InkShare(m_view->viewport()->grab().toImage());
    EXPECT_GT(ink, 0.01);
    EXPECT_LT(ink, 0.6);
}

class PioneerProgressDialogTest : public ReportViewTest {
protected:
    std::unique_ptr<PioneerProgressDialog> Make() {
        return std::make_unique<PioneerProgressDialog>(m_doc, m_view->ScreenEnvironment(), m_prompter);
    }
};

TEST_F(PioneerProgressDialogTest, ChoosingAPioneerShowsHisNameAndLines) {
    auto dialog = Make();
    auto* combo = dialog->findChild<QComboBox*>("pioneerCombo");
    ASSERT_NE(combo, nullptr);
    const auto pioneers = RegularPioneersOf(m_doc.Database(), m_doc.GetWorkingMonth());
    ASSERT_FALSE(pioneers.empty());
    ASSERT_EQ(combo->count(), static_cast<int>(pioneers.size()));
    combo->setCurrentIndex(combo->count() - 1);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Godziny pionierów od początku roku - ") + combo->currentText());
    // February: the remaining hours of March to August.
    auto* line2 = dialog->findChild<QLabel*>("line2Label");
    EXPECT_TRUE(line2->text().startsWith(QStringLiteral("Razem zostało godzin ( Mar - Sie ) = ")))
        << line2->text().toStdString();
    auto* line3 = dialog->findChild<QLabel*>("line3Label");
    EXPECT_TRUE(line3->text().startsWith(QStringLiteral("Średnia pozostałych godzin w każdym m-cu ( Mar - Sie ) = ")));

    auto* previous = dialog->findChild<QCheckBox*>("previousYearCheck");
    EXPECT_EQ(previous->text(), QStringLiteral("Poprzedni rok służbowy"));
    previous->setChecked(true);
    EXPECT_TRUE(line2->text().isEmpty());
    EXPECT_EQ(line3->text(), QStringLiteral("Bieżący rok sł. : 2023"));
    previous->setChecked(false);
    EXPECT_FALSE(line2->text().isEmpty());
}

TEST_F(PioneerProgressDialogTest, ChartDrawsBarsAndPrintIsTheSameDrawing) {
    auto dialog = Make();
    dialog->show();
    auto* chart = dialog->findChild<PioneerProgressChart*>();
    ASSERT_NE(chart, nullptr);
    const QImage shot = chart->grab().toImage();
    EXPECT_GT(InkShare(shot), 0.005);

    const std::filesystem::path pdf = m_dir.Path() / "progress.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    ASSERT_TRUE(dialog->PrintTo(printer));
    const auto pages = PdfPages(pdf);
    if (!pages)
        GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_GE(pages->size(), 1u);
    const std::string first = (*pages)[0];
    EXPECT_NE(first.find("Godziny pionierów od początku roku"), std::string::npos);
    EXPECT_NE(first.find("Pionierzy stali: godziny wobec wymagań roku"), std::string::npos);
    EXPECT_NE(first.find("Razem zostało godzin"), std::string::npos);
    const std::string name = dialog->findChild<QComboBox*>("pioneerCombo")->currentText().toStdString();
    EXPECT_NE(first.find(name), std::string::npos);
}

TEST_F(PioneerProgressDialogTest, FrameCommandOpensTheWindowOrSaysThereAreNoPioneers) {
    CMainFrame frame(m_doc, m_prompter);
    RegisterPioneerProgressCommand(frame, m_doc, m_prompter, m_clock);
    ASSERT_TRUE(frame.Router().StateOf(cmd::kPioneerHours).enabled);
    bool opened = false;
    OnNextDialog<PioneerProgressDialog>([&opened](PioneerProgressDialog& dialog) {
        opened = dialog.Presenter().HasPioneers();
        dialog.accept();
    });
    frame.Router().Execute(cmd::kPioneerHours);
    EXPECT_TRUE(opened);

    // Without regular pioneers in the working month a message says so instead.
    const WorkingMonth& month = m_doc.GetWorkingMonth();
    for (const RecordNumber record : RegularPioneersOf(m_doc.Database(), month)) {
        PublisherRecord& person = const_cast<PublisherRecord&>(m_doc.Database().Record(record));
        person.SetRow(MonthRow::Pioneer, month.monthIndex, month.SlotOf(month.monthIndex), 0);
    }
    m_prompter.Clear();
    frame.Router().Execute(cmd::kPioneerHours);
    EXPECT_TRUE(m_prompter.AnyShownContains("nie ma pionierów stałych"));
}

} // namespace
} // namespace vardo::test
