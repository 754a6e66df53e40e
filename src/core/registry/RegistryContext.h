#pragma once

// What the people-editing rules work on: the document's register and side tables for the run.

#include <functional>
#include <string>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/AppointmentTable.h"
#include "core/store/DocumentChange.h"
#include "core/store/EmergencyFile.h"
#include "core/store/ExtensionFile.h"
#include "core/store/GroupTable.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/Settings.h"
#include "core/store/SpecialNeedsFile.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// References to the document's data; the document outlives every presenter that holds one. Every change
/// goes through a DocumentChange on `changes`, which owns the modified flag and can roll the change back.
struct RegistryContext {
    PublisherDatabase& database;
    AppointmentTable& appointments;
    ExtensionFile& extensions;
    GroupTable& groups;
    Settings& settings;
    const WorkingMonth& month;
    /// The data folder; extension records are written to it at once when a person is stored.
    const DataFolder& folder;
    Prompter& prompter;
    ChangeHub& changes;
    std::string languageTag = "polish";
    /// Empties the texts of a person's remarks and rewrites the remark file (permanent deletion); may be
    /// empty when the document keeps no remarks.
    std::function<Status(PublisherId)> removeRemarks;
    /// The keyed side files of emergency contacts and special needs; null when the caller keeps none (the
    /// dialogs that need them are then not offered).
    EmergencyFile* emergency = nullptr;
    SpecialNeedsFile* specialNeeds = nullptr;
    /// Where a person stands and why ("nieregularny: brak sprawozdań: lip, wrz"); may be empty when the
    /// caller judges no status.
    std::function<std::string(const PublisherRecord&)> statusLine;
};

} // namespace vardo
