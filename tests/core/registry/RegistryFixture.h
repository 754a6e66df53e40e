#pragma once

// A register in memory with its side tables, over a temporary data folder, for the people-editing rules.

#include <memory>
#include <string>

#include "TempDataFolder.h"
#include "core/platform/Prompter.h"
#include "core/registry/RegistryContext.h"
#include "core/store/AppointmentTable.h"
#include "core/store/ExtensionFile.h"
#include "core/store/GroupTable.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/Settings.h"
#include "core/store/WorkingMonth.h"

namespace vardo::test {

class RegistryTest : public TempDataFolderTest {
protected:
    RegistryTest() {
        m_database.SetCount(1);
        m_database.RebuildIndex();
    }

    /// Appends a person in sorted place and rebuilds the index; returns the id.
    PublisherId AddPerson(std::string_view first, std::string_view last,
                          PublisherCategory category = PublisherCategory::Publisher) {
        PublisherRecord record;
        record.SetFirstName(first);
        record.SetLastName(last);
        record.SetCategory(category);
        record.SetHope('O');
        const PublisherId id = m_database.NextFreeId();
        record.SetId(id);
        const auto number = m_database.AppendRecord(record);
        EXPECT_TRUE(number.ok());
        m_database.RepositionRecord(number.value(), true, m_prompter);
        m_database.RebuildIndex();
        m_database.SetModified(false);
        return id;
    }

    PublisherRecord& Person(PublisherId id) { return *m_database.FindById(id); }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    AppointmentTable m_appointments;
    ExtensionFile m_extensions;
    GroupTable m_groups;
    Settings m_settings;
    // Today 2024-03-10: working month February 2024.
    WorkingMonth m_month = WorkingMonthFor(2024, 3, 10);
    int m_modifiedCalls = 0;
    RegistryContext m_context{m_database, m_appointments, m_extensions, m_groups, m_settings,
                              m_month,    m_folder,       m_prompter,   "polish", [this] { ++m_modifiedCalls; },
                              {}};
};

} // namespace vardo::test
