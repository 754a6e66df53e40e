#include "core/registry/PersonRemoval.h"

#include "core/platform/Strings.h"

namespace vardo {
namespace {

void RecountAndIndex(RegistryContext& context) {
    PublisherDatabase& database = context.database;
    for (int c = 0; c < kListedCategories; ++c)
        database.CountCategory(static_cast<PublisherCategory>(c));
    database.RebuildIndex(&context.prompter);
}

} // namespace

RemovalChoice::RemovalChoice(const WorkingMonth& month)
    : m_month(month.monthIndex + 1), m_year(month.Year()), m_lastYear(month.Year()) {}

std::vector<std::string> RemovalChoice::MonthTexts() const {
    std::vector<std::string> texts{"   "};
    for (int m = 0; m < 12; ++m)
        texts.emplace_back(MonthAbbreviation(m));
    return texts;
}

std::vector<std::string> RemovalChoice::YearTexts() const {
    std::vector<std::string> texts;
    for (int y = kFirstRemovalYear; y <= m_lastYear; ++y)
        texts.push_back(FormatPrintf("%4d", y));
    return texts;
}

void RemovalChoice::SetMonthEntry(int entry) {
    if (entry >= 0 && entry <= 12)
        m_month = entry;
}

void RemovalChoice::SetYearEntry(int entry) {
    if (entry >= 0 && kFirstRemovalYear + entry <= m_lastYear)
        m_year = kFirstRemovalYear + entry;
}

Status RemoveTemporarily(RegistryContext& context, RecordNumber record, int month, int year) {
    PublisherDatabase& database = context.database;
    if (!database.IsPerson(record))
        return Status::Fail(Failure::NotFound, "Nie ma takiej osoby w rejestrze.");
    if (static_cast<int>(database.List(PublisherCategory::Deleted).size()) >= kDeletedListLimit)
        return Status::Fail(Failure::Full, std::string(Str(StrId::DeletedListFull)));
    DocumentChange change(context.changes, "Usunięcie osoby");
    change.Touch(DataArea::Register);
    PublisherRecord& person = database.Record(record);
    person.SetStatusMonth(0);
    person.SetPersonFlags(static_cast<std::uint8_t>(person.PersonFlags() & 0x64));
    person.SetCategory(PublisherCategory::Deleted);
    person.SetStatusChangeMonth(static_cast<MonthCount>(month + ((year - kFirstRemovalYear) % 256) * 256));
    RecountAndIndex(context);
    change.Commit();
    return Status::Ok();
}

Status RemovePermanently(RegistryContext& context, RecordNumber record) {
    PublisherDatabase& database = context.database;
    if (!database.IsPerson(record))
        return Status::Fail(Failure::NotFound, "Nie ma takiej osoby w rejestrze.");
    const PublisherId id = database.Record(record).Id();
    DocumentChange change(context.changes, "Usunięcie osoby na stałe");
    change.Touch(DataArea::Register | DataArea::Appointments);
    if (context.removeRemarks) {
        change.Touch(DataArea::Remarks);
        if (Status cleared = context.removeRemarks(id); !cleared)
            return cleared;
    }

    // Ids are given out again, so nothing of this person may stay attached to the id.
    AppointmentTable& appointments = context.appointments;
    for (std::uint16_t type = 1; type <= 6; ++type) {
        if (!appointments.GetAppointment(id, type).empty() || !appointments.GetAppointmentEnd(id, type).empty()) {
            (void)appointments.SetAppointment(id, type, "");
            (void)appointments.SetAppointmentEnd(id, type, "");
        }
    }
    appointments.ClearConsent(id);
    for (RecordNumber r = 1; r < database.Count(); ++r)
        if (r != record && database.Record(r).FamilyHead() == id)
            database.Record(r).SetFamilyHead(0);

    database.RemoveRecord(record);
    RecountAndIndex(context);
    change.Commit();
    return Status::Ok();
}

} // namespace vardo
