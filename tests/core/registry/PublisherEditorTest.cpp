#include "core/registry/PublisherEditor.h"

#include <gtest/gtest.h>

#include "RegistryFixture.h"
#include "core/platform/Strings.h"
#include "core/registry/PersonRemoval.h"
#include "core/registry/PublisherChooser.h"

namespace vardo {
namespace {

using test::RegistryTest;

class PublisherEditorTest : public RegistryTest {
protected:
    PublisherChooser m_chooser{m_context, PublisherChooser::Mode::Edit};
    PublisherEditor m_editor{m_context, m_chooser};

    void OpenNew(std::string_view first, std::string_view last) {
        m_editor.LoadNew();
        m_editor.SetText(EditorText::FirstName, std::string(first));
        m_editor.SetText(EditorText::LastName, std::string(last));
        m_editor.MarkStatusAsked();
    }

    void Open(PublisherId id) {
        m_chooser.Refill();
        m_editor.Load(m_chooser.PositionOfId(id));
    }

    std::vector<std::string> Names() const { return m_chooser.Names(); }
};

TEST_F(PublisherEditorTest, AutoCapitalisationFollowsTheSettingAndTheLanguage) {
    m_editor.LoadNew();
    auto edit = m_editor.NameTyped(EditorText::FirstName, "jan");
    ASSERT_TRUE(edit);
    EXPECT_EQ(m_editor.Text(EditorText::FirstName), "Jan");

    m_settings.autoCapitalize = 0;
    EXPECT_FALSE(m_editor.NameTyped(EditorText::FirstName, "jan"));
    EXPECT_EQ(m_editor.Text(EditorText::FirstName), "jan");

    m_settings.autoCapitalize = 1;
    m_context.languageTag = "french";
    EXPECT_FALSE(m_editor.NameTyped(EditorText::FirstName, "jean"));
    EXPECT_EQ(m_editor.Text(EditorText::FirstName), "jean");
}

TEST_F(PublisherEditorTest, ATwentyCharacterLastNameIsCutToFourteen) {
    m_editor.LoadNew();
    const auto edit = m_editor.NameTyped(EditorText::LastName, "Abcdefghijklmnopqrst");
    ASSERT_TRUE(edit);
    EXPECT_TRUE(edit->cut);
    EXPECT_EQ(m_editor.Text(EditorText::LastName), "Abcdefghijklmn");

    // Whatever reaches the record is cut too.
    m_editor.SetText(EditorText::LastName, "Abcdefghijklmnopqrst");
    m_editor.MarkStatusAsked();
    ASSERT_TRUE(m_editor.Store());
    EXPECT_EQ(m_database.Record(1).LastName(), "Abcdefghijklmn");
}

TEST_F(PublisherEditorTest, DependentBoxes) {
    m_editor.LoadNew();
    m_editor.SetBox(EditorBox::Female, true);
    m_editor.SetBox(EditorBox::Elder, true);
    EXPECT_TRUE(m_editor.Box(EditorBox::Male));
    EXPECT_FALSE(m_editor.Box(EditorBox::Female));

    m_editor.SetBox(EditorBox::MinisterialServant, true);
    EXPECT_FALSE(m_editor.Box(EditorBox::Elder));
    m_editor.SetBox(EditorBox::Female, true);
    EXPECT_FALSE(m_editor.Box(EditorBox::Male));
    EXPECT_FALSE(m_editor.Box(EditorBox::MinisterialServant));

    m_editor.SetBox(EditorBox::RegularPioneer, true);
    m_editor.SetBox(EditorBox::SpecialPioneer, true);
    EXPECT_FALSE(m_editor.Box(EditorBox::RegularPioneer));
    m_editor.SetBox(EditorBox::ContinuousAuxiliary, true);
    EXPECT_FALSE(m_editor.Box(EditorBox::SpecialPioneer));

    EXPECT_FALSE(m_editor.ConsentDateVisible());
    m_editor.SetBox(EditorBox::Consent, true);
    EXPECT_TRUE(m_editor.ConsentDateVisible());
}

TEST_F(PublisherEditorTest, StoringANewPersonWritesEveryField) {
    OpenNew("jan", "Kowalski ");
    m_editor.SetText(EditorText::Address, "ul. Długa 5, Łódź");
    m_editor.SetText(EditorText::PhoneHome, "42 123 45 67");
    m_editor.SetText(EditorText::PhoneMobile, "601 234 567");
    m_editor.SetText(EditorText::Email, "jan@example.org");
    m_editor.SetDate(EditorDate::Birth, {5, 7, 1970});
    m_editor.SetDate(EditorDate::Baptism, {11, 30, 1990});
    m_editor.SetBox(EditorBox::Elder, true);
    m_editor.SetBox(EditorBox::RegularPioneer, true);
    m_editor.SetBox(EditorBox::Anointed, true);
    m_editor.SetBox(EditorBox::Blind, true);
    m_editor.SetBox(EditorBox::Consent, true);
    m_editor.SetDate(EditorDate::Consent, {5, 25, 2018});
    m_editor.SetGroup(3);
    ASSERT_TRUE(m_editor.Store());

    ASSERT_EQ(m_database.Count(), 2);
    const PublisherRecord& r = m_database.Record(1);
    EXPECT_EQ(r.Id(), 100);
    EXPECT_EQ(r.FirstName(), "jan");
    EXPECT_EQ(r.LastName(), "Kowalski");
    EXPECT_EQ(r.Address(), "ul. Długa 5, Łódź");
    EXPECT_EQ(r.Phone1(), "42 123 45 67");
    EXPECT_EQ(r.Phone2(), "601 234 567");
    EXPECT_EQ(r.BirthDate(), " 5071970");
    EXPECT_EQ(r.BaptismDate(), "11301990");
    EXPECT_EQ(r.GetAppointment(), Appointment::Elder);
    EXPECT_TRUE(r.IsMale());
    EXPECT_EQ(r.Hope(), 'A');
    EXPECT_TRUE(r.IsBlind());
    EXPECT_EQ(r.Group(), 3);
    EXPECT_EQ(r.Pioneer(1, m_month.SlotOf(1)), PioneerCode::Regular);
    EXPECT_EQ(r.Category(), PublisherCategory::Publisher);

    // Consent with its date; the two new privileges with an empty start date.
    EXPECT_TRUE(m_appointments.HasConsent(100));
    EXPECT_EQ(m_appointments.GetAppointment(100, 20), " 5252018");
    EXPECT_EQ(m_appointments.Entries().size(), 3u);

    // The e-mail went to an extension record, written to the folder at once.
    ASSERT_NE(r.ExtensionKey(), 0);
    const auto extension = m_extensions.Read(m_folder, r.ExtensionKey(), 100);
    ASSERT_TRUE(extension);
    EXPECT_EQ(extension->Email(), "jan@example.org");
    EXPECT_TRUE(m_changes.IsModified());
    EXPECT_EQ(m_commits, 1);
}

TEST_F(PublisherEditorTest, ABirthDateWithoutItsDayIsStoredBlank) {
    OpenNew("Anna", "Nowak");
    m_editor.SetDate(EditorDate::Birth, {5, 0, 1980});
    m_editor.SetDate(EditorDate::Baptism, {5, 0, 1980});
    ASSERT_TRUE(m_editor.Store());
    EXPECT_EQ(m_database.Record(1).BirthDate(), "      ");
    EXPECT_EQ(m_database.Record(1).BaptismDate(), "        ");
}

TEST_F(PublisherEditorTest, WithoutALastNameNothingIsStored) {
    OpenNew("Anna", "   ");
    EXPECT_FALSE(m_editor.CanStore());
    EXPECT_FALSE(m_editor.Store());
    EXPECT_EQ(m_database.PersonCount(), 0);
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(PublisherEditorTest, TextsOutsideTheCodePageAreRefusedWithAMessage) {
    OpenNew("Иван", "Петров");
    EXPECT_FALSE(m_editor.Store());
    EXPECT_EQ(m_database.PersonCount(), 0);
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_NE(m_prompter.Shown()[0].find("Imię"), std::string::npos);
}

TEST_F(PublisherEditorTest, ADuplicateNewPersonAnsweredNoIsNotAdded) {
    AddPerson("Jan", "Kowalski");
    OpenNew("Jan", "Kowalski");
    m_editor.SetText(EditorText::Address, "inny adres");
    m_prompter.Script(Answer::No);
    EXPECT_FALSE(m_editor.Store());
    EXPECT_EQ(m_database.PersonCount(), 1);
    EXPECT_EQ(m_database.Record(1).Address(), "");
    EXPECT_EQ(m_prompter.Questions(), 1);
    EXPECT_EQ(m_chooser.Count(), 1);
}

TEST_F(PublisherEditorTest, ANameChangeResortsTheRegister) {
    AddPerson("Adam", "Adamski");
    const PublisherId b = AddPerson("Bogdan", "Bielski");
    AddPerson("Cezary", "Czerski");
    Open(b);
    m_editor.SetText(EditorText::LastName, "Zieliński");
    ASSERT_TRUE(m_editor.Store());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Adamski, Adam", "Czerski, Cezary", "Zieliński, Bogdan"}));
    EXPECT_EQ(m_editor.RecordNumberShown(), 3);
    EXPECT_EQ(m_chooser.Selection(), 2);
}

TEST_F(PublisherEditorTest, NextAndPreviousWrapAround) {
    const PublisherId a = AddPerson("Adam", "Adamski");
    AddPerson("Bogdan", "Bielski");
    const PublisherId c = AddPerson("Cezary", "Czerski");
    Open(c);
    ASSERT_TRUE(m_editor.Next());
    EXPECT_EQ(m_editor.Record().Id(), a);
    EXPECT_EQ(m_chooser.Selection(), 0);
    ASSERT_TRUE(m_editor.Previous());
    EXPECT_EQ(m_editor.Record().Id(), c);

    // A person without a last name can not be left by Next.
    m_editor.SetText(EditorText::LastName, "");
    EXPECT_FALSE(m_editor.Next());
    EXPECT_EQ(m_editor.Record().Id(), c);
}

TEST_F(PublisherEditorTest, LoadingReadsFieldsBackAndImpliesMaleForAppointedBrothers) {
    const PublisherId id = AddPerson("Piotr", "Nowak");
    PublisherRecord& r = Person(id);
    r.SetAppointment(Appointment::MinisterialServant);
    r.SetBaptismDate(" 6152001");
    r.SetPersonFlags(static_cast<std::uint8_t>(r.PersonFlags() | 0x08)); // continuous auxiliary
    r.SetRow(MonthRow::Pioneer, 1, m_month.SlotOf(1), 3);
    ASSERT_TRUE(m_appointments.SetAppointment(id, 20, "01022019"));
    Open(id);
    EXPECT_TRUE(m_editor.Box(EditorBox::MinisterialServant));
    EXPECT_TRUE(m_editor.Box(EditorBox::Male));
    EXPECT_TRUE(m_editor.Box(EditorBox::SpecialPioneer));
    EXPECT_TRUE(m_editor.Box(EditorBox::ContinuousAuxiliary));
    EXPECT_TRUE(m_editor.Box(EditorBox::Consent));
    EXPECT_EQ(m_editor.Date(EditorDate::Consent), (PickerDate{1, 2, 2019}));
    EXPECT_EQ(m_editor.Date(EditorDate::Baptism), (PickerDate{6, 15, 2001}));
    EXPECT_TRUE(m_editor.PrivilegesVisible());
    EXPECT_EQ(m_editor.BaptismSummary(), "Od chrztu: 22 lata");
}

TEST_F(PublisherEditorTest, PioneerCodeOfTheWorkingMonth) {
    struct Case {
        int before;
        EditorBox tick; // the box ticked (Anointed = none of the pioneer boxes)
        int after;
    };
    const Case cases[] = {
        {0, EditorBox::RegularPioneer, 2},      {1, EditorBox::Anointed, 1}, {0, EditorBox::SpecialPioneer, 3},
        {0, EditorBox::ContinuousAuxiliary, 1}, {2, EditorBox::Anointed, 0}, {3, EditorBox::ContinuousAuxiliary, 1},
    };
    const PublisherId id = AddPerson("Ewa", "Lis");
    const YearSlot slot = m_month.SlotOf(1);
    for (const auto& c : cases) {
        Person(id).SetRow(MonthRow::Pioneer, 1, slot, static_cast<std::uint16_t>(0x80 | c.before));
        Person(id).SetContinuousAuxiliary(false);
        Open(id);
        for (EditorBox box : {EditorBox::RegularPioneer, EditorBox::SpecialPioneer, EditorBox::ContinuousAuxiliary})
            m_editor.SetBox(box, false);
        m_editor.SetBox(c.tick, true);
        ASSERT_TRUE(m_editor.Store());
        EXPECT_EQ(Person(id).Row(MonthRow::Pioneer, 1, slot), 0x80 | c.after) << c.before;
    }
}

TEST_F(PublisherEditorTest, ViewTexts) {
    m_groups.SetCount(2);
    ASSERT_TRUE(m_groups.SetOverseer(0, "Jan Kowalski"));
    ASSERT_TRUE(m_groups.SetOverseer(1, "Adam Nowak"));
    ASSERT_TRUE(m_groups.SetName(1, "Północ"));
    m_groups.SetUsesName(1, true);
    m_editor.LoadNew();
    EXPECT_EQ(m_editor.GroupButtonText(), Str(StrId::ChooseGroup));
    m_editor.SetGroup(1);
    EXPECT_EQ(m_editor.GroupButtonText(), "( &Grupa #1 ) Jan Kowalski");
    m_editor.SetGroup(2);
    EXPECT_EQ(m_editor.GroupButtonText(), "( &Grupa #2 ) Północ");
    m_editor.SetGroup(7);
    EXPECT_EQ(m_editor.GroupButtonText(), "( &Grupa #7 ) ");

    EXPECT_FALSE(m_editor.FamilyButtonText());
    m_editor.SetBox(EditorBox::HeadOfFamily, true);
    EXPECT_EQ(m_editor.FamilyButtonText(), std::string(Str(StrId::FamilyEdit)));
    EXPECT_FALSE(m_editor.NavigationVisible());
    EXPECT_FALSE(m_editor.UserCategoryVisible());
    m_settings.userCategoryEnabled = 1;
    m_settings.userCategoryLabel = "Kierowcy";
    EXPECT_TRUE(m_editor.UserCategoryVisible());
    EXPECT_EQ(m_editor.UserCategoryLabel(), "Kierowcy");
}

TEST_F(PublisherEditorTest, AHeadOfFamilyWithMembersKeepsTheBoxLocked) {
    const PublisherId head = AddPerson("Jan", "Kowalski");
    const PublisherId wife = AddPerson("Anna", "Kowalska");
    Person(head).SetHeadOfFamily(true);
    Open(head);
    EXPECT_TRUE(m_editor.HeadOfFamilyEnabled());
    Person(wife).SetFamilyHead(head);
    Open(head);
    EXPECT_FALSE(m_editor.HeadOfFamilyEnabled());
    Open(wife);
    EXPECT_EQ(m_editor.FamilyButtonText(), std::string(Str(StrId::FamilyView)));
}

TEST_F(PublisherEditorTest, YearsTextUsesThePolishNounForms) {
    EXPECT_EQ(YearsText(0), "0 lat");
    EXPECT_EQ(YearsText(1), "1 rok");
    EXPECT_EQ(YearsText(3), "3 lata");
    EXPECT_EQ(YearsText(12), "12 lat");
    EXPECT_EQ(YearsText(22), "22 lata");
    EXPECT_EQ(YearsText(25), "25 lat");
}

TEST_F(PublisherEditorTest, CopyStoresTheSourceThenPastesAddressPhonesAndGroup) {
    const PublisherId source = AddPerson("Jan", "Kowalski");
    const PublisherId target = AddPerson("Anna", "Kowalska");
    Open(source);
    EXPECT_EQ(m_editor.CopyPressed(), CopyAction::StoreAndRemember);
    m_editor.SetText(EditorText::Address, "ul. Polna 1");
    m_editor.SetText(EditorText::PhoneHome, "22 111 22 33");
    m_editor.SetGroup(4);
    ASSERT_TRUE(m_editor.Store());
    m_editor.RememberAsCopySource();
    EXPECT_EQ(m_editor.CopyPressed(), CopyAction::StoreAndRemember); // still the same person

    Open(target);
    ASSERT_EQ(m_editor.CopyPressed(), CopyAction::Paste);
    m_prompter.Script(Answer::No);
    EXPECT_FALSE(m_editor.PasteFromSource());
    EXPECT_EQ(m_editor.Text(EditorText::Address), "");
    m_prompter.Script(Answer::Yes);
    ASSERT_TRUE(m_editor.PasteFromSource());
    EXPECT_EQ(m_prompter.Shown().back(), std::string(Str(StrId::PasteFrom)) + "Jan Kowalski");
    EXPECT_EQ(m_editor.Text(EditorText::Address), "ul. Polna 1");
    EXPECT_EQ(m_editor.Text(EditorText::PhoneHome), "22 111 22 33");
    EXPECT_EQ(m_editor.Group(), 4);
    EXPECT_EQ(Person(target).Address(), ""); // pasted into the fields only

    m_editor.ClearCopySource();
    EXPECT_EQ(m_editor.CopyPressed(), CopyAction::StoreAndRemember);
}

TEST_F(PublisherEditorTest, PrivilegeDatesChosenInTheDialogAreStoredWithThePerson) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    Person(id).SetMale(true);
    ASSERT_TRUE(m_appointments.SetAppointment(id, 1, "03012010"));
    Open(id);
    m_editor.SetBox(EditorBox::Elder, true);
    PrivilegesPresenter privileges(m_editor.MakePrivilegesInput());
    EXPECT_TRUE(privileges.Box(PrivilegeRow::Elder));
    EXPECT_TRUE(privileges.Start(PrivilegeRow::Elder).IsBlank()); // newly ticked
    EXPECT_TRUE(privileges.EndVisible(PrivilegeRow::MinisterialServant));
    privileges.SetStart(PrivilegeRow::Elder, {9, 1, 2023});
    privileges.SetEnd(PrivilegeRow::MinisterialServant, {8, 31, 2023});
    m_editor.ApplyPrivileges(privileges);
    EXPECT_EQ(m_appointments.GetAppointment(id, 2), ""); // nothing before the person is stored

    ASSERT_TRUE(m_editor.Store());
    EXPECT_EQ(m_appointments.GetAppointment(id, 2), "09012023");
    EXPECT_EQ(m_appointments.GetAppointment(id, 1), "03012010");
    EXPECT_EQ(m_appointments.GetAppointmentEnd(id, 1), "08312023");
    EXPECT_EQ(Person(id).GetAppointment(), Appointment::Elder);
}

TEST_F(PublisherEditorTest, ReTickingAHeldPrivilegeKeepsItsStartDate) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    Person(id).SetAppointment(Appointment::Elder);
    ASSERT_TRUE(m_appointments.SetAppointment(id, 2, "09012015"));
    Open(id);
    m_editor.SetBox(EditorBox::Elder, false);
    m_editor.SetBox(EditorBox::Elder, true);
    ASSERT_TRUE(m_editor.Store());
    EXPECT_EQ(m_appointments.GetAppointment(id, 2), "09012015");
}

TEST_F(PublisherEditorTest, StoringWithoutConsentDoesNotGrowTheAppointmentTable) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    ASSERT_TRUE(m_appointments.SetAppointment(id, 20, " 1012020"));
    Open(id);
    m_editor.SetBox(EditorBox::Consent, false);
    ASSERT_TRUE(m_editor.Store());
    EXPECT_FALSE(m_appointments.HasConsent(id));
    const auto entries = m_appointments.Entries().size();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(m_editor.Store());
    EXPECT_EQ(m_appointments.Entries().size(), entries);
}

TEST_F(PublisherEditorTest, ANewPersonStatusIsRecordedBeforeStoring) {
    m_editor.LoadNew();
    m_editor.SetText(EditorText::LastName, "Nowy");
    ASSERT_TRUE(m_editor.NeedsStatusBeforeStore());
    StatusChoice status = m_editor.MakeStatusChoice();
    EXPECT_EQ(status.Kind(), StatusKind::NewPublisher);
    status.SetMonthIndexChosen(1); // January 2024
    m_editor.ApplyStatus(status);
    EXPECT_FALSE(m_editor.NeedsStatusBeforeStore());
    ASSERT_TRUE(m_editor.Store());
    EXPECT_EQ(m_database.Record(1).StatusMonth(), 0x11);
    EXPECT_EQ(m_database.Record(1).StatusChangeMonth(), ToMonthCount(2024, 0));
}

TEST_F(PublisherEditorTest, ClearingTheExtensionTextsDropsTheKey) {
    OpenNew("Jan", "Kowalski");
    m_editor.SetText(EditorText::LongName, "Jan Maria Kowalski-Nowak");
    ASSERT_TRUE(m_editor.Store());
    ASSERT_NE(m_database.Record(1).ExtensionKey(), 0);
    Open(m_database.Record(1).Id());
    EXPECT_EQ(m_editor.Text(EditorText::LongName), "Jan Maria Kowalski-Nowak");
    m_editor.SetText(EditorText::LongName, "");
    ASSERT_TRUE(m_editor.Store());
    EXPECT_EQ(m_database.Record(1).ExtensionKey(), 0);
}

} // namespace
} // namespace vardo

namespace vardo {
namespace {

class PublisherEditorChangeTest : public test::RegistryTest {
protected:
    PublisherChooser m_chooser{m_context, PublisherChooser::Mode::Edit};
    PublisherEditor m_editor{m_context, m_chooser};
};

TEST_F(PublisherEditorChangeTest, DuplicateNameYesUpdatesTheExistingPersonAndLosesNothing) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    PublisherRecord& existing = Person(id);
    existing.SetAddress("ul. Stara 1");
    existing.SetPhone1("42 111 11 11");
    existing.SetGroup(4);
    existing.SetBaptismDate("06011990");
    ReportCell cell;
    cell.hours = 12;
    cell.studyWord = 2;
    existing.SetCell(10, 0, cell);
    ExtensionRecord extension;
    extension.SetOwner(id);
    ASSERT_TRUE(extension.SetEmail("anna@example.org"));
    auto key = m_extensions.Write(m_folder, extension);
    ASSERT_TRUE(key);
    existing.SetExtensionKey(key.value());
    ASSERT_TRUE(m_appointments.SetAppointment(id, 20, " 1012020")); // consent

    m_editor.LoadNew();
    m_editor.SetText(EditorText::FirstName, "Anna");
    m_editor.SetText(EditorText::LastName, "Nowak");
    m_editor.SetText(EditorText::PhoneMobile, "601 000 000");
    m_editor.MarkStatusAsked();
    m_prompter.Script(Answer::Yes);
    ASSERT_TRUE(m_editor.Store());

    ASSERT_EQ(m_database.PersonCount(), 1);
    const PublisherRecord& r = m_database.Record(1);
    EXPECT_EQ(r.Id(), id);
    EXPECT_EQ(r.Address(), "ul. Stara 1");
    EXPECT_EQ(r.Phone1(), "42 111 11 11");
    EXPECT_EQ(r.Phone2(), "601 000 000"); // what was entered is taken over
    EXPECT_EQ(r.Group(), 4);
    EXPECT_EQ(r.BaptismDate(), "06011990");
    EXPECT_EQ(r.Cell(10, 0).hours, 12);
    EXPECT_EQ(r.ExtensionKey(), key.value());
    const auto stored = m_extensions.Read(m_folder, r.ExtensionKey(), id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->Email(), "anna@example.org");
    EXPECT_TRUE(m_appointments.HasConsent(id));
    EXPECT_EQ(m_editor.Record().Id(), id);
    EXPECT_FALSE(m_editor.IsNew());
    EXPECT_EQ(m_commits, 1);
}

TEST_F(PublisherEditorChangeTest, DuplicateNameNoChangesNothing) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    const auto before = m_database.TakeSnapshot();
    m_editor.LoadNew();
    m_editor.SetText(EditorText::FirstName, "Anna");
    m_editor.SetText(EditorText::LastName, "Nowak");
    m_editor.MarkStatusAsked();
    m_prompter.Script(Answer::No);
    EXPECT_FALSE(m_editor.Store());
    ASSERT_EQ(m_database.PersonCount(), 1);
    EXPECT_EQ(m_database.Record(1).Bytes(), before.persons[0].Bytes());
    EXPECT_EQ(m_database.Record(1).Id(), id);
    EXPECT_FALSE(m_changes.IsModified());
    EXPECT_EQ(m_commits, 0);
}

TEST_F(PublisherEditorChangeTest, AStoreWhoseExtensionCannotBeWrittenLeavesEverythingAsItWas) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    ASSERT_TRUE(m_appointments.SetAppointment(id, 2, "09012015"));
    const auto before = m_database.TakeSnapshot();
    const std::string appointmentsBefore = m_appointments.SaveBytes();

    m_chooser.Refill();
    m_editor.Load(m_chooser.PositionOfId(id));
    m_editor.SetText(EditorText::LastName, "Zmieniony");
    m_editor.SetText(EditorText::Email, "jan@example.org");
    m_editor.SetBox(EditorBox::Consent, true);
    // A folder in place of the extension file: its write fails.
    ASSERT_TRUE(m_folder.CreateFolder(ExtensionFile::kFileName));

    EXPECT_FALSE(m_editor.Store());
    EXPECT_FALSE(m_prompter.Shown().empty());
    const auto after = m_database.TakeSnapshot();
    ASSERT_EQ(after.persons.size(), before.persons.size());
    EXPECT_EQ(after.persons[0].Bytes(), before.persons[0].Bytes());
    EXPECT_EQ(m_appointments.SaveBytes(), appointmentsBefore);
    EXPECT_FALSE(m_changes.IsModified());
    EXPECT_EQ(m_commits, 0);
}

TEST_F(PublisherEditorChangeTest, DeleteAsksOnceMoreForAPermanentRemoval) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    m_chooser.Refill();
    m_editor.Load(m_chooser.PositionOfId(id));
    RemovalChoice choice(m_month);

    m_prompter.Script(Answer::Cancel);
    EXPECT_TRUE(m_editor.Delete(choice).cancelled());
    EXPECT_EQ(m_database.PersonCount(), 1);
    EXPECT_EQ(m_prompter.Shown().back(), "Czy na pewno chcesz usunąć Jan Kowalski?");

    m_prompter.Script(Answer::Ok);
    ASSERT_TRUE(m_editor.Delete(choice));
    EXPECT_EQ(m_database.PersonCount(), 0);
    EXPECT_EQ(m_chooser.Count(), 0);

    const PublisherId other = AddPerson("Ewa", "Lis");
    m_chooser.Refill();
    m_editor.Load(m_chooser.PositionOfId(other));
    choice.SetPermanent(false);
    ASSERT_TRUE(m_editor.Delete(choice));
    EXPECT_EQ(Person(other).Category(), PublisherCategory::Deleted);
    EXPECT_EQ(m_commits, 2);
}

} // namespace
} // namespace vardo

namespace vardo {
namespace {

TEST_F(PublisherEditorTest, StatusLineComesFromTheContextForStoredPersonsOnly) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    Open(id);
    EXPECT_EQ(m_editor.StatusLine(), "") << "no status rules in the context";

    std::vector<PublisherId> asked;
    m_context.statusLine = [&](const PublisherRecord& person) {
        asked.push_back(person.Id());
        return std::string("nieregularny: brak sprawozdań: wrz");
    };
    EXPECT_EQ(m_editor.StatusLine(), "Status: nieregularny: brak sprawozdań: wrz");
    EXPECT_EQ(asked, std::vector<PublisherId>{id});

    m_context.statusLine = [](const PublisherRecord&) { return std::string(); };
    EXPECT_EQ(m_editor.StatusLine(), "") << "a list without a status shows no line";

    m_context.statusLine = [](const PublisherRecord&) { return std::string("regularny"); };
    m_editor.LoadNew();
    EXPECT_EQ(m_editor.StatusLine(), "") << "a new person has no status yet";
}

} // namespace
} // namespace vardo
