#pragma once

// The side data files of a data folder as the document holds them for the run.

#include "core/store/AppointmentTable.h"
#include "core/store/CardTotals.h"
#include "core/store/EmergencyFile.h"
#include "core/store/ExtensionFile.h"
#include "core/store/GroupTable.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/NamesOption.h"
#include "core/store/ParticipationFlags.h"
#include "core/store/RemarkTable.h"
#include "core/store/SpecialNeedsFile.h"

namespace vardo {

/// One object per side file. The tables that are loaded whole (appointments, remarks, card totals, groups,
/// attendance, names option) hold their data; the keyed files (extensions, emergency contacts, special
/// needs) hold their key tables and read and write records in the data folder on demand.
struct SideTables {
    ExtensionFile extensions;
    EmergencyFile emergency;
    SpecialNeedsFile specialNeeds;
    AppointmentTable appointments;
    RemarkTable remarks;
    ParticipationFlags participation;
    CardTotals cardTotals;
    GroupTable groups;
    MeetingAttendance attendance;
    NamesOption namesOption;
};

} // namespace vardo
