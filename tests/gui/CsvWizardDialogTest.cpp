#include "gui/exchange/CsvWizardDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>

#include "GuiFixture.h"
#include "gui/exchange/ReportImportDialog.h"

namespace vardo {
namespace {

class CsvWizardDialogTest : public test::DocumentTest {
protected:
    void SetUp() override {
        Open();
        m_jan = AddPerson("Jan", "Kowalski");
        m_ewa = AddPerson("Ewa", "Nowak");
    }

    static void ClickItem(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    PublisherId m_jan = 0, m_ewa = 0;
};

TEST_F(CsvWizardDialogTest, MapsColumnsAndNamesThenImportsThroughThePreview) {
    ReportingContext context = m_doc.MakeReportingContext(m_prompter);
    auto table = ParseCsv("Osoba;Był;Kursy;Godziny;Uwagi;x\nJan Kowalski;1;2;;;\nEwka N.;1;4;;;\n");
    ASSERT_TRUE(table.ok());
    CsvWizardDialog dialog(context, m_folder, table.value());
    dialog.show();
    auto* sources = test::Child<QListWidget>(dialog, "sourceList");
    auto* targets = test::Child<QListWidget>(dialog, "targetList");
    auto* next = test::Child<QPushButton>(dialog, "continueButton");
    ASSERT_EQ(sources->count(), 6);
    ASSERT_EQ(targets->count(), 8);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_EQ(test::Child<QCheckBox>(dialog, "whenHoursCheck")->text(), "* -> Głosił(a) = Godz. > 0");

    for (auto [source, target] : {std::pair{0, 6}, std::pair{1, 2}, std::pair{2, 3}}) {
        ClickItem(sources, source);
        ClickItem(targets, target);
    }
    EXPECT_EQ(targets->item(6)->text(), "Imię ( Imię Nazwisko ) = Osoba");
    EXPECT_EQ(targets->item(3)->text(), "Kursy biblijne = Kursy");
    ASSERT_TRUE(next->isEnabled());
    QTest::mouseClick(next, Qt::LeftButton);

    EXPECT_EQ(test::Child<QStackedWidget>(dialog, "pages")->currentIndex(), 1);
    auto* unmatched = test::Child<QListWidget>(dialog, "unmatchedList");
    auto* publishers = test::Child<QListWidget>(dialog, "publisherList");
    EXPECT_EQ(test::Child<QLabel>(dialog, "unmatchedLabel")->text(), "1 niezidentyfikowanych głosicieli");
    ASSERT_EQ(unmatched->count(), 1);
    EXPECT_FALSE(next->isEnabled()) << "an unidentified name must be paired or skipped";
    unmatched->setCurrentRow(0);
    ASSERT_EQ(publishers->item(1)->text(), "Nowak, Ewa");
    publishers->setCurrentRow(1);
    QTest::mouseClick(test::Child<QPushButton>(dialog, "pairButton"), Qt::LeftButton);
    EXPECT_EQ(unmatched->count(), 0);
    ASSERT_TRUE(next->isEnabled());
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(dialog.Reports().persons.size(), 2u);

    ReportImportDialog preview(context, ImportSource::Csv, dialog.Reports().persons, "raporty.csv");
    QTest::mouseClick(test::Child<QPushButton>(preview, "importButton"), Qt::LeftButton);
    EXPECT_EQ(preview.Stored(), 2);
    EXPECT_EQ(Person(m_ewa).Cell(1, 0).BibleStudies(), 4);
    EXPECT_TRUE(m_dir.Exists("vdmap.dat"));
    EXPECT_TRUE(m_dir.Exists("tpmap.dat"));
}

TEST_F(CsvWizardDialogTest, SkippingUnidentifiedNamesAndCancel) {
    ReportingContext context = m_doc.MakeReportingContext(m_prompter);
    auto table = ParseCsv("Imię;Nazwisko;a;b;c;d\nKtoś;Obcy;1;2;3;4\n");
    CsvWizardDialog dialog(context, m_folder, table.value());
    dialog.show();
    auto* sources = test::Child<QListWidget>(dialog, "sourceList");
    auto* targets = test::Child<QListWidget>(dialog, "targetList");
    ClickItem(sources, 0);
    ClickItem(targets, 0);
    ClickItem(sources, 1);
    ClickItem(targets, 1);
    auto* next = test::Child<QPushButton>(dialog, "continueButton");
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_FALSE(next->isEnabled());
    test::Child<QCheckBox>(dialog, "skipCheck")->setChecked(true);
    EXPECT_TRUE(next->isEnabled());
    QTest::mouseClick(test::Child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(m_dir.Exists("tpmap.dat")) << "a cancelled wizard keeps no name pairs";
}

} // namespace
} // namespace vardo
