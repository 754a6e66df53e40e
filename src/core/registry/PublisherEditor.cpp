#include "core/registry/PublisherEditor.h"

#include "core/platform/CodePage.h"
#include "core/platform/Strings.h"
#include "core/registry/PersonRemoval.h"
#include "core/registry/PublisherChooser.h"

namespace vardo {
namespace {

constexpr std::size_t Index(EditorBox box) {
    return static_cast<std::size_t>(box);
}

constexpr std::size_t Index(EditorText field) {
    return static_cast<std::size_t>(field);
}

// Appointment type a box stands for (0 = none).
int AppointmentTypeOfBox(EditorBox box) {
    switch (box) {
    case EditorBox::MinisterialServant:
        return 1;
    case EditorBox::Elder:
        return 2;
    case EditorBox::RegularPioneer:
        return 3;
    case EditorBox::ContinuousAuxiliary:
        return 4;
    case EditorBox::SpecialPioneer:
        return 5;
    case EditorBox::FieldMissionary:
        return 6;
    default:
        return 0;
    }
}

EditorBox BoxOfAppointmentType(int type) {
    constexpr EditorBox boxes[] = {EditorBox::MinisterialServant, EditorBox::Elder,
                                   EditorBox::RegularPioneer,     EditorBox::ContinuousAuxiliary,
                                   EditorBox::SpecialPioneer,     EditorBox::FieldMissionary};
    return boxes[type - 1];
}

std::string TrimRight(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return std::string(text.substr(0, end));
}

bool IsBlankText(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// Whole years from a date to today; -1 for a date after today.
int YearsSince(const PickerDate& date, const WorkingMonth& month) {
    int years = month.todayYear - date.year;
    if (month.todayMonth < date.month || (month.todayMonth == date.month && month.todayDay < date.day))
        --years;
    return years;
}

StrId FieldLabelId(EditorText field) {
    switch (field) {
    case EditorText::FirstName:
        return StrId::FieldFirstName;
    case EditorText::LastName:
        return StrId::FieldLastName;
    case EditorText::Address:
        return StrId::FieldAddress;
    case EditorText::PhoneHome:
        return StrId::FieldPhoneHome;
    case EditorText::PhoneMobile:
        return StrId::FieldPhoneMobile;
    case EditorText::PhoneWork:
        return StrId::FieldPhoneWork;
    case EditorText::Email:
        return StrId::FieldEmail;
    case EditorText::LongName:
        return StrId::FieldLongName;
    case EditorText::Extra:
        return StrId::FieldExtra;
    }
    return StrId::FieldExtra;
}

// Interested persons get ids from here on.
constexpr PublisherId kFirstInterestedId = 2000;

std::string Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    return TrimRight(text.substr(begin));
}

std::string CannotStoreMessage(EditorText field) {
    return FormatArgs(Str(StrId::TextCannotBeStored), {Str(FieldLabelId(field))});
}

} // namespace

int MaxLength(EditorText field) {
    switch (field) {
    case EditorText::FirstName:
    case EditorText::LastName:
        return kNameLength;
    case EditorText::Address:
        return 60;
    case EditorText::PhoneHome:
    case EditorText::PhoneMobile:
    case EditorText::PhoneWork:
        return 14;
    case EditorText::Email:
        return static_cast<int>(ExtensionRecord::kEmailMax);
    case EditorText::LongName:
        return static_cast<int>(ExtensionRecord::kLongNameMax);
    case EditorText::Extra:
        return static_cast<int>(ExtensionRecord::kExtraMax);
    }
    return 0;
}

std::string YearsText(int years) {
    const int lastTwo = years % 100;
    const int last = years % 10;
    StrId id = StrId::YearsMany;
    if (years == 1)
        id = StrId::YearsOne;
    else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        id = StrId::YearsFew;
    return FormatArgs(Str(id), {std::to_string(years)});
}

PublisherEditor::PublisherEditor(RegistryContext& context, PublisherChooser& chooser)
    : m_context(context), m_chooser(chooser) {}

void PublisherEditor::Clear() {
    m_record.Clear();
    m_recordNumber = 0;
    m_statusAsked = false;
    m_texts = {};
    m_boxes = {};
    m_loadedBoxes = {};
    m_dates = {};
    m_group = 0;
    m_ticked = {};
    m_privilegeDates.reset();
    m_extension = ExtensionRecord{};
    m_conductor.clear();
}

bool PublisherEditor::Interested() const {
    return m_chooser.Category() == PublisherCategory::NonPublisher;
}

std::string PublisherEditor::Caption() const {
    return Interested() ? std::string(Str(StrId::EditInterestedCaption)) : std::string("Informacje o głosicielu");
}

void PublisherEditor::LoadNew() {
    Clear();
    m_new = true;
    m_record.SetId(m_context.database.NextFreeId(Interested() ? kFirstInterestedId : kFirstFreeId));
    m_record.SetCategory(Interested() ? PublisherCategory::NonPublisher : PublisherCategory::Publisher);
    m_record.SetNeedsFlags(PublisherRecord::kNeedsInitialised);
    m_extension.SetOwner(m_record.Id());
}

void PublisherEditor::Load(int position) {
    const RecordNumber number = m_chooser.RecordAt(position);
    if (!m_context.database.IsPerson(number)) {
        LoadNew();
        return;
    }
    Clear();
    m_new = false;
    m_recordNumber = number;
    m_record = m_context.database.Record(number);
    if (Interested()) {
        m_record.SetCategory(PublisherCategory::NonPublisher);
        m_conductor = m_record.ConductorText();
    }
    LoadFields();
}

YearRange PublisherEditor::Years() const {
    return EditorYearRange(m_context.month.Year());
}

void PublisherEditor::LoadFields() {
    const PublisherRecord& r = m_record;
    const PublisherId id = r.Id();
    m_texts[Index(EditorText::FirstName)] = r.FirstName();
    m_texts[Index(EditorText::LastName)] = r.LastName();
    m_texts[Index(EditorText::Address)] = r.Address();
    m_texts[Index(EditorText::PhoneHome)] = r.Phone1();
    m_texts[Index(EditorText::PhoneMobile)] = r.Phone2();
    m_texts[Index(EditorText::PhoneWork)] = r.Phone3();

    m_extension = ExtensionRecord{};
    if (auto extension = m_context.extensions.Read(m_context.folder, r.ExtensionKey(), id))
        m_extension = *extension;
    m_extension.SetOwner(id);
    m_texts[Index(EditorText::Email)] = m_extension.Email();
    m_texts[Index(EditorText::LongName)] = m_extension.LongName();
    m_texts[Index(EditorText::Extra)] = m_extension.Extra();

    const YearRange years = Years();
    m_dates[static_cast<std::size_t>(EditorDate::Birth)] = ParseDate(r.BirthDate(), years);
    m_dates[static_cast<std::size_t>(EditorDate::Baptism)] = ParseDate(r.BaptismDate(), years);
    if (m_context.appointments.HasConsent(id)) {
        m_boxes[Index(EditorBox::Consent)] = true;
        m_dates[static_cast<std::size_t>(EditorDate::Consent)] = ParseDate(
            m_context.appointments.GetAppointment(id, static_cast<std::uint16_t>(AppointmentType::Consent)), years);
    }

    const Appointment appointment = r.GetAppointment();
    m_boxes[Index(EditorBox::Elder)] = appointment == Appointment::Elder;
    m_boxes[Index(EditorBox::MinisterialServant)] = appointment == Appointment::MinisterialServant;
    m_boxes[Index(EditorBox::BaptizedBrother)] = appointment == Appointment::BaptizedBrother;
    m_boxes[Index(EditorBox::HeadOfFamily)] = r.IsHeadOfFamily();
    m_boxes[Index(EditorBox::ContinuousAuxiliary)] = r.IsContinuousAuxiliary();
    m_boxes[Index(EditorBox::UserCategory)] = r.InUserCategory();
    m_boxes[Index(EditorBox::Male)] = r.IsMale();
    m_boxes[Index(EditorBox::Female)] = r.IsFemale();
    const WorkingMonth& month = m_context.month;
    const PioneerCode code = r.Pioneer(month.monthIndex, month.SlotOf(month.monthIndex));
    m_boxes[Index(EditorBox::RegularPioneer)] = code == PioneerCode::Regular;
    m_boxes[Index(EditorBox::SpecialPioneer)] = code == PioneerCode::Special;
    m_boxes[Index(EditorBox::Anointed)] = r.Hope() == 'A';
    m_boxes[Index(EditorBox::Deaf)] = r.IsDeaf();
    m_boxes[Index(EditorBox::Blind)] = r.IsBlind();
    m_boxes[Index(EditorBox::Confined)] = r.IsConfined();
    m_boxes[Index(EditorBox::SpecialFullTime)] = r.IsSpecialFullTime();
    m_boxes[Index(EditorBox::FieldMissionary)] = r.IsFieldMissionary();
    if (!r.IsMale() && !r.IsFemale() && appointment != Appointment::None)
        m_boxes[Index(EditorBox::Male)] = true;
    m_group = r.Group();
    m_loadedBoxes = m_boxes;
}

void PublisherEditor::SetText(EditorText field, std::string text) {
    m_texts[Index(field)] = std::move(text);
}

std::optional<NameEdit> PublisherEditor::NameTyped(EditorText field, std::string_view typed) {
    std::optional<NameEdit> edit;
    if (m_context.settings.autoCapitalize != 0 && CapitalizesNames(m_context.languageTag))
        edit = AutoCapitalize(typed);
    else if (CharacterCount(typed) > kNameLength)
        edit = NameEdit{FirstCharacters(typed, kNameLength), true};
    m_texts[Index(field)] = edit ? edit->text : std::string(typed);
    return edit;
}

void PublisherEditor::SetBox(EditorBox box, bool on) {
    auto set = [this](EditorBox b, bool value) { m_boxes[Index(b)] = value; };
    set(box, on);
    if (const int type = AppointmentTypeOfBox(box); type != 0)
        m_ticked[static_cast<std::size_t>(type)] = on && !m_loadedBoxes[Index(box)];
    if (!on)
        return;
    switch (box) {
    case EditorBox::Elder:
    case EditorBox::MinisterialServant:
    case EditorBox::BaptizedBrother:
        for (EditorBox other : {EditorBox::Elder, EditorBox::MinisterialServant, EditorBox::BaptizedBrother})
            if (other != box)
                set(other, false);
        set(EditorBox::Male, true);
        set(EditorBox::Female, false);
        break;
    case EditorBox::Female:
        for (EditorBox other :
             {EditorBox::Male, EditorBox::Elder, EditorBox::MinisterialServant, EditorBox::BaptizedBrother})
            set(other, false);
        break;
    case EditorBox::Male:
        set(EditorBox::Female, false);
        break;
    case EditorBox::RegularPioneer:
    case EditorBox::ContinuousAuxiliary:
    case EditorBox::SpecialPioneer:
        for (EditorBox other : {EditorBox::RegularPioneer, EditorBox::ContinuousAuxiliary, EditorBox::SpecialPioneer})
            if (other != box)
                set(other, false);
        break;
    default:
        break;
    }
    // A cleared appointment box no longer stands for a newly ticked privilege.
    for (EditorBox b : {EditorBox::Elder, EditorBox::MinisterialServant, EditorBox::RegularPioneer,
                        EditorBox::ContinuousAuxiliary, EditorBox::SpecialPioneer})
        if (!m_boxes[Index(b)])
            m_ticked[static_cast<std::size_t>(AppointmentTypeOfBox(b))] = false;
}

std::string PublisherEditor::GroupButtonText() const {
    if (m_group == 0)
        return std::string(Str(StrId::ChooseGroup));
    std::string text = FormatPrintf("( &%s%d ) ", std::string(Str(StrId::GroupDefaultName)).c_str(), m_group);
    const GroupTable& groups = m_context.groups;
    const int g = m_group - 1;
    if (m_group <= groups.Count()) {
        const std::string name = groups.Name(g);
        text += groups.UsesName(g) && CharacterCount(name) > 1 ? name : groups.Overseer(g);
    }
    return text;
}

int PublisherEditor::FamilyMembers() const {
    const PublisherDatabase& database = m_context.database;
    const PublisherId id = m_record.Id();
    int members = 0;
    for (RecordNumber r = 1; r < database.Count(); ++r)
        if (r != m_recordNumber && database.Record(r).FamilyHead() == id)
            ++members;
    return members;
}

std::optional<std::string> PublisherEditor::FamilyButtonText() const {
    if (Box(EditorBox::HeadOfFamily))
        return std::string(Str(StrId::FamilyEdit));
    if (m_record.FamilyHead() != 0)
        return std::string(Str(StrId::FamilyView));
    return std::nullopt;
}

bool PublisherEditor::HeadOfFamilyEnabled() const {
    return !(m_loadedBoxes[Index(EditorBox::HeadOfFamily)] && !m_new && FamilyMembers() > 0);
}

bool PublisherEditor::UserCategoryVisible() const {
    return m_context.settings.userCategoryEnabled != 0;
}

std::string PublisherEditor::UserCategoryLabel() const {
    return m_context.settings.userCategoryLabel;
}

std::string PublisherEditor::BirthSummary() const {
    const PickerDate& date = Date(EditorDate::Birth);
    if (!date.IsComplete())
        return {};
    const int years = YearsSince(date, m_context.month);
    return years < 0 ? std::string() : FormatArgs(Str(StrId::AgeSummary), {YearsText(years)});
}

std::string PublisherEditor::BaptismSummary() const {
    const PickerDate& date = Date(EditorDate::Baptism);
    if (!date.IsComplete())
        return {};
    const int years = YearsSince(date, m_context.month);
    return years < 0 ? std::string() : FormatArgs(Str(StrId::BaptismSummary), {YearsText(years)});
}

PublisherRecord PublisherEditor::RecordForSafety() const {
    PublisherRecord record = m_record;
    record.SetHeadOfFamily(Box(EditorBox::HeadOfFamily));
    record.SetDeaf(Box(EditorBox::Deaf));
    record.SetBlind(Box(EditorBox::Blind));
    record.SetConfined(Box(EditorBox::Confined));
    (void)record.SetFirstName(Text(EditorText::FirstName));
    (void)record.SetLastName(Text(EditorText::LastName));
    return record;
}

std::string PublisherEditor::StatusLine() const {
    if (m_new || !m_context.statusLine)
        return {};
    const std::string line = m_context.statusLine(m_record);
    return line.empty() ? line : FormatArgs(Str(StrId::StatusLineCaption), {line});
}

std::string PublisherEditor::DisplayName() const {
    return TrimRight(Text(EditorText::FirstName)) + " " + TrimRight(Text(EditorText::LastName));
}

bool PublisherEditor::AnyTextEntered() const {
    for (const std::string& text : m_texts)
        if (!IsBlankText(text))
            return true;
    return false;
}

bool PublisherEditor::CanStore() const {
    if (Interested())
        return CharacterCount(Trimmed(Text(EditorText::LastName))) > 1;
    return !IsBlankText(Text(EditorText::LastName));
}

std::string PublisherEditor::TextProblem() const {
    for (EditorText field : {EditorText::FirstName, EditorText::LastName, EditorText::Address, EditorText::PhoneHome,
                             EditorText::PhoneMobile, EditorText::PhoneWork})
        if (!codepage::Utf8ToCp1250(Text(field)).lossless())
            return CannotStoreMessage(field);
    ExtensionRecord probe;
    if (!probe.SetEmail(Text(EditorText::Email)))
        return CannotStoreMessage(EditorText::Email);
    if (!probe.SetLongName(Text(EditorText::LongName)))
        return CannotStoreMessage(EditorText::LongName);
    if (!probe.SetExtra(Text(EditorText::Extra)))
        return CannotStoreMessage(EditorText::Extra);
    PublisherRecord composed = m_record;
    ComposeRecord(composed);
    for (TextField field : UnstorableTextFields(composed)) {
        switch (field) {
        case TextField::FirstName:
            return CannotStoreMessage(EditorText::FirstName);
        case TextField::LastName:
            return CannotStoreMessage(EditorText::LastName);
        case TextField::Address:
            return CannotStoreMessage(EditorText::Address);
        case TextField::Phone1:
            return CannotStoreMessage(EditorText::PhoneHome);
        case TextField::Phone2:
            return CannotStoreMessage(EditorText::PhoneMobile);
        case TextField::Phone3:
            return CannotStoreMessage(EditorText::PhoneWork);
        default:
            break;
        }
    }
    return {};
}

void PublisherEditor::ComposeInterested(PublisherRecord& r) const {
    // Only the fields the interested-person mode shows; appointments, pioneer codes, hope and the dates
    // stay as they are (the conductor text shares its bytes with the report cells).
    r.SetFirstName(FirstCharacters(TrimRight(Text(EditorText::FirstName)), kNameLength));
    r.SetLastName(FirstCharacters(TrimRight(Text(EditorText::LastName)), kNameLength));
    r.SetAddress(FirstCharacters(Text(EditorText::Address), MaxLength(EditorText::Address)));
    r.SetPhone1(FirstCharacters(Text(EditorText::PhoneHome), 14));
    r.SetPhone2(FirstCharacters(Text(EditorText::PhoneMobile), 14));
    r.SetPhone3(FirstCharacters(Text(EditorText::PhoneWork), 14));
    r.SetHeadOfFamily(Box(EditorBox::HeadOfFamily));
    r.SetInUserCategory(Box(EditorBox::UserCategory));
    r.SetMale(Box(EditorBox::Male));
    r.SetFemale(Box(EditorBox::Female));
    r.SetDeaf(Box(EditorBox::Deaf));
    r.SetBlind(Box(EditorBox::Blind));
    r.SetConfined(Box(EditorBox::Confined));
    r.SetGroup(m_group);
    r.SetCategory(PublisherCategory::NonPublisher);
    (void)r.SetConductorText(m_conductor);
}

void PublisherEditor::ComposeRecord(PublisherRecord& r) const {
    if (Interested()) {
        ComposeInterested(r);
        return;
    }
    r.SetFirstName(FirstCharacters(TrimRight(Text(EditorText::FirstName)), kNameLength));
    r.SetLastName(FirstCharacters(TrimRight(Text(EditorText::LastName)), kNameLength));
    r.SetAddress(FirstCharacters(Text(EditorText::Address), MaxLength(EditorText::Address)));

    Appointment appointment = Appointment::None;
    if (Box(EditorBox::Elder))
        appointment = Appointment::Elder;
    else if (Box(EditorBox::MinisterialServant))
        appointment = Appointment::MinisterialServant;
    else if (Box(EditorBox::BaptizedBrother))
        appointment = Appointment::BaptizedBrother;
    r.SetAppointment(appointment);
    r.SetContinuousAuxiliary(Box(EditorBox::ContinuousAuxiliary));
    r.SetHeadOfFamily(Box(EditorBox::HeadOfFamily));
    r.SetInUserCategory(Box(EditorBox::UserCategory));
    r.SetMale(Box(EditorBox::Male));
    r.SetFemale(Box(EditorBox::Female));
    r.SetSpecialFullTime(Box(EditorBox::SpecialFullTime));
    r.SetFieldMissionary(Box(EditorBox::FieldMissionary));
    r.SetDeaf(Box(EditorBox::Deaf));
    r.SetBlind(Box(EditorBox::Blind));
    r.SetConfined(Box(EditorBox::Confined));

    const WorkingMonth& month = m_context.month;
    const YearSlot slot = month.SlotOf(month.monthIndex);
    const PioneerCode before = r.Pioneer(month.monthIndex, slot);
    PioneerCode code = PioneerCode::None;
    if (Box(EditorBox::RegularPioneer))
        code = PioneerCode::Regular;
    else if (before == PioneerCode::Auxiliary)
        code = PioneerCode::Auxiliary;
    if (Box(EditorBox::SpecialPioneer))
        code = PioneerCode::Special;
    if (code == PioneerCode::None && Box(EditorBox::ContinuousAuxiliary))
        code = PioneerCode::Auxiliary;
    const std::uint16_t pioneerByte = r.Row(MonthRow::Pioneer, month.monthIndex, slot);
    r.SetRow(MonthRow::Pioneer, month.monthIndex, slot,
             static_cast<std::uint16_t>((pioneerByte & ~3) | static_cast<int>(code)));

    r.SetHope(Box(EditorBox::Anointed) ? 'A' : 'O');
    r.SetGroup(m_group);
    r.SetPhone1(FirstCharacters(Text(EditorText::PhoneHome), 14));
    r.SetPhone2(FirstCharacters(Text(EditorText::PhoneMobile), 14));
    r.SetPhone3(FirstCharacters(Text(EditorText::PhoneWork), 14));
    r.SetBaptismDate(ComposeRecordDate(Date(EditorDate::Baptism), 8));
    r.SetBirthDate(ComposeRecordDate(Date(EditorDate::Birth), 6));
}

StatusChoice PublisherEditor::MakeStatusChoice() const {
    return StatusChoice(m_record, m_context.month.monthCount, m_new);
}

void PublisherEditor::ApplyStatus(const StatusChoice& choice) {
    choice.Apply(m_record);
    m_statusAsked = true;
}

bool PublisherEditor::Store() {
    if (!CanStore())
        return false;
    if (const std::string problem = TextProblem(); !problem.empty()) {
        m_context.prompter.Message(problem, Severity::Warning);
        return false;
    }
    PublisherDatabase& database = m_context.database;
    PublisherRecord composed = m_record;
    ComposeRecord(composed);

    DocumentChange change(m_context.changes, "Zapis danych osoby");
    change.Touch(DataArea::Register | DataArea::Extensions | DataArea::Appointments);

    std::optional<PublisherRecord> merged; // the existing person's record before a duplicate-name update
    RecordNumber number = m_recordNumber;
    const PublisherCategory list = Interested() ? PublisherCategory::NonPublisher : PublisherCategory::Publisher;
    if (m_new) {
        if (const Status room = database.CanAdd(list); !room) {
            m_context.prompter.Message(room.message(), Severity::Warning);
            return false;
        }
        auto appended = database.AppendRecord(composed);
        if (!appended) {
            m_context.prompter.Message(appended.error(), Severity::Warning);
            return false;
        }
        const auto placed = database.RepositionRecord(appended.value(), true, m_context.prompter);
        if (placed.outcome == PublisherDatabase::Repositioned::Outcome::Discarded)
            return false; // the change rolls the register back
        if (placed.outcome == PublisherDatabase::Repositioned::Outcome::UpdateExisting) {
            PublisherRecord& existing = database.Record(placed.existing);
            if (existing.Category() != list) {
                // An interested person is never merged into a person of another list.
                m_context.prompter.Message(
                    FormatArgs(Str(StrId::InterestedNameTaken), {database.DisplayNameOfRecord(placed.existing, false)}),
                    Severity::Warning);
                return false;
            }
            merged = existing;
            ComposeOntoExisting(existing);
        }
        database.CountCategory(PublisherCategory::Publisher);
        database.CountCategory(PublisherCategory::NonPublisher);
        database.RebuildIndex(&m_context.prompter);
        number = merged ? database.RecordNumberOfId(merged->Id()) : database.RecordNumberOfId(composed.Id());
    } else {
        const bool nameChanged =
            composed.FirstName() != m_record.FirstName() || composed.LastName() != m_record.LastName();
        database.Record(m_recordNumber) = composed;
        if (nameChanged)
            (void)database.RepositionRecord(m_recordNumber, false, m_context.prompter);
        database.RebuildIndex(&m_context.prompter);
        number = database.RecordNumberOfId(composed.Id());
    }
    PublisherRecord& stored = database.Record(number);
    const PublisherId id = stored.Id();

    // The extension record is written to the file at once, and only for a person who made it into the
    // register, so that no record is left behind for an id that a later person may get.
    if (!StoreExtension(stored, merged.has_value()))
        return false;
    if (!StoreAppointments(id, merged ? &*merged : nullptr))
        return false;
    change.Commit();

    m_chooser.Refill();
    m_chooser.SelectId(id);
    m_recordNumber = database.RecordNumberOfId(id);
    m_new = false;
    m_record = database.Record(m_recordNumber);
    if (merged)
        LoadFields();
    m_loadedBoxes = m_boxes;
    m_ticked = {};
    m_privilegeDates.reset();
    return true;
}

void PublisherEditor::ComposeOntoExisting(PublisherRecord& existing) const {
    const PublisherRecord before = existing;
    ComposeRecord(existing);
    // Texts and dates left empty in the editor keep what the existing person has.
    if (existing.Address().empty())
        existing.SetAddress(before.Address());
    if (existing.Phone1().empty())
        existing.SetPhone1(before.Phone1());
    if (existing.Phone2().empty())
        existing.SetPhone2(before.Phone2());
    if (existing.Phone3().empty())
        existing.SetPhone3(before.Phone3());
    if (Date(EditorDate::Baptism).IsBlank())
        existing.SetBaptismDate(before.BaptismDate());
    if (Date(EditorDate::Birth).IsBlank())
        existing.SetBirthDate(before.BirthDate());
    if (m_group == 0)
        existing.SetGroup(before.Group());
}

bool PublisherEditor::StoreExtension(PublisherRecord& stored, bool merging) {
    const PublisherId id = stored.Id();
    ExtensionRecord extension = m_extension;
    if (merging) {
        if (auto existing = m_context.extensions.Read(m_context.folder, stored.ExtensionKey(), id))
            extension = *existing;
    }
    extension.SetOwner(id);
    auto take = [&](EditorText field, auto set) {
        const std::string& text = Text(field);
        if (!merging || !text.empty())
            (void)(extension.*set)(text);
    };
    take(EditorText::Email, &ExtensionRecord::SetEmail);
    take(EditorText::LongName, &ExtensionRecord::SetLongName);
    take(EditorText::Extra, &ExtensionRecord::SetExtra);
    if (stored.ExtensionKey() != 0 || extension.HasText()) {
        auto written = m_context.extensions.Write(m_context.folder, extension);
        if (!written) {
            m_context.prompter.Message(written.error(), Severity::Warning);
            return false;
        }
        stored.SetExtensionKey(extension.HasText() ? written.value() : 0);
    }
    m_extension = extension;
    return true;
}

bool PublisherEditor::StoreAppointments(PublisherId id, const PublisherRecord* before) {
    AppointmentTable& appointments = m_context.appointments;
    Status failed = Status::Ok();
    auto keep = [&failed](Status status) {
        if (failed && !status)
            failed = std::move(status);
    };
    if (m_privilegeDates) {
        for (int type = 1; type <= kPrivilegeRows; ++type) {
            const auto& [start, end] = (*m_privilegeDates)[static_cast<std::size_t>(type - 1)];
            keep(appointments.SetAppointment(id, static_cast<std::uint16_t>(type), start));
            keep(appointments.SetAppointmentEnd(id, static_cast<std::uint16_t>(type), end));
        }
    }
    for (int type = 1; type <= 6; ++type) {
        const auto t = static_cast<std::uint16_t>(type);
        // An update of an existing person keeps the start dates the person already has.
        if (before && !appointments.GetAppointment(id, t).empty())
            continue;
        if (m_ticked[static_cast<std::size_t>(type)] && Box(BoxOfAppointmentType(type)))
            keep(appointments.SetAppointment(id, t, ""));
    }
    const auto consent = static_cast<std::uint16_t>(AppointmentType::Consent);
    if (Box(EditorBox::Consent))
        keep(appointments.SetAppointment(id, consent, ComposeRecordDate(Date(EditorDate::Consent), 6)));
    else if (!before)
        appointments.ClearConsent(id);
    if (!failed) {
        m_context.prompter.Message(failed.message(), Severity::Warning);
        return false;
    }
    return true;
}

Status PublisherEditor::Delete(const RemovalChoice& choice) {
    if (m_new || !m_context.database.IsPerson(m_recordNumber))
        return Status::Fail(Failure::NotFound, "Nie wybrano osoby do usunięcia.");
    const std::string name = m_context.database.NameOfId(m_record.Id(), false);
    Status removed = Status::Ok();
    if (choice.Permanent()) {
        // The record and its two years of reports go for good: one more question, Cancel the default.
        if (m_context.prompter.Ask(FormatArgs(Str(StrId::ConfirmDelete), {name}), Buttons::OkCancel, Answer::Cancel) !=
            Answer::Ok)
            return Status::Cancelled();
        removed = RemovePermanently(m_context, m_recordNumber);
    } else {
        removed = RemoveTemporarily(m_context, m_recordNumber, choice.Month(), choice.Year());
    }
    if (!removed)
        return removed;
    m_chooser.Refill();
    return Status::Ok();
}

std::string PublisherEditor::ConductorLabel() const {
    if (m_conductor.empty())
        return {};
    return std::string(Str(StrId::BibleStudyConductor)) + ": " + m_conductor;
}

Status PublisherEditor::ChooseConductor(PublisherId id) {
    const PublisherRecord* conductor = m_context.database.FindById(id);
    if (conductor == nullptr || conductor->Category() != PublisherCategory::Publisher) {
        const std::string name = conductor ? m_context.database.NameOfId(id, false) : std::to_string(id);
        return Status::Fail(Failure::Invalid, FormatArgs(Str(StrId::ConductorNotActive), {name}));
    }
    const std::string first = TrimRight(conductor->FirstName());
    const std::string last = TrimRight(conductor->LastName());
    m_conductor = first.empty() ? last : first + " " + last;
    return Status::Ok();
}

Status PublisherEditor::DeleteInterested() {
    if (m_new || !m_context.database.IsPerson(m_recordNumber))
        return Status::Fail(Failure::NotFound, std::string(Str(StrId::NoPersonSelected)));
    const std::string name = m_context.database.DisplayNameOfRecord(m_recordNumber, false);
    if (m_context.prompter.Ask(FormatArgs(Str(StrId::ConfirmDelete), {name}), Buttons::YesNo, Answer::No) !=
        Answer::Yes)
        return Status::Cancelled();
    if (Status removed = RemovePermanently(m_context, m_recordNumber); !removed)
        return removed;
    m_chooser.Refill();
    m_new = true;
    m_recordNumber = 0;
    return Status::Ok();
}

bool PublisherEditor::Move(int step) {
    if (m_new || !Store())
        return false;
    const int count = m_chooser.Count();
    if (count == 0)
        return false;
    const int position = m_chooser.PositionOfId(m_record.Id());
    const int next = ((position < 0 ? 0 : position) + step + count) % count;
    m_chooser.Select(next);
    Load(next);
    return true;
}

bool PublisherEditor::Next() {
    return Move(1);
}

bool PublisherEditor::Previous() {
    return Move(-1);
}

CopyAction PublisherEditor::CopyPressed() const {
    const auto& source = m_chooser.copySource;
    if (!source || (!m_new && *source == m_record.Id()) || !m_context.database.FindById(*source))
        return CopyAction::StoreAndRemember;
    return CopyAction::Paste;
}

void PublisherEditor::RememberAsCopySource() {
    if (!m_new)
        m_chooser.copySource = m_record.Id();
}

bool PublisherEditor::PasteFromSource() {
    if (!m_chooser.copySource)
        return false;
    const PublisherRecord* source = m_context.database.FindById(*m_chooser.copySource);
    if (!source)
        return false;
    const std::string question = std::string(Str(StrId::PasteFrom)) + m_context.database.NameOfId(source->Id(), false);
    if (m_context.prompter.Ask(question, Buttons::YesNo, Answer::Yes) != Answer::Yes)
        return false;
    m_texts[Index(EditorText::Address)] = source->Address();
    m_texts[Index(EditorText::PhoneHome)] = source->Phone1();
    m_texts[Index(EditorText::PhoneMobile)] = source->Phone2();
    m_texts[Index(EditorText::PhoneWork)] = source->Phone3();
    m_group = source->Group();
    return true;
}

void PublisherEditor::ClearCopySource() {
    m_chooser.copySource.reset();
}

PrivilegesInput PublisherEditor::MakePrivilegesInput() const {
    PrivilegesInput input;
    input.displayName = DisplayName();
    input.existingPerson = !m_new;
    input.male = Box(EditorBox::Male);
    input.boxes.rows = {Box(EditorBox::MinisterialServant), Box(EditorBox::Elder), Box(EditorBox::RegularPioneer),
                        Box(EditorBox::ContinuousAuxiliary), Box(EditorBox::SpecialPioneer)};
    input.boxes.specialFullTime = Box(EditorBox::SpecialFullTime);
    input.boxes.fieldMissionary = Box(EditorBox::FieldMissionary);
    const PublisherId id = m_record.Id();
    for (int type = 1; type <= kPrivilegeRows; ++type) {
        const auto i = static_cast<std::size_t>(type - 1);
        input.tickedThisEdit[i] = m_ticked[static_cast<std::size_t>(type)];
        if (m_privilegeDates) {
            input.start[i] = (*m_privilegeDates)[i].first;
            input.end[i] = (*m_privilegeDates)[i].second;
        } else if (!m_new) {
            input.start[i] = m_context.appointments.GetAppointment(id, static_cast<std::uint16_t>(type));
            input.end[i] = m_context.appointments.GetAppointmentEnd(id, static_cast<std::uint16_t>(type));
        }
    }
    input.workingYear = m_context.month.Year();
    return input;
}

void PublisherEditor::ApplyPrivileges(const PrivilegesPresenter& privileges) {
    const PrivilegeBoxes& boxes = privileges.Boxes();
    const std::pair<PrivilegeRow, EditorBox> rows[] = {
        {PrivilegeRow::MinisterialServant, EditorBox::MinisterialServant},
        {PrivilegeRow::Elder, EditorBox::Elder},
        {PrivilegeRow::RegularPioneer, EditorBox::RegularPioneer},
        {PrivilegeRow::ContinuousAuxiliary, EditorBox::ContinuousAuxiliary},
        {PrivilegeRow::SpecialPioneer, EditorBox::SpecialPioneer},
    };
    for (const auto& [row, box] : rows)
        if (!boxes.rows[static_cast<std::size_t>(row)])
            m_boxes[Index(box)] = false;
    for (const auto& [row, box] : rows)
        if (boxes.rows[static_cast<std::size_t>(row)] && !Box(box))
            SetBox(box, true);
    m_boxes[Index(EditorBox::SpecialFullTime)] = boxes.specialFullTime;
    if (boxes.fieldMissionary != Box(EditorBox::FieldMissionary))
        SetBox(EditorBox::FieldMissionary, boxes.fieldMissionary);

    std::array<std::pair<std::string, std::string>, kPrivilegeRows> dates;
    for (int i = 0; i < kPrivilegeRows; ++i) {
        const auto row = static_cast<PrivilegeRow>(i);
        dates[static_cast<std::size_t>(i)] = {privileges.StartText(row), privileges.EndText(row)};
        m_ticked[static_cast<std::size_t>(i + 1)] = false;
    }
    m_privilegeDates = dates;
}

} // namespace vardo
