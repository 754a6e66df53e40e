#include "gui/app/CommandRules.h"

#include "gui/app/CommandIds.h"

namespace vardo {

bool DocumentCommandEnabled(int id, const DocumentFacts& facts) {
    using namespace cmd;
    switch (id) {
    case kPublishers:
    case kFieldServiceGroups:
    case kAttendance:
    case kPassword:
    case kInterestedEdit:
    case kBackup:
    case kRestore:
    case kXmlImport:
    case kHistory:
    case kAttendanceExport:
    case kSummaryExport:
    case kUserCategory:
        return !facts.pastMonthMode;
    case kAuxiliaryPioneers:
    case kTimeAccounting:
    case kMovedEdit:
    case kInactiveEdit:
    case kRegularPioneers:
        return facts.persons > 0 && !facts.pastMonthMode;
    case kDataExport:
    case kCircuitOverseer:
        return facts.persons > 0;
    case kDeletedList:
        return facts.deletedPersons > 0 && !facts.pastMonthMode;
    case kSave:
        return facts.modified && !facts.pastMonthMode;
    default:
        return true;
    }
}

} // namespace vardo
