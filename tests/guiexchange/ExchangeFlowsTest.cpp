// The exchange flows as the secretary meets them: the entry list's file buttons (group report file, .t19,
// .xml and .csv imports through the preview), the XML export and import of the File menu with the pick
// dialog, the monthly data export's choices, the emergency-contact export and the start-up clean-up.

#include <filesystem>
#include <fstream>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "../gui/GuiFixture.h"
#include "core/exchange/GroupReportFile.h"
#include "core/exchange/PublistDocument.h"
#include "core/reporting/ReportRules.h"
#include "gui/exchange/CGroupReportDlg.h"
#include "gui/exchange/CPersonPickDlg.h"
#include "gui/exchange/CsvWizardDialog.h"
#include "gui/exchange/DataExportDialog.h"
#include "gui/exchange/ExchangeCommands.h"
#include "gui/exchange/ExportCleanupDialog.h"
#include "gui/exchange/ReportImportDialog.h"
#include "gui/reporting/EntryListDialog.h"

namespace vardo {
namespace {

// Working month February 2024 (slot 0).
class ExchangeFlowsTest : public test::DocumentTest {
protected:
    void SetUp() override {
        Open();
        m_jan = AddPerson("Jan", "Kowalski");
        m_ewa = AddPerson("Ewa", "Nowak");
        Person(m_jan).SetGroup(1);
        Person(m_ewa).SetGroup(1);
        GroupTable& groups = m_doc.Side().groups;
        groups.SetCount(1);
        ASSERT_TRUE(groups.SetOverseer(0, "Jan Kowalski").ok());
        SetOpenFileChooser([this](QWidget*, const std::string& title, const std::string&, const std::string&) {
            m_titles.push_back(title);
            return m_chosen;
        });
    }
    void TearDown() override {
        SetOpenFileChooser({});
        SetMailRunner({});
    }

    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = std::filesystem::path(m_dir.Path()) / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    /// Presses "Importuj Wybrane Dane" in the next preview, after checking its entry count.
    void ImportAllInPreview(int expectedEntries) {
        test::OnNextDialog<ReportImportDialog>([expectedEntries](ReportImportDialog& dialog) {
            auto* list = test::Child<QListWidget>(dialog, "entryList");
            EXPECT_EQ(list->count(), expectedEntries);
            QTest::mouseClick(test::Child<QPushButton>(dialog, "importButton"), Qt::LeftButton);
        });
    }

    void ClickInEntryList(const char* button) {
        EntryListDialog list(m_doc, m_prompter, nullptr, &m_clock);
        QTest::mouseClick(test::Child<QPushButton>(list, button), Qt::LeftButton);
    }

    test::TempDir m_dir;
    std::string m_chosen;
    std::vector<std::string> m_titles;
    PublisherId m_jan = 0, m_ewa = 0;
};

TEST_F(ExchangeFlowsTest, GroupFileWrittenFilledAndImportedThroughTheEntryList) {
    // The dialog writes Grupa1.t09 and, without a mail program, puts the message into Outbox/.
    ExtensionRecord extension;
    extension.SetOwner(m_jan);
    ASSERT_TRUE(extension.SetEmail("jan@kowalski.pl").ok());
    Person(m_jan).SetExtensionKey(m_doc.Side().extensions.Write(m_doc.Folder(), extension).value());
    SetMailRunner([](const std::vector<std::string>&) { return 3; });
    test::OnNextDialog<CGroupReportDlg>([](CGroupReportDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Utwórz dla Grupy 1 - Miesiąc = luty");
        EXPECT_EQ(test::Child<QLabel>(dialog, "membersLabel")->text(), "Głosiciele:  2");
        auto* send = test::Child<QPushButton>(dialog, "sendButton");
        EXPECT_EQ(send->text(), "Utwórz i wyślij Plik do mail jan@kowalski.pl");
        QTest::mouseClick(test::Child<QPushButton>(dialog, "saveButton"), Qt::LeftButton);
        QTest::mouseClick(send, Qt::LeftButton);
        QTest::mouseClick(test::Child<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
    });
    ClickInEntryList("groupFileButton");
    EXPECT_TRUE(m_prompter.AnyShownContains("Sprawozdanie plik "));
    EXPECT_TRUE(m_prompter.AnyShownContains("Outbox"));
    const auto written = m_doc.Folder().ReadAll("Grupa1.t09");
    ASSERT_TRUE(written.ok());

    // The overseer's program fills the month's cells and returns the file as .t19.
    auto data = ReadGroupReportFile(written.value()).value();
    ASSERT_EQ(data.persons.size(), 2u);
    for (PublisherRecord& person : data.persons)
        person.SetRow(MonthRow::StudyWord, 1, 0, kStudyFlagBit | (person.FirstName() == "Jan" ? 3 : 1));
    std::string returned = written.value();
    for (std::size_t i = 0; i < data.persons.size(); ++i) {
        PublisherRecord scrambled = data.persons[i];
        ScrambleRecord(scrambled, +1);
        returned.replace(GroupReportLayout::kHeaderSize + i * kRecordSize, kRecordSize, std::string(scrambled.Bytes()));
    }
    m_chosen = WriteFile("Grupa1.T19", returned);
    ImportAllInPreview(2);
    ClickInEntryList("groupImportButton");
    EXPECT_EQ(Person(m_jan).Cell(1, 0).BibleStudies(), 3);
    EXPECT_EQ(Person(m_ewa).Cell(1, 0).BibleStudies(), 1);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_titles.back(), "Wybierz plik .t19 od Nadzorcy Grupy Służby Polowej");
}

TEST_F(ExchangeFlowsTest, XmlReportsImportedThroughTheEntryList) {
    m_chosen = WriteFile("raporty.xml",
                         "<PUBLIST><Count>1</Count><Active><Pub><id>0</id><fname>Ewa</fname><lname>Nowak</lname>"
                         "<Feb Year=\"2024\"><a>0</a><b>0</b><c>1</c><d>0</d><e>4</e><Remark>xml</Remark>"
                         "<Pio/></Feb></Pub></Active></PUBLIST>");
    ImportAllInPreview(1);
    ClickInEntryList("xmlImportButton");
    EXPECT_EQ(Person(m_ewa).Cell(1, 0).BibleStudies(), 4);
    EXPECT_EQ(m_titles.back(), "Wybierz plik XML zawierający raporty luty.");

    // A file without the list element changes nothing and says what is missing.
    m_chosen = WriteFile("inne.xml", "<PUBLIST><Count>1</Count></PUBLIST>");
    m_doc.Changes().MarkSaved();
    ClickInEntryList("xmlImportButton");
    EXPECT_TRUE(m_prompter.AnyShownContains("Plik XML nie zawiera"));
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(ExchangeFlowsTest, CsvImportedThroughTheWizardAndThePreview) {
    m_chosen = WriteFile("raporty.csv", "Imię;Nazwisko;Głosił(a);Kursy;Godz.;Uwagi\nJan;Kowalski;1;2;;arkusz\n");
    test::OnNextDialog<CsvWizardDialog>([this](CsvWizardDialog& wizard) {
        // Each column to its field, clicked one after the other as the secretary does.
        auto* sources = test::Child<QListWidget>(wizard, "sourceList");
        auto* targets = test::Child<QListWidget>(wizard, "targetList");
        for (int t = 0; t < 6; ++t) {
            QTest::mouseClick(sources->viewport(), Qt::LeftButton, {},
                              sources->visualItemRect(sources->item(t)).center());
            QTest::mouseClick(targets->viewport(), Qt::LeftButton, {},
                              targets->visualItemRect(targets->item(t)).center());
        }
        auto* next = test::Child<QPushButton>(wizard, "continueButton");
        ASSERT_TRUE(next->isEnabled());
        QTest::mouseClick(next, Qt::LeftButton);
        ImportAllInPreview(1);
        QTest::mouseClick(next, Qt::LeftButton);
    });
    ClickInEntryList("csvImportButton");
    EXPECT_EQ(Person(m_jan).Cell(1, 0).BibleStudies(), 2);
    EXPECT_EQ(RemarkText(m_doc.Side().remarks, Person(m_jan), 1, 0).text, "arkusz");
    EXPECT_TRUE(m_doc.Folder().Exists("vdmap.dat")) << "the mapping is kept for the next file";
}

TEST_F(ExchangeFlowsTest, XmlExportAndImportIntoAnEmptyFolderThroughThePickDialog) {
    Person(m_jan).SetPhone1("22 100");
    Person(m_jan).SetRow(MonthRow::StudyWord, 1, 0, kStudyFlagBit | 2);
    test::OnNextDialog<CPersonPickDlg>([](CPersonPickDlg& dialog) {
        EXPECT_EQ(test::Child<QListWidget>(dialog, "personList")->count(), 2);
        EXPECT_TRUE(test::Child<QGroupBox>(dialog, "duplicatesBox")->isHidden());
        QTest::mouseClick(test::Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(RunXmlExport(nullptr, m_doc, m_prompter, m_clock));
    ASSERT_TRUE(m_doc.Folder().Exists("Exports/Active.xml"));
    EXPECT_TRUE(m_prompter.AnyShownContains("Utworzono "));

    test::TempDir emptyDir;
    CVardoDoc other;
    StartupOptions options;
    options.showStartupNote = false;
    ASSERT_TRUE(other.Load(DataFolder(emptyDir.Path()), m_clock, m_prompter, options).ok());
    test::AddPersonTo(other.Database(), "Ewa", "Nowak", m_prompter);
    m_chosen = m_doc.Folder().Resolve("Exports/Active.xml").string();
    test::OnNextDialog<CPersonPickDlg>([](CPersonPickDlg& dialog) {
        auto* list = test::Child<QListWidget>(dialog, "personList");
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(1)->text(), "Nowak, Ewa *");
        auto* duplicates = test::Child<QGroupBox>(dialog, "duplicatesBox");
        EXPECT_FALSE(duplicates->isHidden());
        EXPECT_EQ(duplicates->title(), "Duplikaty (1)");
        test::Child<QRadioButton>(dialog, "createRadio")->setChecked(true);
        QTest::mouseClick(test::Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    const std::optional<int> imported = RunXmlImport(nullptr, other, m_prompter, m_clock);
    ASSERT_TRUE(imported.has_value());
    EXPECT_EQ(*imported, 2);
    ASSERT_EQ(other.Database().PersonCount(), 3) << "the duplicate is created anew";
    bool foundJan = false, foundCopy = false;
    for (const IndexEntry& entry : other.Database().List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = other.Database().Record(entry.recordNumber);
        if (person.FirstName() == "Jan") {
            foundJan = true;
            EXPECT_EQ(person.Phone1(), "22 100");
            EXPECT_EQ(person.Cell(1, 0).BibleStudies(), 2);
        }
        foundCopy = foundCopy || person.FirstName() == "Ewa2";
    }
    EXPECT_TRUE(foundJan);
    EXPECT_TRUE(foundCopy);
    EXPECT_TRUE(other.IsModified());
}

TEST_F(ExchangeFlowsTest, DataExportEmergencyExportAndStartupCleanUp) {
    test::OnNextDialog<DataExportDialog>([](DataExportDialog& dialog) {
        auto* months = test::Child<QComboBox>(dialog, "monthCombo");
        EXPECT_EQ(months->count(), 12);
        EXPECT_EQ(months->currentText(), "luty 2024");
        test::Child<QRadioButton>(dialog, "tabRadio")->setChecked(true);
        EXPECT_EQ(test::Child<QLabel>(dialog, "fileLabel")->text(), "Exports/luty.rpt");
        QTest::mouseClick(test::Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    m_prompter.Script(Answer::No);
    RunDataExport(nullptr, m_doc, m_prompter);
    EXPECT_TRUE(m_doc.Folder().Exists("Exports/luty.rpt"));
    EXPECT_TRUE(m_prompter.AnyShownContains("Pokaz w folderze?"));

    m_prompter.Script(Answer::No);
    RunEmergencyExport(nullptr, m_doc, m_prompter);
    const auto emergency = m_doc.Folder().ReadAll("Exports/3rdparty.tsv");
    ASSERT_TRUE(emergency.ok());
    EXPECT_NE(emergency.value().find("Kowalski, Jan\t"), std::string::npos);

    // Next start: the monthly export is offered for deletion, the emergency export goes in any case.
    test::OnNextDialog<ExportCleanupDialog>([](ExportCleanupDialog& dialog) {
        auto* files = test::Child<QListWidget>(dialog, "fileList");
        ASSERT_EQ(files->count(), 1);
        EXPECT_TRUE(files->item(0)->isSelected()) << "a single file is selected";
        QTest::mouseClick(test::Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    CleanUpExportsAtStartup(nullptr, m_doc, m_prompter);
    EXPECT_FALSE(m_doc.Folder().Exists("Exports/luty.rpt"));
    EXPECT_FALSE(m_doc.Folder().Exists("Exports/3rdparty.tsv"));
}

} // namespace
} // namespace vardo
