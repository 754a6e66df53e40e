#include "core/reporting/ListMoves.h"

#include <string>

#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr std::uint8_t kKeptFlags = 0x64; // head of family and the gender bits
constexpr int kMaxReactivationGap = 24;
constexpr int kFirstMoveYear = 1950;
constexpr MonthRow kReportRows[] = {MonthRow::Placements, MonthRow::Videos, MonthRow::Hours, MonthRow::ReturnVisits,
                                    MonthRow::StudyWord};

std::uint8_t StatusByte(int month, int bits) {
    return static_cast<std::uint8_t>(month * 16 + bits);
}

Status WrongList(const PublisherDatabase& database, RecordNumber record) {
    return Status::Fail(Failure::NotFound,
                        FormatArgs(Str(StrId::MoveWrongList), {database.DisplayNameOfRecord(record, false)}));
}

// The person exists and is on `list`.
Status OnList(const PublisherDatabase& database, RecordNumber record, PublisherCategory list) {
    if (!database.IsPerson(record) || database.Record(record).Category() != list)
        return WrongList(database, record);
    return Status::Ok();
}

Status CheckMonth(int month) {
    if (month < 1 || month > kMonthsPerYear)
        return Status::Fail(Failure::Invalid, std::string(Str(StrId::MoveMonthInvalid)));
    return Status::Ok();
}

void ClearReportRows(PublisherRecord& person, MonthIndex month, YearSlot slot) {
    for (MonthRow row : kReportRows)
        person.SetRow(row, month, slot, 0);
    person.SetRow(MonthRow::Pioneer, month, slot, 0);
}

} // namespace

Status CanMakeInactive(const PublisherDatabase& database) {
    if (static_cast<int>(database.List(PublisherCategory::Inactive).size()) >= kInactiveListLimit)
        return Status::Fail(Failure::Full, std::string(Str(StrId::InactiveListFull)));
    return Status::Ok();
}

Status CanMoveAway(const PublisherDatabase& database) {
    if (static_cast<int>(database.List(PublisherCategory::Moved).size()) >= kMovedListLimit)
        return Status::Fail(Failure::Full, std::string(Str(StrId::MovedListFull)));
    return Status::Ok();
}

std::string MonthDialogCaption(const std::string& name, std::string_view verb) {
    return std::string(Str(StrId::MonthDialogCaption)) + " " + name + " " + std::string(verb);
}

int YearOfMoveMonth(const WorkingMonth& working, int month) {
    return working.Year() - (month - 1 > working.monthIndex ? 1 : 0);
}

Status MakeInactive(ReportingContext& context, RecordNumber record, int month, int year) {
    PublisherDatabase& database = context.database;
    if (Status on = OnList(database, record, PublisherCategory::Publisher); !on)
        return on;
    if (Status room = CanMakeInactive(database); !room)
        return room;
    if (month < 1 || month > kMonthsPerYear || year < kFirstMoveYear || year > context.month.Year())
        return Status::Fail(Failure::Invalid, std::string(Str(StrId::MoveMonthInvalid)));
    if (year == context.month.Year() && month - 1 > context.month.monthIndex)
        return Status::Fail(Failure::Invalid, std::string(Str(StrId::MoveDateAfterWorkingMonth)));
    DocumentChange change(context.changes, "Przeniesienie do nieczynnych");
    change.Touch(DataArea::Register);
    PublisherRecord& person = database.Record(record);
    person.SetStatusMonth(StatusByte(month, 0));
    person.SetStatusYear(ToYearByte(year));
    person.SetPersonFlags(static_cast<std::uint8_t>(person.PersonFlags() & ~0x90));
    person.SetCategory(PublisherCategory::Inactive);
    database.RebuildIndex();
    change.Commit();
    return Status::Ok();
}

int ReactivationGap(const PublisherRecord& inactive, int month, int year) {
    const int inactiveMonth = inactive.StatusMonth() >> 4;
    const int gap = (year - YearOfYearByte(inactive.StatusYear())) * kMonthsPerYear + month - inactiveMonth;
    return gap < 0 ? 0 : (gap > kMaxReactivationGap ? kMaxReactivationGap : gap);
}

Status Reactivate(ReportingContext& context, RecordNumber record, int month) {
    PublisherDatabase& database = context.database;
    if (Status on = OnList(database, record, PublisherCategory::Inactive); !on)
        return on;
    if (Status valid = CheckMonth(month); !valid)
        return valid;
    const int year = YearOfMoveMonth(context.month, month);
    const MonthCount count = ToMonthCount(year, month - 1);
    DocumentChange change(context.changes, "Uaktywnienie głosiciela");
    change.Touch(DataArea::Register | DataArea::Remarks);
    PublisherRecord& person = database.Record(record);
    const int gap = ReactivationGap(person, month, year);
    for (int k = 0; k < gap; ++k) {
        const MonthCount c = static_cast<MonthCount>(count - k);
        const MonthIndex m = MonthIndexOf(c);
        const YearSlot slot = ParitySlot(YearIndexOf(c));
        ClearReportRows(person, m, slot);
        const std::uint16_t remark = person.RemarkNumber(m, slot);
        if (remark != 0 && remark < context.remarks.Count() && context.remarks.Entry(remark).Id() == person.Id())
            context.remarks.Entry(remark).ClearText();
    }
    person.SetStatusMonth(StatusByte(month, static_cast<int>(2)));
    person.SetStatusYear(person.StatusMonth());
    person.SetStatusChangeMonth(count);
    person.SetPersonFlags(static_cast<std::uint8_t>(person.PersonFlags() & kKeptFlags));
    person.SetCategory(PublisherCategory::Publisher);
    database.RebuildIndex();
    change.Commit();
    return Status::Ok();
}

Status MakePublisher(ReportingContext& context, RecordNumber record, int month) {
    PublisherDatabase& database = context.database;
    if (Status on = OnList(database, record, PublisherCategory::NonPublisher); !on)
        return on;
    if (Status valid = CheckMonth(month); !valid)
        return valid;
    DocumentChange change(context.changes, "Nowy głosiciel z listy zainteresowanych");
    change.Touch(DataArea::Register);
    PublisherRecord& person = database.Record(record);
    person.SetStatusMonth(StatusByte(month, 1));
    person.SetStatusYear(person.StatusMonth());
    person.SetStatusChangeMonth(ToMonthCount(YearOfMoveMonth(context.month, month), month - 1));
    person.SetCategory(PublisherCategory::Publisher);
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
        for (YearSlot slot = 0; slot < kYearSlots; ++slot)
            ClearReportRows(person, m, slot);
    database.RebuildIndex();
    change.Commit();
    return Status::Ok();
}

Status MoveAway(ReportingContext& context, RecordNumber record, int month) {
    PublisherDatabase& database = context.database;
    if (!database.IsPerson(record))
        return WrongList(database, record);
    const PublisherCategory from = database.Record(record).Category();
    if (from != PublisherCategory::Publisher && from != PublisherCategory::Inactive)
        return WrongList(database, record);
    if (Status room = CanMoveAway(database); !room)
        return room;
    if (Status valid = CheckMonth(month); !valid)
        return valid;
    DocumentChange change(context.changes, "Przeprowadzka");
    change.Touch(DataArea::Register);
    PublisherRecord& person = database.Record(record);
    if (from == PublisherCategory::Inactive) {
        person.SetU8(kReturnMarkOffset, kReturnMarkInactive);
        person.SetU8(kReturnMonthOffset, person.StatusMonth());
    }
    person.SetStatusMonth(StatusByte(month, 0));
    person.SetExtensionKey(0);
    person.SetFamilyHead(0);
    person.SetCategory(PublisherCategory::Moved);
    database.RebuildIndex();
    change.Commit();
    return Status::Ok();
}

bool ReturnsToInactive(const PublisherRecord& moved) {
    return moved.U8(kReturnMarkOffset) == kReturnMarkInactive;
}

Status UndoMove(ReportingContext& context, RecordNumber record, int month, bool regular) {
    PublisherDatabase& database = context.database;
    if (Status on = OnList(database, record, PublisherCategory::Moved); !on)
        return on;
    const bool toInactive = ReturnsToInactive(database.Record(record));
    if (toInactive) {
        if (Status room = CanMakeInactive(database); !room)
            return room;
    } else if (Status valid = CheckMonth(month); !valid) {
        return valid;
    }
    DocumentChange change(context.changes, "Cofnięcie przeprowadzki");
    change.Touch(DataArea::Register);
    PublisherRecord& person = database.Record(record);
    if (toInactive) {
        person.SetStatusMonth(static_cast<std::uint8_t>(person.U8(kReturnMonthOffset) & 0xF0));
        person.SetU8(kReturnMarkOffset, 0);
        person.SetU8(kReturnMonthOffset, 0);
        person.SetCategory(PublisherCategory::Inactive);
    } else {
        person.SetStatusMonth(StatusByte(month, regular ? 4 : 0));
        person.SetStatusYear(person.StatusMonth());
        person.SetCategory(PublisherCategory::Publisher);
    }
    database.RebuildIndex();
    change.Commit();
    return Status::Ok();
}

Status Restore(ReportingContext& context, RecordNumber record, int month) {
    PublisherDatabase& database = context.database;
    if (Status on = OnList(database, record, PublisherCategory::Deleted); !on)
        return on;
    if (Status valid = CheckMonth(month); !valid)
        return valid;
    DocumentChange change(context.changes, "Przywrócenie osoby");
    change.Touch(DataArea::Register);
    PublisherRecord& person = database.Record(record);
    person.SetStatusMonth(StatusByte(month, 2));
    person.SetStatusYear(person.StatusMonth());
    person.SetStatusChangeMonth(0);
    person.SetPersonFlags(static_cast<std::uint8_t>(person.PersonFlags() & kKeptFlags));
    person.SetCategory(PublisherCategory::Publisher);
    database.RebuildIndex();
    change.Commit();
    return Status::Ok();
}

} // namespace vardo
