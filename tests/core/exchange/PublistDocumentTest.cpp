#include "core/exchange/PublistDocument.h"

#include <gtest/gtest.h>

#include "Persons.h"
#include "TempDataFolder.h"
#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"
#include "core/store/CardTotals.h"
#include "core/store/ChangeCaptures.h"
#include "core/store/GroupTable.h"
#include "core/store/Settings.h"

namespace vardo {
namespace {

/// A register with its side tables over a temporary folder. Today 2025-03-10: working month February 2025;
/// the stored months reach back to March 2023 (older report format up to September 2023).
struct Register {
    Register() {
        database.SetCount(1);
        database.RebuildIndex();
        groups.SetCount(4);
        changes.SetCapture(DataArea::Register, CaptureOf(database));
        changes.SetCapture(DataArea::Remarks, CaptureByCopy(remarks));
        changes.SetCapture(DataArea::CardTotals, CaptureByCopy(totals));
        changes.SetCapture(DataArea::MonthCycle, [] { return ChangeHub::Restore{}; });
        changes.SetCapture(DataArea::Extensions,
                           CaptureWithFile(folder, std::string(ExtensionFile::kFileName), CaptureByCopy(extensions)));
    }

    PublisherRecord& Person(PublisherId id) { return *database.FindById(id); }
    PublistExportSource Source() {
        return {
            database, remarks,
            month,    [this](const PublisherRecord& p) { return extensions.Read(folder, p.ExtensionKey(), p.Id()); },
            {},       {}};
    }

    test::TempDir dir;
    DataFolder folder{dir.Path()};
    ScriptedPrompter prompter;
    PublisherDatabase database;
    RemarkTable remarks;
    CardTotals totals;
    AppointmentTable appointments;
    ExtensionFile extensions;
    GroupTable groups;
    Settings settings;
    WorkingMonth month = WorkingMonthFor(2025, 3, 10);
    ChangeHub changes;
    RegistryContext registry{database, appointments, extensions, groups,   settings, month,
                             folder,   prompter,     changes,    "polish", {}};
    ReportingContext reporting{database, remarks, totals, month, prompter, changes, {}, {}, {}};
};

class PublistTest : public ::testing::Test {
protected:
    PublistTest() {
        m_jan = test::AddPersonTo(m_from.database, "Jan", "Kowalski", m_from.prompter);
        m_ewa = test::AddPersonTo(m_from.database, "Ewa", "Żak", m_from.prompter);
        PublisherRecord& jan = m_from.Person(m_jan);
        jan.SetAddress("ul. Polna 3");
        jan.SetPhone2("600 100 200");
        jan.SetBirthDate(" 5052019");
        jan.SetBaptismDate("12241999");
        jan.SetGroup(2);
        jan.SetMale(true);
        jan.SetAppointment(Appointment::Elder);
        ExtensionRecord extension;
        extension.SetOwner(m_jan);
        EXPECT_TRUE(extension.SetEmail("jan@example.pl").ok());
        jan.SetExtensionKey(m_from.extensions.Write(m_from.folder, extension).value());
        // Older format: May 2023 (slot 1), with quarter hours and a remark; less than an hour in June 2023.
        jan.SetRow(MonthRow::Placements, 4, 1, 3);
        jan.SetRow(MonthRow::Hours, 4, 1, 12);
        jan.SetRow(MonthRow::StudyWord, 4, 1, (2 << kQuarterHoursShift) | 2);
        jan.SetRow(MonthRow::ReturnVisits, 4, 1, 5);
        EXPECT_TRUE(StoreRemark(m_from.remarks, jan, 4, 1, 0, "maj uwaga", m_from.prompter).ok());
        jan.SetRow(MonthRow::StudyWord, 5, 1, kStudyFlagBit);
        // Newer format: January 2025 (slot 1) participation and studies; regular pioneer in December 2024.
        jan.SetRow(MonthRow::StudyWord, 0, 1, kStudyFlagBit | 1);
        jan.SetRow(MonthRow::Pioneer, 11, 0, static_cast<std::uint16_t>(PioneerCode::Regular));
        jan.SetRow(MonthRow::Hours, 11, 0, 48);
        jan.SetRow(MonthRow::StudyWord, 11, 0, kStudyFlagBit);
        jan.SetRow(MonthRow::CreditHours, 11, 0, 7);
        m_from.Person(m_ewa).SetFemale(true);
    }

    std::string Export() {
        const std::vector<RecordNumber> all{1, 2};
        return BuildPublist(m_from.Source(), PublistKind::Active, all, Date{2025, 3, 5});
    }

    Register m_from;
    Register m_to;
    PublisherId m_jan = 0, m_ewa = 0;
};

TEST_F(PublistTest, ExportWritesTheElementsAndValueRules) {
    const std::string xml = Export();
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(xml));
    for (const char* expected :
         {"<Agent Ver=\"9000\">VARDO</Agent>", "<Date>2025-03-05</Date>", "<Count>2</Count>", "<fname>Jan</fname>",
          "<email>jan@example.pl</email>", "<gender>Male</gender>", "<birdate>2019-05-05</birdate>",
          "<bapdate>1999-12-24</bapdate>", "<svt>Elder</svt>", "<group>2</group>", "<lname>Żak</lname>",
          // May 2023, older format: quarter hours as ",30"
          "<May Year=\"2023\"><Plcmts>3</Plcmts><Videos>0</Videos><Hours>12,30</Hours><R.V.s>5</R.V.s>"
          "<BiSt.>2</BiSt.><Remark>maj uwaga</Remark><Pio/></May>",
          "<Jun Year=\"2023\"><Plcmts>0</Plcmts><Videos>0</Videos><Hours>0</Hours><R.V.s>0</R.V.s><BiSt.>0</BiSt.>"
          "<Remark>Poniżej 1 godziny </Remark>",
          // January 2025, newer format: participation in Hours for a non-pioneer
          "<Jan Year=\"2025\"><Plcmts>0</Plcmts><Videos>0</Videos><Hours>1</Hours><R.V.s>0</R.V.s><BiSt.>1</BiSt.>",
          "<Dec Year=\"2024\"><Plcmts>0</Plcmts><Videos>0</Videos><Hours>48</Hours><R.V.s>0</R.V.s><BiSt.>0</BiSt.>"
          "<Remark/><Pio>Reg</Pio><PioCredit>7</PioCredit></Dec>",
          "<Mar Year=\"2023\">", "<Feb Year=\"2025\">", "<Mar Year=\"2024\">"})
        EXPECT_NE(xml.find(expected), std::string::npos) << expected;
    EXPECT_EQ(xml.find("Year=\"2022\""), std::string::npos);
}

TEST_F(PublistTest, ImportIntoAnEmptyFolderReproducesPersonsAndReports) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(Export()));
    const auto persons = ReadPublistPersons(doc, PublistKind::Active, m_to.database);
    ASSERT_TRUE(persons.ok());
    ASSERT_EQ(persons.value().size(), 2u);
    EXPECT_EQ(persons.value()[0].label, "Kowalski, Jan");

    const auto imported = ImportPublist(doc, PublistKind::Active, {{0, 1}, true}, m_to.registry, m_to.remarks);
    ASSERT_TRUE(imported.ok()) << imported.error();
    EXPECT_EQ(imported.value(), 2);
    EXPECT_EQ(m_to.changes.CommitCount(), 1);
    ASSERT_EQ(m_to.database.PersonCount(), 2);

    const PublisherRecord& source = m_from.Person(m_jan);
    const RecordNumber number = m_to.database.List(PublisherCategory::Publisher)[0].recordNumber;
    const PublisherRecord& jan = m_to.database.Record(number);
    EXPECT_EQ(jan.LastName(), "Kowalski");
    EXPECT_EQ(jan.Address(), "ul. Polna 3");
    EXPECT_EQ(jan.Phone2(), "600 100 200");
    EXPECT_EQ(jan.BirthDate(), "05052019");
    EXPECT_EQ(RecordDateToIso(jan.BirthDate()), RecordDateToIso(source.BirthDate()));
    EXPECT_EQ(jan.GetAppointment(), Appointment::Elder);
    EXPECT_TRUE(jan.IsMale());
    const auto extension = m_to.extensions.Read(m_to.folder, jan.ExtensionKey(), jan.Id());
    ASSERT_TRUE(extension.has_value());
    EXPECT_EQ(extension->Email(), "jan@example.pl");
    for (MonthIndex m = 0; m < 12; ++m)
        for (YearSlot s = 0; s < 2; ++s) {
            const ReportCell a = source.Cell(m, s);
            const ReportCell b = jan.Cell(m, s);
            EXPECT_EQ(b.placements, a.placements) << m << "/" << s;
            EXPECT_EQ(b.hours, a.hours) << m << "/" << s;
            EXPECT_EQ(b.studyWord, a.studyWord) << m << "/" << s;
            EXPECT_EQ(b.returnVisits, a.returnVisits) << m << "/" << s;
            EXPECT_EQ(b.Pioneer(), a.Pioneer()) << m << "/" << s;
            EXPECT_EQ(b.creditHours, a.creditHours) << m << "/" << s;
            EXPECT_EQ(RemarkText(m_to.remarks, jan, m, s).text, RemarkText(m_from.remarks, source, m, s).text);
        }
}

TEST_F(PublistTest, DuplicatesUpdateInPlaceOrAreCreatedWithASuffix) {
    const PublisherId existing = test::AddPersonTo(m_to.database, "Jan", "Kowalski", m_to.prompter);
    m_to.Person(existing).SetPhone1("111");
    m_to.Person(existing).SetGroup(4);
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(Export()));
    const auto persons = ReadPublistPersons(doc, PublistKind::Active, m_to.database);
    EXPECT_EQ(persons.value()[0].label, "Kowalski, Jan *");

    ASSERT_TRUE(ImportPublist(doc, PublistKind::Active, {{0}, true}, m_to.registry, m_to.remarks).ok());
    ASSERT_EQ(m_to.database.PersonCount(), 1);
    EXPECT_EQ(m_to.Person(existing).Address(), "ul. Polna 3");
    EXPECT_EQ(m_to.Person(existing).Group(), 2);
    EXPECT_EQ(m_to.Person(existing).Id(), existing) << "the update keeps the id";

    ASSERT_TRUE(ImportPublist(doc, PublistKind::Active, {{0}, false}, m_to.registry, m_to.remarks).ok());
    ASSERT_EQ(m_to.database.PersonCount(), 2);
    bool found = false;
    for (const IndexEntry& e : m_to.database.List(PublisherCategory::Publisher))
        found |= m_to.database.Record(e.recordNumber).FirstName() == "Jan2";
    EXPECT_TRUE(found);
}

TEST_F(PublistTest, MonthsOutsideTheWindowAndMissingTags) {
    std::string xml = Export();
    // A May element three years back is ignored by the active-list import.
    const std::size_t at = xml.find("<May Year=\"2023\">");
    ASSERT_NE(at, std::string::npos);
    xml.replace(at, 17, "<May Year=\"2022\">");
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(xml));
    ASSERT_TRUE(ImportPublist(doc, PublistKind::Active, {{0}, true}, m_to.registry, m_to.remarks).ok());
    EXPECT_EQ(m_to.database.Record(1).Hours(4, 1), 0);

    CXmlDoc wrong;
    ASSERT_TRUE(wrong.SetText("<LIST><Active/></LIST>"));
    const auto refused = ReadPublistPersons(wrong, PublistKind::Active, m_to.database);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error(), Str(StrId::XmlMissingTags));
    ASSERT_TRUE(wrong.SetText("<PUBLIST><Inactive/></PUBLIST>"));
    EXPECT_FALSE(ReadPublistPersons(wrong, PublistKind::Active, m_to.database).ok());
}

TEST_F(PublistTest, XmlReportImportFeedsThePreview) {
    test::AddPersonTo(m_to.database, "Jan", "Kowalski", m_to.prompter);
    test::AddPersonTo(m_to.database, "Ewa", "Żak", m_to.prompter);
    // February 2025 of the exported file: participation and 3 studies for Jan.
    m_from.Person(m_jan).SetRow(MonthRow::StudyWord, 1, 1, kStudyFlagBit | 3);
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(Export()));
    const auto persons = IncomingFromXmlReports(doc, m_to.reporting);
    ASSERT_TRUE(persons.ok()) << persons.error();
    ReportImport import(m_to.reporting, ImportSource::Xml, persons.value());
    ASSERT_EQ(import.Entries().size(), 1u) << "only Jan has a report for February";
    ASSERT_TRUE(import.Import().ok());
    const PublisherRecord& jan = m_to.database.Record(1);
    EXPECT_TRUE(jan.Cell(1, 1).Flag());
    EXPECT_EQ(jan.Cell(1, 1).BibleStudies(), 3);
    EXPECT_EQ(jan.Hours(1, 1), 0) << "a non-pioneer's Hours stands for the participation";

    CXmlDoc empty;
    ASSERT_TRUE(empty.SetText("<PUBLIST><Active/></PUBLIST>"));
    EXPECT_EQ(IncomingFromXmlReports(empty, m_to.reporting).error(), Str(StrId::XmlMissingTags));
}

TEST(PublistHours, TextsBothWays) {
    EXPECT_EQ(PublistHoursText(12, 0), "12");
    EXPECT_EQ(PublistHoursText(12, 1), "12,15");
    EXPECT_EQ(PublistHoursText(3, 3), "3,45");
    EXPECT_EQ(ParsePublistHours("12,30"), (HoursValue{12, 2}));
    EXPECT_EQ(ParsePublistHours(" 7.5 "), (HoursValue{7, 2}));
    EXPECT_EQ(ParsePublistHours("x"), (HoursValue{0, 0}));
    EXPECT_EQ(ParsePublistHours("-4"), (HoursValue{0, 0}));
}

} // namespace
} // namespace vardo
