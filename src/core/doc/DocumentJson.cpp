#include "core/doc/DocumentJson.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/doc/CVardoDoc.h"
#include "core/doc/JsonWriter.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr auto kConsentType = static_cast<std::uint16_t>(AppointmentType::Consent);

/// Months of report cells each record keeps.
constexpr int kReportMonths = 24;

std::string_view CategoryName(std::uint8_t category) {
    switch (category) {
    case 0:
        return "Publisher";
    case 1:
        return "Inactive";
    case 2:
        return "NonPublisher";
    case 3:
        return "Moved";
    case 4:
        return "Deleted";
    case 5:
        return "CircuitOverseer";
    default:
        return "Unknown";
    }
}

std::string_view PioneerName(PioneerCode code) {
    switch (code) {
    case PioneerCode::None:
        return "None";
    case PioneerCode::Auxiliary:
        return "Auxiliary";
    case PioneerCode::Regular:
        return "Regular";
    case PioneerCode::Special:
        return "Special";
    }
    return "None";
}

std::string_view AppointmentName(Appointment appointment) {
    switch (appointment) {
    case Appointment::None:
        return "None";
    case Appointment::MinisterialServant:
        return "MinisterialServant";
    case Appointment::Elder:
        return "Elder";
    case Appointment::BaptizedBrother:
        return "BaptizedBrother";
    }
    return "None";
}

std::string_view AppointmentTypeName(std::uint16_t type) {
    switch (static_cast<AppointmentType>(type)) {
    case AppointmentType::MinisterialServant:
        return "MinisterialServant";
    case AppointmentType::Elder:
        return "Elder";
    case AppointmentType::RegularPioneer:
        return "RegularPioneer";
    case AppointmentType::ContinuousAuxiliaryPioneer:
        return "ContinuousAuxiliaryPioneer";
    case AppointmentType::SpecialPioneer:
        return "SpecialPioneer";
    case AppointmentType::FieldMissionary:
        return "FieldMissionary";
    case AppointmentType::Consent:
        return "Consent";
    }
    return "Unknown";
}

std::string_view MonthStateName(std::uint8_t state) {
    switch (state) {
    case 0:
        return "NotInitialised";
    case 1:
        return "Open";
    case 2:
        return "Closed";
    default:
        return "Unknown";
    }
}

/// A record date: its ISO form when it has one, else the raw text (null when blank).
void DateField(JsonWriter& json, std::string_view key, std::string_view recordDate) {
    json.Key(key);
    const std::string iso = RecordDateToIso(recordDate);
    if (!iso.empty())
        json.String(iso);
    else if (recordDate.find_first_not_of(' ') == std::string_view::npos)
        json.Null();
    else
        json.String(recordDate);
}

/// The months of the two-year window ending with the working month, oldest first.
struct WindowMonth {
    MonthCount count;
    MonthIndex month;
    int year;
    YearSlot slot;
};

std::vector<WindowMonth> ReportWindow(const WorkingMonth& w) {
    std::vector<WindowMonth> months;
    for (int back = kReportMonths - 1; back >= 0; --back) {
        const auto count = static_cast<MonthCount>(w.monthCount - back);
        const MonthIndex month = MonthIndexOf(count);
        months.push_back({count, month, 2000 + YearIndexOf(count), SlotOfMonthCount(count)});
    }
    return months;
}

void MonthHeading(JsonWriter& json, const WindowMonth& m) {
    json.Field("year", m.year);
    json.Field("month", m.month + 1);
    json.Field("slot", m.slot);
}

class DumpWriter {
public:
    explicit DumpWriter(const CVardoDoc& doc)
        : m_doc(doc), m_db(doc.Database()), m_side(doc.Side()), m_window(ReportWindow(doc.GetWorkingMonth())) {}

    std::string Write() {
        m_json.BeginObject();
        m_json.Field("format", "vardo-dump");
        m_json.Field("version", kDumpFormatVersion);
        m_json.Field("dataFolder", m_doc.Folder().Root().string());
        m_json.Field("languageTag", m_doc.LanguageTag());
        m_json.Field("converted", m_doc.WasConverted());
        WorkingMonthObject();
        HeaderObject();
        Counts();
        Persons();
        Groups();
        Remarks();
        Appointments();
        EmergencyContacts();
        SpecialNeeds();
        Attendance();
        CardTotalsArray();
        NamesOptionObject();
        SettingsObject();
        m_json.EndObject();
        return m_json.Take();
    }

private:
    void WorkingMonthObject() {
        const WorkingMonth& w = m_doc.GetWorkingMonth();
        m_json.Key("workingMonth");
        m_json.BeginObject();
        m_json.Field("year", w.Year());
        m_json.Field("month", w.monthIndex + 1);
        m_json.Field("name", MonthName(w.monthIndex));
        m_json.Field("monthCount", static_cast<int>(w.monthCount));
        m_json.Field("yearIndex", static_cast<int>(w.yearIndex));
        m_json.Field("today", FormatPrintf("%04d-%02d-%02d", w.todayYear, w.todayMonth, w.todayDay));
        m_json.Field("currentYearByte", static_cast<int>(w.currentYearByte));
        m_json.Field("newReportFormatStart", static_cast<int>(kNewReportFormatStart));
        m_json.EndObject();
    }

    void HeaderObject() {
        const HeaderRecord& h = m_db.Header();
        m_json.Key("header");
        m_json.BeginObject();
        m_json.Field("passwordSet", h.HasPassword());
        m_json.Field("documentWord", static_cast<int>(m_doc.DocumentWord()));
        m_json.Field("savedMonthNibble", h.SavedMonthNibble());
        m_json.Key("months");
        m_json.BeginArray();
        for (MonthIndex m = 0; m < kMonthsPerYear; ++m) {
            m_json.BeginObject(true);
            m_json.Field("month", m + 1);
            m_json.Field("state", MonthStateName(h.MonthStateByte(m)));
            m_json.Key("initialisedYears");
            m_json.BeginArray(true);
            for (YearSlot s = 0; s < kYearSlots; ++s)
                m_json.Int(h.InitialisedYear(m, s));
            m_json.EndArray();
            m_json.EndObject();
        }
        m_json.EndArray();
        m_json.EndObject();
    }

    void Counts() {
        int byCategory[6] = {};
        for (const PublisherRecord& p : m_doc.Persons())
            if (p.CategoryByte() < 6)
                ++byCategory[p.CategoryByte()];
        m_json.Key("counts");
        m_json.BeginObject(true);
        m_json.Field("persons", m_db.PersonCount());
        for (int c = 0; c < 6; ++c)
            m_json.Field(CategoryName(static_cast<std::uint8_t>(c)), byCategory[c]);
        m_json.EndObject();
    }

    void Persons() {
        m_json.Key("persons");
        m_json.BeginArray();
        for (RecordNumber r = 1; r < m_db.Count(); ++r)
            Person(r, m_db.Record(r));
        m_json.EndArray();
    }

    void Person(RecordNumber number, const PublisherRecord& p) {
        const bool nonPublisher = p.Category() == PublisherCategory::NonPublisher;
        m_json.BeginObject();
        m_json.Field("record", number);
        m_json.Field("id", static_cast<int>(p.Id()));
        m_json.Field("category", CategoryName(p.CategoryByte()));
        m_json.Field("firstName", p.FirstName());
        m_json.Field("lastName", p.LastName());
        m_json.Field("displayName", m_db.DisplayNameOfRecord(number, true));
        m_json.Field("address", p.Address());
        m_json.Field("phoneHome", p.Phone1());
        m_json.Field("phoneMobile", p.Phone2());
        m_json.Field("phoneWork", p.Phone3());
        DateField(m_json, "baptismDate", p.RawText(TextField::BaptismDate));
        DateField(m_json, "birthDate", p.RawText(TextField::BirthDate));
        if (p.HasThirdDate()) {
            DateField(m_json, "thirdDate", p.RawText(TextField::ThirdDate));
        } else {
            m_json.Key("thirdDate");
            m_json.Null();
        }
        m_json.Field("hope", p.Hope() == 0 ? std::string() : std::string(1, p.Hope()));
        m_json.Field("group", p.Group());
        m_json.Field("male", p.IsMale());
        m_json.Field("female", p.IsFemale());
        m_json.Field("appointment", AppointmentName(p.GetAppointment()));
        m_json.Field("headOfFamily", p.IsHeadOfFamily());
        m_json.Field("familyHead", static_cast<int>(p.FamilyHead()));
        m_json.Field("continuousAuxiliaryPioneer", p.IsContinuousAuxiliary());
        m_json.Field("userCategory", p.InUserCategory());
        m_json.Field("hidesGroup", p.HidesGroup());
        m_json.Field("specialFullTime", p.IsSpecialFullTime());
        m_json.Field("fieldMissionary", p.IsFieldMissionary());
        m_json.Field("deaf", p.IsDeaf());
        m_json.Field("blind", p.IsBlind());
        m_json.Field("confined", p.IsConfined());
        m_json.Field("importMarker", static_cast<int>(p.ImportMarker()));
        StatusFields(p);
        DateField(m_json, "consent", m_side.appointments.GetAppointment(p.Id(), kConsentType));
        m_json.Field("hasConsent", m_side.appointments.HasConsent(p.Id()));
        Extension(p);
        m_json.Field("emergencyKey", static_cast<int>(p.EmergencyKey()));
        m_json.Field("specialNeedsKey", static_cast<int>(p.SpecialNeedsKey()));
        if (nonPublisher)
            m_json.Field("conductor", p.ConductorText());
        Reports(p, nonPublisher);
        m_json.EndObject();
    }

    void StatusFields(const PublisherRecord& p) {
        m_json.Key("statusChange");
        if (p.StatusChangeMonth() == 0) {
            m_json.Null();
        } else {
            m_json.BeginObject(true);
            m_json.Field("monthCount", static_cast<int>(p.StatusChangeMonth()));
            m_json.Field("year", 2000 + YearIndexOf(p.StatusChangeMonth()));
            m_json.Field("month", MonthIndexOf(p.StatusChangeMonth()) + 1);
            m_json.EndObject();
        }
        const std::uint8_t status = p.StatusMonth();
        m_json.Key("statusMonth");
        m_json.BeginObject(true);
        m_json.Field("month", status >> 4);
        m_json.Field("newPublisher", (status & 1) != 0);
        m_json.Field("reactivated", (status & 2) != 0);
        m_json.Field("movedIn", (status & 4) != 0);
        m_json.Field("raw", static_cast<int>(status));
        m_json.EndObject();
        m_json.Field("statusYearByte", static_cast<int>(p.StatusYear()));
    }

    void Extension(const PublisherRecord& p) {
        m_json.Key("extension");
        const auto record =
            p.ExtensionKey() == 0 ? std::nullopt : m_side.extensions.Read(m_doc.Folder(), p.ExtensionKey(), p.Id());
        if (!record) {
            m_json.Null();
            return;
        }
        m_json.BeginObject(true);
        m_json.Field("key", static_cast<int>(p.ExtensionKey()));
        m_json.Field("longName", record->LongName());
        m_json.Field("email", record->Email());
        m_json.Field("extra", record->Extra());
        m_json.Field("flag", static_cast<int>(record->Flag()));
        m_json.EndObject();
    }

    void Reports(const PublisherRecord& p, bool nonPublisher) {
        m_json.Key("reports");
        m_json.BeginArray();
        for (const WindowMonth& m : m_window) {
            const ReportCell cell = p.Cell(m.month, m.slot);
            const bool newer = m.count > kNewReportFormatStart;
            m_json.BeginObject(true);
            MonthHeading(m_json, m);
            m_json.Field("format", newer ? "newer" : "older");
            m_json.Field("pioneer", PioneerName(cell.Pioneer()));
            if (!nonPublisher)
                m_json.Field("placements", static_cast<int>(cell.placements));
            m_json.Field("videos", static_cast<int>(cell.videos));
            m_json.Field("hours", static_cast<int>(cell.hours));
            m_json.Field("quarterHours", cell.QuarterHours());
            m_json.Field("returnVisits", static_cast<int>(cell.returnVisits));
            m_json.Field("bibleStudies", cell.BibleStudies());
            m_json.Field(newer ? "participated" : "lessThanOneHour", cell.Flag());
            m_json.Field("creditHours", static_cast<int>(cell.creditHours));
            m_json.Key("remark");
            if (m_side.remarks.HasRemark(cell.remark))
                m_json.String(m_side.remarks.Entry(cell.remark).Text());
            else
                m_json.Null();
            m_json.Field("yearTag", static_cast<int>(cell.yearTag));
            m_json.Field("lateMarker", static_cast<int>(cell.lateMarker));
            m_json.EndObject();
        }
        m_json.EndArray();
    }

    void Groups() {
        const GroupTable& groups = m_side.groups;
        m_json.Key("groups");
        m_json.BeginArray();
        for (int g = 0; g < groups.Count(); ++g) {
            m_json.BeginObject(true);
            m_json.Field("number", g + 1);
            m_json.Field("displayName", groups.DisplayName(g));
            m_json.Field("ownName", groups.Name(g));
            m_json.Field("usesOwnName", groups.UsesName(g));
            m_json.Field("overseer", groups.Overseer(g));
            m_json.Field("assistant", groups.Assistant(g));
            m_json.Field("place", groups.Place(g));
            m_json.Field("time", groups.Time(g));
            m_json.Field("day", groups.MeetingDay(g));
            m_json.Field("dayName", groups.MeetingDay(g) <= 6 ? WeekdayName(groups.MeetingDay(g)) : "");
            m_json.EndObject();
        }
        m_json.EndArray();
    }

    void Remarks() {
        const RemarkTable& remarks = m_side.remarks;
        m_json.Key("remarks");
        m_json.BeginArray();
        for (std::size_t n = 1; n < remarks.Count(); ++n) {
            const RemarkEntry& e = remarks.Entry(n);
            m_json.BeginObject(true);
            m_json.Field("number", static_cast<int>(n));
            m_json.Field("id", static_cast<int>(e.Id()));
            m_json.Field("month", static_cast<int>(e.MonthByte()));
            m_json.Field("slot", static_cast<int>(e.SlotByte()));
            m_json.Field("text", e.Text());
            m_json.EndObject();
        }
        m_json.EndArray();
    }

    void Appointments() {
        m_json.Key("appointments");
        m_json.BeginArray();
        for (const AppointmentEntry& e : m_side.appointments.Entries()) {
            if (e.IsFree())
                continue;
            m_json.BeginObject(true);
            m_json.Field("id", static_cast<int>(e.Id()));
            m_json.Field("type", static_cast<int>(e.Type()));
            m_json.Field("typeName", AppointmentTypeName(e.Type()));
            DateField(m_json, "start", e.StartDate());
            DateField(m_json, "end", e.EndDate());
            m_json.EndObject();
        }
        m_json.EndArray();
    }

    template <class Reference>
    void ReferencedBy(std::uint16_t key, Reference reference) {
        m_json.Key("referencedBy");
        m_json.BeginArray(true);
        for (const PublisherRecord& p : m_doc.Persons())
            if (reference(p) == key)
                m_json.Int(p.Id());
        m_json.EndArray();
    }

    void EmergencyContacts() {
        m_json.Key("emergencyContacts");
        m_json.BeginArray();
        for (std::uint16_t key : m_side.emergency.Keys()) {
            if (key == 0)
                continue;
            const auto contact = m_side.emergency.Read(m_doc.Folder(), key);
            if (!contact)
                continue;
            m_json.BeginObject(true);
            m_json.Field("key", static_cast<int>(key));
            m_json.Field("name", contact->Name());
            m_json.Field("information", contact->Information());
            m_json.Field("phoneHome", contact->HomePhone());
            m_json.Field("phoneMobile", contact->MobilePhone());
            m_json.Field("phoneWork", contact->WorkPhone());
            m_json.Field("witness", contact->IsWitness());
            ReferencedBy(key, [](const PublisherRecord& p) { return p.EmergencyKey(); });
            m_json.EndObject();
        }
        m_json.EndArray();
    }

    void SpecialNeeds() {
        m_json.Key("specialNeeds");
        m_json.BeginArray();
        for (std::uint16_t key : m_side.specialNeeds.Keys()) {
            if (key == 0)
                continue;
            const auto needs = m_side.specialNeeds.Read(m_doc.Folder(), key);
            if (!needs)
                continue;
            m_json.BeginObject(true);
            m_json.Field("key", static_cast<int>(key));
            m_json.Field("text", needs->Text());
            ReferencedBy(key, [](const PublisherRecord& p) { return p.SpecialNeedsKey(); });
            m_json.EndObject();
        }
        m_json.EndArray();
    }

    void MeetingMonth(const MeetingRecord& record, MonthIndex month, YearSlot slot) {
        m_json.Key("weeks");
        m_json.BeginArray(true);
        for (int week = 0; week < 5; ++week)
            m_json.Int(record.Week(week, month, slot));
        m_json.EndArray();
        m_json.Field("meetings", static_cast<int>(record.Value(MeetingRow::Meetings, month, slot)));
        m_json.Field("total", static_cast<int>(record.Value(MeetingRow::Total, month, slot)));
        m_json.Field("average", static_cast<int>(record.Value(MeetingRow::Average, month, slot)));
    }

    void Meeting(std::string_view key, MeetingKind kind) {
        const MeetingRecord& record = m_side.attendance.Record(kind);
        const WorkingMonth& w = m_doc.GetWorkingMonth();
        m_json.Key(key);
        m_json.BeginObject();
        m_json.Field("name", record.Name());
        m_json.Key("months");
        m_json.BeginArray();
        for (const WindowMonth& m : m_window) {
            m_json.BeginObject(true);
            MonthHeading(m_json, m);
            MeetingMonth(record, m.month, m.slot);
            m_json.EndObject();
        }
        m_json.EndArray();
        // Slot 2: the calendar month after the working month, while it is in progress.
        const auto next = static_cast<MonthCount>(w.monthCount + 1);
        m_json.Key("inProgress");
        m_json.BeginObject(true);
        m_json.Field("year", 2000 + YearIndexOf(next));
        m_json.Field("month", MonthIndexOf(next) + 1);
        m_json.Field("slot", 2);
        MeetingMonth(record, MonthIndexOf(next), 2);
        m_json.EndObject();
        m_json.EndObject();
    }

    void Attendance() {
        m_json.Key("attendance");
        m_json.BeginObject();
        m_json.Field("recordsInFile", m_side.attendance.LoadedCount());
        Meeting("midweek", MeetingKind::Midweek);
        Meeting("weekend", MeetingKind::Weekend);
        m_json.EndObject();
    }

    void CardTotalsArray() {
        const CardTotals& totals = m_side.cardTotals;
        m_json.Key("cardTotals");
        m_json.BeginArray();
        for (const WindowMonth& m : m_window) {
            m_json.BeginObject(true);
            MonthHeading(m_json, m);
            m_json.Key("categories");
            m_json.BeginArray(true);
            for (int c = 0; c < CardTotals::kCategories; ++c) {
                m_json.BeginArray(true);
                for (int v = 0; v < CardTotals::kValues; ++v)
                    m_json.Int(totals.Value(m.month, c, v, m.slot));
                m_json.EndArray();
            }
            m_json.EndArray();
            m_json.EndObject();
        }
        m_json.EndArray();
    }

    void NamesOptionObject() {
        const NamesOption& option = m_side.namesOption;
        m_json.Key("namesOption");
        m_json.BeginObject(true);
        m_json.Field("lastNameFirst", option.LastNameFirst());
        m_json.Key("bytes");
        m_json.BeginArray(true);
        for (char b : option.Bytes())
            m_json.Int(static_cast<unsigned char>(b));
        m_json.EndArray();
        m_json.EndObject();
    }

    void SettingsObject() {
        const Settings& s = m_doc.GetSettings();
        m_json.Key("settings");
        m_json.BeginObject();
        m_json.Field("labelBirthDate", s.labelBirthDate);
        m_json.Field("labelOtherLayout", s.labelOtherLayout);
        m_json.Field("labelLeftMargin", s.labelLeftMargin);
        m_json.Field("gridLines", s.gridLines);
        m_json.Field("missingReportFrame", s.missingReportFrame);
        m_json.Field("emergencyWitnessLine", s.emergencyWitnessLine);
        m_json.Field("topMargin", s.topMargin);
        m_json.Field("dateStamp", s.dateStamp);
        m_json.Field("congregationName", s.congregationName);
        m_json.Field("mailCallMode", s.mailCallMode);
        m_json.Field("autoCapitalize", s.autoCapitalize);
        m_json.Field("noStartupNote", s.noStartupNote);
        m_json.Field("firstNameFirst", s.firstNameFirst);
        m_json.Field("cardGroupNumbers", s.cardGroupNumbers);
        m_json.Field("cardHiddenTotals", s.cardHiddenTotals);
        m_json.Field("cardYearPerPage", s.cardYearPerPage);
        m_json.Field("cardHideBirthDay", s.cardHideBirthDay);
        m_json.Field("userCategoryEnabled", s.userCategoryEnabled);
        m_json.Field("userCategoryLabel", s.userCategoryLabel);
        m_json.Field("secretaryEmail", s.secretaryEmail);
        m_json.Field("earlyYear", s.earlyYear);
        m_json.Field("earlyMonth", s.earlyMonth);
        m_json.Field("lastBackupFolder", s.lastBackupFolder);
        m_json.Field("lastBackupDate", s.lastBackupDate);
        m_json.EndObject();
    }

    const CVardoDoc& m_doc;
    const PublisherDatabase& m_db;
    const SideTables& m_side;
    std::vector<WindowMonth> m_window;
    JsonWriter m_json;
};

} // namespace

std::string DocumentToJson(const CVardoDoc& doc) {
    return DumpWriter(doc).Write();
}

} // namespace vardo
