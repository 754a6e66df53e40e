// The report view driven through its commands, keys and dialogs over the demo congregation.

#include <algorithm>
#include <set>

#include <QFontDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>

#include "ReportViewFixture.h"
#include "core/platform/IniFile.h"
#include "core/store/GroupTable.h"
#include "core/store/Settings.h"
#include "core/reports/Lists.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRouter.h"
#include "gui/app/MenuLayout.h"
#include "gui/reports/ReportCommands.h"
#include "gui/reports/ReportGroupDialog.h"

namespace vardo {
namespace {

using test::ReportViewTest;

void Key(QWidget& widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
}

TEST(ReportCommandTable, EveryMenuCommandOnceWithItsKindsGroupRule) {
    const std::vector<int> menuIds = MenuCommandIds();
    std::set<int> seen;
    for (const ReportCommand& command : ReportCommandTable()) {
        EXPECT_TRUE(seen.insert(command.id).second) << command.id << " twice";
        if (command.id != 32901) {
            EXPECT_NE(std::find(menuIds.begin(), menuIds.end(), command.id), menuIds.end())
                << command.id << " has no menu entry";
        }
        // Kind 84 serves both the whole congregation (32882) and a chosen group (32904).
        if (command.kind != ReportKind::ContactInactive && command.kind != ReportKind::EmergencyForms) {
            EXPECT_EQ(command.chooseGroup, ReportKindTakesGroup(command.kind)) << command.id;
        }
        EXPECT_EQ(command.printButtons, command.id == cmd::kGroupAnalysis) << command.id;
    }
    EXPECT_TRUE(FindReportCommand(32904)->chooseGroup);
    EXPECT_FALSE(FindReportCommand(32882)->chooseGroup);
    EXPECT_EQ(FindReportCommand(32810)->kind, ReportKind::PhoneGroup);
}

TEST_F(ReportViewTest, CommandsFollowTheModeAndTheReportsThatExist) {
    EXPECT_EQ(m_view->Mode(), ViewMode::MainPanel);
    for (const int id : {cmd::kPrint, cmd::kPrintPreview, cmd::kReturnToPanel})
        EXPECT_FALSE(m_view->IsCommandEnabled(id)) << id;
    EXPECT_TRUE(m_view->IsCommandEnabled(cmd::kPrintSetup));
    EXPECT_TRUE(m_view->IsCommandEnabled(cmd::kPhoneList));
    EXPECT_TRUE(m_view->IsCommandEnabled(32852));
    EXPECT_TRUE(m_view->IsCommandEnabled(cmd::kCongregationAnalysisMonth));
    EXPECT_TRUE(m_view->IsCommandEnabled(cmd::kStatistics));
    EXPECT_EQ(m_view->IsCommandEnabled(32882), m_doc.Database().CategoryCount(PublisherCategory::Inactive) > 0);

    CommandRouter router;
    m_view->RegisterCommands(router);
    EXPECT_TRUE(router.StateOf(cmd::kPhoneList).enabled);
    EXPECT_FALSE(router.StateOf(cmd::kPrint).enabled);
    m_doc.GetSettings().userCategoryEnabled = 1;
    m_doc.GetSettings().userCategoryLabel = "Chór";
    EXPECT_EQ(router.StateOf(32836).text, QStringLiteral("Chór"));

    QSignalSpy modes(m_view.get(), &CVardoView::ModeChanged);
    ASSERT_TRUE(router.Execute(cmd::kPhoneList));
    EXPECT_EQ(m_view->Mode(), ViewMode::Report);
    EXPECT_EQ(m_view->Kind(), ReportKind::PhoneCongregation);
    EXPECT_EQ(modes.count(), 1);
    EXPECT_TRUE(router.StateOf(cmd::kPrint).enabled);
    EXPECT_TRUE(router.StateOf(cmd::kPrintPreview).enabled);
    EXPECT_TRUE(m_view->SaveAsPdfAction()->isEnabled());

    Key(*m_view, Qt::Key_Escape);
    EXPECT_EQ(m_view->Mode(), ViewMode::MainPanel);
    EXPECT_EQ(modes.count(), 2);
    EXPECT_FALSE(router.StateOf(cmd::kPrint).enabled);
    EXPECT_FALSE(m_view->SaveAsPdfAction()->isEnabled());
}

TEST_F(ReportViewTest, ScrollSizesAndKeysFollowThePages) {
    m_view->show();
    m_view->OnCommand(cmd::kPhoneList);
    ASSERT_EQ(m_view->Mode(), ViewMode::Report);
    ASSERT_GE(m_view->PageCount(), 1);
    const Resolution dpi = m_view->ScreenResolution();
    QScrollBar* vertical = m_view->verticalScrollBar();
    EXPECT_EQ(vertical->maximum(), 11 * dpi.y * m_view->PageCount() - m_view->viewport()->height());
    EXPECT_EQ(m_view->horizontalScrollBar()->maximum(), std::max(8 * dpi.x - m_view->viewport()->width(), 0));

    Key(*m_view, Qt::Key_Down);
    EXPECT_EQ(vertical->value(), dpi.y / 6);
    Key(*m_view, Qt::Key_PageDown);
    EXPECT_EQ(vertical->value(), std::min(dpi.y / 6 + 4 * dpi.y, vertical->maximum()));
    Key(*m_view, Qt::Key_End);
    EXPECT_EQ(vertical->value(), vertical->maximum());
    Key(*m_view, Qt::Key_PageUp);
    EXPECT_EQ(vertical->value(), vertical->maximum() - 4 * dpi.y);
    Key(*m_view, Qt::Key_Home);
    EXPECT_EQ(vertical->value(), 0);
}

TEST_F(ReportViewTest, ScreenShowsTheListOnWhitePaper) {
    m_view->show();
    m_view->OnCommand(cmd::kPhoneList);
    const QImage shot = m_view->viewport()->grab().toImage();
    const double ink = test::InkShare(shot);
    // Text shows, yet most of the visible sheet stays paper.
    EXPECT_GT(ink, 0.01);
    EXPECT_LT(ink, 0.5);
}

TEST_F(ReportViewTest, PreviewShowsEveryPrintedPageWithInk) {
    m_view->OnCommand(cmd::kPhoneList);
    int previewPages = 0;
    double ink = 0;
    test::OnNextDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog& dialog) {
        auto* widget = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(m_view->PreviewActive());
        previewPages = widget->pageCount();
        ink = test::InkShare(widget->grab().toImage());
        dialog.reject();
    });
    m_view->OnCommand(cmd::kPrintPreview);
    EXPECT_FALSE(m_view->PreviewActive());
    EXPECT_EQ(previewPages, m_view->PageCount());
    EXPECT_GT(ink, 0.0);
}

// The list title stands at the same height on every page: each page is its own band of the sheet, 12
// inches on A4 paper and 11 on any other.
class LargeReportViewTest : public ReportViewTest {
protected:
    DemoOptions Demo() const override {
        DemoOptions options;
        options.people = 900;
        options.seed = 3;
        return options;
    }
};

TEST_F(LargeReportViewTest, PdfPagesAreBandsOfTheSheetForEachPaper) {
    m_view->OnCommand(cmd::kPhoneList);
    ASSERT_GE(m_view->PageCount(), 2) << "the demo list should run over pages";
    for (const auto size : {QPageSize::A4, QPageSize::Letter}) {
        m_view->Printer().setPageSize(QPageSize(size));
        const auto pdf = m_dir.Path() / "telefony.pdf";
        ASSERT_TRUE(m_view->ExportPdf(QString::fromStdString(pdf.string())));
        const auto bbox = test::CommandOutput("pdftotext -bbox '" + pdf.string() + "' - 2>/dev/null");
        if (!bbox)
            GTEST_SKIP() << "pdftotext is not installed";
        std::vector<double> titleTops;
        for (std::size_t page = bbox->find("<page"); page != std::string::npos; page = bbox->find("<page", page + 1)) {
            const std::size_t word = bbox->find(">Wykaz</word>", page);
            const std::size_t next = bbox->find("<page", page + 1);
            ASSERT_TRUE(word != std::string::npos && (next == std::string::npos || word < next))
                << "a page without its title";
            const std::size_t yMin = bbox->rfind("yMin=\"", word);
            titleTops.push_back(std::stod(bbox->substr(yMin + 6)));
        }
        ASSERT_GE(titleTops.size(), 2u);
        for (const double top : titleTops)
            EXPECT_NEAR(top, titleTops.front(), 1.0) << (size == QPageSize::A4 ? "A4" : "Letter");
    }
}

TEST_F(ReportViewTest, PdfHoldsTheListAndCopiesRepeatThePages) {
    m_view->OnCommand(cmd::kPhoneList);
    const auto pdf = m_dir.Path() / "lista.pdf";
    ASSERT_TRUE(m_view->ExportPdf(QString::fromStdString(pdf.string())));
    const auto pages = test::PdfPages(pdf);
    if (!pages)
        GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_FALSE(pages->empty());
    EXPECT_NE(pages->front().find("Wykaz telefonów"), std::string::npos);
    EXPECT_NE(pages->front().find("( POUFNE - NIE KOPIUJ )"), std::string::npos);
    const std::size_t single = pages->size();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const auto copies = m_dir.Path() / "kopie.pdf";
    printer.setOutputFileName(QString::fromStdString(copies.string()));
    printer.setCopyCount(2);
    ASSERT_FALSE(printer.supportsMultipleCopies());
    ASSERT_TRUE(m_view->PrintTo(printer));
    const auto copied = test::PdfPages(copies);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->size(), 2 * single);
    EXPECT_EQ(copied->at(single), copied->front());
}

TEST_F(ReportViewTest, PdfIntoAMissingFolderIsReported) {
    m_view->OnCommand(cmd::kPhoneList);
    const auto path = m_dir.Path() / "brak" / "lista.pdf";
    EXPECT_FALSE(m_view->ExportPdf(QString::fromStdString(path.string())));
    EXPECT_TRUE(m_prompter.AnyShownContains("Nie mogę utworzyć pliku PDF"));
}

TEST_F(ReportViewTest, GroupCommandShowsTheChosenGroupOrNothingOnCancel) {
    ASSERT_GE(m_doc.Side().groups.Count(), 2);
    test::OnNextDialog<QDialog>([](QDialog& dialog) { dialog.reject(); });
    m_view->OnCommand(32810);
    EXPECT_EQ(m_view->Mode(), ViewMode::MainPanel);

    test::OnNextDialog<ReportGroupDialog>([](ReportGroupDialog& dialog) {
        // The print buttons belong to the group analysis only.
        EXPECT_FALSE(dialog.findChild<QPushButton*>("printAllButton")->isVisibleTo(&dialog));
        dialog.findChild<QListWidget*>("groupList")->setCurrentRow(1);
        dialog.findChild<QPushButton*>("okButton")->click();
    });
    m_view->OnCommand(32810);
    EXPECT_EQ(m_view->Mode(), ViewMode::Report);
    EXPECT_EQ(m_view->Kind(), ReportKind::PhoneGroup);
    EXPECT_EQ(m_view->Group(), 2);
}

TEST_F(ReportViewTest, GroupChooserNamesEachRowAfterTheGroupItPrints) {
    GroupTable& groups = m_doc.Side().groups;
    ASSERT_GE(groups.Count(), 2);
    // One group under its own name, one under its number, and the highest group the table holds.
    ASSERT_TRUE(groups.SetName(0, "Centrum").ok());
    groups.SetUsesName(0, true);
    groups.SetUsesName(1, false);
    groups.SetCount(GroupTable::kMaxGroups);
    ASSERT_TRUE(groups.SetName(GroupTable::kMaxGroups - 1, "Osiedle").ok());
    groups.SetUsesName(GroupTable::kMaxGroups - 1, true);

    std::vector<std::string> rows;
    test::OnNextDialog<ReportGroupDialog>([&rows](ReportGroupDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("groupList");
        for (int row = 0; row < list->count(); ++row)
            rows.push_back(list->item(row)->text().toStdString());
        list->setCurrentRow(1);
        dialog.findChild<QPushButton*>("okButton")->click();
    });
    m_view->OnCommand(32810);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(GroupTable::kMaxGroups));
    EXPECT_EQ(rows[0], "Centrum");
    EXPECT_EQ(rows[1], "Grupa # 2");
    EXPECT_EQ(rows.back(), "Osiedle");

    // The report shown carries the name the row showed.
    ASSERT_EQ(m_view->Group(), 2);
    ListSource source;
    source.database = &m_doc.Database();
    source.groups = &groups;
    EXPECT_EQ(ListSubtitle(source, ListFilter{m_view->Group(), ListSelector::All}), rows[1]);
}

TEST(ReportGroupDialog, PrintButtonsNameTheGroups) {
    ReportGroupDialog dialog({"Grupa #1", "Grupa #2", "Centrum"}, 2, true);
    auto* all = dialog.findChild<QPushButton*>("printAllButton");
    auto* selected = dialog.findChild<QPushButton*>("printSelectedButton");
    EXPECT_TRUE(all->isVisibleTo(&dialog));
    EXPECT_EQ(all->text(), QStringLiteral("Drukuj 1 - 3"));
    EXPECT_EQ(selected->text(), QStringLiteral("Drukuj # 2"));
    dialog.findChild<QListWidget*>("groupList")->setCurrentRow(2);
    EXPECT_EQ(selected->text(), QStringLiteral("Drukuj # 3"));
    selected->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Choice().action, ReportGroupChoice::Action::PrintSelected);
    EXPECT_EQ(dialog.Choice().group, 3);

    ReportGroupDialog single({"Grupa #1"}, 1, true);
    EXPECT_FALSE(single.findChild<QPushButton*>("printAllButton")->isVisibleTo(&single));
}

TEST_F(ReportViewTest, PrintingGroupsUnattendedPutsEveryGroupInOneJob) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const auto pdf = m_dir.Path() / "grupy.pdf";
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    m_view->ShowReport(ReportKind::PhoneCongregation);
    ASSERT_TRUE(m_view->PrintGroups(ReportKind::PhoneGroup, {1, 2}, &printer));
    EXPECT_EQ(m_view->Mode(), ViewMode::MainPanel);
    const auto pages = test::PdfPages(pdf);
    if (!pages)
        GTEST_SKIP() << "pdftotext is not installed";
    std::string all;
    for (const auto& page : *pages)
        all += page;
    ListSource source;
    source.database = &m_doc.Database();
    source.groups = &m_doc.Side().groups;
    // Each group on its own page under its own subtitle, in the order asked.
    const std::size_t first = all.find(ListSubtitle(source, ListFilter{1, ListSelector::All}));
    const std::size_t second = all.find(ListSubtitle(source, ListFilter{2, ListSelector::All}));
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_EQ(pages->size(), 2u);
}

TEST_F(ReportViewTest, FontDialogChangesOneFontAndOnlyItsKeysAreSaved) {
    m_view->SaveReportFonts();
    const auto iniBefore = IniFile::Load(m_doc.Folder(), SettingsFileName());
    ASSERT_TRUE(iniBefore.ok());
    ASSERT_EQ(iniBefore.value().GetInt("Czcionka tytułu", "Wysokość", 0), -19);
    const LogicalFont text = m_view->Fonts().Get(ReportFontId::Text);

    test::OnNextDialog<QFontDialog>([](QFontDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Wybierz czcionkę dla tytułów"));
        QFont font = dialog.currentFont();
        font.setPointSizeF(24);
        dialog.setCurrentFont(font);
        dialog.accept();
    });
    m_view->OnCommand(viewcmd::kFontTitle);
    const LogicalFont title = m_view->Fonts().Get(ReportFontId::Title);
    EXPECT_EQ(title.height, -std::lround(24.0 * m_view->ScreenResolution().y / 72.0));
    EXPECT_EQ(m_view->Fonts().Get(ReportFontId::Text), text);

    m_view->SaveReportFonts();
    const auto ini = IniFile::Load(m_doc.Folder(), SettingsFileName());
    ASSERT_TRUE(ini.ok());
    EXPECT_EQ(ini.value().GetInt("Czcionka tytułu", "Wysokość", 0), title.height);
    EXPECT_EQ(ini.value().GetInt("Czcionka", "Wysokość", 0), text.height);

    m_view->OnCommand(viewcmd::kFontsHighResolution);
    EXPECT_EQ(m_view->Fonts().Get(ReportFontId::Title).height, -19);
}

TEST_F(ReportViewTest, PrinterNameWithoutPrinterIsTheMessage) {
    if (!QPrinterInfo::defaultPrinterName().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    EXPECT_EQ(CVardoView::PrinterName(), "Nie wybrano drukarki.  Zmień ustawienia drukarki i spróbuj ponownie.");
}

} // namespace
} // namespace vardo
