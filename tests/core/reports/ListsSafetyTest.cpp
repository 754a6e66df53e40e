// The emergency-contact lists, the contact forms and the special-needs lists.

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "core/reports/Lists.h"
#include "core/reports/RecordingCanvas.h"

namespace vardo {
namespace {

constexpr int kDpi = 300;

/// Record bytes built field by field at their offsets (the layout of emerg.dat and spneed.dat).
std::string ContactBytes(std::uint16_t key, std::string_view name, std::string_view home, std::string_view info,
                         bool witness) {
    std::string bytes(256, '\0');
    bytes[0] = static_cast<char>(key & 0xFF);
    bytes[1] = static_cast<char>(key >> 8);
    bytes.replace(2, name.size(), name);
    bytes.replace(98, info.size(), info);
    bytes.replace(194, home.size(), home);
    bytes[242] = witness ? 1 : 0;
    return bytes;
}

std::string NeedsBytes(std::uint16_t key, std::string_view text) {
    std::string bytes(96, '\0');
    bytes[0] = static_cast<char>(key & 0xFF);
    bytes[1] = static_cast<char>(key >> 8);
    bytes.replace(2, text.size(), text);
    return bytes;
}

class SafetyListsTest : public ::testing::Test {
protected:
    SafetyListsTest() {
        m_source.database = &m_db;
        m_source.groups = &m_groups;
        m_source.workingMonth = WorkingMonthFor(2024, 3, 5);
        m_environment = ForPrinting(ReportEnvironment{}, false);
        m_environment.today = Date{2024, 3, 5};
        m_environment.options.surnameFirst = true;
        m_db.SetCount(1);
        Add("Jan", "Kowalski", 101, 1).SetHeadOfFamily(true);
        Add("Anna", "Kowalska", 102, 1).SetFamilyHead(101);
        Add("Piotr", "Nowak", 103, 2);
        Add("Ewa", "Lis", 104, 2, PublisherCategory::Inactive);
        m_db.SortRecords();
        m_db.RebuildIndex();
        m_db.FindById(101)->SetEmergencyKey(10);
        m_db.FindById(102)->SetEmergencyKey(10);
        m_db.FindById(103)->SetSpecialNeedsKey(11);
        m_db.FindById(103)->SetBlind(true);
        m_db.FindById(104)->SetConfined(true);
        // Key 10 repeated: the first record counts.
        m_source.safety = SafetyDataFromBytes(ContactBytes(10, "Teresa Kowalska", "111", "Klucze u s\xb9siadki", true) +
                                                  ContactBytes(10, "Duplikat", "", "", false),
                                              NeedsBytes(11, "Druk powi\xeakszony"));
        m_groups.SetCount(2);
        EXPECT_TRUE(m_groups.SetOverseer(0, "Jan Kowalski").ok());
        EXPECT_TRUE(m_groups.SetOverseer(1, "Piotr Nowak").ok());
    }

    PublisherRecord& Add(const char* first, const char* last, PublisherId id, int group,
                         PublisherCategory category = PublisherCategory::Publisher) {
        PublisherRecord record;
        record.SetFirstName(first);
        record.SetLastName(last);
        record.SetId(id);
        record.SetGroup(group);
        record.SetCategory(category);
        return m_db.Record(m_db.AppendRecord(record).value());
    }

    RecordingCanvas Draw(ReportKind kind, int group = 0) {
        RecordingCanvas canvas(kDpi, kDpi);
        const auto report = MakeListReport(kind, m_source, group);
        EXPECT_NE(report, nullptr);
        if (report)
            report->Draw(canvas, m_environment);
        return canvas;
    }
    int Pages(ReportKind kind, int group = 0) {
        RecordingCanvas canvas(kDpi, kDpi);
        return MakeListReport(kind, m_source, group)->CountPages(canvas, m_environment);
    }
    static bool Has(const RecordingCanvas& canvas, std::string_view text) {
        const auto texts = canvas.TextStrings();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    PublisherDatabase m_db;
    GroupTable m_groups;
    ListSource m_source;
    ReportEnvironment m_environment;
};

TEST_F(SafetyListsTest, EmergencyListShowsTheSharedContactOnceForTheFamily) {
    const RecordingCanvas canvas = Draw(ReportKind::EmergencyCongregation);
    const auto texts = canvas.TextStrings();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Kontakt alarmowy: Teresa Kowalska"), 1);
    EXPECT_TRUE(Has(canvas, "ŚJ? Tak"));
    EXPECT_TRUE(Has(canvas, "Klucze u sąsiadki"));
    EXPECT_TRUE(Has(canvas, "Rodzina: Kowalska, Anna"));
    EXPECT_TRUE(Has(canvas, "Brak kontaktu alarmowego"));
    EXPECT_FALSE(Has(canvas, "Kontakt alarmowy: Duplikat"));
    EXPECT_TRUE(Has(canvas, "Wykaz kontaktów alarmowych"));
    EXPECT_TRUE(Has(canvas, "     ( POUFNE - NIE KOPIUJ )"));

    // The Witness line follows the option.
    m_environment.options.emergencyWitnessLine = false;
    EXPECT_FALSE(Has(Draw(ReportKind::EmergencyCongregation), "ŚJ? Tak"));
}

TEST_F(SafetyListsTest, GroupVariantsListOnlyTheGroup) {
    const RecordingCanvas group2 = Draw(ReportKind::EmergencyGroup, 2);
    EXPECT_TRUE(Has(group2, "Nowak, Piotr"));
    EXPECT_FALSE(Has(group2, "Kowalski, Jan"));
    EXPECT_TRUE(Has(group2, "Grupa # 2"));

    const RecordingCanvas needs1 = Draw(ReportKind::SpecialNeedsGroup, 1);
    EXPECT_FALSE(Has(needs1, "Nowak, Piotr"));
    const RecordingCanvas needs = Draw(ReportKind::SpecialNeedsCongregation);
    EXPECT_TRUE(Has(needs, "Nowak, Piotr"));
    EXPECT_TRUE(Has(needs, "Niewidomi"));
    EXPECT_TRUE(Has(needs, "Druk powiększony"));
    EXPECT_TRUE(Has(needs, "Lis, Ewa ( N )"));
    EXPECT_TRUE(Has(needs, "Przebywający w odosobnieniu"));
    // Persons without needs are not listed.
    EXPECT_FALSE(Has(needs, "Kowalski, Jan"));
}

TEST_F(SafetyListsTest, OneFilledFormPerHousehold) {
    // Jan with Anna, and Piotr alone; the inactive person has no form.
    EXPECT_EQ(Pages(ReportKind::EmergencyForms), 2);
    const RecordingCanvas canvas = Draw(ReportKind::EmergencyForms);
    EXPECT_TRUE(Has(canvas, "Kowalski, Jan"));
    EXPECT_TRUE(Has(canvas, "Kowalska, Anna"));
    EXPECT_TRUE(Has(canvas, "Osoba samotnie mieszkająca"));
    EXPECT_TRUE(Has(canvas, "Teresa Kowalska"));
    EXPECT_TRUE(Has(canvas, "Druk powiększony"));
    // Page 2 starts 11 inches below page 1.
    const auto* jan = canvas.Find("Kowalski, Jan");
    const auto* piotr = canvas.Find("Nowak, Piotr");
    ASSERT_NE(jan, nullptr);
    ASSERT_NE(piotr, nullptr);
    EXPECT_EQ(piotr->y - jan->y, 11 * kDpi);
}

TEST_F(SafetyListsTest, FormsOfTheChosenPersonsOnly) {
    // A family member brings the form of the household, under its head.
    m_source.formPersons = {102};
    EXPECT_EQ(Pages(ReportKind::EmergencyForms), 1);
    RecordingCanvas canvas = Draw(ReportKind::EmergencyForms);
    EXPECT_TRUE(Has(canvas, "Kowalski, Jan"));
    EXPECT_FALSE(Has(canvas, "Nowak, Piotr"));
    m_source.formPersons = {103, 101};
    EXPECT_EQ(Pages(ReportKind::EmergencyForms), 2);
    // Nobody of the active list chosen: the blank form.
    m_source.formPersons = {104};
    canvas = Draw(ReportKind::EmergencyForms);
    EXPECT_EQ(Pages(ReportKind::EmergencyForms), 1);
    EXPECT_FALSE(Has(canvas, "Lis, Ewa"));
    EXPECT_TRUE(Has(canvas, "Imię i nazwisko"));
}

TEST_F(SafetyListsTest, BlankFormHasEveryLabelAndRulesButNoData) {
    EXPECT_EQ(Pages(ReportKind::EmergencyBlankForm), 1);
    const RecordingCanvas canvas = Draw(ReportKind::EmergencyBlankForm);
    for (const char* label : {"Imię i nazwisko", "Adres", "Tel. Dom", "Komórka", "Członkowie rodziny", "ŚJ?",
                              "Dodatkowy Kontakt Alarmowy (najlepiej nie z rodziny)", "Specjalne potrzeby"})
        EXPECT_TRUE(Has(canvas, label)) << label;
    EXPECT_FALSE(Has(canvas, "Kowalski, Jan"));
    EXPECT_GE(canvas.Lines().size(), 18u);
}

TEST_F(SafetyListsTest, LongInformationWrapsOnTheForm) {
    const std::string info(90, 'x');
    std::string words;
    for (int i = 0; i < 15; ++i)
        words += "informacja ";
    m_source.safety = SafetyDataFromBytes(ContactBytes(10, "Teresa", "1", words.substr(0, 95), false), {});
    const RecordingCanvas canvas = Draw(ReportKind::EmergencyForms);
    int informationLines = 0;
    for (const auto& text : canvas.TextStrings())
        informationLines += text.rfind("informacja", 0) == 0 ? 1 : 0;
    EXPECT_GE(informationLines, 2);
}

} // namespace
} // namespace vardo
