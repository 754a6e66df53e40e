// Dialog 117 over a demo congregation: the list and its parts, the preview, printing the cards of a part and
// the cards of a whole list written into one PDF file, finished and cancelled.

#include <fstream>
#include <iterator>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "PdfText.h"
#include "ReportViewFixture.h"
#include "core/platform/Strings.h"
#include "gui/registry/PersonPickerDialog.h"
#include "gui/reports/RecordCardDialog.h"

namespace vardo::test {
namespace {

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

class RecordCardDialogTest : public ReportViewTest {
protected:
    void SetUp() override {
        ReportViewTest::SetUp();
        m_dialog = std::make_unique<RecordCardDialog>(m_doc, m_prompter, m_clock);
        m_dialog->SetFolderOpener([this](const QString& folder) { m_opened = folder; });
    }
    struct Controls {
        QListWidget* list1018 = nullptr;
        QCheckBox* check1104 = nullptr;
        QCheckBox* check1105 = nullptr;
        QLabel* partLabel = nullptr;
        QPushButton* button221 = nullptr;
        QPushButton* button222 = nullptr;
        QPushButton* button263 = nullptr;
        QPushButton* button265 = nullptr;
    };
    Controls W() const {
        Controls w;
        w.list1018 = (*m_dialog).findChild<QListWidget*>(QStringLiteral("list1018"));
        w.check1104 = (*m_dialog).findChild<QCheckBox*>(QStringLiteral("check1104"));
        w.check1105 = (*m_dialog).findChild<QCheckBox*>(QStringLiteral("check1105"));
        w.partLabel = (*m_dialog).findChild<QLabel*>(QStringLiteral("partLabel"));
        w.button221 = (*m_dialog).findChild<QPushButton*>(QStringLiteral("button221"));
        w.button222 = (*m_dialog).findChild<QPushButton*>(QStringLiteral("button222"));
        w.button263 = (*m_dialog).findChild<QPushButton*>(QStringLiteral("button263"));
        w.button265 = (*m_dialog).findChild<QPushButton*>(QStringLiteral("button265"));
        return w;
    }
    std::filesystem::path Exports() const { return m_doc.Folder().Resolve("Exports"); }
    // Points every print of the dialog at a PDF file.
    std::filesystem::path PrintToPdf(const std::string& name) {
        const std::filesystem::path path = m_dir.Path() / name;
        m_dialog->SetPrinterChooser([path](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(path.string()));
            return true;
        });
        return path;
    }

    std::unique_ptr<RecordCardDialog> m_dialog;
    QString m_opened;
};

TEST_F(RecordCardDialogTest, ListsTheActivePersonsAndPreviewsTheSelectedCard) {
    const int active = static_cast<int>(m_doc.Database().List(PublisherCategory::Publisher).size());
    ASSERT_GT(active, 10);
    EXPECT_EQ(W().list1018->count(), active);
    EXPECT_EQ(W().list1018->currentRow(), 0);
    EXPECT_GT(InkShare(m_dialog->Preview().Page()), 0.01);
    const QImage first = m_dialog->Preview().Page();
    W().list1018->setCurrentRow(3);
    EXPECT_EQ(m_dialog->Presenter().Selected(), 3);
    EXPECT_NE(m_dialog->Preview().Page(), first); // another person's card

    W().check1105->click();
    const int inactive = static_cast<int>(m_doc.Database().List(PublisherCategory::Inactive).size());
    ASSERT_GT(inactive, 0);
    EXPECT_EQ(W().list1018->count(), inactive);
    EXPECT_TRUE(m_dialog->Presenter().Inactive());
}

TEST_F(RecordCardDialogTest, ListButtonsShowThePioneersAndTheGroupsWithTheirNames) {
    EXPECT_EQ(W().partLabel->text(), QStringLiteral("Wszyscy"));
    EXPECT_EQ(W().button221->text(), QStringLiteral("Pionierzy (Peł i Spe) >"));
    W().button221->click();
    EXPECT_EQ(W().partLabel->text(), QStringLiteral("Pionierzy (Peł i Spe)"));
    EXPECT_EQ(W().list1018->count(), static_cast<int>(m_dialog->Presenter().Entries().size()));
    EXPECT_GT(W().list1018->count(), 0);
    W().button221->click();
    EXPECT_EQ(m_dialog->Presenter().PartGroup(), 1);
    EXPECT_EQ(W().partLabel->text(), QString::fromStdString(m_doc.Side().groups.DisplayName(0)));
    EXPECT_TRUE(W().button265->text().endsWith(W().partLabel->text()));
    W().button222->click();
    W().button222->click();
    EXPECT_EQ(m_dialog->Presenter().Part(), 0);
}

TEST_F(RecordCardDialogTest, PrintingAGroupAsksForItsPioneersAndPrintsOneCardEach) {
    const std::filesystem::path pdf = PrintToPdf("group.pdf");
    W().button221->click();
    W().button221->click(); // group 1
    const std::size_t members = m_dialog->Presenter().PartRecords(false).size();
    const std::size_t withPioneers = m_dialog->Presenter().PartRecords(true).size();
    m_prompter.Script(Answer::Yes);
    EXPECT_TRUE(m_dialog->PrintPart());
    EXPECT_TRUE(m_prompter.AnyShownContains("Z pionierami?"));
    const auto text = PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_EQ(CountOf(*text, "\f"), static_cast<int>(withPioneers));
    EXPECT_GE(withPioneers, members);
}

TEST_F(RecordCardDialogTest, ChosenCardsArePrintedOnePageEachInListOrder) {
    const std::filesystem::path pdf = PrintToPdf("chosen.pdf");
    const std::string second = m_dialog->Presenter().Entries()[1].text;
    const std::string fifth = m_dialog->Presenter().Entries()[4].text;
    OnNextDialog<PersonPickerDialog>([](PersonPickerDialog& picker) {
        auto* items = picker.findChild<QListWidget*>(QStringLiteral("itemList"));
        ASSERT_NE(items, nullptr);
        items->item(4)->setSelected(true);
        items->item(1)->setSelected(true);
        picker.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    ASSERT_TRUE(m_dialog->PrintChosen());
    const auto text = PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_EQ(CountOf(*text, "\f"), 2);
    // The card names the person first name first.
    const auto printed = [](const std::string& entry) {
        const std::size_t comma = entry.find(", ");
        return entry.substr(comma + 2) + " " + entry.substr(0, comma);
    };
    ASSERT_NE(text->find(printed(second)), std::string::npos) << printed(second);
    ASSERT_NE(text->find(printed(fifth)), std::string::npos) << printed(fifth);
    EXPECT_LT(text->find(printed(second)), text->find(printed(fifth)));
}

TEST_F(RecordCardDialogTest, AfterTheEditorTheListIsReadAgainOnTheSamePerson) {
    PublisherRecord* edited = nullptr;
    RecordCardDialog dialog(m_doc, m_prompter, m_clock, [&](PublisherId id) {
        edited = m_doc.Database().FindById(id);
        DocumentChange change(m_doc.Changes(), "test");
        change.Touch(DataArea::Register);
        edited->SetFirstName("Zofia");
        change.Commit();
    });
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("list1018"));
    auto* edit = dialog.findChild<QPushButton*>(QStringLiteral("button3"));
    ASSERT_TRUE(edit->isEnabled());
    list->setCurrentRow(5);
    edit->click();
    ASSERT_NE(edited, nullptr);
    ASSERT_TRUE(dialog.Presenter().SelectedRecord());
    EXPECT_EQ(m_doc.Database().Record(*dialog.Presenter().SelectedRecord()).Id(), edited->Id());
    EXPECT_TRUE(list->currentItem()->text().endsWith(QStringLiteral("Zofia")));
    EXPECT_EQ(dialog.Presenter().SelectedText(), list->currentItem()->text().toStdString());
}

TEST_F(RecordCardDialogTest, TheChosenOutputDevicePrintsTheSelectedCardAlone) {
    const std::filesystem::path pdf = PrintToPdf("one.pdf");
    W().list1018->setCurrentRow(2);
    m_dialog->ChooseOutputDevice();
    ASSERT_TRUE(m_dialog->PrintSelected());
    const auto text = PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_EQ(CountOf(*text, "\f"), 1);
    const std::string entry = m_dialog->Presenter().SelectedText();
    const std::size_t comma = entry.find(", ");
    EXPECT_NE(text->find(entry.substr(comma + 2) + " " + entry.substr(0, comma)), std::string::npos) << entry;
}

TEST_F(RecordCardDialogTest, WithoutAPrinterPrintingTheCardSaysSo) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is installed";
    EXPECT_FALSE(m_dialog->PrintSelected());
    EXPECT_TRUE(m_prompter.AnyShownContains(Str(StrId::NoPrinter)));
}

TEST_F(RecordCardDialogTest, ActivePdfHoldsEveryCardOfTheListAndTellsWhereItWent) {
    m_prompter.Script(Answer::Yes); // show the folder
    W().button263->click();
    const std::filesystem::path pdf = Exports() / "Głosiciele czynni.pdf";
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(m_dialog->LastPdfPath().toStdString(), pdf.string());
    EXPECT_TRUE(m_prompter.AnyShownContains(pdf.string()));
    EXPECT_EQ(m_opened.toStdString(), Exports().string());

    const auto text = PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    const auto& active = m_doc.Database().List(PublisherCategory::Publisher);
    EXPECT_EQ(CountOf(*text, "\f"), static_cast<int>(active.size()));
    EXPECT_EQ(CountOf(*text, "ZBOROWE ZESTAWIENIE SPRAWOZDAŃ GŁOSICIELA"), static_cast<int>(active.size()));
    for (const IndexEntry& entry : active)
        EXPECT_NE(text->find(entry.record->LastName()), std::string::npos) << entry.record->LastName();
    // Only the finished file is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Exports()), std::filesystem::directory_iterator()), 1);
}

TEST_F(RecordCardDialogTest, PreviousYearNamesTheFileAfterThatServiceYear) {
    W().check1104->click();
    m_prompter.Script(Answer::No);
    EXPECT_TRUE(m_dialog->WriteBatchPdf(true));
    EXPECT_TRUE(std::filesystem::exists(Exports() / "Nieczynni głosiciele 2023.pdf"));
    EXPECT_TRUE(m_opened.isEmpty());
}

TEST_F(RecordCardDialogTest, AFolderThatCannotHoldThePdfIsReported) {
    std::ofstream(Exports()) << "a file where the folder should be";
    EXPECT_FALSE(m_dialog->WriteBatchPdf(false));
    EXPECT_TRUE(m_prompter.AnyShownContains("Nie mogę utworzyć nowego pliku"));
    EXPECT_EQ(m_prompter.Questions(), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(Exports()));
}

TEST_F(RecordCardDialogTest, CancelledPdfRunLeavesTheEarlierFileAndNoHalfFile) {
    std::filesystem::create_directories(Exports());
    const std::filesystem::path pdf = Exports() / "Głosiciele czynni.pdf";
    std::ofstream(pdf) << "earlier";
    int pagesWhenCancelled = -1;
    auto* timer = new QTimer(m_dialog.get());
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [&] {
        auto* progress = m_dialog->findChild<QProgressDialog*>(QStringLiteral("cardsPdfProgress"));
        if (progress != nullptr && progress->value() >= 2) {
            pagesWhenCancelled = progress->value();
            progress->cancel();
            timer->stop();
        }
    });
    timer->start();
    EXPECT_FALSE(m_dialog->WriteBatchPdf(false));
    ASSERT_GE(pagesWhenCancelled, 2);
    EXPECT_LT(pagesWhenCancelled, static_cast<int>(m_doc.Database().List(PublisherCategory::Publisher).size()));
    EXPECT_TRUE(m_prompter.AnyShownContains(Str(StrId::CardsPdfCancelled)));
    std::ifstream in(pdf);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "earlier");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Exports()), std::filesystem::directory_iterator()), 1);
}

} // namespace
} // namespace vardo::test
