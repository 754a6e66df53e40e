#include "core/store/PublisherDatabase.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ByteFixture.h"

namespace vardo {
namespace {

using test::ByteRecord;

PublisherRecord Person(std::string_view first, std::string_view last, PublisherId id,
                       PublisherCategory category = PublisherCategory::Publisher) {
    PublisherRecord record;
    record.SetFirstName(first);
    record.SetLastName(last);
    record.SetId(id);
    record.SetCategory(category);
    return record;
}

void Fill(PublisherDatabase& db, const std::vector<PublisherRecord>& people) {
    db.Clear();
    db.SetCount(1);
    for (const PublisherRecord& person : people)
        ASSERT_TRUE(db.AppendRecord(person).ok());
}

std::vector<PublisherId> Ids(const PublisherDatabase& db) {
    std::vector<PublisherId> ids;
    for (RecordNumber i = 1; i < db.Count(); ++i)
        ids.push_back(db.Record(i).Id());
    return ids;
}

// The insertion sort the register order is defined by, written out step by step.
void ReferenceInsertionSort(PublisherDatabase& db) {
    for (RecordNumber j = 2; j < db.Count(); ++j) {
        if (db.CompareRecords(j - 1, j) > 0) {
            for (RecordNumber k = j; k >= 2; --k) {
                if (db.CompareRecords(k - 1, k) > 0)
                    db.SwapRecords(k - 1, k);
            }
        }
    }
}

TEST(PublisherDatabase, SortOrdersPolishNamesWithTheOverseerLast) {
    PublisherDatabase db;
    Fill(db, {Person("Jan", "Ślusarz", 100), Person("Anna", "Łuczak", 101),
              Person("Piotr", "Zieliński", 30003, PublisherCategory::CircuitOverseer), Person("Ewa", "lis", 102),
              Person("Adam", "Sowa", 103), Person("Zofia", "Lis", 104), Person("Ola", "  Maj ", 105),
              Person("Ćma", "Cichy", 106), Person("Celina", "Cichy", 107)});
    db.SortRecords();
    // Polish order: C < Ć, L < Ł, S < Ś; case is ignored; blanks around the name are ignored.
    EXPECT_EQ(Ids(db), (std::vector<PublisherId>{107, 106, 102, 104, 101, 105, 103, 100, 30003}));
}

TEST(PublisherDatabase, SortMatchesTheInsertionSortOnTiesCaseAndSeveralOverseers) {
    const char* const lasts[] = {"Nowak", "NOWAK", "nowak ", "Kowalski", "Wiśniewska", "Wójcik", "Ąbel", "Abel",
                                 "Ęcki",  "Ecki",  "Żak",    "Zak",      "Źrebiec",    "Lis",    "Łoś",  ""};
    const char* const firsts[] = {"Jan", "jan", "Anna", "Ęwa", "Ewa", ""};
    std::mt19937 random(7);
    std::vector<PublisherRecord> people;
    for (PublisherId id = 100; id < 260; ++id) {
        const auto category = static_cast<PublisherCategory>(random() % 5);
        people.push_back(Person(firsts[random() % 6], lasts[random() % 16], id, category));
        if (id % 53 == 0)
            people.push_back(
                Person("Nadzorca", "Obwodu", static_cast<PublisherId>(30000 + id), PublisherCategory::CircuitOverseer));
    }
    PublisherDatabase fast;
    PublisherDatabase reference;
    Fill(fast, people);
    Fill(reference, people);
    fast.SortRecords();
    ReferenceInsertionSort(reference);
    EXPECT_EQ(Ids(fast), Ids(reference));

    // Sorting again: the overseers swap among themselves as they do in the insertion sort.
    fast.SortRecords();
    ReferenceInsertionSort(reference);
    EXPECT_EQ(Ids(fast), Ids(reference));
}

TEST(PublisherDatabase, SortHonoursFirstNameFirstOnlyForItsLanguage) {
    PublisherDatabase db;
    Fill(db, {Person("Zenon", "Adamski", 100), Person("Adam", "Zawada", 101)});
    db.SetNameOrder({"polish", false, true});
    db.SortRecords();
    EXPECT_EQ(Ids(db), (std::vector<PublisherId>{100, 101}));
    db.SetNameOrder({"ptg", false, true});
    db.SortRecords();
    EXPECT_EQ(Ids(db), (std::vector<PublisherId>{101, 100}));
}

TEST(PublisherDatabase, RepositionPlacesAnAppendedOrEditedPerson) {
    PublisherDatabase db;
    ScriptedPrompter prompter;
    Fill(db, {Person("Anna", "Adamska", 100), Person("Jan", "Kowalski", 101), Person("Ewa", "Zając", 102)});
    db.SortRecords();

    const RecordNumber added = db.AppendRecord(Person("Piotr", "Nowak", 103)).value();
    EXPECT_TRUE(db.RepositionRecord(added, true, prompter));
    EXPECT_EQ(Ids(db), (std::vector<PublisherId>{100, 101, 103, 102}));

    // An edit that renames the first person to the end of the alphabet.
    db.Record(1).SetLastName("Żak");
    EXPECT_TRUE(db.RepositionRecord(1, false, prompter));
    EXPECT_EQ(Ids(db), (std::vector<PublisherId>{101, 103, 102, 100}));
    EXPECT_EQ(prompter.Questions(), 0);
    EXPECT_TRUE(prompter.Shown().empty());

    // The only person: nothing to do.
    PublisherDatabase single;
    Fill(single, {Person("Jan", "Nowak", 100)});
    EXPECT_TRUE(single.RepositionRecord(1, true, prompter));
    EXPECT_EQ(single.Count(), 2);
}

TEST(PublisherDatabase, DuplicateNameOfAnAppendedPersonAsksWhetherToOverwrite) {
    PublisherDatabase db;
    Fill(db, {Person("Jan", "Kowalski", 100), Person("Anna", "Nowak", 101), Person("Ewa", "Zając", 102)});
    db.SortRecords();
    db.Record(2).SetCell(3, 0, ReportCell{0, 0, 0, 12});
    const std::string before(db.Record(2).Bytes());

    // No: the new person is discarded and nothing else changes.
    ScriptedPrompter no({Answer::No});
    RecordNumber added = db.AppendRecord(Person("ANNA", "nowak", 103)).value();
    EXPECT_FALSE(db.RepositionRecord(added, true, no));
    EXPECT_EQ(db.Count(), 4);
    EXPECT_EQ(Ids(db), (std::vector<PublisherId>{100, 101, 102}));
    EXPECT_EQ(db.Record(2).Bytes(), before);
    ASSERT_EQ(no.Shown().size(), 1u);
    EXPECT_EQ(no.Shown()[0], "Anna Nowak Powtórzona nazwa\n\nNadpisać nowe informacje ?");

    // Yes: the new record goes; the caller is pointed at the existing person, whose record (id, reports)
    // the database leaves untouched.
    ScriptedPrompter yes({Answer::Yes});
    PublisherRecord replacement = Person("Anna", "Nowak", 104);
    replacement.SetAddress("Nowa 1");
    added = db.AppendRecord(replacement).value();
    const auto result = db.RepositionRecord(added, true, yes);
    EXPECT_EQ(result.outcome, PublisherDatabase::Repositioned::Outcome::UpdateExisting);
    EXPECT_EQ(result.existing, 2);
    EXPECT_EQ(db.Count(), 4);
    EXPECT_EQ(db.Record(2).Bytes(), before);
    EXPECT_EQ(Ids(db), (std::vector<PublisherId>{100, 101, 102}));
}

TEST(PublisherDatabase, DuplicateNameRulesForEditsAndOtherCategories) {
    PublisherDatabase db;
    db.SetNameOrder({"polish", true, false});
    Fill(db, {Person("Anna", "Nowak", 100, PublisherCategory::Inactive), Person("Jan", "Kowalski", 101)});
    db.SortRecords();

    // A new publisher may share the name of an inactive person.
    ScriptedPrompter quiet;
    const RecordNumber added = db.AppendRecord(Person("Anna", "Nowak", 102)).value();
    EXPECT_TRUE(db.RepositionRecord(added, true, quiet));
    EXPECT_EQ(db.Count(), 4);
    EXPECT_TRUE(quiet.Shown().empty());

    // An edit that makes a name equal: told with OK only, the record stays where it is.
    db.Record(1).SetLastName("Nowak");
    db.Record(1).SetFirstName("Anna");
    const std::vector<PublisherId> order = Ids(db);
    ScriptedPrompter told;
    EXPECT_FALSE(db.RepositionRecord(1, false, told));
    EXPECT_EQ(Ids(db), order);
    EXPECT_EQ(told.Questions(), 0);
    ASSERT_EQ(told.Shown().size(), 1u);
    EXPECT_EQ(told.Shown()[0], "Nowak, Anna Powtórzona nazwa\n\n"); // names option: last name first
}

TEST(PublisherDatabase, IndexAndCategoryListsFollowRecordOrder) {
    PublisherDatabase db;
    Fill(db, {Person("A", "Adamski", 100, PublisherCategory::Inactive), Person("B", "Bąk", 101),
              Person("C", "Cis", 102, PublisherCategory::Moved), Person("D", "Dąb", 103),
              Person("E", "Eder", 104, PublisherCategory::NonPublisher),
              Person("F", "Fik", 105, PublisherCategory::Deleted),
              Person("G", "Gil", 30003, PublisherCategory::CircuitOverseer)});
    ScriptedPrompter prompter;
    db.RebuildIndex(&prompter);
    ASSERT_EQ(db.Index().size(), 7u);
    EXPECT_EQ(db.Index()[3].id, 103);
    EXPECT_EQ(db.Index()[3].recordNumber, 4);
    EXPECT_EQ(db.Index()[3].record, &db.Record(4));
    EXPECT_EQ(db.CircuitOverseerRecord(), 7);

    ASSERT_EQ(db.List(PublisherCategory::Publisher).size(), 2u);
    EXPECT_EQ(db.List(PublisherCategory::Publisher)[0].id, 101);
    EXPECT_EQ(db.List(PublisherCategory::Publisher)[1].id, 103);
    EXPECT_EQ(db.List(PublisherCategory::Inactive).at(0).id, 100);
    EXPECT_EQ(db.List(PublisherCategory::Moved).at(0).id, 102);
    EXPECT_EQ(db.List(PublisherCategory::NonPublisher).at(0).id, 104);
    EXPECT_EQ(db.List(PublisherCategory::Deleted).at(0).id, 105);
    EXPECT_TRUE(db.List(PublisherCategory::CircuitOverseer).empty());
    EXPECT_EQ(db.CategoryCount(PublisherCategory::Publisher), 2);
    EXPECT_TRUE(prompter.Shown().empty());

    // Person references through the lists.
    EXPECT_EQ(db.DisplayName(0x4000, true), "Adamski, A");
    EXPECT_EQ(db.DisplayName(0x2000, false), "C Cis");
    EXPECT_EQ(db.DisplayName(0x8000, false), "E Eder");
    EXPECT_EQ(db.DisplayName(0x8001, false), "");
    EXPECT_EQ(db.DisplayName(4, false), "D Dąb");
    EXPECT_EQ(db.DisplayName(8, false), "");
    EXPECT_EQ(db.DisplayName(0, false), "");

    // A second overseer record is reported and the later one wins.
    ASSERT_TRUE(db.AppendRecord(Person("H", "Hak", 30004, PublisherCategory::CircuitOverseer)).ok());
    db.RebuildIndex(&prompter);
    EXPECT_EQ(db.CircuitOverseerRecord(), 8);
    ASSERT_EQ(prompter.Shown().size(), 1u);
    EXPECT_EQ(prompter.Shown()[0], "Oh no, duplicate co!  Check LoadNumx()");
}

TEST(PublisherDatabase, DisplayNameForms) {
    PublisherDatabase db;
    Fill(db, {Person("Józef", "Wróbel", 150)});
    EXPECT_EQ(db.DisplayNameOfRecord(1, true), "Wróbel, Józef");
    EXPECT_EQ(db.DisplayNameOfRecord(1, false), "Józef Wróbel");
    EXPECT_EQ(db.NameOfId(150, false), "Józef Wróbel");
    EXPECT_EQ(db.NameOfId(151, false), "");
    db.SetNameOrder({"polish", true, false});
    EXPECT_EQ(db.DisplayNameOfRecord(1, false), "Wróbel, Józef");
    db.SetNameOrder({"hun", false, false});
    EXPECT_EQ(db.DisplayNameOfRecord(1, true), "Wróbel Józef");
}

TEST(PublisherDatabase, IdsAreLookedUpFromTenAndRepairedAfterLoad) {
    PublisherDatabase db;
    Fill(db, {Person("A", "A", 5), Person("B", "B", 100), Person("C", "C", 101), Person("D", "D", 100),
              Person("E", "E", 103), Person("F", "F", 5)});
    EXPECT_EQ(db.FindById(5), nullptr);
    EXPECT_EQ(db.FindById(0), nullptr);
    EXPECT_EQ(db.FindById(101), &db.Record(3));
    EXPECT_EQ(db.RecordNumberOfId(103), 5);
    EXPECT_EQ(db.NextFreeId(), 102);
    EXPECT_EQ(db.NextFreeId(103), 104);
    EXPECT_EQ(db.NextFreeId(29999), 29999);

    db.RebuildIndex();
    EXPECT_EQ(db.RepairDuplicateIds(), 2);
    // The later holder of 100 gets the next free id from 100; the second 5 the next free from 100 too.
    EXPECT_EQ(Ids(db), (std::vector<PublisherId>{5, 100, 101, 102, 103, 104}));
    EXPECT_EQ(db.Index()[3].id, 102);
    EXPECT_EQ(db.RepairDuplicateIds(), 0);
}

TEST(PublisherDatabase, ScramblingShiftsTextsExceptTheKeptCharacter) {
    const std::string cc = "\xCC";
    PublisherRecord record;
    record.SetRawTextAt(2, 21, cc + test::Cp1250("Ąb") + cc);               // first name
    record.SetRawTextAt(23, 21, test::Cp1250("Żak"));                       // last name
    record.SetRawTextAt(44, 63, cc + std::string(29, 'x') + cc + "y" + cc); // address
    record.SetRawTextAt(107, 15, "12");                                     // phone 1
    record.SetRawTextAt(152, 9, " 5052019");                                // baptism date
    record.SetRawTextAt(170, 9, " 1022020");                                // third date: not treated
    record.SetU8(22, 'q');                                                  // forced to NUL
    ByteRecord expected(816);
    expected.ShiftedText(2, 21, "ĚĄbĚ", 52, 0xCC, 21)
        .ShiftedText(23, 21, "Żak", 52, 0xCC, 21)
        .ShiftedText(44, 63, "Ě" + std::string(29, 'x') + "ĚyĚ", 52, 0xCC, 30)
        .ShiftedText(107, 15, "12", 52)
        .ShiftedText(152, 9, " 5052019", 52)
        .Text(170, 9, " 1022020");

    PublisherRecord scrambled = record;
    ScrambleRecord(scrambled, +1);
    EXPECT_EQ(scrambled.Bytes(), expected.Bytes());
    ScrambleRecord(scrambled, -1);
    record.SetU8(22, 0);
    EXPECT_EQ(scrambled.Bytes(), record.Bytes());
    EXPECT_TRUE(UnstorableTextFields(record).empty());

    // The header's marker 'A' reads 'u' when scrambled.
    PublisherDatabase db;
    db.SetCount(1);
    db.ScrambleRecords(+1);
    EXPECT_EQ(db.Header().StorageMarker(), 'u');
    db.ScrambleRecords(-1);
    EXPECT_EQ(db.Header().Bytes(), HeaderRecord::Empty().Bytes());
}

TEST(PublisherDatabase, TextsTheFileCannotHoldAreFound) {
    PublisherRecord record;
    record.SetLastName("ZYĘ"); // 'Ę' (0xCA) at position 2 is stored as NUL
    record.SetFirstName("Jan");
    record.SetAddress("Kolejowa 1, Ślemień"); // 'Ś' (0x8C) at position 12 is stored as the kept 0xCC
    EXPECT_EQ(UnstorableTextFields(record), (std::vector<TextField>{TextField::LastName, TextField::Address}));

    PublisherRecord fine;
    fine.SetLastName("Zębowski");
    fine.SetFirstName("Świętosław");
    fine.SetAddress("ul. Żółkiewskiego 14, 00-950 Łódź");
    EXPECT_TRUE(UnstorableTextFields(fine).empty());
}

TEST(PublisherDatabase, AdditionsBeyondTheCapacitiesAreRefused) {
    PublisherDatabase db;
    db.SetCount(1);
    for (int i = 0; i < kCategoryListCapacity; ++i)
        ASSERT_TRUE(db.AppendRecord(Person("A", "B", static_cast<PublisherId>(100 + i), PublisherCategory::Moved)));
    Result<RecordNumber> refused = db.AppendRecord(Person("C", "D", 999, PublisherCategory::Moved));
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find("przeprowadzonych"), std::string::npos);
    EXPECT_EQ(db.Count(), kCategoryListCapacity + 1);
    EXPECT_TRUE(db.CanAdd(PublisherCategory::Publisher).ok());
    db.Record(1).SetCategory(PublisherCategory::Publisher);
    EXPECT_TRUE(db.CanMove(1, PublisherCategory::Moved).ok());
    ASSERT_TRUE(db.AppendRecord(Person("C", "D", 999, PublisherCategory::Moved)).ok());
    EXPECT_FALSE(db.CanMove(1, PublisherCategory::Moved).ok());
    EXPECT_TRUE(db.CanMove(2, PublisherCategory::Moved).ok()); // already on the list

    PublisherDatabase full;
    full.SetCount(kDatabaseCapacity);
    EXPECT_EQ(full.PersonCount(), kMaxPersons);
    Result<RecordNumber> noRoom = full.AppendRecord(Person("E", "F", 1000, PublisherCategory::Publisher));
    ASSERT_FALSE(noRoom.ok());
    EXPECT_NE(noRoom.error().find("1509"), std::string::npos);
    EXPECT_EQ(full.Count(), kDatabaseCapacity);
}

TEST(PublisherDatabase, PersonRefsBeyondNineBitsAreRefusedWithAMessage) {
    PublisherDatabase db;
    db.SetCount(1);
    for (int i = 0; i < 520; ++i) {
        db.Record(db.Count()) = Person("A", "B", static_cast<PublisherId>(100 + i));
        db.SetCount(db.Count() + 1);
    }
    db.RebuildIndex();
    EXPECT_EQ(db.RefOfRecord(511).value(), 511);
    const Result<PersonRef> far = db.RefOfRecord(512);
    ASSERT_FALSE(far.ok());
    EXPECT_NE(far.error().find("512"), std::string::npos);
    EXPECT_FALSE(db.RefOfRecord(521).ok());
    EXPECT_FALSE(db.RefOfListPosition(PublisherCategory::Inactive, 0).ok()); // the list is empty
    db.Record(7).SetCategory(PublisherCategory::Inactive);
    db.RebuildIndex();
    EXPECT_EQ(db.RefOfListPosition(PublisherCategory::Inactive, 0).value(), 0x4000);
    EXPECT_EQ(db.DisplayName(db.RefOfListPosition(PublisherCategory::Inactive, 0).value(), false), "A B");
}

TEST(PublisherDatabase, RemoveShiftsTheLaterRecords) {
    PublisherDatabase db;
    Fill(db, {Person("A", "A", 100), Person("B", "B", 101), Person("C", "C", 102)});
    db.RemoveRecord(1);
    EXPECT_EQ(Ids(db), (std::vector<PublisherId>{101, 102}));
    EXPECT_EQ(db.Record(3).Bytes(), PublisherRecord().Bytes());
}

} // namespace
} // namespace vardo
