#include "core/store/DatabaseFile.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::ByteRecord;
using test::Concat;

constexpr std::size_t kShift = 52;

std::size_t Cell16(std::size_t row, int m, int s) {
    return row + 2 * static_cast<std::size_t>(3 * m + s);
}
std::size_t Cell8(std::size_t row, int m, int s) {
    return row + static_cast<std::size_t>(3 * m + s);
}

// Equal bytes, or a failure naming the first differing record and offset.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected)
        return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    auto byteAt = [](const std::string& s, std::size_t i) {
        return i < s.size() ? std::to_string(static_cast<unsigned char>(s[i])) : std::string("end");
    };
    return ::testing::AssertionFailure() << "sizes " << actual.size() << " / " << expected.size()
                                         << "; first difference in record " << at / 816 << " at offset " << at % 816
                                         << ": " << byteAt(actual, at) << " instead of " << byteAt(expected, at);
}

// Working month February 2024, started on 3 March 2024.
DatabaseLoadContext February2024() {
    DatabaseLoadContext context;
    context.yearIndex = 24;
    context.workingMonthIndex = 1;
    context.startupMonthIndex = 1;
    context.currentYear = 24;
    context.todayMonth = 3;
    return context;
}

struct PersonFixture {
    std::string first;
    std::string last;
    PublisherId id = 0;
    std::uint8_t category = 0;
    std::string address;
    std::string phone1;
    std::string baptism;
    std::string birth;
    std::uint16_t needs = 0x8000;
};

// A person's record as the layout lays it down, texts plain or scrambled.
ByteRecord PersonBytes(const PersonFixture& p, bool scrambled) {
    ByteRecord r(816);
    auto text = [&](std::size_t offset, std::size_t width, const std::string& value, std::size_t keepBelow) {
        if (scrambled)
            r.ShiftedText(offset, width, value, kShift, 0xCC, keepBelow);
        else
            r.Text(offset, width, value);
    };
    text(2, 21, p.first, 21);
    text(23, 21, p.last, 21);
    text(44, 63, p.address, 30);
    text(107, 15, p.phone1, 0);
    text(152, 9, p.baptism, 0);
    text(161, 9, p.birth, 0);
    r.U16(182, p.id).U16(196, p.needs).U8(200, p.category);
    return r;
}

// Header with no password, months January and February closed, March open (the month states sit in the
// third phone field and are scrambled with it), document word and saved month nibble.
ByteRecord HeaderBytes(bool scrambled, std::uint16_t documentWord, std::uint16_t word194) {
    ByteRecord r(816);
    if (scrambled)
        r.ShiftedText(2, 21, " ", kShift).ShiftedText(23, 21, "A", kShift);
    else
        r.Text(2, 21, " ").Text(23, 21, "A");
    const std::uint8_t states[] = {2, 2, 1};
    for (std::size_t i = 0; i < 3; ++i)
        r.U8(137 + i, static_cast<std::uint8_t>(states[i] + (scrambled ? kShift + i : 0)));
    r.U16(192, documentWord).U16(194, word194).U16(196, 0x8000);
    r.U16(Cell16(600, 0, 0), 24).U16(Cell16(600, 1, 0), 24).U16(Cell16(600, 2, 1), 23);
    return r;
}

const PersonFixture kEmil{"Ěmil", "Nowak", 150, 0, "ul. Łąkowa 3, Ěłk", "600700800", " 5052019", "12311980"};
const PersonFixture kAnna{"Anna", "Żak", 151, 1, "Źródlana 7", "", "", " 3 31975", 0};
const PersonFixture kOverseer{"Jan", "Zieliński", 30003, 5, "", "", "", ""};
const PersonFixture kLucja{"Łucja", "Kowalska", 152, 0, "Ściegiennego 2", "", "11111999", ""};
const PersonFixture kPiotr{"Piotr", "Adamczyk", 153, 0, "", "", "", ""};

// Emil's reports: March 2023 in the older format, January 2024 in the newer one.
ByteRecord& AddEmilReports(ByteRecord& r) {
    // March 2023: slot (24 + 1) mod 2 = 1; auxiliary pioneer, 5 placements, 2 videos, 10,30 hours, 4 return
    // visits, 3 studies, remark 2, credit 0, late mark 4.
    r.U8(Cell8(202, 2, 1), 1)
        .U16(Cell16(240, 2, 1), 5)
        .U16(Cell16(312, 2, 1), 2)
        .U16(Cell16(384, 2, 1), 10)
        .U16(Cell16(456, 2, 1), 4)
        .U16(Cell16(528, 2, 1), 0x2000 | 3)
        .U16(Cell16(600, 2, 1), 2)
        .U8(Cell8(780, 2, 1), 4);
    // January 2024: slot 0; participated, 2 studies, regular pioneer with 50 hours and 5 credit hours.
    r.U8(Cell8(202, 0, 0), 2).U16(Cell16(384, 0, 0), 50).U16(Cell16(528, 0, 0), 0x0800 | 2).U16(Cell16(672, 0, 0), 5);
    return r;
}

std::string StoredFile() {
    ByteRecord emil = PersonBytes(kEmil, true);
    AddEmilReports(emil);
    return Concat({HeaderBytes(true, 0x1234, 0x0002).Bytes(), emil.Bytes(), PersonBytes(kAnna, true).Bytes(),
                   PersonBytes(kOverseer, true).Bytes(), PersonBytes(kLucja, true).Bytes(),
                   PersonBytes(kPiotr, true).Bytes()});
}

class DatabaseFileTest : public test::TempDataFolderTest {
protected:
    DatabaseLoadResult Load(const DatabaseLoadContext& context = February2024()) {
        return m_file.LoadDatabase(m_db, m_folder, context, m_prompter);
    }
    Status Save(std::uint16_t documentWord = 0x1234) {
        return m_file.SaveDatabase(m_db, m_folder, 1, documentWord, false, m_prompter);
    }

    PublisherDatabase m_db;
    DatabaseFile m_file;
    ScriptedPrompter m_prompter;
};

TEST_F(DatabaseFileTest, LoadsAScrambledRegisterWithNamesDatesCellsAndOrder) {
    m_dir.WriteFile("TDAT9.BIN", StoredFile()); // names resolve case-insensitively
    const DatabaseLoadResult result = Load();

    EXPECT_FALSE(result.converted);
    EXPECT_TRUE(result.recordsRead);
    ASSERT_TRUE(result.documentWord.has_value());
    EXPECT_EQ(*result.documentWord, 0x1234);
    ASSERT_EQ(m_db.Count(), 6);
    EXPECT_FALSE(result.changed);
    EXPECT_TRUE(m_prompter.Shown().empty());

    std::vector<std::string> names;
    for (RecordNumber i = 1; i < m_db.Count(); ++i)
        names.push_back(m_db.DisplayNameOfRecord(i, true));
    EXPECT_EQ(names, (std::vector<std::string>{"Adamczyk, Piotr", "Kowalska, Łucja", "Nowak, Ěmil", "Żak, Anna",
                                               "Zieliński, Jan"}));
    EXPECT_EQ(m_db.CircuitOverseerRecord(), 5);

    const PublisherRecord& emil = *m_db.FindById(150);
    EXPECT_EQ(emil.Address(), "ul. Łąkowa 3, Ěłk");
    EXPECT_EQ(emil.Phone1(), "600700800");
    EXPECT_EQ(emil.BaptismDate(), " 5052019");
    EXPECT_EQ(emil.BirthDate(), "12311980");
    const ReportCell march2023 = emil.Cell(2, SlotOfMonth(24, 2, 1));
    EXPECT_EQ(march2023.Pioneer(), PioneerCode::Auxiliary);
    EXPECT_EQ(march2023.placements, 5);
    EXPECT_EQ(march2023.videos, 2);
    EXPECT_DOUBLE_EQ(march2023.TotalHours(), 10.5);
    EXPECT_EQ(march2023.returnVisits, 4);
    EXPECT_EQ(march2023.BibleStudies(), 3);
    EXPECT_EQ(march2023.remark, 2);
    EXPECT_EQ(march2023.lateMarker, 4);
    const ReportCell january2024 = emil.Cell(0, SlotOfMonth(24, 0, 1));
    EXPECT_EQ(january2024.Pioneer(), PioneerCode::Regular);
    EXPECT_TRUE(january2024.Flag());
    EXPECT_EQ(january2024.BibleStudies(), 2);
    EXPECT_EQ(january2024.hours, 50);
    EXPECT_EQ(january2024.creditHours, 5);

    EXPECT_EQ(m_db.FindById(151)->BirthDate(), " 3 31975");
    EXPECT_EQ(m_db.FindById(151)->NeedsFlags(), 0x8000); // uninitialised word marked at load
    EXPECT_EQ(m_db.FindById(152)->Address(), "Ściegiennego 2");
    EXPECT_EQ(m_db.List(PublisherCategory::Publisher).size(), 3u);
    EXPECT_EQ(m_db.List(PublisherCategory::Inactive).size(), 1u);

    const HeaderRecord& header = m_db.Header();
    EXPECT_EQ(header.StorageMarker(), 'A');
    EXPECT_FALSE(header.HasPassword());
    EXPECT_EQ(header.GetMonthState(0), MonthState::Closed);
    EXPECT_EQ(header.GetMonthState(2), MonthState::Open);
    EXPECT_EQ(header.InitialisedYear(2, 1), 23);
}

TEST_F(DatabaseFileTest, SavesTheLaidDownBytesInNameOrder) {
    m_dir.WriteFile("tdat9.bin", StoredFile());
    Load();
    ASSERT_TRUE(Save(0x0BCD));

    ByteRecord emil = PersonBytes(kEmil, true);
    AddEmilReports(emil);
    const std::string expected =
        Concat({HeaderBytes(true, 0x0BCD, 0x0002).Bytes(), PersonBytes(kPiotr, true).Bytes(),
                PersonBytes(kLucja, true).Bytes(), emil.Bytes(),
                PersonBytes({kAnna.first, kAnna.last, kAnna.id, 1, kAnna.address, "", "", kAnna.birth}, true).Bytes(),
                PersonBytes(kOverseer, true).Bytes()});
    EXPECT_TRUE(SameBytes(m_dir.ReadFile("tdat9.bin"), expected));
    // The records in memory stay plain.
    EXPECT_EQ(m_db.Header().StorageMarker(), 'A');
    EXPECT_EQ(m_db.FindById(150)->FirstName(), "Ěmil");
}

TEST_F(DatabaseFileTest, UntouchedRegisterSavesByteForByte) {
    // A register as this program writes it: sorted, needs words initialised, saved in the working month.
    std::mt19937 random(11);
    const char* const lasts[] = {"Nowak", "Wójcik", "Kowalczyk", "Kamińska", "Lewandowski", "Zieliński", "Szymańska"};
    const char* const firsts[] = {"Anna", "Jan", "Małgorzata", "Łukasz", "Żaneta", "Grzegorz"};
    PublisherDatabase source;
    source.SetCount(1);
    for (PublisherId id = 100; id < 400; ++id) {
        PublisherRecord r;
        r.SetFirstName(firsts[random() % 6]);
        r.SetLastName(lasts[random() % 7]);
        r.SetAddress("ul. Świętej Anny " + std::to_string(id));
        r.SetId(id);
        r.SetNeedsFlags(0x8000);
        r.SetCategory(static_cast<PublisherCategory>(random() % 5));
        for (int m = 0; m < 12; ++m) {
            for (int s = 0; s < 2; ++s) {
                ReportCell cell;
                cell.hours = static_cast<std::uint16_t>(random() % 90);
                cell.studyWord = static_cast<std::uint16_t>(random());
                cell.yearTag = static_cast<std::uint8_t>(random());
                r.SetCell(m, s, cell);
            }
        }
        ASSERT_TRUE(source.AppendRecord(r).ok());
    }
    source.SortRecords();
    source.Header().SetSavedMonthNibble(2);
    source.Header().SetU16(196, 0x8000);
    const std::string original = DatabaseFileBytes(source);
    m_dir.WriteFile("tdat9.bin", original);

    EXPECT_FALSE(Load().changed);
    ASSERT_TRUE(Save(source.Header().DocumentWord()));
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), original);
}

TEST_F(DatabaseFileTest, LoadingChangesOnlyTheLaidDownBytes) {
    // Unsorted records, an uninitialised needs word and a stale month nibble: those bytes change, nothing else.
    m_dir.WriteFile("tdat9.bin", Concat({HeaderBytes(true, 0x1111, 0xF00B).Bytes(), PersonBytes(kLucja, true).Bytes(),
                                         PersonBytes({"Ala", "Bąk", 160, 0, "", "", "", "", 0x0003}, true).Bytes()}));
    const DatabaseLoadResult result = Load();
    EXPECT_FALSE(result.documentWord.has_value()); // nibble 11 is not working month 1 + 1
    ASSERT_TRUE(Save(0x2222));
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"),
              Concat({HeaderBytes(true, 0x2222, 0xF002).Bytes(),
                      PersonBytes({"Ala", "Bąk", 160, 0, "", "", "", "", 0x8000}, true).Bytes(),
                      PersonBytes(kLucja, true).Bytes()}));
}

TEST_F(DatabaseFileTest, HyphensAndApostrophesInNamesOnlyBreakTies) {
    const PersonFixture people[] = {
        {"Anna", "Nowak-Kowalska", 160}, {"Jan", "D'Arco", 161},          {"Adam", "Nowakowski", 162},
        {"Zenon", "Nowak", 163},         {"Anna", "Kowalska-Nowak", 164}, {"Adam", "Dąbrowski", 165},
        {"Jan", "Nowak", 166},           {"Zofia", "Kowalska", 167},      {"Jan", "Dabrowski", 168},
    };
    std::string bytes = HeaderBytes(true, 0, 0x0002).Bytes();
    for (const PersonFixture& p : people)
        bytes += PersonBytes(p, true).Bytes();
    m_dir.WriteFile("tdat9.bin", bytes);
    Load();

    std::vector<std::string> names;
    for (RecordNumber i = 1; i < m_db.Count(); ++i)
        names.push_back(m_db.DisplayNameOfRecord(i, true));
    EXPECT_EQ(names, (std::vector<std::string>{"Dabrowski, Jan", "D'Arco, Jan", "Dąbrowski, Adam", "Kowalska, Zofia",
                                               "Kowalska-Nowak, Anna", "Nowak, Jan", "Nowak, Zenon",
                                               "Nowak-Kowalska, Anna", "Nowakowski, Adam"}));
    // Saved in that order, the file loads unchanged.
    ASSERT_TRUE(Save());
    const std::string saved = m_dir.ReadFile("tdat9.bin");
    PublisherDatabase again;
    DatabaseFile file;
    EXPECT_FALSE(file.LoadDatabase(again, m_folder, February2024(), m_prompter).changed);
    EXPECT_EQ(DatabaseFileBytes(again), saved);
}

TEST_F(DatabaseFileTest, HeaderOnlyFileGivesAnEmptyRegisterAndNoFileGivesTheEmptyHeader) {
    m_dir.WriteFile("tdat9.bin", HeaderBytes(true, 0, 0).Bytes());
    Load();
    EXPECT_EQ(m_db.Count(), 1);
    EXPECT_TRUE(m_prompter.Shown().empty());

    test::TempDir empty;
    PublisherDatabase db;
    DatabaseFile file;
    const DatabaseLoadResult loaded = file.LoadDatabase(db, DataFolder(empty.Path()), February2024(), m_prompter);
    EXPECT_EQ(db.Count(), 1);
    EXPECT_EQ(db.Header().Bytes(), HeaderRecord::Empty().Bytes());
    EXPECT_FALSE(loaded.changed);
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(DatabaseFileTest, ReloadInAnotherWorkingMonthKeepsTheRecordsInMemory) {
    m_dir.WriteFile("tdat9.bin", StoredFile());
    Load();
    m_db.FindById(153)->SetLastName("Zmieniony");
    DatabaseLoadContext switched = February2024();
    switched.workingMonthIndex = 0;
    const DatabaseLoadResult result = Load(switched);
    EXPECT_FALSE(result.recordsRead);
    EXPECT_EQ(m_db.Count(), 6);
    EXPECT_EQ(m_db.FindById(153)->LastName(), "Zmieniony");
    EXPECT_EQ(m_db.DisplayNameOfRecord(3, true), "Zmieniony, Piotr"); // sorted again
}

TEST_F(DatabaseFileTest, DuplicateIdsAfterLoadGetFreshIds) {
    m_dir.WriteFile(
        "tdat9.bin",
        Concat({HeaderBytes(true, 0, 0).Bytes(), PersonBytes({"Jan", "Alfa", 150}, true).Bytes(),
                PersonBytes({"Jan", "Beta", 150}, true).Bytes(), PersonBytes({"Jan", "Gamma", 101}, true).Bytes()}));
    EXPECT_TRUE(Load().changed);
    EXPECT_EQ(m_db.Record(1).Id(), 150);
    EXPECT_EQ(m_db.Record(2).Id(), 151);
    EXPECT_EQ(m_db.Record(3).Id(), 101);
}

TEST_F(DatabaseFileTest, DuplicateIdStaysWithThePublisher) {
    // Name order puts the moved and the inactive person first; the publisher keeps the id all the same.
    m_dir.WriteFile(
        "tdat9.bin",
        Concat({HeaderBytes(true, 0, 0).Bytes(), PersonBytes({"Jan", "Alfa", 150, 3}, true).Bytes(),
                PersonBytes({"Jan", "Beta", 150, 1}, true).Bytes(), PersonBytes({"Jan", "Gamma", 150, 0}, true).Bytes(),
                PersonBytes({"Jan", "Delta", 150, 0}, true).Bytes()}));
    EXPECT_TRUE(Load().changed);
    ASSERT_NE(m_db.FindById(150), nullptr);
    EXPECT_EQ(m_db.FindById(150)->LastName(), "Delta"); // the first publisher in name order
    std::vector<PublisherId> ids;
    for (RecordNumber i = 1; i < m_db.Count(); ++i)
        ids.push_back(m_db.Record(i).Id());
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

// --- Damaged files -------------------------------------------------------------------------------------

struct DamagedCase {
    const char* name;
    std::size_t size;
    int expectedCount;
};

class DamagedDatabaseFile : public DatabaseFileTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedDatabaseFile, IsCopiedAsideReportedAndNeverLost) {
    const DamagedCase& c = GetParam();
    // The stored register, continued with copies of one person.
    std::string bytes = StoredFile();
    const std::string piotr = bytes.substr(5 * 816, 816);
    while (bytes.size() < c.size)
        bytes += piotr;
    bytes.resize(c.size);
    m_dir.WriteFile("tdat9.bin", bytes);

    Load();
    EXPECT_EQ(m_db.Count(), c.expectedCount);
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_NE(m_prompter.Shown()[0].find("tdat9.bin"), std::string::npos);
    EXPECT_NE(m_prompter.Shown()[0].find("tdat9.bin.uszkodzony"), std::string::npos);
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin.uszkodzony"), bytes);

    ASSERT_TRUE(Save());
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin.uszkodzony"), bytes);
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin").size() % 816, 0u);
}

TEST_F(DatabaseFileTest, GarbageLoadsWithoutHarm) {
    std::mt19937 random(5);
    std::string garbage(816 * 40 + 17, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    m_dir.WriteFile("tdat9.bin", garbage);
    Load();
    EXPECT_EQ(m_db.Count(), 41);
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin.uszkodzony"), garbage);
    EXPECT_EQ(m_db.Header().StorageMarker(), 'A');
    ASSERT_TRUE(Save());
    PublisherDatabase again;
    DatabaseFile file;
    file.LoadDatabase(again, m_folder, February2024(), m_prompter);
    EXPECT_EQ(again.Count(), 41);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DamagedDatabaseFile,
                         ::testing::Values(DamagedCase{"tiny", 1, 1}, DamagedCase{"justTooShort", 400, 1},
                                           DamagedCase{"cutInsideTheThirdPerson", 816 * 3 + 100, 4},
                                           DamagedCase{"garbageAfterTheRegister", 816 * 6 + 5, 7},
                                           DamagedCase{"moreThanTheRegisterHolds", 816 * 1512, 1510}),
                         [](const ::testing::TestParamInfo<DamagedCase>& param) { return param.param.name; });

TEST_F(DatabaseFileTest, PartialRecordIsKeptWithZeroBytes) {
    const std::string stored = StoredFile();
    m_dir.WriteFile("tdat9.bin", stored.substr(0, 816 * 2 + 30)); // Anna's names, nothing after them
    Load();
    ASSERT_EQ(m_db.Count(), 3);
    EXPECT_EQ(m_db.Record(1).FirstName(), "Ěmil");
    const PublisherRecord& anna = m_db.Record(2);
    EXPECT_EQ(m_db.DisplayNameOfRecord(2, true), "Żak, Anna");
    EXPECT_EQ(anna.Id(), 0);
    EXPECT_EQ(anna.BirthDate(), "");
    EXPECT_EQ(anna.NeedsFlags(), 0x8000);
    EXPECT_EQ(anna.Bytes().substr(44), ByteRecord(816).U16(196, 0x8000).Bytes().substr(44));
}

TEST_F(DatabaseFileTest, UnreadableRegisterIsNeverWrittenOver) {
    std::filesystem::create_directory(m_dir.Path() / "tdat9.bin");
    Load();
    EXPECT_EQ(m_db.Count(), 1);
    ASSERT_FALSE(m_prompter.Shown().empty());
    EXPECT_TRUE(m_prompter.AnyShownContains("tdat9.bin"));
    EXPECT_TRUE(m_file.WriteBlocked());

    m_prompter.Clear();
    const Status saved = Save();
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(m_prompter.AnyShownContains("tdat9.bin"));
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path() / "tdat9.bin"));
}

TEST_F(DatabaseFileTest, SaveFailureShowsMessage1231AndKeepsMemory) {
    m_dir.WriteFile("tdat9.bin", StoredFile());
    Load();
    PublisherDatabase& db = m_db;
    DatabaseFile file;
    const DataFolder missing(m_dir.Path() / "no" / "such" / "folder");
    const Status saved = file.SaveDatabase(db, missing, 1, 0, false, m_prompter);
    EXPECT_FALSE(saved.ok());
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_EQ(m_prompter.Shown()[0].rfind("Nie mogę utworzyć nowego pliku: ", 0), 0u);
    EXPECT_NE(m_prompter.Shown()[0].find("tdat9.bin"), std::string::npos);
    EXPECT_EQ(db.FindById(150)->FirstName(), "Ěmil");
}

TEST_F(DatabaseFileTest, NothingIsWrittenInPastMonthModeOrBeforeLoading) {
    EXPECT_TRUE(m_file.SaveDatabase(m_db, m_folder, 1, 0, false, m_prompter).ok());
    EXPECT_FALSE(m_dir.Exists("tdat9.bin"));
    m_dir.WriteFile("tdat9.bin", StoredFile());
    Load();
    m_db.FindById(150)->SetFirstName("Inny");
    EXPECT_TRUE(m_file.SaveDatabase(m_db, m_folder, 1, 0, true, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), StoredFile());
}

TEST_F(DatabaseFileTest, TextsTheFileCannotHoldAreReportedAtSave) {
    m_dir.WriteFile("tdat9.bin", StoredFile());
    Load();
    m_db.FindById(152)->SetAddress("Kolejowa 1, Ślemień");
    ASSERT_TRUE(Save());
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_NE(m_prompter.Shown()[0].find("Kowalska, Łucja: adres"), std::string::npos);
}

// --- The older format ----------------------------------------------------------------------------------

struct LegacyPerson {
    std::string first;
    std::string last;
    PublisherId id;
    std::uint8_t category;
};

// An older record: texts scrambled, identity, and March and April values of every kind.
ByteRecord LegacyBytes(const LegacyPerson& p) {
    ByteRecord r(336);
    r.ShiftedText(2, 21, p.first, kShift, 0xCC, 21)
        .ShiftedText(23, 21, p.last, kShift, 0xCC, 21)
        .ShiftedText(152, 9, " 5052019", kShift)
        .Text(170, 9, " 1022020")
        .U8(179, 1)
        .U8(180, 'O')
        .U8(181, 3)
        .U16(182, p.id)
        .U16(184, 2)
        .U16(192, 280)
        .U16(194, 0x0080)
        .U16(196, 0x0007)
        .U16(198, 1)
        .U8(200, p.category)
        .U8(201, 0x21)
        .U8(214, 23)
        .U8(215, 0x22);
    // March (month 2): regular pioneer, placements 0x1FF, videos 0x3AB, 70 hours, return visits 0x105,
    // 5 studies, ",45", credit 12.
    r.U8(202 + 2, 0xF2)
        .U8(216 + 2, 0xFF)
        .U8(288 + 2, 0x13)
        .U8(228 + 2, 0xAB)
        .U8(240 + 2, 70)
        .U8(252 + 2, 0x05)
        .U8(276 + 2, 0x7F)
        .U8(264 + 2, 0xC5)
        .U8(300 + 2, 0x07)
        .U8(324 + 2, 12);
    // April (month 3): 9 hours; its year is too old to be carried over.
    r.U8(240 + 3, 9);
    return r;
}

// Older header: years per month at 312..323 and quarter hours at 300..311.
ByteRecord LegacyHeaderBytes() {
    ByteRecord r(336);
    r.ShiftedText(2, 21, " ", kShift).ShiftedText(23, 21, "A", kShift);
    const std::uint8_t years[12] = {24, 24, 23, 21, 23, 23, 23, 23, 23, 23, 23, 23};
    for (std::size_t i = 0; i < 12; ++i)
        r.U8(312 + i, years[i]);
    r.U8(300 + 2, 0x05);
    return r;
}

// Year tags of the older header of LegacyHeaderBytes, seen from February 2024 on 3 March 2024.
constexpr LegacyYearTags kTags{24, 24, 23, 0, 23, 23, 23, 23, 23, 23, 23, 23};

// The converted record as the layout lays it down.
ByteRecord ConvertedBytes(const LegacyPerson& p, std::uint8_t category, std::uint16_t needs, bool scrambled) {
    ByteRecord r(816);
    if (scrambled)
        r.ShiftedText(2, 21, p.first, kShift, 0xCC, 21)
            .ShiftedText(23, 21, p.last, kShift, 0xCC, 21)
            .ShiftedText(152, 9, " 5052019", kShift);
    else
        r.Text(2, 21, p.first).Text(23, 21, p.last).Text(152, 9, " 5052019");
    r.Text(170, 9, " 1022020")
        .U8(179, 1)
        .U8(180, 'O')
        .U8(181, 3)
        .U16(182, p.id)
        .U16(184, 2)
        .U16(192, 280)
        .U16(194, 0x0080)
        .U16(196, needs)
        .U16(198, 1)
        .U8(200, category)
        .U8(201, 0x21)
        .U8(238, 23)
        .U8(239, 0x22);
    // March of the working year 2024 is after the working month February: slot (24 + 1) mod 2 = 1.
    r.U8(Cell8(202, 2, 1), 2)
        .U16(Cell16(240, 2, 1), 0x1FF)
        .U16(Cell16(312, 2, 1), 0x3AB)
        .U16(Cell16(384, 2, 1), 70)
        .U16(Cell16(456, 2, 1), 0x105)
        .U16(Cell16(528, 2, 1), 0x3005)
        .U8(Cell8(744, 2, 1), 23)
        .U16(Cell16(672, 2, 1), 12);
    // Every month with data in the older file carries its year in the new record.
    for (int i = 0; i < 12; ++i) {
        if (kTags[static_cast<std::size_t>(i)] != 0)
            r.U8(Cell8(744, i, SlotOfMonth(24, i, 1)), kTags[static_cast<std::size_t>(i)]);
    }
    return r;
}

TEST(Tdat7Conversion, RecordMovesEveryValueToItsOffsetAndSlot) {
    const LegacyConversionContext context{24, 1, 24, 3};
    const LegacyYearTags tags = LegacyYearTagsOf(LegacyHeaderBytes().Bytes(), context);
    // January and February 2024 are current but before March; April 2021 is too old; the rest is 2023.
    EXPECT_EQ(tags, kTags);

    const LegacyPerson jan{"Jan", "Ěliasz", 200, 0};
    const PublisherRecord converted = ConvertLegacyRecord(LegacyBytes(jan).Bytes(), tags, context);
    EXPECT_TRUE(SameBytes(std::string(converted.Bytes()), ConvertedBytes(jan, 0, 0, true).Bytes()));

    // The current year counts only for months before today's month number (March = 3: indexes 0..2).
    EXPECT_EQ(LegacyYearTagsOf(ByteRecord(336).U8(312 + 2, 24).U8(312 + 3, 24).U8(312 + 4, 22).Bytes(), context),
              (LegacyYearTags{0, 0, 24, 0, 22, 0, 0, 0, 0, 0, 0, 0}));
    const LegacyConversionContext december{24, 10, 24, 12};
    EXPECT_EQ(LegacyYearTagsOf(ByteRecord(336).U8(312 + 11, 24).U8(312 + 10, 22).U8(312 + 9, 21).Bytes(), december),
              (LegacyYearTags{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 22, 24}));
}

TEST(Tdat7Conversion, HeaderTakesTheMonthStateAndYearsOfTheOlderHeader) {
    const LegacyConversionContext context{24, 1, 24, 3};
    const LegacyYearTags tags = LegacyYearTagsOf(LegacyHeaderBytes().Bytes(), context);
    const HeaderRecord header = ConvertLegacyHeader(LegacyHeaderBytes().Bytes(), tags, context);

    ByteRecord expected(816);
    expected.ShiftedText(2, 21, " ", kShift).ShiftedText(23, 21, "A", kShift).U8(137 + 1, 2);
    const std::uint8_t years[12] = {24, 24, 23, 21, 23, 23, 23, 23, 23, 23, 23, 23};
    for (int i = 0; i < 12; ++i) {
        const int parity = tags[static_cast<std::size_t>(i)] & 1;
        expected.U16(Cell16(600, i, parity), years[i]);
        if (tags[static_cast<std::size_t>(i)] != 0)
            expected.U8(Cell8(744, i, SlotOfMonth(24, i, 1)), tags[static_cast<std::size_t>(i)]);
    }
    expected.U16(Cell16(528, 2, 1), 0x5000);
    EXPECT_EQ(header.Bytes(), expected.Bytes());
}

TEST_F(DatabaseFileTest, ConvertsAnOlderFolderAndSavesItInTheNewFormat) {
    const LegacyPerson jan{"Jan", "Ěliasz", 200, 0};
    const LegacyPerson ewa{"Ewa", "Ćwik", 201, 0};
    const LegacyPerson ola{"Ola", "Bąk", 202, 0};
    const LegacyPerson tom{"Tomasz", "Żuk", 203, 0};
    m_dir.WriteFile("tdat7.bin",
                    Concat({LegacyHeaderBytes().Bytes(), LegacyBytes(jan).Bytes(), LegacyBytes(ewa).Bytes()}));
    m_dir.WriteFile("tinac7.dat", LegacyBytes(ola).Bytes());
    m_dir.WriteFile("TDELE7.DAT", LegacyBytes(tom).Bytes());
    m_dir.WriteFile("tdat9.bin", std::string(400, 'x')); // too short: the older files are used

    const DatabaseLoadResult result = Load();
    EXPECT_TRUE(result.converted);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(result.legacyYearTags, kTags);
    ASSERT_EQ(m_db.Count(), 5);
    EXPECT_EQ(m_db.DisplayNameOfRecord(1, true), "Bąk, Ola");
    EXPECT_EQ(m_db.DisplayNameOfRecord(2, true), "Ćwik, Ewa");
    EXPECT_EQ(m_db.DisplayNameOfRecord(3, true), "Ěliasz, Jan");
    EXPECT_EQ(m_db.DisplayNameOfRecord(4, true), "Żuk, Tomasz");
    EXPECT_EQ(m_db.Record(1).Category(), PublisherCategory::Inactive);
    EXPECT_EQ(m_db.Record(4).Category(), PublisherCategory::Deleted);
    EXPECT_EQ(m_db.List(PublisherCategory::Publisher).size(), 2u);
    EXPECT_DOUBLE_EQ(m_db.Record(2).Cell(2, 1).TotalHours(), 70.75);
    EXPECT_EQ(m_db.Record(2).Cell(3, 0).hours + m_db.Record(2).Cell(3, 1).hours, 0); // April: too old
    // The short tdat9.bin was kept and reported.
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin.uszkodzony"), std::string(400, 'x'));

    ASSERT_TRUE(Save(0));
    ByteRecord header(816);
    header.ShiftedText(2, 21, " ", kShift).ShiftedText(23, 21, "A", kShift).U8(137 + 1, 2).U16(194, 2).U16(196, 0x8000);
    const LegacyConversionContext context{24, 1, 24, 3};
    const LegacyYearTags tags = result.legacyYearTags;
    const std::uint8_t years[12] = {24, 24, 23, 21, 23, 23, 23, 23, 23, 23, 23, 23};
    for (int i = 0; i < 12; ++i) {
        header.U16(Cell16(600, i, tags[static_cast<std::size_t>(i)] & 1), years[i]);
        if (tags[static_cast<std::size_t>(i)] != 0)
            header.U8(Cell8(744, i, SlotOfMonth(context.yearIndex, i, 1)), tags[static_cast<std::size_t>(i)]);
    }
    header.U16(Cell16(528, 2, 1), 0x5000);
    // List files are converted without the load's needs-word marking.
    EXPECT_TRUE(SameBytes(
        m_dir.ReadFile("tdat9.bin"),
        Concat({header.Bytes(), ConvertedBytes(ola, 1, 0, true).Bytes(), ConvertedBytes(ewa, 0, 0x8000, true).Bytes(),
                ConvertedBytes(jan, 0, 0x8000, true).Bytes(), ConvertedBytes(tom, 4, 0, true).Bytes()})));
}

// A moved person of an older list file may share the id of a person of the register: the late markers of
// oddmo7.dat belong to the register's person, and that person keeps the id the side files know.
TEST_F(DatabaseFileTest, LateMarkersOfAnOlderFolderGoToTheRegisterBeforeItsListsAreAdded) {
    const LegacyPerson jan{"Jan", "Nowak", 200, 0};
    const LegacyPerson ewa{"Ewa", "Wójcik", 201, 0};
    const LegacyPerson moved{"Adam", "Bąk", 200, 0};
    const LegacyPerson inactive{"Ola", "Cis", 201, 0};
    m_dir.WriteFile("tdat7.bin",
                    Concat({LegacyHeaderBytes().Bytes(), LegacyBytes(jan).Bytes(), LegacyBytes(ewa).Bytes()}));
    m_dir.WriteFile("tmove7.dat", LegacyBytes(moved).Bytes());
    m_dir.WriteFile("tinac7.dat", LegacyBytes(inactive).Bytes());
    // {PublisherId, month index, working-month byte}: March and January for Jan, March for Ewa.
    m_dir.WriteFile("oddmo7.dat", Concat({ByteRecord(4).U16(0, 200).U8(2, 2).U8(3, 1).Bytes(),
                                          ByteRecord(4).U16(0, 200).U8(2, 0).U8(3, 1).Bytes(),
                                          ByteRecord(4).U16(0, 201).U8(2, 2).U8(3, 1).Bytes()}));
    Load();
    ASSERT_EQ(m_db.Count(), 5);
    EXPECT_EQ(m_db.DisplayNameOfRecord(1, true), "Bąk, Adam"); // sorted before Jan
    EXPECT_EQ(m_db.DisplayNameOfRecord(2, true), "Cis, Ola");

    const PublisherRecord* register200 = m_db.FindById(200);
    ASSERT_NE(register200, nullptr);
    EXPECT_EQ(register200->LastName(), "Nowak");
    EXPECT_EQ(register200->Category(), PublisherCategory::Publisher);
    ASSERT_NE(m_db.FindById(201), nullptr);
    EXPECT_EQ(m_db.FindById(201)->LastName(), "Wójcik");
    // Slots seen from February 2024, today in 2024: March (after the working month) 1, January 0.
    EXPECT_EQ(register200->Cell(2, 1).lateMarker, 1);
    EXPECT_EQ(register200->Cell(0, 0).lateMarker, 1);
    EXPECT_EQ(m_db.FindById(201)->Cell(2, 1).lateMarker, 1);

    const PublisherRecord& adam = m_db.Record(1);
    const PublisherRecord& ola = m_db.Record(2);
    EXPECT_NE(adam.Id(), 200);
    EXPECT_NE(ola.Id(), 201);
    EXPECT_NE(adam.Id(), ola.Id());
    for (const PublisherRecord* listed : {&adam, &ola}) {
        for (int m = 0; m < 12; ++m)
            EXPECT_EQ(listed->Cell(m, 0).lateMarker + listed->Cell(m, 1).lateMarker, 0) << listed->LastName();
    }
}

TEST_F(DatabaseFileTest, DamagedOlderFilesAreReadAsFarAsPossibleAndLeftAlone) {
    const LegacyPerson jan{"Jan", "Nowak", 200, 0};
    const std::string legacy =
        Concat({LegacyHeaderBytes().Bytes(), LegacyBytes(jan).Bytes(), LegacyBytes(jan).Bytes().substr(0, 50)});
    m_dir.WriteFile("tdat7.bin", legacy);
    std::string longList;
    for (PublisherId id = 300; id < 302 + kLegacyListCapacity; ++id)
        longList += LegacyBytes({"Ala", "Lis", id, 0}).Bytes();
    m_dir.WriteFile("tmove7.dat", longList);

    Load();
    EXPECT_EQ(m_db.Count(), 3 + kLegacyListCapacity);
    EXPECT_EQ(m_db.CategoryCount(PublisherCategory::Moved), kLegacyListCapacity);
    EXPECT_EQ(m_prompter.Shown().size(), 2u);
    EXPECT_TRUE(m_prompter.AnyShownContains("tdat7.bin"));
    EXPECT_TRUE(m_prompter.AnyShownContains("tmove7.dat"));
    ASSERT_TRUE(Save());
    EXPECT_EQ(m_dir.ReadFile("tdat7.bin"), legacy);
    EXPECT_EQ(m_dir.ReadFile("tmove7.dat"), longList);
}

} // namespace
} // namespace vardo
