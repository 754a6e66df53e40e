// Dialog 117's totals view, card mode and header preview; the card-header labels from the Reports menu with
// dialog 127; all over a demo congregation, printed into PDF files and read back.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include "PdfText.h"
#include "ReportViewFixture.h"
#include "core/reports/CardLabels.h"
#include "gui/registry/PersonPickerDialog.h"
#include "gui/reports/CardLabelDialog.h"
#include "gui/reports/RecordCardDialog.h"

namespace vardo::test {
namespace {

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

class CardTotalsDialogTest : public ReportViewTest {
protected:
    void SetUp() override {
        ReportViewTest::SetUp();
        m_dialog = std::make_unique<RecordCardDialog>(m_doc, m_prompter, m_clock);
    }
    template <class T>
    T* W(const char* name) const {
        T* widget = m_dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Every print of the dialog goes into `name` in the test folder.
    std::filesystem::path PrintToPdf(const std::string& name) {
        const std::filesystem::path path = m_dir.Path() / name;
        m_dialog->SetPrinterChooser([path](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(path.string()));
            return true;
        });
        m_dialog->ChooseOutputDevice();
        return path;
    }

    std::unique_ptr<RecordCardDialog> m_dialog;
};

TEST_F(CardTotalsDialogTest, SumsToggleListsTheCategoriesAndPrintsTheChosenOne) {
    auto* list = W<QListWidget>("list1018");
    auto* sums = W<QCheckBox>("check1106");
    auto* fromFile = W<QRadioButton>("radio1110");
    auto* reported = W<QRadioButton>("radio1111");
    EXPECT_FALSE(fromFile->isEnabled());
    const QImage personCard = m_dialog->Preview().Page();

    sums->click();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Głosiciele Zborowi"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Pionierzy (Peł i Spe)"));
    EXPECT_TRUE(fromFile->isEnabled() && fromFile->isChecked());
    EXPECT_FALSE(W<QPushButton>("button262")->isEnabled());
    EXPECT_FALSE(W<QPushButton>("button265")->isEnabled());
    EXPECT_FALSE(W<QPushButton>("button3")->isEnabled());
    EXPECT_TRUE(W<QPushButton>("button261")->isEnabled());
    EXPECT_FALSE(W<QPushButton>("button221")->isEnabled());
    EXPECT_EQ(W<QPushButton>("button221")->text(), QStringLiteral(">"));
    EXPECT_EQ(W<QLabel>("partLabel")->text(), QStringLiteral("Sumy"));
    EXPECT_NE(m_dialog->Preview().Page(), personCard);
    EXPECT_GT(InkShare(m_dialog->HeaderPreview().Strip()), 0.005);

    list->setCurrentRow(2);
    ASSERT_EQ(m_dialog->Presenter().SelectedCategory(), CardTotalsCategory::Pioneers);
    const QImage registerSums = m_dialog->Preview().Page();
    reported->click();
    EXPECT_EQ(m_dialog->Presenter().TotalsSource(), CardTotalsSource::Reported);
    fromFile->click();
    EXPECT_EQ(m_dialog->Preview().Page(), registerSums);

    const std::filesystem::path pdf = PrintToPdf("sums.pdf");
    ASSERT_TRUE(m_dialog->PrintSelected());
    const auto text = PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_EQ(CountOf(*text, "\f"), 1);
    EXPECT_NE(text->find("Pionierzy (Peł i Spe)"), std::string::npos);
    EXPECT_NE(text->find("Ogółem"), std::string::npos);

    // Off again: the persons are back and the batch PDF still holds persons' cards.
    sums->click();
    EXPECT_EQ(list->count(), static_cast<int>(m_doc.Database().List(PublisherCategory::Publisher).size()));
    EXPECT_FALSE(fromFile->isEnabled());
    EXPECT_TRUE(W<QPushButton>("button262")->isEnabled());
}

TEST_F(CardTotalsDialogTest, BatchPdfWrittenInTheTotalsViewHoldsThePersonsCards) {
    W<QCheckBox>("check1106")->click();
    m_prompter.Script(Answer::No);
    ASSERT_TRUE(m_dialog->WriteBatchPdf(false));
    const auto text = PdfToText(m_dialog->LastPdfPath().toStdString());
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    const int active = static_cast<int>(m_doc.Database().List(PublisherCategory::Publisher).size());
    EXPECT_EQ(CountOf(*text, "ZBOROWE ZESTAWIENIE SPRAWOZDAŃ GŁOSICIELA"), active);
    EXPECT_EQ(CountOf(*text, "Głosiciele Zborowi"), 0);
}

TEST_F(CardTotalsDialogTest, TwelveMonthModeRetitlesTheCardAndTheHeaderFollowsTheSelection) {
    auto* mode = W<QComboBox>("cardModeCombo");
    ASSERT_EQ(mode->count(), 2);
    EXPECT_EQ(mode->itemText(1), QStringLiteral("12 ost. mies."));
    const QImage serviceYear = m_dialog->Preview().Page();
    const QImage header = m_dialog->HeaderPreview().Strip();
    EXPECT_GT(InkShare(header), 0.005);
    mode->setCurrentIndex(1);
    EXPECT_EQ(m_dialog->Presenter().CardMode(), 2);
    EXPECT_NE(m_dialog->Preview().Page(), serviceYear);
    W<QListWidget>("list1018")->setCurrentRow(4);
    EXPECT_NE(m_dialog->HeaderPreview().Strip(), header); // another person's name and boxes

    const std::filesystem::path pdf = PrintToPdf("rolling.pdf");
    ASSERT_TRUE(m_dialog->PrintSelected());
    W<QCheckBox>("check1104")->click();
    const std::filesystem::path both = PrintToPdf("rolling24.pdf");
    ASSERT_TRUE(m_dialog->PrintSelected());
    const auto text = PdfToText(pdf);
    const auto text24 = PdfToText(both);
    if (!text || !text24)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_NE(text->find("12 ost. mies."), std::string::npos);
    EXPECT_EQ(text->find("ZBOROWE ZESTAWIENIE"), std::string::npos);
    EXPECT_EQ(CountOf(*text, "Ogółem"), 1);
    EXPECT_NE(text24->find("24 ost. mies."), std::string::npos);
    EXPECT_EQ(CountOf(*text24, "Ogółem"), 2);
}

// --- card-header labels -------------------------------------------------------------------------------------

TEST(CardLabelDialogTest, ChosenPositionGivesTheSheetsNeeded) {
    CardLabelDialog one(1);
    EXPECT_EQ(one.Position(), 1);
    EXPECT_TRUE(one.PositionButton(1)->isChecked());
    one.PositionButton(20)->click();
    EXPECT_EQ(one.Position(), 20);
    EXPECT_TRUE(one.SheetsText().endsWith(QStringLiteral("1.")));
    CardLabelDialog two(2);
    two.PositionButton(20)->click();
    EXPECT_TRUE(two.SheetsText().endsWith(QStringLiteral("2."))) << two.SheetsText().toStdString();
    two.PositionButton(19)->click();
    EXPECT_FALSE(two.PositionButton(20)->isChecked());
    EXPECT_TRUE(two.SheetsText().endsWith(QStringLiteral("1.")));
}

class CardLabelCommandsTest : public ReportViewTest {};

TEST_F(CardLabelCommandsTest, AllActivePersonsFillTheirSheetsInTheReportView) {
    ASSERT_TRUE(m_view->IsCommandEnabled(32821));
    m_view->OnCommand(32821);
    ASSERT_EQ(m_view->Mode(), ViewMode::Report);
    EXPECT_EQ(m_view->Kind(), ReportKind::RecordCards);
    const int active = static_cast<int>(m_doc.Database().List(PublisherCategory::Publisher).size());
    EXPECT_EQ(m_view->PageCount(), LabelPageCount(active, 1));

    const std::filesystem::path pdf = m_dir.Path() / "labels.pdf";
    ASSERT_TRUE(m_view->ExportPdf(QString::fromStdString(pdf.string())));
    const auto text = PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_EQ(CountOf(*text, "\f"), LabelPageCount(active, 1));
    for (const IndexEntry& entry : m_doc.Database().List(PublisherCategory::Publisher))
        EXPECT_NE(text->find(entry.record->LastName()), std::string::npos) << entry.record->LastName();
}

TEST_F(CardLabelCommandsTest, ChosenPersonsStartAtTheChosenFreeLabel) {
    const auto& active = m_doc.Database().List(PublisherCategory::Publisher);
    ASSERT_GT(active.size(), 3u);
    OnNextDialog<PersonPickerDialog>([](PersonPickerDialog& picker) {
        auto* items = picker.findChild<QListWidget*>(QStringLiteral("itemList"));
        ASSERT_NE(items, nullptr);
        items->item(1)->setSelected(true);
        items->item(3)->setSelected(true);
        picker.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        OnNextDialog<CardLabelDialog>([](CardLabelDialog& labels) {
            labels.PositionButton(20)->click();
            labels.accept();
        });
    });
    m_view->OnCommand(32822);
    ASSERT_EQ(m_view->Mode(), ViewMode::Report);
    // Two labels from position 20: the lower right of the first sheet, then the second sheet.
    EXPECT_EQ(m_view->PageCount(), 2);
    const std::filesystem::path pdf = m_dir.Path() / "chosen.pdf";
    ASSERT_TRUE(m_view->ExportPdf(QString::fromStdString(pdf.string())));
    const auto pages = PdfPages(pdf);
    if (!pages)
        GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_EQ(pages->size(), 2u);
    EXPECT_NE((*pages)[0].find(active[1].record->LastName()), std::string::npos);
    EXPECT_NE((*pages)[1].find(active[3].record->LastName()), std::string::npos);
    if (active[1].record->LastName() != active[3].record->LastName()) {
        EXPECT_EQ((*pages)[0].find(active[3].record->LastName()), std::string::npos);
    }
}

TEST_F(CardLabelCommandsTest, CancellingTheFirstLabelPrintsNothing) {
    OnNextDialog<PersonPickerDialog>([](PersonPickerDialog& picker) {
        picker.findChild<QListWidget*>(QStringLiteral("itemList"))->item(0)->setSelected(true);
        picker.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        OnNextDialog<CardLabelDialog>([](CardLabelDialog& labels) { labels.reject(); });
    });
    m_view->OnCommand(32822);
    EXPECT_EQ(m_view->Mode(), ViewMode::MainPanel);
}

} // namespace
} // namespace vardo::test
