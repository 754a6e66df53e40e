#pragma once

// A register in memory with its side tables, over a temporary data folder, for the people-editing rules.

#include <memory>
#include <string>

#include "Persons.h"
#include "TempDataFolder.h"
#include "core/platform/Prompter.h"
#include "core/registry/RegistryContext.h"
#include "core/store/AppointmentTable.h"
#include "core/store/ChangeCaptures.h"
#include "core/store/DocumentChange.h"
#include "core/store/EmergencyFile.h"
#include "core/store/ExtensionFile.h"
#include "core/store/SpecialNeedsFile.h"
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
        m_changes.SetCapture(DataArea::Register, CaptureOf(m_database));
        m_changes.SetCapture(DataArea::Appointments, CaptureByCopy(m_appointments));
        m_changes.SetCapture(DataArea::Extensions, CaptureWithFile(m_folder, std::string(ExtensionFile::kFileName),
                                                                   CaptureByCopy(m_extensions)));
        m_changes.SetCapture(DataArea::Remarks, [] { return ChangeHub::Restore{}; });
        m_changes.SetCapture(DataArea::Groups, CaptureByCopy(m_groups));
        m_changes.SetCapture(DataArea::Settings, CaptureByCopy(m_settings));
        m_changes.SetCapture(DataArea::Emergency, CaptureWithFile(m_folder, std::string(EmergencyFile::kFileName),
                                                                  CaptureByCopy(m_emergency)));
        m_changes.SetCapture(DataArea::SpecialNeeds, CaptureWithFile(m_folder, std::string(SpecialNeedsFile::kFileName),
                                                                     CaptureByCopy(m_specialNeeds)));
        m_subscription = m_changes.Subscribe([this](const ChangeEvent& event) {
            if (event.kind == ChangeEvent::Kind::Committed)
                ++m_commits;
        });
    }

    /// Appends a person in sorted place and rebuilds the index; returns the id.
    PublisherId AddPerson(std::string_view first, std::string_view last,
                          PublisherCategory category = PublisherCategory::Publisher) {
        return AddPersonTo(m_database, first, last, m_prompter, category);
    }

    PublisherRecord& Person(PublisherId id) { return *m_database.FindById(id); }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    AppointmentTable m_appointments;
    ExtensionFile m_extensions;
    EmergencyFile m_emergency;
    SpecialNeedsFile m_specialNeeds;
    GroupTable m_groups;
    Settings m_settings;
    // Today 2024-03-10: working month February 2024.
    WorkingMonth m_month = WorkingMonthFor(2024, 3, 10);
    ChangeHub m_changes;
    int m_commits = 0;
    ChangeHub::Subscription m_subscription;
    RegistryContext m_context{m_database, m_appointments, m_extensions,   m_groups,  m_settings,
                              m_month,    m_folder,       m_prompter,     m_changes, "polish",
                              {},         &m_emergency,   &m_specialNeeds};
};

} // namespace vardo::test
