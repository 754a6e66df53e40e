#include "core/reporting/ListWindows.h"

#include <gtest/gtest.h>

#include "../registry/RegistryFixture.h"
#include "core/reporting/ListMoves.h"
#include "core/store/CardTotals.h"
#include "core/store/RemarkTable.h"

namespace vardo {
namespace {

// Working month February 2024 (today 2024-03-10): slot of 2024 holds January and February.
class ListWindowsTest : public test::RegistryTest {
protected:
    /// A month dialog answered with `month` (1..12), `year` and the regular box; records what it was asked.
    MonthAsker Answer(int month, int year = 0, bool regular = false) {
        return [this, month, year, regular](const MoveMonthChoice& asked) -> std::optional<MoveMonthChoice> {
            m_asked.push_back(asked);
            MoveMonthChoice choice = asked;
            choice.SetMonthEntry(month - 1);
            if (year != 0)
                choice.SetYearEntry(year - kFirstRemovalYear);
            choice.SetRegular(regular);
            return choice;
        };
    }
    MonthAsker CancelMonth() {
        return [this](const MoveMonthChoice& asked) -> std::optional<MoveMonthChoice> {
            m_asked.push_back(asked);
            return std::nullopt;
        };
    }
    void Report(PublisherId id, MonthIndex month) {
        Person(id).SetRow(MonthRow::Hours, month, m_month.SlotOf(month), 5);
    }
    static std::string NameOf(const ListWindowLine& line) { return line.text.substr(0, line.text.find('\t')); }
    static std::string DetailOf(const ListWindowLine& line) { return line.text.substr(line.text.find('\t') + 1); }

    RemarkTable m_remarks;
    CardTotals m_totals;
    ReportingContext m_reporting{m_database, m_remarks, m_totals, m_month, m_prompter, m_changes};
    std::vector<MoveMonthChoice> m_asked;
};

TEST_F(ListWindowsTest, TheMonthDialogOffersTheMonthsAndYearsUpToTheWorkingMonth) {
    MoveMonthChoice choice(m_month, "Miesiąc, w którym Jan Kowalski wyjechał(a)", true);
    EXPECT_EQ(choice.MonthTexts().size(), 12u);
    EXPECT_EQ(choice.MonthTexts()[0], "styczeń");
    EXPECT_EQ(choice.MonthEntry(), 1); // February, the working month
    EXPECT_EQ(choice.YearTexts().front(), "1950");
    EXPECT_EQ(choice.YearTexts().back(), "2024");
    EXPECT_EQ(choice.Year(), 2024);
    choice.SetYearEntry(500);
    EXPECT_EQ(choice.Year(), 2024);
    choice.SetMonthEntry(10);
    EXPECT_EQ(choice.Month(), 11);
    EXPECT_FALSE(choice.RegularVisible());
    EXPECT_TRUE(MoveMonthChoice(m_month, "x", false, true).RegularVisible());
}

TEST_F(ListWindowsTest, TheInactiveWindowMovesACandidateAndReactivatesIt) {
    const PublisherId jan = AddPerson("Jan", "Kowalski");
    const PublisherId ewa = AddPerson("Ewa", "Lis");
    Report(ewa, 1);
    InactiveListWindow window(m_reporting, m_context, InactiveListWindow::Mode::Inactive);
    EXPECT_EQ(window.Title(), "Dodaj - edytuj - usuń - uaktywnij nieczynnych głosicieli");
    EXPECT_EQ(window.LeftTitle(), " Nieczynni głosiciele ");
    EXPECT_EQ(window.RightTitle(), " Brak spraw. przez 6 mies. ");

    // The window opens on the candidates, the first one selected.
    ASSERT_EQ(window.Lines(ListSide::Right).size(), 1u);
    EXPECT_EQ(NameOf(window.Lines(ListSide::Right)[0]), "Kowalski, Jan");
    EXPECT_NE(DetailOf(window.Lines(ListSide::Right)[0]).find("brak sprawozdań"), std::string::npos);
    EXPECT_EQ(window.Active(), ListSide::Right);
    EXPECT_EQ(window.OkText(), "Przenieś do nieczynnych");
    EXPECT_FALSE(window.LeftButtonsVisible());

    // Cancelling the month dialog changes nothing.
    EXPECT_TRUE(window.Ok(CancelMonth()).cancelled());
    EXPECT_EQ(Person(jan).Category(), PublisherCategory::Publisher);
    EXPECT_EQ(m_commits, 0);

    ASSERT_TRUE(window.Ok(Answer(11, 2023)));
    ASSERT_EQ(m_asked.size(), 2u);
    EXPECT_EQ(m_asked.back().Caption(), "Miesiąc, w którym Jan Kowalski Został(a) nieczynny(a)");
    EXPECT_TRUE(m_asked.back().YearVisible());
    EXPECT_EQ(Person(jan).Category(), PublisherCategory::Inactive);
    EXPECT_EQ(Person(jan).U8(201), 11 * 16);
    EXPECT_EQ(Person(jan).U8(238), (2023 + 48) % 256);
    EXPECT_TRUE(window.Lines(ListSide::Right).empty());
    ASSERT_EQ(window.Lines(ListSide::Left).size(), 1u);
    EXPECT_EQ(window.Lines(ListSide::Left)[0].text, "Kowalski, Jan\tLis 2023");

    window.Activate(ListSide::Left);
    EXPECT_EQ(window.OkText(), "Uaktywnieni");
    EXPECT_TRUE(window.LeftButtonsVisible());
    ASSERT_TRUE(window.Ok(Answer(2)));
    EXPECT_EQ(m_asked.back().Caption(), "Miesiąc, w którym Jan Kowalski był uaktywniony");
    EXPECT_FALSE(m_asked.back().YearVisible());
    EXPECT_EQ(Person(jan).Category(), PublisherCategory::Publisher);
    EXPECT_EQ(Person(jan).StatusMonth(), 2 * 16 + 2);
    EXPECT_TRUE(window.Lines(ListSide::Left).empty());
    EXPECT_EQ(m_commits, 2);
}

TEST_F(ListWindowsTest, AFullInactiveListRefusesBeforeTheMonthIsAsked) {
    for (int i = 0; i < kInactiveListLimit; ++i)
        AddPerson("Osoba", "Nieczynna" + std::to_string(i), PublisherCategory::Inactive);
    const PublisherId jan = AddPerson("Jan", "Kowalski");
    InactiveListWindow window(m_reporting, m_context, InactiveListWindow::Mode::Inactive);
    ASSERT_EQ(window.Active(), ListSide::Right);
    const Status refused = window.Ok(Answer(1, 2024));
    EXPECT_EQ(refused.code(), Failure::Full);
    EXPECT_FALSE(refused.message().empty());
    EXPECT_TRUE(m_asked.empty());
    EXPECT_EQ(Person(jan).Category(), PublisherCategory::Publisher);
}

TEST_F(ListWindowsTest, ThePeriodButtonCyclesAndFiltersTheInactiveList) {
    const PublisherId recent = AddPerson("Anna", "Nowak", PublisherCategory::Inactive);
    const PublisherId old = AddPerson("Piotr", "Stary", PublisherCategory::Inactive);
    Person(recent).SetStatusMonth(1 * 16);
    Person(recent).SetStatusYear(ToYearByte(2024));
    Person(old).SetStatusMonth(3 * 16);
    Person(old).SetStatusYear(ToYearByte(2020));
    InactiveListWindow window(m_reporting, m_context, InactiveListWindow::Mode::Inactive);
    EXPECT_EQ(window.Active(), ListSide::Left); // no candidates
    EXPECT_EQ(window.PeriodText(), "Wszyscy");
    EXPECT_EQ(window.Lines(ListSide::Left).size(), 2u);
    window.NextPeriod();
    EXPECT_EQ(window.PeriodText(), "6 ost. mies.");
    ASSERT_EQ(window.Lines(ListSide::Left).size(), 1u);
    EXPECT_EQ(window.Lines(ListSide::Left)[0].id, recent);
    for (int i = 0; i < 3; ++i)
        window.NextPeriod();
    EXPECT_EQ(window.PeriodText(), "Ponad 12 mies");
    ASSERT_EQ(window.Lines(ListSide::Left).size(), 1u);
    EXPECT_EQ(window.Lines(ListSide::Left)[0].id, old);
    window.NextPeriod();
    EXPECT_EQ(window.PeriodText(), "Wszyscy");
}

TEST_F(ListWindowsTest, RemovingFromTheInactiveWindowTemporarilyOrForGood) {
    const PublisherId anna = AddPerson("Anna", "Nowak", PublisherCategory::Inactive);
    const PublisherId piotr = AddPerson("Piotr", "Zając", PublisherCategory::Inactive);
    InactiveListWindow window(m_reporting, m_context, InactiveListWindow::Mode::Inactive);
    RemovalChoice temporary(m_month);
    temporary.SetPermanent(false);
    temporary.SetMonthEntry(3);
    temporary.SetYearEntry(2023 - kFirstRemovalYear);
    ASSERT_TRUE(window.Remove(temporary));
    EXPECT_EQ(Person(anna).Category(), PublisherCategory::Deleted);
    EXPECT_EQ(Person(anna).StatusChangeMonth(), 3 + (2023 - 1950) * 256);
    ASSERT_EQ(window.Lines(ListSide::Left).size(), 1u);

    RemovalChoice permanent(m_month);
    m_prompter.Script(Answer::Cancel);
    EXPECT_TRUE(window.Remove(permanent).cancelled());
    EXPECT_NE(m_database.FindById(piotr), nullptr);
    m_prompter.Script(Answer::Ok);
    ASSERT_TRUE(window.Remove(permanent));
    EXPECT_EQ(m_database.FindById(piotr), nullptr);
    EXPECT_TRUE(m_prompter.AnyShownContains("Czy na pewno chcesz usunąć Piotr Zając?"));
    EXPECT_TRUE(window.Lines(ListSide::Left).empty());
}

TEST_F(ListWindowsTest, TheDeletedModeShowsTheRemovalDateAndRestores) {
    const PublisherId anna = AddPerson("Anna", "Nowak", PublisherCategory::Deleted);
    const PublisherId bez = AddPerson("Bogdan", "Bezdaty", PublisherCategory::Deleted);
    const PublisherId zle = AddPerson("Zofia", "Zła", PublisherCategory::Deleted);
    Person(anna).SetStatusChangeMonth(11 + (2023 - 1950) * 256);
    Person(zle).SetStatusChangeMonth(13); // a month above 12 and no year
    InactiveListWindow window(m_reporting, m_context, InactiveListWindow::Mode::Deleted);
    EXPECT_EQ(window.Title(), "Edycja - Trwale Usuń - Przywracanie");
    EXPECT_EQ(window.LeftTitle(), " Usuniętych ");
    EXPECT_FALSE(window.RightVisible());
    EXPECT_EQ(window.Active(), ListSide::Left);
    EXPECT_EQ(window.OkText(), "Przywracanie");
    ASSERT_EQ(window.Lines(ListSide::Left).size(), 3u);
    EXPECT_EQ(window.Lines(ListSide::Left)[0].text, "Bezdaty, Bogdan\t    ");
    EXPECT_EQ(window.Lines(ListSide::Left)[1].text, "Nowak, Anna\tLis 2023");
    EXPECT_EQ(window.Lines(ListSide::Left)[2].text, "Zła, Zofia\t    ");

    window.Select(ListSide::Left, 1);
    ASSERT_TRUE(window.Ok(Answer(1)));
    EXPECT_EQ(m_asked.back().Caption(), "Anna Nowak");
    EXPECT_EQ(Person(anna).Category(), PublisherCategory::Publisher);
    EXPECT_EQ(Person(anna).StatusMonth(), 1 * 16 + 2);
    EXPECT_EQ(Person(anna).StatusChangeMonth(), 0);
    EXPECT_EQ(window.Lines(ListSide::Left).size(), 2u);

    window.Select(ListSide::Left, 0);
    m_prompter.Script(Answer::Ok);
    ASSERT_TRUE(window.RemovePermanently());
    EXPECT_EQ(m_database.FindById(bez), nullptr);
    EXPECT_EQ(window.Lines(ListSide::Left).size(), 1u);
}

TEST_F(ListWindowsTest, TheMovedWindowMovesAwayFromEitherListAndUndoes) {
    const PublisherId jan = AddPerson("Jan", "Kowalski");
    const PublisherId ewa = AddPerson("Ewa", "Lis");
    const PublisherId anna = AddPerson("Anna", "Nowak", PublisherCategory::Inactive);
    Person(anna).SetStatusMonth(9 * 16);
    Person(anna).SetStatusYear(ToYearByte(2023));
    Report(ewa, 1);
    MovedListWindow window(m_reporting, m_context);
    EXPECT_EQ(window.LeftTitle(), " Głosiciele, którzy się przeprowadzili ");
    EXPECT_EQ(window.RightTitle(), "Brak raportu dla luty ");
    ASSERT_EQ(window.Lines(ListSide::Right).size(), 1u); // Ewa reported for February
    EXPECT_EQ(window.Lines(ListSide::Right)[0].id, jan);
    EXPECT_EQ(window.Active(), ListSide::Right);
    EXPECT_EQ(window.OkText(), "< < &Przenieś < <");
    EXPECT_FALSE(window.UndoVisible());

    ASSERT_TRUE(window.Ok(Answer(2)));
    EXPECT_EQ(m_asked.back().Caption(), "Miesiąc, w którym Jan Kowalski wyjechał(a)");
    EXPECT_EQ(Person(jan).Category(), PublisherCategory::Moved);
    ASSERT_EQ(window.Lines(ListSide::Left).size(), 1u);
    EXPECT_EQ(window.Lines(ListSide::Left)[0].text, "Kowalski, Jan\tLut");

    window.SetFromInactive(true);
    ASSERT_EQ(window.Lines(ListSide::Right).size(), 1u);
    EXPECT_EQ(window.Lines(ListSide::Right)[0].text, "Nowak, Anna\tWrz 2023");
    ASSERT_TRUE(window.Ok(Answer(1)));
    EXPECT_TRUE(ReturnsToInactive(Person(anna)));
    EXPECT_EQ(window.Lines(ListSide::Left).size(), 2u);

    // Undo for the person who was inactive: the question, then back to the inactive list without a month.
    window.Activate(ListSide::Left);
    EXPECT_EQ(window.OkText(), "Skasuj");
    EXPECT_TRUE(window.UndoVisible());
    window.Select(ListSide::Left, 1); // Nowak
    const std::size_t asked = m_asked.size();
    m_prompter.Script(Answer::Cancel);
    EXPECT_TRUE(window.Undo(Answer(2)).cancelled());
    EXPECT_EQ(Person(anna).Category(), PublisherCategory::Moved);
    m_prompter.Script(Answer::Ok);
    ASSERT_TRUE(window.Undo(Answer(2)));
    EXPECT_EQ(m_asked.size(), asked);
    EXPECT_TRUE(m_prompter.AnyShownContains("Czy na pewno chcesz cofnąć przeprowadzkę dla  Anna Nowak?"));
    EXPECT_EQ(Person(anna).Category(), PublisherCategory::Inactive);
    EXPECT_EQ(Person(anna).StatusMonth(), 9 * 16);

    // Undo for an active publisher: the month with "Regularny Głosiciel".
    window.Select(ListSide::Left, 0);
    m_prompter.Script(Answer::Ok);
    ASSERT_TRUE(window.Undo(Answer(2, 0, true)));
    EXPECT_TRUE(m_asked.back().RegularVisible());
    EXPECT_EQ(m_asked.back().Caption(), "Miesiąc, w którym Jan Kowalski wrócił(a)");
    EXPECT_EQ(Person(jan).Category(), PublisherCategory::Publisher);
    EXPECT_EQ(Person(jan).StatusMonth(), 2 * 16 + 4);
    EXPECT_TRUE(window.Lines(ListSide::Left).empty());
}

TEST_F(ListWindowsTest, SkasujRemovesAMovedPersonAfterTheQuestion) {
    const PublisherId jan = AddPerson("Jan", "Kowalski", PublisherCategory::Moved);
    Person(jan).SetStatusMonth(1 * 16);
    MovedListWindow window(m_reporting, m_context);
    EXPECT_EQ(window.Active(), ListSide::Left);
    m_prompter.Script(Answer::Cancel);
    EXPECT_TRUE(window.Ok(Answer(1)).cancelled());
    EXPECT_NE(m_database.FindById(jan), nullptr);
    m_prompter.Script(Answer::Ok);
    ASSERT_TRUE(window.Ok(Answer(1)));
    EXPECT_EQ(m_database.FindById(jan), nullptr);
    EXPECT_TRUE(m_asked.empty());
}

TEST_F(ListWindowsTest, AFullMovedListRefusesBeforeTheMonthIsAsked) {
    for (int i = 0; i < kMovedListLimit - 1; ++i) {
        const PublisherId id = AddPerson("Osoba", "Wyjechała" + std::to_string(i), PublisherCategory::Moved);
        Person(id).SetStatusMonth(1 * 16);
    }
    AddPerson("Jan", "Kowalski");
    AddPerson("Ewa", "Lis");
    MovedListWindow window(m_reporting, m_context);
    window.Activate(ListSide::Right);
    window.Select(ListSide::Right, 0);
    ASSERT_TRUE(window.Ok(Answer(2))); // the list had 198
    EXPECT_EQ(m_database.List(PublisherCategory::Moved).size(), static_cast<std::size_t>(kMovedListLimit));
    window.Activate(ListSide::Right);
    const std::size_t asked = m_asked.size();
    EXPECT_EQ(window.Ok(Answer(2)).code(), Failure::Full);
    EXPECT_EQ(m_asked.size(), asked);
    ASSERT_EQ(window.Lines(ListSide::Right).size(), 1u);
    EXPECT_EQ(Person(window.Lines(ListSide::Right)[0].id).Category(), PublisherCategory::Publisher);
}

} // namespace
} // namespace vardo
