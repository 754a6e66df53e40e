#include "core/reports/Lists.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "core/reports/PageMetrics.h"
#include "core/reports/RecordingCanvas.h"
#include "core/store/ExtensionFile.h"

namespace vardo {
namespace {

// Geometry at 300 dpi with the default fonts: the row font (−13 at 96 dpi) becomes −41, whose recorded
// character height is 46 and external leading 4, so a list line is 50 pixels and a page holds 54 lines.
constexpr int kDpi = 300;
constexpr int kLeft = 150;
constexpr int kTopMargin = 150;
constexpr int kLine = 50;
constexpr int kLinesPerPage = 54;

struct PersonSpec {
    const char* first;
    const char* last;
    PublisherId id;
    PublisherCategory category = PublisherCategory::Publisher;
    int group = 0;
    Appointment appointment = Appointment::None;
    const char* home = "";
    const char* mobile = "";
    const char* work = "";
};

class ListsTest : public ::testing::Test {
protected:
    ListsTest() {
        m_source.database = &m_db;
        m_source.groups = &m_groups;
        m_source.workingMonth = WorkingMonthFor(2024, 3, 5); // February 2024
        m_environment = ForPrinting(ReportEnvironment{}, false);
        m_environment.today = Date{2024, 3, 5};
        m_db.SetCount(1);
    }

    PublisherRecord& Add(const PersonSpec& spec) {
        PublisherRecord record;
        record.SetFirstName(spec.first);
        record.SetLastName(spec.last);
        record.SetId(spec.id);
        record.SetCategory(spec.category);
        record.SetGroup(spec.group);
        record.SetAppointment(spec.appointment);
        record.SetPhone1(spec.home);
        record.SetPhone2(spec.mobile);
        record.SetPhone3(spec.work);
        const RecordNumber number = m_db.AppendRecord(record).value();
        return m_db.Record(number);
    }
    PublisherRecord& ById(PublisherId id) { return *m_db.FindById(id); }
    void Finish() {
        m_db.SortRecords();
        m_db.RebuildIndex();
    }

    // The small congregation most tests use.
    void Congregation() {
        Add({"Jan", "Kowalski", 101, PublisherCategory::Publisher, 1, Appointment::Elder, "12 345 67", "600 100 200",
             "22 111 22"});
        Add({"Anna", "Kowalska", 102, PublisherCategory::Publisher, 1, Appointment::None, "", "601 000 001"});
        Add({"Kasia", "Kowalska", 103, PublisherCategory::NonPublisher, 1});
        Add({"Piotr", "Nowak", 104, PublisherCategory::Publisher, 2, Appointment::MinisterialServant, "", "602 2"});
        Add({"Ewa", "Adamska", 105, PublisherCategory::Publisher, 2, Appointment::None, "48 48"});
        Add({"Tomasz", "Wójcik", 106, PublisherCategory::Inactive, 2, Appointment::None, "", "603 3"});
        Add({"Marek", "Zieliński", 107, PublisherCategory::Publisher, 1});
        ById(101).SetHeadOfFamily(true);
        ById(102).SetFamilyHead(101);
        ById(103).SetFamilyHead(101);
        const WorkingMonth& wm = m_source.workingMonth;
        ById(104).SetRow(MonthRow::Pioneer, wm.monthIndex, wm.SlotOf(wm.monthIndex), 2);
        // A pioneer in the same month of the year before only.
        ById(107).SetRow(MonthRow::Pioneer, wm.monthIndex, static_cast<YearSlot>(1 - wm.SlotOf(wm.monthIndex)), 2);
        m_groups.SetCount(2);
        ASSERT_TRUE(m_groups.SetOverseer(0, "Jan Kowalski").ok());
        ASSERT_TRUE(m_groups.SetAssistant(0, "Marek Zieliński").ok());
        ASSERT_TRUE(m_groups.SetTime(0, "18:00").ok());
        m_groups.SetMeetingDay(0, 2);
        ASSERT_TRUE(m_groups.SetOverseer(1, "Piotr Nowak").ok());
        Finish();
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

    static int RowY(int page, int line, int pageInches = 11) {
        return pageInches * kDpi * page + kTopMargin + (4 + line) * kLine;
    }
    // Texts drawn at x (left-aligned rows start at the left edge), in drawing order, below the headings.
    static std::vector<std::string> TextsAt(const RecordingCanvas& canvas, int x, HAlign align = HAlign::Left) {
        std::vector<std::string> texts;
        for (const auto& t : canvas.Texts())
            if (t.x == x && t.align.horizontal == align && t.y >= RowY(0, 0))
                texts.push_back(t.text);
        return texts;
    }
    static const RecordingCanvas::TextItem& Text(const RecordingCanvas& canvas, std::string_view text) {
        const auto* item = canvas.Find(text);
        EXPECT_NE(item, nullptr) << text;
        static const RecordingCanvas::TextItem none;
        return item != nullptr ? *item : none;
    }

    PublisherDatabase m_db;
    GroupTable m_groups;
    ListSource m_source;
    ReportEnvironment m_environment;
};

using Names = std::vector<std::string>;

TEST_F(ListsTest, EmptyRegisterHasOnePageWithItsHeader) {
    Finish();
    for (const ReportKind kind : {ReportKind::PhoneCongregation, ReportKind::AddressInactive, ReportKind::ContactGroup,
                                  ReportKind::PhoneEmailEldersServants, ReportKind::GroupListsAll}) {
        EXPECT_EQ(Pages(kind, 3), 1) << static_cast<int>(kind);
        const RecordingCanvas canvas = Draw(kind, 3);
        EXPECT_FALSE(canvas.Texts().empty());
    }
    const RecordingCanvas phone = Draw(ReportKind::PhoneCongregation);
    EXPECT_EQ(phone.TextStrings(),
              (Names{"Wykaz telefonów", "     ( POUFNE - NIE KOPIUJ )", "Dom", "Komórka", "Praca"}));
}

TEST_F(ListsTest, PageHeaderAndHeadingsStandWhereTheFrameSays) {
    Congregation();
    m_environment.options.congregationName = "Kraków-Azory";
    m_environment.options.dateStamp = true;
    const RecordingCanvas canvas = Draw(ReportKind::PhoneGroup, 1);
    const auto& title = Text(canvas, "Wykaz telefonów - Kraków-Azory");
    EXPECT_EQ(title.x, kLeft);
    EXPECT_EQ(title.y, kTopMargin);
    EXPECT_EQ(title.align, (TextAlign{HAlign::Left, VAlign::Bottom}));
    EXPECT_EQ(title.font.height, -59); // −19 × 300 / 96
    const auto& confidential = Text(canvas, "     ( POUFNE - NIE KOPIUJ )");
    EXPECT_EQ(confidential.x, title.bounds.right);
    EXPECT_EQ(confidential.font.height, -41);
    const auto& stamp = Text(canvas, "Drukuję 5 marzec 2024");
    EXPECT_EQ(stamp.x, 2250);
    EXPECT_EQ(stamp.y, kTopMargin);
    const auto& subtitle = Text(canvas, "Grupa # 1");
    EXPECT_EQ(subtitle.y, kTopMargin + kLine / 2);
    EXPECT_EQ(subtitle.font.height, -50); // −16 × 300 / 96
    const auto& home = Text(canvas, "Dom");
    EXPECT_EQ(home.y, kTopMargin + 2 * kLine);
    EXPECT_EQ(home.x, kLeft + 660 - 50);
    EXPECT_EQ(home.align.horizontal, HAlign::Right);
    EXPECT_EQ(Text(canvas, "Komórka").x, kLeft + 660 + 600);
    EXPECT_EQ(Text(canvas, "Praca").x, kLeft + 660 + 1200 - 150);
}

TEST_F(ListsTest, DateStampKeepsClearOfTheConfidentialNoteUnderALongTitle) {
    Congregation();
    m_environment.options.dateStamp = true;
    m_environment.options.congregationName = "Kraków-Nowa Huta Wschód i"; // 25 characters, the longest
    for (const ReportKind kind : {ReportKind::PhoneEmailCongregation, ReportKind::ContactCongregation,
                                  ReportKind::AddressCongregation, ReportKind::PhoneCongregation}) {
        const RecordingCanvas canvas = Draw(kind);
        const auto& note = Text(canvas, "     ( POUFNE - NIE KOPIUJ )");
        const auto& stamp = Text(canvas, "Drukuję 5 marzec 2024");
        EXPECT_FALSE(note.bounds.Intersects(stamp.bounds)) << static_cast<int>(kind);
        EXPECT_EQ(stamp.align.horizontal, HAlign::Right);
        // Still in the page's header, above the column headings.
        EXPECT_LT(stamp.bounds.bottom, kTopMargin + 2 * kLine) << static_cast<int>(kind);
    }
    // A short title leaves the stamp on the title's line.
    m_environment.options.congregationName = "Azory";
    const RecordingCanvas canvas = Draw(ReportKind::PhoneEmailCongregation);
    EXPECT_EQ(Text(canvas, "Drukuję 5 marzec 2024").y, kTopMargin);
    EXPECT_EQ(Text(canvas, "Drukuję 5 marzec 2024").align.vertical, VAlign::Bottom);
}

TEST_F(ListsTest, PhoneListRowsNumbersAndFamilies) {
    Congregation();
    const RecordingCanvas canvas = Draw(ReportKind::PhoneCongregation);
    // Anna is listed under the head of her family, not on her own; the inactive and the student are not
    // listed themselves.
    EXPECT_EQ(TextsAt(canvas, kLeft), (Names{"Ewa Adamska", "Jan Kowalski", "Piotr Nowak", "Marek Zieliński"}));
    const auto& jan = Text(canvas, "Jan Kowalski");
    EXPECT_EQ(jan.y, RowY(0, 1));
    const auto& family = Text(canvas, "Anna Kowalska, Kasia Kowalska");
    EXPECT_EQ(family.x, kLeft + 60);
    EXPECT_EQ(family.y, RowY(0, 2));
    const auto& home = Text(canvas, "12 345 67");
    EXPECT_EQ(home.x, kLeft + 660);
    EXPECT_EQ(home.align.horizontal, HAlign::Right);
    EXPECT_EQ(home.y, jan.y);
    EXPECT_EQ(Text(canvas, "600 100 200").x, kLeft + 660 + 600);
    EXPECT_EQ(Text(canvas, "22 111 22").x, kLeft + 660 + 1200 - 75);
    EXPECT_EQ(Text(canvas, "Piotr Nowak").y, RowY(0, 3)); // after the family line
    EXPECT_EQ(canvas.Find("*"), nullptr);                 // no marks outside the elders' list
}

TEST_F(ListsTest, FamilyMembersStayListedWhereTheHeadIsNot) {
    Congregation();
    // In a group list everybody stands on his own line.
    EXPECT_EQ(TextsAt(Draw(ReportKind::PhoneGroup, 1), kLeft),
              (Names{"Anna Kowalska", "Jan Kowalski", "Marek Zieliński"}));
    // A head who is no longer active does not hide the members.
    ById(101).SetCategory(PublisherCategory::Inactive);
    Finish();
    const RecordingCanvas canvas = Draw(ReportKind::PhoneCongregation);
    EXPECT_EQ(TextsAt(canvas, kLeft), (Names{"Ewa Adamska", "Anna Kowalska", "Piotr Nowak", "Marek Zieliński"}));
    EXPECT_EQ(canvas.Find("Anna Kowalska, Kasia Kowalska"), nullptr);
}

TEST_F(ListsTest, FiltersOfEachVariant) {
    Congregation();
    const struct {
        ReportKind kind;
        int group;
        Names names;
        const char* subtitle;
    } cases[] = {
        {ReportKind::PhoneEldersServants, 0, {"Jan Kowalski", "Piotr Nowak"}, "Starsi & Słudzy Pomocniczy"},
        {ReportKind::PhoneRegularPioneers, 0, {"Piotr Nowak"}, "Pionierzy stali"},
        {ReportKind::AddressGroup, 2, {"Ewa Adamska", "Piotr Nowak"}, "Grupa # 2"},
        {ReportKind::AddressInactive, 0, {"Tomasz Wójcik"}, "Nieczynni głosiciele"},
        {ReportKind::AddressRegularPioneers, 0, {"Piotr Nowak"}, "Pionierzy stali"},
        {ReportKind::ContactCongregation,
         0,
         {"Ewa Adamska", "Anna Kowalska", "Jan Kowalski", "Piotr Nowak", "Marek Zieliński"},
         nullptr},
        {ReportKind::ContactInactive, 0, {"Tomasz Wójcik"}, "Nieczynni głosiciele"},
        {ReportKind::ContactInactive, 2, {"Tomasz Wójcik"}, "Nieczynni głosiciele"},
        {ReportKind::ContactInactive, 1, {}, "Nieczynni głosiciele"},
        {ReportKind::PhoneEmailGroup, 1, {"Anna Kowalska", "Jan Kowalski *", "Marek Zieliński"}, "Grupa # 1"},
        {ReportKind::PhoneEmailEldersServants, 0, {"Jan Kowalski *", "Piotr Nowak"}, nullptr},
    };
    for (const auto& c : cases) {
        const RecordingCanvas canvas = Draw(c.kind, c.group);
        Names names = TextsAt(canvas, kLeft);
        if (c.kind == ReportKind::PhoneEmailGroup) // " *" only in the elders' variant
            std::replace(names.begin(), names.end(), std::string("Jan Kowalski"), std::string("Jan Kowalski *"));
        EXPECT_EQ(names, c.names) << static_cast<int>(c.kind) << " group " << c.group;
        if (c.subtitle != nullptr) {
            EXPECT_NE(canvas.Find(c.subtitle), nullptr) << c.subtitle;
        }
    }
    // A hidden group number keeps an inactive person out of the group's list.
    ById(106).SetHidesGroup(true);
    EXPECT_TRUE(TextsAt(Draw(ReportKind::ContactInactive, 2), kLeft).empty());
}

TEST_F(ListsTest, ElderMarksInTheEldersAndServantsVariants) {
    Congregation();
    const RecordingCanvas phone = Draw(ReportKind::PhoneEldersServants);
    const auto& star = Text(phone, "*");
    EXPECT_EQ(star.y, Text(phone, "Jan Kowalski").y);
    EXPECT_GT(star.x, kLeft + 660); // just right of the home number
    EXPECT_LT(star.x, kLeft + 700);
    const Names phoneTexts = phone.TextStrings();
    EXPECT_EQ(std::count(phoneTexts.begin(), phoneTexts.end(), "*"), 1);

    const RecordingCanvas address = Draw(ReportKind::AddressEldersServants);
    const auto& addressStar = Text(address, "*");
    EXPECT_EQ(addressStar.x, kLeft + 1950 + 50); // 1/6 inch right of the number
    const RecordingCanvas contact = Draw(ReportKind::ContactEldersServants);
    EXPECT_NE(contact.Find("12 345 67 - 600 100 200 - 22 111 22 *"), nullptr);
    EXPECT_NE(contact.Find(" - 602 2 - "), nullptr);
    // Without any number the line shows no separators.
    const RecordingCanvas all = Draw(ReportKind::ContactCongregation);
    EXPECT_EQ(all.Find(" -  - "), nullptr);
    EXPECT_EQ(Text(all, "Marek Zieliński").y, RowY(0, 4));
}

TEST_F(ListsTest, PagesBreakAfterTheLinesAPageHolds) {
    for (int i = 0; i < kLinesPerPage + 3; ++i) {
        const std::string last = "Nazwisko" + std::string(i < 10 ? "0" : "") + std::to_string(i);
        Add({"Osoba", last.c_str(), static_cast<PublisherId>(200 + i)});
    }
    Finish();
    EXPECT_EQ(Pages(ReportKind::PhoneCongregation), 2);
    RecordingCanvas canvas = Draw(ReportKind::PhoneCongregation);
    EXPECT_EQ(Text(canvas, "Osoba Nazwisko53").y, RowY(0, 53));
    EXPECT_EQ(Text(canvas, "Osoba Nazwisko54").y, RowY(1, 0));
    const Names texts = canvas.TextStrings();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Wykaz telefonów"), 2);

    // A4 paper: 12-inch pages.
    m_environment = ForPrinting(m_environment, true);
    canvas = Draw(ReportKind::PhoneCongregation);
    EXPECT_EQ(Text(canvas, "Osoba Nazwisko54").y, RowY(1, 0, 12));

    // Exactly one page of entries is one page.
    m_db.RemoveRecord(m_db.Count() - 1);
    m_db.RemoveRecord(m_db.Count() - 1);
    m_db.RemoveRecord(m_db.Count() - 1);
    Finish();
    EXPECT_EQ(Pages(ReportKind::PhoneCongregation), 1);

    // A family is not split over two pages.
    ById(253).SetHeadOfFamily(true); // the last line of the page
    Add({"Dziecko", "Rodzinne", 500, PublisherCategory::NonPublisher}).SetFamilyHead(253);
    Finish();
    EXPECT_EQ(Pages(ReportKind::PhoneCongregation), 2);
    canvas = Draw(ReportKind::PhoneCongregation);
    EXPECT_EQ(Text(canvas, "Osoba Nazwisko52").y, RowY(0, 52, 12));
    EXPECT_EQ(Text(canvas, "Osoba Nazwisko53").y, RowY(1, 0, 12));
    EXPECT_EQ(Text(canvas, "Dziecko Rodzinne").y, RowY(1, 1, 12));
}

TEST_F(ListsTest, ScreenLayoutUsesElevenTwelfthsOfTheWidth) {
    Congregation();
    m_environment = ReportEnvironment{};
    RecordingCanvas canvas(96, 96);
    MakeListReport(ReportKind::PhoneCongregation, m_source, 0)->Draw(canvas, m_environment);
    // dpi 88 for positions: left 44, home column 44 + 193.
    EXPECT_EQ(Text(canvas, "Jan Kowalski").x, 44);
    EXPECT_EQ(Text(canvas, "12 345 67").x, 44 + 193);
}

TEST_F(ListsTest, ScreenFontsShrinkWithTheScreenPositions) {
    Add({"Sebastian", "Baranowski", 201, PublisherCategory::Publisher, 1, Appointment::None, "42 669 67 74"});
    Finish();
    // Large fonts, so the recorded widths show the scale: 18 pt text and small text.
    for (const ReportFontId id : {ReportFontId::Text, ReportFontId::Small}) {
        LogicalFont font = m_environment.fonts.Get(id);
        font.height = -24;
        m_environment.fonts.Set(id, font);
    }
    const auto measure = [&](int dpi, const ReportEnvironment& environment) {
        RecordingCanvas canvas(dpi, dpi);
        MakeListReport(ReportKind::PhoneCongregation, m_source, 0)->Draw(canvas, environment);
        const auto& name = Text(canvas, "Sebastian Baranowski");
        const auto& home = Text(canvas, "42 669 67 74");
        // Widths in inches of the layout: the name's, and the room between the name and the home number's
        // right edge.
        const double inch = LayoutDpiX(canvas, environment);
        return std::pair{name.bounds.Width() / inch, (home.x - name.x) / inch};
    };
    ASSERT_EQ(m_environment.screen, (Resolution{96, 96}));
    const auto [screenName, screenRoom] = measure(96, m_environment);
    const auto [paperName, paperRoom] = measure(192, m_environment);
    EXPECT_NEAR(screenRoom, paperRoom, 0.02);
    // The name takes the same share of the line on the screen as on paper.
    EXPECT_NEAR(screenName, paperName, 0.05);
    RecordingCanvas canvas(96, 96);
    MakeListReport(ReportKind::PhoneCongregation, m_source, 0)->Draw(canvas, ReportEnvironment{});
    EXPECT_EQ(Text(canvas, "Sebastian Baranowski").font.height, -12); // −13 × 11 / 12
}

TEST_F(ListsTest, AddressListWrapsLongAddressesAndFallsBackToTheMobile) {
    Congregation();
    ById(105).SetAddress("ul. Długa 5, 30-001 Kraków");
    ById(104).SetAddress("os. Złotego Wieku 12 m. 34, 31-616 Kraków-Nowa Huta, PL");
    ById(104).SetPhone1("+48 123 456 78");
    ById(107).SetPhone2("700 7");
    Finish();
    const RecordingCanvas canvas = Draw(ReportKind::AddressCongregation);
    EXPECT_EQ(Text(canvas, "ul. Długa 5, 30-001 Kraków").x, kLeft + 660);
    EXPECT_EQ(Text(canvas, "ul. Długa 5, 30-001 Kraków").font, Text(canvas, "Ewa Adamska").font);
    EXPECT_EQ(Text(canvas, "48 48").x, kLeft + 1950); // home number at the last column
    EXPECT_EQ(Text(canvas, "700 7").x, kLeft + 1950); // no home number: the mobile
    EXPECT_EQ(canvas.Find("602 2"), nullptr);
    // The long address (over 50 characters) goes into two lines before Marek's entry.
    std::vector<const RecordingCanvas::TextItem*> addressLines;
    for (const auto& t : canvas.Texts())
        if (t.x == kLeft + 660 && t.y > Text(canvas, "Piotr Nowak").y - 1)
            addressLines.push_back(&t);
    ASSERT_GE(addressLines.size(), 2u);
    EXPECT_EQ(addressLines[0]->text + " " + addressLines[1]->text,
              "os. Złotego Wieku 12 m. 34, 31-616 Kraków-Nowa Huta, PL");
    EXPECT_EQ(addressLines[1]->y, addressLines[0]->y + kLine);
    EXPECT_LE(addressLines[0]->bounds.right, kLeft + 1950 - Text(canvas, "+48 123 456 78").bounds.Width());
    EXPECT_EQ(Text(canvas, "Marek Zieliński").y, addressLines[1]->y + kLine);
    // The family of the head follows on the lines after, half an inch in.
    EXPECT_EQ(Text(canvas, "Anna Kowalska, Kasia Kowalska").x, kLeft + 150);
    EXPECT_EQ(Text(canvas, "Wykaz adresów").y, kTopMargin);
}

TEST_F(ListsTest, PhoneEmailListShowsTheAddressFromTheExtensionRecord) {
    Congregation();
    ExtensionRecord blank;
    ExtensionRecord janMail;
    janMail.SetOwner(101);
    ASSERT_TRUE(janMail.SetEmail("jan.kowalski@example.pl").ok());
    ExtensionRecord strayMail;
    strayMail.SetOwner(999); // belongs to nobody listed
    ASSERT_TRUE(strayMail.SetEmail("obcy@example.pl").ok());
    const std::string bytes = blank.FileBytes() + janMail.FileBytes() + strayMail.FileBytes();
    ById(101).SetExtensionKey(1);
    ById(105).SetExtensionKey(2); // points at a record of another owner
    ById(104).SetExtensionKey(7); // beyond the file
    m_source.emails = EmailsFromExtensionBytes(bytes, m_db);
    EXPECT_EQ(m_source.emails, (EmailTable{{101, "jan.kowalski@example.pl"}}));

    const RecordingCanvas canvas = Draw(ReportKind::PhoneEmailCongregation);
    const auto& mail = Text(canvas, "jan.kowalski@example.pl");
    EXPECT_EQ(mail.y, Text(canvas, "Jan Kowalski").y);
    EXPECT_EQ(mail.x, kLeft + 1395);
    EXPECT_EQ(Text(canvas, "Lista telefon i e-mail").y, kTopMargin);
    EXPECT_EQ(Text(canvas, "22 111 22").x, kLeft + 1350);
}

TEST_F(ListsTest, TheLongestEmailAddressPrintsWholeBeforeThePaperEdge) {
    Congregation();
    const std::string longest = "bartholomew.wisniewski-szczepanski@poczta-zbor.org"; // 50 characters
    ASSERT_EQ(longest.size(), ExtensionRecord::kEmailMax);
    m_source.emails = {{101, longest}, {105, "ewa@example.pl"}};
    const auto pieces = [&](const RecordingCanvas& canvas) {
        std::vector<const RecordingCanvas::TextItem*> found;
        for (const auto& t : canvas.Texts())
            if (t.x == kLeft + 1395)
                found.push_back(&t);
        return found;
    };
    for (const int widthTenths : {80, 70}) {
        m_environment.pageWidthTenths = widthTenths;
        const RecordingCanvas canvas = Draw(ReportKind::PhoneEmailCongregation);
        std::string joined;
        int nextY = Text(canvas, "Jan Kowalski").y;
        for (const auto* piece : pieces(canvas)) {
            if (piece->text == "ewa@example.pl")
                continue;
            EXPECT_LE(piece->bounds.right, widthTenths * kDpi / 10) << widthTenths;
            EXPECT_EQ(piece->y, nextY) << "the address runs on the lines below the name";
            nextY += kLine;
            joined += piece->text;
        }
        EXPECT_EQ(joined, longest) << widthTenths;
        // Whoever follows stands below the last line of the address.
        EXPECT_EQ(Text(canvas, "Piotr Nowak").y, nextY) << widthTenths;
        // A short address keeps the row font.
        EXPECT_EQ(Text(canvas, "ewa@example.pl").font, Text(canvas, "Ewa Adamska").font);
    }
}

TEST_F(ListsTest, GroupListsShowEachGroupWithItsMembers) {
    Congregation();
    const auto columnOf = [](const RecordingCanvas& canvas, int column) {
        Names texts;
        for (const auto& t : canvas.Texts())
            if (t.x == kLeft + column * 525 && t.y >= kTopMargin + 2 * kLine)
                texts.push_back(t.text);
        return texts;
    };
    RecordingCanvas canvas = Draw(ReportKind::GroupListsActive);
    EXPECT_NE(canvas.Find("Zbór Grupa służby polowej"), nullptr);
    EXPECT_EQ(columnOf(canvas, 0), (Names{"Grupa # 1", "Nadzorca: Jan Kowalski", "Zastępca: Marek Zieliński",
                                          "środa 18:00", "Anna Kowalska", "Jan Kowalski", "Marek Zieliński"}));
    EXPECT_EQ(columnOf(canvas, 1), (Names{"Grupa # 2", "Sługa: Piotr Nowak", "Ewa Adamska", "Piotr Nowak"}));
    // Members of every column start on one line.
    EXPECT_EQ(Text(canvas, "Ewa Adamska").y, Text(canvas, "Anna Kowalska").y);
    EXPECT_EQ(Text(canvas, "Anna Kowalska").y, kTopMargin + (2 + 5) * kLine); // after a blank line
    EXPECT_EQ(Text(canvas, "Grupa # 1").font.weight, 700);

    canvas = Draw(ReportKind::GroupListsAll);
    const Names first = columnOf(canvas, 0);
    EXPECT_EQ(first.back(), "Marek Zieliński");
    EXPECT_NE(std::find(first.begin(), first.end(), "Kasia Kowalska (\u00A0SB\u00A0)"), first.end());
    EXPECT_NE(canvas.Find("Tomasz Wójcik (\u00A0N\u00A0)"), nullptr);
    EXPECT_EQ(Draw(ReportKind::GroupListsActiveStudents).Find("Tomasz Wójcik (\u00A0N\u00A0)"), nullptr);
    EXPECT_NE(Draw(ReportKind::GroupListsActiveStudents).Find("Kasia Kowalska (\u00A0SB\u00A0)"), nullptr);
    EXPECT_NE(Draw(ReportKind::GroupListsActiveInactive).Find("Tomasz Wójcik (\u00A0N\u00A0)"), nullptr);

    // A text wider than its column wraps inside it.
    ASSERT_TRUE(m_groups.SetAssistant(1, "Jan Brzęczyszczykiewicz").ok());
    canvas = Draw(ReportKind::GroupListsActive);
    EXPECT_EQ(columnOf(canvas, 1), (Names{"Grupa # 2", "Sługa: Piotr Nowak", "Zastępca: Jan", "Brzęczyszczykiewicz",
                                          "Ewa Adamska", "Piotr Nowak"}));
    for (const auto& t : canvas.Texts())
        EXPECT_LE(t.bounds.right, kLeft + 4 * 525) << t.text;

    // Five groups take two pages; a publisher outside every group is not lost.
    m_groups.SetCount(5);
    Add({"Zofia", "Bezgrupowa", 120, PublisherCategory::Publisher, 0});
    Finish();
    EXPECT_EQ(Pages(ReportKind::GroupListsActiveAlt), 2);
    canvas = Draw(ReportKind::GroupListsActiveAlt);
    EXPECT_EQ(Text(canvas, "Grupa # 5").y, 11 * kDpi + kTopMargin + 2 * kLine);
    EXPECT_EQ(Text(canvas, "Zofia Bezgrupowa").x, kLeft + 525);
}

TEST_F(ListsTest, SurnameFirstOptionChangesTheNameForm) {
    Congregation();
    m_environment.options.surnameFirst = true;
    EXPECT_EQ(TextsAt(Draw(ReportKind::PhoneCongregation), kLeft),
              (Names{"Adamska, Ewa", "Kowalski, Jan", "Nowak, Piotr", "Zieliński, Marek"}));
}

TEST_F(ListsTest, PagesDrawnInOneRunMatchPagesDrawnAlone) {
    Congregation();
    for (int i = 0; i < 120; ++i) {
        const std::string last = "Dodatkowy" + std::to_string(100 + i);
        Add({"Osoba", last.c_str(), static_cast<PublisherId>(300 + i), PublisherCategory::Publisher, 1 + i % 2});
    }
    Finish();
    for (const ReportKind kind : {ReportKind::AddressCongregation, ReportKind::GroupListsAll}) {
        const auto report = MakeListReport(kind, m_source, 0);
        RecordingCanvas alone(kDpi, kDpi);
        const int pages = report->CountPages(alone, m_environment);
        EXPECT_EQ(pages, kind == ReportKind::AddressCongregation ? 3 : 1); // two groups in four columns
        DrawReportPage(*report, alone, m_environment, pages);
        RecordingCanvas inRun(kDpi, kDpi);
        {
            const PageRun run(*report, inRun, m_environment);
            EXPECT_EQ(report->CountPages(inRun, m_environment), pages);
            inRun.Clear();
            DrawReportPage(*report, inRun, m_environment, pages);
        }
        EXPECT_EQ(inRun.TextStrings(true), alone.TextStrings(true));
        EXPECT_FALSE(alone.TextStrings(true).empty());
    }
}

TEST(ListKinds, EveryListKindHasAReportAndOthersNone) {
    const ListSource source;
    for (int number = 50; number <= 104; ++number) {
        const auto kind = ReportKindFromNumber(number);
        if (!kind)
            continue;
        EXPECT_NE(MakeListReport(*kind, source, 1), nullptr) << number;
    }
    EXPECT_EQ(MakeListReport(ReportKind::Statistics, source, 1), nullptr);
    EXPECT_EQ(ListKindOf(ReportKind::ContactInactive, 4)->filter, (ListFilter{4, ListSelector::Inactive}));
    EXPECT_EQ(ListKindOf(ReportKind::PhoneEmailGroup, 3)->type, ListType::PhoneEmail);
}

} // namespace
} // namespace vardo
