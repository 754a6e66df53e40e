// Families, emergency contacts and special needs.

#include <gtest/gtest.h>

#include "RegistryFixture.h"
#include "core/registry/EmergencyContact.h"
#include "core/registry/Family.h"
#include "core/registry/SpecialNeeds.h"

namespace vardo {
namespace {

using test::RegistryTest;

std::uint16_t U16At(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

/// The text of a NUL-terminated field of a record.
std::string FieldAt(const std::string& bytes, std::size_t offset, std::size_t width) {
    const std::string field = bytes.substr(offset, width);
    return field.substr(0, field.find('\0'));
}

class SafetyTest : public RegistryTest {
protected:
    std::string EmergencyBytes() {
        auto bytes = m_folder.ReadAll("emerg.dat");
        return bytes.ok() ? bytes.value() : std::string();
    }

    /// A contact stored for `id` through the dialog.
    std::uint16_t StoreContact(PublisherId id, std::string_view name, std::string_view phone) {
        EmergencyContactPresenter presenter(m_context, Person(id));
        presenter.texts.name = std::string(name);
        presenter.texts.homePhone = std::string(phone);
        auto key = presenter.Store();
        EXPECT_TRUE(key.ok()) << key.error();
        return key.value_or(0);
    }
};

TEST_F(SafetyTest, SharedContactEditedFromEitherMember) {
    const PublisherId husband = AddPerson("Jan", "Nowak");
    const PublisherId wife = AddPerson("Anna", "Nowak");
    const std::uint16_t key = StoreContact(husband, "Teresa Nowak", "111 222");
    ASSERT_EQ(key, 10);
    EXPECT_EQ(Person(husband).EmergencyKey(), 10);

    // The wife links to the stored contact.
    EmergencyContactPresenter wifeDialog(m_context, Person(wife));
    EXPECT_FALSE(wifeDialog.SharedVisible());
    ASSERT_TRUE(wifeDialog.LinkVisible());
    const auto stored = wifeDialog.StoredContacts();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].text, "Teresa Nowak - 111 222");
    ASSERT_TRUE(wifeDialog.Link(stored[0].key));
    EXPECT_EQ(wifeDialog.texts.homePhone, "111 222");
    ASSERT_TRUE(wifeDialog.Store().ok());
    EXPECT_EQ(Person(wife).EmergencyKey(), 10);

    // Editing the phone from the wife changes the one record both refer to.
    EmergencyContactPresenter again(m_context, Person(wife));
    EXPECT_TRUE(again.SharedVisible());
    again.texts.homePhone = "999 000";
    ASSERT_TRUE(again.Store().ok());
    std::string bytes = EmergencyBytes();
    ASSERT_EQ(bytes.size(), 256u);
    EXPECT_EQ(U16At(bytes, 0), 10);
    EXPECT_EQ(FieldAt(bytes, 194, 16), "999 000");
    EXPECT_EQ(EmergencyContactPresenter(m_context, Person(husband)).texts.homePhone, "999 000");

    // "Clear Fields?" answered No on the husband: at OK he gets his own copy, the wife keeps hers.
    EmergencyContactPresenter husbandDialog(m_context, Person(husband));
    ASSERT_TRUE(husbandDialog.SharedVisible());
    husbandDialog.Clear(Answer::No);
    EXPECT_EQ(husbandDialog.texts.name, "Teresa Nowak");
    husbandDialog.texts.mobilePhone = "500 600";
    auto own = husbandDialog.Store();
    ASSERT_TRUE(own.ok());
    EXPECT_EQ(own.value(), 11);
    EXPECT_EQ(Person(husband).EmergencyKey(), 11);
    EXPECT_EQ(Person(wife).EmergencyKey(), 10);
    bytes = EmergencyBytes();
    ASSERT_EQ(bytes.size(), 512u);
    EXPECT_EQ(FieldAt(bytes, 210, 16), "");
    EXPECT_EQ(U16At(bytes, 256), 11);
    EXPECT_EQ(FieldAt(bytes, 256 + 2, 96), "Teresa Nowak");
    EXPECT_EQ(FieldAt(bytes, 256 + 210, 16), "500 600");
}

TEST_F(SafetyTest, ClearAnswersAndNameRules) {
    const PublisherId a = AddPerson("Jan", "Nowak");
    const PublisherId b = AddPerson("Anna", "Nowak");
    StoreContact(a, "Teresa", "1");
    Person(b).SetEmergencyKey(10);

    EmergencyContactPresenter dialog(m_context, Person(b));
    dialog.Clear(Answer::Cancel);
    EXPECT_EQ(dialog.Key(), 10);
    dialog.Clear(Answer::Yes);
    EXPECT_EQ(dialog.Key(), 0);
    EXPECT_EQ(dialog.texts, EmergencyTexts{});
    // A new contact needs a name of two characters; the dialog stays.
    dialog.texts.name = " X ";
    auto refused = dialog.Store();
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.code(), Failure::Invalid);
    EXPECT_EQ(Person(b).EmergencyKey(), 10);
    // An empty name unlinks; the record stays for the other person.
    dialog.texts.name = "  ";
    auto unlinked = dialog.Store();
    ASSERT_TRUE(unlinked.ok());
    EXPECT_EQ(unlinked.value(), 0);
    EXPECT_EQ(Person(b).EmergencyKey(), 0);
    EXPECT_EQ(Person(a).EmergencyKey(), 10);
    EXPECT_EQ(EmergencyBytes().size(), 256u);
}

TEST_F(SafetyTest, NewContactTakesTheLowestFreeNumber) {
    std::vector<PublisherId> ids;
    for (const char* first : {"A", "B", "C", "D"})
        ids.push_back(AddPerson(first, "Kowalski"));
    EXPECT_EQ(StoreContact(ids[0], "Kontakt 10", "1"), 10);
    EXPECT_EQ(StoreContact(ids[1], "Kontakt 11", "2"), 11);
    EXPECT_EQ(StoreContact(ids[2], "Kontakt 12", "3"), 12);
    // 12 is given up (its record freed), 13 is in use: the next contact is 12 again.
    EXPECT_EQ(StoreContact(ids[3], "Kontakt 13", "4"), 13);
    EmergencyContactPresenter drop(m_context, Person(ids[2]));
    drop.texts.name = "";
    ASSERT_TRUE(drop.Store().ok());
    std::vector<std::uint16_t> keys(m_emergency.Keys().begin(), m_emergency.Keys().end());
    // The file keeps the record until the next load compacts it; the number is referenced by nobody.
    EXPECT_EQ(keys, (std::vector<std::uint16_t>{10, 11, 12, 13}));
    EXPECT_EQ(m_emergency.NextFreeKey(EmergencyKeysOf({&m_database.Record(1), 4})), 14);
}

TEST_F(SafetyTest, FailedWriteChangesNothing) {
    const PublisherId a = AddPerson("Jan", "Nowak");
    ASSERT_TRUE(m_folder.CreateFolder("emerg.dat")); // a folder where the file should be
    EmergencyContactPresenter dialog(m_context, Person(a));
    dialog.texts.name = "Teresa";
    auto failed = dialog.Store();
    ASSERT_FALSE(failed.ok());
    EXPECT_FALSE(failed.error().empty());
    EXPECT_EQ(Person(a).EmergencyKey(), 0);
    EXPECT_FALSE(m_changes.IsModified());
}

TEST_F(SafetyTest, FamilyPickerMarksAndFamilyEditing) {
    const PublisherId head = AddPerson("Jan", "Nowak");
    const PublisherId wife = AddPerson("Anna", "Nowak");
    const PublisherId son = AddPerson("Piotr", "Nowak", PublisherCategory::NonPublisher);
    const PublisherId other = AddPerson("Ewa", "Lis", PublisherCategory::Inactive);
    const PublisherId otherHead = AddPerson("Adam", "Lis");
    Person(head).SetHeadOfFamily(true);
    Person(otherHead).SetHeadOfFamily(true);
    Person(other).SetFamilyHead(otherHead);

    FamilyPresenter family(m_context, Person(head));
    ASSERT_TRUE(family.Editable());
    EXPECT_EQ(family.Title(), "Edycja Rodziny: Nowak, Jan");
    std::vector<std::string> texts;
    for (const PickerItem& item : family.Candidates())
        texts.push_back(item.text);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"Lis, Adam *", "Nowak, Anna", "Lis, Ewa ( N ) #", "Nowak, Piotr ( SB )"}));

    ASSERT_TRUE(family.Add(wife));
    ASSERT_TRUE(family.Add(son));
    EXPECT_EQ(Person(wife).FamilyHead(), head);
    EXPECT_EQ(family.Add(otherHead).code(), Failure::Refused);
    EXPECT_EQ(family.Add(head).code(), Failure::Refused);
    ASSERT_EQ(family.Members().size(), 2u);
    EXPECT_EQ(FamilyMembersOf(m_database, head).size(), 2u);

    // A member sees the family but cannot change it.
    FamilyPresenter view(m_context, Person(wife));
    EXPECT_FALSE(view.Editable());
    EXPECT_EQ(view.Members().size(), 2u);
    EXPECT_EQ(view.Remove(son).code(), Failure::Refused);
    EXPECT_EQ(HouseholdCaption(m_database, Person(wife)), "Anna Nowak (Jan Nowak)");

    ASSERT_TRUE(family.Remove(son));
    EXPECT_EQ(Person(son).FamilyHead(), 0);
    EXPECT_EQ(family.Remove(son).code(), Failure::NotFound);
}

TEST_F(SafetyTest, FilterFindsAPartOfEitherNameInAnyCase) {
    const std::vector<PickerItem> items{{1, "Kowalski, Jan"}, {2, "Żak, Łucja"}, {3, "Nowak, Janina ( N )"}};
    auto ids = [&](std::string_view filter) {
        std::vector<PublisherId> out;
        for (const PickerItem& item : FilterItems(items, filter))
            out.push_back(item.id);
        return out;
    };
    EXPECT_EQ(ids(""), (std::vector<PublisherId>{1, 2, 3}));
    EXPECT_EQ(ids("jan"), (std::vector<PublisherId>{1, 3}));
    EXPECT_EQ(ids("WAL"), (std::vector<PublisherId>{1}));
    EXPECT_EQ(ids("łUC"), (std::vector<PublisherId>{2}));
    EXPECT_EQ(ids("ak"), (std::vector<PublisherId>{2, 3}));
    EXPECT_TRUE(ids("xyz").empty());
}

TEST_F(SafetyTest, SpecialNeedsTextAndFlags) {
    const PublisherId a = AddPerson("Jan", "Nowak");
    SpecialNeedsPresenter dialog(m_context, Person(a));
    EXPECT_EQ(dialog.text, "");
    dialog.text = "  Porusza się na wózku  ";
    dialog.deaf = true;
    auto stored = dialog.Store();
    ASSERT_TRUE(stored.ok());
    EXPECT_EQ(stored.value().key, 10);
    EXPECT_TRUE(Person(a).IsDeaf());
    EXPECT_EQ(Person(a).SpecialNeedsKey(), 10);
    const auto bytes = m_folder.ReadAll("spneed.dat");
    ASSERT_TRUE(bytes.ok());
    ASSERT_EQ(bytes.value().size(), 96u);
    EXPECT_EQ(U16At(bytes.value(), 0), 10);
    EXPECT_EQ(FieldAt(bytes.value(), 2, 94), "Porusza si\xea na w\xf3zku"); // Windows-1250 in the file

    SpecialNeedsPresenter again(m_context, Person(a));
    EXPECT_EQ(again.text, "Porusza się na wózku");
    EXPECT_TRUE(again.deaf);
    again.text = "";
    again.deaf = false;
    auto cleared = again.Store();
    ASSERT_TRUE(cleared.ok());
    EXPECT_EQ(cleared.value().key, 0);
    EXPECT_EQ(Person(a).SpecialNeedsKey(), 0);
    EXPECT_FALSE(Person(a).IsDeaf());
}

} // namespace
} // namespace vardo
