#include "core/reporting/StatusViewPresenter.h"

#include <gtest/gtest.h>

#include "ReportingFixture.h"

namespace vardo {
namespace {

// Working month February 2025 (open); three active publishers in two groups, one inactive, one interested.
class StatusViewPresenterTest : public test::ReportingTest {
protected:
    StatusViewPresenterTest() {
        m_anna = AddPerson("Anna", "Adamska");
        m_bogdan = AddPerson("Bogdan", "Bielski");
        m_celina = AddPerson("Celina", "Czarnecka");
        m_inactive = AddPerson("Dawid", "Domański", PublisherCategory::Inactive);
        m_interested = AddPerson("Ewa", "Ernest", PublisherCategory::NonPublisher);
        Person(m_anna).SetGroup(1);
        Person(m_bogdan).SetGroup(2);
        Person(m_celina).SetGroup(2);
        Person(m_bogdan).SetPhone1("");
        Person(m_bogdan).SetPhone2("601 222 333");
        Person(m_bogdan).SetPhone3("22 444 55 66");
        // Anna reported January and February; Bogdan only February; Celina nothing.
        for (const int back : {0, 1})
            Person(m_anna).SetRow(MonthRow::Hours, MonthBack(m_month, back).month, MonthBack(m_month, back).slot, 5);
        Person(m_bogdan).SetRow(MonthRow::Hours, MonthBack(m_month, 0).month, MonthBack(m_month, 0).slot, 4);
        m_database.RebuildIndex();
    }

    StatusData Data() const {
        return StatusData{
            m_database, m_appointments, m_settings, StatusBasis::Of(m_month, m_database.Header(), &m_remarks), 2025, 3};
    }
    StatusViewPresenter Make() const { return StatusViewPresenter(Data(), {"Północ", "Południe"}, m_emails); }

    static std::vector<std::string> Names(const std::vector<StatusLine>& lines) {
        std::vector<std::string> names;
        for (const StatusLine& line : lines)
            names.push_back(line.name);
        return names;
    }

    AppointmentTable m_appointments;
    Settings m_settings;
    std::unordered_map<PublisherId, std::string> m_emails;
    PublisherId m_anna = 0, m_bogdan = 0, m_celina = 0, m_inactive = 0, m_interested = 0;
};

TEST_F(StatusViewPresenterTest, KindListGrowsWithSpecialNeedsAndTheUserCategory) {
    EXPECT_EQ(Make().Kinds().size(), 15u);
    EXPECT_EQ(Make().Kinds()[1].text, "Głosiciele nieregularni");

    Person(m_celina).SetNeedsFlags(2);
    m_settings.userCategoryEnabled = 1;
    m_settings.userCategoryLabel = "Sprzątanie";
    const StatusViewPresenter presenter = Make();
    ASSERT_EQ(presenter.Kinds().size(), 17u);
    EXPECT_EQ(presenter.Kinds()[15].kind, StatusViewKind::SpecialNeeds);
    EXPECT_EQ(presenter.Kinds()[16].kind, StatusViewKind::UserCategory);
    EXPECT_EQ(presenter.Kinds()[16].text, "Sprzątanie");

    // Without the category its kind is not offered: asking for it falls back to the first kind.
    m_settings.userCategoryEnabled = 0;
    StatusViewPresenter without = Make();
    without.SetKind(StatusViewKind::UserCategory);
    EXPECT_EQ(without.Kind(), StatusViewKind::NoReport);
}

TEST_F(StatusViewPresenterTest, EachKindShowsOnlyItsChoiceLists) {
    StatusViewPresenter presenter = Make();
    EXPECT_EQ(presenter.MonthTexts().size(), 12u);
    EXPECT_EQ(presenter.MonthTexts().front(), "luty 2025");
    EXPECT_EQ(presenter.MonthTexts().back(), "marzec 2024");
    EXPECT_EQ(presenter.GroupTexts(), (std::vector<std::string>{"Zbór", "Północ", "Południe"}));
    EXPECT_TRUE(presenter.PeriodTexts().empty());

    presenter.SetKind(StatusViewKind::Inactive);
    EXPECT_EQ(presenter.PeriodTexts().size(), 5u);
    EXPECT_EQ(presenter.PeriodIndex(), 4); // "Wszyscy"
    EXPECT_EQ(presenter.Query().period, StatusPeriod::All);
    EXPECT_TRUE(presenter.GroupTexts().empty());
    EXPECT_TRUE(presenter.MonthTexts().empty());
    EXPECT_EQ(Names(presenter.Lines()), (std::vector<std::string>{"Domański, Dawid"}));

    presenter.SetKind(StatusViewKind::New);
    EXPECT_EQ(presenter.PeriodTexts().size(), 4u);
    EXPECT_EQ(presenter.Query().period, StatusPeriod::SixMonths);
    presenter.SetPeriodIndex(3);
    EXPECT_EQ(presenter.Query().period, StatusPeriod::TwentyFourMonths);
    presenter.SetPeriodIndex(4); // out of range: ignored
    EXPECT_EQ(presenter.Query().period, StatusPeriod::TwentyFourMonths);

    presenter.SetKind(StatusViewKind::Baptised);
    EXPECT_EQ(presenter.ClassTexts().size(), 9u);
    presenter.SetKind(StatusViewKind::Privileges);
    EXPECT_EQ(presenter.PrivilegeTexts().size(), 5u); // the last two only when somebody holds them
}

TEST_F(StatusViewPresenterTest, MonthAndGroupFilterTheMissingReports) {
    StatusViewPresenter presenter = Make();
    // February: Celina has no report (Anna and Bogdan reported).
    EXPECT_EQ(Names(presenter.Lines()), (std::vector<std::string>{"Czarnecka, Celina"}));
    EXPECT_EQ(presenter.Caption(), "Brak raportu dla luty  ( 1 )");

    presenter.SetMonthIndex(1); // January: Bogdan and Celina
    EXPECT_EQ(presenter.Query().month, 0);
    EXPECT_EQ(presenter.Kinds()[0].text, "Brak raportu dla styczeń ");
    EXPECT_EQ(Names(presenter.Lines()), (std::vector<std::string>{"Bielski, Bogdan", "Czarnecka, Celina"}));
    EXPECT_EQ(presenter.Lines()[0].reason, "brak sprawozdania i uwagi za sty");

    presenter.SetGroupIndex(1); // group "Północ": nobody missing
    EXPECT_TRUE(presenter.Lines().empty());
    EXPECT_EQ(presenter.Caption(), "Brak raportu dla styczeń  ( 0 )");
    presenter.SetGroupIndex(3); // no such group: ignored
    EXPECT_EQ(presenter.GroupIndex(), 1);
}

TEST_F(StatusViewPresenterTest, ClipboardLinesEndInCrLfInTheirListForm) {
    StatusViewPresenter presenter = Make();
    presenter.SetMonthIndex(1);
    EXPECT_EQ(presenter.ClipboardText(),
              "Bielski, Bogdan  (2)\t601 222 333, 22 444 55 66\r\nCzarnecka, Celina  (2)\t\r\n");
    presenter.SetGroupIndex(2);
    EXPECT_EQ(presenter.ClipboardText(), "Bielski, Bogdan\t601 222 333, 22 444 55 66\r\nCzarnecka, Celina\t\r\n");

    presenter.SetKind(StatusViewKind::Interested);
    ASSERT_EQ(presenter.Lines().size(), 1u);
    const StatusLine& line = presenter.Lines()[0];
    EXPECT_EQ(presenter.ClipboardText(), line.name + "\t" + line.detail + "\t" + line.reason + "\r\n");
    EXPECT_FALSE(line.reason.empty());

    presenter.SetKind(StatusViewKind::Moved);
    EXPECT_FALSE(presenter.CanCopy());
    EXPECT_EQ(presenter.ClipboardText(), "");
}

TEST_F(StatusViewPresenterTest, ContactOfTheSelectedPersonDialsTheFirstNumber) {
    m_emails[m_bogdan] = "bogdan@example.org";
    StatusViewPresenter presenter = Make();
    presenter.SetMonthIndex(1);
    const auto bogdan = presenter.ContactOf(0);
    ASSERT_TRUE(bogdan);
    EXPECT_EQ(bogdan->phones, "601 222 333, 22 444 55 66");
    EXPECT_EQ(bogdan->email, "bogdan@example.org");
    EXPECT_EQ(bogdan->dialNumber, "601 222 333"); // the home telephone is empty
    EXPECT_EQ(bogdan->dialText, "Dzwoń 601 222 333");

    const auto celina = presenter.ContactOf(1);
    ASSERT_TRUE(celina);
    EXPECT_TRUE(celina->dialNumber.empty());
    EXPECT_TRUE(celina->dialText.empty());
    EXPECT_FALSE(presenter.ContactOf(2));
    EXPECT_FALSE(presenter.ContactOf(-1));

    presenter.SetKind(StatusViewKind::Irregular);
    EXPECT_FALSE(presenter.ContactOf(0)); // only the missing-reports list shows the contact
}

TEST_F(StatusViewPresenterTest, RefreshKeepsTheChoicesAndSeesNewData) {
    StatusViewPresenter presenter = Make();
    presenter.SetMonthIndex(1);
    presenter.SetGroupIndex(2);
    EXPECT_EQ(presenter.Lines().size(), 2u);
    Person(m_celina).SetRow(MonthRow::Hours, MonthBack(m_month, 1).month, MonthBack(m_month, 1).slot, 2);
    presenter.Refresh();
    EXPECT_EQ(presenter.MonthIndexChosen(), 1);
    EXPECT_EQ(presenter.GroupIndex(), 2);
    EXPECT_EQ(Names(presenter.Lines()), (std::vector<std::string>{"Bielski, Bogdan"}));
}

TEST_F(StatusViewPresenterTest, QuickResultsOpenTheFigureClicked) {
    QuickResultsPresenter quick(Data());
    const std::vector<std::string> boxes = quick.Boxes();
    ASSERT_GE(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], "luty");
    EXPECT_EQ(boxes[1], "Bieżący rok służbowy");

    const std::vector<int> month = quick.FiguresOf("luty");
    ASSERT_FALSE(month.empty());
    const int active = month[0];
    EXPECT_EQ(quick.Figures()[static_cast<std::size_t>(active)].label, "Aktywn. głos.:");
    EXPECT_EQ(quick.Opened(), -1);
    EXPECT_TRUE(quick.Persons().empty());
    ASSERT_TRUE(quick.Open(active));
    EXPECT_EQ(quick.OpenedTitle(), "luty Aktywn. głos.: (3)");
    EXPECT_EQ(Names(quick.Persons()),
              (std::vector<std::string>{"Adamska, Anna", "Bielski, Bogdan", "Czarnecka, Celina"}));
    for (const StatusLine& person : quick.Persons())
        EXPECT_FALSE(person.reason.empty());

    // A figure with nobody behind it (no elders) does not open and leaves the list as it was.
    int elders = -1;
    for (const int i : month)
        if (quick.Figures()[static_cast<std::size_t>(i)].label == "Starsi :")
            elders = i;
    ASSERT_GE(elders, 0);
    EXPECT_FALSE(quick.CanOpen(elders));
    EXPECT_FALSE(quick.Open(elders));
    EXPECT_EQ(quick.Opened(), active);
    EXPECT_FALSE(quick.Open(static_cast<int>(quick.Figures().size())));
}

} // namespace
} // namespace vardo
