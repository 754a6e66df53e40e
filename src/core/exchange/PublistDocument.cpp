#include "core/exchange/PublistDocument.h"

#include <algorithm>
#include <array>

#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"
#include "core/store/DocumentChange.h"
#include "core/store/SideRecord.h"

namespace vardo {
namespace {

constexpr std::array<std::string_view, 12> kMonthTags{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr int kAgentVersion = 9000;

template <class T>
Result<T> MissingTags() {
    return Result<T>::Fail(Failure::Invalid, std::string(Str(StrId::XmlMissingTags)));
}

XmlIndex Child(const CXmlDoc& doc, XmlIndex parent, std::string_view name) {
    for (XmlIndex e = doc.FirstChildElement(parent); e != 0; e = doc.NextSiblingElement(e))
        if (doc.ElementName(e) == name)
            return e;
    return 0;
}

std::string ChildText(const CXmlDoc& doc, XmlIndex parent, std::string_view name) {
    const XmlIndex e = Child(doc, parent, name);
    return e != 0 ? std::string(sidetext::Trim(doc.ElementText(e))) : std::string();
}

int Number(std::string_view text) {
    text = sidetext::Trim(text);
    long value = 0;
    bool negative = false;
    std::size_t i = 0;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        i = 1;
    }
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 1000000; ++i)
        value = value * 10 + (text[i] - '0');
    return static_cast<int>(negative ? -value : value);
}

std::uint16_t Cell16(int value) {
    return static_cast<std::uint16_t>(std::clamp(value, 0, 65535));
}

/// The year held by a slot's month: with the reference month (year, index), months up to it lie in the
/// reference year when the slot is the year's parity, two years back otherwise; the other slot holds the
/// year before.
int SlotYear(int referenceYear, MonthIndex referenceMonth, YearSlot slot, MonthIndex month) {
    if (slot == ParitySlot(referenceYear - 2000))
        return month <= referenceMonth ? referenceYear : referenceYear - 2;
    return referenceYear - 1;
}

/// The root PUBLIST and the list element, or 0s.
std::pair<XmlIndex, XmlIndex> FindList(const CXmlDoc& doc, PublistKind kind) {
    XmlIndex root = doc.FirstChildElement(0);
    while (root != 0 && doc.ElementName(root) != "PUBLIST")
        root = doc.NextSiblingElement(root);
    if (root == 0)
        return {0, 0};
    return {root, Child(doc, root, PublistElementName(kind))};
}

std::vector<XmlIndex> PubElements(const CXmlDoc& doc, XmlIndex root, XmlIndex list) {
    const std::string countText = ChildText(doc, root, "Count");
    const int count = countText.empty() ? 1 << 30 : Number(countText);
    std::vector<XmlIndex> pubs;
    for (XmlIndex e = doc.FirstChildElement(list); e != 0 && static_cast<int>(pubs.size()) < count;
         e = doc.NextSiblingElement(e))
        if (doc.ElementName(e) == "Pub")
            pubs.push_back(e);
    return pubs;
}

/// The five values of a month element by position, then Remark and Pio.
struct MonthValues {
    int values[5] = {0, 0, 0, 0, 0};
    int quarters = 0;
    std::string remark;
    std::string pio;
    int credit = 0;
};

MonthValues ReadMonth(const CXmlDoc& doc, XmlIndex month) {
    MonthValues read;
    int n = 0;
    for (XmlIndex e = doc.FirstChildElement(month); e != 0; e = doc.NextSiblingElement(e)) {
        const std::string name = doc.ElementName(e);
        if (n < 5) {
            const std::string text(sidetext::Trim(doc.ElementText(e)));
            if (n == 2) {
                const HoursValue hours = ParsePublistHours(text);
                read.values[2] = hours.hours;
                read.quarters = hours.quarters;
            } else {
                read.values[n] = Number(text);
            }
            ++n;
        } else if (name == "Remark") {
            read.remark = doc.ElementText(e);
        } else if (name == "Pio") {
            read.pio = doc.ElementText(e);
        } else if (name == "PioCredit") {
            read.credit = Number(doc.ElementText(e));
        }
    }
    return read;
}

PioneerCode PioneerOfText(std::string_view text) {
    if (text.find("ux") != std::string_view::npos)
        return PioneerCode::Auxiliary;
    if (text.find("eg") != std::string_view::npos)
        return PioneerCode::Regular;
    if (text.find("pec") != std::string_view::npos)
        return PioneerCode::Special;
    return PioneerCode::None;
}

/// The cell of a received month: in the newer format placements, videos and return visits are 0 and the
/// hours of a non-pioneer stand for the participation bit; in the older format a remark that begins with
/// "Poniżej 1 godziny" sets the less-than-one-hour bit.
ReportCell CellOf(const MonthValues& read, MonthCount count, bool pioneer, std::string& remark) {
    ReportCell cell;
    cell.pioneerByte = static_cast<std::uint8_t>(PioneerOfText(read.pio));
    cell.SetBibleStudies(std::clamp(read.values[4], 0, 1023));
    remark = read.remark;
    if (IsNewReportFormat(count)) {
        if (read.values[2] != 0 || read.quarters != 0)
            cell.SetFlag(true);
        if (pioneer || cell.pioneerByte != 0) {
            cell.hours = Cell16(read.values[2]);
            cell.SetQuarterHours(read.quarters);
        }
    } else {
        cell.placements = Cell16(read.values[0]);
        cell.videos = Cell16(read.values[1]);
        cell.hours = Cell16(read.values[2]);
        cell.SetQuarterHours(read.quarters);
        cell.returnVisits = Cell16(read.values[3]);
        const std::string prefix = std::string(Str(StrId::LessThanOneHour));
        if (remark.starts_with(prefix) && cell.hours == 0) {
            cell.SetFlag(true);
            remark = std::string(sidetext::Trim(std::string_view(remark).substr(prefix.size())));
        }
    }
    if (cell.Pioneer() == PioneerCode::Regular)
        cell.creditHours = Cell16(read.credit);
    return cell;
}

} // namespace

std::string_view PublistElementName(PublistKind kind) {
    switch (kind) {
    case PublistKind::Active:
        return "Active";
    case PublistKind::Inactive:
        return "Inactive";
    case PublistKind::NonPublishers:
        return "Non-Publishers";
    }
    return {};
}

std::string PublistFileName(PublistKind kind) {
    return std::string(PublistElementName(kind)) + ".xml";
}

PublisherCategory PublistCategory(PublistKind kind) {
    switch (kind) {
    case PublistKind::Active:
        return PublisherCategory::Publisher;
    case PublistKind::Inactive:
        return PublisherCategory::Inactive;
    case PublistKind::NonPublishers:
        return PublisherCategory::NonPublisher;
    }
    return PublisherCategory::Publisher;
}

std::string PublistHoursText(int hours, int quarters) {
    static constexpr std::array<std::string_view, 4> kQuarters{"", ",15", ",30", ",45"};
    return std::to_string(hours) + std::string(kQuarters[static_cast<std::size_t>(quarters & 3)]);
}

HoursValue ParsePublistHours(std::string_view text) {
    text = sidetext::Trim(text);
    const std::size_t mark = text.find_first_of(",.");
    HoursValue value{std::max(0, Number(text.substr(0, mark))), 0};
    if (mark != std::string_view::npos) {
        const std::string_view fraction = text.substr(mark + 1);
        if (fraction == "15" || fraction == "25")
            value.quarters = 1;
        else if (fraction == "30" || fraction == "5" || fraction == "50")
            value.quarters = 2;
        else if (fraction == "45" || fraction == "75")
            value.quarters = 3;
    }
    return value;
}

std::string BuildPublist(const PublistExportSource& source, PublistKind kind, const std::vector<RecordNumber>& persons,
                         const Date& today) {
    CXmlDoc doc;
    doc.SetText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
    doc.AppendElement("PUBLIST");
    doc.EnterElement();
    doc.AppendElement("Agent", "VARDO");
    doc.SetAttribute("Ver", kAgentVersion);
    doc.AppendElement("Date", FormatPrintf("%04d-%02d-%02d", today.year, today.month, today.day));
    doc.AppendElement("Count", static_cast<std::int64_t>(persons.size()));
    doc.AppendElement(PublistElementName(kind));
    doc.EnterElement();
    const PublisherDatabase& db = source.database;
    const WorkingMonth& working = source.month;
    for (const RecordNumber number : persons) {
        if (!db.IsPerson(number))
            continue;
        const PublisherRecord& person = db.Record(number);
        doc.AppendElement("Pub");
        doc.EnterElement();
        doc.AppendElement("id", static_cast<std::int64_t>(person.Id()));
        doc.AppendElement("fname", person.FirstName());
        doc.AppendElement("lname", person.LastName());
        doc.AppendElement("addr", person.Address());
        doc.AppendElement("phone", person.Phone1());
        doc.AppendElement("phone2", person.Phone2());
        doc.AppendElement("phone3", person.Phone3());
        if (const auto extension = source.extensionOf ? source.extensionOf(person) : std::nullopt) {
            if (!extension->LongName().empty())
                doc.AppendElement("longname", extension->LongName());
            if (!extension->Email().empty())
                doc.AppendElement("email", extension->Email());
            if (!extension->Extra().empty())
                doc.AppendElement("extra", extension->Extra());
        }
        if (person.IsMale() || person.IsFemale())
            doc.AppendElement("gender", person.IsMale() ? "Male" : "Female");
        if (kind != PublistKind::NonPublishers) {
            doc.AppendElement("birdate", RecordDateToIso(person.BirthDate()));
            doc.AppendElement("bapdate", RecordDateToIso(person.BaptismDate()));
        }
        if (person.HasThirdDate())
            doc.AppendElement("dpa", RecordDateToIso(person.ThirdDate()));
        if (const std::string needs = source.specialNeedsOf ? source.specialNeedsOf(person) : std::string();
            !needs.empty())
            doc.AppendElement("specneed", needs);
        if (const std::string family = source.householdOf ? source.householdOf(person) : std::string(); !family.empty())
            doc.AppendElement("household", family);
        doc.AppendElement("group", static_cast<std::int64_t>(person.Group()));

        int referenceYear = working.Year();
        MonthIndex referenceMonth = working.monthIndex;
        bool months = kind == PublistKind::Active;
        MonthCount inactiveCount = 0xFFFF;
        if (kind == PublistKind::Inactive) {
            const int inMonth = person.StatusMonth() >> 4;
            const int inYear = person.StatusYear() != 0 ? YearOfYearByte(person.StatusYear()) : 0;
            if (inMonth >= 1 && inMonth <= 12)
                doc.AppendElement("inamonth", static_cast<std::int64_t>(inMonth));
            if (inYear != 0)
                doc.AppendElement("inayear", static_cast<std::int64_t>(inYear));
            if (inMonth >= 1 && inMonth <= 12 && inYear >= 2001 && inYear <= 2199) {
                months = true;
                referenceYear = inYear;
                referenceMonth = inMonth - 1;
                inactiveCount = ToMonthCount(inYear, inMonth - 1);
            }
        }
        if (kind == PublistKind::Active) {
            static constexpr std::array<std::string_view, 4> kSvt{"", "MinSvt", "Elder", "BapBro"};
            if (person.GetAppointment() != Appointment::None)
                doc.AppendElement("svt", kSvt[static_cast<std::size_t>(person.GetAppointment())]);
        }
        if (months) {
            for (YearSlot slot = 0; slot < 2; ++slot) {
                for (MonthIndex m = 0; m < kMonthsPerYear; ++m) {
                    const int year = SlotYear(referenceYear, referenceMonth, slot, m);
                    const MonthCount count = ToMonthCount(year, m);
                    const ReportCell cell = person.Cell(m, slot);
                    std::string remark = RemarkText(source.remarks, person, m, slot).text;
                    doc.AppendElement(kMonthTags[static_cast<std::size_t>(m)]);
                    doc.SetAttribute("Year", static_cast<std::int64_t>(year));
                    doc.EnterElement();
                    const bool newFormat = IsNewReportFormat(count);
                    if (!newFormat && cell.hours == 0 && cell.Flag())
                        remark = sidetext::CutToCharacters(std::string(Str(StrId::LessThanOneHour)) + " " + remark, 49);
                    if (count > inactiveCount) {
                        doc.AppendElement("Remark", remark, XmlFlags::NoLines);
                        doc.LeaveElement();
                        continue;
                    }
                    const bool pioneer = cell.Pioneer() != PioneerCode::None;
                    doc.AppendElement("Plcmts", newFormat ? 0 : cell.placements, XmlFlags::NoLines);
                    doc.AppendElement("Videos", newFormat ? 0 : cell.videos, XmlFlags::NoLines);
                    doc.AppendElement("Hours",
                                      newFormat && !pioneer ? std::string(cell.Flag() ? "1" : "0")
                                                            : PublistHoursText(cell.hours, cell.QuarterHours()),
                                      XmlFlags::NoLines);
                    doc.AppendElement("R.V.s", newFormat ? 0 : cell.returnVisits, XmlFlags::NoLines);
                    doc.AppendElement("BiSt.", cell.BibleStudies(), XmlFlags::NoLines);
                    doc.AppendElement("Remark", remark, XmlFlags::NoLines);
                    static constexpr std::array<std::string_view, 4> kPio{"", "Aux", "Reg", "Spec"};
                    doc.AppendElement("Pio", kPio[static_cast<std::size_t>(cell.Pioneer())], XmlFlags::NoLines);
                    if (cell.Pioneer() == PioneerCode::Regular && cell.creditHours != 0)
                        doc.AppendElement("PioCredit", cell.creditHours, XmlFlags::NoLines);
                    doc.LeaveElement();
                }
            }
        }
        doc.LeaveElement();
    }
    return doc.SaveBuffer();
}

Result<std::vector<PublistPerson>> ReadPublistPersons(CXmlDoc& doc, PublistKind kind,
                                                      const PublisherDatabase& database) {
    const auto [root, list] = FindList(doc, kind);
    if (root == 0 || list == 0)
        return MissingTags<std::vector<PublistPerson>>();
    std::vector<PublistPerson> persons;
    const std::vector<XmlIndex> pubs = PubElements(doc, root, list);
    for (std::size_t i = 0; i < pubs.size(); ++i) {
        PublistPerson person;
        person.position = static_cast<int>(i);
        person.id = static_cast<PublisherId>(std::clamp(Number(ChildText(doc, pubs[i], "id")), 0, 65535));
        person.firstName = ChildText(doc, pubs[i], "fname");
        person.lastName = ChildText(doc, pubs[i], "lname");
        person.label = person.lastName + ", " + person.firstName;
        for (const IndexEntry& entry : database.List(PublistCategory(kind))) {
            const PublisherRecord& existing = database.Record(entry.recordNumber);
            if (existing.LastName() == person.lastName && existing.FirstName() == person.firstName) {
                person.duplicateOf = entry.recordNumber;
                person.label += " *";
                break;
            }
        }
        persons.push_back(std::move(person));
    }
    return persons;
}

namespace {

/// The key of a stored special-needs record with exactly this text, or of a new one.
Result<std::uint16_t> SpecialNeedsKeyFor(SpecialNeedsFile& file, const DataFolder& folder,
                                         const PublisherDatabase& database, const std::string& text) {
    for (const std::uint16_t key : file.Keys())
        if (key != 0)
            if (const auto stored = file.Read(folder, key); stored && stored->Text() == text)
                return key;
    SpecialNeedsRecord record;
    if (const Status set = record.SetText(text); !set)
        return Result<std::uint16_t>::Fail(set);
    std::vector<std::uint16_t> used;
    for (RecordNumber r = 1; r < static_cast<RecordNumber>(database.Count()); ++r)
        used.push_back(database.Record(r).SpecialNeedsKey());
    return file.Add(folder, record,
                    [used](std::uint16_t key) { return std::find(used.begin(), used.end(), key) != used.end(); });
}

/// Each imported person whose household names himself becomes the head of a family; one whose household
/// names another person of the register joins that person's family, and that person becomes its head.
void LinkHouseholds(PublisherDatabase& db, const std::vector<std::pair<PublisherId, std::string>>& households) {
    for (const auto& [id, family] : households) {
        const RecordNumber self = db.RecordNumberOfId(id);
        if (self == 0)
            continue;
        if (db.DisplayNameOfRecord(self, true) == family) {
            db.Record(self).SetHeadOfFamily(true);
            db.Record(self).SetFamilyHead(0);
            continue;
        }
        for (RecordNumber r = 1; r < static_cast<RecordNumber>(db.Count()); ++r) {
            if (r == self || db.DisplayNameOfRecord(r, true) != family)
                continue;
            db.Record(r).SetHeadOfFamily(true);
            db.Record(r).SetFamilyHead(0);
            db.Record(self).SetHeadOfFamily(false);
            db.Record(self).SetFamilyHead(db.Record(r).Id());
            break;
        }
    }
}

} // namespace

std::string PublistHouseholdOf(const PublisherDatabase& database, const PublisherRecord& person) {
    const PublisherId head = person.IsHeadOfFamily() ? person.Id() : person.FamilyHead();
    const RecordNumber record = head != 0 ? database.RecordNumberOfId(head) : 0;
    return record != 0 ? database.DisplayNameOfRecord(record, true) : std::string();
}

Result<int> ImportPublist(CXmlDoc& doc, PublistKind kind, const PublistImportChoice& choice, RegistryContext& context,
                          RemarkTable& remarks) {
    const auto persons = ReadPublistPersons(doc, kind, context.database);
    if (!persons)
        return Result<int>::Fail(persons.status());
    const auto [root, list] = FindList(doc, kind);
    const std::vector<XmlIndex> pubs = PubElements(doc, root, list);
    const XmlIndex agent = Child(doc, root, "Agent");
    const int version = agent != 0 ? Number(doc.ElementAttribute(agent, "Ver")) : 0;
    PublisherDatabase& db = context.database;
    const WorkingMonth& working = context.month;

    DocumentChange change(context.changes, "Import z XML");
    change.Touch(DataArea::Register | DataArea::Extensions | DataArea::Remarks);
    if (context.specialNeeds != nullptr)
        change.Touch(DataArea::SpecialNeeds);
    int imported = 0;
    bool appended = false;
    // Households are linked once every person is in: a family's head may come after its members.
    std::vector<std::pair<PublisherId, std::string>> households;
    for (const int position : choice.positions) {
        if (position < 0 || static_cast<std::size_t>(position) >= pubs.size())
            continue;
        const PublistPerson& listed = persons.value()[static_cast<std::size_t>(position)];
        const XmlIndex pub = pubs[static_cast<std::size_t>(position)];
        const bool update = listed.duplicateOf != 0 && choice.updateDuplicates;
        PublisherRecord record;
        if (update) {
            record = db.Record(listed.duplicateOf);
            record.SetExtensionKey(context.extensions.Check(record.ExtensionKey(), record.Id()).key);
        } else {
            if (const Status room = db.CanAdd(PublistCategory(kind)); !room)
                return Result<int>::Fail(room);
            record.SetId(db.NextFreeId());
            if (record.Id() == 0)
                return Result<int>::Fail(Failure::Full, std::string(Str(StrId::NoMemory)));
            record.SetCategory(PublistCategory(kind));
        }
        std::string first = sidetext::CutToCharacters(ChildText(doc, pub, "fname"), 15);
        if (listed.duplicateOf != 0 && !update)
            first = sidetext::CutToCharacters(first, 13) + "2";
        record.SetFirstName(first);
        record.SetLastName(ChildText(doc, pub, "lname"));
        record.SetAddress(ChildText(doc, pub, "addr"));
        record.SetPhone1(ChildText(doc, pub, "phone"));
        record.SetPhone2(ChildText(doc, pub, "phone2"));
        record.SetPhone3(ChildText(doc, pub, "phone3"));
        const std::string gender = ChildText(doc, pub, "gender");
        if (gender.starts_with("Ma"))
            record.SetMale(true);
        else if (gender.starts_with("Fe"))
            record.SetFemale(true);
        if (Child(doc, pub, "birdate") != 0)
            record.SetBirthDate(IsoToRecordDate(ChildText(doc, pub, "birdate")));
        if (Child(doc, pub, "bapdate") != 0)
            record.SetBaptismDate(IsoToRecordDate(ChildText(doc, pub, "bapdate")));
        if (Child(doc, pub, "dpa") != 0) {
            record.SetThirdDate(IsoToRecordDate(ChildText(doc, pub, "dpa")));
            record.SetHasThirdDate(true);
        }
        if (update) {
            const int group = Number(ChildText(doc, pub, "group"));
            if (group >= 1 && group <= context.groups.Count())
                record.SetGroup(group);
        }
        if (const std::string needs =
                sidetext::CutToCharacters(ChildText(doc, pub, "specneed"), SpecialNeedsRecord::kTextMax);
            !needs.empty() && context.specialNeeds != nullptr) {
            const Result<std::uint16_t> key = SpecialNeedsKeyFor(*context.specialNeeds, context.folder, db, needs);
            if (!key)
                return Result<int>::Fail(key.status());
            record.SetSpecialNeedsKey(key.value());
        }
        if (const std::string family = ChildText(doc, pub, "household"); !family.empty())
            households.emplace_back(record.Id(), family);
        MonthCount inactiveCount = 0xFFFF;
        if (kind == PublistKind::Inactive) {
            record.SetCategory(PublisherCategory::Inactive);
            if (version >= kAgentVersion) {
                const int inMonth = Number(ChildText(doc, pub, "inamonth"));
                const int inYear = Number(ChildText(doc, pub, "inayear"));
                if (inMonth >= 1 && inMonth <= 12)
                    record.SetStatusMonth(static_cast<std::uint8_t>((inMonth << 4) | (record.StatusMonth() & 0x0F)));
                if (inYear >= 1951 && inYear <= working.Year())
                    record.SetStatusYear(ToYearByte(inYear));
                if (inMonth >= 1 && inMonth <= 12 && inYear >= 2001 && inYear <= working.Year())
                    inactiveCount = ToMonthCount(inYear, inMonth - 1);
            }
        } else if (kind == PublistKind::Active) {
            const std::string svt = ChildText(doc, pub, "svt");
            if (svt == "Elder")
                record.SetAppointment(Appointment::Elder);
            else if (svt == "MinSvt")
                record.SetAppointment(Appointment::MinisterialServant);
            else if (svt == "BapBro")
                record.SetAppointment(Appointment::BaptizedBrother);
        }

        const std::string longName = ChildText(doc, pub, "longname");
        const std::string email = ChildText(doc, pub, "email");
        const std::string extra = ChildText(doc, pub, "extra");
        if (!longName.empty() || !email.empty() || !extra.empty()) {
            ExtensionRecord extension =
                context.extensions.Read(context.folder, record.ExtensionKey(), record.Id()).value_or(ExtensionRecord{});
            extension.SetOwner(record.Id());
            for (auto [text, setter] :
                 {std::pair{&longName, &ExtensionRecord::SetLongName}, std::pair{&email, &ExtensionRecord::SetEmail},
                  std::pair{&extra, &ExtensionRecord::SetExtra}})
                if (!text->empty())
                    (void)(extension.*setter)(*text);
            const Result<std::uint16_t> key = context.extensions.Write(context.folder, extension);
            if (!key)
                return Result<int>::Fail(key.status());
            record.SetExtensionKey(key.value());
        }

        for (MonthIndex m = 0; m < kMonthsPerYear; ++m) {
            for (XmlIndex e = doc.FirstChildElement(pub); e != 0; e = doc.NextSiblingElement(e)) {
                if (doc.ElementName(e) != kMonthTags[static_cast<std::size_t>(m)])
                    continue;
                const int year = Number(doc.ElementAttribute(e, "Year"));
                if (year < 2001 || year > 2199)
                    continue;
                const MonthCount count = ToMonthCount(year, m);
                if (kind == PublistKind::Active && (year > working.Year() || year < working.Year() - 2 ||
                                                    (year == working.Year() - 2 && m <= working.monthIndex)))
                    continue;
                if (count > working.monthCount)
                    continue;
                const YearSlot slot = ParitySlot(year - 2000);
                const MonthValues read = ReadMonth(doc, e);
                std::string remark;
                if (count <= inactiveCount) {
                    const bool pioneer = record.Pioneer(m, slot) != PioneerCode::None;
                    ReportCell cell = CellOf(read, count, pioneer, remark);
                    cell.remark = record.RemarkNumber(m, slot);
                    cell.lateMarker = record.LateMarker(m, slot);
                    cell.yearTag = record.YearTag(m, slot);
                    record.SetCell(m, slot, cell);
                } else {
                    remark = read.remark;
                }
                remark = sidetext::CutToCharacters(remark, RemarkEntry::kTextMax);
                const RemarkSlot current = RemarkText(remarks, record, m, slot);
                if (!remark.empty() || !current.text.empty()) {
                    const Result<bool> stored =
                        StoreRemark(remarks, record, m, slot, current.number, remark, context.prompter);
                    if (!stored)
                        return Result<int>::Fail(stored.status());
                }
            }
        }

        if (update) {
            db.Record(listed.duplicateOf) = record;
        } else {
            const Result<RecordNumber> added = db.AppendRecord(record);
            if (!added)
                return Result<int>::Fail(added.status());
            appended = true;
        }
        ++imported;
    }
    if (appended) {
        db.SortRecords();
        db.RebuildIndex();
    }
    LinkHouseholds(db, households);
    if (imported > 0)
        change.Commit();
    return imported;
}

Result<std::vector<IncomingPerson>> IncomingFromXmlReports(CXmlDoc& doc, const ReportingContext& context) {
    const auto [root, list] = FindList(doc, PublistKind::Active);
    if (root == 0 || list == 0 || Child(doc, root, "Count") == 0)
        return MissingTags<std::vector<IncomingPerson>>();
    const WorkingMonth& working = context.month;
    const PublisherDatabase& database = context.database;
    std::vector<IncomingPerson> persons;
    for (const XmlIndex pub : PubElements(doc, root, list)) {
        const std::string first = ChildText(doc, pub, "fname");
        const std::string last = ChildText(doc, pub, "lname");
        const int id = Number(ChildText(doc, pub, "id"));
        IncomingPerson person;
        for (const IndexEntry& entry : database.List(PublisherCategory::Publisher)) {
            const PublisherRecord& candidate = database.Record(entry.recordNumber);
            if (candidate.LastName() == last && candidate.FirstName() == first && (id <= 0 || candidate.Id() == id)) {
                person.target = entry.recordNumber;
                break;
            }
        }
        if (person.target == 0)
            continue;
        // The element of the working month's year: an export holds two of each month name, and the first
        // one belongs to the other year whenever the working year is odd. An element without a year counts
        // as the working month's.
        XmlIndex month = 0;
        for (XmlIndex e = doc.FirstChildElement(pub); e != 0 && month == 0; e = doc.NextSiblingElement(e)) {
            if (doc.ElementName(e) != kMonthTags[static_cast<std::size_t>(working.monthIndex)])
                continue;
            const std::string yearText = doc.ElementAttribute(e, "Year");
            if (yearText.size() != 4 || Number(yearText) == working.Year())
                month = e;
        }
        if (month == 0)
            continue;
        const YearSlot slot = working.SlotOf(working.monthIndex);
        const MonthValues read = ReadMonth(doc, month);
        const bool pioneer = database.Record(person.target).Pioneer(working.monthIndex, slot) != PioneerCode::None;
        std::string remark;
        const ReportCell cell = CellOf(read, working.monthCount, pioneer, remark);
        person.values.SetCell(working.monthIndex, slot, cell);
        person.remarks[static_cast<std::size_t>(working.monthIndex)] =
            sidetext::CutToCharacters(remark, RemarkEntry::kTextMax);
        persons.push_back(std::move(person));
    }
    return persons;
}

} // namespace vardo
