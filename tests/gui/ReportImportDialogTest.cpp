#include "gui/exchange/ReportImportDialog.h"

#include <QLabel>
#include <QListWidget>
#include <QTableWidget>

#include "GuiFixture.h"
#include "core/exchange/CsvImport.h"
#include "core/exchange/GroupReportFile.h"
#include "core/exchange/PublistDocument.h"
#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

// Working month February 2024 (slot 0, newer report format).
class ReportImportDialogTest : public test::DocumentTest {
protected:
    void SetUp() override {
        Open();
        m_jan = AddPerson("Jan", "Kowalski");
        m_ewa = AddPerson("Ewa", "Nowak");
        Person(m_jan).SetGroup(1);
        Person(m_ewa).SetGroup(1);
    }

    /// The dialog's widgets by their names.
    struct Widgets {
        explicit Widgets(const QDialog& dialog)
            : entryList(test::Child<QListWidget>(dialog, "entryList")),
              previewTable(test::Child<QTableWidget>(dialog, "previewTable")),
              countLabel(test::Child<QLabel>(dialog, "countLabel")),
              nameLabel(test::Child<QLabel>(dialog, "nameLabel")), hintLabel(test::Child<QLabel>(dialog, "hintLabel")),
              clearAllButton(test::Child<QPushButton>(dialog, "clearAllButton")),
              importButton(test::Child<QPushButton>(dialog, "importButton")),
              cancelButton(test::Child<QPushButton>(dialog, "cancelButton")) {}
        QListWidget* entryList;
        QTableWidget* previewTable;
        QLabel* countLabel;
        QLabel* nameLabel;
        QLabel* hintLabel;
        QPushButton* clearAllButton;
        QPushButton* importButton;
        QPushButton* cancelButton;
    };

    /// Unticks every entry but `keep`, then presses "Importuj Wybrane Dane".
    static void ImportOnly(ReportImportDialog& dialog, int keep) {
        const Widgets ui(dialog);
        QTest::mouseClick(ui.clearAllButton, Qt::LeftButton);
        EXPECT_FALSE(ui.importButton->isEnabled()) << "nothing ticked, nothing to import";
        ui.entryList->item(keep)->setCheckState(Qt::Checked);
        EXPECT_TRUE(ui.importButton->isEnabled());
        QTest::mouseClick(ui.importButton, Qt::LeftButton);
    }

    PublisherId m_jan = 0, m_ewa = 0;
};

TEST_F(ReportImportDialogTest, GroupFileThroughThePreview) {
    ReportingContext context = m_doc.MakeReportingContext(m_prompter);
    const WorkingMonth& month = m_doc.GetWorkingMonth();
    GroupFileSource source{
        m_doc.Database(), m_doc.Side().remarks, {}, {}, [&](MonthIndex m) { return month.SlotOf(m); }};
    auto data = ReadGroupReportFile(WriteGroupReportFile(source, {.group = 1, .month = 1, .slot = 0}).value()).value();
    data.persons[0].SetRow(MonthRow::StudyWord, 1, 0, kStudyFlagBit | 4);
    data.persons[1].SetRow(MonthRow::StudyWord, 1, 0, kStudyFlagBit | 2);
    ReportImportDialog dialog(context, ImportSource::GroupFile, IncomingFromGroupFile(data, context).value(),
                              "Grupa1.t19");
    const Widgets ui(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Grupa1.t19  -  luty");
    ASSERT_EQ(ui.entryList->count(), 2);
    EXPECT_EQ(ui.countLabel->text(), "Pobrane Sprawozdania = 2");
    EXPECT_FALSE(ui.hintLabel->isHidden());
    EXPECT_TRUE(ui.previewTable->isHidden());

    ui.entryList->setCurrentRow(0);
    EXPECT_TRUE(ui.hintLabel->isHidden());
    EXPECT_EQ(ui.nameLabel->text(), "Jan Kowalski");
    EXPECT_EQ(ui.previewTable->item(0, 1)->text(), "4");
    EXPECT_EQ(ui.previewTable->item(1, 1)->text(), "0");

    ImportOnly(dialog, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Stored(), 1);
    EXPECT_EQ(Person(m_ewa).Cell(1, 0).BibleStudies(), 2);
    EXPECT_EQ(Person(m_jan).Cell(1, 0).BibleStudies(), 0) << "the unticked entry is not imported";
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(ReportImportDialogTest, CsvThroughThePreview) {
    ReportingContext context = m_doc.MakeReportingContext(m_prompter);
    const auto table = ParseCsv("Imię;Nazwisko;Głosił(a);Kursy;Godz.;Uwagi\nJan;Kowalski;1;3;;z arkusza\n");
    ASSERT_TRUE(table.ok());
    CsvColumnMap map;
    for (int t = 0; t < 6; ++t)
        map.Map(static_cast<CsvTarget>(t), t, table.value().header);
    const CsvReports reports = BuildCsvReports(table.value(), map, CsvNameMap{}, context);
    ReportImportDialog dialog(context, ImportSource::Csv, reports.persons, "raporty.csv");
    ASSERT_EQ(Widgets(dialog).entryList->count(), 1);
    Widgets(dialog).entryList->setCurrentRow(0);
    EXPECT_EQ(Widgets(dialog).previewTable->item(0, 3)->text(), "z arkusza");
    ImportOnly(dialog, 0);
    EXPECT_EQ(Person(m_jan).Cell(1, 0).BibleStudies(), 3);
    EXPECT_EQ(RemarkText(m_doc.Side().remarks, Person(m_jan), 1, 0).text, "z arkusza");
}

TEST_F(ReportImportDialogTest, XmlThroughThePreviewAndCancelKeepsEverything) {
    ReportingContext context = m_doc.MakeReportingContext(m_prompter);
    CXmlDoc xml;
    ASSERT_TRUE(xml.SetText("<PUBLIST><Count>1</Count><Active><Pub><id>0</id><fname>Ewa</fname><lname>Nowak</lname>"
                            "<Feb Year=\"2024\"><a>0</a><b>0</b><c>1</c><d>0</d><e>5</e><Remark>xml</Remark>"
                            "<Pio/></Feb></Pub></Active></PUBLIST>"));
    const auto persons = IncomingFromXmlReports(xml, context);
    ASSERT_TRUE(persons.ok()) << persons.error();
    {
        ReportImportDialog dialog(context, ImportSource::Xml, persons.value(), "raporty.xml");
        ASSERT_EQ(Widgets(dialog).entryList->count(), 1);
        QTest::mouseClick(Widgets(dialog).cancelButton, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(Person(m_ewa).Cell(1, 0).BibleStudies(), 0);
    EXPECT_FALSE(m_doc.IsModified());

    ReportImportDialog dialog(context, ImportSource::Xml, persons.value(), "raporty.xml");
    ImportOnly(dialog, 0);
    EXPECT_EQ(Person(m_ewa).Cell(1, 0).BibleStudies(), 5);
    EXPECT_TRUE(Person(m_ewa).Cell(1, 0).Flag());
}

} // namespace
} // namespace vardo
