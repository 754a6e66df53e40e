// A month's road through the widgets: February started through the month dialog, thirty reports typed in
// the report window with the keyboard only (a regular pioneer with a credit, an auxiliary pioneer), two late
// reports for January, the month closed and saved; then March started with its snapshot of February, the
// past month viewed and left. The register file is checked byte by byte at the end of each step.

#include <algorithm>
#include <map>
#include <vector>

#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include "ReportingGuiFixture.h"
#include "core/store/PublisherRecord.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/reporting/EntryListDialog.h"
#include "gui/reporting/MonthCommands.h"
#include "gui/reporting/MonthDialog.h"
#include "gui/reporting/ReportDialog.h"

namespace vardo {
namespace {

using test::Child;
using test::OnNextDialog;

constexpr const char* kLastNames[] = {
    "Adamczyk",   "Bąk",        "Cieślak",     "Dudek",    "Dziedzic",  "Fijałkowski", "Górski",    "Jabłoński",
    "Kaczmarek",  "Kowalski",   "Lewandowski", "Majewski", "Michalski", "Nowak",       "Olszewski", "Pawlak",
    "Piotrowski", "Rutkowski",  "Sadowski",    "Sikora",   "Szymański", "Tomaszewski", "Urbański",  "Walczak",
    "Wieczorek",  "Wiśniewski", "Wójcik",      "Zając",    "Zalewski",  "Żak"};

constexpr MonthIndex kJanuary = 0, kFebruary = 1, kMarch = 2;
constexpr YearSlot kSlot2024 = 0;

// Little-endian fields of a stored record, read by offset.
unsigned U16(const std::string& record, std::size_t offset) {
    return static_cast<unsigned char>(record[offset]) | static_cast<unsigned char>(record[offset + 1]) << 8;
}
unsigned U8(const std::string& record, std::size_t offset) {
    return static_cast<unsigned char>(record[offset]);
}
std::size_t Cell(std::size_t base, MonthIndex month, YearSlot slot, std::size_t width) {
    return base + (static_cast<std::size_t>(month) * 3 + static_cast<std::size_t>(slot)) * width;
}

// The records of a register file by PublisherId, and its header.
struct RegisterFile {
    std::string header;
    std::map<unsigned, std::string> persons;
};
RegisterFile ReadRegister(const std::string& bytes) {
    RegisterFile file;
    EXPECT_EQ(bytes.size() % kRecordSize, 0u);
    if (bytes.size() < kRecordSize)
        return file;
    file.header = bytes.substr(0, kRecordSize);
    for (std::size_t at = kRecordSize; at + kRecordSize <= bytes.size(); at += kRecordSize) {
        const std::string record = bytes.substr(at, kRecordSize);
        file.persons[U16(record, 182)] = record;
    }
    return file;
}

class MonthRoadTest : public test::ReportingGuiTest {
protected:
    struct Expected {
        unsigned studies = 0;
        unsigned hours = 0;
        unsigned code = 0;
        unsigned credit = 0;
        bool late = false;
    };

    // What the secretary types for the person in the report window, by last name.
    Expected Plan(const QString& lastName) const {
        Expected e;
        const int i = static_cast<int>(std::find(std::begin(kLastNames), std::end(kLastNames), lastName.toStdString()) -
                                       std::begin(kLastNames));
        e.studies = static_cast<unsigned>(i % 4);
        if (lastName == QStringLiteral("Kaczmarek")) {
            e.hours = 50;
            e.code = 2;
            e.credit = 5;
        } else if (lastName == QStringLiteral("Nowak")) {
            e.hours = 30;
            e.code = 1;
        }
        e.late = lastName == QStringLiteral("Dudek") || lastName == QStringLiteral("Sikora");
        return e;
    }

    // One report typed with the keys only; the report window is open on the person.
    static void TypeReport(ReportDialog& d, const Expected& e) {
        Press(d, Qt::Key_Space); // "Uczestniczył(a) w służbie"
        Press(d, Qt::Key_Return);
        if (e.code != 2) {
            if (e.code == 1)
                Press(d, Qt::Key_Space); // "Pionier Pomocniczy"
            Press(d, Qt::Key_Return);
        }
        if (e.hours != 0) {
            Keys(d, QString::number(e.hours));
            if (e.code == 2) {
                // The remark gives the credit; Enter in it moves to OK, Enter on OK stores.
                Press(d, Qt::Key_Tab);
                Press(d, Qt::Key_Tab);
                Press(d, Qt::Key_Space);
                Keys(d, QStringLiteral("10 kurs"));
                Press(d, Qt::Key_Return);
                Press(d, Qt::Key_Return);
                return;
            }
            Press(d, Qt::Key_Return);
        }
        Keys(d, QString::number(e.studies));
        Press(d, Qt::Key_Return);
    }

    // A late report for January: the month button (one back from the participation), one up from February.
    static void TypeLateReport(ReportDialog& d) {
        Press(d, Qt::Key_Backtab);
        Press(d, Qt::Key_Space);
        Press(d, Qt::Key_Up);
        Press(d, Qt::Key_Return);
        Press(d, Qt::Key_Space);
        Press(d, Qt::Key_Left); // wraps to the studies
        Keys(d, QStringLiteral("1"));
        Press(d, Qt::Key_Return);
    }

    void ExpectFebruary(const RegisterFile& file) {
        ASSERT_EQ(file.persons.size(), 30u);
        for (const auto& [id, record] : file.persons) {
            const QString lastName = QString::fromUtf8(Person(static_cast<PublisherId>(id)).LastName());
            const Expected e = Plan(lastName);
            SCOPED_TRACE(lastName.toStdString());
            // Bit 11 of these cells is kept in the participation-flag file, not in the register.
            EXPECT_EQ(U16(record, Cell(528, kFebruary, kSlot2024, 2)), e.studies);
            EXPECT_EQ(U16(record, Cell(384, kFebruary, kSlot2024, 2)), e.hours);
            EXPECT_EQ(U8(record, Cell(202, kFebruary, kSlot2024, 1)) & 3u, e.code);
            EXPECT_EQ(U16(record, Cell(672, kFebruary, kSlot2024, 2)), e.credit);
            EXPECT_EQ(U16(record, Cell(600, kFebruary, kSlot2024, 2)) != 0, e.credit != 0);
            EXPECT_EQ(U16(record, Cell(240, kFebruary, kSlot2024, 2)), 0u);
            EXPECT_EQ(U16(record, Cell(528, kJanuary, kSlot2024, 2)), e.late ? 1u : 0u);
            EXPECT_EQ(U8(record, Cell(780, kJanuary, kSlot2024, 1)), e.late ? 2u : 0u);
            EXPECT_EQ(U8(record, Cell(780, kFebruary, kSlot2024, 1)), 0u);
        }
    }

    // tlt15.dat: one 32-byte entry per person with a flag, the byte of (month, slot) at 2 + 2 × month + slot.
    // A flag comes back from the file at load only where the hours are 0: the first save has every February
    // flag, a save after a reload only those of the reports without hours.
    void ExpectParticipationFlags(const std::string& bytes, bool firstSave) {
        ASSERT_EQ(bytes.size() % 32, 0u);
        std::map<unsigned, std::string> entries;
        for (std::size_t at = 0; at + 32 <= bytes.size(); at += 32)
            entries[U16(bytes, at)] = bytes.substr(at, 32);
        std::size_t expectedEntries = 0;
        for (const PublisherRecord& person : m_doc.Persons()) {
            if (person.Id() == 0)
                continue;
            const Expected e = Plan(QString::fromUtf8(person.LastName()));
            SCOPED_TRACE(person.LastName());
            std::string expected(32, '\0');
            expected[0] = static_cast<char>(person.Id() & 0xff);
            expected[1] = static_cast<char>(person.Id() >> 8);
            expected[2 + 2 * kFebruary + kSlot2024] = firstSave || e.hours == 0 ? 1 : 0;
            expected[2 + 2 * kJanuary + kSlot2024] = e.late ? 1 : 0;
            if (expected.substr(2) == std::string(30, '\0')) {
                EXPECT_EQ(entries.count(person.Id()), 0u);
                continue;
            }
            ++expectedEntries;
            EXPECT_EQ(entries[person.Id()], expected);
        }
        EXPECT_EQ(entries.size(), expectedEntries);
    }
};

TEST_F(MonthRoadTest, FebruaryTypedClosedAndMarchStartedWithItsSnapshot) {
    Open();
    std::vector<PublisherId> ids;
    for (const char* last : kLastNames)
        ids.push_back(AddPerson(ids.size() % 2 ? "Anna" : "Piotr", last));
    // Kaczmarek was a regular pioneer in January; the code goes on into February.
    for (PublisherId id : ids)
        if (Person(id).LastName() == "Kaczmarek")
            Person(id).SetRow(MonthRow::Pioneer, kJanuary, kSlot2024, 2);
    ASSERT_TRUE(m_doc.Save(m_prompter, true));

    CMainFrame frame(m_doc, m_prompter);
    RegisterMonthCommands(frame, m_doc, m_prompter, m_clock);
    frame.show();
    QPushButton* timeButton = frame.Panel().ButtonFor(cmd::kTimeAccounting);
    ASSERT_NE(timeButton, nullptr);
    ASSERT_TRUE(timeButton->isEnabled());

    bool typed = false;
    OnNextDialog<MonthDialog>([](MonthDialog& dialog) {
        EXPECT_EQ(FocusName(dialog), QStringLiteral("startButton"));
        Press(dialog, Qt::Key_Return); // "INICJUJ RAPORTOWANIE za luty"
    });
    OnNextDialog<EntryListDialog>([&](EntryListDialog& list) {
        auto* rows = Child<QListWidget>(list, "personList");
        ASSERT_EQ(rows->count(), 30);
        EXPECT_EQ(FocusName(list), QStringLiteral("personList"));
        for (int row = 0; row < 30; ++row) {
            const QString name = rows->currentItem()->text();
            const QString lastName = name.section(QLatin1Char(','), 0, 0);
            const Expected e = Plan(lastName);
            if (e.late) {
                OnNextDialog<ReportDialog>([](ReportDialog& d) { TypeLateReport(d); });
                Press(list, Qt::Key_Return);
            }
            OnNextDialog<ReportDialog>([e](ReportDialog& d) { TypeReport(d, e); });
            Press(list, Qt::Key_Return);
            EXPECT_EQ(Child<QLabel>(list, "lastEnteredLabel")->text(),
                      name.section(QStringLiteral(", "), 1) + QLatin1Char(' ') + lastName);
            Press(list, Qt::Key_Down);
        }
        typed = true;
        Child<QPushButton>(list, "closeMonthButton")->click();
    });
    timeButton->click();
    ASSERT_TRUE(typed);
    EXPECT_EQ(m_doc.GetMonthState(kFebruary), MonthState::Closed);
    EXPECT_EQ(m_doc.GetMonthCycle().lateReports.Size(), 2u);
    EXPECT_EQ(m_prompter.Questions(), 0);
    ASSERT_TRUE(frame.Action(cmd::kSave)->isEnabled());
    frame.Action(cmd::kSave)->trigger();
    ASSERT_FALSE(m_doc.IsModified());

    const std::string february = m_dir.ReadFile("tdat9.bin");
    const RegisterFile februaryFile = ReadRegister(february);
    ExpectFebruary(februaryFile);
    ExpectParticipationFlags(m_dir.ReadFile("tlt15.dat"), true);
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
        EXPECT_EQ(U8(februaryFile.header, 137 + m), m == kFebruary ? 2u : 0u) << m;

    // April 10th: March is the working month; its start keeps February in the snapshot.
    FixedClock april{Date{2024, 4, 10}};
    CVardoDoc doc;
    StartupOptions options;
    options.showStartupNote = false;
    ASSERT_TRUE(doc.Load(m_folder, april, m_prompter, options));
    ASSERT_EQ(doc.GetWorkingMonth().monthIndex, kMarch);
    CMainFrame next(doc, m_prompter);
    RegisterMonthCommands(next, doc, m_prompter, april);
    next.show();
    OnNextDialog<MonthDialog>([](MonthDialog& dialog) {
        EXPECT_TRUE(Child<QPushButton>(dialog, "continueButton")->isHidden());
        Press(dialog, Qt::Key_Return);
    });
    OnNextDialog<EntryListDialog>([](EntryListDialog& list) { Press(list, Qt::Key_Escape); });
    next.Panel().ButtonFor(cmd::kTimeAccounting)->click();
    EXPECT_EQ(doc.GetMonthState(kMarch), MonthState::Open);
    next.Action(cmd::kSave)->trigger();
    ASSERT_FALSE(doc.IsModified());
    EXPECT_EQ(m_dir.ReadFile("Roll/Vd9_2/tdat9.bin"), february);

    const std::string march = m_dir.ReadFile("tdat9.bin");
    const RegisterFile marchFile = ReadRegister(march);
    ExpectFebruary(marchFile);
    ExpectParticipationFlags(m_dir.ReadFile("tlt15.dat"), false);
    for (const auto& [id, record] : marchFile.persons) {
        const bool regular = Person(static_cast<PublisherId>(id)).LastName() == "Kaczmarek";
        EXPECT_EQ(U16(record, Cell(528, kMarch, kSlot2024, 2)), 0u);
        EXPECT_EQ(U16(record, Cell(384, kMarch, kSlot2024, 2)), 0u);
        EXPECT_EQ(U8(record, Cell(202, kMarch, kSlot2024, 1)), regular ? 2u : 0u);
    }
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
        EXPECT_EQ(U8(marchFile.header, 137 + m), m == kMarch ? 1u : 0u) << m;

    // February viewed from the snapshot: its reports show, nothing can be entered, nothing is written.
    ASSERT_TRUE(doc.LoadPastMonth(1, m_prompter));
    EXPECT_TRUE(doc.PastMonthMode());
    EXPECT_EQ(doc.GetWorkingMonth().monthIndex, kFebruary);
    EXPECT_FALSE(next.Action(cmd::kTimeAccounting)->isEnabled());
    EXPECT_FALSE(next.Panel().ButtonFor(cmd::kTimeAccounting)->isEnabled());
    const PublisherRecord* pioneer = nullptr;
    for (const PublisherRecord& person : doc.Persons())
        if (person.LastName() == "Kaczmarek")
            pioneer = &person;
    ASSERT_NE(pioneer, nullptr);
    EXPECT_EQ(pioneer->Hours(kFebruary, kSlot2024), 50);
    EXPECT_EQ(pioneer->CreditHours(kFebruary, kSlot2024), 5);
    ASSERT_TRUE(doc.ReturnToWorkingMonth(m_prompter));
    EXPECT_FALSE(doc.PastMonthMode());
    EXPECT_EQ(doc.GetWorkingMonth().monthIndex, kMarch);
    EXPECT_TRUE(next.Action(cmd::kTimeAccounting)->isEnabled());
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), march);
    EXPECT_EQ(m_prompter.Questions(), 0);
}

} // namespace
} // namespace vardo
