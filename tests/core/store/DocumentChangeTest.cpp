#include "core/store/DocumentChange.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDataFolder.h"
#include "core/platform/Prompter.h"
#include "core/store/ChangeCaptures.h"
#include "core/store/PublisherDatabase.h"

namespace vardo {
namespace {

PublisherRecord Named(std::string_view first, std::string_view last, PublisherId id) {
    PublisherRecord record;
    record.SetFirstName(first);
    record.SetLastName(last);
    record.SetId(id);
    record.SetHope('O');
    return record;
}

class DocumentChangeTest : public test::TempDataFolderTest {
protected:
    DocumentChangeTest() {
        m_database.SetCount(1);
        for (const auto& r : {Named("Jan", "Kowalski", 100), Named("Anna", "Nowak", 101)})
            EXPECT_TRUE(m_database.AppendRecord(r));
        m_database.SortRecords();
        m_database.RebuildIndex();
        m_hub.SetCapture(DataArea::Register, CaptureOf(m_database));
        m_hub.SetCapture(DataArea::Settings, CaptureByCopy(m_setting));
        m_hub.SetCapture(DataArea::Extensions, CaptureWithFile(m_folder, "xten7.dat", CaptureByCopy(m_extensionCount)));
        m_subscription = m_hub.Subscribe([this](const ChangeEvent& event) { m_events.push_back(event); });
    }

    std::vector<std::string> RegisterBytes() const {
        std::vector<std::string> bytes{std::string(m_database.Header().Bytes())};
        for (RecordNumber r = 1; r < m_database.Count(); ++r)
            bytes.emplace_back(m_database.Record(r).Bytes());
        return bytes;
    }

    PublisherDatabase m_database;
    int m_setting = 1;
    int m_extensionCount = 0;
    ChangeHub m_hub;
    std::vector<ChangeEvent> m_events;
    ChangeHub::Subscription m_subscription;
};

TEST_F(DocumentChangeTest, ACommittedChangeSetsTheFlagOnceAndTellsEachObserverOnce) {
    int second = 0;
    const auto other = m_hub.Subscribe([&](const ChangeEvent&) { ++second; });
    {
        DocumentChange change(m_hub, "Zmiana");
        change.Touch(DataArea::Register);
        m_database.Record(1).SetAddress("ul. Nowa 2");
        change.Touch(DataArea::Register | DataArea::Settings); // a second touch takes nothing again
        m_setting = 2;
        EXPECT_TRUE(m_events.empty()); // nobody is told before the commit
        EXPECT_TRUE(change.Commit());
    }
    EXPECT_TRUE(m_hub.IsModified());
    ASSERT_EQ(m_events.size(), 1u);
    EXPECT_EQ(m_events[0].kind, ChangeEvent::Kind::Committed);
    EXPECT_EQ(m_events[0].name, "Zmiana");
    EXPECT_EQ(m_events[0].areas, DataArea::Register | DataArea::Settings);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(m_hub.CommitCount(), 1);
    EXPECT_EQ(m_database.Record(1).Address(), "ul. Nowa 2");

    m_hub.MarkSaved();
    EXPECT_FALSE(m_hub.IsModified());
    ASSERT_EQ(m_events.size(), 2u);
    EXPECT_EQ(m_events[1].kind, ChangeEvent::Kind::Saved);
}

TEST_F(DocumentChangeTest, AChangeLeftUncommittedPutsEveryAreaBackByteForByte) {
    const std::vector<std::string> before = RegisterBytes();
    m_folder.WriteAtomic("xten7.dat", "old bytes").ok();
    {
        DocumentChange change(m_hub, "Nieudana");
        change.Touch(DataArea::Register | DataArea::Settings | DataArea::Extensions);
        m_database.Record(2).SetLastName("Zmieniony");
        ASSERT_TRUE(m_database.AppendRecord(Named("Ewa", "Lis", 102)));
        m_database.SortRecords();
        m_database.RebuildIndex();
        m_database.Header().SetPassword("tajne");
        m_setting = 7;
        m_extensionCount = 3;
        ASSERT_TRUE(m_folder.WriteAtomic("xten7.dat", "new bytes, half written"));
        // a failure: return without Commit()
    }
    EXPECT_EQ(RegisterBytes(), before);
    EXPECT_EQ(m_database.Count(), 3);
    EXPECT_EQ(m_database.Index().size(), 2u);
    EXPECT_NE(m_database.FindById(101), nullptr);
    EXPECT_EQ(m_database.FindById(102), nullptr);
    EXPECT_EQ(m_setting, 1);
    EXPECT_EQ(m_extensionCount, 0);
    EXPECT_EQ(m_folder.ReadAll("xten7.dat").value(), "old bytes");
    EXPECT_FALSE(m_hub.IsModified());
    EXPECT_TRUE(m_events.empty());
    EXPECT_FALSE(m_hub.InChange());
}

TEST_F(DocumentChangeTest, AFileThatDidNotExistIsRemovedOnRollBack) {
    {
        DocumentChange change(m_hub, "Nowy plik");
        change.Touch(DataArea::Extensions);
        ASSERT_TRUE(m_folder.WriteAtomic("xten7.dat", "x"));
    }
    EXPECT_FALSE(m_folder.Exists("xten7.dat"));
}

TEST_F(DocumentChangeTest, AJoinedChangeCommitsWithTheOuterOneAndItsFailureFailsTheOuter) {
    {
        DocumentChange outer(m_hub, "Zewnętrzna");
        outer.Touch(DataArea::Settings);
        m_setting = 5;
        {
            DocumentChange inner(m_hub, "Wewnętrzna");
            inner.Touch(DataArea::Register);
            m_database.Record(1).SetAddress("A");
            EXPECT_TRUE(inner.Commit());
        }
        EXPECT_TRUE(m_events.empty());
        EXPECT_TRUE(outer.Commit());
    }
    ASSERT_EQ(m_events.size(), 1u);
    EXPECT_EQ(m_events[0].areas, DataArea::Settings | DataArea::Register);
    m_events.clear();

    const std::vector<std::string> before = RegisterBytes();
    {
        DocumentChange outer(m_hub, "Zewnętrzna");
        outer.Touch(DataArea::Settings);
        m_setting = 9;
        {
            DocumentChange inner(m_hub, "Wewnętrzna");
            inner.Touch(DataArea::Register);
            m_database.Record(1).SetAddress("B");
        } // abandoned
        EXPECT_FALSE(outer.Commit());
    }
    EXPECT_EQ(m_setting, 5);
    EXPECT_EQ(RegisterBytes(), before);
    EXPECT_TRUE(m_events.empty());
}

TEST_F(DocumentChangeTest, ObserversMayLeaveWhileBeingTold) {
    auto token = std::make_unique<ChangeHub::Subscription>();
    int calls = 0;
    *token = m_hub.Subscribe([&](const ChangeEvent&) {
        ++calls;
        token.reset();
    });
    m_hub.MarkReloaded(true);
    m_hub.MarkReloaded(false);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(m_events.size(), 2u);
    EXPECT_EQ(m_events[0].kind, ChangeEvent::Kind::Reloaded);
}

} // namespace
} // namespace vardo
