// The choices around the exchange files: the emergency-contact export, the start-up clean-up of exports,
// the monthly export's choices, the XML pick list, the group report dialog, and households and special needs
// carried through an XML export and import.

#include <gtest/gtest.h>

#include "Persons.h"
#include "TempDataFolder.h"
#include "core/exchange/DataExportChoice.h"
#include "core/exchange/ExportCleanup.h"
#include "core/exchange/GroupReportPresenter.h"
#include "core/exchange/PersonPick.h"
#include "core/exchange/PublistDocument.h"
#include "core/exchange/TabularExports.h"
#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"
#include "core/store/ChangeCaptures.h"

namespace vardo {
namespace {

/// A register with its side files over a temporary folder; working month February 2025.
struct Folder {
    Folder() {
        database.SetCount(1);
        database.RebuildIndex();
        groups.SetCount(3);
        changes.SetCapture(DataArea::Register, CaptureOf(database));
        changes.SetCapture(DataArea::Remarks, CaptureByCopy(remarks));
        changes.SetCapture(DataArea::Settings, CaptureByCopy(settings));
        changes.SetCapture(DataArea::Extensions,
                           CaptureWithFile(folder, std::string(ExtensionFile::kFileName), CaptureByCopy(extensions)));
        changes.SetCapture(DataArea::SpecialNeeds, CaptureWithFile(folder, std::string(SpecialNeedsFile::kFileName),
                                                                   CaptureByCopy(specialNeeds)));
        registry.specialNeeds = &specialNeeds;
        registry.emergency = &emergency;
    }

    PublisherId Add(std::string_view first, std::string_view last,
                    PublisherCategory category = PublisherCategory::Publisher) {
        return test::AddPersonTo(database, first, last, prompter, category);
    }
    PublisherRecord& Person(PublisherId id) { return *database.FindById(id); }
    void SetEmail(PublisherId id, std::string_view email) {
        ExtensionRecord extension;
        extension.SetOwner(id);
        EXPECT_TRUE(extension.SetEmail(email).ok());
        Person(id).SetExtensionKey(extensions.Write(folder, extension).value());
    }
    ExportSource Source() {
        return {database, remarks, totals, month,
                [this](const PublisherRecord& p) { return extensions.Read(folder, p.ExtensionKey(), p.Id()); }};
    }

    test::TempDir dir;
    DataFolder folder{dir.Path()};
    ScriptedPrompter prompter;
    PublisherDatabase database;
    RemarkTable remarks;
    CardTotals totals;
    AppointmentTable appointments;
    ExtensionFile extensions;
    SpecialNeedsFile specialNeeds;
    EmergencyFile emergency;
    GroupTable groups;
    Settings settings;
    WorkingMonth month = WorkingMonthFor(2025, 3, 10);
    ChangeHub changes;
    RegistryContext registry{database, appointments, extensions, groups,   settings, month,
                             folder,   prompter,     changes,    "polish", {}};
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

TEST(EmergencyExportTest, ListsPublishersAndHeadsWithFamilyContactAndNeeds) {
    Folder f;
    const PublisherId head = f.Add("Adam", "Nowak");
    const PublisherId wife = f.Add("Ewa", "Nowak");
    const PublisherId son = f.Add("Piotr", "Nowak");
    const PublisherId alone = f.Add("Zofia", "Bąk");
    const PublisherId inactiveHead = f.Add("Olga", "Cis", PublisherCategory::Inactive);
    const PublisherId inactiveSingle = f.Add("Igor", "Dąb", PublisherCategory::Inactive);
    f.database.RebuildIndex();
    f.Person(head).SetHeadOfFamily(true);
    f.Person(wife).SetFamilyHead(head);
    f.Person(son).SetFamilyHead(head);
    f.Person(inactiveHead).SetHeadOfFamily(true);
    f.Person(alone).SetGroup(2);

    EmergencyContactRecord contact;
    ASSERT_TRUE(contact.SetName("Jan Sąsiad").ok());
    ASSERT_TRUE(contact.SetMobilePhone("600 1").ok());
    const auto key = f.emergency.Add(f.folder, contact, [](std::uint16_t) { return false; });
    ASSERT_TRUE(key.ok());
    f.Person(son).SetEmergencyKey(key.value());
    const EmergencyExportSource source{
        f.Source(),
        [&f](const PublisherRecord& p) -> std::optional<EmergencyContactRecord> {
            if (p.EmergencyKey() == 0)
                return std::nullopt;
            return f.emergency.Read(f.folder, p.EmergencyKey());
        },
        [alone](const PublisherRecord& p) { return p.Id() == alone ? std::string("wózek") : std::string(); }};

    // Without a family phone the wife (no contact of her own) is left out; the son has his own contact.
    std::vector<std::string> lines = Lines(EmergencyExport(source));
    ASSERT_EQ(lines.size(), 5u) << EmergencyExport(source);
    EXPECT_EQ(lines[0].substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(lines[0].find("Członkowie Rodziny \t"), std::string::npos);
    EXPECT_EQ(lines[1], "Bąk, Zofia\t\t\t\t\t\t\t\t\t\t\twózek\t2\t");
    EXPECT_EQ(lines[2], "Cis, Olga ( N )\t\t\t\t\t\t\t\t\t\t\t\t0\t") << "an inactive head of family";
    EXPECT_EQ(lines[3], "Nowak, Adam\t\t\t\t\t\tNowak, Ewa, Nowak, Piotr\t\t\t\t\t\t0\t");
    EXPECT_EQ(lines[4], "Nowak, Piotr\t\t\t\t\t\tNowak, Adam, Nowak, Ewa\tJan Sąsiad\t\t600 1\t\t\t0\t");
    EXPECT_EQ(EmergencyExport(source).find("Dąb"), std::string::npos) << "an inactive person outside a family";

    // With a phone of the family the wife is listed: the family can be reached.
    f.Person(head).SetPhone1("22 1");
    f.Person(head).SetPhone2("600 2");
    EXPECT_EQ(HouseholdContactText(f.database, f.Person(wife)), "Nowak: Komórka 600 2, Dom 22 1");
    EXPECT_EQ(HouseholdContactText(f.database, f.Person(alone)), "");
    lines = Lines(EmergencyExport(source));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4].substr(0, 12), "Nowak, Ewa\t\t");
    (void)inactiveSingle;
}

TEST(ExportCleanupTest, OffersMonthlyExportsAndAlwaysRemovesTheOthers) {
    Folder f;
    EXPECT_TRUE(ExportFilesToOffer(f.folder).empty());
    f.dir.WriteFile("publist.xml", "<PUBLIST/>");
    EXPECT_TRUE(ExportFilesToOffer(f.folder).empty()) << "publist.xml alone shows no warning";
    f.dir.WriteFile("Exports/marzec.rpt", "x");
    f.dir.WriteFile("marzec.csv", "x");
    f.dir.WriteFile("Exports/styczeń.csv", "x");
    f.dir.WriteFile("Exports/contact.tsv", "x");
    f.dir.WriteFile("3rdparty.tsv", "x");
    f.dir.WriteFile("Exports/cardhdr.tsv", "x");
    const std::vector<std::string> offered = ExportFilesToOffer(f.folder);
    EXPECT_EQ(offered,
              (std::vector<std::string>{"Exports/styczeń.csv", "marzec.csv", "Exports/marzec.rpt", "publist.xml"}));

    ExportCleanup many(offered);
    EXPECT_EQ(many.SelectedCount(), 0u) << "with several files none is selected";
    EXPECT_EQ(ExportCleanup({"marzec.csv"}).SelectedCount(), 1u);
    EXPECT_NE(ExportCleanup::Text().find("nie są szyfrowane.\nPowinny"), std::string::npos);
    many.SetSelected(1, true);
    many.SetSelected(2, true);
    ASSERT_TRUE(many.DeleteSelected(f.folder).ok());
    EXPECT_FALSE(f.folder.Exists("marzec.csv"));
    EXPECT_FALSE(f.folder.Exists("Exports/marzec.rpt"));
    EXPECT_TRUE(f.folder.Exists("Exports/styczeń.csv"));

    EXPECT_TRUE(RemoveTransientExports(f.folder).empty());
    for (const char* gone : {"publist.xml", "Exports/contact.tsv", "3rdparty.tsv", "Exports/cardhdr.tsv"})
        EXPECT_FALSE(f.folder.Exists(gone)) << gone;
    EXPECT_TRUE(f.folder.Exists("Exports/styczeń.csv")) << "the monthly exports are only offered";
}

TEST(DataExportChoiceTest, MonthsSeparatorAndHeader) {
    Folder f;
    const PublisherId jan = f.Add("Jan", "Kowalski");
    f.Person(jan).SetRow(MonthRow::StudyWord, 11, 0, kStudyFlagBit);
    DataExportChoice choice(f.month);
    ASSERT_EQ(choice.MonthItems().size(), 12u);
    EXPECT_EQ(choice.MonthItems().front(), "marzec 2024");
    EXPECT_EQ(choice.MonthItems().back(), "luty 2025");
    EXPECT_EQ(choice.monthItem, choice.WorkingItem());
    EXPECT_EQ(choice.FileName(), "luty.csv");
    choice.monthItem = 9; // December 2024
    choice.tab = true;
    choice.header = false;
    EXPECT_EQ(choice.Month(), 11);
    EXPECT_EQ(choice.FileName(), "grudzień.rpt");
    const auto path = choice.Write(f.Source(), f.folder);
    ASSERT_TRUE(path.ok()) << path.error();
    const auto bytes = f.folder.ReadAll("Exports/grudzień.rpt");
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(bytes.value(), "\xEF\xBB\xBF\"Kowalski, Jan\"\t0\t0\t1\t0\t0\t0\t\"\"\t\"12 (Gru)\"\t2024\t" +
                                 std::to_string(jan) + "\t\r\n");
}

TEST(PersonPickTest, ImportModeMarksDuplicatesAndBuildsTheChoice) {
    Folder from;
    from.Add("Jan", "Kowalski");
    from.Add("Ewa", "Żak");
    from.Add("Olga", "Cis", PublisherCategory::Inactive);
    from.database.RebuildIndex();
    std::vector<RecordNumber> active;
    for (const IndexEntry& entry : from.database.List(PublisherCategory::Publisher))
        active.push_back(entry.recordNumber);
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(BuildPublist({from.database, from.remarks, from.month, {}, {}, {}}, PublistKind::Active,
                                         active, Date{2025, 3, 5})));
    Folder to;
    to.Add("Ewa", "Żak");
    to.database.RebuildIndex();
    PersonPick pick([&](PublistKind kind) { return ReadPublistPersons(doc, kind, to.database); },
                    PublistKind::Inactive);
    EXPECT_EQ(pick.GetMode(), PersonPick::Mode::Import);
    EXPECT_FALSE(pick.HasList(PublistKind::Inactive));
    EXPECT_EQ(pick.Kind(), PublistKind::Active) << "the file's only list is shown";
    ASSERT_EQ(pick.Items().size(), 2u);
    EXPECT_EQ(pick.Items()[1].label, "Żak, Ewa *");
    EXPECT_TRUE(pick.Items()[1].duplicate);
    EXPECT_EQ(pick.DuplicatesText(), "Duplikaty (1)");
    pick.SetPicked(1, false);
    EXPECT_EQ(pick.DuplicatesText(), "Duplikaty (0)");
    pick.SetPicked(1, true);
    pick.SetPicked(0, false);
    pick.updateDuplicates = false;
    const PublistImportChoice choice = pick.ImportChoice();
    EXPECT_EQ(choice.positions, std::vector<int>{1});
    EXPECT_FALSE(choice.updateDuplicates);
    EXPECT_TRUE(pick.PickedRecords().empty());

    CXmlDoc empty;
    ASSERT_TRUE(empty.SetText("<other/>"));
    PersonPick none([&](PublistKind kind) { return ReadPublistPersons(empty, kind, to.database); },
                    PublistKind::Active);
    EXPECT_TRUE(none.Empty());
}

TEST(PersonPickTest, ExportModePicksRecordsOfTheChosenList) {
    Folder f;
    f.Add("Jan", "Kowalski");
    const PublisherId olga = f.Add("Olga", "Cis", PublisherCategory::Inactive);
    f.database.RebuildIndex();
    PersonPick pick(f.database, PublistKind::Active);
    ASSERT_EQ(pick.Items().size(), 1u);
    EXPECT_FALSE(pick.Items()[0].duplicate);
    pick.SetKind(PublistKind::Inactive);
    ASSERT_EQ(pick.Items().size(), 1u);
    EXPECT_EQ(pick.Items()[0].label, "Cis, Olga");
    EXPECT_EQ(pick.PickedRecords(), std::vector<RecordNumber>{f.database.RecordNumberOfId(olga)});
    pick.PickAll(false);
    EXPECT_EQ(pick.PickedCount(), 0u);
    EXPECT_TRUE(pick.PickedRecords().empty());
}

class GroupReportTest : public ::testing::Test {
protected:
    GroupReportTest() {
        m_over = f.Add("Adam", "Nowak");
        m_assistant = f.Add("Jan", "Kowalski");
        m_other = f.Add("Ewa", "Żak");
        f.database.RebuildIndex();
        for (const PublisherId id : {m_over, m_assistant, m_other})
            f.Person(id).SetGroup(2);
        EXPECT_TRUE(f.groups.SetOverseer(1, "Adam Nowak").ok());
        EXPECT_TRUE(f.groups.SetAssistant(1, "Jan Kowalski").ok());
        f.SetEmail(m_over, "adam@nowak.pl");
        f.settings.secretaryEmail = "sekretarz@zbor.pl";
    }

    GroupReportContext Context() {
        return {f.database,   f.remarks,  f.groups,
                f.extensions, f.settings, f.month,
                f.folder,     f.changes,  [](const PublisherRecord&, MonthIndex) { return false; }};
    }

    Folder f;
    PublisherId m_over = 0, m_assistant = 0, m_other = 0;
};

TEST_F(GroupReportTest, CountsCaptionsAndButtons) {
    GroupReportPresenter dialog(Context(), 2);
    EXPECT_EQ(dialog.Caption(), "Utwórz dla Grupy 2 - Miesiąc = luty");
    EXPECT_EQ(dialog.OverseerText(), "Nadzorca: Adam Nowak");
    EXPECT_EQ(dialog.MembersText(), "Głosiciele:  3");
    EXPECT_EQ(dialog.MissingText(), "Brakujące Sprawozdania:  3");
    EXPECT_FALSE(dialog.BlankVisible());
    EXPECT_TRUE(dialog.SaveEnabled());
    EXPECT_EQ(dialog.SaveButtonText(), "Tworzy i Zapisuje");
    EXPECT_EQ(dialog.SendButtonText(), "Utwórz i wyślij Plik do mail adam@nowak.pl");

    // Everybody reported: nothing to save unless the list goes out blank.
    for (const PublisherId id : {m_over, m_assistant, m_other})
        f.Person(id).SetRow(MonthRow::StudyWord, 1, 1, kStudyFlagBit);
    EXPECT_EQ(dialog.MissingCount(), 0);
    EXPECT_TRUE(dialog.BlankVisible());
    EXPECT_FALSE(dialog.SaveEnabled());
    EXPECT_EQ(dialog.SaveButtonText(), "Uzupełnij pliki sprawozdań");
    dialog.blank = true;
    EXPECT_EQ(dialog.MissingCount(), 3);
    EXPECT_TRUE(dialog.SaveEnabled());
    EXPECT_EQ(dialog.BlankText(), "Tworzę nową czystą listę grupy na luty");
    dialog.blank = false;
    dialog.SetNextMonth(true);
    EXPECT_TRUE(dialog.SendsBlank()) << "the next month always goes out blank";
    EXPECT_EQ(dialog.ChosenMonth(), 2);
    EXPECT_EQ(dialog.NextMonthName(), "marzec");

    dialog.SetGroup(3);
    EXPECT_EQ(dialog.MemberCount(), 0);
    EXPECT_FALSE(dialog.SendEnabled());
    EXPECT_EQ(dialog.SendButtonText(), "Brak adresu maila nadzorcy grupy 3");
}

TEST_F(GroupReportTest, AssistantChoiceIsKeptPerGroupAsOneChange) {
    GroupReportPresenter dialog(Context(), 2);
    EXPECT_FALSE(dialog.AssistantChoiceVisible()) << "the assistant has no address";
    f.SetEmail(m_assistant, "jan@kowalski.pl");
    EXPECT_TRUE(dialog.AssistantChoiceVisible());
    EXPECT_FALSE(dialog.SendToAssistant());
    dialog.SetSendToAssistant(true);
    EXPECT_EQ(f.changes.CommitCount(), 1);
    EXPECT_EQ(f.settings.assistantGroups, 2);
    EXPECT_EQ(dialog.Recipient(), "jan@kowalski.pl");
    dialog.SetSendToAssistant(true);
    EXPECT_EQ(f.changes.CommitCount(), 1) << "no change without a change";
    IniFile ini;
    WriteSettings(f.settings, ini, "polish");
    EXPECT_EQ(ReadSettings(ini, "", "polish").assistantGroups, 2);
    dialog.SetSendToAssistant(false);
    EXPECT_EQ(dialog.Recipient(), "adam@nowak.pl");
}

TEST_F(GroupReportTest, CreateSavesTheFileAndSendsItOrWritesTheOutbox) {
    f.Person(m_other).SetRow(MonthRow::Hours, 1, 1, 7);
    GroupReportPresenter dialog(Context(), 2);
    dialog.secretaryEmail = "  bad";
    const auto path = dialog.CreateAndSave();
    ASSERT_TRUE(path.ok()) << path.error();
    EXPECT_EQ(path.value(), f.folder.Resolve("Grupa2.t09").string());
    EXPECT_EQ(f.settings.secretaryEmail, "") << "an address without an at sign is not kept";
    const auto bytes = f.folder.ReadAll("Grupa2.t09");
    ASSERT_TRUE(bytes.ok());
    const auto data = ReadGroupReportFile(bytes.value());
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(data.value().group, 2);
    EXPECT_EQ(data.value().month, 1);
    ASSERT_EQ(data.value().persons.size(), 3u);

    dialog.secretaryEmail = "ja@zbor.pl";
    std::vector<std::string> argv;
    const auto sent = dialog.CreateAndSend("9 Dec 2026 00:00:00 +0000", [&argv](const std::vector<std::string>& a) {
        argv = a;
        return 3; // no mail program configured
    });
    ASSERT_TRUE(sent.ok()) << sent.error();
    EXPECT_EQ(f.settings.secretaryEmail, "ja@zbor.pl");
    EXPECT_EQ(sent.value().kind, MailOutcome::Kind::WrittenToOutbox);
    EXPECT_TRUE(std::filesystem::exists(sent.value().path));
    ASSERT_FALSE(argv.empty());
    EXPECT_EQ(argv.back(), "adam@nowak.pl");

    // A file that cannot be written is no success.
    std::filesystem::remove(f.dir.Path() / "Grupa2.t09");
    std::filesystem::create_directory(f.dir.Path() / "Grupa2.t09");
    const auto failed = dialog.CreateAndSave();
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.code(), Failure::Io);
    EXPECT_NE(failed.error().find("Grupa2.t09"), std::string::npos);
}

TEST(PublistHouseholdTest, HouseholdsAndSpecialNeedsSurviveAnExportAndImport) {
    Folder from;
    const PublisherId head = from.Add("Adam", "Nowak");
    const PublisherId wife = from.Add("Ewa", "Nowak");
    const PublisherId single = from.Add("Zofia", "Bąk");
    from.database.RebuildIndex();
    from.Person(head).SetHeadOfFamily(true);
    from.Person(wife).SetFamilyHead(head);
    SpecialNeedsRecord needs;
    ASSERT_TRUE(needs.SetText("wózek inwalidzki").ok());
    const auto key = from.specialNeeds.Add(from.folder, needs, [](std::uint16_t) { return false; });
    ASSERT_TRUE(key.ok());
    from.Person(single).SetSpecialNeedsKey(key.value());
    from.Person(wife).SetSpecialNeedsKey(key.value());
    const PublistExportSource source{
        from.database,
        from.remarks,
        from.month,
        {},
        [&from](const PublisherRecord& p) {
            const auto record =
                p.SpecialNeedsKey() != 0 ? from.specialNeeds.Read(from.folder, p.SpecialNeedsKey()) : std::nullopt;
            return record ? record->Text() : std::string();
        },
        [&from](const PublisherRecord& p) { return PublistHouseholdOf(from.database, p); }};
    std::vector<RecordNumber> all;
    for (const IndexEntry& entry : from.database.List(PublisherCategory::Publisher))
        all.push_back(entry.recordNumber);
    const std::string xml = BuildPublist(source, PublistKind::Active, all, Date{2025, 3, 5});
    EXPECT_NE(xml.find("<household>Nowak, Adam</household>"), std::string::npos);
    EXPECT_NE(xml.find("<specneed>wózek inwalidzki</specneed>"), std::string::npos);

    Folder to;
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(xml));
    const auto imported = ImportPublist(doc, PublistKind::Active, {{0, 1, 2}, true}, to.registry, to.remarks);
    ASSERT_TRUE(imported.ok()) << imported.error();
    ASSERT_EQ(to.database.PersonCount(), 3);
    auto named = [&to](std::string_view first, std::string_view last) -> const PublisherRecord& {
        for (const IndexEntry& entry : to.database.List(PublisherCategory::Publisher))
            if (to.database.Record(entry.recordNumber).FirstName() == first &&
                to.database.Record(entry.recordNumber).LastName() == last)
                return to.database.Record(entry.recordNumber);
        ADD_FAILURE() << first;
        return to.database.Record(1);
    };
    const PublisherRecord& newHead = named("Adam", "Nowak");
    const PublisherRecord& newWife = named("Ewa", "Nowak");
    const PublisherRecord& newSingle = named("Zofia", "Bąk");
    EXPECT_TRUE(newHead.IsHeadOfFamily());
    EXPECT_EQ(newWife.FamilyHead(), newHead.Id());
    EXPECT_FALSE(newSingle.IsHeadOfFamily());
    EXPECT_EQ(newSingle.FamilyHead(), 0);
    ASSERT_NE(newSingle.SpecialNeedsKey(), 0);
    EXPECT_EQ(newWife.SpecialNeedsKey(), newSingle.SpecialNeedsKey()) << "one text is stored once";
    EXPECT_EQ(to.specialNeeds.Read(to.folder, newSingle.SpecialNeedsKey())->Text(), "wózek inwalidzki");
}

} // namespace
} // namespace vardo
